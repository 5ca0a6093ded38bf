// A private XDG tree for index tests: home, data folders, app exports and a PATH with programs.
#pragma once

#include "index/scanroots.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>

namespace vantrelo::test {

class TIndexTree {
public:
    TIndexTree() {
        roots.home = Root("home");
        roots.dataHome = roots.home + QLatin1String("/.local/share");
        roots.configHome = roots.home + QLatin1String("/.config");
        roots.dataDirs = {Root("sys1"), Root("sys2")};
        roots.storeAppDirs = {Root("flatpak/exports/share/applications")};
        roots.pathEnv = Root("bin");
        roots.userDirs = ReadUserDirs(roots.configHome, roots.home);
        QDir().mkpath(roots.home);
        QDir().mkpath(roots.pathEnv);
    }
    QString Root(const QString& rel) const { return tmp.Path() + rel; }
    QString Data() const { return Root("data/"); }
    // A file with the given text (UTF-8, LF) and its folders.
    QString File(const QString& path, const QString& text = QString()) const {
        WriteAll(path, text.toUtf8());
        return path;
    }
    // An executable program in the PATH folder.
    QString Program(const QString& name) const {
        const QString p = roots.pathEnv + u'/' + name;
        File(p, QStringLiteral("#!/bin/sh\n"));
        QFile::setPermissions(p, QFile::permissions(p) | QFile::ExeOwner | QFile::ExeUser);
        return p;
    }
    static QString Entry(const QString& name, const QString& exec, const QString& extra = QString()) {
        return QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n%3").arg(name, exec, extra);
    }

    TempDir tmp;
    TScanRoots roots;
};

} // namespace vantrelo::test
