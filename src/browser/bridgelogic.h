// The embedded browser's rules without the engine: scripts sent to pages, requests from them,
// permission levels, origins, click lists and the user agent.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <optional>

namespace vantrelo {

// A JavaScript literal for any text: JSON string encoding, with U+2028/U+2029 escaped too.
QString ScriptLiteral(const QString& value);

struct TPageStart {
    QString input;   // the input line when the page was opened
    QString color;   // "#rrggbb"
    QString bgcolor; // "#rrggbb"
};

// Sent after each completed navigation of a connected page.
QString StartScript(const TPageStart& start);
// Sent as the user types.
QString InputScript(const QString& input);
QString SuccessReply(const QString& id);
QString ErrorReply(const QString& id, const QString& code, const QString& message);

inline constexpr char kForbidden[] = "Forbidden, not allowed by user.";
inline constexpr char kNoMethod[] = "Method not found";

struct TBridgeRequest {
    QString method;
    QString id; // "missing" when the page sent none; a number becomes its text
    QJsonObject params;
};

// A request posted by a page; nothing for text that is not a JSON object with a text method.
std::optional<TBridgeRequest> ParseRequest(const QString& message);
// The level a method needs; 0 for a method that does not exist.
int MethodLevel(const QString& method);

// A stored permission level read back: out of 0..4 counts as 0 (ask every time).
int ClampPermission(int level);

enum class TPermit { Allow, Ask, AskUnknown };
// The decision before any dialog: `global` is `permissionlevel`, `granted` the keyword's level
// (nothing when the page has no keyword, or its keyword is gone).
TPermit DecidePermission(int global, std::optional<int> granted, int level);
// The dialog's question for a keyword (empty name: an unknown source).
QString PermissionQuestion(const QString& keyword, int level);
// What open_url and input_run show below the question: the whole text, never shortened, with
// control and direction characters written out ("\n", "<U+202E>") so nothing in it is hidden.
QString PromptDetail(const QString& text);

// The origin a grant is given for and checked against: "scheme://host[:port]", "file://" for any
// local file (local pages share one origin), empty for pages that have none.
QString GrantOrigin(const QUrl& page);
// The origin a grant stored without one (files written before grants named their origin) stands
// for: that of the keyword's own address when the user's parameters cannot change it; empty when
// they can (such a grant then applies nowhere and the user is asked again).
QString FixedCommandOrigin(const QString& command);
// A keyword's stored grant as it applies to a page of `origin`: the stored level when the grant
// was given for that origin, else -1 (none granted).
int GrantedLevel(int stored, const QString& storedOrigin, const QString& command, const QString& origin);

// The page at `current` may talk to the program opened at `opened`: same scheme, host and port;
// "file:" only when the opened page was a file too.
bool SameOrigin(const QUrl& opened, const QUrl& current);
// "scheme://host[:port]" of a location, empty when it has none.
QString OriginOf(const QUrl& location);
// An address the program hands to the external browser from a page (http, https, mailto).
bool ExternalUrlAllowed(const QUrl& url);

// The script of a "$BCLICK$" list of clicks ("500;#login", "?#a;#b"); empty when it has no selector.
QString ClickScript(const QString& clicks);

// The user agent: `ua` when set, else the engine's default with " Vantrelo/2.0" when `mark`.
QString UserAgentFor(const QString& ua, bool mark, const QString& engineDefault);

// What decides whether the start page shows itself when the input window is shown.
struct TStartPageCheck {
    bool forced = false;          // "$STARTPAGE$" or F1
    bool autoshow = false;        // `startautoshow`
    bool listCustomShown = false; // the list window is visible with its text panel, editor or page
    QString line;                 // the input line's text
    bool lineAllSelected = false;
    bool lineIsInfo = false;      // the line shows the idle information
};
bool StartPageMayShow(const TStartPageCheck& c);
// A start page named by a keyword must open a page: its command a web address or a browser
// command ("$B..."), and one command only (no `separator`).
bool StartPageKeywordOpensAPage(const QString& command, const QString& separator);

// The parameters of an input line: the text after its first word, trimmed.
QString ParametersOf(const QString& line);
// The script that puts `text` into the page's focused field, as typing would.
QString InsertTextScript(const QString& text);

// F2 with no page: the toast's text.
QString NoPageToast(bool autoEnd);

// Removes the browser's data folder; the answer says whether it went or what was left in it.
QString RemoveBrowserFolder(const QString& folder);

} // namespace vantrelo
