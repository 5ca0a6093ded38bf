// The input-assist popup: painted rows and footer, keys read from the edit it belongs to.
#include "ui/autocompletepopup.h"

#include "ui/skin/skinlayout.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace vantrelo {

namespace {

QColor FromBgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

constexpr int kTextIndent = 4;

} // namespace

TAutocompletePopup::TAutocompletePopup(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
    // The edit keeps the keyboard: typing goes on into the line while the popup is open.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    SetBorderColor(0x808080);
    SetBackgroundColor(0xFFFFFF);
    SetFontColor(0);
    SetRowColors(0xE0E0E0, 0xC0C0C0);
}

TAutocompletePopup::~TAutocompletePopup() {
    if (FShowAtControl)
        FShowAtControl->removeEventFilter(this);
}

void TAutocompletePopup::SetBorderColor(int bgr) { FBorderColor = FromBgr(bgr); update(); }
void TAutocompletePopup::SetBackgroundColor(int bgr) { FBackgroundColor = FromBgr(bgr); update(); }
void TAutocompletePopup::SetFontColor(int bgr) { FFontColor = FromBgr(bgr); update(); }

void TAutocompletePopup::SetRowColors(int hoverBgr, int selectedBgr) {
    hoverColor_ = FromBgr(hoverBgr);
    selectedColor_ = FromBgr(selectedBgr);
    update();
}

void TAutocompletePopup::SetFontSize(int points) {
    QFont f = font();
    f.setPointSize(std::max(1, points));
    setFont(f);
    Relayout();
}

int TAutocompletePopup::Scaled(int px96) const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return ScaleDpi(px96, s ? int(s->logicalDotsPerInch()) : 96);
}

void TAutocompletePopup::ShowAt(QWidget* control, int y) {
    if (FShowAtControl != control) {
        if (FShowAtControl)
            FShowAtControl->removeEventFilter(this);
        FShowAtControl = control;
        if (control)
            control->installEventFilter(this);
    }
    FShowAtY = y;
    Relayout();
    Place();
    show();
}

void TAutocompletePopup::UpdateItems(const QStringList& rows, const QString& contextText,
                                     const QString& extraContextText) {
    rows_ = rows;
    selected_ = -1;
    FHoverIndex = -1;
    FContextText = contextText;
    FExtraContextText = extraContextText;
    Relayout();
    if (isVisible())
        Place();
    update();
}

void TAutocompletePopup::HidePopup() {
    if (FShowAtControl)
        FShowAtControl->removeEventFilter(this);
    FShowAtControl = nullptr;
    hide();
}

void TAutocompletePopup::Relayout() {
    const QFontMetrics fm(font());
    int textHeight = fm.height();
    int widest = 0;
    for (const QString& r : rows_)
        widest = std::max(widest, fm.horizontalAdvance(r));
    for (const QString* f : {&FContextText, &FExtraContextText})
        widest = std::max(widest, fm.horizontalAdvance(*f));
    textHeight = std::max(textHeight, fm.boundingRect(QStringLiteral("0aGAgW$")).height());
    rowHeight_ = textHeight + Scaled(3);
    const int width = std::clamp(widest + Scaled(22), Scaled(120), Scaled(700));
    const int footer = FExtraContextText.isEmpty() ? fm.height() : 2 * fm.height();
    // Rows beyond the height limit are cut: the list has no scroll bar.
    const int extra = FExtraContextText.isEmpty() ? 0 : fm.height();
    const int height = std::min(int(rows_.size()) * rowHeight_ + footer + Scaled(4), Scaled(400) + extra);
    resize(width, height);
}

void TAutocompletePopup::Place() {
    if (!FShowAtControl)
        return;
    const int y = FShowAtY < 0 ? FShowAtControl->height() : Scaled(FShowAtY);
    move(FShowAtControl->mapToGlobal(QPoint(0, y)));
}

void TAutocompletePopup::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), FBackgroundColor);
    const QFontMetrics fm(font());
    const int footer = FExtraContextText.isEmpty() ? fm.height() : 2 * fm.height();
    const int footerTop = height() - footer - Scaled(2);
    p.setPen(FFontColor);
    for (int i = 0; i < rows_.size(); ++i) {
        const QRect r(1, 1 + i * rowHeight_, width() - 2, rowHeight_);
        if (r.bottom() > footerTop)
            break;
        if (i == selected_)
            p.fillRect(r, selectedColor_);
        else if (i == FHoverIndex)
            p.fillRect(r, hoverColor_);
        p.drawText(r.adjusted(Scaled(kTextIndent), 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, rows_[i]);
    }
    p.setPen(FBorderColor);
    p.drawLine(1, footerTop, width() - 2, footerTop);
    p.setPen(FFontColor);
    QRect line(Scaled(kTextIndent), footerTop + 1, width() - Scaled(kTextIndent) - 1, fm.height());
    if (!FExtraContextText.isEmpty()) {
        p.drawText(line, Qt::AlignVCenter | Qt::AlignLeft, FExtraContextText);
        line.translate(0, fm.height());
    }
    p.drawText(line, Qt::AlignVCenter | Qt::AlignLeft, FContextText);
    p.setPen(FBorderColor);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

int TAutocompletePopup::RowAt(QPoint pos) const {
    if (rowHeight_ <= 0 || pos.y() < 1)
        return -1;
    const int row = (pos.y() - 1) / rowHeight_;
    const int footer = QFontMetrics(font()).height() * (FExtraContextText.isEmpty() ? 1 : 2);
    if (row >= rows_.size() || 1 + (row + 1) * rowHeight_ > height() - footer - Scaled(2))
        return -1;
    return row;
}

void TAutocompletePopup::mouseMoveEvent(QMouseEvent* e) {
    const int row = RowAt(e->position().toPoint());
    if (row != FHoverIndex) {
        FHoverIndex = row;
        update();
    }
}

void TAutocompletePopup::leaveEvent(QEvent*) {
    FHoverIndex = -1;
    update();
}

void TAutocompletePopup::mousePressEvent(QMouseEvent* e) {
    const int row = RowAt(e->position().toPoint());
    if (e->button() != Qt::LeftButton || row < 0)
        return;
    selected_ = row;
    const bool shift = e->modifiers().testFlag(Qt::ShiftModifier);
    HidePopup();
    if (FOnSelect)
        FOnSelect(row, shift);
}

bool TAutocompletePopup::event(QEvent* e) {
    // A desktop that activates the popup anyway: the line gets the keyboard back.
    if (e->type() == QEvent::WindowActivate && FShowAtControl) {
        FShowAtControl->window()->activateWindow();
        FShowAtControl->setFocus(Qt::ActiveWindowFocusReason);
    }
    return QWidget::event(e);
}

bool TAutocompletePopup::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FShowAtControl || !isVisible())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        // Only the popup itself taking the activation (it hands it back) keeps it open.
        if (QApplication::activeWindow() != this)
            HidePopup();
    } else if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        // Shortcuts must not take the popup's keys away from it.
        if (event->type() == QEvent::ShortcutOverride) {
            const int key = k->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Return ||
                key == Qt::Key_Enter) {
                event->accept();
                return true;
            }
            return false;
        }
        return PopupKey(k);
    }
    return QWidget::eventFilter(watched, event);
}

bool TAutocompletePopup::PopupKey(QKeyEvent* e) {
    const int key = e->key();
    const bool ctrl = e->modifiers().testFlag(Qt::ControlModifier);
    const bool shift = e->modifiers().testFlag(Qt::ShiftModifier);
    const int last = int(rows_.size()) - 1;
    switch (key) {
    case Qt::Key_Down:
    case Qt::Key_Up: {
        if (last < 0)
            return true;
        const int row = key == Qt::Key_Down ? std::min(selected_ + 1, last) : std::max(selected_ - 1, 0);
        selected_ = selected_ < 0 && key == Qt::Key_Up ? last : row;
        update();
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const int row = selected_;
        HidePopup();
        if (FOnSelect)
            FOnSelect(row, shift);
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int row = selected_;
        HidePopup();
        if (row < 0)
            return false; // without a row the caret moves as usual
        if (FOnSoftSelect)
            FOnSoftSelect(row, shift);
        return true;
    }
    case Qt::Key_Escape:
        HidePopup();
        return true;
    case Qt::Key_Backspace:
        if (selected_ >= 0) {
            // The first Backspace leaves the rows; the next one edits the line again.
            selected_ = -1;
            update();
            return true;
        }
        HidePopup();
        return false;
    case Qt::Key_Space:
        if (ctrl) {
            // The rows are built again a moment later, on this thread, once the key is done.
            QTimer::singleShot(25, this, [this] {
                if (isVisible() && FOnUpdate)
                    FOnUpdate();
            });
            return true;
        }
        break;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return false;
    default:
        break;
    }
    // Anything else belongs to the line: the popup steps aside.
    HidePopup();
    return false;
}

} // namespace vantrelo
