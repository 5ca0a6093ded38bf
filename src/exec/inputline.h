// The input line's completion state and the operations that put text into the line or clear it.
#pragma once

#include <QString>

#include <memory>

namespace vantrelo {

struct TSettings;
class TKeywordList;
class TItem;

// Requests from the input line to the suggestion list and the completion machinery.
enum class TInputRequest : int {
    NextCompletion = 0,
    PreviousCompletion = 1,
    ShowAll = 2,
    ShowForInput = 3,
    RefreshSilently = 4,
    ToggleReverse = 5,
    ListFolder = 6,
    TakeItemPath = 7,
};

// The caller name that marks a refresh coming from the after-command step.
inline constexpr char16_t kAfterCommandSender[] = u"aftercommand";

// State that binds the text of the line to a suggestion; one per input window.
struct TInputState {
    std::unique_ptr<TItem> CurrentItem;
    QString CompletedText;      // trimmed text the last completion or list choice produced
    QString LastCompletedInput; // whole line right after the last completion or recognised change
    QString LastSetText;        // text most recently put in by SetInputText
    qint32 CompletionCycle = 0; // 0 = start of the candidate cycle
    bool KeyHandled = false;
    bool ListRefreshPending = false;
    bool InfoTextShown = false;
    bool TypedSinceShow = false;
};

// What the input window does for the line's operations; the window implements it, tests record it.
class TInputView {
public:
    virtual ~TInputView() = default;
    virtual void SetEditText(const QString& text) = 0; // fires the edit's change handling
    virtual bool EditTextIsEmpty() const = 0;
    virtual void SetTextColor(int colour) = 0;         // 0x00BBGGRR
    virtual void SelectAll() = 0;
    virtual void CaretToEnd() = 0;
    virtual void InvalidateFolderCache() = 0;
    virtual void RefreshSkinIconAndTitle() = 0;
    virtual void ClearSuggestions() = 0;
    virtual void UpdateInputIcon() = 0;
    virtual void ProcessInput(TInputRequest request, const QString& sender) = 0;
};

// The line operations over the state; holds no widget.
class TInputLine {
public:
    TInputLine(const TSettings& settings, TInputView& view) : settings_(settings), view_(view) {}

    TInputState& State() { return state_; }
    const TInputState& State() const { return state_; }

    void SetInputText(const QString& text);
    // Replaces the line, forgets the completion, and refreshes the list unless `ignoredrop`.
    void SetNewWord(const QString& text, bool selectall, bool ignoredrop);
    // Forgets the completion (and clears the line when `cleartext`).
    void ResetCurrentSearch(bool cleartext);
    // The list behaves like a drop-down and there is nothing typed to list for.
    bool CheckListAuto() const;

private:
    void ForgetCompletion();
    void RefreshListIfAutomatic();

    const TSettings& settings_;
    TInputView& view_;
    TInputState state_;
};

// What to append after a completed keyword: a single space when the keyword takes parameters.
QString GetExtraExt(const QString& completed, const TSettings& settings, const TKeywordList& keywords);

} // namespace vantrelo
