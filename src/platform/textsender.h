// Puts text into the foreground window: typed key by key or pasted through the clipboard.
#pragma once

#include <QString>

namespace vantrelo {

class TTextSender {
public:
    virtual ~TTextSender() = default;
    // Types `text` into the foreground window; line breaks are CR LF. Empty when it was typed,
    // else what kept it from the window, in the user's words.
    virtual QString TypeText(const QString& text) = 0;
    // Pastes `text` into the foreground window, then presses Enter when `enter`; as TypeText.
    virtual QString PasteText(const QString& text, bool enter) = 0;
};

} // namespace vantrelo
