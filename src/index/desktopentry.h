// Desktop entry files (.desktop): parsing, visibility rules and turning Exec into argument vectors.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace vantrelo {

// The keys of a "[Desktop Entry]" group that launching, the index and app import use.
struct TDesktopEntry {
    QString type;        // "Application", "Link" or "Directory"
    QString name;        // localised for the locale given to the parser
    QString exec;        // unescaped string value; quoting rules still apply (SplitExec)
    QString tryexec;
    QString path;        // working folder
    QString icon;
    QString url;         // Type=Link
    QStringList categories;
    QStringList mimetypes; // MimeType: the file types the application opens
    QStringList onlyshowin;
    QStringList notshowin;
    bool terminal = false;
    bool hidden = false;
    bool nodisplay = false;
    bool valid = false;  // the group exists and it has a Type and a Name
};

// Parses the text of a .desktop file. `locale` is a POSIX locale name ("de_DE.UTF-8@euro"):
// Name[de_DE@euro], Name[de_DE], Name[de@euro], Name[de] and Name are tried in that order.
TDesktopEntry ParseDesktopEntry(const QString& text, const QString& locale);
// Reads and parses a file; an unreadable file gives an invalid entry.
TDesktopEntry ReadDesktopEntry(const QString& file, const QString& locale);
// The same for a path in the file system's bytes, relative to the open folder `folder` (or
// AT_FDCWD): a walk opens each file by its name alone instead of its whole path again.
TDesktopEntry ReadDesktopEntryAt(int folder, const char* file, const QString& locale);

// Undoes the string escapes \s \n \t \r \\ of a value.
QString UnescapeDesktopValue(const QString& value);
// Splits a ";"-separated list value ("\;" is a literal semicolon); empty items are dropped.
QStringList SplitDesktopList(const QString& value);

// Splits an Exec value into arguments, undoing the double-quote quoting; false on an open quote.
bool SplitExec(const QString& exec, QStringList& args, QString* error = nullptr);

// Builds the command lines that run an entry with the given files or URLs. A program that takes
// one file (%f, %u) for several targets gives one command line per target; an Exec line without a
// file code takes the targets as a %f at its end. `desktopFile` is the
// entry's own location (%k). A program for local files (%f, %F) gets no address other than
// file://: such targets are left out and listed in `leftOut`. False with `error` for an entry
// without Exec, an open quote or an unknown field code.
bool BuildExecCommands(const TDesktopEntry& entry, const QStringList& targets, const QString& desktopFile,
                       std::vector<QStringList>& commands, QString* error = nullptr,
                       QStringList* leftOut = nullptr);

// The Exec field codes %f %F %u %U removed and %i %c %k %% expanded: the fixed arguments.
bool FixedExecArgs(const TDesktopEntry& entry, const QString& desktopFile, QStringList& args,
                   QString* error = nullptr);

// Quotes one argument for an Exec line when it holds a reserved character.
QString QuoteExecArg(const QString& arg);

// The command that runs a program in a terminal, to be followed by the program's arguments:
// `terminalVar` ($TERMINAL) when it names a program, else xdg-terminal-exec, x-terminal-emulator
// and known terminals with their "run this" option, the first found in `pathEnv`; empty when none.
QStringList TerminalCommand(const QString& terminalVar, const QString& pathEnv);

// Full path of a program: an absolute path when it names an executable file, else the first
// executable of that name in `pathEnv` (":"-separated); empty when none.
QString FindProgram(const QString& program, const QString& pathEnv);

// OnlyShowIn / NotShowIn against the current desktops ($XDG_CURRENT_DESKTOP split at ":").
bool ShownIn(const TDesktopEntry& entry, const QStringList& desktops);

// Whether a menu shows the entry: valid, not Hidden or NoDisplay, shown in this desktop, an
// Application whose TryExec program (when given) and Exec program exist, or a Link with a URL.
bool IsMenuEntry(const TDesktopEntry& entry, const QStringList& desktops, const QString& pathEnv);

// The desktop-file id of a file below an applications folder: its relative path with "/" as "-".
QString DesktopFileId(const QString& applicationsFolder, const QString& file);

// Every desktop-entry file below the applications folders with its desktop-file id, each id once:
// the first folder that holds it wins (the folders come highest precedence first), and within a
// folder the files come in path order.
void WalkDesktopFiles(const QStringList& applicationFolders,
                      const std::function<void(const QString& id, const QString& file)>& visit);

// The first freedesktop main category of an entry ("Development", "Office"...), empty if none.
QString MainCategory(const TDesktopEntry& entry);

} // namespace vantrelo
