// The program's start and stop: the single-instance claim, then the start and stop sequences' host.
#include "app/lifecycle.h"

#include "app/appcontext.h"
#include "app/notescontroller.h"
#include "app/assistcontroller.h"
#include "app/clipcontroller.h"
#include "app/dashcontroller.h"
#include "app/desktopservices.h"
#include "app/hotkeybridge.h"
#include "app/indexcontroller.h"
#include "app/inputcontroller.h"
#include "app/keywordimport.h"
#include "app/programcontroller.h"
#include "app/skincontroller.h"
#include "app/windowcontroller.h"
#include "core/autostart.h"
#include "core/incognito.h"
#include "core/storechange.h"
#include "core/text.h"
#include "exec/pipeline.h"
#include "app/engine.h"
#include "platform/linux/localinstance_linux.h"
#include "platform/linux/shutdownwatch.h"
#include "platform/linux/xhotkeys.h"
#include "platform/startup/commandline.h"
#include "platform/startup/dashcommands.h"
#include "platform/startup/report.h"
#include "ui/focuskeeper.h"
#include "ui/mainform.h"
#include "ui/wizardform.h"
#include "ui/windowlogic.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSessionManager>
#include <QTextStream>
#include <QTimer>

#include <cerrno>
#include <sys/resource.h>

namespace vantrelo {

namespace {

// The rescue question as a message box with the three answers.
class TMessageBoxRescue final : public TRescuePrompt {
public:
    TRescueChoice AskRescue(const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::Question, caption, text);
        QPushButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
        QPushButton* ignore = box.addButton(QStringLiteral("Ignore"), QMessageBox::RejectRole);
        QPushButton* open = box.addButton(QStringLiteral("Open folder"), QMessageBox::ActionRole);
        box.setDefaultButton(restore);
        box.exec();
        if (box.clickedButton() == open)
            return TRescueChoice::OpenFolder;
        if (box.clickedButton() == ignore)
            return TRescueChoice::Ignore;
        return TRescueChoice::Restore;
    }
};

} // namespace

TLifecycle::TLifecycle(TAppContext& ctx, QStringList args, std::function<void()> build)
    : ctx_(ctx), args_(std::move(args)), build_(std::move(build)) {}

TLifecycle::~TLifecycle() = default;

int TLifecycle::ClaimInstance() {
    const TCommandLine line = ParseCommandLine(args_);
    if (line.option == TStartOption::Help) {
        QTextStream(stdout) << UsageText();
        return 0;
    }
    if (line.option == TStartOption::Version) {
        QTextStream(stdout) << VersionText(BuiltProgramInfo(QCoreApplication::applicationFilePath())) << "\n";
        return 0;
    }
    QString error;
    const QString folder = InstanceRuntimeFolder(&error);
    if (folder.isEmpty()) {
        QTextStream(stderr) << error << "\n";
        return 1;
    }
    auto channel = std::make_unique<TLocalInstanceChannel>(folder);
    const TInstanceRole role = channel->Claim(this, &error);
    if (role == TInstanceRole::Failed) {
        QTextStream(stderr) << error << "\n";
        return 1;
    }
    if (role == TInstanceRole::Second) {
        // The running program does the work; this start only hands it over.
        const auto messages = MessagesForRunningInstance(line, QDir::currentPath(),
                                                         qEnvironmentVariable("DESKTOP_STARTUP_ID"));
        if (!channel->Send(messages, &error)) {
            QTextStream(stderr) << error << "\n";
            return 1;
        }
        return 0;
    }
    if (line.option == TStartOption::Exit)
        return 0;
    channel_ = std::move(channel);
    return -1;
}

void TLifecycle::InstanceMessage(const TInstanceMessage& message) {
    // Messages arrive once the event loop runs; before the windows exist there is nobody to tell.
    if (ctx_.dash)
        ctx_.dash->InstanceMessage(message);
}

QString TLifecycle::InstanceRequest(const TInstanceMessage& message) {
    if (ctx_.dash)
        return ctx_.dash->InstanceRequest(message);
    return EncodeChangeAnswer({TChangeOutcome::Refused, QStringLiteral("Vantrelo is not ready.")});
}

int TLifecycle::Start() {
    if (const int handedOver = ClaimInstance(); handedOver >= 0)
        return handedOver;
    startup_ = std::make_unique<TStartup>(ParseCommandLine(args_), *this);
    ctx_.safeMode = startup_->SafeMode();
    shutdown_ = std::make_unique<TShutdown>(ctx_.safeMode);
    if (!startup_->CreateInputWindow())
        return 0;
    ctx_.form->StartupCompleted();
    // Browser data an earlier run left behind goes now, on the cleaner's worker.
    const TSettings& s = ctx_.data.settings;
    StartIncognitoCleanup(s.incognito, s.incognitoconfig, *ctx_.desk->incognito);
    // "Open with Vantrelo" follows its setting, also after the setting was changed elsewhere or
    // the program moved (the entry names this executable).
    if (!ctx_.safeMode) {
        const TSaveResult entry = SetOpenWithEntry(s.sendtomenu, QCoreApplication::applicationFilePath());
        if (!entry)
            QTextStream(stderr) << entry.error << "\n";
    }
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland"))
        ctx_.program->Message(QStringLiteral("Vantrelo"),
                              QStringLiteral("This is a Wayland session: Vantrelo runs through XWayland, and its hotkey "
                                             "only works while an X11 window has the keyboard. Bind a desktop shortcut "
                                             "to \"vantrelo --toggle\" to summon it from anywhere."),
                              false);
    // The command line's input and the start-up keywords run once the event loop turns.
    QTimer::singleShot(0, ctx_.owner, [this] {
        if (!ctx_.closing)
            startup_->RunStartupActions();
    });
    QTimer::singleShot(0, ctx_.owner, [this] {
        if (!ctx_.closing)
            startup_->FirstPaint();
    });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, ctx_.owner, [this] { Shutdown(); });
    // The session ends: what the user did so far is written before the session manager goes on.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, ctx_.owner, [this](QSessionManager&) { SessionEnding(); });
    // A shutdown or restart that no session manager announces: logind does, and waits for the save.
    shutdownWatch_ = std::make_unique<TShutdownWatch>([this] { SessionEnding(); });
    shutdownWatch_->Start();
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, ctx_.owner, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive || ctx_.closing)
            return;
        startup_->Activated();
        // Activation may ask for a rescan, as `autoindex` says; a click into the notes or a
        // separate browser window is not a return to the launcher.
        if (ctx_.index && TFocusKeeper::FocusedWindow() == TActivatedWindow::Other)
            ctx_.index->Activated();
    });
    return -1;
}

void TLifecycle::SessionEnding() {
    if (ctx_.closing || !ctx_.program)
        return;
    if (ctx_.form) {
        ctx_.data.settings.posx = ctx_.form->x();
        ctx_.data.settings.posy = ctx_.form->y();
    }
    ctx_.program->WriteSettings();
}

// --- start-up, in the order TStartup calls it ---

TSettingsOutcome TLifecycle::ReadSettings() {
    // From now on the command-line tool hands its changes over instead of writing the file; one
    // it wrote before is in the file read next.
    ctx_.storeChanges = std::make_unique<TStoreChangeHandler>(ctx_.store, ctx_.data);
    ctx_.sys = std::make_unique<TSystemParts>();
    TMessageBoxRescue rescue;
    const TLoadResult loaded = ctx_.store.ReadSettings(ctx_.data, &rescue);
    if (loaded.state == TLoadState::Quit) {
        // "Open folder": the backup's folder for the user, then the program ends without writing.
        // The system services need no settings, so they already exist.
        TShellRequest open;
        open.verb = QStringLiteral("open");
        open.file = ctx_.store.Places().dataFolder;
        if (ctx_.sys->shell.ShellExecute(open) <= 32)
            QTextStream(stderr) << "Could not open " << open.file << "\n";
        return TSettingsOutcome::Quit;
    }
    if (loaded.state == TLoadState::ReadFailed)
        QMessageBox::critical(nullptr, QStringLiteral("Vantrelo"), loaded.error);
    ctx_.data.tags.Build(ctx_.data.keywords);
    build_();
    return loaded.NewInstallation() ? TSettingsOutcome::NewInstallation : TSettingsOutcome::Loaded;
}

const TSettings& TLifecycle::Settings() const { return ctx_.data.settings; }
TSettings& TLifecycle::Settings() { return ctx_.data.settings; }
void TLifecycle::ApplySafeMode() { ctx_.store.ApplySafeMode(ctx_.data.settings); }

// "importurlfast" merges a local file before the window shows; a download never holds the start up.
void TLifecycle::ImportKeywordsNow() { ctx_.keywordImport->Start(true); }
void TLifecycle::StartKeywordImport() { ctx_.keywordImport->Start(); }
void TLifecycle::CaptureLastActiveWindow() { ctx_.window->RememberForeground(); }
void TLifecycle::ShowSafeModeNotice(const QString& text) { ctx_.form->SetLineText(text, true); }

// A new installation, or "-wizard": the profile chosen is saved at once; its look is applied by
// the start's next steps.
void TLifecycle::OpenAppWizard() {
    if (!RunAppWizard(ctx_.data.settings, ctx_.store.Places().dataFolder, false))
        return;
    ctx_.program->WriteSettings();
}

QString SetProgramPriority(int priority) {
    // "Highest" and "High" ask for a lower nice value, which needs privileges on Linux; "Low" stays normal.
    const int nice = priority == 0 ? -10 : priority == 1 ? -5 : 0;
    if (::getpriority(PRIO_PROCESS, 0) == nice)
        return {};
    if (::setpriority(PRIO_PROCESS, 0, nice) == 0)
        return {};
    const QString error = QStringLiteral("Could not set the program's priority: %1").arg(qt_error_string(errno));
    QTextStream(stderr) << error << "\n";
    return error;
}

void TLifecycle::ApplyPriority(int priority) { SetProgramPriority(priority); }

void TLifecycle::PlaceWindow(bool centre) {
    const TSettings& s = ctx_.data.settings;
    TMainForm& form = *ctx_.form;
    const QPoint stored =
        s.popatcursor ? PopUpPosition(QCursor::pos(), form.size(), form.Monitors()) : QPoint(s.posx, s.posy);
    form.move(RescueOffScreen(stored, form.size(), form.Monitors()));
    if (centre)
        form.CenterOnMonitor(s.center == 0 ? TCentre::Screen : TCentre(s.center), false);
}

void TLifecycle::AddTrayIcon() { ctx_.form->AddIcon(); }
void TLifecycle::ApplySkin() { ctx_.skin->Apply(); }

bool TLifecycle::RegisterGlobalHotkey() {
    const TSettings& s = ctx_.data.settings;
    // Without an X display there are no hotkeys to take, and no hotkey means none is wanted.
    if (!ctx_.desk->hotkeys || s.hotkey == 0)
        return true;
    return ctx_.desk->hotkeys->Register(1, s.hotkey, s.hotkeyadd);
}

void TLifecycle::RegisterKeywordHotkeys() { ctx_.hotkeys->RegisterKeywordHotkeys(); }
void TLifecycle::ArmKeyboardHook() { ctx_.hotkeys->ArmKeyboardHook(); }
void TLifecycle::ShowWarning(const QString& caption, const QString& text) { ctx_.program->Message(caption, text, true); }

void TLifecycle::WatchClipboard() { ctx_.clip->Watch(); }
void TLifecycle::ReadClipboardHistory() { ctx_.clip->Read(); }

void TLifecycle::StartIndex() { ctx_.index->Start(); }
void TLifecycle::ShowInputWindow(bool visible) { ctx_.form->ManageShowHide(visible, false, TShowLock::Hotkey); }
void TLifecycle::ExecuteInput(const QString& text) { ctx_.program->Run(TExecRequest::Sent(text)); }
void TLifecycle::PutInput(const QString& text, bool selected) { ctx_.input->SetNewWord(text, selected, false); }
void TLifecycle::HandleFile(const QString& path) { ctx_.dash->HandleFile(path, 0); }

// --- closing, in the order TShutdown calls it ---

void TLifecycle::Shutdown() {
    if (!ctx_.desk || !shutdown_ || shutdown_->Closing())
        return;
    if (ctx_.form) {
        ctx_.data.settings.posx = ctx_.form->x();
        ctx_.data.settings.posy = ctx_.form->y();
    }
    if (!ctx_.openAfterClose.isEmpty())
        shutdown_->OpenAfterClose(ctx_.openAfterClose);
    shutdown_->Close(*this);
    channel_.reset();
}

void TLifecycle::StopTimers() {
    ctx_.closing = true;
    if (ctx_.form)
        ctx_.form->SetClosing();
    if (ctx_.index)
        ctx_.index->StopTimer();
}

void TLifecycle::StopKeyboardHook() {
    if (ctx_.hotkeys)
        ctx_.hotkeys->StopHooks();
}

bool TLifecycle::WaitForWorkers(int timeoutMs) {
    const bool index = !ctx_.index || ctx_.index->Stop(timeoutMs);
    return TQtTaskRunner::WaitForAll(timeoutMs) && index;
}

void TLifecycle::CloseListWindow() {
    if (ctx_.assist)
        ctx_.assist->Hide();
    if (ctx_.form)
        ctx_.form->HideList();
}

void TLifecycle::WriteSettings() { ctx_.program->WriteSettings(); }

void TLifecycle::Backup() {
    // Never in safe mode, and never a copy of a file that was not really loaded.
    if (ctx_.safeMode)
        return;
    QString error;
    if (!vantrelo::Backup(ctx_.store.Places(), ctx_.program->BackupRequest(), &error))
        QTextStream(stderr) << error << "\n";
}

void TLifecycle::SaveNotes() {
    if (ctx_.notes)
        ctx_.notes->SaveNotes();
}

void TLifecycle::SaveClipboardHistory() {
    QString error;
    if (!ctx_.clip || ctx_.clip->WriteNow(&error))
        return;
    // The program is closing: said on its error output (a box would not be seen any more).
    const QString text = QStringLiteral("The clipboard history was not saved: ") + error;
    QTextStream(stderr) << text << "\n";
}

void TLifecycle::SaveIndexCache() {
    if (ctx_.index)
        ctx_.index->SaveCacheIfDirty();
}

void TLifecycle::UnregisterHotkeys() {
    if (ctx_.hotkeys)
        ctx_.hotkeys->UnregisterKeywordHotkeys();
    if (ctx_.desk->hotkeys)
        ctx_.desk->hotkeys->UnregisterAll();
}

void TLifecycle::RemoveTrayIcon() {
    if (ctx_.form) {
        ctx_.form->RemoveIcon(true);
        ctx_.form->hide();
    }
}

void TLifecycle::OpenPath(const QString& path) { ctx_.program->OpenWithShell(path); }

} // namespace vantrelo
