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

bool TCmdForm::EditorOnTop() const {
    if (!EditPanel->isVisible())
        return false;
    // Raising a panel moves it to the end of the children: the later one lies on top.
    return !TextMemo->isVisible() || children().indexOf(EditPanel) > children().indexOf(TextMemo);
}
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
