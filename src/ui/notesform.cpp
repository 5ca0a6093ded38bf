// The notes window: the notes text, the find box with its result, "Undo" and "Stay on top".
#include "ui/notesform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrelo {

namespace {

const QString kFindHint = QStringLiteral("Find.. [Ctrl+F, F3 next result]");

QColor Bgr(int bgr) { return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff); }

} // namespace

TNotesForm::TNotesForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("NotesForm"));
    setWindowTitle(QStringLiteral("Notes (Vantrelo)"));
    Memo_ = new QPlainTextEdit(this);
    Memo_->setObjectName(QStringLiteral("Memo"));
    Memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    UndoButton = new QWidget(this);
    UndoButton->setObjectName(QStringLiteral("UndoButton"));
    UndoButton->setFixedHeight(30);
    Button1 = new QPushButton(QStringLiteral("Undo"), UndoButton);
    Button1->setObjectName(QStringLiteral("Button1"));
    FindEdit = new QLineEdit(kFindHint, UndoButton);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindResultLabel = new QLabel(UndoButton);
    FindResultLabel->setObjectName(QStringLiteral("FindResultLabel"));
    StayOnTopCheckBox = new QCheckBox(QStringLiteral("Stay on top"), UndoButton);
    StayOnTopCheckBox->setObjectName(QStringLiteral("StayOnTopCheckBox"));

    auto* bar = new QHBoxLayout(UndoButton);
    bar->setContentsMargins(2, 0, 2, 0);
    bar->addWidget(Button1);
    bar->addWidget(FindEdit, 1);
    bar->addWidget(FindResultLabel, 1);
    bar->addWidget(StayOnTopCheckBox);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Memo_, 1);
    column->addWidget(UndoButton);
    resize(585, 418);

    for (QWidget* w : {static_cast<QWidget*>(Memo_), static_cast<QWidget*>(FindEdit),
                       static_cast<QWidget*>(Button1), static_cast<QWidget*>(StayOnTopCheckBox)})
        w->installEventFilter(this);
    confirm_ = [this](const QString& question) {
        return QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    };
    connect(Button1, &QPushButton::clicked, this, [this] {
        if (confirm_(QStringLiteral("Do you want to restore notes from last Vantrelo startup?")))
            emit UndoWanted();
    });
    connect(StayOnTopCheckBox, &QCheckBox::clicked, this, [this](bool on) {
        SetStayOnTop(on);
        emit StayOnTopChanged(on);
    });
}

QString TNotesForm::Text() const { return Memo_->toPlainText(); }

void TNotesForm::SetText(const QString& text) {
    Memo_->setPlainText(text);
    Memo_->moveCursor(QTextCursor::Start);
}

bool TNotesForm::StayOnTop() const { return StayOnTopCheckBox->isChecked(); }

void TNotesForm::SetStayOnTop(bool on) {
    StayOnTopCheckBox->setChecked(on);
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == on)
        return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown)
        show();
}

void TNotesForm::SetDesign(int textBgr, int backBgr, const QString& font, int points) {
    QPalette pal = Memo_->palette();
    pal.setColor(QPalette::Text, Bgr(textBgr));
    pal.setColor(QPalette::Base, Bgr(backBgr));
    Memo_->setPalette(pal);
    QFont f(font);
    if (points > 0)
        f.setPointSize(points);
    Memo_->setFont(f);
}

void TNotesForm::SetResult(const QString& text) { FindResultLabel->setText(text); }
QString TNotesForm::Result() const { return FindResultLabel->text(); }

void TNotesForm::FindText(bool next) {
    const TFindHit hit = FindInNotes(find_, FindEdit->text(), Memo_->toPlainText(), next);
    FindResultLabel->setText(hit.label);
    if (hit.at < 0)
        return;
    Memo_->setFocus();
    QTextCursor c = Memo_->textCursor();
    c.setPosition(hit.at);
    Memo_->setTextCursor(c);
}

bool TNotesForm::Key(QObject* watched, int key, Qt::KeyboardModifiers mods) {
    const Qt::KeyboardModifiers m = mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_Escape) {
        hide();
        return true;
    }
    if (watched != Memo_ && watched != FindEdit)
        return false;
    if (key == Qt::Key_F && m == Qt::ControlModifier) {
        FindEdit->setFocus();
        return true;
    }
    if (key == Qt::Key_F3) {
        FindText(m != Qt::ShiftModifier);
        return true;
    }
    if (watched == FindEdit && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        FindText(true);
        return true;
    }
    return false;
}

bool TNotesForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* k = static_cast<QKeyEvent*>(event);
        if (Key(watched, k->key(), k->modifiers()))
            return true;
        break;
    }
    case QEvent::FocusIn:
        if (watched == FindEdit && FindEdit->text() == kFindHint)
            FindEdit->clear();
        break;
    case QEvent::FocusOut:
        if (watched == Memo_)
            emit SaveWanted();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TNotesForm::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && !isActiveWindow())
        emit SaveWanted();
}

void TNotesForm::closeEvent(QCloseEvent* e) {
    // Closing only hides: the notes window lives until the program ends.
    e->ignore();
    hide();
    emit SaveWanted();
}

} // namespace vantrelo
