// Verbs over the desktop of $DISPLAY: the open windows as the list shows them.
#include "cli/cli.h"

#include "platform/linux/xdesktop.h"

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

} // namespace vantrelo::cli
