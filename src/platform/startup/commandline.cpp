// Command-line parsing and the hand-over of a second start.
#include "platform/startup/commandline.h"

#include "core/text.h"
#include "platform/startup/dashcommands.h"

#include <QDir>
#include <QFileInfo>

namespace vantrelo {

QString RestOfCommandLine(const QStringList& args, int from) {
    if (from >= args.size())
        return {};
    if (from == args.size() - 1)
        return args.at(from);
    QStringList parts;
    for (int i = from; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool quote = a.isEmpty() || a.contains(u' ') || a.contains(u'\t');
        parts << (quote ? u'"' + a + u'"' : a);
    }
    return parts.join(u' ');
}

TCommandLine ParseCommandLine(const QStringList& args) {
    TCommandLine line;
    line.args = args;
    if (args.isEmpty())
        return line;
    const QString& first = args.at(0);
    const QString rest = RestOfCommandLine(args, 1);
    const bool hasText = args.size() > 1 && !TrimText(rest).isEmpty();
    auto withText = [&](TStartOption option) {
        if (hasText) {
            line.option = option;
            line.text = rest;
        }
    };
    if (first == QLatin1String("-exit"))
        line.option = TStartOption::Exit;
    else if (first == QLatin1String("-r"))
        withText(TStartOption::Run);
    else if (first == QLatin1String("-i"))
        withText(TStartOption::Input);
    else if (first == QLatin1String("-I"))
        withText(TStartOption::InputSelected);
    else if (first == QLatin1String("-s"))
        line.option = TStartOption::Silent;
    else if (SameText(first, QStringLiteral("-safemode")))
        line.option = TStartOption::SafeMode;
    else if (SameText(first, QStringLiteral("-wizard")))
        line.option = TStartOption::Wizard;
    else if (first == QLatin1String("--show"))
        line.option = TStartOption::Show;
    else if (first == QLatin1String("--hide"))
        line.option = TStartOption::Hide;
    else if (first == QLatin1String("--toggle"))
        line.option = TStartOption::Toggle;
    else if (first == QLatin1String("--help"))
        line.option = TStartOption::Help;
    else if (first == QLatin1String("--version"))
        line.option = TStartOption::Version;
    else if (!TrimText(first).isEmpty()) {
        line.option = TStartOption::File;
        line.text = first;
    }
    return line;
}

std::vector<TInstanceMessage> MessagesForRunningInstance(const TCommandLine& line, const QString& currentFolder,
                                                         const QString& activationToken) {
    using K = TInstanceMessageKind;
    auto msg = [&](K kind, const QString& text = {}) { return TInstanceMessage{kind, text, activationToken}; };
    switch (line.option) {
    case TStartOption::Exit:
        return {msg(K::Close)};
    case TStartOption::Run:
        return {msg(K::Command, line.text)};
    case TStartOption::Input:
        return {msg(K::Activate), msg(K::Input, line.text)};
    case TStartOption::InputSelected:
        return {msg(K::Activate), msg(K::InputSelected, line.text)};
    case TStartOption::File: {
        QString path = line.text;
        if (!path.startsWith(u'/') && !path.startsWith(u'~') && !path.contains(QLatin1String("://")))
            path = QDir::cleanPath(QDir(currentFolder).absoluteFilePath(path));
        return {msg(K::Activate), msg(K::SendTo, path)};
    }
    case TStartOption::Show:
        return {msg(K::Open)};
    case TStartOption::Hide:
        return {msg(K::Hide)};
    case TStartOption::Toggle:
        return {msg(K::HotOpen)};
    case TStartOption::Help:
    case TStartOption::Version:
        return {};
    case TStartOption::None:
    case TStartOption::Silent:
    case TStartOption::SafeMode:
    case TStartOption::Wizard:
        break;
    }
    return {msg(K::Activate)};
}

QString UsageText() {
    return QStringLiteral(
               "Usage: vantrelo [OPTION | PATH]\n"
               "A keyboard launcher for X11: Win+Shift+Z brings its input window; type a keyword and its\n"
               "parameters and press Enter. A second start hands its option to the running Vantrelo.\n"
               "\n"
               "Options (only the first one counts):\n"
               "  (none)        start, or bring the running Vantrelo to the front\n"
               "  -r TEXT       execute TEXT as a typed input (in the running Vantrelo when there is one)\n"
               "  -i TEXT       put TEXT into the input line\n"
               "  -I TEXT       put TEXT into the input line, selected\n"
               "  -s            start hidden until summoned (with auto-hide on)\n"
               "  -safemode     start without start-up actions, keyboard hook, index cache and skin\n"
               "  -wizard       start and open the app wizard\n"
               "  -exit         close the running Vantrelo\n"
               "  PATH          propose a keyword for a file or folder\n"
               "  --show        show the input window\n"
               "  --hide        hide the input window\n"
               "  --toggle      show or hide the input window, as the hotkey does (for desktop shortcuts)\n"
               "  --version     print the version\n"
               "  --help        print this text\n"
               "\n"
               "Dash commands, typed into the input line:\n") +
           DashCommandsText() +
           QStringLiteral("\n"
                          "Example: vantrelo -r \"g big cats\"\n"
                          "Settings, keywords and history from a shell: vantrelo-cli --help\n");
}

std::optional<TEarlyAnswer> AnswerBeforeDisplay(const TCommandLine& line, const QString& display,
                                                const QString& platform, const std::function<bool()>& reachable) {
    if (line.option == TStartOption::Help)
        return TEarlyAnswer{0, UsageText(), {}};
    if (line.option == TStartOption::Version)
        return TEarlyAnswer{0, QLatin1String("vantrelo ") + VersionText(BuiltProgramInfo({})) + u'\n', {}};
    // "--" never starts a path a user means, unless such a file really is there.
    if (line.option == TStartOption::File && line.text.startsWith(QLatin1String("--")) && !QFileInfo::exists(line.text))
        return TEarlyAnswer{2, {}, QStringLiteral("vantrelo: unknown option %1\nTry 'vantrelo --help'.\n").arg(line.text)};
    const bool needsX = platform.isEmpty() || platform.startsWith(QLatin1String("xcb"));
    if (needsX && display.isEmpty())
        return TEarlyAnswer{1, {},
                            QStringLiteral("vantrelo: no X display (DISPLAY is not set); under Wayland Vantrelo runs "
                                           "through XWayland: start it from the desktop session (which sets DISPLAY), "
                                           "and bind a desktop shortcut to 'vantrelo --toggle'.\n"
                                           "Try 'vantrelo --help'.\n")};
    if (needsX && reachable && !reachable())
        return TEarlyAnswer{1, {},
                            QStringLiteral("vantrelo: cannot open the X display %1 (DISPLAY=%1): no X server "
                                           "answers there, or it refuses this user.\n")
                                .arg(display)};
    return std::nullopt;
}

} // namespace vantrelo
