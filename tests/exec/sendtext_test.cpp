// Preparing text for typing and pasting: file inclusion, "{BR}", time, address, password and
// clipboard-history marks, and the hand-over to the text sender.
#include "exec/datetimeformat.h"
#include "exec/password.h"
#include "exec/sendtext.h"

#include "support/execfakes.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

class SendText : public ::testing::Test, protected test::TExecFakes {
protected:
    QString Prepare(const QString& text, const TExeWord* keyword = nullptr) {
        return PrepareSendText(text, keyword, ctx, QLocale::c());
    }
};

TEST_F(SendText, IncludesFilesLineByLine) {
    files.files[QStringLiteral("/t/two.txt")] = QStringLiteral("first\nsecond\n");
    env.vars[QStringLiteral("T")] = QStringLiteral("/t");
    EXPECT_EQ(Prepare(QStringLiteral("<{FILE /t/two.txt}>")), QStringLiteral("<first\r\nsecond\r\n>"));
    EXPECT_EQ(Prepare(QStringLiteral("<{file %T%/two.txt}>")), QStringLiteral("<first\r\nsecond\r\n>"));
    EXPECT_EQ(Prepare(QStringLiteral("<{FILE /t/missing.txt}>")), QStringLiteral("<>"));
    EXPECT_EQ(Prepare(QStringLiteral("<{FILE /t/two.txt")), QStringLiteral("<{FILE /t/two.txt"));
}

TEST_F(SendText, IncludedTextIsNotSearchedForMarks) {
    files.files[QStringLiteral("/t/a.txt")] = QStringLiteral("{FILE /t/a.txt} $PASSWORD$ {BR}");
    EXPECT_EQ(Prepare(QStringLiteral("{FILE /t/a.txt}")), QStringLiteral("{FILE /t/a.txt} $PASSWORD$ {BR}\r\n"));
}

TEST_F(SendText, StopsIncludingAfterTheLimit) {
    files.files[QStringLiteral("/x")] = QStringLiteral("x");
    QString text;
    for (int i = 0; i < kMaxFileInclusions + 2; ++i)
        text += QStringLiteral("{FILE /x}");
    EXPECT_EQ(Prepare(text), QStringLiteral("x\r\n").repeated(kMaxFileInclusions) + QStringLiteral("{FILE /x}{FILE /x}"));
}

TEST_F(SendText, KeywordParametersAreTheTemplateForTypedText) {
    TExeWord& word = AddKeyword(QStringLiteral("sig"), QStringLiteral("$SENDTEXT$"), QStringLiteral("Dear $P${BR}"));
    EXPECT_EQ(Prepare(QStringLiteral("Ann {BR}$TIME$"), &word), QStringLiteral("Dear Ann {BR}$TIME$\r\n"));
    word.parameters.clear();
    EXPECT_EQ(Prepare(QStringLiteral("a{BR}b"), &word), QStringLiteral("a\r\nb"));
}

TEST_F(SendText, FillsTimeAddressesAndPasswords) {
    network.ips = QStringList{QStringLiteral("10.0.0.2"), QStringLiteral("192.168.1.4")};
    settings.customtime = QStringLiteral("yyyy-mm-dd hh:nn");
    EXPECT_EQ(Prepare(QStringLiteral("$TIME$|$SHOWIP$|$time$")), QStringLiteral("2024-03-05 14:07|10.0.0.2, 192.168.1.4|$time$"));
    const QString pw = Prepare(QStringLiteral("$PASSWORD$"));
    EXPECT_EQ(pw.size(), kDefaultPasswordLength);
    EXPECT_NE(Prepare(QStringLiteral("$PASSWORD$ $PASSWORD$")).section(u' ', 0, 0),
              Prepare(QStringLiteral("$PASSWORD$ $PASSWORD$")).section(u' ', 1, 1));
}

TEST_F(SendText, ClipboardHistoryEntries) {
    // Entries go in exactly as they were copied; for typing their braces name no keys.
    history.entries = QStringList{QStringLiteral("new\r\nest {BR}"), QStringLiteral("older $PASTE1$")};
    EXPECT_EQ(Prepare(QStringLiteral("$PASTE1$/$PASTE2$/$PASTE3$")),
              QStringLiteral("new\r\nest {BR}/older $PASTE1$/$PASTE3$"));
    EXPECT_EQ(PrepareSendText(QStringLiteral("{TAB}$PASTE1$"), nullptr, ctx, QLocale::c(), true),
              QStringLiteral("{TAB}new\r\nest {{}BR}"));
    ctx.services.clipHistory = nullptr;
    EXPECT_EQ(Prepare(QStringLiteral("$PASTE1$")), QStringLiteral("$PASTE1$"));
}

TEST_F(SendText, TypesOrPastesThePreparedText) {
    SendTextToWindow(QStringLiteral("a{BR}b"), nullptr, false, true, ctx);
    SendTextToWindow(QStringLiteral("c"), nullptr, true, true, ctx);
    EXPECT_EQ(sender.typed, std::vector<QString>{QStringLiteral("a\r\nb")});
    ASSERT_EQ(sender.pasted.size(), 1u);
    EXPECT_EQ(sender.pasted[0], std::make_pair(QStringLiteral("c"), true));
}

TEST(Password, HoldsEveryChosenClassAndOnlyAllowedCharacters) {
    test::TFakeRandom random;
    const QString all = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.!#$%");
    for (const unsigned classes : {unsigned(kPwAllClasses), unsigned(kPwLower | kPwUpper | kPwDigits), unsigned(kPwDigits)}) {
        for (int round = 0; round < 50; ++round) {
            const QString pw = GeneratePassword(4 + round % 13, classes, random);
            SCOPED_TRACE(pw.toStdString());
            ASSERT_EQ(pw.size(), 4 + round % 13);
            bool has[4] = {};
            for (const QChar c : pw) {
                ASSERT_TRUE(all.contains(c));
                has[0] |= c.isLower();
                has[1] |= c.isUpper();
                has[2] |= c.isDigit();
                has[3] |= QStringLiteral("_.!#$%").contains(c);
            }
            for (int k = 0; k < 4; ++k) {
                if (classes & (1u << k)) {
                    EXPECT_TRUE(has[k]) << "class " << k;
                }
            }
            if (!(classes & kPwSpecials)) {
                EXPECT_FALSE(has[3]);
            }
        }
    }
}

TEST(Password, RefusesBadLengths) {
    test::TFakeRandom random;
    EXPECT_EQ(GeneratePassword(3, kPwAllClasses, random), QStringLiteral("Characters must be higher than 3"));
    EXPECT_EQ(GeneratePassword(8, 0, random), QStringLiteral("Characters must be higher than 3"));
    EXPECT_EQ(GeneratePassword(kMaxPasswordLength + 1, kPwAllClasses, random),
              QStringLiteral("Characters must not be higher than 1024"));
    EXPECT_EQ(GeneratePassword(kMaxPasswordLength, kPwAllClasses, random).size(), kMaxPasswordLength);
}

TEST(DateTimePattern, SettingsLetters) {
    const QDateTime when(QDate(2024, 3, 5), QTime(9, 7, 3, 42));
    struct Case {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"dd.mm.yyyy", "05.03.2024"},
        {"d/m/yy", "5/3/24"},
        {"dddd, mmmm d", "Tuesday, March 5"},
        {"ddd mmm", "Tue Mar"},
        {"hh:mm:ss", "09:07:03"},
        {"h:nn am/pm", "9:07 am"},
        {"tt zzz", "09:07:03 042"},
        {"'week' \"dd\" yyyy", "week dd 2024"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(FormatDateTimePattern(QString::fromUtf8(c.pattern), when, QLocale::c()), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(TimeTokenText(QString(), when, QLocale::c()), QStringLiteral("09:07:03, Tuesday 05. March 2024 (week 10)"));
}

} // namespace
} // namespace vantrelo
