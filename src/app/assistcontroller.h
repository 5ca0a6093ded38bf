// The input-assist popup (Ctrl+Space) over the input line or the multi-line editor, and its choices.
#pragma once

#include <memory>

namespace vantrelo {

struct TAppContext;
struct TAssistEdit;
class TAutocompletePopup;

class TAssistController {
public:
    explicit TAssistController(TAppContext& ctx);
    ~TAssistController();

    // Opens the popup over the line or, with `inEditor`, over the multi-line editor.
    void Open(bool inEditor);
    void Hide();

private:
    void Build(bool isUpdate);
    // What the popup works on: the input line, or the multi-line editor after its Ctrl+Space.
    TAssistEdit Edit() const;
    void Chosen(int row, bool isSoft, bool shift);

    TAppContext& ctx_;
    std::unique_ptr<TAutocompletePopup> popup_;
    bool inEditor_ = false;
};

} // namespace vantrelo
