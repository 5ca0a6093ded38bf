// The keyword hotkey registry and the hotkey texts.
#include "core/items.h"
#include "core/keywordlist.h"
#include "platform/hotkeys/hotkeymanager.h"
#include "platform/hotkeys/hotkeytext.h"
#include "support/hotkeyfakes.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

std::unique_ptr<TExeWord> Word(const QString& name, int key, int keymod, bool disabled = false) {
    auto w = std::make_unique<TExeWord>();
    w->keywords = name;
    w->command = QStringLiteral("/bin/true");
    w->key = key;
    w->keymod = keymod;
    w->disabled = disabled;
    return w;
}

class HotkeyManager : public ::testing::Test {
protected:
    test::TFakeGlobalHotkeys grabs;
    TmyHotKeyManager manager{grabs};
};

TEST_F(HotkeyManager, KeywordsTakeTheSmallestFreeIdsFromTwoAndFreedIdsAreReused) {
    TKeywordList words;
    TExeWord& a = words.Add(Word("a", 'A', 2));
    TExeWord& b = words.Add(Word("b", 'B', 2));
    TExeWord& c = words.Add(Word("c", 'C', 2));
    EXPECT_TRUE(manager.RegisterAllHotkeys(words).empty());
    EXPECT_EQ(grabs.grabs.at(2), std::make_pair(int('A'), 2));
    EXPECT_EQ(grabs.grabs.at(4), std::make_pair(int('C'), 2));
    EXPECT_EQ(manager.FindKeyByAtom(3), &b);
    EXPECT_EQ(manager.FindKeyByAtom(1), nullptr); // the program's own id is never a keyword's

    manager.Remove(&b);
    EXPECT_EQ(grabs.grabs.count(3), 0u);
    EXPECT_EQ(manager.Exist(&b), -1);
    EXPECT_EQ(manager.FindFreeAtom(), 3);
    TExeWord& d = words.Add(Word("d", 'D', 1));
    EXPECT_TRUE(manager.AddExeword(&d));
    EXPECT_EQ(manager.FindKeyByAtom(3), &d);
    EXPECT_EQ(manager.Exist(&a), 0);
    EXPECT_EQ(manager.Exist(&c), 1);
}

TEST_F(HotkeyManager, UpdateReregistersUnderTheSameIdAndNoKeyLeavesItUnregistered) {
    auto w = Word("t", 'T', 3);
    ASSERT_TRUE(manager.AddExeword(w.get()));
    ASSERT_EQ(grabs.grabs.at(2), std::make_pair(int('T'), 3));

    EXPECT_TRUE(manager.AddOrUpdate('Y', 8, w.get()));
    EXPECT_EQ(grabs.grabs.at(2), std::make_pair(int('Y'), 8));
    EXPECT_EQ(manager.Hotkeys().size(), 1u);

    EXPECT_FALSE(manager.AddOrUpdate(-1, 0, w.get()));
    EXPECT_TRUE(grabs.grabs.empty());
    EXPECT_EQ(manager.Exist(w.get()), 0); // the entry stays, without a key
}

TEST_F(HotkeyManager, DisabledKeywordsAndKeywordsWithoutKeyAreNotRegisteredNorFailures) {
    TKeywordList words;
    words.Add(Word("off", 'O', 2, true));
    words.Add(Word("none", -1, 2));
    EXPECT_TRUE(manager.RegisterAllHotkeys(words).empty());
    EXPECT_TRUE(grabs.grabs.empty());
    EXPECT_TRUE(manager.Hotkeys().empty());
}

TEST_F(HotkeyManager, AKeywordSavedAsDisabledOrWithoutKeyLosesItsHotkey) {
    auto w = Word("t", 'T', 3);
    ASSERT_TRUE(manager.AddExeword(w.get()));
    w->disabled = true;
    EXPECT_FALSE(manager.AddExeword(w.get()));
    EXPECT_TRUE(grabs.grabs.empty());
    EXPECT_EQ(manager.FindKeyByAtom(2), nullptr);

    w->disabled = false;
    ASSERT_TRUE(manager.AddExeword(w.get()));
    w->key = -1;
    EXPECT_FALSE(manager.AddExeword(w.get()));
    EXPECT_EQ(manager.Exist(w.get()), -1);
}

TEST_F(HotkeyManager, AKeyWithoutStoredModifiersIsABareKeyNotEveryModifier) {
    auto w = Word("f", 0x7B, -1);
    ASSERT_TRUE(manager.AddExeword(w.get()));
    EXPECT_EQ(grabs.grabs.at(2), std::make_pair(0x7B, 0));
}

TEST_F(HotkeyManager, TakenCombinationsAreReportedByKeywordInListOrder) {
    grabs.taken.insert({'T', 3});
    TKeywordList words;
    TExeWord& first = words.Add(Word("term", 'T', 3));
    words.Add(Word("ok", 'K', 3));
    TExeWord& twin = words.Add(Word("twin", 'K', 3)); // our own second use of Ctrl+Alt+K
    const auto failed = manager.RegisterAllHotkeys(words);
    ASSERT_EQ(failed.size(), 2u);
    EXPECT_EQ(failed[0], &first);
    EXPECT_EQ(failed[1], &twin);
    EXPECT_EQ(grabs.grabs.size(), 1u);
}

TEST_F(HotkeyManager, Beyond499HotkeysTheNextIsRefusedWithoutRegisteringAnId) {
    TKeywordList words;
    for (int i = 0; i < 499; ++i) // every one its own combination (the fake takes any code)
        words.Add(Word(QString::number(i), 1000 + i, 0));
    ASSERT_TRUE(manager.RegisterAllHotkeys(words).empty());
    EXPECT_EQ(manager.FindFreeAtom(), -1);
    EXPECT_EQ(grabs.grabs.rbegin()->first, 500);

    TExeWord& extra = words.Add(Word("extra", 'X', 2));
    const auto failed = manager.RegisterAllHotkeys(words);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0], &extra);
    EXPECT_EQ(manager.Exist(&extra), -1);
    EXPECT_EQ(grabs.grabs.count(-1), 0u);
    EXPECT_EQ(grabs.grabs.size(), 499u);
}

TEST_F(HotkeyManager, CleanUpUnregistersEveryKeywordHotkeyButNotTheProgramsOwn) {
    ASSERT_TRUE(grabs.Register(1, 'Z', 12));
    auto a = Word("a", 'A', 2);
    auto b = Word("b", 'B', 2);
    manager.AddExeword(a.get());
    manager.AddExeword(b.get());
    manager.CleanUp();
    EXPECT_EQ(grabs.grabs.size(), 1u);
    EXPECT_EQ(grabs.grabs.count(1), 1u);
    EXPECT_TRUE(manager.Hotkeys().empty());
}

TEST(HotkeyText, ModifiersInFixedOrderThenTheKeyName) {
    const struct {
        int key, mod;
        const char* text;
    } cases[] = {
        {-1, 15, "None"},
        {'T', 3, "ALT+CTRL+T"},
        {'Z', 12, "WIN+SHIFT+Z"},
        {'5', 15, "WIN+ALT+CTRL+SHIFT+5"},
        {19, 2, "CTRL+Pause"},
        {0x70, 0, "F1"},
        {0x87, 1, "ALT+F24"},
        {0x0D, 4, "SHIFT+Enter"},
        {0x20, 8, "WIN+Space"},
        {0x21, 2, "CTRL+PgUp"},
        {0x2E, 3, "ALT+CTRL+Del"},
        {0x63, 2, "CTRL+Num 3"},
        {0xBC, 2, "CTRL+,"},
        {0x7B, -1, "F12"},
        {0xFF, 2, "CTRL+Key 255"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HotkeyText(c.key, c.mod), QString::fromLatin1(c.text)) << c.text;
}

TEST(HotkeyText, TheSettingsDialogsFailureSpellsModifiersInLowerCase) {
    EXPECT_EQ(HotkeyAssignFailedText('Z', 12), "Unable to assign win+shift+Z as hotkey.");
    EXPECT_EQ(HotkeyAssignFailedText(0x70, 3), "Unable to assign alt+control+F1 as hotkey.");
}

TEST(HotkeyText, ReadsBackWhatItWrites) {
    // Every named key with every modifier set comes back as it was written.
    for (int vk = 1; vk < 0xFF; ++vk) {
        if (KeyName(vk).startsWith(QLatin1String("Key ")))
            continue;
        for (int mods = 0; mods < 16; ++mods) {
            int key = 0, keymod = 0;
            const QString text = HotkeyText(vk, mods);
            ASSERT_TRUE(ParseHotkeyText(text, key, keymod)) << text.toStdString();
            // Two codes share the name "\"; either is the key of that name.
            EXPECT_EQ(KeyName(key), KeyName(vk)) << text.toStdString();
            EXPECT_EQ(keymod, mods) << text.toStdString();
        }
    }
}

TEST(HotkeyText, ReadsTypedSpellings) {
    const struct {
        const char* text;
        bool ok;
        int key, mod;
    } cases[] = {
        {"ctrl+alt+t", true, 'T', 3},     {"Super+Shift+Z", true, 'Z', 12}, {"CONTROL+F5", true, 0x74, 2},
        {"  none ", true, -1, 0},         {"CTRL+Num +", true, 0x6B, 2},    {"ALT++", false, 0, 0},
        {"CTRL+", false, 0, 0},           {"CTRL+Banana", false, 0, 0},     {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        int key = 0, keymod = 0;
        EXPECT_EQ(ParseHotkeyText(QString::fromLatin1(c.text), key, keymod), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(key, c.key) << c.text;
            EXPECT_EQ(keymod, c.mod) << c.text;
        }
    }
}

} // namespace
} // namespace vantrelo
