// The execute operation on Linux over a recording process launcher: what starts how.
#include "exec/shellexecute.h"

#include "support/systemfakes.h"
#include "support/testsupport.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

TEST(LinuxShell, WindowsOnlyTargetsFailHonestly) {
    test::TFakeLauncher l;
    test::TFakeEnvironment env;
    TLinuxShell shell(l, env);
    for (const char* f : {"appwiz.cpl", "control.exe", "shell:startup", "ms-settings:display", "::{20D04FE0}"})
        EXPECT_EQ(shell.ShellExecute(TShellRequest{"open", f, "", "", 0}), kLaunchNoAssociation) << f;
    EXPECT_TRUE(l.spawned.empty());
    EXPECT_TRUE(l.opened.empty());
}

TEST(LinuxShell, AddressesFoldersAndDocumentsOpenWithTheDesktop) {
    test::TempDir dir;
    test::WriteAll(dir.File("notes.txt"), "x");
    test::TFakeLauncher l;
    test::TFakeEnvironment env;
    TLinuxShell shell(l, env);
    for (const QString& f : {QStringLiteral("https://a.org"), QStringLiteral("www.a.org"), QStringLiteral("mailto:x@a.org"),
                             dir.Path(), dir.File("notes.txt")})
        EXPECT_EQ(shell.ShellExecute(TShellRequest{"open", f, "ignored", "", 0}), kLaunchStarted);
    EXPECT_EQ(l.opened, (QStringList{"https://a.org", "https://www.a.org", "mailto:x@a.org", dir.Path(),
                                     dir.File("notes.txt")}));
}

TEST(LinuxShell, ProgramsGetAnArgumentVector) {
    test::TFakeLauncher l;
    test::TFakeEnvironment env;
    TLinuxShell shell(l, env);
    shell.ShellExecute(TShellRequest{"runas", "/usr/bin/prog -a", "\"b c\" $(x)", "/w", 2});
    ASSERT_EQ(l.spawned.size(), 1u);
    EXPECT_EQ(l.spawned[0].program, "/usr/bin/prog");
    EXPECT_EQ(l.spawned[0].args, (QStringList{"-a", "b c", "$(x)"}));
    EXPECT_EQ(l.spawned[0].folder, "/w");
    EXPECT_TRUE(l.spawned[0].elevated);
    EXPECT_EQ(l.spawned[0].show, 2);
}

TEST(LinuxShell, DesktopEntriesRunTheirExecLine) {
    test::TempDir dir;
    test::WriteAll(dir.File("t.desktop"), "[Desktop Entry]\nType=Application\nName=T\nExec=edit --x %U\nTerminal=true\n");
    test::WriteAll(dir.File("l.desktop"), "[Desktop Entry]\nType=Link\nName=L\nURL=https://a.org/\n");
    test::WriteAll(dir.File("bad.desktop"), "[Desktop Entry]\nType=Application\nName=B\n");
    test::WriteAll(dir.File("x-terminal-emulator"), "#!/bin/sh\n");
    QFile::setPermissions(dir.File("x-terminal-emulator"), QFile::ReadOwner | QFile::ExeOwner);
    test::TFakeLauncher l;
    test::TFakeEnvironment env;
    env.vars["PATH"] = dir.Path();
    TLinuxShell shell(l, env);
    EXPECT_EQ(shell.ShellExecute(TShellRequest{"", dir.File("t.desktop"), "f1 f2", "/w", 0}), kLaunchStarted);
    ASSERT_EQ(l.spawned.size(), 1u);
    EXPECT_EQ(l.spawned[0].program, "x-terminal-emulator");
    EXPECT_EQ(l.spawned[0].args, (QStringList{"-e", "edit", "--x", "f1", "f2"}));
    EXPECT_EQ(l.spawned[0].folder, "/w");
    EXPECT_EQ(shell.ShellExecute(TShellRequest{"", dir.File("l.desktop"), "", "", 0}), kLaunchStarted);
    EXPECT_EQ(l.opened, QStringList{"https://a.org/"});
    EXPECT_EQ(shell.ShellExecute(TShellRequest{"", dir.File("bad.desktop"), "", "", 0}), kLaunchNoAssociation);
}

TEST(LinuxShell, WhatADesktopEntryCannotDoIsSaidAndNothingElseRuns) {
    test::TempDir dir;
    test::WriteAll(dir.File("term.desktop"), "[Desktop Entry]\nType=Application\nName=Top\nExec=top\nTerminal=true\n");
    test::WriteAll(dir.File("gone.desktop"),
                   "[Desktop Entry]\nType=Application\nName=Gone\nExec=tool\nPath=" + dir.File("missing").toUtf8() + "\n");
    test::WriteAll(dir.File("files.desktop"), "[Desktop Entry]\nType=Application\nName=Viewer\nName[de]=Betrachter\n"
                                              "Exec=view --title %c %F\n");
    test::TFakeLauncher l;
    test::TFakeEnvironment env;
    env.vars["PATH"] = dir.File("nothing-here");
    env.vars["LANG"] = "de_DE.UTF-8";
    TLinuxShell shell(l, env);
    QString notice;
    const auto run = [&](const char* file, const QString& params) {
        notice.clear();
        TShellRequest r{"", dir.File(file), params, "", 0};
        r.notice = &notice;
        return shell.ShellExecute(r);
    };
    EXPECT_EQ(run("term.desktop", ""), kLaunchNotFound);
    EXPECT_EQ(notice, "No terminal program found to run Top in; set $TERMINAL to one");
    EXPECT_EQ(run("gone.desktop", ""), kLaunchNotFound);
    EXPECT_EQ(notice, "The folder \"" + dir.File("missing") + "\" of Gone does not exist");
    EXPECT_TRUE(l.spawned.empty());

    // %c in the user's language; an address is no file for a %F program; a typed name keeps its quote.
    EXPECT_EQ(run("files.desktop", "https://a.org/x \"a b's \\\"x\\\".txt\""), kLaunchStarted);
    ASSERT_EQ(l.spawned.size(), 1u);
    EXPECT_EQ(l.spawned[0].args, (QStringList{"--title", "Betrachter", "a b's \"x\".txt"}));
    EXPECT_EQ(notice, "Betrachter opens local files only; left out: https://a.org/x");
}

} // namespace
