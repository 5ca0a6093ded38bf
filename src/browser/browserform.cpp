// TBrowserForm: a separate window of the program holding its own page.
#include "browser/browserform.h"

#include <QKeySequence>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace vantrelo {

TBrowserForm::TBrowserForm(QWebEngineProfile* profile, TActions actions, bool focusBrowser)
    : view_(new QWebEngineView(this)), actions_(std::move(actions)), focusBrowser_(focusBrowser) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("TBrowserForm"));
    resize(800, 600);
    auto* page = new QWebEnginePage(profile, view_);
    view_->setPage(page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    connect(view_, &QWebEngineView::urlChanged, this, [this](const QUrl& u) { setWindowTitle(u.toString()); });
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool) {
        if (focusBrowser_) {
            focusBrowser_ = false;
            view_->setFocus();
        }
    });
    connect(page, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest& r) {
        if (!actions_.popup)
            return;
        auto* form = new TBrowserForm(view_->page()->profile(), actions_, true);
        r.openIn(form->Page());
        form->show();
    });
    AddKeys();
}

QWebEnginePage* TBrowserForm::Page() const { return view_->page(); }

void TBrowserForm::SetFull(bool full) {
    full_ = full;
    setWindowFlag(Qt::FramelessWindowHint, full);
    if (full)
        showMaximized();
    else
        showNormal();
}

void TBrowserForm::AddKeys() {
    const auto key = [this](QKeySequence seq, std::function<void()> f) {
        auto* s = new QShortcut(seq, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, std::move(f));
    };
    key(QKeySequence(Qt::SHIFT | Qt::Key_F2), [this] { close(); });
    const auto toPanel = [this](bool keep) {
        if (actions_.toPanel)
            actions_.toPanel(view_->url());
        if (!keep)
            close();
    };
    key(QKeySequence(Qt::Key_F6), [toPanel] { toPanel(false); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_F6), [toPanel] { toPanel(true); });
    key(QKeySequence(Qt::Key_F8), [this] {
        if (actions_.toInput)
            actions_.toInput(view_->url());
    });
    key(QKeySequence(Qt::SHIFT | Qt::Key_F8), [this] {
        if (actions_.toExternal)
            actions_.toExternal(view_->url());
        close();
    });
    key(QKeySequence(Qt::Key_Escape), [this] {
        if (full_)
            SetFull(false);
        else
            close();
    });
    key(QKeySequence(Qt::SHIFT | Qt::Key_Escape), [this] { close(); });
    key(QKeySequence(Qt::Key_F11), [this] { SetFull(!full_); });
}

} // namespace vantrelo
