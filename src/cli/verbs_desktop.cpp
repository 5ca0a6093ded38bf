// Verbs over the desktop: the open windows of $DISPLAY as the list shows them, the information line.
#include "cli/cli.h"

#include "commands/infotext.h"
#include "core/settingsstore.h"
#include "exec/systemservices.h"
#include "platform/linux/meminfo.h"
#include "platform/linux/systemcontrol_linux.h"
#include "platform/linux/xdesktop.h"
#include "platform/startup/dashcommands.h"

#include <QCoreApplication>

#include <QTextStream>

namespace vantrelo::cli {

namespace {

// A title or class never breaks the one-line, TAB-separated form.
QString Field(QString text) {
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

} // namespace

// Prints id, process id, class and title of every window the list of open windows offers.
int WindowsVerb(TCliContext& ctx, const QStringList& args) {
    if (!args.isEmpty()) {
        ctx.err << "usage: vantrelo-cli windows\n";
        return kUsage;
    }
    if (qEnvironmentVariable("DISPLAY").isEmpty()) {
        ctx.err << "No X display: DISPLAY is not set\n";
        return kFailed;
    }
    QString error;
    const std::unique_ptr<TXDesktop> desktop = TXDesktop::Open(QString(), &error);
    if (!desktop) {
        ctx.err << "Cannot open the X display " << qEnvironmentVariable("DISPLAY") << ": " << error << "\n";
        return kFailed;
    }
    for (const TTopWindow& w : desktop->TopLevelWindows()) {
        TWindowFacts f;
        if (!desktop->Describe(w.id, &f))
            continue;
        ctx.out << w.id << '\t' << f.pid << '\t' << Field(f.className) << '\t' << Field(w.title) << "\n";
    }
    return kOk;
}

// Prints the information line of TEMPLATE, as the idle input window would show it.
int InfoVerb(TCliContext& ctx, const QStringList& args) {
    if (args.size() != 1) {
        ctx.err << "usage: vantrelo-cli [--data DIR] info TEMPLATE\n";
        return kUsage;
    }
    if (!ctx.Load(false))
        return kFailed;
    const TSystemClock clock;
    const TLinuxNetworkInfo network;
    const TProcMemoryInfo memory;
    const TProgramInfo program = BuiltProgramInfo(QCoreApplication::applicationFilePath());
    TInfoText info({&clock, &clock, &network, &memory, program.version, program.buildDate, QLocale::system()});
    const QString text = info.Build(args.at(0), ctx.Data().settings.infocustomtime);
    if (text == QLatin1String(kInfoEmpty)) {
        ctx.err << text << "\n";
        return kFailed;
    }
    ctx.out << text << "\n";
    return kOk;
}

} // namespace vantrelo::cli
