// History: de-duplication, limits, items with their paths, and round trips through the file.
#include "core/history.h"

#include "core/inifile.h"

#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

THistory RoundTrip(const THistory& h, int max) {
    TMemIniFile ini;
    h.Write(ini, max);
    TMemIniFile back;
    back.SetStrings(ini.GetStrings());
    THistory loaded;
    loaded.Read(back);
    return loaded;
}

std::unique_ptr<TMyShellItem> Item(const QString& name, const QString& path) {
    auto item = std::make_unique<TMyShellItem>();
    item->name = name;
    item->root = "/home/u/docs";
    item->path = path;
    return item;
}

} // namespace

TEST(History, AddingMovesAnEqualTextToTheTop) {
    THistory h;
    h.AddToHistory("Notepad", nullptr, false, false);
    h.AddToHistory("other", nullptr, false, false);
    h.AddToHistory("  notepad ", nullptr, false, false);
    h.AddToHistory("->internal", nullptr, false, false);
    h.AddToHistory("hidden", nullptr, false, true);
    h.AddToHistory("nope", nullptr, true, false);
    ASSERT_EQ(h.size(), 2);
    EXPECT_EQ(h.at(0).text, "notepad");
    EXPECT_EQ(h.at(1).text, "other");
    EXPECT_TRUE(h.KillHist(" OTHER"));
    EXPECT_FALSE(h.KillHist("other"));
}

TEST(History, FileKeepsTheNewestUpToTheLimit) {
    THistory h;
    for (const char* t : {"1", "2", "3", "4", "5"})
        h.AddToHistory(t, nullptr, false, false);
    TMemIniFile ini;
    h.Write(ini, 3);
    EXPECT_EQ(ini.ReadSection("History"), (QStringList{"H0", "H1", "H2"}));
    EXPECT_EQ(ini.ReadString("History", "H0", ""), "5");
}

TEST(History, TextsAndItemsRoundTrip) {
    THistory h;
    h.AddToHistory("report.pdf", Item("report.pdf", "/home/u/docs/<a>&b.pdf"), false, false);
    h.AddToHistory("line one\r\nline {BR} two", nullptr, false, false);
    h.AddToHistory("<exet>1</exet>looks like an item", nullptr, false, false);
    const THistory back = RoundTrip(h, 100);
    ASSERT_EQ(back.size(), 3);
    EXPECT_EQ(back.at(0).text, "<exet>1</exet>looks like an item");
    EXPECT_EQ(back.at(0).item, nullptr);
    EXPECT_EQ(back.at(1).text, "line one\r\nline {BR} two");
    EXPECT_EQ(back.at(2).text, "report.pdf");
    ASSERT_NE(back.at(2).item, nullptr);
    EXPECT_EQ(back.at(2).item->path, "/home/u/docs/<a>&b.pdf");
    EXPECT_EQ(back.at(2).item->root, "/home/u/docs");
    EXPECT_EQ(back.at(2).item->liconid, -2);
}

TEST(History, ReadsItemsWrittenTheOldWay) {
    TMemIniFile ini;
    ini.SetStrings({"[History]", "H0=<exet>1</exet><exe1>a.txt</exe1><exe2>c:\\d</exe2><exe3>c:\\d\\a.txt</exe3>",
                    "H1=", "H2=<exet>2</exet><exe1>x</exe1>", "H3=a{BR}b"});
    THistory h;
    h.Read(ini);
    ASSERT_EQ(h.size(), 3);
    EXPECT_EQ(h.at(0).item->path, "c:\\d\\a.txt");
    EXPECT_EQ(h.at(1).text, "x");
    EXPECT_EQ(h.at(1).item, nullptr);
    EXPECT_EQ(h.at(2).text, "a\r\nb");
}

namespace {

THistory LoadText(const QString& text) {
    TMemIniFile ini;
    ini.SetStrings(text.split(u'\r'));
    THistory h;
    h.Read(ini);
    return h;
}

QStringList Texts(const THistory& h) {
    QStringList out;
    for (const THistoryEntry& e : h)
        out << e.text;
    return out;
}

} // namespace

TEST(History, AReloadReadsWhatTheLoadRead) {
    const QString cases[] = {
        QStringLiteral("[History]\r<exet><exe1>") + QChar(0) + QStringLiteral("x"), // the fuzzer's find
        QStringLiteral("[History]\rH0=<exet>0</exet><exe1> padded\t</exe1>"),
        QStringLiteral("[History]\rH0=<exet>0</exet><exe1> <exet>inner</exe1>"),
        QStringLiteral("[History]\rH0={BR}after a break{BR}"),
        QStringLiteral("[History]\rH0=<exet>0</exet><exe1>{BR}</exe1>\rH1=kept"),
        QStringLiteral("[History]\rH0=<exet>0</exet><exe1>&lt;exet&gt; x</exe1>"),
    };
    for (const QString& text : cases) {
        const THistory once = LoadText(text);
        const THistory twice = RoundTrip(once, 100);
        EXPECT_EQ(Texts(twice), Texts(once)) << text.toStdString();
        for (const THistoryEntry& e : once)
            EXPECT_EQ(e.text, e.text.trimmed()) << text.toStdString();
    }
}
