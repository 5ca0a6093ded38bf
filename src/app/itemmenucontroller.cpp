// The menu of a list row or of the current item: the file menu for a path, else "Open" and "Edit keyword".
#include "app/itemmenucontroller.h"

#include "app/appcontext.h"
#include "app/clipcontroller.h"
#include "app/desktopcontroller.h"
#include "app/desktopservices.h"
#include "app/engine.h"
#include "app/filemenu.h"
#include "app/inputcontroller.h"
#include "app/programcontroller.h"
#include "core/inputtext.h"
#include "core/items.h"
#include "core/text.h"
#include "exec/pipeline.h"
#include "exec/execcontext.h"
#include "exec/substitution.h"
#include "index/scanroots.h"
#include "tools/regexrules.h"
#include "platform/linux/xdesktop.h"
#include "ui/itemmenu.h"
#include "ui/mainform.h"

#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

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
    facts.windowMenu = true;
    facts.clipMenu = true;
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
    if (choice.menu == TItemMenu::Window || choice.menu == TItemMenu::Clip) {
        auto* menu = new QMenu(owner);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // The menu acts on a copy: the list may be rebuilt while it is open.
        std::shared_ptr<const TItem> copy(Unwrapped(item)->CloneItem());
        const bool canPaste = ctx_.desktop && ctx_.desktop->CheckedLastActive() != 0 && ctx_.form->isActiveWindow();
        for (const TRowMenuEntry& e : RowMenuEntries(choice.menu, canPaste)) {
            if (e.action == TRowMenuAction::Remove)
                AddRegexEntries(menu, copy);
            QObject::connect(menu->addAction(e.label), &QAction::triggered, menu,
                             [this, copy, open, action = e.action] { RowAction(action, *copy, open); });
        }
        menu->popup(globalPos);
        return;
    }
    auto* menu = new QMenu(owner);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(menu->addAction(QStringLiteral("Open")), &QAction::triggered, menu, std::move(open));
    if (choice.editKeyword)
        QObject::connect(menu->addAction(QStringLiteral("Edit keyword")), &QAction::triggered, menu, std::move(edit));
    menu->popup(globalPos);
}

void TItemMenuController::AddRegexEntries(QMenu* menu, const std::shared_ptr<const TItem>& item) {
    const auto* clip = ItemAs<TMyClipItem>(item.get());
    const std::vector<TRegexMenuEntry> entries = RegexMenuEntries(ctx_.data.keywords);
    if (!clip || entries.empty())
        return;
    menu->addSeparator();
    for (const TRegexMenuEntry& e : entries)
        QObject::connect(menu->addAction(e.caption), &QAction::triggered, menu, [this, item, rules = e.rules] {
            // The row's text goes to the clipboard, and the rules rewrite the clipboard.
            const auto* row = ItemAs<TMyClipItem>(item.get());
            TClipboard& clipboard = ctx_.desk->clipboard;
            clipboard.SetText(row->clipb);
            const TRegexOutcome r = ApplyRegexRules(rules, clipboard.Text());
            if (!r.ok) {
                ctx_.program->ShowFailure(r.error);
                return;
            }
            clipboard.SetText(r.text);
        });
    menu->addSeparator();
}

void TItemMenuController::RowAction(TRowMenuAction action, const TItem& item, const std::function<void()>& open) {
    TProgramController& program = *ctx_.program;
    TXDesktop* desktop = ctx_.desk->desktop.get();
    const auto* window = ItemAs<TMyWindowItem>(&item);
    const auto* clip = ItemAs<TMyClipItem>(&item);
    // Closing or ending a window changes the open windows: the list is built again half a second later.
    auto refreshSoon = [this] {
        QTimer::singleShot(500, ctx_.owner, [this] {
            if (!ctx_.closing && ctx_.input && ctx_.form->ListVisible())
                ctx_.input->RefreshList(ctx_.input->LineText(), int(ctx_.input->LineText().size()), false);
        });
    };
    switch (action) {
    case TRowMenuAction::Launch:
        if (clip) {
            // The copied text runs as a typed input, on one line.
            program.Run(TExecRequest::Sent(TrimText(clip->clipb).remove(u'\r').remove(u'\n')));
            break;
        }
        open();
        break;
    case TRowMenuAction::SwitchTo:
        // The row is taken into the line and run: a window row activates its window.
        open();
        break;
    case TRowMenuAction::Close:
        program.CloseWindow(window->hand);
        refreshSoon();
        break;
    case TRowMenuAction::KillProcess:
        ctx_.desktop->EndProcessOf(window->hand);
        refreshSoon();
        break;
    case TRowMenuAction::MoreInfo:
        program.Message(window->name, window->moreinfo, false);
        break;
    case TRowMenuAction::Minimize:
        if (desktop)
            desktop->Minimize(window->hand);
        break;
    case TRowMenuAction::Maximize:
        if (desktop)
            desktop->Maximize(window->hand);
        break;
    case TRowMenuAction::Restore:
        if (desktop)
            desktop->Restore(window->hand);
        break;
    case TRowMenuAction::Center:
        ctx_.desktop->CenterWindow(window->hand);
        break;
    case TRowMenuAction::MaxWidth:
    case TRowMenuAction::MaxHeight:
        ctx_.desktop->SpanWindow(window->hand, action == TRowMenuAction::MaxWidth);
        break;
    case TRowMenuAction::Resize:
        ctx_.desktop->AskAndArrange(window->hand);
        break;
    case TRowMenuAction::CopyText:
        ctx_.desk->clipboard.SetText(clip->clipb);
        break;
    case TRowMenuAction::Select:
        ctx_.input->SetNewWord(clip->clipb, true, true);
        break;
    case TRowMenuAction::PasteToWindow:
        ctx_.clip->PasteToLastActive(clip->clipb);
        break;
    case TRowMenuAction::Remove:
        if (ctx_.clip->Remove(*clip) && ctx_.form->ListVisible())
            ctx_.input->RefreshList(ctx_.input->LineText(), int(ctx_.input->LineText().size()), false);
        break;
    }
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
