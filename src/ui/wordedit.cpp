// The input line: keys go through the key map before the edit control sees them.
#include "ui/wordedit.h"

#include <QKeyEvent>

namespace vantrelo {

bool TWordEdit::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && ownsShortcut && ownsShortcut(static_cast<QKeyEvent*>(e))) {
        e->ignore();
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        // A key pressed here owns its own release: the hotkey's release, which X may have kept
        // for its grab, is no longer awaited.
        if (!k->isAutoRepeat())
            ignoreNextKeyRelease = false;
        // Tab would move the focus away; it belongs to the key map.
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && onKeyDown && onKeyDown(k))
            return true;
    }
    return QLineEdit::event(e);
}

void TWordEdit::keyPressEvent(QKeyEvent* e) {
    if (onKeyDown && onKeyDown(e)) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TWordEdit::keyReleaseEvent(QKeyEvent* e) {
    if (ignoreNextKeyRelease && !e->isAutoRepeat()) {
        ignoreNextKeyRelease = false;
        e->accept();
        return;
    }
    QLineEdit::keyReleaseEvent(e);
}

} // namespace vantrelo
