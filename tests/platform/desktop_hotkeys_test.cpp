// On a real X server: global hotkeys grabbed on the root window, pressed through XTest.
#include "platform/linux/xhotkeys.h"
#include "platform/linux/xkeyboard.h"
#include "support/qtapp.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QThread>

#include <chrono>
#include <thread>
#include <vector>

using namespace vantrelo;

namespace {

class DesktopHotkeys : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        hotkeys_ = TXGlobalHotkeys::Open(QString(), &error);
        ASSERT_TRUE(hotkeys_) << error.toStdString();
        keys_ = TXKeyboard::Open(QString(), &error);
        ASSERT_TRUE(keys_) << error.toStdString();
        hotkeys_->SetHandler([this](int id, quint64 time) {
            fired_.push_back(id);
            times_.push_back(time);
        });
    }

    // Runs the event loop until `count` hotkeys fired or two seconds passed.
    bool Fired(size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (fired_.size() < count && std::chrono::steady_clock::now() < deadline) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return fired_.size() >= count;
    }

    QCoreApplication& app_ = test::CoreApp();
    std::unique_ptr<TXGlobalHotkeys> hotkeys_;
    std::unique_ptr<TXKeyboard> keys_;
    std::vector<int> fired_;
    std::vector<quint64> times_;
};

TEST_F(DesktopHotkeys, FiresInEveryLockState) {
    ASSERT_TRUE(hotkeys_->Register(7, 'K', kModCtrl | kModAlt));
    ASSERT_TRUE(hotkeys_->Register(1, 'Z', kModShift | kModWin)); // the program's default hotkey
    struct Case {
        const char* locks;
        std::vector<int> toggles; // lock keys tapped before, and again after
    };
    const Case cases[] = {{"none", {}}, {"Num Lock", {0x90}}, {"Caps Lock", {0x14}}, {"both", {0x90, 0x14}}};
    size_t expected = 0;
    for (const Case& c : cases) {
        for (int vk : c.toggles)
            keys_->SendChord(vk, 0);
        keys_->SendChord('K', kModCtrl | kModAlt);
        keys_->SendChord('Z', kModShift | kModWin);
        expected += 2;
        ASSERT_TRUE(Fired(expected)) << c.locks;
        EXPECT_EQ(fired_[expected - 2], 7) << c.locks;
        EXPECT_EQ(fired_[expected - 1], 1) << c.locks;
        for (int vk : c.toggles)
            keys_->SendChord(vk, 0);
    }
    EXPECT_NE(times_.front(), 0u);
}

TEST_F(DesktopHotkeys, OtherCombinationsDoNotFire) {
    ASSERT_TRUE(hotkeys_->Register(3, 'K', kModCtrl | kModAlt));
    keys_->SendChord('K', kModCtrl);                         // a modifier missing
    keys_->SendChord('K', kModCtrl | kModAlt | kModShift);   // one too many
    keys_->SendChord('J', kModCtrl | kModAlt);                // another key
    hotkeys_->Unregister(3);
    keys_->SendChord('K', kModCtrl | kModAlt);                // no longer registered
    EXPECT_FALSE(Fired(1));
}

TEST_F(DesktopHotkeys, ACombinationHeldElsewhereIsRefused) {
    QString error;
    std::unique_ptr<TXGlobalHotkeys> other = TXGlobalHotkeys::Open(QString(), &error);
    ASSERT_TRUE(other);
    ASSERT_TRUE(other->Register(2, 'M', kModCtrl | kModShift));
    EXPECT_FALSE(hotkeys_->Register(2, 'M', kModCtrl | kModShift)) << "already taken";
    EXPECT_TRUE(hotkeys_->Register(4, 'M', kModCtrl | kModAlt));
    other.reset(); // the other program ends, its grabs with it
    // The server frees the grabs once it has handled the other connection's end: ask until then.
    bool taken = false;
    for (QDeadlineTimer deadline(10000); !(taken = hotkeys_->Register(2, 'M', kModCtrl | kModShift)) &&
                                         !deadline.hasExpired();)
        QThread::msleep(20);
    EXPECT_TRUE(taken);
    keys_->SendChord('M', kModCtrl | kModShift);
    ASSERT_TRUE(Fired(1));
    EXPECT_EQ(fired_[0], 2);
}

TEST_F(DesktopHotkeys, RegistrationRules) {
    EXPECT_FALSE(hotkeys_->Register(2, 0x07, kModCtrl)) << "no key for the code";
    ASSERT_TRUE(hotkeys_->Register(2, 'P', kModCtrl));
    EXPECT_FALSE(hotkeys_->Register(3, 'P', kModCtrl)) << "one combination, one hotkey";
    ASSERT_TRUE(hotkeys_->Register(2, 'Q', kModCtrl)) << "an id registered again moves";
    EXPECT_TRUE(hotkeys_->Register(3, 'P', kModCtrl));
    keys_->SendChord('Q', kModCtrl);
    keys_->SendChord('P', kModCtrl);
    ASSERT_TRUE(Fired(2));
    EXPECT_EQ(fired_, (std::vector<int>{2, 3}));
    hotkeys_->UnregisterAll();
    keys_->SendChord('Q', kModCtrl);
    EXPECT_FALSE(Fired(3));
}

} // namespace
