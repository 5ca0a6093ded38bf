// Dice expressions, volume parameters and command expansion.
#include "commands/dice.h"
#include "commands/expand.h"
#include "commands/volume.h"
#include "support/execfakes.h"

#include <gtest/gtest.h>

using namespace vantrelo;
using namespace vantrelo::test;

struct TDiceCase {
    const char* param;
    qint64 low;
    qint64 high;
};

class Dice : public testing::TestWithParam<TDiceCase> {};

TEST_P(Dice, RollsWithinTheRangeIncludingTheModifier) {
    const TDiceCase& c = GetParam();
    const TDiceRoll roll = ParseDice(QString::fromUtf8(c.param));
    ASSERT_TRUE(roll.Ok()) << roll.error.toStdString();
    TFakeRandom r;
    r.draw = TFakeRandom::TDraw::Lowest;
    EXPECT_EQ(RollDice(roll, r), c.low) << c.param;
    r.draw = TFakeRandom::TDraw::Highest;
    EXPECT_EQ(RollDice(roll, r), c.high) << c.param;
}

INSTANTIATE_TEST_SUITE_P(Cases, Dice,
                         testing::Values(TDiceCase{"2d6+3", 5, 15}, TDiceCase{"6", 1, 6}, TDiceCase{"6-1", 0, 5},
                                         TDiceCase{"", 1, 6}, TDiceCase{" 3 D 4 ", 3, 12}, TDiceCase{"d20", 1, 20},
                                         TDiceCase{"2d", 2, 12}, TDiceCase{"+2", 3, 8}));

TEST(Dice, RefusesWhatCannotBeRolled) {
    EXPECT_TRUE(ParseDice(QStringLiteral("abc")).notANumber);
    EXPECT_TRUE(ParseDice(QStringLiteral("2d6+x")).notANumber);
    for (const char* bad : {"100000d6", "0d6", "1d0", "1d2000000", "0"}) {
        const TDiceRoll roll = ParseDice(QString::fromUtf8(bad));
        EXPECT_FALSE(roll.Ok()) << bad;
        EXPECT_FALSE(roll.notANumber) << bad;
    }
}

struct TVolumeCase {
    const char* param;
    double current;
    double level; // -1: nothing written
    const char* answer;
};

class VolumeParam : public testing::TestWithParam<TVolumeCase> {};

TEST_P(VolumeParam, ShowsSetsOrSteps) {
    const TVolumeCase& c = GetParam();
    const TVolumePlan plan = PlanVolume(QString::fromUtf8(c.param), c.current);
    if (c.level < 0)
        EXPECT_FALSE(plan.level.has_value()) << c.param;
    else
        EXPECT_NEAR(plan.level.value_or(-1), c.level, 1e-9) << c.param;
    EXPECT_EQ(plan.answer, QString::fromUtf8(c.answer)) << c.param;
}

INSTANTIATE_TEST_SUITE_P(Cases, VolumeParam,
                         testing::Values(TVolumeCase{"", 0.456, -1, "Volume: 46"},
                                         TVolumeCase{"+150", 0.5, -1, "Volume step range is 0-100"},
                                         TVolumeCase{"101", 0.5, -1, "Volume range is 0-100"},
                                         TVolumeCase{"loud", 0.5, -1, "Volume range is 0-100"},
                                         TVolumeCase{"-10", 0.05, 0.0, ""}, TVolumeCase{"+10", 0.95, 1.0, ""},
                                         TVolumeCase{"+ 20", 0.3, 0.5, ""}, TVolumeCase{"40", 0.9, 0.4, ""}));

TEST(ExpandCommandText, ExpandsVariablesAndTheProgramFolder) {
    TFakeEnvironment env;
    env.vars[QStringLiteral("EDITOR")] = QStringLiteral("vim");
    const QString folder = QStringLiteral("/opt/vantrelo/bin/");
    EXPECT_EQ(ExpandCommandText(QStringLiteral("%EDITOR% $h$/a $D$/etc %NONE%"), false, env, folder),
              QStringLiteral("vim /opt/vantrelo/bin/a /etc %NONE%"));
}

TEST(ExpandCommandText, StripsModifierNamesOnlyWhenAsked) {
    TFakeEnvironment env;
    const QString text = QStringLiteral("$GRABTOINPUT$$B$ls $BCLICK$#x$BCLICK$$NOHIDE$$SOUND$a.wav$SOUND$ -l$EXIT$");
    EXPECT_EQ(ExpandCommandText(text, true, env, QString()), QStringLiteral("ls  -l"));
    EXPECT_EQ(ExpandCommandText(text, false, env, QString()), text);
    // Lower-case spellings are names the author wrote as they are, not modifiers.
    EXPECT_EQ(ExpandCommandText(QStringLiteral("$exit$ x"), true, env, QString()), QStringLiteral("$exit$ x"));
}
