// The "Permission required" dialog of the embedded browser.
#pragma once

#include "browser/browserhost.h"

class QWidget;

namespace vantrelo {

// The question, then the whole request in a scrolling read-only field, so what is allowed is
// exactly what is shown; "Don't allow" is the default and Escape.
class TQtPermissionPrompt final : public TPermissionPrompt {
public:
    explicit TQtPermissionPrompt(QWidget* parent) : parent_(parent) {}
    TPromptAnswer Ask(const TPermissionAsk& ask) override;

private:
    QWidget* parent_;
};

} // namespace vantrelo
