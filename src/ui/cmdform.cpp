// Drawing and events of the list window; every decision about rows is made by its owner.
#include "ui/cmdform.h"
#include "ui/widgetkit.h"

#include "core/settings.h"
#include "ui/editordialogs.h"
#include "ui/editpanel.h"
#include "ui/windowlogic.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

namespace vantrelo {

// --- TEntryList ---

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

// --- TCmdForm ---

TCmdForm::TCmdForm(const TSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), settings_(settings), layout_(DefaultSkinLayout(settings)),
      dialogs_(MakeQtEditorDialogs()) {
    setObjectName(QStringLiteral("CmdForm"));
    setWindowTitle(QStringLiteral("Vantrelo list"));
    setMouseTracking(true);
    // The keyboard stays with the input line: the list never takes the focus from it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    entries_ = new TEntryList(settings_, this);
    entries_->installEventFilter(this);
    TextMemo = new QPlainTextEdit(this);
    TextMemo->setObjectName(QStringLiteral("TextMemo"));
    TextMemo->setReadOnly(true);
    TextMemo->hide();
    BrowserPanel_ = new QWidget(this);
    BrowserPanel_->setObjectName(QStringLiteral("BrowserPanel"));
    BrowserPanel_->hide();

    EditPanel = new TEditPanel(settings_, *dialogs_, this);
    EditPanel->hide();

    PinPanel = new QWidget(this);
    PinPanel->setObjectName(QStringLiteral("PinPanel"));
    PinImage = new QLabel(PinPanel);
    PinImage->setObjectName(QStringLiteral("PinImage"));
    PinImage->installEventFilter(this);
    PinPanel->hide();

    connect(entries_, &TEntryList::RowClicked, this, &TCmdForm::RowClicked);
    connect(entries_, &TEntryList::RowActivated, this, &TCmdForm::RowActivated);
    connect(entries_, &TEntryList::RowMenuRequested, this, &TCmdForm::RowMenuRequested);
    ConnectEditPanel();
}

void TCmdForm::ConnectEditPanel() {
    connect(EditPanel, &TEditPanel::Execute, this, [this](const QString& text, bool runas, bool browser) {
        EditPanel->hide();
        emit EditorExecute(text, runas, browser);
    });
    connect(EditPanel, &TEditPanel::CloseRequested, this, [this] { CloseEditor(); });
    connect(EditPanel, &TEditPanel::KeyAction, this, &TCmdForm::EditorKey);
    connect(EditPanel, &TEditPanel::TextChanged, this, &TCmdForm::EditorTextChanged);
    connect(EditPanel, &TEditPanel::SpellCheckToggle, this, &TCmdForm::SpellCheckToggle);
}

TCmdForm::~TCmdForm() = default;

void TCmdForm::SetDialogs(std::unique_ptr<TEditorDialogs> dialogs) {
    // The editor panel keeps a reference: it is built again around the new dialogs.
    const bool shown = EditPanel->isVisible();
    const QString text = EditPanel->Text();
    delete EditPanel;
    dialogs_ = std::move(dialogs);
    EditPanel = new TEditPanel(settings_, *dialogs_, this);
    ConnectEditPanel();
    EditPanel->ApplyLook(width_);
    LayoutPanels();
    EditPanel->Open(text, false);
    EditPanel->setVisible(shown);
}

QPlainTextEdit* TCmdForm::MultiEdit() const { return EditPanel->MultiEdit(); }

void TCmdForm::SetRows(std::vector<TListRow> rows) { entries_->SetRows(std::move(rows)); }
int TCmdForm::RowCount() const { return entries_->Count(); }
const TListRow& TCmdForm::Row(int i) const { return entries_->Row(i); }
QString TCmdForm::RowNumber(int i) const { return entries_->Number(i); }
int TCmdForm::Selected() const { return entries_->Selected(); }
void TCmdForm::SetSelected(int row) { entries_->SetSelected(row); }

int TCmdForm::RowWithNumber(int number) const {
    const QString n = QString::number(number);
    for (int i = 0; i < entries_->Count(); ++i)
        if (entries_->Number(i) == n)
            return i;
    return -1;
}

int TCmdForm::ListHeight(bool fixed) const {
    const int rows = fixed ? settings_.maxvisible : std::min(settings_.maxvisible, std::max(1, entries_->Count()));
    const int extra = settings_.listrowheight > 32 ? S(this, 1) : 0;
    int h = rows * entries_->RowHeight() + extra;
    // A list that sizes itself to its rows is still as high as the pin.
    if (!settings_.listfixedsize && PinVisible())
        h = std::max(h, PinSize().height());
    return h;
}

int TCmdForm::Border() const { return S(this, std::max(1, layout_.bordersizelist)); }

void TCmdForm::FitRowHeight() {
    // Once, on the first layout: rows too low for the list font are raised (and so saved).
    rowsFitted_ = true;
    QFont small = entries_->ListFont();
    small.setPointSize(8);
    const int fitted = FittedRowHeight(settings_.listrowheight, settings_.listrowmode == 1, settings_.listtitles,
                                       QFontMetrics(entries_->ListFont()).height(), QFontMetrics(small).height(),
                                       logicalDpiY());
    if (fitted != settings_.listrowheight)
        emit RowHeightFitted(fitted);
}

void TCmdForm::ApplyLook(int width) {
    width_ = width;
    if (!rowsFitted_)
        FitRowHeight();
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Bgr(settings_.textbackcolor));
    pal.setColor(QPalette::Window, Bgr(settings_.textbackcolor));
    pal.setColor(QPalette::Text, Bgr(settings_.textcolor));
    pal.setColor(QPalette::WindowText, Bgr(settings_.textcolor));
    setPalette(pal);
    TextMemo->setPalette(pal);
    const int border = Border();
    const bool fixed = settings_.listfixedsize || CustomElementShowing();
    const int listH = ListHeight(fixed);
    setFixedSize(width, listH + 2 * border);
    entries_->setGeometry(border, border, width - 2 * border, listH);
    LayoutPanels();
    EditPanel->ApplyLook(width);
    PositionPinImage();
}

void TCmdForm::SetSkinLayout(const TSkinLayout& layout) {
    layout_ = layout;
    entries_->SetSkinLayout(layout);
    update();
}

void TCmdForm::LayoutPanels() {
    const QRect inner = entries_->geometry();
    TextMemo->setGeometry(inner);
    EditPanel->setGeometry(inner);
    BrowserPanel_->setGeometry(inner);
}

void TCmdForm::ShowBrowserPanel() {
    TextMemo->hide();
    if (EditPanel->isVisible())
        CloseEditor();
    BrowserPanel_->show();
    BrowserPanel_->raise();
}

void TCmdForm::ShowText(const QString& text) {
    TextMemo->setPlainText(text);
    TextMemo->show();
    TextMemo->raise();
}

bool TCmdForm::TextPanelVisible() const { return TextMemo->isVisible(); }

void TCmdForm::OpenEditor(const QString& text, bool keep) {
    EditPanel->Open(text, keep);
    EditPanel->show();
    EditPanel->raise();
}

void TCmdForm::CloseEditor() {
    if (!EditPanel->isVisible())
        return;
    EditPanel->hide();
    emit EditorClosed();
}

bool TCmdForm::EditorVisible() const { return EditPanel->isVisible(); }
QString TCmdForm::EditorText() const { return EditPanel->Text(); }

bool TCmdForm::DismissCustomElements(bool dismissAll, bool dismissEdit) {
    bool any = false;
    if (TextMemo->isVisible()) {
        TextMemo->hide();
        any = true;
        if (!dismissAll)
            return true;
    }
    if (dismissEdit && EditPanel->isVisible()) {
        CloseEditor();
        any = true;
    }
    return any;
}

bool TCmdForm::CustomElementShowing() const {
    return TextMemo->isVisible() || EditPanel->isVisible() || BrowserPanel_->isVisible();
}

void TCmdForm::SetPinImage() {
    const QString file = settings_.pinfile;
    if (!settings_.pin || file.isEmpty() || !QFileInfo::exists(file)) {
        PinPanel->hide();
        entries_->SetPinSize({});
        return;
    }
    // The picture is read again only when its file changed.
    if (file != pinLoaded_ || PinImage->pixmap().isNull()) {
        const QPixmap picture(file);
        if (picture.isNull()) {
            PinPanel->hide();
            entries_->SetPinSize({});
            pinLoaded_.clear();
            return;
        }
        PinImage->setPixmap(picture);
        PinImage->resize(picture.size());
        PinPanel->resize(picture.size());
        pinLoaded_ = file;
    }
    PinPanel->show();
    PositionPinImage();
}

void TCmdForm::PositionPinImage() {
    if (PinPanel->isHidden()) {
        entries_->SetPinSize({});
        return;
    }
    PinPanel->setGeometry(PinPanelRect(entries_->geometry(), PinImage->size()));
    PinPanel->raise();
    entries_->SetPinSize(PinImage->size());
}

bool TCmdForm::PinVisible() const { return !PinPanel->isHidden(); }
QSize TCmdForm::PinSize() const { return PinVisible() ? PinImage->size() : QSize(); }

bool TCmdForm::EdgePress(QPoint p) {
    const TListEdge edge = ListEdgeAt(p, size());
    if (edge == TListEdge::None || settings_.lockwindow)
        return false;
    edge_ = int(edge);
    heightChanged_ = false;
    return true;
}

bool TCmdForm::EdgeMove(QPoint p, Qt::MouseButtons buttons) {
    if (edge_ == 0) {
        const TListEdge edge = settings_.lockwindow ? TListEdge::None : ListEdgeAt(p, size());
        static const Qt::CursorShape shapes[] = {Qt::ArrowCursor, Qt::SizeHorCursor, Qt::SizeVerCursor,
                                                 Qt::SizeFDiagCursor};
        setCursor(shapes[int(edge)]);
        entries_->setCursor(shapes[int(edge)]);
        return edge != TListEdge::None;
    }
    if (!(buttons & Qt::LeftButton))
        return EdgeRelease();
    const auto edge = TListEdge(edge_);
    if (edge == TListEdge::Right || edge == TListEdge::Corner)
        emit ListWidthDragged(ListWidthForDrag(p.x()));
    if (edge == TListEdge::Bottom || edge == TListEdge::Corner) {
        const int border = Border();
        const int h = std::max(p.y(), 2 * border + 1);
        setFixedHeight(h);
        entries_->setGeometry(border, border, entries_->width(), h - 2 * border);
        LayoutPanels();
        PositionPinImage();
        heightChanged_ = true;
    }
    return true;
}

bool TCmdForm::EdgeRelease() {
    if (edge_ == 0)
        return false;
    edge_ = 0;
    if (heightChanged_) {
        heightChanged_ = false;
        emit ListRowsChosen(MaxVisibleForHeight(height(), Border(), entries_->RowHeight()));
    }
    return true;
}

void TCmdForm::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        EdgePress(e->position().toPoint());
}

void TCmdForm::mouseMoveEvent(QMouseEvent* e) { EdgeMove(e->position().toPoint(), e->buttons()); }

void TCmdForm::mouseReleaseEvent(QMouseEvent*) { EdgeRelease(); }

bool TCmdForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PinImage && event->type() == QEvent::MouseButtonDblClick) {
        emit PinDoubleClicked();
        return true;
    }
    if (watched == entries_) {
        // The edge zones reach into the rows: a press there resizes instead of selecting.
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* m = static_cast<QMouseEvent*>(event);
            if (m->button() == Qt::LeftButton)
                return EdgePress(entries_->mapTo(this, m->position().toPoint()));
            break;
        }
        case QEvent::MouseMove: {
            // Moves above the rows or on their last pixel row are not the list's.
            const auto* m = static_cast<QMouseEvent*>(event);
            const QPoint local = m->position().toPoint();
            const bool used = EdgeMove(entries_->mapTo(this, local), m->buttons());
            return used || local.y() < 0 || local.y() >= entries_->height() - 1;
        }
        case QEvent::MouseButtonRelease:
            return EdgeRelease();
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TCmdForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int c = S(this, 1);
    const QColor border = Bgr(settings_.windowcolor);
    // Two rectangles leave the corners out.
    p.fillRect(QRect(0, c, width(), height() - 2 * c), border);
    p.fillRect(QRect(c, 0, width() - 2 * c, height()), border);
}

} // namespace vantrelo
