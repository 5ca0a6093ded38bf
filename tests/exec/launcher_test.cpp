// Wait and paste marks, and the launcher's preparation of commands, over a recording shell.
#include "support/pipelinefakes.h"

#include "exec/markedtext.h"
#include "exec/pipelinemarks.h"
#include "exec/substitution.h"
#include "index/indexlist.h"

#include <gtest/gtest.h>

using namespace vantrelo;
using namespace vantrelo::test;

namespace {

TEST(WaitMarks, TotalsAndWhatStays) {
    const struct {
        const char* in;
        qint32 ms;
        const char* out;
    } cases[] = {
        {"a $W1$", 1000, "a "},
        {"a $W250MS$", 250, "a "},
        {"a $w250ms$ b", 250, "a  b"},
        {"$W$$w$x", 2, "x"},
        {"$W0$ $Wabc$", 0, "$W0$ $Wabc$"},
        {"$Wabc$ $W2$", 2000, "$Wabc$ "},          // an invalid mark before a valid one: the scan ends
        {"$WFINDACTIVE$x$WFINDACTIVE$", 0, "$WFINDACTIVE$x$WFINDACTIVE$"},
        {"$W99999999999999999999999$", kMaxWaitMs, ""}, // clamped, never wrapped
        {"$W3000000$ $W3000000$", kMaxWaitMs, " "},
        {"$W5", 0, "$W5"},
    };
    for (const auto& c : cases) {
        QString t = QString::fromUtf8(c.in);
        EXPECT_EQ(ExtractWaitMarks(t), c.ms) << c.in;
        EXPECT_EQ(t, QString::fromUtf8(c.out)) << c.in;
    }
}

TEST(WaitMarks, InsertedValuesNeverWait) {
    TMarkedText t(QStringLiteral("go $P$ $W1$"));
    SubstituteTyped(t, QStringLiteral("$W5$"));
    EXPECT_EQ(ExtractWaitMarks(t), 1000);
    EXPECT_EQ(t.Text(), "go $W5$ ");
}

TEST(PasteMarks, TypesAndWaits) {
    const struct {
        const char* in;
        qint32 wait, type;
    } cases[] = {
        {"x", 0, 0},         {"$PS$", 700, 0},         {"$PSE$", 700, 1},  {"$PSE500$", 500, 1},
        {"$PS300$", 300, 0}, {"$PP$", 700, 2},         {"$PPE$", 700, 3},  {"$PPE40$", 40, 3},
        {"$PP90$", 90, 2},   {"$PS0$", 0, 0},          {"$PS$ $PP$", 700, 2},
    };
    for (const auto& c : cases) {
        const TPasteMarks m = ParsePasteMarks(QString::fromUtf8(c.in));
        EXPECT_EQ(m.afterwait, c.wait) << c.in;
        EXPECT_EQ(m.aftertype, c.type) << c.in;
    }
}

TEST(PasteMarks, TypedParameterProbe) {
    TExeWord w;
    w.command = "tool";
    EXPECT_FALSE(UsesTypedParameters(w));
    w.path = "/home/$P1$";
    EXPECT_TRUE(UsesTypedParameters(w));
}

struct Launcher : TPipelineFixture, ::testing::Test {
    int Launch(const QString& command, const QString& params = {}, bool fallback = false, bool elevated = false) {
        TLaunchRequest r;
        r.command = command;
        r.params = params;
        r.fallback = fallback;
        r.elevated = elevated;
        return launcher.LaunchCommand(r);
    }
};

TEST_F(Launcher, PreparesCommandsForTheShell) {
    files.folders = {"/home/ann/docs"};
    const struct {
        const char* command;
        const char* params;
        bool elevated;
        const char* verb;
        const char* file;
        const char* outParams;
        const char* folder;
    } cases[] = {
        {"appwiz.cpl", "", false, "open", "control.exe", "appwiz.cpl", ""},
        {"control.cpl", "", false, "open", "control.cpl", "", ""},
        {"\"/opt/my app/run\" -v", "typed", false, "open", "/opt/my app/run", "-v typed", "/opt/my app"},
        {"/apps/tool.lnk", "", true, "", "/apps/tool.lnk", "", ""},
        {"/apps/tool.desktop", "", true, "", "/apps/tool.desktop", "", ""},
        {"/usr/bin/x", "", true, "runas", "/usr/bin/x", "", "/usr/bin"},
        {"shell:startup", "x", false, "open", "\"shell:startup x\"", "", ""},
    };
    for (const auto& c : cases) {
        shell.calls.clear();
        EXPECT_EQ(Launch(c.command, c.params, false, c.elevated), kLaunchStarted) << c.command;
        ASSERT_EQ(shell.calls.size(), 1u) << c.command;
        const TShellRequest& r = shell.calls[0].request;
        EXPECT_EQ(r.verb, c.verb) << c.command;
        EXPECT_EQ(r.file, c.file) << c.command;
        EXPECT_EQ(r.params, c.outParams) << c.command;
        EXPECT_EQ(r.folder, c.folder) << c.command;
    }
    settings.explore = "thunar";
    shell.calls.clear();
    Launch("/home/ann/docs");
    EXPECT_EQ(shell.calls[0].request.file, "thunar");
    EXPECT_EQ(shell.calls[0].request.params, "\"/home/ann/docs\"");
}

TEST_F(Launcher, RetriesABareWebAddressAndAnIndexedName) {
    shell.codes["example.com"] = kLaunchNotFound;
    EXPECT_EQ(Launch("example.com", {}, false), kLaunchNotFound);
    EXPECT_EQ(Launch("example.com", {}, true), kLaunchStarted);
    EXPECT_EQ(shell.Files().last(), "https://example.com");

    TIndexList index;
    auto add = [&](const QString& name, const QString& path) {
        auto item = std::make_unique<TMyShellItem>();
        item->name = name;
        item->path = path;
        files.files[path] = QString();
        index.Append(path, std::move(item));
    };
    add("Writer", "/opt/writer/writer");
    add("writer", "/usr/share/applications/writer.desktop");
    add("writer", "/usr/bin/writer");
    launcher.SetIndex(&index);
    EXPECT_EQ(launcher.FindIndexedByName(" WRITER ")->path, "/usr/share/applications/writer.desktop");
    shell.codes["writer"] = kLaunchNotFound;
    EXPECT_EQ(Launch("writer"), kLaunchDone);
    EXPECT_EQ(shell.Files().last(), "/usr/share/applications/writer.desktop");
    settings.resolveindexed = "off";
    EXPECT_EQ(Launch("writer"), kLaunchNotFound);
}

TEST_F(Launcher, SingleInstanceBrowserSettingAndBackgroundStarts) {
    instances.running = QStringList{"/usr/bin/term"};
    TLaunchRequest once;
    once.command = "/usr/bin/term";
    once.onlyone = true;
    EXPECT_EQ(launcher.LaunchCommand(once), kLaunchDone);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(instances.asked, QStringList{"/usr/bin/term|full"});

    settings.browser = "/opt/web/browser";
    EXPECT_EQ(Launch("https://example.org"), kLaunchStarted);
    EXPECT_EQ(shell.calls[0].request.file, "/opt/web/browser");
    EXPECT_EQ(shell.calls[0].request.params, "https://example.org");
    EXPECT_EQ(shell.calls[0].request.folder, "/opt/web");

    TLaunchRequest later;
    later.command = "/bin/x";
    later.async = true;
    later.asyncpause = 300;
    EXPECT_EQ(launcher.LaunchCommand(later), kLaunchAsync);
    EXPECT_EQ(shell.calls.size(), 1u);
    scheduler.Advance(304);
    EXPECT_EQ(shell.calls.size(), 1u);
    scheduler.Advance(1);
    EXPECT_EQ(shell.Files().last(), "/bin/x");
}

TEST_F(Launcher, UrlTextGoesToTheLineButErrorPagesDoNot) {
    fetcher.answer.ok = true;
    fetcher.answer.body = QByteArray("\xEF\xBB\xBFhello");
    EXPECT_EQ(Launch("$URLTOINPUT$https://example.org/t"), kLaunchDone);
    EXPECT_EQ(fetcher.urls, QStringList{"https://example.org/t"});
    EXPECT_EQ(view.line, "hello");
    fetcher.answer = TFetchResult{false, {}, "404"};
    Launch("$URLTOLISTNOFOCUS$https://example.org/missing");
    EXPECT_EQ(view.log.last(), "output:0:Error");
}

TEST(LazyUrl, GetsTheWebPrefixOnlyWhenItHasNoScheme) {
    EXPECT_EQ(enrichLazyUrl(" example.org "), "https://example.org");
    EXPECT_EQ(enrichLazyUrl("http://x.org"), "http://x.org");
    EXPECT_EQ(enrichLazyUrl("/tmp/page.html"), "/tmp/page.html");
}

} // namespace
