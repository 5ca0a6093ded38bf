// Puts text into the foreground window: typed key by key or pasted through the clipboard.
#pragma once

#include <QString>

namespace vantrelo {

class TTextSender {
public:
    virtual ~TTextSender() = default;
    // Types `text` into the foreground window; line breaks are CR LF.
    virtual void TypeText(const QString& text) = 0;
    // Pastes `text` into the foreground window, then presses Enter when `enter`.
    virtual void PasteText(const QString& text, bool enter) = 0;
};

} // namespace vantrelo
