// The list window's arithmetic without a display: editor label, font and zoom, dimming, edge
// resizing, the pin, scroll marks, wheel scrolling, list pictures and the editor's key map.
#include "core/settings.h"
#include "ui/keymap.h"
#include "ui/windowlogic.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

TEST(ListRows, TheFirstLayoutRaisesRowsTheTextDoesNotFit) {
    struct TCase {
        int rowHeight;
        bool singleLine, titles;
        int text, title, dpi, expected;
    };
    for (const TCase& c : std::vector<TCase>{
             {20, false, true, 14, 11, 96, 20},  // 14 + 2 fits in 20
             {20, false, true, 22, 11, 96, 24},  // a 14-point font: raised to 22 + 2
             {16, false, true, 10, 11, 96, 16},  // fits
             {12, false, true, 12, 11, 96, 17},  // small rows stay at least 17
             {40, true, true, 36, 11, 96, 40},   // one-line large rows fit
             {40, true, true, 40, 11, 96, 42},
             {33, true, true, 12, 11, 96, 33},
             {40, false, true, 20, 14, 96, 40},  // two lines: 20 + 2 + 14 = 36 fits
             {33, false, true, 20, 14, 96, 36},  // too low for both lines
             {33, false, false, 32, 14, 96, 33}, // without titles one pixel less: 32 + 2 - 1 fits
             {20, false, true, 44, 22, 192, 24}, // at 192 dpi: 44 + 4 = 48 pixels are 24 at 96 dpi
         }) {
        EXPECT_EQ(FittedRowHeight(c.rowHeight, c.singleLine, c.titles, c.text, c.title, c.dpi), c.expected)
            << c.rowHeight << " " << c.text << " " << c.dpi;
    }
}

TEST(EditorLook, LabelByWidthAndFontSize) {
    EXPECT_EQ(EditorLabelText(441, 440, false), "Edit text - Ctrl+Enter = Execute, Esc = Close, F10 = Toggle");
    EXPECT_EQ(EditorLabelText(441, 440, true), "Edit text - Ctrl+Enter = Execute, Esc = Close, F4 = Toggle");
    EXPECT_EQ(EditorLabelText(440, 440, false), "Edit text"); // only wider than S(440)
    struct TCase {
        int expand, list, input, expected;
    };
    for (const TCase& c : std::vector<TCase>{{0, 10, 15, 12},   // (15 + 10) / 2 rounds down
                                             {0, 14, 10, 14},   // the list size when larger
                                             {18, 10, 15, 18},  // expandfontsize wins
                                             {0, 0, 0, 1}}) {   // never below 1 point
        EXPECT_EQ(EditorFontSize(c.expand, c.list, c.input), c.expected) << c.expand << " " << c.list << " " << c.input;
    }
}

TEST(EditorLook, ZoomStepsStopAt10And500) {
    struct TCase {
        int from;
        TZoomStep step;
        int expected;
    };
    for (const TCase& c : std::vector<TCase>{{100, TZoomStep::In, 110},
                                             {495, TZoomStep::In, 500},
                                             {500, TZoomStep::In, 500},
                                             {100, TZoomStep::Out, 90},
                                             {15, TZoomStep::Out, 10},
                                             {10, TZoomStep::Out, 10},
                                             {370, TZoomStep::Reset, 100}}) {
        EXPECT_EQ(ZoomPercent(c.from, c.step), c.expected) << c.from;
    }
    EXPECT_EQ(ZoomPercentForWheel(100, 240), 120);  // two notches
    EXPECT_EQ(ZoomPercentForWheel(100, -120), 90);
    EXPECT_EQ(ZoomPercentForWheel(100, 60), 100);   // half a notch does nothing
    EXPECT_EQ(ZoomPercentForWheel(480, 1200), 500); // many notches stop at the limit
}

TEST(EditorLook, DimmingBlendsTowardTheBackground) {
    const int text = 0x000000, title = 0x0000FF, back = 0xFFFFFF;
    const TDimmedColours none = DimmedColours(false, false, 82, text, title, back);
    EXPECT_FALSE(none.text);
    EXPECT_FALSE(none.title);
    const TDimmedColours expand = DimmedColours(true, false, 50, text, title, back);
    EXPECT_EQ(*expand.text, 0x808080);
    EXPECT_FALSE(expand.title);
    const TDimmedColours input = DimmedColours(false, true, 150, text, title, back); // limited to 100
    EXPECT_EQ(*input.text, 0xFFFFFF);
    EXPECT_EQ(*input.title, 0xFFFFFF);
}

TEST(ListResize, EdgeZonesWidthAndRows) {
    const QSize w(400, 300);
    struct TCase {
        QPoint p;
        TListEdge expected;
    };
    for (const TCase& c : std::vector<TCase>{{{200, 100}, TListEdge::None},
                                             {{389, 100}, TListEdge::None},
                                             {{390, 100}, TListEdge::Right},
                                             {{200, 291}, TListEdge::Bottom},
                                             {{395, 295}, TListEdge::Corner},
                                             {{420, 100}, TListEdge::None}}) {
        EXPECT_EQ(ListEdgeAt(c.p, w), c.expected) << c.p.x() << "," << c.p.y();
    }
    EXPECT_EQ(ListWidthForDrag(250), 250);
    EXPECT_EQ(ListWidthForDrag(5), 30);
    EXPECT_EQ(ListWidthForDrag(-40), 30);
    EXPECT_EQ(MaxVisibleForHeight(4 + 10 * 20, 2, 20), 10);
    EXPECT_EQ(MaxVisibleForHeight(4 + 10 * 20 + 11, 2, 20), 11); // rounded, not cut off
    EXPECT_EQ(MaxVisibleForHeight(4 + 10 * 20 + 9, 2, 20), 10);
    EXPECT_EQ(MaxVisibleForHeight(4, 2, 20), 1);                 // dragged shut: one row stays
    EXPECT_EQ(MaxVisibleForHeight(100, 2, 0), 1);                // no row height: no division by zero
}

TEST(ListPin, CornerAndTheRowsBesideIt) {
    EXPECT_EQ(PinPanelRect(QRect(2, 2, 300, 200), QSize(64, 48)), QRect(238, 154, 64, 48));
    // A 200-pixel list with a 48-pixel pin: rows whose centre is below 152 make room.
    EXPECT_TRUE(RowBesidePin(true, false, 160, 200, 48));
    EXPECT_FALSE(RowBesidePin(true, false, 152, 200, 48));
    EXPECT_FALSE(RowBesidePin(false, false, 160, 200, 48));
    EXPECT_FALSE(RowBesidePin(true, true, 160, 200, 48)); // righttextnoalign
}

TEST(ListScroll, MarksAndWheel) {
    // Paddings of 96 dpi: right 11 gives b = 0 (3, below 4, less 1, less 2, not below 0).
    const TScrollMarks m = ScrollMarks(QSize(300, 200), 11, 8, 9, true, true);
    ASSERT_TRUE(m.up && m.down);
    EXPECT_EQ((*m.up)[0], QPoint(289, 8));
    EXPECT_EQ((*m.up)[1], QPoint(295, 8));
    EXPECT_EQ((*m.up)[2], QPoint(292, 5));
    EXPECT_EQ((*m.down)[2], QPoint(292, 194));
    // 192 dpi: right 22 gives b = 6 - 2 = 4.
    const TScrollMarks big = ScrollMarks(QSize(600, 400), 22, 16, 18, false, true);
    EXPECT_FALSE(big.up);
    ASSERT_TRUE(big.down);
    EXPECT_EQ((*big.down)[1], QPoint(578 + 14, 382));
    EXPECT_EQ((*big.down)[2], QPoint(578 + 7, 382 + 7));
    // 33: b = 9, odd, so 8, then 6.
    EXPECT_EQ((*ScrollMarks(QSize(100, 100), 33, 10, 10, true, false).up)[1], QPoint(67 + 18, 10));

    EXPECT_EQ(WheelTopRow(10, -120, 3, 50, 10), 13);
    EXPECT_EQ(WheelTopRow(2, 240, 3, 50, 10), 0);    // never above the first row
    EXPECT_EQ(WheelTopRow(38, -120, 3, 50, 10), 40); // nor past the last page
    EXPECT_EQ(WheelTopRow(5, -120, 0, 50, 10), 6);   // an unreadable line count is 1
}

TEST(ListPicture, PlacementsOverListAndInput) {
    TListPictureInput in;
    in.picture = QSize(100, 80);
    in.input = QRect(0, 0, 400, 60);
    in.list = QRect(2, 63, 396, 200);
    in.mergeShift = 66;

    in.position = "center"; // one copy centred in the list: (148, 60) moves back to (-52, -20)
    TListPicturePlan p = PlanListPicture(in);
    EXPECT_EQ(p.list.mode, TPictureDraw::Tile);
    EXPECT_EQ(p.list.origin, QPoint(-52, -20));
    EXPECT_EQ(p.input.mode, TPictureDraw::None);

    in.position = "centermerge"; // centred in 400 x 263: (150, 91) -> (-50, -69) over both
    p = PlanListPicture(in);
    EXPECT_EQ(p.input.mode, TPictureDraw::Tile);
    EXPECT_EQ(p.input.origin, QPoint(-50, -69));
    EXPECT_EQ(p.list.mode, TPictureDraw::Tile);
    EXPECT_EQ(p.list.origin, QPoint(-52, -52)); // the same tiling seen from (2, 63)

    in.position = "merge";
    p = PlanListPicture(in);
    EXPECT_EQ(p.list.mode, TPictureDraw::Once);
    EXPECT_EQ(p.list.origin, QPoint(0, -66));
    EXPECT_EQ(p.input.mode, TPictureDraw::None);

    in.position = "cover"; // 400 x 263 over 100 x 80: the width ratio 4 wins, 400 x 320
    p = PlanListPicture(in);
    EXPECT_EQ(p.input.size, QSize(400, 320));
    EXPECT_EQ(p.input.origin, QPoint(0, -28));
    EXPECT_EQ(p.list.size, QSize(400, 320));
    EXPECT_EQ(p.list.origin, QPoint(-2, -91));

    in.position = "coverlist"; // 396 x 200: width ratio 3.96, 396 x 317 centred on the list
    p = PlanListPicture(in);
    EXPECT_EQ(p.list.size, QSize(396, 317));
    EXPECT_EQ(p.list.origin, QPoint(0, -58));
    EXPECT_EQ(p.input.mode, TPictureDraw::None);

    in.fillmode = "stretch";
    p = PlanListPicture(in);
    EXPECT_EQ(p.list.mode, TPictureDraw::Stretch);
    EXPECT_EQ(p.list.size, QSize(396, 200));

    in.fillmode.clear();
    in.position = "tiled";
    EXPECT_EQ(PlanListPicture(in).list.mode, TPictureDraw::None);
    in.position = "center";
    in.picture = QSize();
    EXPECT_EQ(PlanListPicture(in).list.mode, TPictureDraw::None);
}

TEST(ListPicture, SelectionOpacity) {
    EXPECT_EQ(SelectionAlpha(true, 100), 100);
    EXPECT_EQ(SelectionAlpha(true, 255), 255);
    EXPECT_EQ(SelectionAlpha(true, 0), 0);
    EXPECT_EQ(SelectionAlpha(true, -3), 255);
    EXPECT_EQ(SelectionAlpha(true, 900), 255);
    EXPECT_EQ(SelectionAlpha(false, 100), 255); // no picture: always solid
}

TEST(EditorKeys, TheEditorsOwnMap) {
    TSettings s;
    s.expandf4 = false;
    struct TCase {
        TKeyStroke key;
        bool empty;
        TEditorKeyAction expected;
    };
    const auto K = [](int key, bool shift = false, bool ctrl = false, bool alt = false) {
        TKeyStroke k;
        k.key = key;
        k.shift = shift;
        k.ctrl = ctrl;
        k.alt = alt;
        return k;
    };
    for (const TCase& c : std::vector<TCase>{
             {K(Qt::Key_Return, false, true), false, TEditorKeyAction::Execute},
             {K(Qt::Key_Return, true), false, TEditorKeyAction::Execute},
             {K(Qt::Key_Enter, false, false, true), false, TEditorKeyAction::Execute},
             {K(Qt::Key_Return, false, true), true, TEditorKeyAction::Consume},        // nothing to run
             {K(Qt::Key_Return, true, true), false, TEditorKeyAction::None},           // two modifiers
             {K(Qt::Key_Return), false, TEditorKeyAction::None},                       // a new line
             {K(Qt::Key_Escape), false, TEditorKeyAction::Close},
             {K(Qt::Key_F10), false, TEditorKeyAction::Close},
             {K(Qt::Key_F4), false, TEditorKeyAction::None},                           // not without expandf4
             {K(Qt::Key_Backspace), true, TEditorKeyAction::Close},
             {K(Qt::Key_Backspace), false, TEditorKeyAction::None},
             {K(Qt::Key_F11, true), false, TEditorKeyAction::CenterScreen},
             {K(Qt::Key_F11, true, true), false, TEditorKeyAction::FitAndCenter},
             {K(Qt::Key_F2), false, TEditorKeyAction::ToggleBrowser},
             {K(Qt::Key_F2, true), false, TEditorKeyAction::EndBrowser},
             {K(Qt::Key_F3), false, TEditorKeyAction::FocusInput},
             {K(Qt::Key_K, false, true), false, TEditorKeyAction::KeywordEditor},
             {K(Qt::Key_O, false, true), false, TEditorKeyAction::KeywordEditor},
             {K(Qt::Key_S, false, true), false, TEditorKeyAction::Settings},
             {K(Qt::Key_Menu), false, TEditorKeyAction::Menu},
             {K(Qt::Key_Space, false, true), false, TEditorKeyAction::InputAssist},
             {K(Qt::Key_F7), false, TEditorKeyAction::None}}) {
        EXPECT_EQ(DecideEditorKey(c.key, c.empty, s).action, c.expected) << c.key.key;
    }
    const TEditorKeyDecision shiftEnter = DecideEditorKey(K(Qt::Key_Return, true), false, s);
    EXPECT_TRUE(shiftEnter.runas);
    EXPECT_FALSE(shiftEnter.browser);
    EXPECT_TRUE(DecideEditorKey(K(Qt::Key_Return, false, false, true), false, s).browser);
    EXPECT_TRUE(DecideEditorKey(K(Qt::Key_F11, true), false, s).wholeScreen);
    EXPECT_TRUE(DecideEditorKey(K(Qt::Key_F11, true, true), false, s).forceFit);
    s.expandf4 = true;
    EXPECT_EQ(DecideEditorKey(K(Qt::Key_F4), false, s).action, TEditorKeyAction::Close);
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

TEST(SpellWords, WordsAddressesAndNumbers) {
    struct TCase {
        QString line;
        std::vector<TWordSpan> expected;
    };
    const std::vector<TCase> cases = {
        {"teh cat", {{0, 3}, {4, 3}}},
        {"don't stop", {{0, 5}, {6, 4}}},                 // an inner apostrophe belongs to the word
        {"'quoted' well-known", {{1, 6}, {9, 10}}},       // outer quotes do not
        {"see https://example.com now", {{0, 3}, {24, 3}}},
        {"mail me@example.org", {{0, 4}}},
        {"abc123 x2 Größe", {{10, 5}}},                   // words with digits are left out
        {"  ", {}},
        {"end-", {{0, 3}}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SpellWords(c.line), c.expected) << c.line.toStdString();
}

TEST(SpellWords, ToastTexts) {
    EXPECT_EQ(SpellToastText(true, true), "Spell checking turned on");
    EXPECT_EQ(SpellToastText(false, true), "Spell checking turned off");
    EXPECT_EQ(SpellToastText(false, false), "Spell checking turned off");
    EXPECT_TRUE(SpellToastText(true, false).startsWith("Spell checking turned on"));
    EXPECT_TRUE(SpellToastText(true, false).contains("no dictionary"));
}

} // namespace
} // namespace vantrelo
