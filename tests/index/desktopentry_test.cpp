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
        {"foo %u", {"file:///tmp/a%20b"}, {{"foo", "/tmp/a b"}}},
        {"foo %U", {"https://a.org/x", "file:///tmp/b"}, {{"foo", "https://a.org/x", "/tmp/b"}}},
        // A program for local files never gets an address; nor does one whose Exec takes no file.
        {"foo %F", {"https://a.org/x", "/tmp/b"}, {{"foo", "/tmp/b"}}},
        {"foo %f", {"https://a.org/x"}, {{"foo"}}},
        // Without a file code the targets come at the end, as %f.
        {"foo --fixed", {"a", "b c"}, {{"foo", "--fixed", "a"}, {"foo", "--fixed", "b c"}}},
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
        QStringList leftOut;
        const bool ok = BuildExecCommands(e, c.targets, QStringLiteral("/apps/v.desktop"), got, &error, &leftOut);
        if (QByteArray(c.exec).contains("%F") || QByteArray(c.exec).endsWith("%f")) {
            for (const QString& t : c.targets) {
                EXPECT_EQ(leftOut.contains(t), t.startsWith("https:")) << c.exec << " " << t.toStdString();
            }
        }
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
            QStringLiteral("[Desktop Entry]\nType=Application\nName=A\nExec=sh\n") + QLatin1String(c.extra), {});
        EXPECT_EQ(IsMenuEntry(e, {QStringLiteral("GNOME")}, QStringLiteral("/bin:/usr/bin")), c.shown) << c.extra;
    }
    // The desktops are taken in their order; the first that either list names decides.
    const struct {
        const char* lists;
        const char* desktops;
        bool shown;
    } order[] = {
        {"OnlyShowIn=GNOME;\nNotShowIn=KDE;\n", "GNOME:KDE", true},
        {"OnlyShowIn=GNOME;\nNotShowIn=KDE;\n", "KDE:GNOME", false},
        {"OnlyShowIn=KDE;\n", "GNOME:KDE", true},
        {"OnlyShowIn=XFCE;\n", "GNOME:KDE", false},
        {"NotShowIn=KDE;\n", "X-Cinnamon:KDE", false},
        {"OnlyShowIn=KDE;\n", "", false},
        {"NotShowIn=KDE;\n", "", true},
    };
    for (const auto& o : order) {
        const TDesktopEntry e = ParseDesktopEntry(
            QStringLiteral("[Desktop Entry]\nType=Application\nName=A\nExec=sh\n") + QLatin1String(o.lists), {});
        EXPECT_EQ(ShownIn(e, QString::fromLatin1(o.desktops).split(u':', Qt::SkipEmptyParts)), o.shown)
            << o.lists << " in " << o.desktops;
    }
    // The program of Exec must be there, like TryExec's.
    EXPECT_FALSE(IsMenuEntry(
        ParseDesktopEntry(QStringLiteral("[Desktop Entry]\nType=Application\nName=A\nExec=/nonexistent/prog %f\n"), {}),
        {}, QStringLiteral("/bin:/usr/bin")));
    // A file that opens with another group than the entry's is no desktop entry.
    EXPECT_FALSE(ParseDesktopEntry(QStringLiteral("[Desktop Action new]\nName=N\nExec=sh\n[Desktop Entry]\n"
                                                  "Type=Application\nName=A\nExec=sh\n"),
                                   {})
                     .valid);
    const TDesktopEntry link =
        ParseDesktopEntry(QStringLiteral("[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org\n"), {});
    EXPECT_TRUE(IsMenuEntry(link, {}, {}));
    EXPECT_EQ(link.url, QStringLiteral("https://example.org"));
    EXPECT_FALSE(IsMenuEntry(ParseDesktopEntry(QStringLiteral("[Desktop Entry]\nType=Directory\nName=D\n"), {}), {}, {}));
    EXPECT_FALSE(ParseDesktopEntry(QStringLiteral("[Other]\nType=Application\nName=A\nExec=a\n"), {}).valid);
    EXPECT_FALSE(ParseDesktopEntry(QStringLiteral("[Desktop Entry]\nType=Application\nExec=a\n"), {}).valid);
}

TEST(DesktopEntryTest, TheTerminalIsTheUsersOrAKnownOne) {
    test::TempDir dir;
    const auto program = [&dir](const char* name) {
        test::WriteAll(dir.File(name), "#!/bin/sh\n");
        ::chmod(dir.File(name).toLocal8Bit().constData(), 0755);
    };
    const QString path = dir.Path();
    EXPECT_EQ(TerminalCommand(QString(), path), QStringList{}) << "none: the caller says so";
    program("xterm");
    EXPECT_EQ(TerminalCommand(QString(), path), (QStringList{"xterm", "-e"}));
    program("gnome-terminal");
    EXPECT_EQ(TerminalCommand(QString(), path), (QStringList{"gnome-terminal", "--"}));
    program("x-terminal-emulator");
    EXPECT_EQ(TerminalCommand(QString(), path), (QStringList{"x-terminal-emulator", "-e"}));
    program("xdg-terminal-exec");
    EXPECT_EQ(TerminalCommand(QString(), path), QStringList{"xdg-terminal-exec"});
    EXPECT_EQ(TerminalCommand(QStringLiteral("not-installed-term"), path), QStringList{"xdg-terminal-exec"});
    program("myterm");
    EXPECT_EQ(TerminalCommand(QStringLiteral("myterm"), path), (QStringList{"myterm", "-e"}));
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
