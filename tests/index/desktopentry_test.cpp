// Desktop entries: localised names, Exec quoting and field codes, menu visibility.
#include "index/desktopentry.h"
#include "support/testsupport.h"

#include <QFile>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

const QString kLocalised = QStringLiteral(
    "# comment\n[Desktop Entry]\nType=Application\nName=Files\nName[de]=Dateien\nName[de_AT]=Dateien AT\n"
    "Name[sr@latin]=Datoteke\nName[sr]=Datoteke Cyr\nExec=files\n"
    "[Desktop Action new]\nName=New Window\nExec=files --new\n");

TEST(DesktopEntryTest, NameFollowsLocalePreference) {
    const struct {
        const char* locale;
        const char* name;
    } cases[] = {
        {"de_AT.UTF-8", "Dateien AT"}, {"de_DE.UTF-8", "Dateien"}, {"de", "Dateien"},
        {"sr_RS@latin", "Datoteke"},   {"sr_RS.UTF-8", "Datoteke Cyr"}, {"C", "Files"},
        {"", "Files"},                 {"fr_FR.UTF-8", "Files"},
    };
    for (const auto& c : cases) {
        const TDesktopEntry e = ParseDesktopEntry(kLocalised, QLatin1String(c.locale));
        EXPECT_EQ(e.name, QString::fromUtf8(c.name)) << c.locale;
        EXPECT_EQ(e.exec, QStringLiteral("files")) << "keys of action groups must not leak in";
        EXPECT_TRUE(e.valid);
    }
}

TEST(DesktopEntryTest, StringEscapesThenQuotingGiveArguments) {
    // In the file: "a\\\\b" is a\\b after string unescaping and a\b after quoting.
    const TDesktopEntry e = ParseDesktopEntry(
        QStringLiteral(R"([Desktop Entry]
Type=Application
Name=X
Exec=foo "a\\\\b" "x\\$y" "say \\"hi\\"" plain\sword
Categories=GTK;Utility;
)"),
        {});
    QStringList args;
    ASSERT_TRUE(SplitExec(e.exec, args));
    EXPECT_EQ(args, (QStringList{"foo", "a\\b", "x$y", "say \"hi\"", "plain", "word"}));
    EXPECT_EQ(MainCategory(e), QStringLiteral("Utility"));
}

struct ExecCase {
    const char* exec;
    QStringList targets;
    std::vector<QStringList> expected; // empty: an error is expected
};

TEST(DesktopEntryTest, FieldCodesExpand) {
    const ExecCase cases[] = {
        {"foo %F", {"a", "b"}, {{"foo", "a", "b"}}},
        {"foo %f", {"a", "b"}, {{"foo", "a"}, {"foo", "b"}}},
        {"foo %U", {}, {{"foo"}}},
        {"foo --file=%f", {}, {{"foo", "--file="}}},
        {"foo %f", {"file:///tmp/a%20b"}, {{"foo", "/tmp/a b"}}},
        {"foo %u", {"file:///tmp/a%20b"}, {{"foo", "file:///tmp/a%20b"}}},
        {"\"/opt/my app/run\" --name=%c %k", {}, {{"/opt/my app/run", "--name=Viewer", "/apps/v.desktop"}}},
        {"foo %i", {}, {{"foo", "--icon", "viewer-icon"}}},
        {"foo 100%%", {}, {{"foo", "100%"}}},
        {"foo %d %D %n %N %v %m", {}, {{"foo"}}},
        {"foo x%Fy", {"a", "b"}, {{"foo", "xay"}}},
        {"foo %x", {}, {}},
        {"foo \"open", {}, {}},
        {"", {}, {}},
        {"%f", {}, {}},
    };
    for (const ExecCase& c : cases) {
        TDesktopEntry e;
        e.type = QStringLiteral("Application");
        e.name = QStringLiteral("Viewer");
        e.icon = QStringLiteral("viewer-icon");
        e.exec = QLatin1String(c.exec);
        std::vector<QStringList> got;
        QString error;
        const bool ok = BuildExecCommands(e, c.targets, QStringLiteral("/apps/v.desktop"), got, &error);
        if (c.expected.empty()) {
            EXPECT_FALSE(ok) << c.exec;
            EXPECT_FALSE(error.isEmpty()) << c.exec;
        } else {
            EXPECT_TRUE(ok) << c.exec << " " << error.toStdString();
            EXPECT_EQ(got, c.expected) << c.exec;
        }
    }
}

TEST(DesktopEntryTest, QuotedArgumentsSplitBack) {
    const QStringList args{"/usr/bin/x", "plain", "with space", "q\"uote", "$HOME", "back\\slash", "`tick`", "a;b", ""};
    QStringList quoted;
    for (const QString& a : args)
        quoted << QuoteExecArg(a);
    EXPECT_EQ(quoted.at(1), QStringLiteral("plain"));
    QStringList back;
    ASSERT_TRUE(SplitExec(quoted.join(u' '), back));
    EXPECT_EQ(back, args);
}

TEST(DesktopEntryTest, MenuVisibility) {
    const struct {
        const char* extra;
        bool shown;
    } cases[] = {
        {"", true},
        {"Hidden=true\n", false},
        {"NoDisplay=true\n", false},
        {"OnlyShowIn=KDE;\n", false},
        {"OnlyShowIn=KDE;GNOME;\n", true},
        {"NotShowIn=GNOME;\n", false},
        {"TryExec=/nonexistent/prog\n", false},
        {"TryExec=sh\n", true},
    };
    for (const auto& c : cases) {
        const TDesktopEntry e = ParseDesktopEntry(
            QStringLiteral("[Desktop Entry]\nType=Application\nName=A\nExec=a\n") + QLatin1String(c.extra), {});
        EXPECT_EQ(IsMenuEntry(e, {QStringLiteral("GNOME")}, QStringLiteral("/bin:/usr/bin")), c.shown) << c.extra;
    }
    const TDesktopEntry link =
        ParseDesktopEntry(QStringLiteral("[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org\n"), {});
    EXPECT_TRUE(IsMenuEntry(link, {}, {}));
    EXPECT_EQ(link.url, QStringLiteral("https://example.org"));
    EXPECT_FALSE(IsMenuEntry(ParseDesktopEntry(QStringLiteral("[Desktop Entry]\nType=Directory\nName=D\n"), {}), {}, {}));
    EXPECT_FALSE(ParseDesktopEntry(QStringLiteral("[Other]\nType=Application\nName=A\nExec=a\n"), {}).valid);
    EXPECT_FALSE(ParseDesktopEntry(QStringLiteral("[Desktop Entry]\nType=Application\nExec=a\n"), {}).valid);
}

TEST(DesktopEntryTest, FileIdsAndProgramLookup) {
    EXPECT_EQ(DesktopFileId(QStringLiteral("/a/applications"), QStringLiteral("/a/applications/kde4/foo.desktop")),
              QStringLiteral("kde4-foo.desktop"));
    EXPECT_TRUE(DesktopFileId(QStringLiteral("/a/applications"), QStringLiteral("/b/foo.desktop")).isEmpty());
    EXPECT_EQ(FindProgram(QStringLiteral("sh"), QStringLiteral("/nonexistent:/bin")), QStringLiteral("/bin/sh"));
    EXPECT_TRUE(FindProgram(QStringLiteral("sh"), QStringLiteral("/nonexistent")).isEmpty());
    test::TempDir dir;
    test::WriteAll(dir.File(QStringLiteral("data")), "x");
    QFile::setPermissions(dir.File(QStringLiteral("data")), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(FindProgram(dir.File(QStringLiteral("data")), {}).isEmpty()) << "not executable";
    EXPECT_TRUE(FindProgram(QStringLiteral("data"), dir.Path()).isEmpty());
}

TEST(DesktopEntryTest, WhatIsNoReadableFileGivesNoEntryAndNeverWaits) {
    test::TempDir dir;
    const QString pipe = dir.File(QStringLiteral("stuck.desktop"));
    // A pipe under a desktop file's name, with no writer: opening it must not wait for one.
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(ReadDesktopEntry(pipe, QString()).valid);
    EXPECT_FALSE(ReadDesktopEntry(dir.Path(), QString()).valid) << "a folder";
    EXPECT_FALSE(ReadDesktopEntry(dir.File(QStringLiteral("missing.desktop")), QString()).valid);
    test::WriteAll(dir.File(QStringLiteral("ok.desktop")), "[Desktop Entry]\nType=Application\nName=Ok\nExec=true\n");
    EXPECT_EQ(ReadDesktopEntry(dir.File(QStringLiteral("ok.desktop")), QString()).name, QStringLiteral("Ok"));
}

} // namespace
} // namespace vantrelo
