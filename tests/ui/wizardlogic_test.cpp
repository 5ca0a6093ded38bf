// The wizard's choices as the settings they write.
#include "core/settings.h"
#include "ui/wizardlogic.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

TEST(WizardChoices, EachCombinationWritesItsProfile) {
    using R = TWizardRows;
    using S = TWizardSearch;
    using U = TWizardUsage;
    using L = TWizardList;
    struct Case {
        TWizardChoices in;
        int searchtype, autoshort;
        bool autoshortalways, autoprograms, dropprograms, cacheindex, autodropdown, listbehaveslikedropdown;
        int maxvisible, listrowheight;
    };
    const Case cases[] = {
        // Everything as offered.
        {{}, 1, 2, true, false, true, true, true, false, 12, 33},
        // Keywords only with a short-form search: no programs dropped, so the short form is gentler.
        {{R::Large, S::ShortStarts, U::KeywordsOnly, L::Always, true, false}, 0, 1, false, true, false, false, true, false, 12, 33},
        {{R::Compact, S::Starts, U::FindPrograms, L::WhenTyping, true, false}, 0, 0, true, true, true, true, true, true, 22, 17},
        {{R::Compact, S::Contains, U::Balance, L::WhenOpened, false, false}, 1, 0, true, false, true, true, false, true, 22, 17},
        // Portable: the index is not cached on the medium.
        {{R::Large, S::Starts, U::Balance, L::Always, true, true}, 0, 0, false, true, true, false, true, false, 12, 33},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        TSettings s;
        s.customwidth = 500;
        s.skinname = QStringLiteral("/old.skn");
        EXPECT_EQ(ApplyWizardChoices(s, c.in), QStringLiteral("skins/scale_dark.skn"));
        EXPECT_EQ(s.skinname, QStringLiteral("skins/scale_dark.skn"));
        EXPECT_EQ(s.customwidth, -1);
        EXPECT_EQ(s.searchtype, c.searchtype) << i;
        EXPECT_EQ(s.autoshort, c.autoshort) << i;
        EXPECT_EQ(s.autoshortalways, c.autoshortalways) << i;
        EXPECT_EQ(s.autoprograms, c.autoprograms) << i;
        EXPECT_EQ(s.dropprograms, c.dropprograms) << i;
        EXPECT_EQ(s.scanwindowsitems, c.dropprograms) << i;
        EXPECT_EQ(s.cacheindex, c.cacheindex) << i;
        EXPECT_EQ(s.autodropdown, c.autodropdown) << i;
        EXPECT_EQ(s.listbehaveslikedropdown, c.listbehaveslikedropdown) << i;
        EXPECT_TRUE(s.listfixedsize) << i;
        EXPECT_EQ(s.maxvisible, c.maxvisible) << i;
        EXPECT_EQ(s.listrowheight, c.listrowheight) << i;
    }
}

TEST(WizardChoices, PortableIsOfferedOnRemovableMediaAndTheHotkeyIsNamed) {
    EXPECT_TRUE(WizardOffersPortable(QStringLiteral("/media/usb/Vantrelo/")));
    EXPECT_TRUE(WizardOffersPortable(QStringLiteral("/run/media/ann/stick/Vantrelo/")));
    EXPECT_FALSE(WizardOffersPortable(QStringLiteral("/home/ann/.config/Vantrelo/")));
    TSettings s;
    EXPECT_EQ(WizardHotkeyText(s),
              QStringLiteral("The current hotkey for opening Vantrelo is \"WIN+SHIFT+Z\". This can be changed in settings."));
}

TEST(ListLayout, TheFontHeightGivesTheRowsOfEachLayout) {
    const struct {
        TListLayout layout;
        int h;
        int rowheight, rowmode, maxvisible;
        bool titles;
    } cases[] = {
        {TListLayout::Double, 15, 33, 0, 12, true},
        {TListLayout::Double, 20, 33, 0, 11, true},
        {TListLayout::Double, 22, 33, 0, 10, true},
        {TListLayout::Single, 10, 17, 0, 23, true},  // at least 17 pixels; 400 / 17 rows
        {TListLayout::Single, 20, 24, 0, 16, true},
        {TListLayout::Name, 26, 33, 1, 12, false},   // above 28 becomes 33, two-line mode
        {TListLayout::Name, 50, 33, 1, 12, false},
        {TListLayout::Single, 24, 28, 0, 14, true},
    };
    for (const auto& c : cases) {
        TSettings s;
        s.listrowmode = 1;
        s.listtitles = !c.titles;
        ApplyListLayout(s, c.layout, c.h);
        EXPECT_EQ(s.listrowheight, c.rowheight) << c.h;
        EXPECT_EQ(s.listrowmode, c.rowmode) << c.h;
        EXPECT_EQ(s.maxvisible, c.maxvisible) << c.h;
        EXPECT_EQ(s.listtitles, c.titles) << c.h;
    }
}

} // namespace
} // namespace vantrelo
