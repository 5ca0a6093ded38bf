// Dash commands typed into the input line ("-s", "-k", "-report"...) and their help lines.
#pragma once

#include <QString>

#include <optional>

namespace vantrelo {

class TClock;
struct TPlaces;
struct TSettings;
struct TReportFacts;

enum class TDashCommand {
    Skin, Settings, About, AddKeyword, KeywordEditor, EditSettingsFile, ImportFile, ImportStartMenu, ImportUrl,
    Export, Close, Version, Report, DataFolder, ProgramFolder, Notes, Tips, Help, Menu,
};

struct TDashMatch {
    TDashCommand command;
    QString word;      // the option name as typed, lower case, without "-"
    QString parameter; // the text after the first word, trimmed, in the case it was typed
};

// The first word must equal an option name or alias exactly (without regard to case), so
// "-exefolder" is not "-x" and "-sqrt16" is no option at all (the calculator gets it).
std::optional<TDashMatch> MatchDashCommand(const QString& input);

// The list's description for an entry whose text begins with "-": the help line of the option
// named by the text up to its first blank; nothing when it names no option.
std::optional<QString> DashHelpLine(const QString& entryText);

// "-a" keyword command [" p:" parameters]: the words keep their case.
struct TNewKeyword {
    QString name;
    QString command;
    QString parameters;
};
TNewKeyword ParseAddKeyword(const QString& parameter);

enum class TSettingsPage { General, Skin, About };

// What the dash commands ask of the input window and the rest of the program.
class TDashHost {
public:
    virtual ~TDashHost() = default;
    // Flips "onewindow", shows the input window when the program is not active, re-applies the
    // look and writes the settings.
    virtual void ToggleOneWindow() = 0;
    virtual void OpenSettings(TSettingsPage page, const QString& skin) = 0;
    virtual void SelectInput() = 0;
    virtual void AddNewKeyWord(const QString& name, const QString& command, const QString& parameters) = 0;
    virtual void OpenKeywordEditor() = 0;
    // Closes the program; `thenOpen` (when not empty) is opened as the last step of closing.
    virtual void CloseProgram(const QString& thenOpen) = 0;
    virtual void ImportKeywordsFromFile() = 0;
    virtual void ImportFromStartMenu() = 0;
    virtual void ImportKeywordsFromUrl(const QString& url) = 0;
    virtual void ExportKeywords() = 0;
    virtual void Answer(const QString& text) = 0;
    // Opens a file or folder through the launcher.
    virtual void OpenPath(const QString& path) = 0;
    virtual void OpenNotes(const QString& text) = 0;
    virtual void OpenWebPage(const QString& url) = 0;
    // Shows the main pop-up menu at the input line's top-left corner 25 ms later, from a queued call.
    virtual void ShowMainMenuSoon() = 0;
    virtual void ShowMessage(const QString& caption, const QString& text) = 0;
    // Facts about the program and the screen for the diagnostic report.
    virtual TReportFacts ReportFacts() const = 0;
};

struct TProgramInfo {
    QString version;   // four numbers joined by "."
    QString buildDate;
    QString executable;
};
// The version and build date this program was built with.
TProgramInfo BuiltProgramInfo(const QString& executable);
// "-v": version, " hdpi", " Build date: " and the date.
QString VersionText(const TProgramInfo& info);

// The dash commands with their aliases and help lines, one command a line, for "--help".
QString DashCommandsText();

QString TipsPageUrl();
QString HelpPageUrl();

struct TDashContext {
    const TPlaces& places;
    const TSettings& settings;
    const TProgramInfo& info;
    const TClock& clock;
    TDashHost& host;
};

// Carries out a dash command; false when the input is none (the pipeline then goes on with it).
bool RunDashCommand(const QString& input, const TDashContext& context);

} // namespace vantrelo
