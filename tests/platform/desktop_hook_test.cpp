// On a real X server: the keyboard hook sees every key press and release from its own thread.
#include "platform/linux/xkeyboard.h"
#include "platform/linux/xkeyboardhook.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using namespace vantrelo;

namespace {

// What the hook thread hands over; the test thread reads it under the lock, as a queued signal would.
struct TReceived {
    std::mutex lock;
    std::vector<TKeyEvent> events;
    std::thread::id thread;

    size_t Count() {
        std::lock_guard<std::mutex> g(lock);
        return events.size();
    }
    bool WaitFor(size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (Count() < count && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return Count() >= count;
    }
};

class DesktopHook : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        hook_ = TXKeyboardHook::Open(QString(), &error);
        ASSERT_TRUE(hook_) << error.toStdString();
        keys_ = TXKeyboard::Open(QString(), &error);
        ASSERT_TRUE(keys_) << error.toStdString();
    }

    bool StartRecording() {
        return hook_->Start([this](const TKeyEvent& e) {
            std::lock_guard<std::mutex> g(got_.lock);
            got_.events.push_back(e);
            got_.thread = std::this_thread::get_id();
        });
    }

    std::unique_ptr<TXKeyboardHook> hook_;
    std::unique_ptr<TXKeyboard> keys_;
    TReceived got_;
};

TEST_F(DesktopHook, SeesWindowsKeyCombinationsInOrder) {
    ASSERT_TRUE(StartRecording());
    EXPECT_TRUE(hook_->IsRunning());
    // Win alone, then Win+E, then the right Shift with Win, as the Windows-key modes tell them apart.
    keys_->SendChord(0x5B, 0);
    keys_->SendChord('E', kModWin);
    keys_->KeyDown(0xA1);
    keys_->SendChord(0x5C, 0);
    keys_->KeyUp(0xA1);
    struct Want {
        int vk;
        bool down;
    };
    const std::vector<Want> want = {{0x5B, true}, {0x5B, false}, {0x5B, true}, {'E', true}, {'E', false},
                                    {0x5B, false}, {0xA1, true}, {0x5C, true}, {0x5C, false}, {0xA1, false}};
    ASSERT_TRUE(got_.WaitFor(want.size())) << got_.Count() << " events";
    std::lock_guard<std::mutex> g(got_.lock);
    ASSERT_EQ(got_.events.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got_.events[i].vk, want[i].vk) << i;
        EXPECT_EQ(got_.events[i].down, want[i].down) << i;
    }
    EXPECT_LE(got_.events.front().timeMs, got_.events.back().timeMs);
    EXPECT_NE(got_.thread, std::this_thread::get_id()) << "events arrive on the hook's own thread";
}

TEST_F(DesktopHook, StopsPromptlyAndCanStartAgain) {
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(StartRecording()) << round;
        keys_->SendChord('A', 0);
        ASSERT_TRUE(got_.WaitFor(size_t(2 * (round + 1)))) << round;
        const auto before = std::chrono::steady_clock::now();
        hook_->Stop();
        EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2)) << "Stop never hangs";
        EXPECT_FALSE(hook_->IsRunning());
    }
    // Nothing arrives once stopped.
    keys_->SendChord('B', 0);
    EXPECT_FALSE(got_.WaitFor(7));
    EXPECT_FALSE(hook_->Start(nullptr));
}

} // namespace
