// Drawing and events of the list window; every decision about rows is made by its owner.
#include "ui/cmdform.h"

#include "core/settings.h"
#include "ui/windowlogic.h"

#include <QContextMenuEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace vantrelo {

namespace {

// The 96-dpi pixel sizes scale with the screen's logical dpi.
int S(const QWidget* w, int v) { return qRound(v * w->logicalDpiY() / 96.0); }

QColor Bgr(int c) { return QColor(QRgb(BgrToRgb(c))); }

QColor Lighten(QColor c, int by) {
    return QColor(std::min(255, c.red() + by), std::min(255, c.green() + by), std::min(255, c.blue() + by));
}

} // namespace

// --- TEntryList ---

TEntryList::TEntryList(const TSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings), layout_(DefaultSkinLayout(settings)) {
    setObjectName(QStringLiteral("EntryList"));
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    SetRows({});
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
    update();
}

void TEntryList::SetSelected(int row) {
    selected_ = row >= 0 && row < Count() ? row : -1;
    if (selected_ >= 0)
        EnsureVisible(selected_);
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
    const bool picture = !layout_.listpicture.isNull();
    p.fillRect(rect(), back);
    if (picture) {
        if (layout_.listfillmode == QLatin1String("stretch"))
            p.drawImage(rect(), layout_.listpicture);
        else
            p.drawTiledPixmap(rect(), QPixmap::fromImage(layout_.listpicture));
    }
    const int h = RowHeight();
    const bool large = settings_.listrowheight > 32;
    const bool twoLine = large && settings_.listrowmode != 1;
    QFont font = this->font();
    font.setPointSize(std::max(1, settings_.listfontsize));
    if (!settings_.listfontname.isEmpty())
        font.setFamily(settings_.listfontname);
    else if (!settings_.fontname.isEmpty())
        font.setFamily(settings_.fontname);
    QFont bold = font;
    bold.setBold(true);
    QFont small = font;
    small.setPointSize(8);
    const int numberWidth = QFontMetrics(font).horizontalAdvance(QStringLiteral("9"));
    for (int i = top_, y = 0; i < Count() && y < height(); ++i, y += h) {
        const TListRow& row = rows_[size_t(i)];
        const QRect r(0, y, width(), h);
        const bool sel = i == selected_;
        // Over a picture the selection is blended with `listselectopacity`; otherwise it is solid.
        if (sel) {
            QColor fb = focusBack;
            if (picture && settings_.listselectopacity >= 0 && settings_.listselectopacity < 255)
                fb.setAlpha(std::clamp(settings_.listselectopacity, 0, 255));
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
        int right = width() - S(this, 4);
        if (settings_.shownumbersinlist && !numbers_[size_t(i)].isEmpty()) {
            const int nx = width() - numberWidth - S(this, 10);
            p.setFont(font);
            p.drawText(QRect(nx, y, numberWidth + S(this, 4), h), Qt::AlignVCenter | Qt::AlignLeft,
                       numbers_[size_t(i)]);
            right = width() - numberWidth - S(this, 18);
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
    const int steps = e->angleDelta().y() / 120;
    const int maxTop = std::max(0, Count() - VisibleRows());
    top_ = std::clamp(top_ - steps * 3, 0, maxTop);
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
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), settings_(settings), layout_(DefaultSkinLayout(settings)) {
    setObjectName(QStringLiteral("CmdForm"));
    setWindowTitle(QStringLiteral("Vantrelo list"));
    // The keyboard stays with the input line: the list never takes the focus from it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    entries_ = new TEntryList(settings_, this);
    TextMemo = new QPlainTextEdit(this);
    TextMemo->setObjectName(QStringLiteral("TextMemo"));
    TextMemo->setReadOnly(true);
    TextMemo->hide();

    EditPanel = new QWidget(this);
    EditPanel->setObjectName(QStringLiteral("EditPanel"));
    auto* bar = new QWidget(EditPanel);
    bar->setObjectName(QStringLiteral("EditNavPanel"));
    EditLabel = new QLabel(bar);
    EditSubmitButton = new QPushButton(QStringLiteral("Execute"), bar);
    EditCloseButton = new QPushButton(QStringLiteral("X"), bar);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 1, 4, 1);
    barLayout->addWidget(EditLabel, 1);
    barLayout->addWidget(EditSubmitButton);
    barLayout->addWidget(EditCloseButton);
    multiEdit_ = new QPlainTextEdit(EditPanel);
    multiEdit_->setObjectName(QStringLiteral("MultiEdit"));
    multiEdit_->installEventFilter(this);
    auto* panelLayout = new QVBoxLayout(EditPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    panelLayout->addWidget(bar);
    panelLayout->addWidget(multiEdit_, 1);
    EditPanel->hide();

    connect(entries_, &TEntryList::RowClicked, this, &TCmdForm::RowClicked);
    connect(entries_, &TEntryList::RowActivated, this, &TCmdForm::RowActivated);
    connect(entries_, &TEntryList::RowMenuRequested, this, &TCmdForm::RowMenuRequested);
    connect(EditSubmitButton, &QPushButton::clicked, this, [this] { EditSubmitButtonClick(); });
    connect(EditCloseButton, &QPushButton::clicked, this, [this] { CloseEditor(); });
    connect(multiEdit_, &QPlainTextEdit::textChanged, this,
            [this] { emit EditorTextChanged(multiEdit_->toPlainText()); });
}

TCmdForm::~TCmdForm() = default;

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
    return rows * entries_->RowHeight() + extra;
}

void TCmdForm::ApplyLook(int width) {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Bgr(settings_.textbackcolor));
    pal.setColor(QPalette::Window, Bgr(settings_.textbackcolor));
    pal.setColor(QPalette::Text, Bgr(settings_.textcolor));
    pal.setColor(QPalette::WindowText, Bgr(settings_.textcolor));
    pal.setColor(QPalette::Button, Lighten(Bgr(settings_.textbackcolor), 25));
    pal.setColor(QPalette::ButtonText, Bgr(settings_.textcolor));
    setPalette(pal);
    TextMemo->setPalette(pal);
    EditPanel->setPalette(pal);
    EditPanel->setAutoFillBackground(true);
    const int border = S(this, std::max(1, layout_.bordersizelist));
    const bool fixed = settings_.listfixedsize || CustomElementShowing();
    const int listH = ListHeight(fixed);
    setFixedSize(width, listH + 2 * border);
    entries_->setGeometry(border, border, width - 2 * border, listH);
    LayoutPanels();
    const QString toggle = settings_.expandf4 ? QStringLiteral("F4") : QStringLiteral("F10");
    EditLabel->setText(width > S(this, 440)
                           ? QStringLiteral("Edit text - Ctrl+Enter = Execute, Esc = Close, ") + toggle +
                                 QStringLiteral(" = Toggle")
                           : QStringLiteral("Edit text"));
    QFont f = multiEdit_->font();
    if (!settings_.fontname.isEmpty())
        f.setFamily(settings_.fontname);
    f.setPointSize(std::max(1, settings_.expandfontsize != 0
                                   ? settings_.expandfontsize
                                   : std::max(settings_.listfontsize, (settings_.fontsize + settings_.listfontsize) / 2)));
    multiEdit_->setFont(f);
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
}

void TCmdForm::ShowText(const QString& text) {
    TextMemo->setPlainText(text);
    TextMemo->show();
    TextMemo->raise();
}

bool TCmdForm::TextPanelVisible() const { return TextMemo->isVisible(); }

void TCmdForm::OpenEditor(const QString& text) {
    multiEdit_->setPlainText(text);
    EditPanel->show();
    EditPanel->raise();
    QTextCursor c = multiEdit_->textCursor();
    c.movePosition(QTextCursor::End);
    multiEdit_->setTextCursor(c);
}

void TCmdForm::CloseEditor() {
    if (!EditPanel->isVisible())
        return;
    EditPanel->hide();
    emit EditorClosed();
}

bool TCmdForm::EditorVisible() const { return EditPanel->isVisible(); }
QString TCmdForm::EditorText() const { return multiEdit_->toPlainText(); }

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

bool TCmdForm::CustomElementShowing() const { return TextMemo->isVisible() || EditPanel->isVisible(); }

void TCmdForm::EditSubmitButtonClick() {
    const QString text = multiEdit_->toPlainText();
    if (text.isEmpty())
        return;
    EditPanel->hide();
    emit EditorExecute(text, false, false);
}

bool TCmdForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == multiEdit_ && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers m = k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (enter && (m == Qt::ControlModifier || m == Qt::ShiftModifier || m == Qt::AltModifier)) {
            const QString text = multiEdit_->toPlainText();
            if (!text.isEmpty()) {
                EditPanel->hide();
                emit EditorExecute(text, m == Qt::ShiftModifier, m == Qt::AltModifier);
            }
            return true;
        }
        const bool toggle = k->key() == Qt::Key_F10 || (k->key() == Qt::Key_F4 && settings_.expandf4);
        if (k->key() == Qt::Key_Escape || toggle ||
            (k->key() == Qt::Key_Backspace && multiEdit_->toPlainText().isEmpty())) {
            CloseEditor();
            return true;
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
