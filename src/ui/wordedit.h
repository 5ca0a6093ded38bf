// The input line: keys go through the key map before the edit control sees them.
#pragma once

#include <QLineEdit>

#include <functional>

class QKeyEvent;

namespace vantrelo {

class TWordEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
    std::function<bool(QKeyEvent*)> onKeyDown;
    // A key the window's menu binds: the menu acts on it, not the edit control.
    std::function<bool(const QKeyEvent*)> ownsShortcut;
    // A keyword hotkey that shows the window marks this: its own keys' release is not typing.
    bool ignoreNextKeyRelease = false;
    QRect CaretRect() const { return cursorRect(); }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
};

} // namespace vantrelo
