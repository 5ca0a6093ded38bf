// Where the keyboard goes as the windows come and go: the editor given back, dialogs kept in front.
#include "ui/focuskeeper.h"

#include "ui/cmdform.h"
#include "ui/editpanel.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QWindow>

namespace vantrelo {

TFocusKeeper::TFocusKeeper(QWidget* input, TCmdForm* list, QObject* parent)
    : QObject(parent), input_(input), list_(list) {
    // The focus window is null once another program is active; the last one that was not is
    // the window the user left.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* w) {
        if (w)
            lastActive_ = w;
    });
}

QWidget* TFocusKeeper::SettingsDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == QLatin1String("SetupForm"))
            return w;
    return nullptr;
}

TFocusAtLoss TFocusKeeper::AtLoss() const {
    TFocusAtLoss f;
    f.settingsOpen = SettingsDialog() != nullptr;
    f.listActive = list_->isVisible() && lastActive_ && lastActive_ == list_->windowHandle();
    // The window keeps its own focus child while another program has the keyboard.
    const QWidget* inList = list_->focusWidget();
    f.editorFocused = list_->EditorVisible() && inList && list_->Editor()->isAncestorOf(inList);
    return f;
}

bool TFocusKeeper::GiveBack(TRefocus target) {
    if (target != TRefocus::Editor || !list_->isVisible() || !list_->EditorOnTop())
        return false;
    QPlainTextEdit* edit = list_->MultiEdit();
    if (!edit->isEnabled() || edit->focusPolicy() == Qt::NoFocus)
        return false;
    list_->raise();
    list_->activateWindow();
    edit->setFocus(Qt::ActiveWindowFocusReason);
    return true;
}

void TFocusKeeper::KeepDialogsInFront() {
    if (QWidget* settings = SettingsDialog()) {
        settings->raise();
        settings->activateWindow();
    }
    // The modal widget on top is the one waiting for an answer (a question over the settings
    // dialog, a file dialog); non-modal windows such as a notice never take the keys typed
    // into the window just summoned.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != input_ && modal != list_ && modal->isVisible()) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace vantrelo
