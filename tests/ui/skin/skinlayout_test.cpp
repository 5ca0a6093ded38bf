// The Scale layout: dpi scaling and the sizes the window takes.
#include "ui/skin/skinlayout.h"

#include "core/settings.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct DpiCase {
    int px;
    int dpi;
    int expect;
};

class ScaleDpiTest : public ::testing::TestWithParam<DpiCase> {};

TEST_P(ScaleDpiTest, RoundsToNearest) {
    EXPECT_EQ(ScaleDpi(GetParam().px, GetParam().dpi), GetParam().expect);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScaleDpiTest,
                         ::testing::Values(DpiCase{62, 96, 62}, DpiCase{62, 192, 124}, DpiCase{477, 144, 716},
                                           DpiCase{1, 144, 2}, DpiCase{11, 120, 14}, DpiCase{3, 112, 4},
                                           DpiCase{0, 144, 0}, DpiCase{-1, 144, -2}));

TEST(ScaleLayout, At144DpiWithDefaultBorders) {
    TScaleInput in;
    in.dpi = 144;
    const TScaleLayout l = ComputeScaleLayout(in);
    EXPECT_EQ(l.client, QSize(722, 99));
    EXPECT_EQ(l.panel, QRect(3, 3, 716, 93));
    EXPECT_EQ(l.width, 722 - 90);
    EXPECT_EQ(l.icon, QRect(15, 21, 48, 48));
    EXPECT_EQ(l.listTop, 3 + 99);
    EXPECT_EQ(l.listWidth, 722);
}

struct WidthCase {
    int minimumwidth;
    int customwidth;
    int expectClientWidth;
};

class ScaleWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(ScaleWidthTest, MinimumAndCustomWidth) {
    TScaleInput in;
    in.minimumwidth = GetParam().minimumwidth;
    in.customwidth = GetParam().customwidth;
    EXPECT_EQ(ComputeScaleLayout(in).client.width(), GetParam().expectClientWidth);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScaleWidthTest,
                         ::testing::Values(WidthCase{100, -1, 254}, WidthCase{0, -1, 481}, WidthCase{600, -1, 604},
                                           WidthCase{0, 300, 481}, WidthCase{0, 900, 900}));

TEST(ScaleLayout, ArrowIsOddAndTheEditMakesRoomForIt) {
    TScaleInput in;
    in.dpi = 192; // S(11) = 22, widened to 23
    in.showcombo = true;
    in.inputTextHeight = 30;
    const TScaleLayout l = ComputeScaleLayout(in);
    EXPECT_EQ(l.arrow.width(), 23);
    EXPECT_EQ(l.arrow.height(), 32 + 4);
    EXPECT_EQ(l.arrow.left(), l.panel.width() - 23 - 5);
    EXPECT_EQ(l.edit.width(), l.width - 23);
    EXPECT_EQ(l.edit.height(), 32);
    EXPECT_EQ(l.edit.top(), l.panel.height() / 2 - 32 / 2 - 6);

    in.showcombo = false;
    in.inputTextHeight = 5;
    const TScaleLayout plain = ComputeScaleLayout(in);
    EXPECT_TRUE(plain.arrow.isEmpty());
    EXPECT_EQ(plain.edit.width(), plain.width);
    EXPECT_EQ(plain.edit.height(), 13);
}

TEST(ScaleLayout, TrianglePointsDownOrUp) {
    const auto down = ArrowTriangle(11, 20, false);
    EXPECT_EQ(down[0], QPoint(3, 3));
    EXPECT_EQ(down[1], QPoint(7, 3));
    EXPECT_EQ(down[2], QPoint(5, 5));
    const auto up = ArrowTriangle(11, 20, true);
    EXPECT_EQ(up[2], QPoint(5, 14));
}

TEST(ScaleLayout, FullOpacityMeansNoBlending) {
    TSettings s;
    s.transactive = 255;
    s.transinactive = 254;
    EXPECT_FALSE(BlendAlpha(s, true).has_value());
    EXPECT_EQ(BlendAlpha(s, false), 254);
    EXPECT_EQ(ScaleInputFontSize(9), 15);
    EXPECT_EQ(ScaleInputFontSize(20), 20);
}

} // namespace
} // namespace vantrelo
