// The settings dialog's way into the running program: the record, the desktop entries, the look, the file.
#include "app/settingscontroller.h"

#include "app/appcontext.h"
#include "app/importcontroller.h"
#include "app/keywordimport.h"
#include "app/lifecycle.h"
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
#include "index/appimport.h"
#include "index/desktopentry.h"
#include "index/indexlookup.h"
#include "core/text.h"
#include "index/scanroots.h"
#include "app/suggestbridge.h"
#include "exec/execcontext.h"
#include "exec/substitution.h"
#include "platform/startup/dashcommands.h"
#include "platform/hotkeys/hotkeymanager.h"
#include "platform/linux/xhotkeys.h"
#include "ui/listwizard.h"
#include "ui/mainform.h"
#include "ui/wizardform.h"
#include "ui/mainmenus.h"
#include "ui/settings/keywordpage.h"
#include "ui/settings/scanfolders.h"
#include "ui/settings/setupfields.h"
#include "app/indexcontroller.h"
#include "browser/browsermodule.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace vantrelo {

namespace {

// Whether a setting of the dialog's internal-browser page differs.
bool BrowserSettingsChanged(const TSettings& before, const TSettings& after) {
    TSetupModel a(1), b(1);
    a.SetSettings(before);
    b.SetSettings(after);
    for (const TSetupField& f : SetupFields())
        if (QLatin1String(f.page) == QLatin1String("Internal browser and start page") &&
            a.Value(QLatin1String(f.key)) != b.Value(QLatin1String(f.key)))
            return true;
    return false;
}

} // namespace

void TSettingsController::Open(TSetupTab tab, const QString& page, bool newKeyword, const QString& file,
                               const TExeWord& proposal) {
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
    page_ = MakeKeywordPage(model);
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
        if (!file.isEmpty())
            page_->TakeFile(file, true);
        else if (newKeyword && !proposal.keywords.isEmpty())
            page_->AddProposed(proposal);
        else if (newKeyword)
            page_->AddKeyword();
        else
            page_->SelectPosition(CurrentWordPosition());
    }
    form_ = &form;
    const bool taken = form.exec() == QDialog::Accepted;
    // The import page shown in the dialog goes back to its own window before the dialog goes.
    if (form.SidePage() && ctx_.import)
        ctx_.import->ImportCancel();
    form_ = nullptr;
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

void TSettingsController::OpenLook(bool listWizard) {
    if (listWizard)
        QTimer::singleShot(0, ctx_.form.get(), [this] {
            if (auto* wizard = form_ ? form_->findChild<QPushButton*>(QStringLiteral("ListWizardButton")) : nullptr)
                wizard->click();
        });
    Open(TSetupTab::Settings, QStringLiteral("Look"));
}

void TSettingsController::AddKeyword() {
    // The input line's text proposes the new keyword as "-a" reads it: name, command, " p:" parameters.
    TExeWord proposal;
    const TNewKeyword typed = ParseAddKeyword(ctx_.input->LineText());
    proposal.keywords = typed.name;
    proposal.command = typed.command;
    proposal.parameters = typed.parameters;
    Open(TSetupTab::Keywords, QString(), true, QString(), proposal);
}

void TSettingsController::ProposeFile(const QString& path) { Open(TSetupTab::Keywords, QString(), true, path); }

TKeywordPage* TSettingsController::MakeKeywordPage(TSetupModel& model) {
    TKeywordPageHost host;
    // One choice shown in two places: the settings page's box follows the editor's.
    host.autoApplyChanged = [this, &model](bool on) {
        model.Set(QStringLiteral("autoapply"), on);
        if (form_)
            form_->Fill();
    };
    host.importApplications = [this] { ctx_.import->ImportApplications(); };
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
    host.propose = [](const QString& path) -> std::optional<TExeWord> {
        const TScanRoots roots = TScanRoots::FromEnvironment();
        TImportContext ic;
        ic.locale = roots.locale;
        ic.desktops = roots.desktops;
        ic.pathEnv = roots.pathEnv;
        return ProposedKeyword(path, ic);
    };
    host.importFile = [this](const QString& path) { ctx_.import->ImportFile(path); };
    host.importUrl = [this] { ctx_.import->ImportUrl(); };
    host.exportWords = [this](bool selectedOnly) {
        ctx_.import->ExportKeywords(selectedOnly ? std::optional(SelectedKeywords()) : std::nullopt);
    };
    host.icons.expand = [this](const QString& path) { return ctx_.engine->Exec().expandCommand(path, false); };
    host.icons.indexedIcon = [this](const QString& name) { return IndexedIcon(name); };
    return new TKeywordPage(ctx_.data.keywords, ctx_.data.settings, std::move(host));
}

std::optional<QString> TSettingsController::IndexedIcon(const QString& name) const {
    if (!ctx_.suggest)
        return std::nullopt;
    std::optional<QString> icon;
    ctx_.suggest->IndexLookup().ForEachNamed(LowerText(name), [&icon](const TMyShellItem& item) {
        icon = item.path;
        // A desktop entry's own icon stands for its program's, as a shortcut's target would.
        if (item.path.endsWith(QLatin1String(".desktop"))) {
            const TDesktopEntry d = ReadDesktopEntry(item.path, TScanRoots::FromEnvironment().locale);
            if (!d.icon.isEmpty())
                icon = d.icon;
        }
        return false;
    });
    return icon;
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

std::vector<qsizetype> TSettingsController::SelectedKeywords() const {
    return page_ ? page_->Selected() : std::vector<qsizetype>{};
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
    a.checked = [this](const QString& key, bool on) {
        if (key == QLatin1String("autoapply") && page_)
            page_->SetAutoApply(on);
    };
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
    // The wizards take the controls into the settings first, and fill them again after.
    a.formButtons.push_back({QStringLiteral("Wizard"), QStringLiteral("WizardButton"), [this](TSetupModel& model) {
                                 TSettings& s = ctx_.data.settings;
                                 model.GrabSettings(s);
                                 const std::optional<QString> skin =
                                     RunAppWizard(s, ctx_.store.Places().dataFolder, true, form_);
                                 if (!skin)
                                     return false;
                                 ctx_.form->HideList();
                                 if (!ctx_.skin->Load(*skin))
                                     ctx_.skin->Apply();
                                 model.SetSettings(s);
                                 return true;
                             }});
    a.formButtons.push_back({QStringLiteral("Run list appearance wizard"), QStringLiteral("ListWizardButton"),
                             [this](TSetupModel& model) {
                                 TSettings& s = ctx_.data.settings;
                                 model.GrabSettings(s);
                                 if (!RunListWizard(s, form_))
                                     return false;
                                 ctx_.form->HideList();
                                 ctx_.skin->Apply();
                                 model.SetSettings(s);
                                 return true;
                             }});
    // A skin file, package or web address chosen now: its values become the settings.
    a.formButtons.push_back({QStringLiteral("Load skin..."), QStringLiteral("LoadSkinButton"), [this](TSetupModel& model) {
                                 model.GrabSettings(ctx_.data.settings);
                                 ctx_.skin->Install(QString());
                                 model.SetSettings(ctx_.data.settings);
                                 return true;
                             }});
    a.labels.push_back({QStringLiteral("Index"), QStringLiteral("IndexLabel"),
                        [this]() -> QString {
                            if (!ctx_.index)
                                return QStringLiteral("Indexed items: None");
                            if (ctx_.index->Busy())
                                return QStringLiteral("Indexed items: indexing..");
                            const qsizetype n = ctx_.index->Size();
                            return QStringLiteral("Indexed items: ") +
                                   (n > 0 ? QString::number(n) : QStringLiteral("None"));
                        },
                        [this] {
                            if (!ctx_.index || ctx_.index->Busy())
                                return;
                            TIndexItemForm list(TMyScanItem{}, form_);
                            list.ShowList(ctx_.index->Paths());
                            list.exec();
                        }});
    // The keywords a web page in the internal browser may connect to, each with its level.
    auto granted = [this] {
        std::vector<qsizetype> positions;
        for (qsizetype i = 0; i < ctx_.data.keywords.size(); ++i)
            if (ctx_.data.keywords.at(i).permissionlevel != -1)
                positions.push_back(i);
        return positions;
    };
    a.lists.push_back({QStringLiteral("Internal browser and start page"), QStringLiteral("PermissionList"),
                       QStringLiteral("Keywords with connect permissions (click one to edit it):"),
                       [this, granted] {
                           QStringList entries;
                           for (const qsizetype i : granted()) {
                               const TExeWord& w = ctx_.data.keywords.at(i);
                               entries << w.keywords + QStringLiteral(" (") + QString::number(w.permissionlevel) + u')';
                           }
                           return entries;
                       },
                       [this, granted](int row) {
                           const std::vector<qsizetype> positions = granted();
                           if (!page_ || !form_ || row < 0 || size_t(row) >= positions.size())
                               return;
                           form_->OpenOn(TSetupTab::Keywords);
                           page_->ShowAllAndSelect(positions[size_t(row)]);
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
    // A page opened under the old browser settings does not stay open under the new ones.
    if (ctx_.browser && BrowserSettingsChanged(before, s))
        ctx_.browser->Dismiss();
    if (ctx_.desk->hotkeys && (s.hotkey != before.hotkey || s.hotkeyadd != before.hotkeyadd)) {
        ctx_.desk->hotkeys->Unregister(1);
        const bool ok = s.hotkey == 0 || ctx_.desk->hotkeys->Register(1, s.hotkey, s.hotkeyadd);
        if (!ok) {
            // The old hotkey comes back, so the window stays reachable.
            ctx_.desk->hotkeys->Register(1, before.hotkey, before.hotkeyadd);
            ctx_.program->Message(QStringLiteral("Warning"), QStringLiteral("Unable to assign hotkey."), true);
        }
    }
    // Watches, hooks and the priority follow the dialog at once, not at the next start.
    if (ctx_.notes && s.notesmonitor != before.notesmonitor)
        ctx_.notes->MonitorChanged();
    if (ctx_.clip && s.clipboardsniffer && !before.clipboardsniffer && !ctx_.safeMode)
        ctx_.clip->Watch();
    if (ctx_.hotkeys && !ctx_.safeMode && (s.hookwin != before.hookwin || s.gamingmode != before.gamingmode))
        ctx_.hotkeys->ArmKeyboardHook();
    if (s.priority != before.priority) {
        if (const QString error = SetProgramPriority(s.priority); !error.isEmpty())
            ctx_.program->ShowFailure(error);
    }
    ctx_.program->WriteSettings();
    if (s.center != before.center && s.center != 0)
        ctx_.form->CenterOnMonitor(TCentre(s.center), false);
}

} // namespace vantrelo
