// Desktop entry parsing after the freedesktop rules: groups, localised keys, Exec quoting and field codes.
#include "index/desktopentry.h"

#include "core/text.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vantrelo {

namespace {

const QLatin1String kGroup("[Desktop Entry]");

// Locale keys in the order of preference: ll_CC@MOD, ll_CC, ll@MOD, ll.
QStringList LocaleKeys(const QString& locale) {
    QString l = locale;
    QString modifier;
    const qsizetype at = l.indexOf(u'@');
    if (at >= 0) {
        modifier = l.mid(at + 1);
        l.truncate(at);
    }
    const qsizetype dot = l.indexOf(u'.');
    if (dot >= 0)
        l.truncate(dot);
    if (l.isEmpty() || l == QLatin1String("C") || l == QLatin1String("POSIX"))
        return {};
    QString lang = l;
    QString country;
    const qsizetype us = l.indexOf(u'_');
    if (us >= 0) {
        lang = l.left(us);
        country = l.mid(us + 1);
    }
    QStringList keys;
    if (!country.isEmpty() && !modifier.isEmpty())
        keys << lang + u'_' + country + u'@' + modifier;
    if (!country.isEmpty())
        keys << lang + u'_' + country;
    if (!modifier.isEmpty())
        keys << lang + u'@' + modifier;
    keys << lang;
    return keys;
}

bool ParseBool(const QString& v) { return v == QLatin1String("true") || v == QLatin1String("1"); }

// One "Key[locale]=value" line split into its parts; false for anything else.
bool SplitKeyLine(const QString& line, QString& key, QString& loc, QString& value) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0)
        return false;
    QString k = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
    loc.clear();
    const qsizetype br = k.indexOf(u'[');
    if (br >= 0) {
        if (!k.endsWith(u']'))
            return false;
        loc = k.mid(br + 1, k.size() - br - 2);
        k.truncate(br);
    }
    key = k;
    return !key.isEmpty();
}

bool IsExecutableFile(const QString& path) {
    const QFileInfo fi(path);
    return fi.isFile() && fi.isExecutable();
}

} // namespace

QString UnescapeDesktopValue(const QString& value) {
    if (!value.contains(u'\\'))
        return value;
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 >= value.size()) {
            out += c;
            continue;
        }
        const QChar n = value.at(++i);
        switch (n.unicode()) {
        case 's': out += u' '; break;
        case 'n': out += u'\n'; break;
        case 't': out += u'\t'; break;
        case 'r': out += u'\r'; break;
        case '\\': out += u'\\'; break;
        default: out += c; out += n; break; // other escapes belong to a later layer (lists, Exec)
        }
    }
    return out;
}

QStringList SplitDesktopList(const QString& value) {
    QStringList items;
    QString cur;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size() && value.at(i + 1) == u';') {
            cur += u';';
            ++i;
        } else if (c == u';') {
            if (!cur.isEmpty())
                items << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.isEmpty())
        items << cur;
    return items;
}

TDesktopEntry ParseDesktopEntry(const QString& text, const QString& locale) {
    TDesktopEntry e;
    const QStringList prefs = LocaleKeys(locale);
    int nameRank = -1; // index into prefs of the Name taken; prefs.size() = unlocalised
    bool inGroup = false;
    bool seenGroup = false;
    bool haveName = false;
    for (const QString& raw : SplitLines(text)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (inGroup)
                break; // other groups (actions) do not concern us
            // The entry's group must be the file's first: a file that opens with another one
            // (an action) is no desktop entry.
            if (line != kGroup)
                break;
            inGroup = seenGroup = true;
            continue;
        }
        if (!inGroup)
            continue;
        QString key, loc, value;
        if (!SplitKeyLine(line, key, loc, value))
            continue;
        if (key == QLatin1String("Name")) {
            const int rank = loc.isEmpty() ? int(prefs.size()) : int(prefs.indexOf(loc));
            if (rank < 0)
                continue;
            if (!haveName || rank < nameRank) {
                e.name = UnescapeDesktopValue(value);
                nameRank = rank;
                haveName = true;
            }
            continue;
        }
        if (!loc.isEmpty())
            continue; // only Name is read localised
        if (key == QLatin1String("Type")) e.type = UnescapeDesktopValue(value);
        else if (key == QLatin1String("Exec")) e.exec = UnescapeDesktopValue(value);
        else if (key == QLatin1String("TryExec")) e.tryexec = UnescapeDesktopValue(value);
        else if (key == QLatin1String("Path")) e.path = UnescapeDesktopValue(value);
        else if (key == QLatin1String("Icon")) e.icon = UnescapeDesktopValue(value);
        else if (key == QLatin1String("URL")) e.url = UnescapeDesktopValue(value);
        else if (key == QLatin1String("Categories")) e.categories = SplitDesktopList(value);
        else if (key == QLatin1String("MimeType")) e.mimetypes = SplitDesktopList(value);
        else if (key == QLatin1String("OnlyShowIn")) e.onlyshowin = SplitDesktopList(value);
        else if (key == QLatin1String("NotShowIn")) e.notshowin = SplitDesktopList(value);
        else if (key == QLatin1String("Terminal")) e.terminal = ParseBool(value);
        else if (key == QLatin1String("Hidden")) e.hidden = ParseBool(value);
        else if (key == QLatin1String("NoDisplay")) e.nodisplay = ParseBool(value);
    }
    e.valid = seenGroup && !e.type.isEmpty() && haveName;
    return e;
}

TDesktopEntry ReadDesktopEntry(const QString& file, const QString& locale) {
    return ReadDesktopEntryAt(AT_FDCWD, QFile::encodeName(file).constData(), locale);
}

TDesktopEntry ReadDesktopEntryAt(int folder, const char* file, const QString& locale) {
    // Plain calls: a scan reads one entry per .desktop file it meets. Non-blocking, so that a pipe
    // under that name cannot hold the walk. One read of a small buffer serves the usual entry; an
    // empty file (no entry: the file keeps its name) ends there without any text made.
    const int fd = ::openat(folder, file, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    char buffer[8192];
    ssize_t got;
    do
        got = ::read(fd, buffer, sizeof buffer);
    while (got < 0 && errno == EINTR);
    if (got <= 0) {
        ::close(fd);
        return {};
    }
    QByteArray bytes(buffer, qsizetype(got));
    for (;;) {
        got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        bytes.append(buffer, qsizetype(got));
    }
    ::close(fd);
    // Desktop files are UTF-8 by definition; a stray BOM is tolerated.
    return ParseDesktopEntry(DecodeFileText(bytes), locale);
}

bool SplitExec(const QString& exec, QStringList& args, QString* error) {
    args.clear();
    QString cur;
    bool inArg = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == u'"') {
                quoted = false;
            } else if (c == u'\\' && i + 1 < exec.size() &&
                       QStringView(u"\"`$\\").contains(exec.at(i + 1))) {
                cur += exec.at(++i);
            } else {
                cur += c;
            }
            continue;
        }
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inArg)
                args << cur;
            cur.clear();
            inArg = false;
        } else if (c == u'"') {
            quoted = true;
            inArg = true;
        } else if (c == u'\\' && i + 1 < exec.size()) {
            cur += exec.at(++i); // tolerated outside quotes: the next character is literal
            inArg = true;
        } else {
            cur += c;
            inArg = true;
        }
    }
    if (quoted) {
        if (error)
            *error = QStringLiteral("Unterminated quote in Exec: %1").arg(exec);
        return false;
    }
    if (inArg)
        args << cur;
    if (args.isEmpty() && error)
        *error = QStringLiteral("Empty Exec line");
    return !args.isEmpty();
}

namespace {

bool IsFileCode(QChar c) { return c == u'f' || c == u'F' || c == u'u' || c == u'U'; }
bool IsDeprecatedCode(QChar c) {
    return c == u'd' || c == u'D' || c == u'n' || c == u'N' || c == u'v' || c == u'm';
}

// A target as the program gets it: a file: URL becomes its path for every file code (a URL may be
// a local path, and desktops pass it so); other URLs stay as given.
QString AsLocalFile(const QString& target) {
    if (target.startsWith(QLatin1String("file://"))) {
        QString p = target.mid(7);
        const qsizetype slash = p.indexOf(u'/');
        p = slash >= 0 ? p.mid(slash) : QString();
        return QString::fromUtf8(QByteArray::fromPercentEncoding(p.toUtf8()));
    }
    return target;
}

// A target that names no local file: an address other than file://.
bool IsRemoteTarget(const QString& target) {
    const qsizetype colon = target.indexOf(QLatin1String("://"));
    if (colon <= 0 || target.startsWith(QLatin1String("file://")))
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = target.at(i);
        if (!(c.isLetterOrNumber() || c == u'+' || c == u'-' || c == u'.'))
            return false;
    }
    return true;
}

struct TExpander {
    const TDesktopEntry& entry;
    const QString& desktopFile;
    QString* error;

    // Expands one argument; `single` is the target for %f/%u, or null to drop file codes.
    // Returns false on an unknown code. `out` receives zero or more arguments.
    bool Expand(const QString& arg, const QString* single, const QStringList& all, QStringList& out) const {
        if (arg.size() == 2 && arg.at(0) == u'%') {
            const QChar c = arg.at(1);
            if (c == u'F' || c == u'U') {
                for (const QString& t : all)
                    out << AsLocalFile(t);
                return true;
            }
            if (c == u'f' || c == u'u') {
                if (single)
                    out << AsLocalFile(*single);
                return true;
            }
            if (c == u'i') {
                if (!entry.icon.isEmpty())
                    out << QStringLiteral("--icon") << entry.icon;
                return true;
            }
            if (IsDeprecatedCode(c))
                return true;
        }
        QString text;
        for (qsizetype i = 0; i < arg.size(); ++i) {
            const QChar c = arg.at(i);
            if (c != u'%' || i + 1 >= arg.size()) {
                text += c;
                continue;
            }
            const QChar code = arg.at(++i);
            if (code == u'%') text += u'%';
            else if (code == u'c') text += entry.name;
            else if (code == u'k') text += desktopFile;
            else if (IsFileCode(code)) {
                if (single) text += AsLocalFile(*single);
                else if ((code == u'F' || code == u'U') && !all.isEmpty()) text += AsLocalFile(all.first());
            } else if (code == u'i' || IsDeprecatedCode(code)) {
                // nothing inside a word
            } else {
                if (error)
                    *error = QStringLiteral("Unknown field code %%%1 in Exec").arg(code);
                return false;
            }
        }
        out << text;
        return true;
    }
};

// Which file code the argument vector uses: 'f'/'u' for one target, 'F'/'U' for a list, 0 none.
QChar FileCodeOf(const QStringList& args) {
    for (const QString& a : args)
        for (qsizetype i = 0; i + 1 < a.size(); ++i)
            if (a.at(i) == u'%') {
                const QChar c = a.at(i + 1);
                if (IsFileCode(c))
                    return c;
                ++i;
            }
    return QChar();
}

} // namespace

bool BuildExecCommands(const TDesktopEntry& entry, const QStringList& givenTargets, const QString& desktopFile,
                       std::vector<QStringList>& commands, QString* error, QStringList* leftOut) {
    commands.clear();
    QStringList args;
    if (entry.exec.isEmpty()) {
        if (error)
            *error = QStringLiteral("The entry has no Exec line");
        return false;
    }
    if (!SplitExec(entry.exec, args, error))
        return false;
    const TExpander ex{entry, desktopFile, error};
    QChar code = FileCodeOf(args);
    // An Exec line without a file code takes the targets as %f at its end, as desktops do.
    if (code.isNull() && !givenTargets.isEmpty()) {
        args << QStringLiteral("%f");
        code = u'f';
    }
    // A program for local files (%f, %F) is never handed an address it cannot open.
    QStringList targets;
    for (const QString& t : givenTargets) {
        if ((code == u'f' || code == u'F') && IsRemoteTarget(t)) {
            if (leftOut)
                *leftOut << t;
            continue;
        }
        targets << t;
    }
    const bool perTarget = (code == u'f' || code == u'u') && targets.size() > 1;
    const int runs = perTarget ? int(targets.size()) : 1;
    for (int r = 0; r < runs; ++r) {
        const QString* single = targets.isEmpty() ? nullptr : &targets.at(r);
        QStringList argv;
        for (const QString& a : args)
            if (!ex.Expand(a, single, targets, argv))
                return false;
        if (argv.isEmpty() || argv.first().isEmpty()) {
            if (error)
                *error = QStringLiteral("Exec names no program");
            return false;
        }
        commands.push_back(argv);
    }
    return true;
}

bool FixedExecArgs(const TDesktopEntry& entry, const QString& desktopFile, QStringList& args, QString* error) {
    std::vector<QStringList> commands;
    if (!BuildExecCommands(entry, {}, desktopFile, commands, error))
        return false;
    args = commands.front();
    return true;
}

QString QuoteExecArg(const QString& arg) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needs = arg.isEmpty();
    for (const QChar c : arg)
        needs = needs || reserved.contains(c);
    if (!needs)
        return arg;
    QString out = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

QStringList TerminalCommand(const QString& terminalVar, const QString& pathEnv) {
    // The user's choice first, then the desktop-neutral ways, then terminals known by name with
    // the option after which the rest of the line is the command to run.
    if (!TrimText(terminalVar).isEmpty()) {
        QStringList words;
        if (SplitExec(TrimText(terminalVar), words) && !FindProgram(words.first(), pathEnv).isEmpty())
            return words << QStringLiteral("-e");
    }
    struct TKnown {
        const char* program;
        const char* option; // empty: the command follows the program's name
    };
    static const TKnown known[] = {
        {"xdg-terminal-exec", ""},   {"x-terminal-emulator", "-e"}, {"gnome-terminal", "--"},
        {"konsole", "-e"},           {"xfce4-terminal", "-x"},      {"mate-terminal", "-x"},
        {"lxterminal", "-e"},        {"tilix", "-e"},               {"terminator", "-x"},
        {"kitty", ""},               {"alacritty", "-e"},           {"foot", ""},
        {"wezterm", "start --"},     {"urxvt", "-e"},               {"st", "-e"},
        {"xterm", "-e"},
    };
    for (const TKnown& k : known) {
        const QString program = QString::fromLatin1(k.program);
        if (FindProgram(program, pathEnv).isEmpty())
            continue;
        QStringList command{program};
        command << QString::fromLatin1(k.option).split(u' ', Qt::SkipEmptyParts);
        return command;
    }
    return {};
}

QString FindProgram(const QString& program, const QString& pathEnv) {
    if (program.isEmpty())
        return {};
    if (program.contains(u'/'))
        return IsExecutableFile(program) ? program : QString();
    for (const QString& dir : pathEnv.split(u':', Qt::SkipEmptyParts)) {
        const QString candidate = dir + u'/' + program;
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return {};
}

bool ShownIn(const TDesktopEntry& entry, const QStringList& desktops) {
    // The desktops in their order: the first one either list names decides.
    for (const QString& d : desktops) {
        if (entry.onlyshowin.contains(d))
            return true;
        if (entry.notshowin.contains(d))
            return false;
    }
    return entry.onlyshowin.isEmpty();
}

bool IsMenuEntry(const TDesktopEntry& entry, const QStringList& desktops, const QString& pathEnv) {
    if (!entry.valid || entry.hidden || entry.nodisplay || !ShownIn(entry, desktops))
        return false;
    if (entry.type == QLatin1String("Link"))
        return !entry.url.isEmpty();
    if (entry.type != QLatin1String("Application") || entry.exec.isEmpty())
        return false;
    if (!entry.tryexec.isEmpty() && FindProgram(entry.tryexec, pathEnv).isEmpty())
        return false;
    // An entry whose program is not installed starts nothing: the menu, the index and the
    // application import all leave it out.
    QStringList args;
    return SplitExec(entry.exec, args) && !FindProgram(args.first(), pathEnv).isEmpty();
}

QString DesktopFileId(const QString& applicationsFolder, const QString& file) {
    QString folder = applicationsFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    if (!file.startsWith(folder))
        return {};
    QString rel = file.mid(folder.size());
    return rel.replace(u'/', u'-');
}

void WalkDesktopFiles(const QStringList& applicationFolders,
                      const std::function<void(const QString& id, const QString& file)>& visit) {
    QSet<QString> seen;
    for (const QString& folder : applicationFolders) {
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        QStringList files;
        while (it.hasNext())
            files << it.next();
        files.sort();
        for (const QString& file : files) {
            const QString id = DesktopFileId(folder, file);
            if (id.isEmpty() || seen.contains(id))
                continue;
            seen.insert(id);
            visit(id, file);
        }
    }
}

QString MainCategory(const TDesktopEntry& entry) {
    static const QStringList main = {
        QStringLiteral("AudioVideo"), QStringLiteral("Audio"), QStringLiteral("Video"),
        QStringLiteral("Development"), QStringLiteral("Education"), QStringLiteral("Game"),
        QStringLiteral("Graphics"), QStringLiteral("Network"), QStringLiteral("Office"),
        QStringLiteral("Science"), QStringLiteral("Settings"), QStringLiteral("System"),
        QStringLiteral("Utility")};
    for (const QString& c : entry.categories)
        if (main.contains(c))
            return c;
    return {};
}

} // namespace vantrelo
