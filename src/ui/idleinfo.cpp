// The information line of the input window: shown in place of the input while the user works elsewhere, and on focus.
#include "ui/idleinfo.h"

#include "core/settings.h"

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

void TIdleInfo::PutText(const QString& text) {
    shown_ = text;
    // setText is a programmatic change: it is not typing and starts no search.
    line_->setText(text);
    line_->selectAll();
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
    PutText(build_());
    time_.start();
}

void TIdleInfo::Down() {
    time_.stop();
    const bool wasUp = up_;
    up_ = false;
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
    PutText(build_());
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
    PutText(build_());
}

} // namespace vantrelo
