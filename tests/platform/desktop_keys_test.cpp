// On a real X server: keys, chords and characters sent with XTest arrive in the focused window.
#include "platform/linux/xkeyboard.h"
#include "xtestclient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace vantrelo;
using vantrelo::test::PollUntil;
using vantrelo::test::TTestClient;

namespace {

class DesktopKeys : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        keys_ = TXKeyboard::Open(QString(), &error);
        ASSERT_TRUE(keys_) << error.toStdString();
        target_ = std::make_unique<TTestClient>(vantrelo::test::TClientOptions{QStringLiteral("typing target")});
        ASSERT_TRUE(PollUntil([&] {
            target_->Focus();
            xcb_connection_t* c = target_->Conn();
            xcb_get_input_focus_reply_t* r = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
            const bool focused = r && r->focus == target_->Id();
            std::free(r);
            return focused;
        }));
    }

    // The keysyms of the presses that reached the window once `count` presses are in.
    std::vector<quint32> Presses(size_t count) {
        std::vector<quint32> out;
        PollUntil([&] {
            target_->Pump();
            out.clear();
            for (const TTestClient::TKey& k : target_->keys)
                if (k.press)
                    out.push_back(k.keysym);
            return out.size() >= count;
        });
        return out;
    }

    std::unique_ptr<TXKeyboard> keys_;
    std::unique_ptr<TTestClient> target_;
};

TEST_F(DesktopKeys, TypesCharactersWithAndWithoutKeysOnTheLayout) {
    struct Case {
        char32_t ch;
        quint32 keysym;
    };
    // Letters and shifted signs are on the layout; the rest borrow a spare key, more of them than
    // there are keys to borrow, and a character typed again after its key was reused.
    const Case cases[] = {
        {U'a', 'a'}, {U'A', 'A'}, {U'!', '!'}, {U'é', 0xe9}, {U'€', 0x010020ac}, {U'→', 0x01002192},
        {U'😀', 0x0101f600}, {U'ж', 0x01000436}, {U'λ', 0x010003bb}, {U'ß', 0xdf}, {U'ø', 0xf8},
        {U'Ω', 0x010003a9}, {U'€', 0x010020ac}, {U'\r', 0xff0d}, {U'é', 0xe9},
    };
    std::vector<quint32> want;
    for (const Case& c : cases) {
        ASSERT_TRUE(keys_->TypeCharacter(c.ch)) << quint32(c.ch);
        want.push_back(c.keysym);
        // Read each key with the mapping of its moment, as a real client does.
        Presses(want.size());
    }
    std::vector<quint32> got = Presses(want.size());
    // Shift pressed for the shifted signs shows up as its own press.
    got.erase(std::remove(got.begin(), got.end(), 0xffe1u), got.end());
    EXPECT_EQ(got, want);
    EXPECT_FALSE(keys_->TypeCharacter(char32_t(0x01)));
    EXPECT_FALSE(keys_->TypeCharacter(char32_t(0xdc00)));
}

TEST_F(DesktopKeys, ChordsHoldTheirModifiers) {
    keys_->SendChord('C', kModCtrl | kModShift);
    const std::vector<quint32> got = Presses(3);
    ASSERT_EQ(got, (std::vector<quint32>{0xffe3, 0xffe1, 'C'}));
    for (const TTestClient::TKey& k : target_->keys) {
        if (k.press && k.keysym == 'C') {
            EXPECT_EQ(k.state & (XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT),
                      uint32_t(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT));
        }
    }
    // Every modifier is released again.
    EXPECT_FALSE(keys_->IsKeyDown(0x11));
    EXPECT_FALSE(keys_->IsKeyDown(0x10));
}

TEST_F(DesktopKeys, HeldKeysAreSeenAsDown) {
    struct Case {
        int pressed;
        int asked;
    };
    const Case cases[] = {{0xA1, 0x10}, {0xA1, 0xA1}, {0xA2, 0x11}, {0x5B, 0x5B}, {'Q', 'Q'}, {0x70, 0x70}};
    for (const Case& c : cases) {
        EXPECT_FALSE(keys_->IsKeyDown(c.asked)) << c.pressed;
        ASSERT_TRUE(keys_->KeyDown(c.pressed));
        EXPECT_TRUE(keys_->IsKeyDown(c.asked)) << c.pressed;
        ASSERT_TRUE(keys_->KeyUp(c.pressed));
        EXPECT_FALSE(keys_->IsKeyDown(c.asked)) << c.pressed;
    }
    EXPECT_FALSE(keys_->KeyDown(0x07)); // no key for an undefined code
    // The key that types nothing still arrives as a key.
    ASSERT_TRUE(keys_->KeyDown(0xFC));
    ASSERT_TRUE(keys_->KeyUp(0xFC));
    const std::vector<quint32> got = Presses(7);
    ASSERT_FALSE(got.empty()) << "no key arrived";
    EXPECT_EQ(got.back(), 0xffffffu);
}

} // namespace
