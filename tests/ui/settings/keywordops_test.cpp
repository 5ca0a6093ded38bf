// The keyword editor's list operations and the hotkey field's key rules.
#include "core/items.h"
#include "ui/settings/keywordops.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct Fixture {
    TKeywordList words;
    QStringList taken, released; // hotkey calls, by name
    TKeywordOps ops{words, {[this](TExeWord& w) { taken << w.keywords; return true; }, [this](TExeWord& w) { released << w.keywords; }}};

    explicit Fixture(const QStringList& names) {
        for (const QString& n : names) {
            auto w = MakeNewKeyword(n, "cmd-" + n, QString());
            w->key = 84;
            w->keymod = 3;
            words.Add(std::move(w));
        }
    }
    QStringList Names() const {
        QStringList n;
        for (const auto& w : words)
            n << w->keywords;
        return n;
    }
};

TEST(KeywordOps, DeleteTakesHotkeysAndUndoPutsTheRecordsBack) {
    Fixture f({"a", "b", "c", "d"});
    f.ops.Delete({3, 1});
    EXPECT_EQ(f.Names(), QStringList({"a", "c"}));
    EXPECT_EQ(f.released, QStringList({"d", "b"}));
    EXPECT_EQ(f.ops.UndoDelete(), 1);
    EXPECT_EQ(f.Names(), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(f.taken, QStringList({"b", "d"}));
    EXPECT_FALSE(f.ops.CanUndoDelete());
}

TEST(KeywordOps, CopiesNeverTakeTheOriginalsHotkey) {
    Fixture f({"a", "b"});
    EXPECT_EQ(f.ops.Duplicate(0), 1);
    f.ops.Copy({2}, false);
    f.ops.Paste(0);
    f.ops.Paste(-1);
    EXPECT_EQ(f.Names(), QStringList({"copy_b", "a", "copy_a", "b", "copy_b"}));
    for (const auto& w : f.words)
        EXPECT_EQ(w->key == -1, w->keywords.startsWith("copy_")) << w->keywords.toStdString();
    EXPECT_TRUE(f.taken.isEmpty());
    EXPECT_TRUE(f.ops.CanPaste());
}

TEST(KeywordOps, CutAndPasteMovesWithTheHotkeyOnce) {
    Fixture f({"a", "b", "c"});
    f.ops.Copy({0}, true);
    EXPECT_EQ(f.ops.Paste(2), 2);
    EXPECT_EQ(f.Names(), QStringList({"b", "c", "a"}));
    EXPECT_EQ(f.words.at(2).key, 84);
    EXPECT_EQ(f.taken, QStringList({"a"}));
    EXPECT_FALSE(f.ops.CanPaste());
}

TEST(KeywordOps, AddMoveSortToggleAndClosingCleanUp) {
    Fixture f({"b", "?x", "A"});
    EXPECT_EQ(f.ops.Add(0), 1);
    EXPECT_EQ(f.ops.Add(-1), 4);
    f.words.at(4).command = "dropped-file"; // a dropped file kept the default name
    EXPECT_EQ(f.ops.Move(2, 0), 0);
    EXPECT_EQ(f.Names(), QStringList({"?x", "b", "new...", "A", "new..."}));
    f.ops.RemoveUnfinished();
    EXPECT_EQ(f.Names(), QStringList({"?x", "b", "A", "new..."}));
    f.ops.SortAll();
    EXPECT_EQ(f.Names(), QStringList({"A", "b", "new...", "?x"}));
    f.ops.ToggleEnabled({0});
    EXPECT_TRUE(f.words.at(0).disabled);
    EXPECT_EQ(f.released, QStringList({"A"}));
}

TEST(HotkeyCapture, KeysNeedAModifierUnlessTheyStandAlone) {
    const struct {
        int key;
        bool modifier;
        THotkeyKeyUse use;
    } cases[] = {
        {Qt::Key_Tab, false, THotkeyKeyUse::Focus},      {Qt::Key_Backtab, true, THotkeyKeyUse::Focus},
        {Qt::Key_Escape, false, THotkeyKeyUse::Cancel},  {Qt::Key_Backspace, false, THotkeyKeyUse::Clear},
        {Qt::Key_Delete, false, THotkeyKeyUse::Clear},   {Qt::Key_A, false, THotkeyKeyUse::NeedsModifier},
        {Qt::Key_5, false, THotkeyKeyUse::NeedsModifier}, {Qt::Key_Space, false, THotkeyKeyUse::NeedsModifier},
        {Qt::Key_Return, false, THotkeyKeyUse::NeedsModifier}, {Qt::Key_Home, false, THotkeyKeyUse::NeedsModifier},
        {Qt::Key_A, true, THotkeyKeyUse::Accept},        {Qt::Key_F7, false, THotkeyKeyUse::Accept},
        {Qt::Key_VolumeUp, false, THotkeyKeyUse::Accept}, {Qt::Key_MediaPlay, false, THotkeyKeyUse::Accept},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyHotkeyKey(c.key, c.modifier), c.use) << c.key;
}

TEST(KeywordOps, SortingByAColumnPutsEmptyValuesAndNoHotkeyLastAndTiesByName) {
    Fixture f({"b", "?q", "a", "c"});
    f.words.at(0).comment = "Zeta";
    f.words.at(2).comment = "alpha";
    f.words.at(3).comment = "zeta";
    f.words.at(2).key = -1; // "a" has no hotkey
    f.words.at(2).keymod = -1;
    f.words.at(3).key = 65;
    const struct {
        int column;
        QStringList order;
    } cases[] = {
        {0, {"a", "b", "c", "?q"}},   // names: "?" last
        {1, {"a", "b", "c", "?q"}},   // alpha, Zeta = zeta by name, empty last
        {5, {"c", "b", "?q", "a"}},   // ALT+CTRL+A, then the two ALT+CTRL+T by name, none last
    };
    for (const auto& c : cases) {
        f.ops.SortBy(c.column);
        EXPECT_EQ(f.Names(), c.order) << c.column;
    }
}

} // namespace
} // namespace vantrelo
