// The information line of the input window: shown in place of the input while the user works elsewhere, and on focus.
#include "ui/idleinfo.h"

#include "core/settings.h"
#include "ui/widgetkit.h"

#include <QLineEdit>
#include <QWidget>

namespace vantrelo {

namespace {

constexpr int kTimeTimerMs = 1000;
constexpr int kFocusTimerMs = 2000;

} // namespace

TIdleInfo::TIdleInfo(const TSettings& settings, QLineEdit* line, std::vector<QWidget*> decorations, QObject* parent)
    : QObject(parent), settings_(settings), line_(line), decorations_(std::move(decorations)),
      remembered_(decorations_.size(), 0) {
    time_.setSingleShot(true);
    time_.setInterval(kTimeTimerMs);
    // Each tick is its own event: nothing waits or pumps events inside it.
    connect(&time_, &QTimer::timeout, this, [this] {
        if (!closing_ && up_)
            Up();
    });
    focus_.setInterval(kFocusTimerMs);
    connect(&focus_, &QTimer::timeout, this, [this] { FocusTick(); });
}

void TIdleInfo::SetClosing() {
    closing_ = true;
    time_.stop();
    focus_.stop();
}

void TIdleInfo::PutText(const QString& text, bool select) {
    shown_ = text;
    // setText is a programmatic change: it is not typing and starts no search.
    line_->setText(text);
    // The caret at the start: a text longer than the line shows its beginning.
    if (select)
        line_->setSelection(int(text.size()), -int(text.size()));
    else
        line_->setCursorPosition(0);
}

void TIdleInfo::UseInfoLook() {
    if (infoLook_)
        return;
    infoLook_ = true;
    ownPalette_ = line_->palette();
    ownFont_ = line_->font();
    QPalette p = ownPalette_;
    p.setColor(QPalette::Base, Bgr(settings_.infobgcolor));
    p.setColor(QPalette::Window, Bgr(settings_.infobgcolor));
    p.setColor(QPalette::Text, Bgr(settings_.infotextcolor));
    line_->setPalette(p);
    if (!settings_.infofontname.isEmpty()) {
        QFont f = ownFont_;
        f.setFamily(settings_.infofontname);
        f.setPointSize(settings_.infofontsize);
        line_->setFont(f);
    }
}

void TIdleInfo::UseOwnLook() {
    if (!infoLook_)
        return;
    infoLook_ = false;
    line_->setPalette(ownPalette_);
    line_->setFont(ownFont_);
}

void TIdleInfo::Up() {
    if (!build_ || closing_)
        return;
    for (size_t i = 0; i < decorations_.size(); ++i) {
        if (remembered_[i] == 0)
            remembered_[i] = decorations_[i]->isVisible() ? 2 : 1;
        decorations_[i]->hide();
    }
    if (!saved_ && !HoldsInfo(line_->text())) {
        saved_ = true;
        savedText_ = line_->text();
        savedStart_ = line_->hasSelectedText() ? int(line_->selectionStart()) : line_->cursorPosition();
        savedLength_ = int(line_->selectedText().size());
    }
    up_ = true;
    focusActive_ = false;
    focus_.stop();
    UseInfoLook();
    PutText(build_(), false);
    time_.start();
}

void TIdleInfo::Down() {
    time_.stop();
    const bool wasUp = up_;
    up_ = false;
    UseOwnLook();
    for (size_t i = 0; i < decorations_.size(); ++i) {
        if (remembered_[i] == 2)
            decorations_[i]->show();
        remembered_[i] = 0;
    }
    if (saved_) {
        // Someone else's text (a command's answer, another instance's text) is left in place.
        if (line_->text() == shown_) {
            line_->setText(savedText_);
            line_->setSelection(savedStart_, savedLength_);
        }
        saved_ = false;
    } else if (wasUp && line_->text() == shown_) {
        line_->clear();
    }
    shown_.clear();
}

void TIdleInfo::StartFocusInfo() {
    if (!build_ || closing_)
        return;
    focusActive_ = true;
    PutText(build_(), true);
    focus_.start();
}

void TIdleInfo::StopFocusInfo() {
    focusActive_ = false;
    focus_.stop();
    if (line_->text() == shown_)
        line_->clear();
    shown_.clear();
}

void TIdleInfo::UserTyped() {
    focusActive_ = false;
    focus_.stop();
    if (!up_)
        shown_.clear();
}

bool TIdleInfo::HoldsInfo(const QString& lineText) const {
    return (up_ || focusActive_) && !shown_.isEmpty() && lineText == shown_;
}

void TIdleInfo::FocusTick() {
    // The user typed or moved: the line is theirs now.
    if (line_->selectedText() != line_->text() || line_->text() != shown_) {
        focusActive_ = false;
        focus_.stop();
        return;
    }
    if (!line_->window()->isVisible() || line_->text().isEmpty()) {
        focusActive_ = false;
        focus_.stop();
        return;
    }
    PutText(build_(), true);
}

} // namespace vantrelo
