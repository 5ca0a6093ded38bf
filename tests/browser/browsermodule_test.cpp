// The engine module's loader: a missing or foreign module is told to the user, the built one loads.
#include "browser/browserengine.h"
#include "browser/browsermodule.h"
#include "core/items.h"
#include "core/settings.h"

#include "support/browserfakes.h"
#include "support/qtapp.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace vantrelo {
namespace {

constexpr char kNotInstalled[] = "The internal browser is not installed.";

class BrowserModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WidgetApp();
        host.dataFolder = dir.File("EBWebView");
    }

    test::TempDir dir;
    TSettings settings;
    test::TRecordingBrowserHost host;
    test::TAnsweringPrompt prompt;
};

TEST_F(BrowserModuleTest, LooksBesideTheProgramThenInItsLibraryFolder) {
    EXPECT_EQ(TBrowserModule::Candidates(QStringLiteral("/usr/bin")),
              QStringList({QStringLiteral("/usr/bin/vantrelo_browser_engine.so"),
                           QStringLiteral("/usr/lib/vantrelo/browser/vantrelo_browser_engine.so")}));
}

// As root the engine's helper refuses to start inside its sandbox: said, and nothing loaded, unless
// the sandbox is turned off.
TEST_F(BrowserModuleTest, AsRootWithTheSandboxOnTheEngineIsNotStartedAndThatIsSaid) {
    struct Case {
        TProcessUser user;
        const char* disable;
        const char* flags;
        bool refused;
    };
    for (const Case& c : {Case{TProcessUser::Root, "", "", true}, Case{TProcessUser::Root, "1", "", false},
                          Case{TProcessUser::Root, "", "--no-sandbox", false},
                          Case{TProcessUser::Ordinary, "", "", false}})
        EXPECT_EQ(EngineStartRefusal(c.user, c.disable, c.flags).isEmpty(), !c.refused) << c.disable << c.flags;

    const QByteArray saved = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    TBrowserModule m(settings, host, prompt, {dir.File("missing.so")}, TProcessUser::Root);
    TBrowserOpen open;
    open.target = QStringLiteral("http://127.0.0.1/");
    m.Open(open);
    if (!saved.isNull())
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", saved);
    ASSERT_EQ(host.toasts.size(), 1);
    EXPECT_TRUE(host.toasts.front().contains(QStringLiteral("does not run as root")));
    EXPECT_FALSE(m.Loaded());
    EXPECT_EQ(m.LoadError(), host.toasts.front());
}

// What needs a page says the engine is missing; what needs none answers as without a page.
TEST_F(BrowserModuleTest, WithoutTheModule) {
    test::WriteAll(dir.File("garbage.so"), "not a library");
    for (const QString& path : {dir.File("missing.so"), dir.File("garbage.so")}) {
        SCOPED_TRACE(path.toStdString());
        host.toasts.clear();
        TBrowserModule m(settings, host, prompt, {path}, TProcessUser::Ordinary);
        TBrowserOpen open;
        open.target = QStringLiteral("http://127.0.0.1/");
        m.Open(open);
        m.OpenWindow(QStringLiteral("http://127.0.0.1/"), false);
        EXPECT_EQ(host.toasts, QStringList({kNotInstalled, kNotInstalled}));
        EXPECT_FALSE(m.Loaded());
        EXPECT_FALSE(m.LoadError().isEmpty());

        // The preload at start is quiet; what needs no page loads nothing.
        host.toasts.clear();
        m.Preload();
        m.End();
        m.Navigate(2);
        m.UpdateInput(QStringLiteral("typed"));
        m.RunCommand(QStringLiteral("$BROWSEREND$"));
        m.StartPage(true); // no start page set
        EXPECT_TRUE(host.toasts.isEmpty());
        EXPECT_EQ(m.Location(), QStringLiteral("No browser session found"));
        EXPECT_FALSE(m.Exists());
        EXPECT_FALSE(m.HasPage());
        EXPECT_EQ(m.View(), nullptr);
        m.Toggle(true, false);
        EXPECT_EQ(host.toasts, QStringList({QStringLiteral("Toggle browser: No page loaded")}));
    }
}

TEST_F(BrowserModuleTest, FlushAllWithoutTheEngineRemovesTheDataFolder) {
    test::WriteAll(host.dataFolder + "/Default/Cookies", "c");
    TBrowserModule m(settings, host, prompt, {dir.File("missing.so")});
    m.RunCommand(QStringLiteral("$BROWSERFLUSHALL$"));
    EXPECT_EQ(host.toasts, QStringList({QStringLiteral("Browser data removed")}));
    EXPECT_FALSE(QDir(host.dataFolder).exists());
}

// The module of this build, beside the test program as beside the launcher.
TEST_F(BrowserModuleTest, TheBuiltModuleLoadsAndRefusesAnotherBuildsCaller) {
    const QStringList candidates = TBrowserModule::Candidates(QCoreApplication::applicationDirPath());
    TBrowserModule m(settings, host, prompt, candidates, TProcessUser::Ordinary);
    m.Toggle(true, false); // no page: not loaded for that
    EXPECT_FALSE(m.Loaded());
    settings.startpage = QStringLiteral("startkeyword");
    host.commands[QStringLiteral("startkeyword")] = QStringLiteral("$B$ https://example.org");
    m.StartPage(true);
    ASSERT_TRUE(m.Loaded()) << m.LoadError().toStdString();
    EXPECT_EQ(host.runs, QStringList({QStringLiteral("startkeyword")}));
    EXPECT_EQ(m.Location(), QStringLiteral("No browser session found"));

    QLibrary library(candidates.first());
    const auto create = reinterpret_cast<TBrowserEngineCreate>(library.resolve(kBrowserEngineEntry));
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create(kBrowserEngineAbi + 1, unsigned(sizeof(TSettings)), settings, host, prompt), nullptr);
    EXPECT_EQ(create(kBrowserEngineAbi, unsigned(sizeof(TSettings)) + 8, settings, host, prompt), nullptr);
}

} // namespace
} // namespace vantrelo
