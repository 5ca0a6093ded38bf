// The window and mouse commands through the dispatcher over an in-memory desktop.
#include "commandfakes.h"

#include <gtest/gtest.h>

using namespace vantrelo;
using namespace vantrelo::test;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

class WindowCommands : public testing::Test, public TCommandFixture {
protected:
    void SetUp() override {
        desktop.Add(1, 999, Q("Vantrelo"), Q("vantrelo"), QRect(100, 100, 600, 60)); // our own
        desktop.Add(500, 50, Q("Notes - a.txt"), Q("Mousepad"), QRect(100, 130, 408, 328));
        desktop.Add(501, 51, Q("Other notes"), Q("Gedit"), QRect(300, 300, 208, 128));
        desktop.processes[50] = {50, Q("/usr/bin/mousepad"), Q("mousepad")};
        windowHost.lastActive = {500, 50, Q("Mousepad")};
    }
};

} // namespace

TEST_F(WindowCommands, StateCommandsActOnThePreviousWindow) {
    const std::pair<const char*, const char*> cases[] = {
        {"$WMAXIMIZE$", "maximize:500"}, {"$WMINIMIZE$", "minimize:500"}, {"$WRESTORE$", "restore:500"},
        {"$WOPEN$", "normal:500"},       {"$WCLOSE$", "close:500"},
    };
    for (const auto& [command, call] : cases) {
        desktop.calls.clear();
        const TInternalOutcome out = Dispatch(Q(command));
        EXPECT_TRUE(out.handled) << command;
        EXPECT_FALSE(out.failed) << command;
        EXPECT_EQ(desktop.calls, QStringList{Q(call)}) << command;
    }
}

TEST_F(WindowCommands, AStaleOrMissingTargetIsNeverActedOn) {
    struct Case {
        TTargetWindow target;
        const char* message;
    };
    const Case cases[] = {
        {{}, "No previous window detected."},
        {{777, 50, Q("Mousepad")}, "Previous window is gone"},
        {{500, 77, Q("Mousepad")}, "Previous window is gone"}, // the id now belongs to another process
        {{500, 50, Q("Xterm")}, "Previous window is gone"},
    };
    for (const Case& c : cases) {
        windowHost.lastActive = c.target;
        for (const char* command : {"$WCLOSE$", "$WCENTER$", "$WLEFT$", "$WRESIZE$"}) {
            const TInternalOutcome out = Dispatch(Q(command), Q("50"));
            EXPECT_TRUE(out.failed) << command;
            EXPECT_EQ(out.message, Q(c.message)) << command;
        }
    }
    EXPECT_TRUE(desktop.calls.isEmpty());
}

TEST_F(WindowCommands, ArrangeMovesOrAnswersTheGeometry) {
    Dispatch(Q("$WRESIZE$"), Q("800x600"));
    EXPECT_EQ(desktop.calls, (QStringList{Q("normal:500"), Q("frame:500:100,130,808,628")}));
    const TInternalOutcome out = Dispatch(Q("$WARRANGE$"));
    EXPECT_TRUE(out.noaftercommand);
    EXPECT_EQ(Answer(), Q("808,628,100,100,1"));
    EXPECT_EQ(RunKeyword(Q("$WARRANGE$"), Q("400x300,center"), QString()).failed, false);
    EXPECT_EQ(desktop.windows[500].frame, QRect(756, 391, 408, 328));
}

TEST_F(WindowCommands, CentreReadsAWholeMonitorNumber) {
    EXPECT_EQ(Dispatch(Q("$WCENTER$"), Q("3")).message, Q("No such monitor: 3"));
    const TInternalOutcome word = Dispatch(Q("$WCENTER$"), Q("two"));
    EXPECT_FALSE(word.handled);
    EXPECT_TRUE(desktop.calls.isEmpty());
    Dispatch(Q("$WCENTER$"));
    EXPECT_EQ(desktop.windows[500].frame, QRect(756, 391, 408, 328));
}

TEST_F(WindowCommands, FindActivatesOrClosesMatchesAndNeverTheProgramsOwn) {
    Dispatch(Q("$WFINDACTIVE$sub,all,NOTES$WFINDACTIVE$"));
    EXPECT_EQ(desktop.calls, (QStringList{Q("activate:500"), Q("activate:501")}));
    desktop.calls.clear();
    Dispatch(Q("$WFINDACTIVE$class,gedit$WFINDACTIVE$"));
    EXPECT_EQ(desktop.calls, QStringList{Q("activate:501")});
    desktop.calls.clear();
    Dispatch(Q("$WFINDACTIVE$file,/USR/bin/mouse$WFINDACTIVE$"));
    EXPECT_EQ(desktop.calls, QStringList{Q("activate:500")});
    desktop.calls.clear();

    const TInternalOutcome empty = Dispatch(Q("$WFINDCLOSE$$WFINDCLOSE$"));
    EXPECT_TRUE(empty.failed);
    const TInternalOutcome unclosed = Dispatch(Q("$WFINDCLOSE$"));
    EXPECT_TRUE(unclosed.failed);
    Dispatch(Q("$WFINDCLOSE$class,sub,all,vantrelo$WFINDCLOSE$"));
    EXPECT_TRUE(desktop.calls.isEmpty());

    // Nothing found: a keyword that also names a program leaves it to the launcher.
    EXPECT_FALSE(Dispatch(Q("$WFINDACTIVE$Editor$WFINDACTIVE$ /usr/bin/editor")).handled);
    const TInternalOutcome alone = Dispatch(Q("$WFINDACTIVE$Editor$WFINDACTIVE$"));
    EXPECT_TRUE(alone.handled);
    EXPECT_EQ(alone.message, Q("No window found: Editor"));
}

TEST_F(WindowCommands, InfoDescribesAWindowWithItsProcess) {
    Dispatch(Q("$WINFO$"));
    ASSERT_EQ(windowHost.infoTexts.size(), 1);
    EXPECT_EQ(windowHost.infoTexts.at(0),
              Q("WindowHandle: 500\nWindowTitle: Notes - a.txt\nWindowClass: Mousepad\n"
                "WindowInfo(width,height,x,y,screen-num): 408,328,100,100,1\nProcessID: 50\nBaseName: mousepad\n"
                "FileName: /usr/bin/mousepad\n\nAll windows of process:\n"
                "HANDLE: 500 - TITLE: Notes - a.txt CLASS: Mousepad"));
    Dispatch(Q("$WINFO$"), Q("self"));
    EXPECT_TRUE(windowHost.infoTexts.at(1).startsWith(Q("WindowHandle: 1\nWindowTitle: Vantrelo\n")));
    Dispatch(Q("$WINFO$"), Q("4242"));
    EXPECT_EQ(windowHost.infoTexts.at(2), Q("No such window (WindowHandle: 4242)."));
    windowHost.lastActive = {};
    Dispatch(Q("$WINFO$"));
    EXPECT_EQ(windowHost.infoTexts.at(3), Q("No previous window detected."));
}

TEST_F(WindowCommands, HandleActivatesAnExistingWindow) {
    EXPECT_FALSE(Dispatch(Q("$WHANDLE$"), Q("501")).failed);
    EXPECT_EQ(desktop.active, 501u);
    EXPECT_EQ(Dispatch(Q("$WHANDLE$"), Q("9")).message, Q("No such window (WindowHandle: 9)."));
}

TEST_F(WindowCommands, TheInputWindowArrangesThroughItsHost) {
    const TInternalOutcome geometry = Dispatch(Q("$WVANTRELO$"));
    EXPECT_TRUE(geometry.noaftercommand);
    EXPECT_EQ(Answer(), Q("590,200,100,100,1"));
    Dispatch(Q("$WVANTRELO$"), Q("100x300"));
    Dispatch(Q("$WVANTRELO$"), Q("700,0,10,20"));
    EXPECT_EQ(windowHost.arranged, (QStringList{Q("250,300,-"), Q("700,200,10:50")}));
}

TEST_F(WindowCommands, MouseCommandsReadOnePointForm) {
    Dispatch(Q("$SETMOUSEPOS"), Q("10,20"));
    Dispatch(Q("$MOUSERIGHTCLICK"), Q("30,40,7"));
    EXPECT_EQ(desktop.calls, (QStringList{Q("cursor:10,20"), Q("cursor:30,40"), Q("down:right"), Q("up:right")}));
    EXPECT_EQ(fx.waiter.waitedMs, 20);
    for (const char* command : {"$SETMOUSEPOS", "$MOUSECLICK", "$MOUSELEFTCLICK", "$MOUSERIGHTCLICK", "$GETMOUSEPOSCOLOR"})
        EXPECT_EQ(Dispatch(Q(command), Q("ten,20")).message, Q("Expected x,y")) << command;

    Dispatch(Q("$GETMOUSEPOS"));
    EXPECT_EQ(Answer(), Q("30,40"));
    desktop.pixels[{3, 4}] = 0x102030;
    EXPECT_FALSE(Dispatch(Q("$GETMOUSEPOSCOLOR"), Q("3,4")).failed);
    EXPECT_EQ(Answer(), Q("R=16 G=32 B=48"));
}
