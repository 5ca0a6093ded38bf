// DoExecute end to end over recording fakes: keywords, forwarding, failures, chains and their timings.
#include "support/pipelinefakes.h"

#include "exec/pipelinemarks.h"

#include <gtest/gtest.h>

using namespace vantrelo;
using namespace vantrelo::test;

namespace {

struct Pipeline : TPipelineFixture, ::testing::Test {};

TEST_F(Pipeline, TypedKeywordLaunchesRecordsAndRunsTheAfterCommandStep) {
    AddKeyword("ed", "/usr/bin/editor $P$", "--new").path = "/work";
    ASSERT_TRUE(Enter("ed notes.txt"));
    ASSERT_EQ(shell.calls.size(), 1u);
    const TShellRequest& r = shell.calls[0].request;
    EXPECT_EQ(r.file, "/usr/bin/editor notes.txt");
    EXPECT_EQ(r.params, "--new");
    EXPECT_EQ(r.folder, "/work");
    EXPECT_EQ(r.verb, "open");
    EXPECT_EQ(HistoryTexts(), QStringList{"ed notes.txt"});
    EXPECT_EQ(writer.writes, 1);
    EXPECT_TRUE(view.log.contains("hide"));
    EXPECT_EQ(sound.played, std::vector<QString>{"/opt/vantrelo/ok.wav"});
    EXPECT_EQ(view.colour, settings.textcolor);
}

TEST_F(Pipeline, FailedLaunchTurnsTheLineFailColourAndRecordsNothing) {
    AddKeyword("gone", "/nowhere/prog");
    shell.codes["/nowhere/prog"] = kLaunchNotFound;
    EXPECT_FALSE(Enter("gone"));
    EXPECT_EQ(view.colour, settings.failcolor);
    EXPECT_TRUE(view.log.contains("deselect"));
    EXPECT_EQ(sound.played, std::vector<QString>{"/snd/fail.wav"});
    EXPECT_TRUE(history.size() == 0);
    EXPECT_EQ(writer.writes, 0);
}

TEST_F(Pipeline, ForwardedKeywordRunsTheOtherKeywordAndRecordsWhatWasTyped) {
    AddKeyword("google", "https://www.google.com/search?q=$U$");
    AddKeyword("g", "google $P$");
    ASSERT_TRUE(Enter("g cats and dogs"));
    ASSERT_EQ(shell.Files(), QStringList{"https://www.google.com/search?q=cats%20and%20dogs"});
    EXPECT_EQ(HistoryTexts(), QStringList{"g cats and dogs"});
}

TEST_F(Pipeline, ParametersFieldIsFollowedDirectlyByTheTypedParameters) {
    AddKeyword("kw", "tool", "-x");
    ASSERT_TRUE(Enter("kw foo"));
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].request.params, "-xfoo");
}

TEST_F(Pipeline, InertAndCalculatedLines) {
    EXPECT_FALSE(Enter("->whatever"));
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(view.log.isEmpty());

    settings.calcdisplaystyle = 1;
    EXPECT_FALSE(Enter("#2*3"));
    EXPECT_EQ(view.line, "#6");
    EXPECT_TRUE(pipeline.Report().calculated);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(Pipeline, UrlsPathsAndUnknownWordsGoToTheLauncher) {
    settings.urlmaxed = true;
    ASSERT_TRUE(Enter("https://example.org/a"));
    ASSERT_TRUE(Enter("/etc/hosts"));
    shell.codes["example.com"] = kLaunchNotFound;
    ASSERT_TRUE(Enter("example.com"));
    ASSERT_EQ(shell.Files(), (QStringList{"https://example.org/a", "/etc/hosts", "example.com", "https://example.com"}));
    EXPECT_EQ(shell.calls[0].request.show, kShowMaximized);
    EXPECT_EQ(shell.calls[1].request.folder, "/etc");
    EXPECT_EQ(HistoryTexts(), (QStringList{"example.com", "/etc/hosts", "https://example.org/a"}));
}

TEST_F(Pipeline, HandledInternalCommandAndItsFailure) {
    AddKeyword("off", "$SHUTDOWN$");
    internal.names = QStringList{"$SHUTDOWN$"};
    internal.setPending = "$SHUTDOWN$";
    ASSERT_TRUE(Enter("off"));
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(HistoryTexts(), QStringList{"off"});
    scheduler.Advance(kAfterTimerMs - 1);
    EXPECT_TRUE(internal.afterRuns.isEmpty());
    scheduler.Advance(1);
    EXPECT_EQ(internal.afterRuns, QStringList{"$SHUTDOWN$"});

    // A refused command fails like a launch, and its deferred part never runs.
    internal.fail = true;
    EXPECT_FALSE(Enter("off"));
    EXPECT_EQ(view.colour, settings.failcolor);
    EXPECT_TRUE(internal.pending.isEmpty());
    scheduler.RunAll();
    EXPECT_EQ(internal.afterRuns.size(), 1);
}

TEST_F(Pipeline, ChainWaitsFollowTheirPieceOnTimers) {
    ASSERT_FALSE(Enter("/bin/a $W2$ || /bin/b $W250MS$|| /bin/c"));
    ASSERT_EQ(shell.calls.size(), 1u);
    scheduler.RunAll();
    ASSERT_EQ(shell.Files(), (QStringList{"/bin/a", "/bin/b", "/bin/c"}));
    EXPECT_EQ(shell.calls[1].at, 2100);
    EXPECT_EQ(shell.calls[2].at, 2100 + 350);
    EXPECT_EQ(HistoryTexts(), QStringList{"/bin/a $W2$ || /bin/b $W250MS$|| /bin/c"});
    EXPECT_EQ(writer.writes, 1);
    EXPECT_TRUE(pipeline.Report().chainExecuted);
}

TEST_F(Pipeline, AsyncChainStartsPiecesApartAndStaggersTyping) {
    AddKeyword("t", "/bin/term $PS300$");
    ASSERT_FALSE(Enter("$ASYNC$ t one || t two"));
    scheduler.RunAll();
    ASSERT_EQ(shell.calls.size(), 2u);
    // Each launch is itself a background start 5 ms after its piece.
    EXPECT_EQ(shell.calls[0].at, 5);
    // Piece one asks for 300 + 1111 ms more, which the second piece's start waits on top of.
    EXPECT_EQ(shell.calls[1].at, 100 + 5 + 1411);
    EXPECT_EQ(sender.typed, (std::vector<QString>{"one", "two"}));
}

TEST_F(Pipeline, ChainOfFailuresFailsAndPartialChainSucceeds) {
    shell.codes["/bin/bad"] = kLaunchNotFound;
    Enter("/bin/bad || /bin/good");
    scheduler.RunAll();
    EXPECT_EQ(HistoryTexts(), QStringList{"/bin/bad || /bin/good"});
    EXPECT_EQ(writer.writes, 1);

    Enter("/bin/bad || /bin/bad");
    scheduler.RunAll();
    EXPECT_EQ(view.colour, settings.failcolor);
    EXPECT_FALSE(pipeline.Report().chainExecuted);
    EXPECT_EQ(HistoryTexts().size(), 1);
}

TEST_F(Pipeline, SkippedPieceCountsAsDone) {
    Enter("$SKIP$ || $SKIP$");
    scheduler.RunAll();
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(pipeline.Report().chainExecuted);
}

TEST_F(Pipeline, EmptySeparatorMeansNoChain) {
    settings.separator.clear();
    ASSERT_TRUE(Enter("/bin/a || b"));
    scheduler.RunAll();
    EXPECT_EQ(shell.Files(), QStringList{"/bin/a || b"});
    EXPECT_FALSE(pipeline.Report().chain);
}

TEST_F(Pipeline, TypedParametersAreNeverReadAsMarksInAChain) {
    AddKeyword("both", "prog $P$ || other");
    ASSERT_FALSE(Enter("both $W9$ $SKIP$ $GW$"));
    scheduler.RunAll();
    ASSERT_EQ(shell.Files(), (QStringList{"prog", "other"}));
    EXPECT_EQ(shell.calls[0].request.params, "$W9$ $SKIP$");
    EXPECT_EQ(shell.calls[1].at, 100);
}

TEST_F(Pipeline, AfterTextIsTypedOnATimerAndSetsTheChainWait) {
    AddKeyword("ed", "/bin/ed $PSE500$");
    ASSERT_TRUE(Enter("ed hello"));
    EXPECT_EQ(pipeline.ChainExtraWait(), 1611);
    EXPECT_EQ(shell.calls[0].request.file, "/bin/ed");
    EXPECT_TRUE(sender.typed.empty());
    scheduler.Advance(499);
    EXPECT_TRUE(sender.typed.empty());
    scheduler.Advance(1);
    EXPECT_EQ(sender.typed, std::vector<QString>{"hello\r\n"});
}

TEST_F(Pipeline, AfterTextThatCannotReachTheWindowIsSaid) {
    AddKeyword("ed", "/bin/ed $PSE$");
    sender.failure = "Target window is gone";
    ASSERT_TRUE(Enter("ed hello"));
    scheduler.RunAll();
    EXPECT_EQ(sender.typed, std::vector<QString>{"hello\r\n"});
    EXPECT_TRUE(view.log.contains("toast:The text was not typed: Target window is gone")) << view.log.join('|').toStdString();
}

TEST_F(Pipeline, PastedAfterText) {
    AddKeyword("p", "/bin/ed $PPE$");
    ASSERT_TRUE(Enter("p x"));
    EXPECT_EQ(pipeline.ChainExtraWait(), 700 + 870);
    scheduler.RunAll();
    ASSERT_EQ(sender.pasted.size(), 1u);
    EXPECT_EQ(sender.pasted[0], std::make_pair(QString("x"), true));
}

TEST_F(Pipeline, ForcedKeywordThatBreaksSaysSo) {
    TExeWord& w = AddKeyword("t", "/bin/broken");
    shell.codes["/bin/broken"] = kLaunchNotFound;
    EXPECT_FALSE(pipeline.DoExecute([&] {
        TExecRequest r;
        r.forcedexeword = &w;
        r.forcenohist = true;
        return r;
    }()));
    EXPECT_TRUE(view.log.contains("message:Seems broken.."));
    EXPECT_EQ(view.colour, settings.failcolor);
}

TEST_F(Pipeline, SuggestionItemsAndTags) {
    auto fuzzy = std::make_unique<TMyFuzzyItem>();
    fuzzy->name = "edit";
    auto w = std::make_unique<TExeWord>();
    w->keywords = "edit";
    w->command = "/bin/edit";
    fuzzy->obj = std::move(w);
    view.current = std::move(fuzzy);
    ASSERT_TRUE(Enter("edt"));
    EXPECT_EQ(shell.Files(), QStringList{"/bin/edit"});
    EXPECT_EQ(HistoryTexts(), QStringList{"edit"});

    auto win = std::make_unique<TMyWindowItem>();
    win->hand = 77;
    view.current = std::move(win);
    EXPECT_FALSE(Enter("Some window"));
    EXPECT_TRUE(view.log.contains("activate:77"));
}

// A sent input (vantrelo -r, a start-up keyword) runs its own text: never the indexed item, keyword or
// window the line happens to be bound to.
TEST_F(Pipeline, SentInputRunsItsTextNotTheItemTheLineIsBoundTo) {
    AddKeyword("betaword", "/bin/beta");
    files.files["/home/u/firecracker.sh"] = QString();
    auto shell1 = std::make_unique<TMyShellItem>();
    shell1->name = "firecracker.sh";
    shell1->root = "/home/u";
    shell1->path = "/home/u/firecracker.sh";
    view.current = std::move(shell1);
    EXPECT_TRUE(pipeline.DoExecute(TExecRequest::Sent("betaword")));
    scheduler.RunAll(); // a sent input starts in the background
    EXPECT_EQ(shell.Files(), QStringList{"/bin/beta"});
    EXPECT_TRUE(history.size() == 0);

    shell.calls.clear();
    auto fuzzy = std::make_unique<TMyFuzzyItem>();
    fuzzy->name = "edit";
    auto w = std::make_unique<TExeWord>();
    w->keywords = "edit";
    w->command = "/bin/edit";
    fuzzy->obj = std::move(w);
    view.current = std::move(fuzzy);
    EXPECT_TRUE(pipeline.DoExecute(TExecRequest::Sent("betaword")));
    scheduler.RunAll(); // a sent input starts in the background
    EXPECT_EQ(shell.Files(), QStringList{"/bin/beta"});

    shell.calls.clear();
    auto win = std::make_unique<TMyWindowItem>();
    win->hand = 77;
    view.current = std::move(win);
    EXPECT_TRUE(pipeline.DoExecute(TExecRequest::Sent("betaword")));
    scheduler.RunAll(); // a sent input starts in the background
    EXPECT_EQ(shell.Files(), QStringList{"/bin/beta"});
    EXPECT_FALSE(view.log.contains("activate:77"));
}

TEST_F(Pipeline, GrabbedOutputGoesToTheListFromTheTemplateOnly) {
    AddKeyword("ls", "$GRABTOLIST$/bin/sh");
    ASSERT_TRUE(Enter("ls -c x"));
    ASSERT_EQ(shell.captures.size(), 1u);
    EXPECT_EQ(shell.captures[0].program, "/bin/sh");
    EXPECT_EQ(shell.captures[0].args, (QStringList{"-c", "x"}));
    EXPECT_TRUE(view.log.contains("output:1:captured\n"));
    // A program that cannot start gives the text "Error" and fails.
    AddKeyword("nope", "$GRABTOINPUT$/no/such/program");
    EXPECT_FALSE(Enter("nope"));
    EXPECT_EQ(view.line, "Error");
    // A typed "$GRABTOINPUT$" is a parameter like any other.
    AddKeyword("run", "/bin/true");
    ASSERT_TRUE(Enter("run $GRABTOINPUT$"));
    EXPECT_EQ(shell.calls.back().request.params, "$GRABTOINPUT$");
}

} // namespace
