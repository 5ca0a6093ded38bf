// The running launcher: wires the data, the desktop services, the pipeline, suggestions and the windows.
#include "app/application.h"
#include "app/filemenu.h"

#include "app/hotkeybridge.h"
#include "app/qtservices.h"
#include "app/suggestbridge.h"
#include "commands/dispatcher.h"
#include "core/incognito.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/inputline.h"
#include "core/inputtext.h"
#include "exec/itempath.h"
#include "exec/launcher.h"
#include "exec/pipeline.h"
#include "exec/shellexecute.h"
#include "exec/substitution.h"
#include "exec/systemservices.h"
#include "index/indexfiles.h"
#include "index/indexrefresh.h"
#include "index/scanroots.h"
#include "index/scanner.h"
#include "commands/indexcommands.h"
#include "platform/startup/commandline.h"
#include "platform/linux/instancemessage.h"
#include "platform/startup/report.h"
#include "platform/linux/localinstance_linux.h"
#include "platform/linux/netfetcher_linux.h"
#include "platform/linux/procfs.h"
#include "platform/linux/processlauncher_linux.h"
#include "platform/linux/runninginstances_linux.h"
#include "platform/linux/systemcontrol_linux.h"
#include "platform/linux/xdesktop.h"
#include "platform/linux/xhotkeys.h"
#include "platform/linux/xidletime.h"
#include "platform/linux/xkeyboard.h"
#include "suggest/preparedindex.h"
#include "suggest/systemprograms.h"
#include "ui/autocompletepopup.h"
#include "ui/cmdform.h"
#include "ui/editordialogs.h"
#include "ui/editpanel.h"
#include "ui/itemmenu.h"
#include "ui/skin/skinlayout.h"
#include "ui/widgetkit.h"
#include "ui/windowlogic.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextStream>
#include <QTimer>

#include <cerrno>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/resource.h>


namespace vantrelo {

namespace {

// Without an X display (offscreen runs): no other windows and no keys to send.
struct TNoDesktop final : TDesktopWindows {
    quint64 ForegroundWindow() const override { return 0; }
    bool IsOwnWindow(quint64) const override { return false; }
    bool ProgramIsActive() const override { return false; }
    void MinimizeAll() override {}
    void UndoMinimizeAll() override {}
};

struct TNoKeys final : TKeySender {
    void SendChord(int, int) override {}
};

// Shortcut targets for "copy full path": a symbolic link's target, a desktop entry's own file.
struct TFileResolver final : TIndexedPathResolver {
    QString ShortcutTarget(const QString& path) const override {
        const QFileInfo fi(path);
        return fi.isSymLink() ? fi.symLinkTarget() : QString();
    }
    QString ParsingPath(const TMyShellItem& item) const override { return item.path; }
};

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

void NonModalMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

} // namespace

// The services the running program owns, in the order they are built.
struct TAppServices {
    TSystemEnvironment env;
    TSystemFileSystem files;
    TSystemRandom random;
    TSystemClock clock;
    TSystemProgramSearch programs;
    TQtClipboard clipboard;
    TQtWaiter waiter;
    TProcessSoundPlayer sound;
    TLinuxNetworkInfo network;
    TNoDesktop noDesktop;
    TNoKeys noKeys;
    TFileResolver resolver;
    std::unique_ptr<TXDesktop> desktop;
    std::unique_ptr<TXKeyboard> keyboard;
    std::unique_ptr<TXGlobalHotkeys> hotkeys;
    std::unique_ptr<TKeyTextSender> textSender;
    TLinuxProcessLauncher processes;
    std::unique_ptr<TLinuxShell> shell;
    std::unique_ptr<TQtScheduler> scheduler;
    std::unique_ptr<TQtTaskRunner> tasks;
    TLogindPower power;
    std::unique_ptr<TLinuxSession> session;
    std::unique_ptr<TFreedesktopTrash> trash;
    std::unique_ptr<TSoundServerVolume> volume;
    std::unique_ptr<TEjectDrive> disc;
    std::unique_ptr<TIncognitoCleaner> incognito;
    TNetUrlFetcher fetcher;
    TProcFsProcessList processList;
    std::unique_ptr<TLinuxRunningInstances> instances; // single-instance keywords need the desktop

    TDesktopWindows& Windows() { return desktop ? static_cast<TDesktopWindows&>(*desktop) : noDesktop; }
    TKeySender& Keys() { return keyboard ? static_cast<TKeySender&>(*keyboard) : noKeys; }
};

TApplication::TApplication(TPlaces places, QStringList args) : store_(std::move(places)), args_(std::move(args)) {}

TApplication::~TApplication() {
    Shutdown();
    // The windows go before the services they call; the hotkeys, which call the windows, first.
    hotkeys_.reset();
    form_.reset();
}

int TApplication::ClaimInstance() {
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

int TApplication::Start() {
    if (const int handedOver = ClaimInstance(); handedOver >= 0)
        return handedOver;
    startup_ = std::make_unique<TStartup>(ParseCommandLine(args_), *this);
    safeMode_ = startup_->SafeMode();
    shutdown_ = std::make_unique<TShutdown>(safeMode_);
    if (!startup_->CreateInputWindow())
        return 0;
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland"))
        NonModalMessage(form_.get(), QMessageBox::Information, QStringLiteral("Vantrelo"),
                        QStringLiteral("This is a Wayland session: Vantrelo runs through XWayland, and its hotkey "
                                       "only works while an X11 window has the keyboard. Bind a desktop shortcut "
                                       "to \"vantrelo --toggle\" to summon it from anywhere."));
    // The command line's input and the start-up keywords run once the event loop turns.
    QTimer::singleShot(0, this, [this] {
        if (!shutDown_)
            startup_->RunStartupActions();
    });
    QTimer::singleShot(0, this, [this] {
        if (!shutDown_)
            startup_->FirstPaint();
    });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { Shutdown(); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive || shutDown_)
            return;
        startup_->Activated();
        // Activation may ask for a rescan, as `autoindex` says.
        if (refresher_)
            refresher_->OnActivate();
    });
    return -1;
}

// --- start-up, in the order TStartup calls it ---

TSettingsOutcome TApplication::ReadSettings() {
    TMessageBoxRescue rescue;
    const TLoadResult loaded = store_.ReadSettings(data_, &rescue);
    if (loaded.state == TLoadState::Quit)
        return TSettingsOutcome::Quit;
    if (loaded.state == TLoadState::ReadFailed)
        QMessageBox::critical(nullptr, QStringLiteral("Vantrelo"), loaded.error);
    data_.tags.Build(data_.keywords);
    BuildServices();
    return loaded.NewInstallation() ? TSettingsOutcome::NewInstallation : TSettingsOutcome::Loaded;
}

const TSettings& TApplication::Settings() const { return data_.settings; }
TSettings& TApplication::Settings() { return data_.settings; }

void TApplication::ApplySafeMode() { store_.ApplySafeMode(data_.settings); }

void TApplication::BuildServices() {
    TSettings& s = data_.settings;
    svc_ = std::make_unique<TAppServices>();
    TAppServices& v = *svc_;
    QString error;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        v.desktop = TXDesktop::Open(QString(), &error);
        v.keyboard = TXKeyboard::Open(QString(), &error);
        v.hotkeys = TXGlobalHotkeys::Open(QString(), &error);
    }
    v.textSender = std::make_unique<TKeyTextSender>(&v.Keys(), v.keyboard.get(), v.clipboard);
    v.shell = std::make_unique<TLinuxShell>(v.processes);
    v.scheduler = std::make_unique<TQtScheduler>(this);
    v.tasks = std::make_unique<TQtTaskRunner>(this);
    v.session = std::make_unique<TLinuxSession>(v.power, v.processes);
    v.trash = std::make_unique<TFreedesktopTrash>(TFreedesktopTrash::UserTrashFolders());
    v.volume = std::make_unique<TSoundServerVolume>(v.processes);
    v.disc = std::make_unique<TEjectDrive>(v.processes);
    v.incognito = std::make_unique<TIncognitoCleaner>(store_.Places().IncognitoFolder());
    if (v.desktop)
        v.instances = std::make_unique<TLinuxRunningInstances>(v.processList, *v.desktop);

    ectx_ = std::make_unique<TExecContext>(
        s, data_.keywords,
        TExecServices{&v.env, &v.files, &v.clipboard, &v.Windows(), &v.Keys(), &v.waiter, &v.sound, &v.random,
                      &v.clock, &v.network, v.textSender.get(), this, nullptr});
    TCommandServices cs;
    cs.settings = &s;
    cs.exec = ectx_.get();
    cs.host = this;
    cs.launcher = &v.processes;
    cs.power = &v.power;
    cs.session = v.session.get();
    cs.trash = v.trash.get();
    cs.volume = v.volume.get();
    cs.disc = v.disc.get();
    cs.places = store_.Places();
    cs.exeFolder = QCoreApplication::applicationDirPath() + u'/';
    dispatcher_ = std::make_unique<TCommandDispatcher>(cs);
    dispatcher_->InstallExpander(*ectx_);

    TSuggestServices ss;
    ss.env = &v.env;
    ss.files = &v.files;
    ss.clock = &v.clock;
    ss.programs = &v.programs;
    ss.locale = qEnvironmentVariable("LC_ALL", qEnvironmentVariable("LC_MESSAGES", qEnvironmentVariable("LANG")));
    suggest_ = std::make_unique<TSuggestBridge>(data_, ss);

    launcher_ = std::make_unique<TLauncher>(
        *ectx_, TLauncherServices{v.shell.get(), this, v.scheduler.get(), v.tasks.get(), &v.fetcher, v.instances.get(), nullptr,
                                  &suggest_->Index()});
    pipeline_ = std::make_unique<TExecPipeline>(
        *ectx_, TPipelineServices{dispatcher_.get(), launcher_.get(), this, v.scheduler.get(), this, &data_.history,
                                  &data_.tags, store_.Places().programFolder});

    ForceScaleStyle(s);
    form_ = std::make_unique<TMainForm>(s, *this);
    const QString icon = store_.Places().programFolder + QStringLiteral("defaulticon.ico");
    if (QFileInfo::exists(icon))
        form_->setWindowIcon(QIcon(icon));
    SetStatePanel();
    CreateIndex();
    BuildHotkeys();
    if (v.hotkeys) {
        v.hotkeys->SetHandler([this](int id, quint64 userTime) {
            if (!form_ || shutDown_)
                return;
            if (id == 1)
                form_->HotkeyPressed(userTime);
            else
                hotkeys_->HotkeyPressed(id, userTime);
        });
    }
}

void TApplication::BuildHotkeys() {
    THotkeyBridge::TSetup h;
    h.settings = &data_.settings;
    h.keywords = &data_.keywords;
    h.hotkeys = svc_->hotkeys.get();
    h.keys = svc_->keyboard.get();
    h.scheduler = svc_->scheduler.get();
    h.form = form_.get();
    h.pipeline = pipeline_.get();
    h.watchKeys = svc_->desktop != nullptr;
    h.captureForeground = [this] { RememberForeground(); };
    h.warn = [this](const QString& text) { ShowWarning(QStringLiteral("Warning"), text); };
    hotkeys_ = std::make_unique<THotkeyBridge>(std::move(h));
}

void TApplication::ImportKeywordsNow() { NotAvailable(QStringLiteral("Keyword import from a web address")); }
void TApplication::StartKeywordImport() { NotAvailable(QStringLiteral("Keyword import from a web address")); }

void TApplication::ShowSafeModeNotice(const QString& text) { form_->SetLineText(text, true); }

// The configuration wizard belongs to the settings dialog, which this build does not have yet.
void TApplication::OpenAppWizard() {}

void TApplication::ApplyPriority(int priority) {
    // "Highest" and "High" ask for a lower nice value, which needs privileges on Linux; "Low" stays normal.
    const int nice = priority == 0 ? -10 : priority == 1 ? -5 : 0;
    if (nice == 0)
        return;
    if (::setpriority(PRIO_PROCESS, 0, nice) != 0)
        QTextStream(stderr) << "Could not raise the program's priority: " << qt_error_string(errno) << "\n";
}

void TApplication::PlaceWindow(bool centre) {
    const TSettings& s = data_.settings;
    const QPoint stored = s.popatcursor ? PopUpPosition(QCursor::pos(), form_->size(), form_->Monitors())
                                        : QPoint(s.posx, s.posy);
    form_->move(RescueOffScreen(stored, form_->size(), form_->Monitors()));
    if (centre)
        form_->CenterOnMonitor(s.center == 0 ? 1 : s.center, false);
}

void TApplication::AddTrayIcon() { form_->AddIcon(); }

bool TApplication::RegisterGlobalHotkey() {
    const TSettings& s = data_.settings;
    // Without an X display there are no hotkeys to take, and no hotkey means none is wanted.
    if (!svc_->hotkeys || s.hotkey == 0)
        return true;
    return svc_->hotkeys->Register(1, s.hotkey, s.hotkeyadd);
}

void TApplication::RegisterKeywordHotkeys() { hotkeys_->RegisterKeywordHotkeys(); }
void TApplication::ArmKeyboardHook() { hotkeys_->ArmKeyboardHook(); }

void TApplication::ReArmKeyboardHook() {
    // The gaming commands: never in safe mode, never while closing.
    if (hotkeys_ && !safeMode_ && !shutDown_)
        hotkeys_->ArmKeyboardHook();
}

void TApplication::ShowWarning(const QString& caption, const QString& text) {
    NonModalMessage(form_.get(), QMessageBox::Warning, caption, text);
}

// Clipboard history is not part of this build: nothing to watch or read.
void TApplication::WatchClipboard() {}
void TApplication::ReadClipboardHistory() {}

void TApplication::ShowInputWindow(bool visible) { form_->ManageShowHide(visible, false, 230); }

void TApplication::ExecuteInput(const QString& text) {
    pipeline_->DoExecute(TExecRequest::Sent(text));
}

void TApplication::PutInput(const QString& text, bool selected) { SetNewWord(text, selected, false); }

void TApplication::HandleFile(const QString& path) { HandleFile(path, 0); }

void TApplication::HandleFile(const QString& path, quint64 userTime) {
    // Proposes the dash command that adds a keyword for the file: Enter adds it, editing renames it.
    const QFileInfo fi(path);
    QString name = LowerText(fi.isDir() ? fi.fileName() : fi.completeBaseName());
    name.remove(u' ');
    if (name.isEmpty())
        name = QStringLiteral("new");
    form_->ManageShowHide(true, true, 70, userTime);
    SetNewWord(QStringLiteral("-a ") + name + u' ' + fi.absoluteFilePath(), false, true);
    ShowToast(QStringLiteral("Press Enter to add the keyword \"") + name + QStringLiteral("\"."));
}

void TApplication::ApplySkin() {
    TSkinLayout layout = DefaultSkinLayout(data_.settings);
    if (!TrimText(data_.settings.skinname).isEmpty()) {
        TSkinReadRequest request;
        request.name = data_.settings.skinname;
        request.programFolder = store_.Places().programFolder;
        const TSkinReadResult r = ReadSkin(request, data_.settings);
        // A skin that does not check leaves the built-in look, and says why.
        if (!r.ok)
            NonModalMessage(form_.get(), QMessageBox::Warning, QStringLiteral("Vantrelo"), r.error);
        else if (r.found)
            layout = r.layout;
    }
    form_->SetSkinLayout(layout);
}

QString TApplication::CacheFile() const { return store_.Places().dataFolder + QStringLiteral("scancache.dat"); }

void TApplication::CreateIndex() {
    TIndexRefresher::TSetup setup;
    setup.settings = &data_.settings;
    setup.clock = &svc_->clock;
    setup.roots = TScanRoots::FromEnvironment();
    setup.dataFolder = store_.Places().dataFolder;
    setup.safemode = safeMode_;
    refresher_ = std::make_unique<TIndexRefresher>(setup);
    // A finished rescan replaces the live index on this thread; the suggestions share it.
    connect(refresher_.get(), &TIndexRefresher::indexReplaced, this, [this] {
        if (shutDown_ || !refresher_->Index())
            return;
        launcher_->SetIndex(refresher_->Index());
        indexCacheDirty_ = false;
        // The suggestions switch over once a worker has prepared the names (tens of
        // milliseconds for a large index, which typing must not wait for); an index that
        // arrives meanwhile makes this one's names stale.
        std::shared_ptr<const TIndexList> live = refresher_->SharedIndex();
        auto names = std::make_shared<std::vector<TPreparedName>>();
        const quint64 generation = ++indexGeneration_;
        svc_->tasks->Run([live, names] { *names = TPreparedIndex::Prepare(*live); },
                         [this, live, names, generation] {
                             if (shutDown_ || generation != indexGeneration_)
                                 return;
                             suggest_->AdoptIndexPrepared(live, std::move(*names));
#ifdef __GLIBC__
                             // The reading buffers and the replaced index are free now; give
                             // their pages back instead of keeping them in the arenas.
                             ::malloc_trim(0);
#endif
                         });
    });
    connect(refresher_.get(), &TIndexRefresher::cacheSaveFailed, this, [this](const QString& error) {
        indexCacheDirty_ = true;
        ShowToast(error);
    });
    RegisterIndexCommands(*dispatcher_, *refresher_, [this] { return LineText(); });
    dispatcher_->SetHandler(TCommandBlock::Pin, [this](TCommandCall& c) { RunPin(c.para); });
}

void TApplication::StartIndex() {
    // The cache arrives through indexReplaced once a worker has read it: the window never waits.
    refresher_->LoadCacheAsync();
    refresher_->OnStart();
    StartIdleTimer();
}

TAssistEdit TApplication::AssistEdit() const {
    if (assistInEditor_) {
        // The multi-line editor's own text and caret.
        const QTextCursor c = form_->CmdForm()->MultiEdit()->textCursor();
        return TAssistEdit{form_->CmdForm()->EditorText(), c.position(), int(c.selectedText().size()), false};
    }
    const TLineState line = form_->Line();
    return TAssistEdit{line.text, line.caret, line.selLength, false};
}

void TApplication::InputAssist(bool isUpdate) {
    if (shutDown_ || !form_ || !form_->isVisible())
        return;
    if (assistInEditor_ && !form_->CmdForm()->EditorVisible())
        return;
    if (!suggest_->BuildAssist(AssistEdit(), isUpdate))
        return;
    const TSettings& s = data_.settings;
    if (!assistPopup_) {
        assistPopup_ = std::make_unique<TAutocompletePopup>();
        assistPopup_->FOnSelect = [this](int row, bool shift) { AssistChosen(row, false, shift); };
        assistPopup_->FOnSoftSelect = [this](int row, bool shift) { AssistChosen(row, true, shift); };
        assistPopup_->FOnUpdate = [this] { InputAssist(true); };
    }
    const TAssistStyle st = AssistStyle(s.textcolor, s.textbackcolor, s.assistfontsize);
    assistPopup_->SetBorderColor(st.borderColor);
    assistPopup_->SetBackgroundColor(st.backgroundColor);
    assistPopup_->SetFontColor(st.fontColor);
    assistPopup_->SetRowColors(st.hoverColor, st.selectedColor);
    assistPopup_->SetFontSize(st.fontSize);
    const TInputAssist& a = suggest_->Assist();
    assistPopup_->UpdateItems(a.Rows(), a.ContextText(), a.ExtraContextText());
    if (isUpdate && assistPopup_->isVisible())
        return;
    if (assistInEditor_)
        assistPopup_->ShowAt(form_->CmdForm()->MultiEdit(), qRound(25 * form_->logicalDpiY() / 96.0));
    else
        assistPopup_->ShowAt(form_->WordEdit());
}

void TApplication::AssistChosen(int row, bool isSoft, bool shift) {
    if (shutDown_ || !form_)
        return;
    const TAssistChoice c = suggest_->AssistSelect(AssistEdit(), row, isSoft);
    if (assistInEditor_) {
        // In the editor the choice replaces its text, and running it is the Execute button.
        TEditPanel* editor = form_->CmdForm()->Editor();
        if (c.setLine)
            editor->SetText(c.line);
        if (c.execute)
            editor->Submit();
        return;
    }
    if (c.setLine)
        SetNewWord(c.line, false, true);
    if (c.execute) {
        form_->StopListTimer();
        pipeline_->DoExecute(TExecRequest::Typed(c.executeText, shift));
    }
}

void TApplication::StartIdleTimer() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    // The timer keeps running and asks the desktop only in an idle mode, so a later autoindex
    // change needs no re-arming; a desktop without idle time is asked again later.
    idleTimer_ = new QTimer(this);
    idleTimer_->setInterval(10000);
    connect(idleTimer_, &QTimer::timeout, this, [this] {
        if (shutDown_ || !refresher_ || !RefreshesWhenIdle(data_.settings))
            return;
        if (!idle_) {
            QString error;
            idle_ = TXIdleTime::Open(QString(), &error);
            if (!idle_)
                return;
        }
        if (const std::optional<qint64> ms = idle_->IdleMilliseconds())
            refresher_->OnIdleTick(*ms);
        else
            idle_.reset(); // the connection broke: open it again next time
    });
    idleTimer_->start();
}

void TApplication::Shutdown() {
    if (!svc_ || !shutdown_ || shutdown_->Closing())
        return;
    if (form_) {
        data_.settings.posx = form_->x();
        data_.settings.posy = form_->y();
    }
    if (!openAfterClose_.isEmpty())
        shutdown_->OpenAfterClose(openAfterClose_);
    shutdown_->Close(*this);
    channel_.reset();
}

// --- closing, in the order TShutdown calls it ---

void TApplication::StopTimers() {
    shutDown_ = true;
    if (form_)
        form_->SetClosing();
    if (idleTimer_)
        idleTimer_->stop();
}

void TApplication::StopKeyboardHook() {
    if (hotkeys_)
        hotkeys_->StopHooks();
}

bool TApplication::WaitForWorkers(int timeoutMs) {
    bool stopped = true;
    if (refresher_ && !refresher_->Stop(QDeadlineTimer(timeoutMs))) {
        QTextStream(stderr) << "The index worker did not stop in time.\n";
        stopped = false;
    }
    return TQtTaskRunner::WaitForAll(timeoutMs) && stopped;
}

void TApplication::CloseListWindow() {
    if (assistPopup_)
        assistPopup_->hide();
    if (form_)
        form_->HideList();
}

void TApplication::Backup() {
    // Never in safe mode, and never a copy of a file that was not really loaded.
    if (safeMode_)
        return;
    QString error;
    if (!vantrelo::Backup(store_.Places(), BackupRequest(), &error))
        QTextStream(stderr) << error << "\n";
}

// Notes are not part of this build: nothing to save.
void TApplication::SaveNotes() {}

void TApplication::SaveIndexCache() {
    // The refresher writes the cache after every scan; only a failed write is made up here.
    if (!indexCacheDirty_ || !refresher_ || !refresher_->Index())
        return;
    const TSaveResult c = vantrelo::SaveIndexCache(CacheFile(), *refresher_->Index());
    if (!c)
        QTextStream(stderr) << c.error << "\n";
}

void TApplication::UnregisterHotkeys() {
    if (hotkeys_)
        hotkeys_->UnregisterKeywordHotkeys();
    if (svc_->hotkeys)
        svc_->hotkeys->UnregisterAll();
}

void TApplication::RemoveTrayIcon() {
    if (form_) {
        form_->RemoveIcon(true);
        form_->hide();
    }
}

// --- keys and list ---

void TApplication::Execute(const QString& textIn, bool runas, bool browser) {
    QString text = textIn;
    if (TrimText(text).isEmpty())
        return;
    const int unknown = data_.settings.unknownlaunchtype;
    if (unknown == 1 && suggest_->LaunchFirstListEntry(text, form_->ListVisible()))
        form_->SetLineText(text, false);
    else if (unknown == 2 && suggest_->FastSearchFallback(text))
        form_->SetLineText(text, false);
    // The line as it is now: never a list or binding from an earlier text.
    text = form_->Line().text;
    form_->StopListTimer();
    pipeline_->DoExecute(TExecRequest::Typed(text, runas, browser));
}

void TApplication::ShowRows(bool focus) {
    if (!form_->isVisible())
        return;
    const QString text = form_->Line().text;
    if (!suggest_->HasEntries() || (!focus && (text.isEmpty() || !data_.settings.autodropdown))) {
        form_->HideList();
        return;
    }
    form_->DisplayList(suggest_->Rows(), focus);
}

void TApplication::RefreshList(const QString& text, int caret, bool focus) {
    suggest_->Refresh(text, caret);
    ShowRows(focus);
    UpdateTitle(false);
}

void TApplication::UpdateTitle(bool force) {
    const QString text = form_->Line().text;
    QString title = suggest_->TitleFor(text);
    form_->displayTitle(title, IsPath(title), force);
}

void TApplication::InputEdited(const QString& text, int caret, bool typedChar, bool refreshList) {
    suggest_->Revalidate(text);
    if (text.isEmpty()) {
        ResetCurrentSearch(false);
        return;
    }
    if (typedChar) {
        // Inline completion: the completed part stays selected, so the next character types over it.
        const TSuggestBridge::TTyped t = suggest_->Typed(text, caret);
        if (t.completed) {
            form_->SetLineText(t.text, false);
            form_->SetLineSelection(t.selStart, t.selStart + t.selLength);
        }
        if (refreshList)
            ShowRows(false);
        UpdateTitle(false);
        return;
    }
    if (refreshList)
        RefreshList(text, caret, false);
    else
        UpdateTitle(false);
}

void TApplication::TakeRow(int row, bool launch, bool runas, bool browser, bool expand) {
    const QString rowText = suggest_->RowText(row);
    if (rowText.isEmpty() || rowText.startsWith(QLatin1String("===")))
        return;
    const QString line = form_->Line().text;
    const QString& sep = data_.settings.separator;
    const qsizetype pos = sep.isEmpty() ? -1 : line.lastIndexOf(sep);
    QString text = (pos >= 0 ? line.left(pos + sep.size()) : QString()) + rowText;
    if (!IsPath(rowText))
        text += GetExtraExt(rowText, data_.settings, data_.keywords);
    suggest_->BindRow(row, text);
    form_->SetLineText(text, false);
    form_->wordEditShow();
    form_->RemoveListFocus();
    UpdateTitle(false);
    if (expand) {
        form_->ExpandInput(text);
        return;
    }
    form_->HideList();
    if (launch)
        Execute(text, runas, browser);
}

void TApplication::InputKey(const TKeyDecision& d, const TLineState& line) {
    switch (d.action) {
    case TKeyAction::Execute:
        Execute(line.text, d.forcerunas, d.forcebrowser);
        break;
    case TKeyAction::ClearInfoText:
    case TKeyAction::ClearLine:
        ResetCurrentSearch(true);
        break;
    case TKeyAction::ClearAndHide:
        ResetCurrentSearch(true);
        form_->ManageShowHide(false, false, 230);
        break;
    case TKeyAction::SwitchToLastActive:
        ActivateLastActiveWindow();
        break;
    case TKeyAction::PickNumber:
        if (form_->ListVisible())
            TakeRow(form_->CmdForm()->RowWithNumber(d.number), true, false, false, false);
        break;
    case TKeyAction::ListNext:
        if (form_->ListVisible() && suggest_->HasEntries())
            form_->SetListFocus(FirstRowOfList());
        else
            ProcessInput(TInputRequest::ShowForInput, QString(), false);
        break;
    case TKeyAction::ListPrevious:
        if (form_->ListVisible() && suggest_->HasEntries())
            form_->SetListFocus(form_->CmdForm()->RowCount() - 1);
        break;
    case TKeyAction::ShowAll:
        ProcessInput(TInputRequest::ShowAll, QString(), false);
        break;
    case TKeyAction::SetLine:
        if (d.text.isEmpty()) {
            ResetCurrentSearch(true);
        } else {
            form_->SetLineText(d.text, false);
            suggest_->FolderCacheStale();
            InputEdited(d.text, int(d.text.size()), false, true);
        }
        break;
    case TKeyAction::CopyFullPath: {
        const QString path = GetPathFromItem(line.text, CurrentItem(), true, *ectx_, svc_->resolver);
        if (!path.isEmpty())
            SetNewWord(path, false, true);
        break;
    }
    case TKeyAction::TabAccept: {
        const TItem* item = CurrentItem();
        if (item) {
            const QString path = GetPathFromItem(line.text, item, true, *ectx_, svc_->resolver);
            if (!path.isEmpty() && path != line.text) {
                SetNewWord(path, false, true);
                break;
            }
        }
        const int start = TabAcceptStart(line.text, line.caret);
        form_->SetLineSelection(start, int(line.text.size()));
        break;
    }
    case TKeyAction::TabBack:
        form_->SetLineSelection(TabBackStart(line.text, line.caret), int(line.text.size()));
        break;
    case TKeyAction::ToggleReverse:
        ShowToast(QStringLiteral("Reversing the list is not available yet."));
        break;
    case TKeyAction::InputAssist:
        // The popup opens once this key is done, on this thread.
        QTimer::singleShot(25, this, [this] {
            assistInEditor_ = false;
            InputAssist(false);
        });
        break;
    case TKeyAction::StartPage:
    case TKeyAction::EndBrowser:
        ShowToast(QStringLiteral("The internal browser is not available yet."));
        break;
    default:
        break;
    }
}

int TApplication::FirstRowOfList() const {
    const TCmdForm& f = *form_->CmdForm();
    if (data_.settings.comboheaders && f.RowCount() > 1 && f.Row(0).header)
        return 1;
    return 0;
}

void TApplication::ListKey(const TListKeyDecision& d, int row) {
    switch (d.action) {
    case TListKeyAction::PickNumber:
        TakeRow(form_->CmdForm()->RowWithNumber(d.number), true, false, false, false);
        break;
    case TListKeyAction::Take:
        TakeRow(row, d.launch, d.forcerunas, d.forcebrowser, false);
        break;
    case TListKeyAction::TakeExpand:
        TakeRow(row, false, false, false, true);
        break;
    case TListKeyAction::RemoveRow: {
        // A window row closes its window; other rows leave the history.
        if (const auto* w = ItemAs<TMyWindowItem>(suggest_->RowItem(row))) {
            if (svc_->desktop)
                svc_->desktop->Close(w->hand);
            break;
        }
        const QString text = suggest_->RowText(row);
        if (!text.isEmpty() && data_.history.KillHist(text)) {
            WriteSettings();
            RefreshList(form_->Line().text, form_->Line().caret, true);
        }
        break;
    }
    case TListKeyAction::ContextMenu: {
        // At x = 26, y = the row's top + 9 in the list window.
        const TEntryList* list = form_->CmdForm()->EntryList();
        const int y = list->y() + (row - list->TopRow()) * list->RowHeight() + 9;
        RowMenu(row, form_->CmdForm()->mapToGlobal(QPoint(26, y)));
        break;
    }
    default:
        MoreListKey(d, row);
        break;
    }
}

void TApplication::RowActivated(int row, bool runas, bool browser) {
    TakeRow(row, data_.settings.itemquicklaunch, runas, browser, false);
}

void TApplication::RowMenu(int row, QPoint globalPos) {
    if (suggest_->RowText(row).isEmpty())
        return;
    ShowItemMenu(
        suggest_->RowItem(row), suggest_->RowText(row), form_->CmdForm(), globalPos,
        [this, row] { TakeRow(row, true, QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier, false, false); },
        [this, row] {
            TakeRow(row, false, false, false, false);
            OpenKeywordEditor();
        });
}

void TApplication::EditorExecute(const QString& text, bool runas, bool browser) {
    form_->SetLineText(text, false);
    form_->wordEditShow();
    if (text.startsWith(QLatin1String("->")))
        return;
    Execute(text, runas, browser);
}

void TApplication::Command(TFormCommand command) {
    switch (command) {
    case TFormCommand::CopyFullPath: {
        const QString line = form_->Line().text;
        const QString path = GetPathFromItem(line, CurrentItem(), true, *ectx_, svc_->resolver);
        if (!path.isEmpty())
            svc_->clipboard.SetText(path);
        break;
    }
    case TFormCommand::OpenFolder: {
        const QString line = form_->Line().text;
        const QString folder = GetPathFromItem(line, CurrentItem(), false, *ectx_, svc_->resolver);
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            ShowToast(QStringLiteral("Could not detect a folder path to open"));
            break;
        }
        TShellRequest r;
        r.verb = QStringLiteral("open");
        r.file = folder;
        if (svc_->shell->ShellExecute(r) <= 32)
            ShowFailure(QStringLiteral("Could not open ") + folder);
        break;
    }
    case TFormCommand::ShowHint:
        UpdateTitle(true);
        break;
    case TFormCommand::Exit:
        CloseProgram();
        break;
    case TFormCommand::OpenWindow:
        form_->ManageShowHide(true, false, 230);
        break;
    case TFormCommand::ItemMenu: {
        // At the mouse, or under the left end of the input field.
        QLineEdit* edit = form_->WordEdit();
        const QPoint at = data_.settings.contextmenumouse ? QCursor::pos()
                                                          : edit->mapToGlobal(QPoint(0, edit->height() + S(edit, 4)));
        ShowItemMenu(
            CurrentItem(), form_->Line().text, form_.get(), at,
            [this] {
                Execute(form_->Line().text, QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier, false);
            },
            [this] { OpenKeywordEditor(); });
        break;
    }
    case TFormCommand::ToggleSpellCheck: {
        data_.settings.spellcheckedit = !data_.settings.spellcheckedit;
        const bool dictionary = form_->CmdForm()->Editor()->ApplySpellCheck();
        ShowToast(SpellToastText(data_.settings.spellcheckedit, dictionary));
        WriteSettings();
        break;
    }
    }
}

void TApplication::RememberForeground() {
    const quint64 w = svc_->Windows().ForegroundWindow();
    if (w != 0 && !svc_->Windows().IsOwnWindow(w))
        lastActive_ = w;
}

void TApplication::ActivateOwnWindow(quint64 window, quint64 userTime) {
    if (!svc_->desktop)
        return;
    svc_->desktop->Activate(window, userTime);
    // A window that was only just mapped may not be managed yet: ask once more a moment later.
    QTimer::singleShot(60, this, [this, window, userTime] {
        if (form_ && form_->isVisible() && !form_->isActiveWindow() && svc_->desktop)
            svc_->desktop->Activate(window, userTime);
    });
}

void TApplication::InputWidthChanged(int width) {
    data_.settings.width = width;
    data_.settings.customwidth = width;
    form_->ApplyLook();
    if (form_->ListVisible())
        form_->SetListPos();
}

std::optional<QRect> TApplication::LastActiveFrame() const {
    if (!svc_->desktop || lastActive_ == 0 || !svc_->desktop->IsWindow(lastActive_))
        return std::nullopt;
    return svc_->desktop->FrameRect(lastActive_);
}

// --- TPipelineView ---

QString TApplication::LineText() const { return form_->Line().text; }
void TApplication::SetLineColor(int colour) { form_->SetLineColor(colour); }
void TApplication::SelectLine() { form_->WordEdit()->selectAll(); }
void TApplication::DeselectLine() { form_->WordEdit()->deselect(); }

void TApplication::SetNewWord(const QString& text, bool selectall, bool ignoredrop) {
    form_->SetLineText(text, selectall);
    suggest_->Revalidate(text);
    suggest_->FolderCacheStale();
    if (!ignoredrop && data_.settings.autodropdown && !text.isEmpty())
        RefreshList(text, int(text.size()), false);
    else
        UpdateTitle(false);
}

void TApplication::FocusLineAtEnd(const QString& text) {
    form_->SetLineText(text, false);
    form_->WordEdit()->setFocus();
}

void TApplication::StopListTimer() { form_->StopListTimer(); }

void TApplication::ProcessInput(TInputRequest request, const QString&, bool aftercommand) {
    const TLineState line = form_->Line();
    switch (request) {
    case TInputRequest::ShowForInput:
        RefreshList(line.text, line.caret, true);
        break;
    case TInputRequest::RefreshSilently:
        suggest_->Refresh(line.text, line.caret);
        // After a command the window is not raised again just to show the list.
        if (!aftercommand)
            ShowRows(false);
        break;
    case TInputRequest::ShowAll:
        suggest_->ShowAll(line.text);
        ShowRows(true);
        break;
    case TInputRequest::NextCompletion:
    case TInputRequest::PreviousCompletion:
        if (form_->ListVisible())
            form_->SetListFocus(request == TInputRequest::NextCompletion ? FirstRowOfList()
                                                                          : form_->CmdForm()->RowCount() - 1);
        break;
    case TInputRequest::TakeItemPath: {
        const QString path = GetPathFromItem(line.text, CurrentItem(), true, *ectx_, svc_->resolver);
        if (!path.isEmpty())
            SetNewWord(path, false, true);
        break;
    }
    default:
        ShowToast(QStringLiteral("This list action is not available yet."));
        break;
    }
}

void TApplication::ResetCurrentSearch(bool cleartext) {
    if (cleartext)
        form_->SetLineText(QString(), false);
    suggest_->Clear();
    form_->wordEditShow();
    form_->HideList();
    form_->displayTitle(QString(), false, false);
}

void TApplication::ClearSuggestions() { suggest_->ClearSuggestions(); }

const TItem* TApplication::CurrentItem() const { return suggest_->ItemFor(form_->Line().text); }

void TApplication::SetCurrentItem(std::unique_ptr<TItem>) {
    // Items come from list rows only (BindRow); the pipeline's own choice is not kept across texts.
}

bool TApplication::CheckMinusCommand(const QString& input) {
    const TProgramInfo info = BuiltProgramInfo(QCoreApplication::applicationFilePath());
    const TDashContext context{store_.Places(), data_.settings, info, svc_->clock, *this};
    return RunDashCommand(input, context);
}

bool TApplication::LaunchFirstListEntry(bool) {
    QString text = form_->Line().text;
    if (!suggest_->LaunchFirstListEntry(text, form_->ListVisible()))
        return false;
    form_->SetLineText(text, false);
    return true;
}

bool TApplication::ShiftHeld() const { return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier; }
bool TApplication::AltHeld() const { return QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier; }

void TApplication::ShowMessage(const QString& text) {
    NonModalMessage(form_.get(), QMessageBox::Information, QStringLiteral("Vantrelo"), text);
}

void TApplication::ShowToast(const QString& text) { form_->ShowToast(text); }

void TApplication::ShowCalcResult(const QString& title, const QString& prompt, const QString& value) {
    auto* dlg = new QInputDialog(form_.get());
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setWindowTitle(title);
    dlg->setLabelText(prompt);
    dlg->setTextValue(value);
    dlg->show();
}

void TApplication::ShowOutput(const QString& text, bool) { form_->ShowTextPanel(text); }
bool TApplication::ListWindowExists() const { return form_ != nullptr; }
void TApplication::HideListWindow() { form_->HideList(); }
void TApplication::HideInputWindow() { form_->ManageShowHide(false, false, 230); }

void TApplication::CloseProgram() {
    // Leaving the event loop unconditionally (a quit would first ask the windows, which refuse);
    // the stop runs from there, never inside this call's caller.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

void TApplication::RemoveClipEntry(const QString&) {}

bool TApplication::ActivateLastActiveWindow() {
    if (!svc_->desktop || lastActive_ == 0 || !svc_->desktop->IsWindow(lastActive_))
        return false;
    return svc_->desktop->Activate(lastActive_, 0);
}

void TApplication::ActivateWindow(quint64 window) {
    if (svc_->desktop)
        svc_->desktop->Activate(window, 0);
}

void TApplication::ClearIncognitoFolder() {
    svc_->incognito->ClearIncognitoFolder(data_.settings.incognito, false);
}

// --- TInputHost ---

void TApplication::ShowInputWindow() { form_->ManageShowHide(true, true, 230); }
QString TApplication::SelectedInputText() const { return form_->WordEdit()->selectedText(); }

void TApplication::CopyInputSelection(bool cut) {
    if (cut)
        form_->WordEdit()->cut();
    else
        form_->WordEdit()->copy();
}

void TApplication::PasteIntoInput() { form_->WordEdit()->paste(); }
void TApplication::SetLastActiveWindow(quint64 window) { lastActive_ = window; }

// --- settings ---

void TApplication::WriteSettings() {
    const TSaveResult r = store_.WriteSettings(data_);
    if (!r)
        NonModalMessage(form_.get(), QMessageBox::Warning, QStringLiteral("Vantrelo"), r.error);
}

bool TApplication::WriteSettings(QString* error) {
    const TSaveResult r = store_.WriteSettings(data_);
    if (!r && error)
        *error = r.error;
    return bool(r);
}

TBackupRequest TApplication::BackupRequest() const {
    TBackupRequest b;
    b.enabled = data_.settings.backup;
    b.settingsTrusted = store_.Trusted();
    return b;
}

// --- TCommandHost ---

void TApplication::ShowFailure(const QString& message) {
    form_->SetLineColor(data_.settings.failcolor);
    pipeline_->PlayEventSound(kFailSound);
    ShowToast(message);
}

void TApplication::SetStatePanel() {
    const TSettings& s = data_.settings;
    form_->SetStatePanel(StatePanelText(s.holdtext, s.incognito, s.gamingmode));
}

void TApplication::SetDesign() {
    form_->ApplyLook();
    ApplySkin();
}
void TApplication::MoveInputWindow(int x, int y) { form_->move(x, y); }

void TApplication::SetIncognitoMode(bool on, bool toggle) {
    data_.settings.incognito = toggle ? !data_.settings.incognito : on;
    SetStatePanel();
}

// --- messages of other instances ---

void TApplication::InstanceMessage(const TInstanceMessage& m) {
    if (!form_ || shutDown_)
        return;
    using K = TInstanceMessageKind;
    const quint64 userTime = UserTimeFromActivationToken(m.activationToken);
    switch (m.kind) {
    case K::Activate:
    case K::Open:
        if (data_.settings.popatcursor)
            form_->move(PopUpPosition(QCursor::pos(), form_->size(), form_->Monitors()));
        if (!form_->isVisible() || m.kind == K::Activate)
            form_->ManageShowHide(true, false, 70, userTime);
        break;
    case K::HotOpen:
        form_->HotkeyPressed(0, 70);
        break;
    case K::Hide:
        form_->CheckAutoHideLogic();
        break;
    case K::Command:
        // Executed as typed, without raising the window.
        pipeline_->DoExecute(TExecRequest::Sent(m.text));
        break;
    case K::Input:
    case K::InputSelected:
        form_->ManageShowHide(true, true, 70, userTime);
        SetNewWord(m.text, m.kind == K::InputSelected, false);
        break;
    case K::SendTo:
        // The proposal shows the window itself; a path that is gone only raises it.
        if (QFileInfo::exists(m.text))
            HandleFile(m.text, userTime);
        else
            form_->ManageShowHide(true, true, 70, userTime);
        break;
    case K::Close:
        CloseProgram();
        break;
    }
}

// --- dash commands ---

void TApplication::NotAvailable(const QString& what) {
    ShowToast(what + QStringLiteral(" is not available yet."));
}

void TApplication::ToggleOneWindow() {
    data_.settings.onewindow = !data_.settings.onewindow;
    if (!form_->isActiveWindow())
        form_->ManageShowHide(true, true, 70);
    form_->ApplyLook();
    WriteSettings();
}

void TApplication::OpenSettings(TSettingsPage, const QString&) { NotAvailable(QStringLiteral("The settings dialog")); }
void TApplication::SelectInput() { form_->WordEdit()->selectAll(); }

void TApplication::AddNewKeyWord(const QString& name, const QString& command, const QString& parameters) {
    // Without the keyword editor the keyword is added as given and saved at once.
    auto word = MakeNewKeyword(name, command, parameters);
    const QString shown = word->keywords;
    data_.keywords.Add(std::move(word));
    data_.tags.Build(data_.keywords);
    WriteSettings();
    ShowToast(QStringLiteral("Keyword added: ") + shown);
}

void TApplication::OpenKeywordEditor() { NotAvailable(QStringLiteral("The keyword editor")); }

void TApplication::CloseProgram(const QString& thenOpen) {
    openAfterClose_ = thenOpen;
    CloseProgram();
}

void TApplication::ImportKeywordsFromFile() { NotAvailable(QStringLiteral("Keyword import")); }
void TApplication::ImportFromStartMenu() { NotAvailable(QStringLiteral("Import from the application menu")); }
void TApplication::ImportKeywordsFromUrl(const QString&) { NotAvailable(QStringLiteral("Keyword import")); }
void TApplication::ExportKeywords() { NotAvailable(QStringLiteral("Keyword export")); }
void TApplication::Answer(const QString& text) { SetNewWord(text, true, true); }

void TApplication::OpenPath(const QString& path) {
    TShellRequest r;
    r.verb = QStringLiteral("open");
    r.file = path;
    if (svc_->shell->ShellExecute(r) <= 32)
        ShowFailure(QStringLiteral("Could not open ") + path);
}

void TApplication::OpenNotes(const QString&) { NotAvailable(QStringLiteral("The notes window")); }
void TApplication::OpenWebPage(const QString& url) { OpenPath(url); }

void TApplication::ShowMainMenuSoon() {
    QTimer::singleShot(25, this, [this] {
        if (form_)
            form_->ShowMainMenu();
    });
}

void TApplication::ShowMessage(const QString& caption, const QString& text) {
    NonModalMessage(form_.get(), QMessageBox::Information, caption, text);
}

TReportFacts TApplication::ReportFacts() const {
    TReportFacts f;
    f.programSize = QFileInfo(QCoreApplication::applicationFilePath()).size();
    f.indexedCount = int(suggest_->IndexSize());
    f.keywordCount = int(data_.keywords.size());
    f.historyCount = int(data_.history.size());
    f.tagCount = int(data_.tags.Tags().size());
    f.osVersion = QSysInfo::prettyProductName() + QStringLiteral(", kernel ") + QSysInfo::kernelVersion();
    f.architecture = ArchitectureText(QSysInfo::currentCpuArchitecture());
    f.desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    f.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE", QGuiApplication::platformName());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        f.colourDepth = screen->depth();
        f.pixelsPerInch = int(screen->logicalDotsPerInch());
        f.primaryWidth = screen->geometry().width();
        f.primaryHeight = screen->geometry().height();
    }
    f.monitorCount = int(QGuiApplication::screens().size());
    return f;
}

// --- The list window's further keys, resizing and the pin ---

void TApplication::MoreListKey(const TListKeyDecision& d, int row) {
    switch (d.action) {
    case TListKeyAction::KillProcess: {
        const auto* w = ItemAs<TMyWindowItem>(suggest_->RowItem(row));
        TWindowFacts facts;
        if (w && svc_->desktop && svc_->desktop->Describe(w->hand, &facts) && facts.pid > 0)
            svc_->processList.Terminate(facts.pid);
        break;
    }
    case TListKeyAction::CopyFullPath:
        TakeRow(row, false, false, false, false);
        Command(TFormCommand::CopyFullPath);
        if (d.reset)
            ResetCurrentSearch(true);
        break;
    case TListKeyAction::ExpandFolder: {
        TakeRow(row, false, false, false, false);
        const QString line = form_->Line().text;
        QString folder = GetPathFromItem(line, CurrentItem(), true, *ectx_, svc_->resolver);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            break;
        // A folder that ends in "/" lists its contents.
        if (!folder.endsWith(u'/'))
            folder += u'/';
        SetNewWord(folder, false, false);
        RefreshList(folder, int(folder.size()), true);
        break;
    }
    case TListKeyAction::KeywordEditor:
    case TListKeyAction::AddKeyword:
        TakeRow(row, false, false, false, false);
        OpenKeywordEditor();
        break;
    case TListKeyAction::Settings:
        form_->RemoveListFocus();
        OpenSettings(TSettingsPage{}, QString());
        break;
    case TListKeyAction::Help:
        NotAvailable(QStringLiteral("Help"));
        break;
    case TListKeyAction::StartPage:
    case TListKeyAction::ToggleBrowser:
    case TListKeyAction::EndBrowser:
        NotAvailable(QStringLiteral("The internal browser"));
        break;
    default:
        break;
    }
}

void TApplication::ListRowsChanged(int rows) {
    data_.settings.maxvisible = rows;
    WriteSettings();
    if (form_->ListVisible() && !form_->CmdForm()->CustomElementShowing())
        form_->DisplayList(suggest_->Rows(), false);
    else
        form_->ApplyLook();
}

void TApplication::EditorKey(const TEditorKeyDecision& d) {
    switch (d.action) {
    case TEditorKeyAction::KeywordEditor:
        OpenKeywordEditor();
        break;
    case TEditorKeyAction::Settings:
        OpenSettings(TSettingsPage{}, QString());
        break;
    case TEditorKeyAction::ToggleBrowser:
    case TEditorKeyAction::EndBrowser:
        NotAvailable(QStringLiteral("The internal browser"));
        break;
    case TEditorKeyAction::InputAssist:
        // The popup opens once this key is done, on this thread.
        QTimer::singleShot(25, this, [this] {
            assistInEditor_ = true;
            InputAssist(false);
        });
        break;
    default:
        break;
    }
}

void TApplication::RunPin(const QString& para) {
    const bool off = SameText(para, QStringLiteral("off"));
    if (!off && !SameText(para, QStringLiteral("on"))) {
        PinCommand();
        return;
    }
    data_.settings.pin = !off;
    form_->CmdForm()->SetPinImage();
    if (form_->ListVisible())
        form_->DisplayList(suggest_->Rows(), false);
    WriteSettings();
}

void TApplication::PinCommand() {
    if (!ListWindowExists()) {
        ShowMessage(QStringLiteral("Pin image only works with a visible list enabled."));
        return;
    }
    TCmdForm* list = form_->CmdForm();
    const QString file = list->Dialogs().OpenPicture(list);
    if (file.isEmpty())
        return;
    data_.settings.pinfile = file;
    data_.settings.pin = true;
    list->SetPinImage();
    if (form_->ListVisible())
        form_->DisplayList(suggest_->Rows(), false);
    WriteSettings();
}

// --- Context menus ---

void TApplication::OpenWithShell(const QString& target) {
    TShellRequest r;
    r.verb = QStringLiteral("open");
    r.file = target;
    if (svc_->shell->ShellExecute(r) <= 32)
        ShowFailure(QStringLiteral("Could not open ") + target);
}

void TApplication::ShowItemMenu(const TItem* item, const QString& text, QWidget* owner, QPoint globalPos,
                                std::function<void()> open, std::function<void()> edit) {
    item = Unwrapped(item);
    TItemMenuFacts facts;
    facts.text = text;
    if (const auto* shell = ItemAs<TMyShellItem>(item)) {
        facts.kind = TItemMenuKind::Indexed;
        facts.indexedPath = shell->path;
    } else if (ItemAs<TMyWindowItem>(item)) {
        facts.kind = TItemMenuKind::Window;
    } else if (ItemAs<TMyClipItem>(item)) {
        facts.kind = TItemMenuKind::Clip;
    }
    TItemMenuProbe probe;
    probe.isPath = [](const QString& t) { return IsPath(t); };
    probe.expand = [this](const QString& t) { return ectx_->expandCommand(t, true); };
    probe.keywordTarget = [this](const QString& word) -> std::optional<QString> {
        const TExeWord* w = data_.keywords.FindKeyword(word, true);
        if (!w)
            return std::nullopt;
        return ectx_->expandCommand(ApplyDefaultBlocks(w->command, QString()), true);
    };
    probe.exists = [](const QString& path) { return QFileInfo::exists(path); };
    probe.separator = data_.settings.separator;
    const TItemMenuChoice choice = DecideItemMenu(facts, probe);

    if (choice.menu == TItemMenu::File) {
        TFileMenuActions a;
        a.open = [this](const QString& path) { OpenWithShell(path); };
        a.openFolder = [this](const QString& folder) { OpenWithShell(folder); };
        a.copyPath = [this](const QString& path) { svc_->clipboard.SetText(path); };
        a.openWith = [this](const TMimeApp& app, const QString& path) {
            const QString error = LaunchWith(app, path, svc_->processes);
            if (!error.isEmpty())
                ShowFailure(error);
        };
        a.trash = [this, owner](const QString& path) {
            const QString name = QFileInfo(path).fileName();
            if (QMessageBox::question(owner, QStringLiteral("Move to Trash"),
                                      QStringLiteral("Move \"%1\" to the trash?").arg(name)) != QMessageBox::Yes)
                return;
            const TSystemResult r = svc_->trash->MoveToTrash(path);
            if (!r.ok)
                ShowFailure(r.message);
            else
                ShowToast(QStringLiteral("Moved to the trash: ") + name);
        };
        const std::vector<TMimeApp> apps =
            AppsForFile(choice.path, TScanRoots::FromEnvironment().ApplicationFolders(), QString());
        BuildFileMenu(owner, choice.path, apps, a)->popup(globalPos);
        return;
    }
    auto* menu = new QMenu(owner);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(QStringLiteral("Open")), &QAction::triggered, this, std::move(open));
    if (choice.editKeyword)
        connect(menu->addAction(QStringLiteral("Edit keyword")), &QAction::triggered, this, std::move(edit));
    menu->popup(globalPos);
}

} // namespace vantrelo
