// vantrelo-cli run in-process over a temporary data folder, as a user would call it.
#pragma once

#include "cli/cli.h"
#include "support/testsupport.h"

#include <QStringList>
#include <QTextStream>

namespace vantrelo::test {

struct TCliResult {
    int rc = 0;
    QString out, err;
};

struct TCliRunner {
    TempDir data;
    // Runs `args` with "--data <folder>" in front.
    TCliResult operator()(QStringList args) const {
        args.prepend(data.Path());
        args.prepend(QStringLiteral("--data"));
        TCliResult r;
        QTextStream out(&r.out), err(&r.err);
        r.rc = cli::RunCli(args, out, err);
        out.flush();
        err.flush();
        return r;
    }
    QByteArray File(const QString& name = QStringLiteral("vantrelo.ini")) const { return ReadAll(data.File(name)); }
};

} // namespace vantrelo::test
