// Desktop entries: parse any file, split its Exec line and build the argument vectors from it.
#include "fuzzsupport.h"
#include "index/desktopentry.h"

using namespace vantrelo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024)
        return 0;
    const TDesktopEntry entry = ParseDesktopEntry(fuzz::Text(data, size), QStringLiteral("de_DE"));
    QStringList args;
    if (SplitExec(entry.exec, args)) {
        // A quoted argument splits back into itself.
        for (const QString& arg : args) {
            QStringList again;
            fuzz::Require(SplitExec(QuoteExecArg(arg), again) && again == QStringList{arg}, "Exec quoting round trip");
        }
    }
    std::vector<QStringList> commands;
    BuildExecCommands(entry, {QStringLiteral("/tmp/a file"), QStringLiteral("https://x/y")},
                      QStringLiteral("/usr/share/applications/x.desktop"), commands);
    MainCategory(entry);
    return 0;
}
