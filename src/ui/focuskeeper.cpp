// Where the keyboard goes as the windows come and go: the editor given back, dialogs kept in front.
#include "ui/focuskeeper.h"

#include "ui/cmdform.h"
#include "ui/editpanel.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
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

TActivatedWindow TFocusKeeper::FocusedWindow() {
    const QWindow* focus = QGuiApplication::focusWindow();
    if (!focus)
        return TActivatedWindow::Other;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowHandle() != focus)
            continue;
        if (w->objectName() == QLatin1String("NotesForm"))
            return TActivatedWindow::Notes;
        if (w->objectName() == QLatin1String("TBrowserForm"))
            return TActivatedWindow::Browser;
    }
    return TActivatedWindow::Other;
}

TFocusAtLoss TFocusKeeper::AtLoss() const {
    TFocusAtLoss f;
    f.settingsOpen = SettingsDialog() != nullptr;
    f.listActive = list_->isVisible() && lastActive_ && lastActive_ == list_->windowHandle();
    // The window keeps its own focus child while another program has the keyboard.
    const QWidget* inList = list_->focusWidget();
    f.editorFocused = list_->EditorVisible() && inList && list_->Editor()->isAncestorOf(inList);
    QWidget* page = list_->BrowserPanel();
    f.browserFocused = page->isVisible() && inList && page->isAncestorOf(inList);
    return f;
}

bool TFocusKeeper::GiveBack(TRefocus target) {
    if (target == TRefocus::Browser)
        return GiveBackToPage();
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

bool TFocusKeeper::GiveBackToPage() {
    // The list window still names the page's widget that had the keys; a page ended since is not there.
    QWidget* page = list_->BrowserPanel();
    QPointer<QWidget> had = list_->focusWidget();
    if (!list_->isVisible() || !page->isVisible() || !had || !page->isAncestorOf(had))
        return false;
    const auto give = [this, had] {
        if (!had || !list_->isVisible())
            return;
        list_->raise();
        list_->activateWindow();
        had->setFocus(Qt::ActiveWindowFocusReason);
    };
    give();
    // The input window's own activation may still be on its way from the window manager; when it
    // lands, the page takes the keys back once more. A show that never activates it ends the wait.
    if (QGuiApplication::focusWindow() == input_->windowHandle())
        return true;
    auto* wait = new QObject(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, wait, [this, wait, give](QWindow* w) {
        if (w != input_->windowHandle())
            return;
        give();
        wait->deleteLater();
    });
    QTimer::singleShot(2000, wait, &QObject::deleteLater);
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
