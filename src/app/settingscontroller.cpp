// The settings dialog's way into the running program: the record, the desktop entries, the look, the file.
#include "app/settingscontroller.h"

#include "app/appcontext.h"
#include "app/keywordimport.h"
#include "app/notescontroller.h"
#include "app/clipcontroller.h"
#include "app/desktopservices.h"
#include "app/engine.h"
#include "app/hotkeybridge.h"
#include "app/inputcontroller.h"
#include "app/programcontroller.h"
#include "app/skincontroller.h"
#include "core/autostart.h"
#include "core/settings.h"
#include "exec/execcontext.h"
#include "exec/substitution.h"
#include "platform/startup/dashcommands.h"
#include "platform/hotkeys/hotkeymanager.h"
#include "platform/linux/xhotkeys.h"
#include "ui/mainform.h"
#include "ui/mainmenus.h"
#include "ui/settings/keywordpage.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace vantrelo {

void TSettingsController::Open(TSetupTab tab, const QString& page, bool newKeyword) {
    if (open_)
        return; // the dialog is modal: a second request while it is open has nothing to add
    open_ = true;
    TSettings& s = ctx_.data.settings;
    const TSettings before = s;
    TSetupModel model(int(QGuiApplication::screens().size()));
    model.SetSettings(s);
    const TProgramInfo info = BuiltProgramInfo(QCoreApplication::applicationFilePath());
    const QString about = QStringLiteral("Vantrelo ") + info.version + QStringLiteral(" 64-bit\n\n(Build date: ") +
                          info.buildDate + u')';
    TSetupForm form(model, Actions(), about, ctx_.form.get());
    page_ = MakeKeywordPage();
    form.SetKeywordsPage(page_);
    if (page.isEmpty() && tab == TSetupTab::Settings && place_.tab >= 0)
        form.Restore(place_);
    else {
        form.restoreGeometry(place_.geometry);
        form.OpenOn(tab, page);
    }
    if (tab == TSetupTab::Keywords) {
        if (s.openeditormax)
            form.setWindowState(form.windowState() | Qt::WindowMaximized);
        if (newKeyword)
            page_->AddKeyword();
        else
            page_->SelectPosition(CurrentWordPosition());
    }
    const bool taken = form.exec() == QDialog::Accepted;
    place_ = form.Place();
    page_->Finish();
    page_ = nullptr;
    open_ = false;
    if (ctx_.closing)
        return;
    ctx_.data.tags.Build(ctx_.data.keywords);
    const bool unnamed = std::any_of(ctx_.data.keywords.begin(), ctx_.data.keywords.end(),
                                     [](const auto& w) { return w->keywords.trimmed().isEmpty(); });
    if (unnamed)
        ctx_.program->Message(QStringLiteral("Warning"),
                              QStringLiteral("A keyword with no name was detected, this can cause problems with "
                                             "auto-completion. Please give the keyword a name."),
                              true);
    if (!taken) {
        // Cancel: the live sliders are undone; nothing else was taken.
        s.transactive = before.transactive;
        s.transinactive = before.transinactive;
        ctx_.skin->Apply();
        ctx_.program->WriteSettings(); // the keyword list's changes are made at once
        return;
    }
    model.GrabSettings(s);
    Apply(before);
}

void TSettingsController::AddKeyword() { Open(TSetupTab::Keywords, QString(), true); }

TKeywordPage* TSettingsController::MakeKeywordPage() {
    TKeywordPageHost host;
    TmyHotKeyManager* manager = ctx_.hotkeys ? ctx_.hotkeys->Manager() : nullptr;
    host.hotkeys.add = [manager](TExeWord& w) { return !manager || manager->AddExeword(&w); };
    host.hotkeys.remove = [manager](TExeWord& w) {
        if (manager)
            manager->Remove(&w);
    };
    host.save = [this] { ctx_.program->WriteSettings(); };
    host.test = [this](const TExeWord& w) { ctx_.program->RunForced(w, false); };
    host.expand = [this](const QString& command) {
        TEngine& engine = *ctx_.engine;
        return ApplyDefaultBlocks(engine.Exec().expandCommand(command, true), QString());
    };
    return new TKeywordPage(ctx_.data.keywords, ctx_.data.settings, std::move(host));
}

qsizetype TSettingsController::CurrentWordPosition() const {
    QString line = ctx_.input->LineText().trimmed();
    if (line.startsWith(QLatin1String("-k ")))
        line = line.mid(3).trimmed();
    const QString first = line.section(u' ', 0, 0);
    if (first.isEmpty())
        return -1;
    const TExeWord* w = ctx_.data.keywords.FindKeyword(first, true);
    return w ? ctx_.data.keywords.IndexOf(w) : -1;
}

void TSettingsController::BeforeKeywordsChange() {
    if (page_)
        page_->SettleEdits();
}

void TSettingsController::KeywordsChanged() {
    if (page_)
        page_->ListChanged();
}

TSetupActions TSettingsController::Actions() {
    TSetupActions a;
    a.immediate = [this](const QString& key, bool on, QString* error) {
        const QString exe = QCoreApplication::applicationFilePath();
        const TSaveResult r = key == QLatin1String("autostart") ? RegStartUp(on, exe) : SetOpenWithEntry(on, exe);
        if (!r && error)
            *error = r.error;
        return bool(r);
    };
    a.opacity = [this](const QString& key, int value) {
        TSettings& s = ctx_.data.settings;
        (key == QLatin1String("transactive") ? s.transactive : s.transinactive) = value;
        if (key == QLatin1String("transactive"))
            ctx_.form->setWindowOpacity(value / 255.0);
    };
    a.beforeClose = [this] { return !page_ || page_->SettleEdits(); };
    a.buttons.push_back(
        {QStringLiteral("clipboardhours"), QStringLiteral("Clear"), [this](const QVariant&) -> std::optional<QVariant> {
             ctx_.clip->Clear();
             return std::nullopt;
         }});
    // The import address as typed, merged at once; its result always in a message.
    a.buttons.push_back(
        {QStringLiteral("importurl"), QStringLiteral("Test"), [this](const QVariant& value) -> std::optional<QVariant> {
             ctx_.data.settings.importurl = value.toString().trimmed();
             ctx_.keywordImport->Start(false, true);
             return std::nullopt;
         }});
    a.buttons.push_back({QStringLiteral("notessizepos"), QStringLiteral("Reset window position"),
                         [this](const QVariant&) -> std::optional<QVariant> {
                             ctx_.notes->ResetPosition();
                             return std::nullopt;
                         }});
    // The notes move to a chosen file as the user says (overwrite, discard or merge).
    a.buttons.push_back({QStringLiteral("noteslocation"), QStringLiteral("Change..."),
                         [this](const QVariant&) -> std::optional<QVariant> {
                             if (const std::optional<QString> file = ctx_.notes->AskNewLocation(page_))
                                 return QVariant(*file);
                             return std::nullopt;
                         }});
    a.resetDefaults = [this] {
        // The file without its "Setup" section, read back: every key takes its default.
        ctx_.store.WriteSettings(ctx_.data, true);
        ctx_.store.ReadSettings(ctx_.data, nullptr, true);
        ctx_.skin->Apply();
        return ctx_.data.settings;
    };
    return a;
}

void TSettingsController::Apply(const TSettings& before) {
    const TSettings& s = ctx_.data.settings;
    ctx_.skin->Apply();
    if (ctx_.notes) {
        ctx_.notes->UpdateNotesDesign();
        if (s.noteslocation != before.noteslocation)
            ctx_.notes->LocationChanged();
    }
    ctx_.form->Menus()->SyncHelpKey();
    if (ctx_.desk->hotkeys && (s.hotkey != before.hotkey || s.hotkeyadd != before.hotkeyadd)) {
        ctx_.desk->hotkeys->Unregister(1);
        const bool ok = s.hotkey == 0 || ctx_.desk->hotkeys->Register(1, s.hotkey, s.hotkeyadd);
        if (!ok) {
            // The old hotkey comes back, so the window stays reachable.
            ctx_.desk->hotkeys->Register(1, before.hotkey, before.hotkeyadd);
            ctx_.program->Message(QStringLiteral("Warning"), QStringLiteral("Unable to assign hotkey."), true);
        }
    }
    ctx_.program->WriteSettings();
    if (s.center != before.center && s.center != 0)
        ctx_.form->CenterOnMonitor(TCentre(s.center), false);
}

} // namespace vantrelo
