// The program's command line: the first parameter chooses what a start does.
#pragma once

#include "platform/instancechannel.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace vantrelo {

enum class TStartOption {
    None,
    Exit,          // "-exit"
    Run,           // "-r" with text: execute it
    Input,         // "-i" with text: put it into the input line
    InputSelected, // "-I" with text: put it into the input line, selected
    Silent,        // "-s": stay hidden until summoned when auto-hide is on
    SafeMode,      // "-safemode" (any case)
    Wizard,        // "-wizard" (any case)
    File,          // any other first parameter: a file or folder to propose as a keyword
    Show,          // "--show": show the running window (what other programs may ask)
    Hide,          // "--hide": hide it as the hotkey would
    Toggle,        // "--toggle": show or hide it as the hotkey would (for desktop shortcuts)
    Help,          // "--help": print the usage and end
    Version,       // "--version": print the version and end
};

struct TCommandLine {
    QStringList args; // without the program itself
    TStartOption option = TStartOption::None;
    QString text;     // the rest of the command line (Run, Input, InputSelected) or the file (File)
};

// Only the first parameter is examined, with case ("-i" and "-I" differ) except "-safemode" and
// "-wizard". "-r", "-i" and "-I" whose text is blank count as no option.
TCommandLine ParseCommandLine(const QStringList& args);

// The parameters from `from` on, joined by blanks. A single parameter stands as it is; with
// several, one that holds a blank (or is empty) is put in double quotes so its words stay together.
QString RestOfCommandLine(const QStringList& args, int from);

// What a second start hands the running instance. A relative file path is made absolute against
// the second start's `currentFolder`, since the running instance has its own.
std::vector<TInstanceMessage> MessagesForRunningInstance(const TCommandLine& line, const QString& currentFolder,
                                                         const QString& activationToken);

// The text "--help" prints: the options, then the dash commands typed into the input line.
QString UsageText();

// What a start answers on its own before any display is opened.
struct TEarlyAnswer {
    int exitCode = 0;
    QString out; // for stdout
    QString err; // for stderr
};

// "--help", "--version", an unknown "--" option, or a start that needs X11 where there is no
// X display (`display` is $DISPLAY, `platform` $QT_QPA_PLATFORM; another platform is a choice).
// `reachable` tells whether the X server of a set $DISPLAY answers; it is asked only then.
// Nothing when the start goes on.
std::optional<TEarlyAnswer> AnswerBeforeDisplay(const TCommandLine& line, const QString& display,
                                                const QString& platform, const std::function<bool()>& reachable);

} // namespace vantrelo
