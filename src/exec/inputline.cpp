// Completion state and line operations of the input window.
#include "exec/inputline.h"

#include "core/keywordlist.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/inputtext.h"

namespace vantrelo {

void TInputLine::SetInputText(const QString& text) {
    state_.LastSetText = text;
    view_.SetEditText(text);
}

void TInputLine::ForgetCompletion() {
    state_.CompletedText.clear();
    state_.LastCompletedInput.clear();
    state_.CompletionCycle = 0;
    view_.InvalidateFolderCache();
    view_.RefreshSkinIconAndTitle();
    view_.ClearSuggestions();
}

void TInputLine::RefreshListIfAutomatic() {
    if (!settings_.autodropdown)
        return;
    view_.ProcessInput(TInputRequest::RefreshSilently, QString());
    state_.ListRefreshPending = false;
}

void TInputLine::SetNewWord(const QString& text, bool selectall, bool ignoredrop) {
    view_.SetTextColor(settings_.textcolor);
    SetInputText(text);
    ForgetCompletion();
    view_.UpdateInputIcon();
    if (selectall)
        view_.SelectAll();
    else
        view_.CaretToEnd();
    if (!ignoredrop)
        RefreshListIfAutomatic();
}

void TInputLine::ResetCurrentSearch(bool cleartext) {
    view_.SetTextColor(settings_.textcolor);
    if (cleartext)
        SetInputText(QString());
    ForgetCompletion();
    RefreshListIfAutomatic();
}

bool TInputLine::CheckListAuto() const {
    return settings_.listbehaveslikedropdown && (view_.EditTextIsEmpty() || state_.InfoTextShown);
}

QString GetExtraExt(const QString& completed, const TSettings& settings, const TKeywordList& keywords) {
    if (settings.notrailingspace)
        return QString();
    if (settings.smartparam) {
        if (!TrimText(ParamText(completed)).isEmpty())
            return QString();
        const TExeWord* word = keywords.FindKeyword(FirstWord(completed), true);
        if (!word || !word->UsesParameters())
            return QString();
    }
    return QStringLiteral(" ");
}

} // namespace vantrelo
