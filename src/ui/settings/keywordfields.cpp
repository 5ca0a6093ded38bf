// The keyword editor's detail panel: one record's fields, its hotkey, icon, labels and aids.
#include "ui/settings/keywordfields.h"

#include "core/items.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "platform/hotkeys/hotkeytext.h"
#include "ui/filedrop.h"
#include "ui/settings/hotkeyfield.h"
#include "ui/settings/keywordfilter.h"
#include "ui/settings/setupfields.h"
#include "ui/settings/syntaxcolour.h"
#include "ui/settings/tokenmenu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCharFormat>

namespace vantrelo {

namespace {

QString HotkeyShown(int key, int modifiers) {
    return key == -1 ? QStringLiteral("None") : HotkeyText(key, modifiers);
}

} // namespace

TKeywordFields::TKeywordFields(const TKeywordList& words, TSettings& settings, const TIconChoiceHost& icons,
                               TKeywordFieldsEvents events, QWidget* parent)
    : QGroupBox(QStringLiteral("Keyword"), parent), words_(words), settings_(settings), events_(std::move(events)) {
    setObjectName(QStringLiteral("KeyWordGroupBox"));
    name_ = Edit("KeywordsEdit");
    QFont bold = name_->font();
    bold.setBold(true);
    name_->setFont(bold);
    comment_ = Edit("CommentEdit");
    command_ = Coloured("CommandEdit");
    parameters_ = Coloured("ParametersEdit");
    path_ = Coloured("PathEdit");
    auto* tokens = new TTokenMenu(words_, settings_.separator, [this] { Edited(); }, this);
    tokens->Attach(command_, TTokenField::Command);
    tokens->Attach(parameters_, TTokenField::Parameters);
    tokens->Attach(path_, TTokenField::StartIn);
    open_ = new QComboBox(this);
    open_->setObjectName(QStringLiteral("OpenAsCombo"));
    open_->addItems({"Normal window", "Minimized", "Maximized", "Hidden"});
    connect(open_, &QComboBox::activated, this, &TKeywordFields::Edited);
    tags_ = new QComboBox(this);
    tags_->setObjectName(QStringLiteral("GroupsBox"));
    tags_->setEditable(true);
    connect(tags_, &QComboBox::editTextChanged, this, &TKeywordFields::Edited);
    auto box = [this](const char* name, const char* text) {
        auto* b = new QCheckBox(QLatin1String(text), this);
        b->setObjectName(QLatin1String(name));
        connect(b, &QCheckBox::clicked, this, &TKeywordFields::Edited);
        return b;
    };
    runas_ = box("RunAsCheckBox", "Elevate (run as admin).");
    history_ = box("AddToHistoryBox", "Allow add to history.");
    onlyone_ = box("OnlyOneInstanceBox", "Only one instance.");
    hotkey_ = new THotkeyCaptureField(
        [this](int vk, int mods) {
            SetHotkey(vk, mods);
            Edited();
        },
        this);
    icon_ = new TIconChoice(icons, [this] { Edited(); }, this);
    connect(command_, &QLineEdit::textEdited, icon_,
            [this](const QString& command) { icon_->Show(icon_->Path(), icon_->Index(), command); });
    BuildLabels();
    auto* find = new QPushButton(QStringLiteral("Find.."), this);
    find->setObjectName(QStringLiteral("FindButton"));
    connect(find, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Find.."), QString());
        if (!file.isEmpty() && events_.file)
            events_.file(file);
    });
    BuildLayout(find, BuildButtons());
    for (QWidget* target : {static_cast<QWidget*>(this), static_cast<QWidget*>(command_)})
        new TFileDrop(target, [this](const QString& path) {
            if (events_.file)
                events_.file(path);
        });
    setEnabled(false);
    setVisible(!settings_.hidekeywordpanel);
}

QLineEdit* TKeywordFields::Edit(const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    connect(e, &QLineEdit::textEdited, this, &TKeywordFields::Edited);
    return e;
}

QLineEdit* TKeywordFields::Coloured(const char* name) {
    QLineEdit* e = Edit(name);
    connect(e, &QLineEdit::textChanged, this, [this, e] { Colour(e); });
    return e;
}

void TKeywordFields::BuildLabels() {
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("KeywordStatusLabel"));
    auto link = [this](const char* name, const char* text) {
        auto* l = new QLabel(QStringLiteral("<a href=\"#\">") + QLatin1String(text) + QStringLiteral("</a>"), this);
        l->setObjectName(QLatin1String(name));
        l->hide();
        return l;
    };
    // The page's connection rights go when the record is applied.
    permission_ = link("PermissionLabel", "Remove connect permissions");
    connect(permission_, &QLabel::linkActivated, this, [this] {
        permission_->hide();
        Edited();
    });
    disabled_ = link("KeywordDisabledLabel", "Disabled, click to enable");
    connect(disabled_, &QLabel::linkActivated, this, [this] {
        if (events_.enable)
            events_.enable();
    });
}

QWidget* TKeywordFields::BuildButtons() {
    autoApply_ = new QCheckBox(QStringLiteral("Auto apply"), this);
    autoApply_->setObjectName(QStringLiteral("AutoApplyBox"));
    autoApply_->setChecked(settings_.autoapply);
    connect(autoApply_, &QCheckBox::toggled, this, [this](bool on) {
        settings_.autoapply = on;
        if (events_.autoApply)
            events_.autoApply(on);
    });
    auto* row = new QWidget(this);
    auto* buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(autoApply_);
    buttons->addStretch(1);
    auto button = [this, buttons](const char* name, const char* text, const std::function<void()>& run) {
        auto* b = new QPushButton(QLatin1String(text), this);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, [run] {
            if (run)
                run();
        });
        buttons->addWidget(b);
    };
    button("ApplyButton", "Apply", events_.apply);
    button("TestButton", "Test", events_.test);
    button("ClosePanelButton", "X", events_.close);
    return row;
}

void TKeywordFields::BuildLayout(QWidget* find, QWidget* buttons) {
    auto* form = new QFormLayout(this);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name_, 1);
    for (QWidget* w : {static_cast<QWidget*>(status_), static_cast<QWidget*>(disabled_),
                       static_cast<QWidget*>(permission_), static_cast<QWidget*>(icon_),
                       static_cast<QWidget*>(icon_->OptionsButton())})
        nameRow->addWidget(w);
    form->addRow(QStringLiteral("Keyword(s):"), nameRow);
    form->addRow(QStringLiteral("Comment:"), comment_);
    auto* commandRow = new QHBoxLayout;
    commandRow->addWidget(command_, 1);
    commandRow->addWidget(find);
    form->addRow(QStringLiteral("Command:"), commandRow);
    form->addRow(QStringLiteral("Parameters:"), parameters_);
    form->addRow(QStringLiteral("Start in:"), path_);
    form->addRow(QStringLiteral("Open as:"), open_);
    form->addRow(QStringLiteral("Hotkey:"), WithClearLink(hotkey_, "ClearHotkeyLabel", [this] {
                     SetHotkey(-1, -1);
                     Edited();
                 }));
    form->addRow(QStringLiteral("Tags (space separated)"),
                 WithClearLink(tags_, "Label41", [this] { tags_->setEditText(QString()); }));
    auto* boxes = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(runas_), static_cast<QWidget*>(history_), static_cast<QWidget*>(onlyone_)})
        boxes->addWidget(w);
    form->addRow(boxes);
    form->addRow(buttons);
    auto* hint = new QLabel(QStringLiteral("Hint: Separate more commands using ") + settings_.separator, this);
    hint->setObjectName(QStringLiteral("CommandHelpLabel"));
    form->addRow(hint);
    // Tab follows the panel from top to bottom.
    const QList<QWidget*> order{name_, comment_, command_, parameters_, path_, open_, hotkey_, tags_, runas_, history_, onlyone_};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TKeywordFields::Show(const TExeWord* w) {
    filling_ = true;
    setEnabled(w != nullptr);
    const TExeWord blank;
    const TExeWord& r = w ? *w : blank;
    name_->setText(w ? r.keywords : QString());
    comment_->setText(r.comment);
    command_->setText(r.command);
    parameters_->setText(r.parameters);
    path_->setText(r.path);
    open_->setCurrentIndex(std::clamp(r.open, 0, 3));
    runas_->setChecked(r.runas);
    history_->setChecked(r.addtohistory);
    onlyone_->setChecked(r.onlyone);
    SetHotkey(r.key, r.keymod);
    TTagList tags;
    tags.Build(words_);
    tags_->clear();
    tags_->addItems(tags.Tags());
    tags_->setEditText(r.group);
    icon_->Show(r.iconpath, r.iconidx, r.command);
    disabled_->setVisible(w && r.disabled);
    permission_->setVisible(w && r.permissionlevel != -1);
    permission_->setToolTip(QStringLiteral("Permissions: ") + PermissionLevelText(r.permissionlevel));
    filling_ = false;
    if (w)
        setVisible(true);
    else if (settings_.hidekeywordpanel)
        setVisible(false);
}

void TKeywordFields::Take(TExeWord& w) const {
    w.keywords = name_->text();
    w.comment = comment_->text();
    w.command = command_->text();
    w.parameters = parameters_->text();
    w.path = path_->text();
    w.open = open_->currentIndex();
    w.runas = runas_->isChecked();
    w.addtohistory = history_->isChecked();
    w.onlyone = onlyone_->isChecked();
    w.key = key_;
    w.keymod = modifiers_;
    w.group = tags_->currentText().trimmed();
    w.iconpath = icon_->Path();
    w.iconidx = icon_->Index();
    if (permission_->isHidden()) {
        w.permissionlevel = -1;
        w.permissionorigin.clear();
    }
}

void TKeywordFields::Propose(const TExeWord& p, bool name, bool desktopEntry) {
    if (name)
        name_->setText(p.keywords);
    command_->setText(p.command);
    comment_->setText(p.comment);
    if (desktopEntry) {
        path_->setText(p.path);
        parameters_->setText(p.parameters);
    }
    icon_->Show(icon_->Path(), icon_->Index(), p.command);
    Edited();
}

void TKeywordFields::SetHotkey(int key, int modifiers) {
    key_ = key;
    modifiers_ = modifiers;
    hotkey_->setText(HotkeyShown(key, modifiers));
}

void TKeywordFields::CheckName(const TKeywordList& words, const TExeWord* edited) {
    const QString text = name_->text();
    QString status;
    if (text.contains(u' '))
        status = QStringLiteral("(spaces not supported)");
    else if (edited) {
        TDuplicateNames names;
        names.Build(words, false, edited);
        for (const QString& n : text.split(u','))
            if (names.seen.contains(n, Qt::CaseInsensitive))
                status = QStringLiteral("(duplicate detected)");
    }
    status_->setText(status);
    status_->setStyleSheet(status.isEmpty() ? QString() : QStringLiteral("color: red"));
    name_->setStyleSheet(text.contains(u' ') ? QStringLiteral("color: red") : QString());
}

void TKeywordFields::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QGroupBox::keyPressEvent(e);
}

bool TKeywordFields::AutoApply() const { return autoApply_->isChecked(); }

void TKeywordFields::SetAutoApply(bool on) {
    const QSignalBlocker quiet(autoApply_);
    autoApply_->setChecked(on);
    settings_.autoapply = on;
}
void TKeywordFields::HideDisabledLabel() { disabled_->hide(); }
QString TKeywordFields::Name() const { return name_->text(); }

void TKeywordFields::FocusName() {
    name_->setFocus();
    name_->selectAll();
}

void TKeywordFields::Colour(QLineEdit* e) {
    // A line edit draws the formats of an input-method event without changing its text.
    QList<QInputMethodEvent::Attribute> formats;
    if (settings_.syntaxhighlight)
        for (const TColourRange& r : SyntaxRanges(e->text(), settings_.separator)) {
            QTextCharFormat f;
            f.setForeground(QColor(QRgb(r.rgb)));
            formats << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, r.start - e->cursorPosition(),
                                                    r.length, f);
        }
    QInputMethodEvent event(QString(), formats);
    QCoreApplication::sendEvent(e, &event);
}

void TKeywordFields::Edited() {
    if (!filling_ && events_.edited)
        events_.edited();
}

} // namespace vantrelo
