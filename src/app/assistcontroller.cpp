// The input-assist popup (Ctrl+Space) over the input line or the multi-line editor, and its choices.
#include "app/assistcontroller.h"

#include "app/appcontext.h"
#include "app/inputcontroller.h"
#include "app/programcontroller.h"
#include "app/suggestbridge.h"
#include "exec/pipeline.h"
#include "ui/autocompletepopup.h"
#include "ui/cmdform.h"
#include "ui/editpanel.h"
#include "ui/mainform.h"
#include "ui/windowlogic.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace vantrelo {

TAssistController::TAssistController(TAppContext& ctx) : ctx_(ctx) {}
TAssistController::~TAssistController() = default;

void TAssistController::Open(bool inEditor) {
    inEditor_ = inEditor;
    Build(false);
}

void TAssistController::Hide() {
    if (popup_)
        popup_->hide();
}

TAssistEdit TAssistController::Edit() const {
    TMainForm& form = *ctx_.form;
    if (inEditor_) {
        // The multi-line editor's own text and caret.
        const QTextCursor c = form.CmdForm()->MultiEdit()->textCursor();
        return TAssistEdit{form.CmdForm()->EditorText(), c.position(), int(c.selectedText().size()), false};
    }
    const TLineState line = form.Line();
    return TAssistEdit{line.text, line.caret, line.selLength, false};
}

void TAssistController::Build(bool isUpdate) {
    TMainForm* form = ctx_.form.get();
    if (ctx_.closing || !form || !form->isVisible())
        return;
    if (inEditor_ && !form->CmdForm()->EditorVisible())
        return;
    if (!ctx_.suggest->BuildAssist(Edit(), isUpdate))
        return;
    const TSettings& s = ctx_.data.settings;
    if (!popup_) {
        popup_ = std::make_unique<TAutocompletePopup>();
        popup_->FOnSelect = [this](int row, bool shift) { Chosen(row, false, shift); };
        popup_->FOnSoftSelect = [this](int row, bool shift) { Chosen(row, true, shift); };
        popup_->FOnUpdate = [this] { Build(true); };
    }
    const TAssistStyle st = AssistStyle(s.textcolor, s.textbackcolor, s.assistfontsize);
    popup_->SetBorderColor(st.borderColor);
    popup_->SetBackgroundColor(st.backgroundColor);
    popup_->SetFontColor(st.fontColor);
    popup_->SetRowColors(st.hoverColor, st.selectedColor);
    popup_->SetFontSize(st.fontSize);
    const TInputAssist& a = ctx_.suggest->Assist();
    popup_->UpdateItems(a.Rows(), a.ContextText(), a.ExtraContextText());
    if (isUpdate && popup_->isVisible())
        return;
    if (inEditor_)
        popup_->ShowAt(form->CmdForm()->MultiEdit(), qRound(25 * form->logicalDpiY() / 96.0));
    else
        popup_->ShowAt(form->WordEdit());
}

void TAssistController::Chosen(int row, bool isSoft, bool shift) {
    if (ctx_.closing || !ctx_.form)
        return;
    const TAssistChoice c = ctx_.suggest->AssistSelect(Edit(), row, isSoft);
    if (inEditor_) {
        // In the editor the choice replaces its text, and running it is the Execute button.
        TEditPanel* editor = ctx_.form->CmdForm()->Editor();
        if (c.setLine)
            editor->SetText(c.line);
        if (c.execute)
            editor->Submit();
        return;
    }
    if (c.setLine)
        ctx_.input->SetNewWord(c.line, false, true);
    if (c.execute) {
        ctx_.form->StopListTimer();
        ctx_.program->Run(TExecRequest::Typed(c.executeText, shift));
    }
}

} // namespace vantrelo
