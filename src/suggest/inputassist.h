// The input-assist popup's content: modes, type filters, keyword rows, footer, and what choosing a
// row does. The popup window only draws this model and forwards its keys.
#pragma once

#include "core/items.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vantrelo {

struct TSuggestSources;

// The edit the popup belongs to (the input line or the multi-line editor), as it is now.
struct TAssistEdit {
    QString text;
    int caret = 0;
    int selLength = 0;
    bool infoText = false; // the input line shows the information text, not typed input
};

// What the popup rows list, in the order Ctrl+Space steps through them.
enum class TAssistMode : int {
    HistoryKeywords = 0,
    NameMatch = 1,
    SameTag = 2,
    HistoryUrls = 3,
    HistoryPaths = 4,
    HistoryIndexed = 5,
    HistoryKeywordsWithParameters = 6,
    Type = 7,
};

// Colours as 0x00BBGGRR and the font size of the popup.
struct TAssistStyle {
    int borderColor = 0;
    int backgroundColor = 0;
    int fontColor = 0;
    int hoverColor = 0;    // the row under the mouse
    int selectedColor = 0; // the selected row
    int fontSize = 10;
};

// Raises each channel of a dark colour (none above 180) by n x 100 / 255, lowers a light one.
int ShadeColour(int colour, int n);
TAssistStyle AssistStyle(int textcolor, int textbackcolor, int assistfontsize);

enum class TAssistKey { Enter, LeftRight };

// What the edit does with a chosen row: `setLine` puts `line` in (caret at the end, nothing
// selected, no list refresh); `execute` runs `executeText` (the line, or for a web-search type
// choice the chosen keyword with the address) with the Shift key state.
struct TAssistChoice {
    bool setLine = false;
    QString line;
    bool execute = false;
    QString executeText;
};

class TInputAssist {
public:
    // Ctrl+Space: `isUpdate` false when opening, true when pressed again in the popup. False (and
    // nothing changes) while incognito suppresses the popup.
    bool BuildSpacePopup(const TSuggestSources& src, const TAssistEdit& edit, bool isUpdate);
    // Enter (`isSoft` false) or Left/Right (true) on the row `row`; -1 is no selected row.
    TAssistChoice InputAssistSelect(const TSuggestSources& src, const TAssistEdit& edit, int row, bool isSoft) const;

    TAssistMode Mode() const { return mode_; }
    const QStringList& Filters() const { return filters_; }
    const QStringList& Rows() const { return rows_; }
    QString ContextText() const { return context_; }           // "> " + what the rows are
    QString ExtraContextText() const { return extraContext_; } // empty, or a line above it
    // The keyword whose command is a web address, when one is active.
    const std::optional<TExeWord>& WebSearchKeyword() const { return web_; }

private:
    void ApplyTypeFilters(const TSuggestSources& src, const QString& text, bool again, bool wasMode6);
    void TypeSearch(const TSuggestSources& src);
    void SameTagSearch(const TSuggestSources& src, const TExeWord& w);
    void NameSearch(const TSuggestSources& src, const QString& k, const TExeWord* w, bool param);
    // Keyword first words of the history; returns whether `w`'s own name came up.
    bool HistoryKeywords(const TSuggestSources& src, const TExeWord* w, bool param);
    void HistoryTexts(const TSuggestSources& src, TAssistMode mode);
    void OrderByRecentUse(const TSuggestSources& src, qsizetype from);
    void Add(const QString& name);

    TAssistMode mode_ = TAssistMode::HistoryKeywords;
    QStringList filters_;
    std::optional<TExeWord> web_;
    QStringList rows_;
    QStringList typeTags_;
    QString context_;
    QString extraContext_;
};

} // namespace vantrelo
