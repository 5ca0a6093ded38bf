// The "Permission required" dialog of the embedded browser.
#pragma once

#include "browser/browserhost.h"

class QWidget;

namespace vantrelo {

class TQtPermissionPrompt final : public TPermissionPrompt {
public:
    explicit TQtPermissionPrompt(QWidget* parent) : parent_(parent) {}
    int Ask(const QString& text, bool withAlways) override;

private:
    QWidget* parent_;
};

} // namespace vantrelo
