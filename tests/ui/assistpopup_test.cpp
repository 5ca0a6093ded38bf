// The input-assist popup offscreen: it opens under the line, moves with the arrows and hands the chosen row on.
#include "ui/autocompletepopup.h"

#include "support/qtapp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace vantrelo {
namespace {

QApplication& App() { return test::WidgetApp(); }

// What the popup handed on.
struct TPicked {
    QString how; // "select", "soft" or empty
    int row = -2;
    bool shift = false;
};

class AssistPopup : public ::testing::Test {
protected:
    void SetUp() override {
        line_.setText(QStringLiteral("no"));
        line_.show();
        popup_.FOnSelect = [this](int row, bool shift) { picked_ = {QStringLiteral("select"), row, shift}; };
        popup_.FOnSoftSelect = [this](int row, bool shift) { picked_ = {QStringLiteral("soft"), row, shift}; };
        popup_.FOnUpdate = [this] { ++updates_; };
        popup_.UpdateItems({QStringLiteral("notepad"), QStringLiteral("nord"), QStringLiteral("news")},
                           QStringLiteral("> match:no"), QString());
        popup_.ShowAt(&line_);
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&line_, key, mods); }

    QApplication& app_ = App(); // before any widget
    QLineEdit line_;
    TAutocompletePopup popup_;
    TPicked picked_;
    int updates_ = 0;
};

TEST_F(AssistPopup, OpensUnderTheLineWithNoRowSelected) {
    EXPECT_TRUE(popup_.isVisible());
    EXPECT_EQ(popup_.Rows().size(), 3);
    EXPECT_EQ(popup_.SelectedRow(), -1);
    EXPECT_EQ(popup_.pos(), line_.mapToGlobal(QPoint(0, line_.height())));
    EXPECT_GE(popup_.height(), 3 * popup_.RowHeight());
}

TEST_F(AssistPopup, ArrowsMoveAndEnterOrLeftRightPick) {
    struct Case {
        const char* name;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> moves;
        Qt::Key pick;
        Qt::KeyboardModifiers pickMods;
        int selectedBeforePick;
        TPicked expected;
    };
    const Case cases[] = {
        {"down twice, enter", {{Qt::Key_Down, {}}, {Qt::Key_Down, {}}}, Qt::Key_Return, {}, 1,
         {QStringLiteral("select"), 1, false}},
        {"past the end stays on the last", {{Qt::Key_Down, {}}, {Qt::Key_Down, {}}, {Qt::Key_Down, {}}, {Qt::Key_Down, {}}},
         Qt::Key_Enter, Qt::ShiftModifier, 2, {QStringLiteral("select"), 2, true}},
        {"up from none takes the last, up again", {{Qt::Key_Up, {}}, {Qt::Key_Up, {}}}, Qt::Key_Right, {}, 1,
         {QStringLiteral("soft"), 1, false}},
        {"down then left", {{Qt::Key_Down, {}}}, Qt::Key_Left, {}, 0, {QStringLiteral("soft"), 0, false}},
        {"enter without a row", {}, Qt::Key_Return, {}, -1, {QStringLiteral("select"), -1, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        picked_ = {};
        popup_.UpdateItems(popup_.Rows(), QStringLiteral("> match:no"), QString());
        popup_.ShowAt(&line_);
        for (const auto& [key, mods] : c.moves)
            Key(key, mods);
        EXPECT_EQ(popup_.SelectedRow(), c.selectedBeforePick);
        Key(c.pick, c.pickMods);
        EXPECT_FALSE(popup_.isVisible());
        EXPECT_EQ(picked_.how, c.expected.how);
        EXPECT_EQ(picked_.row, c.expected.row);
        EXPECT_EQ(picked_.shift, c.expected.shift);
        EXPECT_EQ(line_.text(), QStringLiteral("no")); // the popup itself never edits the line
    }
}

TEST_F(AssistPopup, KeysItHasNoUseForReachTheLine) {
    struct Case {
        const char* name;
        std::vector<Qt::Key> keys;
        QString line;
        bool visible;
    };
    const Case cases[] = {
        {"typing closes it and types on", {Qt::Key_T}, QStringLiteral("not"), false},
        {"backspace without a row edits", {Qt::Key_Backspace}, QStringLiteral("n"), false},
        {"backspace on a row leaves the row first", {Qt::Key_Down, Qt::Key_Backspace}, QStringLiteral("no"), true},
        {"left without a row moves the caret", {Qt::Key_Left, Qt::Key_X}, QStringLiteral("nxo"), false},
        {"escape only closes", {Qt::Key_Escape}, QStringLiteral("no"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        line_.setText(QStringLiteral("no"));
        line_.setCursorPosition(2);
        picked_ = {};
        popup_.ShowAt(&line_);
        for (Qt::Key k : c.keys)
            Key(k);
        EXPECT_EQ(line_.text(), c.line);
        EXPECT_EQ(popup_.isVisible(), c.visible);
        EXPECT_TRUE(picked_.how.isEmpty());
    }
}

TEST_F(AssistPopup, CtrlSpaceAsksForNewRowsAMomentLater) {
    Key(Qt::Key_Down);
    Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(updates_, 0); // not inside the key press
    EXPECT_TRUE(QTest::qWaitFor([&] { return updates_ == 1; }, 2000));
    popup_.UpdateItems({QStringLiteral("https://example.org")}, QStringLiteral("> history:url"),
                       QStringLiteral("No matches, switched mode"));
    EXPECT_TRUE(popup_.isVisible());
    EXPECT_EQ(popup_.Rows(), QStringList{QStringLiteral("https://example.org")});
    EXPECT_EQ(popup_.SelectedRow(), -1);
    EXPECT_EQ(line_.text(), QStringLiteral("no"));
}

TEST_F(AssistPopup, AClickPicksTheRowUnderTheMouse) {
    const QPoint second(10, 1 + popup_.RowHeight() + popup_.RowHeight() / 2);
    QTest::mouseMove(&popup_, second);
    EXPECT_EQ(popup_.HoverRow(), 1);
    QTest::mouseClick(&popup_, Qt::LeftButton, Qt::NoModifier, second);
    EXPECT_FALSE(popup_.isVisible());
    EXPECT_EQ(picked_.how, QStringLiteral("select"));
    EXPECT_EQ(picked_.row, 1);
}

} // namespace
} // namespace vantrelo
