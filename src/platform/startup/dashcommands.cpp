// Dash commands: exact names and aliases, their help lines, and what each one does.
#include "platform/startup/dashcommands.h"

#include "core/datafolder.h"
#include "core/inifile.h"
#include "core/settings.h"
#include "core/text.h"
#include "platform/clock.h"
#include "platform/startup/report.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>

#include <iterator>

namespace vantrelo {

namespace {

struct TDashName {
    const char* name;
    TDashCommand command;
    const char* help; // nullptr: the list keeps the caller's description
};

// Option names and aliases; each must be typed whole.
const TDashName kNames[] = {
    {"s", TDashCommand::Settings, "Open settings"},
    {"settings", TDashCommand::Settings, "Open settings"},
    {"sk", TDashCommand::Skin, "Open skin settings"},
    {"ski", TDashCommand::Skin, "Open skin settings"},
    {"skin", TDashCommand::Skin, "Open skin settings"},
    {"ab", TDashCommand::About, "Show about"},
    {"about", TDashCommand::About, "Show about"},
    {"a", TDashCommand::AddKeyword, "Add a keyword <name> <command>. Alt: -add"},
    {"add", TDashCommand::AddKeyword, "Add a keyword <name> <command>. Alt: -a"},
    {"k", TDashCommand::KeywordEditor, "Open keyword editor"},
    {"edit", TDashCommand::EditSettingsFile, "Open and edit vantrelo.ini (closing Vantrelo)"},
    {"if", TDashCommand::ImportFile, "Import keywords from file"},
    {"is", TDashCommand::ImportStartMenu, "Open start-menu importer"},
    {"i", TDashCommand::ImportUrl, "Import keywords form a URL (URL as optional parameter)"},
    {"export", TDashCommand::Export, "Open the keywords exporter"},
    {"x", TDashCommand::Close, "Close Vantrelo. Alt: -q"},
    {"q", TDashCommand::Close, "Close Vantrelo. Alt: -x"},
    {"quit", TDashCommand::Close, "Close Vantrelo. Alt: -x"},
    {"v", TDashCommand::Version, "Show version info"},
    {"version", TDashCommand::Version, "Show version info"},
    {"report", TDashCommand::Report, "Generate report for bug reporting etc"},
    {"folder", TDashCommand::DataFolder, "Open Vantrelos data folder. Alt: -f"},
    {"f", TDashCommand::DataFolder, "Open Vantrelos data folder. Alt: -folder"},
    {"exefolder", TDashCommand::ProgramFolder, "Open Vantrelos program folder. Alt: -ef"},
    {"ef", TDashCommand::ProgramFolder, "Open Vantrelos program folder. Alt: -exefolder"},
    {"n", TDashCommand::Notes, "Open notes. Supports parameter (-n remember milk)"},
    {"notes", TDashCommand::Notes, "Open notes. Supports parameter (-n remember milk)"},
    {"hi", TDashCommand::Tips, nullptr},
    {"?", TDashCommand::Help, "Show help"},
    {"h", TDashCommand::Help, nullptr},
    {"help", TDashCommand::Help, "Show help"},
    {"m", TDashCommand::Menu, "Open context menu. Alt: -menu"},
    {"menu", TDashCommand::Menu, "Open context menu. Alt: -m"},
};

const TDashName* FindName(const QString& word) {
    for (const TDashName& n : kNames)
        if (word == QLatin1String(n.name))
            return &n;
    return nullptr;
}

QString BuildDateText() {
    // __DATE__ is "Mmm dd yyyy" in the C locale.
    const QString raw = QString::fromLatin1(__DATE__).simplified();
    const QDate d = QLocale::c().toDate(raw, QStringLiteral("MMM d yyyy"));
    return d.isValid() ? d.toString(Qt::ISODate) : raw;
}

void WriteReport(const TDashContext& c) {
    TMemIniFile ini;
    const QString path = c.places.dataFolder + QLatin1String("vantrelo-report.txt");
    ini.Rename(path, false);
    BuildReport(ini, c.clock.Now(), c.info, c.places.dataFolder, c.host.ReportFacts(), c.settings);
    (void)ini.UpdateFile(); // a report that cannot be written is not worth a second message
    c.host.ShowMessage(QStringLiteral("Report generated"), ReportMessage(path));
    c.host.OpenPath(c.places.dataFolder);
}

} // namespace

std::optional<TDashMatch> MatchDashCommand(const QString& input) {
    const QString t = TrimText(input);
    if (t.size() < 2 || t.at(0) != u'-')
        return std::nullopt;
    qsizetype space = 0;
    while (space < t.size() && t.at(space).unicode() > 0x20)
        ++space;
    const QString word = LowerText(t.mid(1, space - 1));
    const TDashName* n = FindName(word);
    if (!n)
        return std::nullopt;
    return TDashMatch{n->command, word, TrimText(t.mid(space))};
}

std::optional<QString> DashHelpLine(const QString& entryText) {
    if (entryText.size() < 2 || entryText.at(0) != u'-')
        return std::nullopt;
    const qsizetype blank = entryText.indexOf(u' ');
    const TDashName* n = FindName(LowerText(entryText.mid(1, blank < 0 ? -1 : blank - 1)));
    if (!n || !n->help)
        return std::nullopt;
    return QString::fromUtf8(n->help);
}

TNewKeyword ParseAddKeyword(const QString& parameter) {
    TNewKeyword k;
    QString rest = TrimText(parameter);
    const qsizetype p = rest.indexOf(QLatin1String(" p:"));
    if (p >= 0) {
        k.parameters = TrimText(rest.mid(p + 3));
        rest = rest.left(p);
    }
    qsizetype space = 0;
    while (space < rest.size() && rest.at(space).unicode() > 0x20)
        ++space;
    k.name = rest.left(space);
    k.command = TrimText(rest.mid(space));
    return k;
}

TProgramInfo BuiltProgramInfo(const QString& executable) {
    TProgramInfo info;
    QStringList parts = QStringLiteral(VANTRELO_VERSION_TEXT).split(u'.');
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    info.version = parts.mid(0, 4).join(u'.');
    info.buildDate = BuildDateText();
    info.executable = executable;
    return info;
}

QString VersionText(const TProgramInfo& info) {
    return info.version + QLatin1String(" hdpi Build date: ") + info.buildDate;
}

QString DashCommandsText() {
    QString text;
    for (size_t i = 0; i < std::size(kNames); ++i) {
        const TDashName& n = kNames[i];
        // One line per command: its names in table order, the first help line found.
        bool seen = false;
        for (size_t j = 0; j < i; ++j)
            seen = seen || kNames[j].command == n.command;
        if (seen)
            continue;
        QStringList names;
        const char* help = nullptr;
        for (const TDashName& m : kNames) {
            if (m.command != n.command)
                continue;
            names << u'-' + QString::fromLatin1(m.name);
            if (!help)
                help = m.help;
        }
        if (!help)
            continue;
        QString head = QLatin1String("  ") + names.join(QLatin1String(", "));
        // The help lines' "Alt:" notes repeat the names already listed.
        QString line = QString::fromUtf8(help);
        const qsizetype alt = line.indexOf(QLatin1String(". Alt:"));
        if (alt >= 0)
            line.truncate(alt);
        text += head.leftJustified(22) + u' ' + line + u'\n';
    }
    return text;
}

QString TipsPageUrl() { return QStringLiteral("https://vantrelo.org/tips"); }
QString HelpPageUrl() { return QStringLiteral("https://vantrelo.org/help"); }

bool RunDashCommand(const QString& input, const TDashContext& c) {
    const std::optional<TDashMatch> m = MatchDashCommand(input);
    if (!m)
        return false;
    TDashHost& host = c.host;
    const QString& param = m->parameter;
    switch (m->command) {
    case TDashCommand::Skin:
        if (SameText(param, QStringLiteral("ow"))) {
            host.ToggleOneWindow();
        } else if (SameText(param, QStringLiteral("of"))) {
            if (!TrimText(c.settings.skinname).isEmpty())
                host.OpenPath(WithSlash(QFileInfo(c.settings.skinname).absolutePath()));
            else if (QFileInfo(c.places.programFolder + QLatin1String("skins")).isDir())
                host.OpenPath(c.places.programFolder + QLatin1String("skins/"));
        } else {
            host.OpenSettings(TSettingsPage::Skin, param);
        }
        host.SelectInput();
        break;
    case TDashCommand::Settings:
        host.OpenSettings(TSettingsPage::General, QString());
        break;
    case TDashCommand::About:
        host.OpenSettings(TSettingsPage::About, QString());
        break;
    case TDashCommand::AddKeyword: {
        const TNewKeyword k = ParseAddKeyword(param);
        host.AddNewKeyWord(k.name, k.command, k.parameters);
        break;
    }
    case TDashCommand::KeywordEditor:
        host.OpenKeywordEditor();
        break;
    case TDashCommand::EditSettingsFile:
        host.CloseProgram(c.places.SettingsFile());
        break;
    case TDashCommand::ImportFile:
        host.ImportKeywordsFromFile();
        break;
    case TDashCommand::ImportStartMenu:
        host.ImportFromStartMenu();
        break;
    case TDashCommand::ImportUrl:
        if (SameText(param, QStringLiteral("start")) || SameText(param, QStringLiteral("s")) ||
            SameText(param, QStringLiteral("sm")))
            host.ImportFromStartMenu();
        else
            host.ImportKeywordsFromUrl(param);
        break;
    case TDashCommand::Export:
        host.ExportKeywords();
        break;
    case TDashCommand::Close:
        host.CloseProgram(QString());
        break;
    case TDashCommand::Version:
        host.Answer(VersionText(c.info));
        break;
    case TDashCommand::Report:
        WriteReport(c);
        break;
    case TDashCommand::DataFolder:
        host.OpenPath(c.places.dataFolder);
        break;
    case TDashCommand::ProgramFolder:
        host.OpenPath(c.places.programFolder);
        break;
    case TDashCommand::Notes:
        host.OpenNotes(param);
        break;
    case TDashCommand::Tips:
        host.OpenWebPage(TipsPageUrl());
        break;
    case TDashCommand::Help:
        host.OpenWebPage(HelpPageUrl());
        break;
    case TDashCommand::Menu:
        host.ShowMainMenuSoon();
        break;
    }
    return true;
}

} // namespace vantrelo
