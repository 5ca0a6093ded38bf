// The window and mouse commands on a real X server with a window manager, acting on windows the test made.
#include "commandfakes.h"
#include "platform/linux/procfs.h"
#include "platform/linux/xdesktop.h"
#include "platform/linux/xmouse.h"
#include "../platform/xtestclient.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace vantrelo;
using namespace vantrelo::test;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

class DesktopWindowCommands : public testing::Test, public TCommandFixture {
protected:
    void SetUp() override {
        QString error;
        x_ = TXDesktop::Open(QString(), &error);
        ASSERT_TRUE(x_) << error.toStdString();
        mouse_ = TXMouse::Open(QString(), &error);
        ASSERT_TRUE(mouse_) << error.toStdString();
        dispatcher.Services().desktop = {x_.get(), x_.get(), mouse_.get(), &procs_, &windowHost, qint64(::getpid())};
    }

    std::unique_ptr<TTestClient> Client(const char* title, const char* cls) {
        auto c = std::make_unique<TTestClient>(TClientOptions{Q(title), false, "probe", cls, 4242});
        const quint64 id = c->Id();
        EXPECT_TRUE(PollUntil([&] {
            const std::vector<quint64> all = x_->ClientWindows();
            return std::find(all.begin(), all.end(), id) != all.end();
        }));
        return c;
    }

    // The client window becomes the previous window, as summoning the launcher over it would do.
    void Target(const TTestClient& c) { windowHost.lastActive = CaptureTarget(*x_, c.Id()); }

    TWindowFacts Facts(quint64 w) {
        TWindowFacts f;
        x_->Describe(w, &f);
        return f;
    }

    std::unique_ptr<TXDesktop> x_;
    std::unique_ptr<TXMouse> mouse_;
    TProcFsProcessList procs_;
};

// An xmessage window: an ordinary X program that publishes no _NET_WM_PID.
class TXMessage {
public:
    explicit TXMessage(const char* title) {
        pid_ = ::fork();
        if (pid_ == 0) {
            ::execlp("xmessage", "xmessage", "-title", title, "-name", "probemessage", "message without a pid",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~TXMessage() {
        if (pid_ > 0 && !Ended()) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    TXMessage(const TXMessage&) = delete;
    TXMessage& operator=(const TXMessage&) = delete;

    bool Ended() {
        if (ended_)
            return true;
        ended_ = ::waitpid(pid_, nullptr, WNOHANG) == pid_;
        return ended_;
    }

private:
    pid_t pid_ = -1;
    bool ended_ = false;
};

} // namespace

TEST_F(DesktopWindowCommands, ResizeCentreAndDockThePreviousWindow) {
    auto c = Client("arranged", "ArrangeProbe");
    Target(*c);
    const quint64 w = c->Id();
    ASSERT_FALSE(Dispatch(Q("$WRESIZE$"), Q("320x200")).failed);
    EXPECT_TRUE(PollUntil([&] { return x_->ClientRect(w).size() == QSize(320, 200); }));

    ASSERT_FALSE(Dispatch(Q("$WCENTER$")).failed);
    const QRect work = x_->Monitors().front().workArea;
    EXPECT_TRUE(PollUntil([&] {
        const QRect f = x_->FrameRect(w);
        return f.x() == work.x() + (work.width() - f.width()) / 2 && f.y() == work.y() + (work.height() - f.height()) / 2;
    }));

    ASSERT_FALSE(Dispatch(Q("$WLEFT$"), Q("50")).failed);
    EXPECT_TRUE(PollUntil([&] {
        const QRect f = x_->FrameRect(w);
        return f.x() == work.x() && f.width() == work.width() / 2;
    }));
    EXPECT_EQ(Dispatch(Q("$WCENTER$"), Q("5")).message, Q("No such monitor: 5"));
}

TEST_F(DesktopWindowCommands, MinimiseMaximiseAndClose) {
    auto c = Client("stateful", "StateProbe");
    Target(*c);
    const quint64 w = c->Id();
    Dispatch(Q("$WMAXIMIZE$"));
    EXPECT_TRUE(PollUntil([&] { return Facts(w).maximized; }));
    Dispatch(Q("$WMINIMIZE$"));
    EXPECT_TRUE(PollUntil([&] { return Facts(w).minimized; }));
    Dispatch(Q("$WCLOSE$"));
    const xcb_atom_t del = c->Atom("WM_DELETE_WINDOW");
    EXPECT_TRUE(PollUntil([&] {
        c->Pump();
        return std::find(c->clientMessageData0.begin(), c->clientMessageData0.end(), del) !=
               c->clientMessageData0.end();
    }));
}

TEST_F(DesktopWindowCommands, AReusedOrClosedTargetIsNotActedOn) {
    auto c = Client("captured", "CapturedProbe");
    Target(*c);
    const TTargetWindow captured = windowHost.lastActive;
    c.reset();
    ASSERT_TRUE(PollUntil([&] { return !x_->IsWindow(captured.id); }));
    EXPECT_EQ(Dispatch(Q("$WMAXIMIZE$")).message, Q("Previous window is gone"));
}

TEST_F(DesktopWindowCommands, FindActivatesByTitleAndByClass) {
    auto a = Client("Alpha notes", "AlphaProbe");
    auto b = Client("Beta sheet", "BetaProbe");
    ASSERT_FALSE(Dispatch(Q("$WFINDACTIVE$alpha$WFINDACTIVE$")).failed);
    EXPECT_TRUE(PollUntil([&] { return x_->ActiveWindow() == a->Id(); }));
    ASSERT_FALSE(Dispatch(Q("$WFINDACTIVE$class,betaprobe$WFINDACTIVE$")).failed);
    EXPECT_TRUE(PollUntil([&] { return x_->ActiveWindow() == b->Id(); }));
}

TEST_F(DesktopWindowCommands, FindMatchesAWindowWithoutAProcessIdByTitleAndClass) {
    TXMessage message("Gamma message");
    quint64 w = 0;
    ASSERT_TRUE(PollUntil([&] {
        for (quint64 c : x_->ClientWindows())
            if (Facts(c).title == Q("Gamma message"))
                w = c;
        return w != 0;
    }));
    ASSERT_LE(Facts(w).pid, 0) << "xmessage published a process id; the case is not shown";
    auto other = Client("Delta sheet", "DeltaProbe");
    ASSERT_TRUE(PollUntil([&] { return x_->Activate(other->Id(), 0) && x_->ActiveWindow() == other->Id(); }));

    ASSERT_FALSE(Dispatch(Q("$WFINDACTIVE$gamma$WFINDACTIVE$")).failed);
    EXPECT_TRUE(PollUntil([&] { return x_->ActiveWindow() == w; }));
    // The process's file is not known without its id: no match, and nothing else is acted on.
    EXPECT_EQ(Dispatch(Q("$WFINDCLOSE$file,xmessage$WFINDCLOSE$")).message, Q("No window found: xmessage"));
    EXPECT_FALSE(message.Ended());
    ASSERT_FALSE(Dispatch(Q("$WFINDCLOSE$class,xmessage$WFINDCLOSE$")).failed);
    EXPECT_TRUE(PollUntil([&] { return message.Ended(); }));
}

TEST_F(DesktopWindowCommands, SetMousePosMovesThePointer) {
    ASSERT_FALSE(Dispatch(Q("$SETMOUSEPOS"), Q("123,45")).failed);
    EXPECT_EQ(mouse_->CursorPos(), QPoint(123, 45));
    Dispatch(Q("$GETMOUSEPOS"));
    EXPECT_EQ(Answer(), Q("123,45"));
}
