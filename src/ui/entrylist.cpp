// The list window's rows: drawn by their owner's rules, scrolled, clicked and asked for their menu.
#include "ui/cmdform.h"
#include "ui/widgetkit.h"

#include "core/settings.h"
#include "ui/windowlogic.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

namespace vantrelo {

TEntryList::TEntryList(const TSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings), layout_(DefaultSkinLayout(settings)) {
    setObjectName(QStringLiteral("EntryList"));
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    // Without `listnoscrollbar` a scroll bar stands at the right edge while rows lie out of sight.
    if (!settings_.listnoscrollbar) {
        bar_ = new QScrollBar(Qt::Vertical, this);
        bar_->setObjectName(QStringLiteral("ListScrollBar"));
        bar_->setFocusPolicy(Qt::NoFocus);
        bar_->hide();
        connect(bar_, &QScrollBar::valueChanged, this, [this](int top) {
            top_ = top;
            update();
        });
    }
    SetRows({});
}

void TEntryList::SyncScrollBar() {
    if (!bar_)
        return;
    const int hidden = Count() - VisibleRows();
    const int w = bar_->sizeHint().width();
    bar_->setGeometry(width() - w, 0, w, height());
    const QSignalBlocker quiet(bar_);
    bar_->setRange(0, std::max(0, hidden));
    bar_->setPageStep(VisibleRows());
    bar_->setValue(top_);
    bar_->setVisible(hidden > 0);
}

int TEntryList::RowsWidth() const { return bar_ && !bar_->isHidden() ? width() - bar_->width() : width(); }

void TEntryList::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    SyncScrollBar();
}

void TEntryList::SetRows(std::vector<TListRow> rows) {
    // The list always holds one row; an empty result is one empty placeholder.
    if (rows.empty())
        rows.push_back(TListRow{});
    rows_ = std::move(rows);
    std::vector<QString> texts;
    texts.reserve(rows_.size());
    for (const TListRow& r : rows_)
        texts.push_back(r.text);
    numbers_ = RowNumbers(texts);
    if (rows_.size() == 1 && rows_.front().text.isEmpty())
        numbers_.front().clear();
    icons_.assign(rows_.size(), QIcon());
    iconDone_.assign(rows_.size(), false);
    selected_ = -1;
    top_ = 0;
    SyncScrollBar();
    update();
}

void TEntryList::SetSelected(int row) {
    selected_ = row >= 0 && row < Count() ? row : -1;
    if (selected_ >= 0)
        EnsureVisible(selected_);
    SyncScrollBar();
    update();
}

int TEntryList::RowHeight() const { return std::max(1, S(this, settings_.listrowheight)); }

int TEntryList::VisibleRows() const { return std::max(1, height() / RowHeight()); }

int TEntryList::RowAt(QPoint p) const {
    if (p.y() < 0)
        return -1;
    const int row = top_ + p.y() / RowHeight();
    return row < Count() ? row : -1;
}

void TEntryList::EnsureVisible(int row) {
    const int visible = VisibleRows();
    if (row < top_)
        top_ = row;
    else if (row >= top_ + visible)
        top_ = row - visible + 1;
}

QIcon TEntryList::IconFor(const TListRow& row) const {
    if (!row.iconName.isEmpty()) {
        if (QFileInfo(row.iconName).isAbsolute())
            return QIcon(row.iconName);
        const QIcon themed = QIcon::fromTheme(row.iconName);
        if (!themed.isNull())
            return themed;
    }
    if (!row.iconFile.isEmpty() && QFileInfo::exists(row.iconFile)) {
        static const QFileIconProvider provider;
        return provider.icon(QFileInfo(row.iconFile));
    }
    const QIcon run = QIcon::fromTheme(QStringLiteral("system-run"));
    // Without an icon theme the style's own pictures stand in.
    return run.isNull() ? style()->standardIcon(row.iconFile.isEmpty() ? QStyle::SP_CommandLink : QStyle::SP_FileIcon)
                        : run;
}

void TEntryList::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor back = Bgr(settings_.textbackcolor);
    const QColor text = Bgr(layout_.listtextcolor);
    QColor titleColour = Bgr(settings_.listtitlecolor);
    if (settings_.listtitlecolor == 1234)
        titleColour = layout_.listtitlecolor ? Bgr(*layout_.listtitlecolor) : Lighten(back, 138);
    const QColor focusBack = Bgr(layout_.listfocusbgcolor);
    const QColor focusText = Bgr(layout_.listfocustextcolor);
    const bool picture = !layout_.listpicture.isNull() && plan_.mode != TPictureDraw::None;
    p.fillRect(rect(), back);
    if (picture)
        PaintPicture(p, rect());
    const int h = RowHeight();
    const bool large = settings_.listrowheight > 32;
    const bool twoLine = large && settings_.listrowmode != 1;
    const QFont font = ListFont();
    QFont bold = font;
    bold.setBold(true);
    QFont small = font;
    small.setPointSize(8);
    const int numberWidth = QFontMetrics(font).horizontalAdvance(QStringLiteral("9"));
    const int rowsWidth = RowsWidth();
    for (int i = top_, y = 0; i < Count() && y < height(); ++i, y += h) {
        const TListRow& row = rows_[size_t(i)];
        const QRect r(0, y, rowsWidth, h);
        const bool sel = i == selected_;
        // Over a picture the selection is blended with `listselectopacity`; otherwise it is solid.
        if (sel) {
            QColor fb = focusBack;
            fb.setAlpha(SelectionAlpha(picture, settings_.listselectopacity));
            p.fillRect(r, fb);
        }
        p.setPen(sel ? focusText : text);
        if (row.header) {
            p.setFont(bold);
            p.drawText(r.adjusted(S(this, twoLine ? 4 : 2), 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, row.text);
            continue;
        }
        if (row.text.isEmpty())
            continue;
        // Rows beside the pin make room for it.
        const int pinShift =
            RowBesidePin(!pin_.isEmpty(), settings_.righttextnoalign, y + h / 2, height(), pin_.height()) ? pin_.width()
                                                                                                        : 0;
        int right = rowsWidth - S(this, 4) - pinShift;
        if (settings_.shownumbersinlist && !numbers_[size_t(i)].isEmpty()) {
            const int nx = rowsWidth - numberWidth - S(this, 10) - pinShift;
            p.setFont(font);
            p.setPen(text);
            p.drawText(QRect(nx, y, numberWidth + S(this, 4), h), Qt::AlignVCenter | Qt::AlignLeft,
                       numbers_[size_t(i)]);
            p.setPen(sel ? focusText : text);
            right = rowsWidth - numberWidth - S(this, 18) - pinShift;
        }
        if (settings_.listicons) {
            if (!iconDone_[size_t(i)]) {
                icons_[size_t(i)] = IconFor(row);
                iconDone_[size_t(i)] = true;
            }
            const int size = large ? S(this, 32) : S(this, 16);
            const int ix = large ? S(this, 4) : S(this, 1);
            const QRect ir(ix, y + (h - size) / 2, size, size);
            icons_[size_t(i)].paint(&p, ir);
        }
        const int x = settings_.listicons ? (large ? S(this, 39) + S(this, 4) : S(this, 20)) : S(this, 3);
        p.setFont(settings_.listbolditems ? bold : font);
        const QFontMetrics fm(p.font());
        const bool hasTitle = settings_.listtitles && !row.title.isEmpty();
        const QString title = row.text.contains(u'\n') && hasTitle ? QStringLiteral("[=] ") + row.title : row.title;
        if (twoLine && hasTitle) {
            const int nameH = fm.height() + S(this, 2);
            const QString name = fm.elidedText(row.text, Qt::ElideMiddle, std::max(0, right - x));
            p.drawText(QRect(x, y + S(this, 1), right - x, nameH), Qt::AlignLeft | Qt::AlignVCenter, name);
            p.setFont(small);
            p.setPen(sel ? focusText : titleColour);
            const QFontMetrics sm(small);
            const int ty = y + std::max(S(this, 17), nameH);
            p.drawText(QRect(x, ty, right - x, std::max(1, y + h - ty)), Qt::AlignLeft | Qt::AlignTop,
                       sm.elidedText(title, Qt::ElideRight, std::max(0, right - x)));
        } else {
            const QString name = fm.elidedText(row.text, Qt::ElideMiddle, std::max(0, right - x));
            p.drawText(QRect(x, y, right - x, h), Qt::AlignLeft | Qt::AlignVCenter, name);
            if (hasTitle) {
                const int tx = x + fm.horizontalAdvance(name);
                p.setPen(sel ? focusText : titleColour);
                p.drawText(QRect(tx, y, std::max(0, right - tx), h), Qt::AlignLeft | Qt::AlignVCenter,
                           fm.elidedText(QStringLiteral(" - ") + title, Qt::ElideRight, std::max(0, right - tx)));
            }
        }
    }
    if (settings_.listnoscrollbar)
        PaintScrollMarks(p);
}

QFont TEntryList::ListFont() const {
    QFont font = this->font();
    font.setPointSize(std::max(1, settings_.listfontsize));
    if (!settings_.listfontname.isEmpty())
        font.setFamily(settings_.listfontname);
    else if (!settings_.fontname.isEmpty())
        font.setFamily(settings_.fontname);
    return font;
}

void TEntryList::SetPicturePlan(const TPictureDraw& plan) {
    // The scaled copy is made again only when the plan changed.
    if (plan.mode == plan_.mode && plan.origin == plan_.origin && plan.size == plan_.size)
        return;
    plan_ = plan;
    scaled_ = QPixmap();
    update();
}

void TEntryList::PaintPicture(QPainter& p, const QRect& area) {
    const QImage& picture = layout_.listpicture;
    switch (plan_.mode) {
    case TPictureDraw::None:
        return;
    case TPictureDraw::Stretch:
        p.drawImage(area, picture);
        return;
    case TPictureDraw::Once:
        if (scaled_.isNull())
            scaled_ = QPixmap::fromImage(plan_.size == picture.size() ? picture
                                                                      : picture.scaled(plan_.size, Qt::IgnoreAspectRatio,
                                                                                       Qt::SmoothTransformation));
        p.drawPixmap(plan_.origin, scaled_);
        return;
    case TPictureDraw::Tile:
        if (scaled_.isNull())
            scaled_ = QPixmap::fromImage(picture);
        // The tiles start at the plan's origin (never right of or below the corner).
        p.drawTiledPixmap(area, scaled_, QPoint(-plan_.origin.x(), -plan_.origin.y()));
        return;
    }
}

void TEntryList::PaintScrollMarks(QPainter& p) {
    const TScrollMarks marks =
        ScrollMarks(size(), S(this, 11), S(this, 8), S(this, 9), top_ > 0, top_ + VisibleRows() < Count());
    p.setBrush(Bgr(settings_.windowcolor));
    p.setPen(Bgr(layout_.listtextcolor));
    for (const auto& mark : {marks.up, marks.down})
        if (mark)
            p.drawPolygon(mark->data(), 3);
}

void TEntryList::SetTopRow(int top) {
    top_ = std::clamp(top, 0, std::max(0, Count() - VisibleRows()));
    SyncScrollBar();
    update();
}

void TEntryList::mousePressEvent(QMouseEvent* e) {
    const int row = RowAt(e->position().toPoint());
    if (row >= 0 && e->button() == Qt::LeftButton) {
        SetSelected(row);
        emit RowClicked(row);
    }
}

void TEntryList::mouseDoubleClickEvent(QMouseEvent* e) {
    const int row = RowAt(e->position().toPoint());
    if (row >= 0 && e->button() == Qt::LeftButton)
        emit RowActivated(row, e->modifiers());
}

void TEntryList::wheelEvent(QWheelEvent* e) {
    const int lines = QApplication::wheelScrollLines();
    top_ = WheelTopRow(top_, e->angleDelta().y(), lines > 0 ? lines : 1, Count(), VisibleRows());
    SyncScrollBar();
    update();
}

void TEntryList::contextMenuEvent(QContextMenuEvent* e) {
    const int row = RowAt(e->pos());
    if (row < 0 || Row(row).text.isEmpty())
        return;
    SetSelected(row);
    emit RowMenuRequested(row, e->globalPos());
}

} // namespace vantrelo
