// Keyword sections: order, minimal keys, old group names, imports and unsafe field contents.
#include "core/keywordfile.h"

#include "core/inifile.h"
#include "core/keywordlist.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

TMemIniFile Parse(const QString& text) {
    TMemIniFile ini;
    ini.SetStrings(text.split(u'\n'));
    return ini;
}

QStringList Names(const TKeywordList& list) {
    QStringList out;
    for (const auto& w : list)
        out << w->keywords;
    return out;
}

} // namespace

TEST(KeywordFile, SavedKeywordsLoadInOrder) {
    test::TempDir dir;
    TKeywordList list;
    for (const char* n : {"a", "b", "c"})
        list.Add(MakeNewKeyword(n, "cmd", {}));
    list.at(1).addtohistory = false;
    TMemIniFile out = TMemIniFile::CreateFast(dir.File("k.ini"));
    WriteWords(out, list);
    out.MyFlattenSections();
    ASSERT_TRUE(out.UpdateFile().ok);
    EXPECT_EQ(test::ReadAll(dir.File("k.ini")),
              QByteArray("\xEF\xBB\xBF[W]\r\nkeywords=a\r\ncommand=cmd\r\n\r\n[W]\r\nkeywords=b\r\ncommand=cmd\r\n"
                         "hist=0\r\n\r\n[W]\r\nkeywords=c\r\ncommand=cmd\r\n\r\n"));
    TMemIniFile in(dir.File("k.ini"));
    TKeywordList loaded;
    ReadWords(in, loaded, false);
    EXPECT_EQ(Names(loaded), (QStringList{"a", "b", "c"}));
    EXPECT_FALSE(loaded.at(1).addtohistory);
    EXPECT_TRUE(in.ReadSections().isEmpty());
}

TEST(KeywordFile, NumberedAndOddlyNamedSectionsAreKeywords) {
    TMemIniFile ini = Parse("[W0]\nkeywords=first\n[W1]\nkeywords=second\n[Window]\nkeywords=third\n[Setup]\nx=1");
    TKeywordList list;
    ReadWords(ini, list, false);
    EXPECT_EQ(Names(list), (QStringList{"first", "second", "third"}));
    EXPECT_EQ(ini.ReadSections(), QStringList{"Setup"});
}

TEST(KeywordFile, OldGroupsBecomeTagsAndImportsBringNoPermissions) {
    TMemIniFile ini = Parse("[W]\nkeywords=a\ngroup=My Tools\nplevel=4\n[W]\nkeywords=b\ngroup=Old\ntags= a b \n");
    TKeywordList imported;
    ReadWords(ini, imported, true);
    EXPECT_EQ(imported.at(0).group, "My-Tools");
    EXPECT_EQ(imported.at(0).permissionlevel, -1);
    EXPECT_EQ(imported.at(1).group, "a b");

    TMemIniFile again = Parse("[W]\nkeywords=a\nplevel=4\n[W]\nkeywords=b\nplevel=2\nporigin=https://a.example");
    TKeywordList own;
    ReadWords(again, own, false);
    EXPECT_EQ(own.at(0).permissionlevel, 4);
    EXPECT_EQ(own.at(0).permissionorigin, "");
    EXPECT_EQ(own.at(1).permissionorigin, "https://a.example");
    // A grant is written with the origin it was given for, and goes when the grant does.
    TMemIniFile out;
    own.at(0).permissionlevel = -1;
    own.at(0).permissionorigin = "https://stale.example";
    WriteWords(out, own);
    EXPECT_EQ(out.ReadString("W1", "porigin", ""), "https://a.example");
    EXPECT_FALSE(out.ReadSection("W0").contains("porigin"));
}

TEST(KeywordFile, ExportsLeaveOutWhatWasNotChosen) {
    TKeywordList list;
    TExeWord& w = list.Add(MakeNewKeyword("k", "c", {}));
    w.key = 65;
    w.keymod = 8;
    w.group = "t";
    w.iconpath = "/i.png";
    w.permissionlevel = 3;
    TMemIniFile ini;
    WriteWords(ini, list, {true, false, false, false});
    EXPECT_EQ(ini.ReadSection("W0"), (QStringList{"keywords", "command"}));
}

TEST(KeywordFile, LineBreaksInFieldsCannotBreakTheFile) {
    test::TempDir dir;
    TKeywordList list;
    TExeWord& w = list.Add(MakeNewKeyword("k", "echo a\n[Setup]\nhotkey=1", {}));
    w.comment = "two\r\nlines";
    TMemIniFile out = TMemIniFile::CreateFast(dir.File("k.ini"));
    WriteWords(out, list);
    ASSERT_TRUE(out.UpdateFile().ok);
    TMemIniFile in(dir.File("k.ini"));
    EXPECT_EQ(in.ReadSections(), QStringList{"W0"});
    TKeywordList loaded;
    ReadWords(in, loaded, false);
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded.at(0).command, "echo a{BR}[Setup]{BR}hotkey=1");
    EXPECT_EQ(loaded.at(0).comment, "two{BR}lines");
}
