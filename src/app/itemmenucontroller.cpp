// The menu of a list row or of the current item: the file menu for a path, else "Open" and "Edit keyword".
#include "app/itemmenucontroller.h"

#include "app/appcontext.h"
#include "app/desktopservices.h"
#include "app/engine.h"
#include "app/filemenu.h"
#include "app/programcontroller.h"
#include "core/inputtext.h"
#include "core/items.h"
#include "exec/execcontext.h"
#include "exec/substitution.h"
#include "index/scanroots.h"
#include "ui/itemmenu.h"

#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

namespace vantrelo {

namespace {

TItemMenuFacts FactsOf(const TItem* item, const QString& text) {
    TItemMenuFacts facts;
    facts.text = text;
    item = Unwrapped(item);
    if (const auto* shell = ItemAs<TMyShellItem>(item)) {
        facts.kind = TItemMenuKind::Indexed;
        facts.indexedPath = shell->path;
    } else if (ItemAs<TMyWindowItem>(item)) {
        facts.kind = TItemMenuKind::Window;
    } else if (ItemAs<TMyClipItem>(item)) {
        facts.kind = TItemMenuKind::Clip;
    }
    return facts;
}

} // namespace

void TItemMenuController::Show(const TItem* item, const QString& text, QWidget* owner, QPoint globalPos,
                               std::function<void()> open, std::function<void()> edit) {
    TExecContext& exec = ctx_.engine->Exec();
    TItemMenuProbe probe;
    probe.isPath = [](const QString& t) { return IsPath(t); };
    probe.expand = [&exec](const QString& t) { return exec.expandCommand(t, true); };
    probe.keywordTarget = [this, &exec](const QString& word) -> std::optional<QString> {
        const TExeWord* w = ctx_.data.keywords.FindKeyword(word, true);
        if (!w)
            return std::nullopt;
        return exec.expandCommand(ApplyDefaultBlocks(w->command, QString()), true);
    };
    probe.exists = [](const QString& path) { return QFileInfo::exists(path); };
    probe.separator = ctx_.data.settings.separator;
    const TItemMenuChoice choice = DecideItemMenu(FactsOf(item, text), probe);
    if (choice.menu == TItemMenu::File) {
        ShowFileMenu(choice.path, owner, globalPos);
        return;
    }
    auto* menu = new QMenu(owner);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(menu->addAction(QStringLiteral("Open")), &QAction::triggered, menu, std::move(open));
    if (choice.editKeyword)
        QObject::connect(menu->addAction(QStringLiteral("Edit keyword")), &QAction::triggered, menu, std::move(edit));
    menu->popup(globalPos);
}

void TItemMenuController::ShowFileMenu(const QString& path, QWidget* owner, QPoint globalPos) {
    TProgramController& program = *ctx_.program;
    TDesktopServices& desk = *ctx_.desk;
    TSystemParts& sys = *ctx_.sys;
    TFileMenuActions a;
    a.open = [&program](const QString& p) { program.OpenWithShell(p); };
    a.openFolder = [&program](const QString& folder) { program.OpenWithShell(folder); };
    a.copyPath = [&desk](const QString& p) { desk.clipboard.SetText(p); };
    a.openWith = [&program, &sys](const TMimeApp& app, const QString& p) {
        const QString error = LaunchWith(app, p, sys.processes);
        if (!error.isEmpty())
            program.ShowFailure(error);
    };
    a.trash = [&program, &sys, owner](const QString& p) {
        const QString name = QFileInfo(p).fileName();
        if (QMessageBox::question(owner, QStringLiteral("Move to Trash"),
                                  QStringLiteral("Move \"%1\" to the trash?").arg(name)) != QMessageBox::Yes)
            return;
        const TSystemResult r = sys.trash.MoveToTrash(p);
        if (!r.ok)
            program.ShowFailure(r.message);
        else
            program.ShowToast(QStringLiteral("Moved to the trash: ") + name);
    };
    const std::vector<TMimeApp> apps = AppsForFile(path, TScanRoots::FromEnvironment().ApplicationFolders(), QString());
    BuildFileMenu(owner, path, apps, a)->popup(globalPos);
}

} // namespace vantrelo
