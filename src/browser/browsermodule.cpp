// The engine module's loader: found beside the program, loaded on first use, told to the user when absent.
#include "browser/browsermodule.h"

#include "browser/bridgelogic.h"
#include "browser/browserhost.h"
#include "core/items.h"
#include "core/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QtGlobal>

#include <unistd.h>

namespace vantrelo {

namespace {

constexpr char kNotInstalled[] = "The internal browser is not installed.";

} // namespace

TProcessUser CurrentProcessUser() { return ::geteuid() == 0 ? TProcessUser::Root : TProcessUser::Ordinary; }

QString EngineStartRefusal(TProcessUser user, const QByteArray& disableSandbox, const QByteArray& chromiumFlags) {
    if (user != TProcessUser::Root || !disableSandbox.isEmpty() || chromiumFlags.contains("--no-sandbox"))
        return {};
    return QStringLiteral("The internal browser does not run as root: start Vantrelo as your own user, or set "
                          "QTWEBENGINE_DISABLE_SANDBOX=1 to run its pages without the sandbox.");
}

TBrowserModule::TBrowserModule(const TSettings& settings, TBrowserHost& host, TPermissionPrompt& prompt,
                               QStringList candidates, TProcessUser user)
    : settings_(settings), host_(host), prompt_(prompt), candidates_(std::move(candidates)), user_(user) {}

// The engine's pages and windows go before the program's windows do; the library itself stays.
TBrowserModule::~TBrowserModule() = default;

QStringList TBrowserModule::Candidates(const QString& programDir) {
    const QDir dir(programDir);
    return {dir.filePath(QLatin1String(kBrowserModuleFile)),
            QDir::cleanPath(dir.filePath(QStringLiteral("../lib/vantrelo/browser/") + QLatin1String(kBrowserModuleFile)))};
}

TBrowserEngine* TBrowserModule::Engine(bool quiet) {
    if (engine_)
        return engine_.get();
    error_ = EngineStartRefusal(user_, qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"));
    if (!error_.isEmpty()) {
        qWarning("internal browser: %s", qUtf8Printable(error_));
        if (!quiet)
            host_.Toast(error_);
        return nullptr;
    }
    for (const QString& path : candidates_) {
        if (!QFileInfo::exists(path))
            continue;
        // Never unloaded: the engine's threads and processes outlive any one page.
        QLibrary library(path);
        const auto create = reinterpret_cast<TBrowserEngineCreate>(library.resolve(kBrowserEngineEntry));
        if (!create) {
            error_ = library.errorString();
            break;
        }
        engine_.reset(create(kBrowserEngineAbi, unsigned(sizeof(TSettings)), settings_, host_, prompt_));
        if (!engine_)
            error_ = path + QStringLiteral(": built for another version of the program");
        break;
    }
    if (!engine_) {
        if (error_.isEmpty())
            error_ = QStringLiteral("no ") + QLatin1String(kBrowserModuleFile) + QStringLiteral(" in ") +
                     candidates_.join(QStringLiteral(", "));
        qWarning("internal browser: %s", qUtf8Printable(error_));
        if (!quiet)
            host_.Toast(QLatin1String(kNotInstalled));
    }
    return engine_.get();
}

void TBrowserModule::RunCommand(const QString& command) {
    if (engine_) {
        engine_->RunCommand(command);
        return;
    }
    // Without the engine no page exists: only the data folder is there to remove.
    if (command == QLatin1String("$BROWSERFLUSHALL$"))
        host_.Toast(RemoveBrowserFolder(host_.BrowserFolder()));
}

void TBrowserModule::Open(const TBrowserOpen& request) {
    if (TBrowserEngine* e = Engine())
        e->Open(request);
}

void TBrowserModule::OpenWindow(const QString& target, bool full) {
    if (TBrowserEngine* e = Engine())
        e->OpenWindow(target, full);
}

void TBrowserModule::Click(const QString& clicks, const QString& keyword) {
    // Without the engine there is no page to click in.
    if (engine_)
        engine_->Click(clicks, keyword);
}

void TBrowserModule::Preload() {
    if (TBrowserEngine* e = Engine(true))
        e->Preload();
}

bool TBrowserModule::Exists() const { return engine_ && engine_->Exists(); }
bool TBrowserModule::HasPage() const { return engine_ && engine_->HasPage(); }

void TBrowserModule::Toggle(bool fromKeyboard, bool setFocus) {
    if (engine_)
        engine_->Toggle(fromKeyboard, setFocus);
    else if (fromKeyboard)
        host_.Toast(NoPageToast(settings_.browserautoend));
}

void TBrowserModule::End() {
    if (engine_)
        engine_->End();
}

void TBrowserModule::Dismiss() {
    // An engine never loaded has no page to put away.
    if (engine_)
        engine_->Dismiss();
}

void TBrowserModule::StartPage(bool forced) {
    // Nothing to show loads nothing.
    if (!engine_ && (settings_.startpage.trimmed().isEmpty() || (!forced && !settings_.startautoshow)))
        return;
    if (TBrowserEngine* e = Engine())
        e->StartPage(forced);
}

QString TBrowserModule::Location() const {
    return engine_ ? engine_->Location() : QStringLiteral("No browser session found");
}

void TBrowserModule::Navigate(int how) {
    if (engine_)
        engine_->Navigate(how);
}

void TBrowserModule::MoveToWindow(int mode, bool full) {
    if (engine_)
        engine_->MoveToWindow(mode, full);
}

void TBrowserModule::UpdateInput(const QString& input) {
    if (engine_)
        engine_->UpdateInput(input);
}

QWidget* TBrowserModule::View() const { return engine_ ? engine_->View() : nullptr; }

} // namespace vantrelo
