// The running launcher: builds the application context, its services, windows and controllers in order.
#include "app/application.h"

#include "app/appcontext.h"
#include "app/assistcontroller.h"
#include "app/clipcontroller.h"
#include "app/browserhost.h"
#include "browser/browsermodule.h"
#include "app/dashcontroller.h"
#include "app/desktopcontroller.h"
#include "app/noticecontroller.h"
#include "app/notescontroller.h"
#include "commands/infotext.h"
#include "platform/startup/dashcommands.h"
#include "app/desktopservices.h"
#include "app/engine.h"
#include "app/hotkeybridge.h"
#include "app/importcontroller.h"
#include "app/keywordimport.h"
#include "app/indexcontroller.h"
#include "app/inputcontroller.h"
#include "app/itemmenucontroller.h"
#include "app/lifecycle.h"
#include "app/pipelinewindow.h"
#include "app/programcontroller.h"
#include "app/settingscontroller.h"
#include "app/skincontroller.h"
#include "app/suggestbridge.h"
#include "app/windowcontroller.h"
#include "core/storechange.h"
#include "exec/execcontext.h"
#include "platform/linux/runninginstances_linux.h"
#include "platform/linux/xdesktop.h"
#include "platform/linux/xhotkeys.h"
#include "platform/linux/xshowtrace.h"
#include "platform/linux/xkeyboard.h"
#include "ui/mainform.h"
#include "ui/cmdform.h"
#include "ui/itemmenu.h"
#include "ui/notesdialogs.h"
#include "ui/editpanel.h"
#include "ui/skindialogs.h"
#include "ui/skin/skinlayout.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QTimer>

namespace vantrelo {

TAppContext::TAppContext(TPlaces places, QObject* parent) : store(std::move(places)), owner(parent) {}
TAppContext::~TAppContext() = default;

TApplication::TApplication(TPlaces places, QStringList args)
    : ctx_(std::make_unique<TAppContext>(std::move(places), this)),
      life_(std::make_unique<TLifecycle>(*ctx_, std::move(args), [this] { Build(); })) {}

TApplication::~TApplication() {
    Shutdown();
    // The hotkeys call the windows and the windows call the controllers: they go first, in that order.
    TAppContext& c = *ctx_;
    c.hotkeys.reset();
    if (c.form)
        c.form->SetEvents(nullptr);
    c.form.reset();
    c.assist.reset();
    c.skinDialogs.reset();
}

int TApplication::Start() { return life_->Start(); }
void TApplication::Shutdown() { life_->Shutdown(); }
TMainForm* TApplication::Form() const { return ctx_->form.get(); }
void TApplication::SetSkinDialogs(std::unique_ptr<TSkinDialogs> dialogs) { ctx_->skinDialogs = std::move(dialogs); }
void TApplication::SetImportDialogs(std::unique_ptr<TImportDialogs> dialogs) { ctx_->import->SetDialogs(std::move(dialogs)); }
void TApplication::SetNotesDialogs(std::unique_ptr<TNotesDialogs> dialogs) { ctx_->notes->SetDialogs(std::move(dialogs)); }
bool TApplication::SafeMode() const { return ctx_->safeMode; }

void TApplication::Build() {
    TAppContext& c = *ctx_;
    TSettings& s = c.data.settings;
    c.desk = std::make_unique<TDesktopServices>(this, c.store.Places().IncognitoFolder());
    TSystemParts& sys = *c.sys;
    TDesktopServices& desk = *c.desk;

    TSuggestServices ss;
    ss.env = &sys.env;
    ss.files = &sys.files;
    ss.clock = &sys.clock;
    ss.programs = &sys.programs;
    ss.locale = qEnvironmentVariable("LC_ALL", qEnvironmentVariable("LC_MESSAGES", qEnvironmentVariable("LANG")));
    ss.tasks = desk.tasks.get();
    // The Applications list shows the desktop's windows; without X it stays empty.
    ss.windows = desk.desktop.get();
    c.suggest = std::make_unique<TSuggestBridge>(c.data, ss);

    // The windows and the controllers that answer them.
    c.program = std::make_unique<TProgramController>(c);
    c.window = std::make_unique<TWindowController>(c);
    c.desktop = std::make_unique<TDesktopController>(c);
    c.notices = std::make_unique<TNoticeController>(c);
    c.menus = std::make_unique<TItemMenuController>(c);
    c.assist = std::make_unique<TAssistController>(c);
    c.dash = std::make_unique<TDashController>(c);
    c.import = std::make_unique<TImportController>(c);
    c.keywordImport = std::make_unique<TKeywordImportController>(c);
    ForceScaleStyle(s);
    c.form = std::make_unique<TMainForm>(s, *c.window);
    c.input = std::make_unique<TInputController>(s, c.data.keywords, c.data.history, *c.suggest, *c.form, *c.program);
    c.form->SetEvents(c.input.get());
    const TProgramInfo program = BuiltProgramInfo(QCoreApplication::applicationFilePath());
    c.info = std::make_unique<TInfoText>(
        TInfoSources{&sys.clock, &sys.clock, &sys.network, &sys.memory, program.version, program.buildDate, QLocale::system()});
    c.form->SetInfoSource([&c] { return c.info->Build(c.data.settings.infosyntax, c.data.settings.infocustomtime); });
    c.skinDialogs = std::make_unique<TQtSkinDialogs>(c.form.get());
    c.skin = std::make_unique<TSkinController>(c);
    c.settingsDialog = std::make_unique<TSettingsController>(c);
    c.suggest->SetFolderArrived([&c] {
        if (c.input && !c.closing)
            c.input->FolderListed();
    });
    // The icon theme's first lookup reads its index files: the icon follows a moment after the
    // window's first showing (a posted call would run before the map request leaves).
    UseShippedIcons();
    QTimer::singleShot(kAfterFirstShowMs, c.owner, [this] { SetProgramIcon(); });

    // The input's way to an action.
    TEngineFront f;
    f.clipboard = &desk.clipboard;
    f.windows = &desk.Windows();
    f.keys = &desk.Keys();
    f.waiter = &desk.waiter;
    f.sound = &desk.sound;
    f.text = desk.textSender.get();
    f.injector = desk.injector.get();
    f.input = c.program.get();
    c.pipelineWindow = std::make_unique<TPipelineWindow>(*c.input, *c.form, *c.program);
    f.view = c.pipelineWindow.get();
    f.commands = c.program.get();
    f.writer = c.program.get();
    f.scheduler = desk.scheduler.get();
    f.tasks = desk.tasks.get();
    f.fetcher = &desk.fetcher;
    f.instances = desk.instances.get();
    f.index = &c.suggest->IndexLookup();
    f.desktop = c.desktop->Access();
    f.notices = c.notices.get();
    f.closing = &c.closing;
    BuildBrowser(c);
    f.browser = c.browser.get();
    c.engine = std::make_unique<TEngine>(c.data, sys, c.store.Places(),
                                         QCoreApplication::applicationDirPath() + u'/', f);

    c.clip = std::make_unique<TClipController>(c);
    c.engine->Exec().services.clipHistory = c.clip.get();
    c.suggest->SetClips(&c.clip->Entries());
    c.notes = std::make_unique<TNotesController>(c);
    c.form->CmdForm()->Editor()->SetRuleSource([&c] { return RegexMenuEntries(c.data.keywords); });

    WireBrowser(c);
    c.program->SetStatePanel();
    c.index = std::make_unique<TIndexController>(c);
    BuildHotkeys();
}

void TApplication::UseShippedIcons() {
    // The icon theme has the installed icons; the shipped copies stand in when it has none (build tree).
    const QString shipped = ctx_->store.Places().programFolder + QStringLiteral("icons");
    // Without a desktop's theme the freedesktop fallback theme is the one to search.
    if (QIcon::themeName().isEmpty())
        QIcon::setThemeName(QStringLiteral("hicolor"));
    QStringList paths = QIcon::fallbackSearchPaths();
    if (!paths.contains(shipped))
        QIcon::setFallbackSearchPaths(paths << shipped);
}

void TApplication::SetProgramIcon() {
    TAppContext& c = *ctx_;
    if (!c.form)
        return;
    // A defaulticon.ico beside the shipped files replaces the program's own icon.
    const QString custom = c.store.Places().programFolder + QStringLiteral("defaulticon.ico");
    const QIcon icon = QFileInfo::exists(custom) ? QIcon(custom) : QIcon::fromTheme(QStringLiteral("vantrelo"));
    QGuiApplication::setWindowIcon(icon);
    c.form->setWindowIcon(icon);
}

void TApplication::BuildHotkeys() {
    TAppContext& c = *ctx_;
    THotkeyBridge::TSetup h;
    h.settings = &c.data.settings;
    h.keywords = &c.data.keywords;
    h.hotkeys = c.desk->hotkeys.get();
    h.keys = c.desk->keyboard.get();
    h.scheduler = c.desk->scheduler.get();
    h.form = c.form.get();
    h.runForced = [&c](const TExeWord& word, bool silent) { c.program->RunForced(word, silent); };
    h.watchKeys = c.desk->desktop != nullptr;
    h.captureForeground = [&c] { c.window->RememberForeground(); };
    h.warn = [&c](const QString& text) { c.program->Message(QStringLiteral("Warning"), text, true); };
    c.hotkeys = std::make_unique<THotkeyBridge>(std::move(h));
    if (!c.desk->hotkeys)
        return;
    c.desk->hotkeys->SetHandler([&c](int id, quint64 userTime) {
        if (!c.form || c.closing)
            return;
        if (id == 1) {
            if (c.desk->showTrace && !c.form->isVisible())
                c.desk->showTrace->Expect(c.form->winId(), quint32(userTime));
            c.form->HotkeyPressed(userTime);
        }
        else
            c.hotkeys->HotkeyPressed(id, userTime);
    });
}

} // namespace vantrelo
