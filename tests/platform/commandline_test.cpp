// The command line: options, the rest of the line, and what a second start hands over.
#include "platform/startup/commandline.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct LineCase {
    std::vector<const char*> args;
    TStartOption option;
    const char* text;
};

class CommandLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, FirstParameterChoosesTheOption) {
    QStringList args;
    for (const char* a : GetParam().args)
        args << QString::fromUtf8(a);
    const TCommandLine line = ParseCommandLine(args);
    EXPECT_EQ(line.option, GetParam().option);
    EXPECT_EQ(line.text, QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(LineCase{{}, TStartOption::None, ""}, LineCase{{"-exit"}, TStartOption::Exit, ""},
                      LineCase{{"-EXIT"}, TStartOption::File, "-EXIT"},
                      LineCase{{"-r", "g cats"}, TStartOption::Run, "g cats"},
                      LineCase{{"-r", "g", "big cats"}, TStartOption::Run, "g \"big cats\""},
                      LineCase{{"-r", "  "}, TStartOption::None, ""}, LineCase{{"-r"}, TStartOption::None, ""},
                      LineCase{{"-i", "hello", "world"}, TStartOption::Input, "hello world"},
                      LineCase{{"-i", " "}, TStartOption::None, ""},
                      LineCase{{"-I", "hello"}, TStartOption::InputSelected, "hello"},
                      LineCase{{"-s"}, TStartOption::Silent, ""}, LineCase{{"-S"}, TStartOption::File, "-S"},
                      LineCase{{"-SafeMode"}, TStartOption::SafeMode, ""},
                      LineCase{{"-WIZARD", "x"}, TStartOption::Wizard, ""},
                      LineCase{{"/home/u/report.pdf"}, TStartOption::File, "/home/u/report.pdf"},
                      LineCase{{"--toggle"}, TStartOption::Toggle, ""}, LineCase{{"--show"}, TStartOption::Show, ""},
                      LineCase{{"--hide"}, TStartOption::Hide, ""}, LineCase{{"--help"}, TStartOption::Help, ""},
                      LineCase{{"--version"}, TStartOption::Version, ""}));

using K = TInstanceMessageKind;

struct HandCase {
    std::vector<const char*> args;
    std::vector<std::pair<K, const char*>> sent;
};

class SecondStartTest : public ::testing::TestWithParam<HandCase> {};

TEST_P(SecondStartTest, HandsTheRunningInstanceTypedMessages) {
    QStringList args;
    for (const char* a : GetParam().args)
        args << QString::fromUtf8(a);
    const auto sent = MessagesForRunningInstance(ParseCommandLine(args), QStringLiteral("/home/u"), QStringLiteral("tok"));
    ASSERT_EQ(sent.size(), GetParam().sent.size());
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].kind, GetParam().sent[i].first) << i;
        EXPECT_EQ(sent[i].text, QString::fromUtf8(GetParam().sent[i].second)) << i;
        EXPECT_EQ(sent[i].activationToken, QStringLiteral("tok"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecondStartTest,
    ::testing::Values(HandCase{{}, {{K::Activate, ""}}}, HandCase{{"-exit"}, {{K::Close, ""}}},
                      HandCase{{"-r", "g cats"}, {{K::Command, "g cats"}}},
                      HandCase{{"-i", "hello world"}, {{K::Activate, ""}, {K::Input, "hello world"}}},
                      HandCase{{"-I", "hello"}, {{K::Activate, ""}, {K::InputSelected, "hello"}}},
                      HandCase{{"-i", ""}, {{K::Activate, ""}}}, HandCase{{"-safemode"}, {{K::Activate, ""}}},
                      HandCase{{"-s"}, {{K::Activate, ""}}},
                      HandCase{{"docs/a b.txt"}, {{K::Activate, ""}, {K::SendTo, "/home/u/docs/a b.txt"}}},
                      HandCase{{"/etc/hosts"}, {{K::Activate, ""}, {K::SendTo, "/etc/hosts"}}},
                      HandCase{{"--toggle"}, {{K::HotOpen, ""}}}, HandCase{{"--hide"}, {{K::Hide, ""}}},
                      HandCase{{"--help"}, {}}));

TEST(CommandLine, RestKeepsASingleParameterAsItIs) {
    EXPECT_EQ(RestOfCommandLine({QStringLiteral("-r"), QStringLiteral("\"quoted\" text")}, 1),
              QStringLiteral("\"quoted\" text"));
    EXPECT_EQ(RestOfCommandLine({QStringLiteral("-r"), QStringLiteral("a"), QString()}, 1), QStringLiteral("a \"\""));
    EXPECT_TRUE(UsageText().contains(QStringLiteral("--toggle")));
}

} // namespace
} // namespace vantrelo
