// vantrelo-cli entry point.
#include "cli/cli.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments();
    args.removeFirst();
    const int rc = vantrelo::cli::RunCli(args, out, err);
    out.flush();
    err.flush();
    return rc;
}
