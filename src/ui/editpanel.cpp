// The multi-line editor: keys go through the editor key map; menu items, zoom and files act here.
#include "ui/editpanel.h"

#include "tools/regexrules.h"
#include "ui/itemmenu.h"
#include "ui/widgetkit.h"

#include "core/atomicfile.h"
#include "core/settings.h"
#include "ui/editordialogs.h"
#include "ui/spellcheck.h"
#include "ui/windowlogic.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace vantrelo {

namespace {

// The actions of a menu and its sub-menus, in menu order.
void CollectActions(const QMenu* menu, QList<QAction*>& out) {
    for (QAction* a : menu->actions()) {
        if (a->menu())
            CollectActions(a->menu(), out);
        else if (!a->isSeparator())
            out.push_back(a);
    }
}

} // namespace

TEditPanel::TEditPanel(const TSettings& settings, TEditorDialogs& dialogs, QWidget* parent)
    : QWidget(parent), settings_(settings), dialogs_(dialogs) {
    setObjectName(QStringLiteral("EditPanel"));
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("EditNavPanel"));
    bar->setAutoFillBackground(true);
    EditLabel = new QLabel(bar);
    EditLabel->setObjectName(QStringLiteral("EditLabel"));
    EditSubmitButton = new QPushButton(QStringLiteral("Execute"), bar);
    EditSubmitButton->setObjectName(QStringLiteral("EditSubmitButton"));
    EditCloseButton = new QPushButton(QStringLiteral("X"), bar);
    EditCloseButton->setObjectName(QStringLiteral("EditCloseButton"));
    for (QPushButton* b : {EditSubmitButton, EditCloseButton})
        b->setFocusPolicy(Qt::NoFocus);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 1, 4, 1);
    barLayout->addWidget(EditLabel, 1);
    barLayout->addWidget(EditSubmitButton);
    barLayout->addWidget(EditCloseButton);
    MultiEdit_ = new QPlainTextEdit(this);
    MultiEdit_->setObjectName(QStringLiteral("MultiEdit"));
    MultiEdit_->setContextMenuPolicy(Qt::CustomContextMenu);
    MultiEdit_->installEventFilter(this);
    MultiEdit_->viewport()->installEventFilter(this);
    auto* panelLayout = new QVBoxLayout(this);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    panelLayout->addWidget(bar);
    panelLayout->addWidget(MultiEdit_, 1);
    highlighter_ = new TSpellHighlighter(MultiEdit_->document());
    makeChecker_ = [] { return MakeHunspellChecker(QLocale::system().name()); };
    BuildMenu();

    connect(EditSubmitButton, &QPushButton::clicked, this, [this] { Submit(); });
    connect(EditCloseButton, &QPushButton::clicked, this, &TEditPanel::CloseRequested);
    connect(MultiEdit_, &QPlainTextEdit::textChanged, this, [this] { emit TextChanged(MultiEdit_->toPlainText()); });
    connect(MultiEdit_, &QWidget::customContextMenuRequested, this,
            [this](QPoint p) { EditMenu->popup(MultiEdit_->mapToGlobal(p)); });
    connect(EditMenu, &QMenu::aboutToShow, this, [this] { RebuildRuleEntries(); });
}

void TEditPanel::RebuildRuleEntries() {
    for (QAction* a : ruleActions_) {
        EditMenu->removeAction(a);
        delete a;
    }
    ruleActions_.clear();
    const std::vector<TRegexMenuEntry> entries = rules_ ? rules_() : std::vector<TRegexMenuEntry>();
    if (entries.empty())
        return;
    ruleActions_ << EditMenu->addSeparator();
    for (const TRegexMenuEntry& e : entries) {
        QAction* a = EditMenu->addAction(e.caption);
        connect(a, &QAction::triggered, this, [this, rules = e.rules] { ApplyRules(rules); });
        ruleActions_ << a;
    }
}

void TEditPanel::ApplyRules(const QString& rules) {
    const TRegexOutcome r = ApplyRegexRules(rules, MultiEdit_->toPlainText());
    if (!r.ok) {
        dialogs_.ShowError(this, QStringLiteral("Vantrelo"), r.error);
        return;
    }
    // One edit step, so Undo brings the text back.
    QTextCursor c(MultiEdit_->document());
    c.select(QTextCursor::Document);
    c.insertText(r.text);
}

TEditPanel::~TEditPanel() = default;

void TEditPanel::BuildMenu() {
    EditMenu = new QMenu(this);
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    auto add = [this](QMenu* m, const QString& name, const QString& text, const QKeySequence& key, auto fn) {
        QAction* a = m->addAction(text);
        a->setObjectName(name);
        a->setShortcut(key);
        // The editor dispatches the shortcuts itself (see MenuShortcut); Qt must not fire them too.
        a->setShortcutContext(Qt::WidgetShortcut);
        connect(a, &QAction::triggered, this, [this, fn] {
            if (isVisible())
                fn();
        });
        return a;
    };
    add(EditMenu, QStringLiteral("OpenFile1"), QStringLiteral("Open File..."), QKeySequence(Qt::CTRL | Qt::Key_O),
        [this] { OpenFile(); });
    add(EditMenu, QStringLiteral("SaveAs1"), QStringLiteral("Save As..."), QKeySequence(Qt::CTRL | Qt::Key_S),
        [this] { SaveAs(); });
    EditMenu->addSeparator();
    add(EditMenu, QStringLiteral("Cut1"), QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X),
        [this] { MultiEdit_->cut(); });
    add(EditMenu, QStringLiteral("Copy1"), QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C),
        [this] { MultiEdit_->copy(); });
    add(EditMenu, QStringLiteral("Paste1"), QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
        [this] { MultiEdit_->paste(); });
    EditMenu->addSeparator();
    SpellCheckItem = add(EditMenu, QStringLiteral("AutoSpellChecking1"), QStringLiteral("Auto Spell Checking"),
                         QKeySequence(Qt::Key_F7), [this] { emit SpellCheckToggle(); });
    SpellCheckItem->setCheckable(true);
    QMenu* zoom = EditMenu->addMenu(QStringLiteral("Zoom (Ctrl+Mouse Wheel)"));
    add(zoom, QStringLiteral("Zoomin1"), QStringLiteral("Zoom In"), QKeySequence(Qt::CTRL | Qt::Key_Plus),
        [this] { SetZoom(ZoomPercent(zoom_, TZoomStep::In)); });
    add(zoom, QStringLiteral("Zoomout1"), QStringLiteral("Zoom Out"), QKeySequence(Qt::CTRL | Qt::Key_Minus),
        [this] { SetZoom(ZoomPercent(zoom_, TZoomStep::Out)); });
    add(zoom, QStringLiteral("Zoomreset1"), QStringLiteral("Reset Zoom"), QKeySequence(Qt::CTRL | Qt::Key_0),
        [this] { SetZoom(ZoomPercent(zoom_, TZoomStep::Reset)); });
}

void TEditPanel::ApplyLook(int listWidth) {
    const QColor back = Bgr(settings_.textbackcolor);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Button, Lighten(back, 25));
    const QColor text = Bgr(settings_.textcolor);
    const QColor own(settings_.expandfontcolor);
    pal.setColor(QPalette::Text, settings_.expandfontcolor.isEmpty() || !own.isValid() ? text : own);
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::ButtonText, text);
    setPalette(pal);
    setAutoFillBackground(true);
    if (QWidget* bar = findChild<QWidget*>(QStringLiteral("EditNavPanel"))) {
        QPalette bp = pal;
        bp.setColor(QPalette::Window, Lighten(back, 25));
        bar->setPalette(bp);
    }
    EditLabel->setText(EditorLabelText(listWidth, S(this, 440), settings_.expandf4));
    baseSize_ = EditorFontSize(settings_.expandfontsize, settings_.listfontsize, settings_.fontsize);
    ApplyFont();
    ApplySpellCheck();
}

void TEditPanel::SetSpellCheckerFactory(std::function<std::unique_ptr<TSpellChecker>()> factory) {
    makeChecker_ = std::move(factory);
    checker_.reset();
    checkerMade_ = false;
    highlighter_->SetChecker(nullptr);
}

bool TEditPanel::ApplySpellCheck() {
    const bool on = settings_.spellcheckedit;
    SpellCheckItem->setChecked(on);
    if (!on) {
        highlighter_->SetChecker(nullptr);
        return true;
    }
    // The dictionary is read the first time checking is wanted, not at start.
    if (!checkerMade_) {
        checker_ = makeChecker_ ? makeChecker_() : nullptr;
        checkerMade_ = true;
    }
    highlighter_->SetChecker(checker_.get());
    return checker_ != nullptr;
}

void TEditPanel::ApplyFont() {
    QFont f = MultiEdit_->font();
    if (!settings_.fontname.isEmpty())
        f.setFamily(settings_.fontname);
    f.setPointSizeF(std::max(1.0, baseSize_ * zoom_ / 100.0));
    MultiEdit_->setFont(f);
}

void TEditPanel::SetZoom(int percent) {
    zoom_ = std::clamp(percent, 10, 500);
    ApplyFont();
}

QString TEditPanel::LabelText() const { return EditLabel->text(); }

void TEditPanel::Open(const QString& text, bool keep) {
    if (!keep)
        MultiEdit_->setPlainText(text);
    QTextCursor c = MultiEdit_->textCursor();
    c.movePosition(QTextCursor::End);
    MultiEdit_->setTextCursor(c);
    MultiEdit_->ensureCursorVisible();
}

QString TEditPanel::Text() const { return MultiEdit_->toPlainText(); }

void TEditPanel::Submit() {
    const QString text = MultiEdit_->toPlainText();
    if (!text.isEmpty())
        emit Execute(text, false, false);
}

void TEditPanel::SetText(const QString& text) {
    MultiEdit_->setPlainText(text);
    Open(text, true);
}

void TEditPanel::OpenFile() {
    const QString file = dialogs_.OpenTextFile(this);
    if (file.isEmpty())
        return;
    QString text;
    QString error;
    if (!ReadTextFile(file, text, &error)) {
        dialogs_.ShowError(this, QStringLiteral("Select a text file"), error);
        return;
    }
    MultiEdit_->setPlainText(text);
    Open(text, true);
}

void TEditPanel::SaveAs() {
    const QString file = dialogs_.SaveTextFile(this);
    if (file.isEmpty())
        return;
    // Written whole into a temporary file and renamed over: a failed save leaves the old file.
    const TSaveResult r = SaveFileAtomic(file, MultiEdit_->toPlainText().toUtf8(), {}, TFileAccess::Document);
    if (!r.ok)
        dialogs_.ShowError(this, QStringLiteral("Save text to file"), r.error);
}

void TEditPanel::ShowMenu() { EditMenu->popup(MultiEdit_->mapToGlobal(QPoint(0, 0))); }

bool TEditPanel::MenuShortcut(QKeyEvent* e) {
    QList<QKeySequence> pressed{QKeySequence(e->keyCombination())};
    // "+" needs Shift on many keyboards: Ctrl+Shift+"+" still means Ctrl+"+".
    const bool letter = e->key() <= 0xFFFF && QChar(char16_t(e->key())).isLetter();
    if ((e->modifiers() & Qt::ShiftModifier) && !letter)
        pressed.push_back(QKeySequence(QKeyCombination(e->modifiers() & ~Qt::ShiftModifier, Qt::Key(e->key()))));
    QList<QAction*> actions;
    CollectActions(EditMenu, actions);
    for (QAction* a : actions) {
        if (a->shortcut().isEmpty() || !pressed.contains(a->shortcut()))
            continue;
        if (a->isEnabled())
            a->trigger();
        return true; // consumed either way
    }
    return false;
}

bool TEditPanel::EditorKey(QKeyEvent* e) {
    const TEditorKeyDecision d = DecideEditorKey(StrokeOf(e), MultiEdit_->toPlainText().isEmpty(), settings_);
    switch (d.action) {
    case TEditorKeyAction::None:
        return MenuShortcut(e);
    case TEditorKeyAction::Consume:
        return true;
    case TEditorKeyAction::Execute:
        emit Execute(MultiEdit_->toPlainText(), d.runas, d.browser);
        return true;
    case TEditorKeyAction::Close:
        emit CloseRequested();
        return true;
    case TEditorKeyAction::Menu:
        ShowMenu();
        return true;
    default:
        emit KeyAction(d);
        return true;
    }
}

bool TEditPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MultiEdit_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::ShortcutOverride) {
            // Keys the editor map or the menu claims never become window shortcuts.
            event->accept();
            return false;
        }
        if (EditorKey(k))
            return true;
    }
    if (watched == MultiEdit_->viewport() && event->type() == QEvent::Wheel) {
        auto* w = static_cast<QWheelEvent*>(event);
        if (w->modifiers() & Qt::ControlModifier) {
            SetZoom(ZoomPercentForWheel(zoom_, w->angleDelta().y()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vantrelo
