// The keyword editor's widgets: filter line, list with its pop-up menu, and the detail panel.
#include "ui/settings/keywordpage.h"

#include "core/items.h"
#include "core/settings.h"
#include "platform/hotkeys/hotkeytext.h"
#include "ui/settings/deadscan.h"
#include "ui/settings/keywordfilter.h"
#include "ui/filedrop.h"
#include "ui/settings/hotkeyfield.h"
#include "ui/settings/iconchoice.h"
#include "ui/settings/keywordtable.h"
#include "ui/settings/keywordview.h"
#include "ui/settings/tokenmenu.h"
#include "ui/settings/syntaxcolour.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QTextCharFormat>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vantrelo {

TKeywordPage::TKeywordPage(TKeywordList& words, TSettings& settings, TKeywordPageHost host, QWidget* parent)
    : QWidget(parent), words_(words), settings_(settings), host_(std::move(host)), ops_(words, host_.hotkeys) {
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("FilterEdit"));
    filter_->setPlaceholderText(QStringLiteral("Filter list..."));
    clear_ = new QPushButton(QStringLiteral("Clear"), this);
    clear_->setObjectName(QStringLiteral("ClearFilterButton"));
    auto* add = new QPushButton(QStringLiteral("+ New"), this);
    add->setToolTip(QStringLiteral("New keyword (Insert)"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("FilterLabel"));
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& t) { FilterList(t); });
    // Ctrl+Space offers the filter forms; the chosen one replaces the text.
    auto* forms = new QAction(filter_);
    forms->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space));
    forms->setShortcutContext(Qt::WidgetShortcut);
    filter_->addAction(forms);
    connect(forms, &QAction::triggered, this, [this] {
        QMenu menu(filter_);
        menu.setObjectName(QStringLiteral("FilterPopup"));
        for (const QString& form : FilterForms())
            connect(menu.addAction(form), &QAction::triggered, filter_, [this, form] {
                filter_->setText(form);
                filter_->end(false);
            });
        menu.exec(filter_->mapToGlobal(QPoint(0, filter_->height())));
    });
    connect(clear_, &QPushButton::clicked, filter_, &QLineEdit::clear);
    connect(add, &QPushButton::clicked, this, &TKeywordPage::AddKeyword);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filter_, 1);
    filterRow->addWidget(clear_);
    filterRow->addWidget(add);
    filterRow->addWidget(count_);

    table_ = new TKeywordTable(words_, this);
    view_ = new TKeywordView(this);
    view_->setModel(table_);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->setMinimumHeight(view_->fontMetrics().height() * 10);
    connect(view_, &TKeywordView::SortRequested, this, &TKeywordPage::SortByColumn);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now, const QModelIndex& before) {
                if (filling_)
                    return;
                if (!SettleEdits()) {
                    const QSignalBlocker quiet(view_->selectionModel());
                    view_->selectionModel()->setCurrentIndex(before, QItemSelectionModel::ClearAndSelect |
                                                                         QItemSelectionModel::Rows);
                    return;
                }
                const qsizetype pos = table_->PositionAt(now.row());
                ShowRecord(pos >= 0 ? &words_.at(pos) : nullptr);
            });
    BuildMenu();
    new TFileDrop(view_->viewport(), [this](const QString& path) { TakeFile(path, true); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(view_, 1);
    layout->addWidget(BuildDetail());
    FilterList(settings_.defaultfilter);
}

QWidget* TKeywordPage::BuildDetail() {
    detail_ = new QGroupBox(QStringLiteral("Keyword"), this);
    detail_->setObjectName(QStringLiteral("KeyWordGroupBox"));
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(detail_);
        e->setObjectName(QLatin1String(name));
        connect(e, &QLineEdit::textEdited, this, &TKeywordPage::FieldEdited);
        return e;
    };
    name_ = edit("KeywordsEdit");
    auto coloured = [this, &edit](const char* name) {
        QLineEdit* e = edit(name);
        connect(e, &QLineEdit::textChanged, this, [this, e] { Colour(e); });
        return e;
    };
    QFont bold = name_->font();
    bold.setBold(true);
    name_->setFont(bold);
    comment_ = edit("CommentEdit");
    command_ = coloured("CommandEdit");
    parameters_ = coloured("ParametersEdit");
    path_ = coloured("PathEdit");
    auto* tokens = new TTokenMenu(words_, settings_.separator, [this] { FieldEdited(); }, this);
    tokens->Attach(command_, TTokenField::Command);
    tokens->Attach(parameters_, TTokenField::Parameters);
    tokens->Attach(path_, TTokenField::StartIn);
    open_ = new QComboBox(detail_);
    open_->setObjectName(QStringLiteral("OpenAsCombo"));
    open_->addItems({"Normal window", "Minimized", "Maximized", "Hidden"});
    connect(open_, &QComboBox::activated, this, &TKeywordPage::FieldEdited);
    tags_ = new QComboBox(detail_);
    tags_->setObjectName(QStringLiteral("GroupsBox"));
    tags_->setEditable(true);
    connect(tags_, &QComboBox::editTextChanged, this, [this] {
        if (!filling_)
            FieldEdited();
    });
    auto box = [this](const char* name, const char* text) {
        auto* b = new QCheckBox(QLatin1String(text), detail_);
        b->setObjectName(QLatin1String(name));
        connect(b, &QCheckBox::clicked, this, &TKeywordPage::FieldEdited);
        return b;
    };
    runas_ = box("RunAsCheckBox", "Elevate (run as admin).");
    history_ = box("AddToHistoryBox", "Allow add to history.");
    onlyone_ = box("OnlyOneInstanceBox", "Only one instance.");
    hotkey_ = new THotkeyCaptureField(
        [this](int vk, int mods) {
            curHotkey_ = vk;
            curHotkeyModifier_ = mods;
            hotkey_->setText(vk == -1 ? QStringLiteral("None") : HotkeyText(vk, mods));
            FieldEdited();
        },
        detail_);
    status_ = new QLabel(detail_);
    status_->setObjectName(QStringLiteral("KeywordStatusLabel"));
    auto link = [this](const char* name, const char* text) {
        auto* l = new QLabel(QStringLiteral("<a href=\"#\">") + QLatin1String(text) + QStringLiteral("</a>"), detail_);
        l->setObjectName(QLatin1String(name));
        l->hide();
        return l;
    };
    // The page's connection rights go when the record is applied.
    permission_ = link("PermissionLabel", "Remove connect permissions");
    connect(permission_, &QLabel::linkActivated, this, [this] {
        permission_->hide();
        FieldEdited();
    });
    disabledLabel_ = link("KeywordDisabledLabel", "Disabled, click to enable");
    connect(disabledLabel_, &QLabel::linkActivated, this, [this] {
        if (!edited_)
            return;
        const qsizetype pos = words_.IndexOf(edited_);
        ops_.ToggleEnabled({pos});
        disabledLabel_->hide();
        table_->RefreshRow(table_->RowOf(pos));
    });
    autoApply_ = new QCheckBox(QStringLiteral("Auto apply"), detail_);
    autoApply_->setObjectName(QStringLiteral("AutoApplyBox"));
    autoApply_->setChecked(settings_.autoapply);
    connect(autoApply_, &QCheckBox::toggled, this, [this](bool on) { settings_.autoapply = on; });
    auto* apply = new QPushButton(QStringLiteral("Apply"), detail_);
    apply->setObjectName(QStringLiteral("ApplyButton"));
    connect(apply, &QPushButton::clicked, this, [this] {
        const qsizetype pos = CurrentPosition();
        Apply();
        filter_->clear();
        Rebuild(pos);
        if (host_.save)
            host_.save();
    });
    auto* test = new QPushButton(QStringLiteral("Test"), detail_);
    test->setObjectName(QStringLiteral("TestButton"));
    connect(test, &QPushButton::clicked, this, [this] {
        TExeWord temp;
        FillRecord(temp);
        if (host_.test)
            host_.test(temp);
    });
    auto* close = new QPushButton(QStringLiteral("X"), detail_);
    close->setObjectName(QStringLiteral("ClosePanelButton"));
    connect(close, &QPushButton::clicked, this, [this] { view_->clearSelection(), SelectPosition(-1); });

    icon_ = new TIconChoice(host_.icons, [this] { FieldEdited(); }, detail_);
    connect(command_, &QLineEdit::textEdited, icon_,
            [this](const QString& command) { icon_->Show(icon_->Path(), icon_->Index(), command); });

    auto* form = new QFormLayout;
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name_, 1);
    nameRow->addWidget(status_);
    nameRow->addWidget(disabledLabel_);
    nameRow->addWidget(permission_);
    nameRow->addWidget(icon_);
    nameRow->addWidget(icon_->OptionsButton());
    form->addRow(QStringLiteral("Keyword(s):"), nameRow);
    form->addRow(QStringLiteral("Comment:"), comment_);
    auto* find = new QPushButton(QStringLiteral("Find.."), detail_);
    find->setObjectName(QStringLiteral("FindButton"));
    connect(find, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Find.."), QString());
        if (!file.isEmpty())
            TakeFile(file, false);
    });
    auto* commandRow = new QHBoxLayout;
    commandRow->addWidget(command_, 1);
    commandRow->addWidget(find);
    form->addRow(QStringLiteral("Command:"), commandRow);
    form->addRow(QStringLiteral("Parameters:"), parameters_);
    form->addRow(QStringLiteral("Start in:"), path_);
    form->addRow(QStringLiteral("Open as:"), open_);
    form->addRow(QStringLiteral("Hotkey:"), WithClearLink(hotkey_, "ClearHotkeyLabel", [this] {
                     curHotkey_ = curHotkeyModifier_ = -1;
                     hotkey_->setText(QStringLiteral("None"));
                     FieldEdited();
                 }));
    form->addRow(QStringLiteral("Tags (space separated)"), WithClearLink(tags_, "Label41", [this] {
                     tags_->setEditText(QString());
                 }));
    auto* boxes = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(runas_), static_cast<QWidget*>(history_), static_cast<QWidget*>(onlyone_)})
        boxes->addWidget(w);
    form->addRow(boxes);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(autoApply_);
    buttons->addStretch(1);
    for (QPushButton* b : {apply, test, close})
        buttons->addWidget(b);
    form->addRow(buttons);
    form->addRow(new QLabel(QStringLiteral("Hint: Separate more commands using ") + settings_.separator, detail_));
    detail_->setLayout(form);
    // Tab follows the panel from top to bottom.
    const QList<QWidget*> order{name_, comment_, command_, parameters_, path_, open_, hotkey_, tags_, runas_, history_, onlyone_};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QWidget* target : {static_cast<QWidget*>(detail_), static_cast<QWidget*>(command_)})
        new TFileDrop(target, [this](const QString& path) { TakeFile(path, false); });
    detail_->setEnabled(false);
    detail_->setVisible(!settings_.hidekeywordpanel);
    return detail_;
}

void TKeywordPage::BuildMenu() {
    menu_ = new QMenu(this);
    auto add = [this](const char* text, const QKeySequence& key, auto fn) {
        QAction* a = menu_->addAction(QLatin1String(text));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        view_->addAction(a);
        connect(a, &QAction::triggered, this, fn);
        return a;
    };
    add("Add", QKeySequence(Qt::Key_Insert), [this] { AddKeyword(); });
    add("Delete", QKeySequence(Qt::Key_Delete), [this] {
        const auto selected = SelectedPositions();
        if (selected.empty())
            return;
        dirty_ = false;
        edited_ = nullptr;
        ops_.Delete(selected);
        Rebuild(std::min(selected.front(), words_.size() - 1));
    });
    add("Undo Delete", QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { Rebuild(ops_.UndoDelete()); });
    add("Move Up", QKeySequence(Qt::Key_F5), [this] {
        const int row = view_->currentIndex().row();
        if (row > 0)
            Rebuild(ops_.Move(CurrentPosition(), table_->PositionAt(row - 1)));
    });
    add("Move Down", QKeySequence(Qt::Key_F6), [this] {
        const int row = view_->currentIndex().row();
        if (row >= 0 && row + 1 < table_->rowCount())
            Rebuild(ops_.Move(CurrentPosition(), table_->PositionAt(row + 1)));
    });
    add("Cut", QKeySequence(Qt::CTRL | Qt::Key_X), [this] {
        const auto selected = SelectedPositions();
        edited_ = nullptr;
        ops_.Copy(selected, true);
        Rebuild(selected.empty() ? -1 : std::min(selected.front(), words_.size() - 1));
    });
    add("Copy", QKeySequence(Qt::CTRL | Qt::Key_C), [this] { ops_.Copy(SelectedPositions(), false); });
    add("Paste", QKeySequence(Qt::CTRL | Qt::Key_V), [this] { Rebuild(ops_.Paste(CurrentPosition())); });
    add("Make a Copy (Duplicate)", QKeySequence(Qt::CTRL | Qt::Key_D), [this] { Rebuild(ops_.Duplicate(CurrentPosition())); });
    add("Enable / Disable", QKeySequence(Qt::CTRL | Qt::Key_E), [this] {
        ops_.ToggleEnabled(SelectedPositions());
        Rebuild(CurrentPosition());
    });
    add("Sort All Alphabetically", QKeySequence(), [this] {
        ops_.SortAll();
        Rebuild(0);
    });
    menu_->addSeparator();
    add("Scan for Invalid Keywords...", QKeySequence(), [this] { ScanForInvalid(); });
    menu_->addSeparator();
    auto call = [](const auto& fn, auto... args) {
        if (fn)
            fn(args...);
    };
    add("Import Keywords from File...", QKeySequence(), [this, call] { call(host_.importFile, QString()); });
    add("Import Keywords from URL...", QKeySequence(), [this, call] { call(host_.importUrl); });
    add("Export Keywords...", QKeySequence(), [this, call] { call(host_.exportWords, false); });
    add("Export Currently Selected Keyword(s)...", QKeySequence(), [this, call] { call(host_.exportWords, true); });
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(view_->viewport()->mapToGlobal(at)); });
}

void TKeywordPage::FilterList(const QString& text) {
    table_->SetRows(FilterKeywords(words_, text));
    sortColumn_ = -1;
    // An active filter shows in the field's colour and lets "Clear" end it.
    const bool active = !text.trimmed().isEmpty();
    QPalette p = filter_->palette();
    p.setColor(QPalette::Base, active ? QColor(0xD4, 0xED, 0xDA) : palette().color(QPalette::Base));
    filter_->setPalette(p);
    clear_->setEnabled(active);
    UpdateCount();
    ShowRecord(nullptr);
}

void TKeywordPage::SortByColumn(int column) {
    if (!SettleEdits())
        return;
    if (!filter_->text().trimmed().isEmpty()) {
        // Only the rows shown: the same column again turns the order round.
        sortAscending_ = column == sortColumn_ ? !sortAscending_ : true;
        sortColumn_ = column;
        table_->SortRows(column, sortAscending_);
        ShowRecord(nullptr);
        return;
    }
    edited_ = nullptr;
    ops_.SortBy(column);
    Rebuild(0);
}

void TKeywordPage::ListChanged() {
    filter_->clear();
    Rebuild(0);
}

void TKeywordPage::Rebuild(qsizetype select) {
    filling_ = true;
    table_->SetRows(FilterKeywords(words_, filter_->text()));
    filling_ = false;
    UpdateCount();
    SelectPosition(select);
}

void TKeywordPage::UpdateCount() {
    const int n = table_->rowCount();
    count_->setText(QString::number(n) + QStringLiteral(" item") + (n == 1 ? QString() : QStringLiteral("s")) +
                    QStringLiteral(". Hint: Right-click/ctrl+space for filters."));
}

void TKeywordPage::SelectPosition(qsizetype pos) {
    SettleEdits(); // an operation moves on in any case; the edits are applied or dropped first
    const int row = pos < 0 ? -1 : table_->RowOf(pos);
    filling_ = true;
    if (row < 0)
        view_->selectionModel()->clear();
    else {
        view_->selectionModel()->setCurrentIndex(table_->index(row, 0),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view_->scrollTo(table_->index(row, 0));
    }
    filling_ = false;
    ShowRecord(row < 0 ? nullptr : &words_.at(pos));
}

void TKeywordPage::AddKeyword() {
    if (!SettleEdits())
        return;
    const qsizetype pos = ops_.Add(CurrentPosition());
    Rebuild(pos);
    if (table_->RowOf(pos) < 0) { // a filter hides it: all rows again
        filter_->clear();
        Rebuild(pos);
    }
    name_->setFocus();
    name_->selectAll();
}

void TKeywordPage::TakeFile(const QString& path, bool onList) {
    if (onList && path.endsWith(QLatin1String(".exc"), Qt::CaseInsensitive)) {
        if (host_.importFile)
            host_.importFile(path);
        return;
    }
    const std::optional<TExeWord> p = host_.propose ? host_.propose(path) : std::nullopt;
    if (!p)
        return;
    if (onList)
        AddKeyword();
    if (!edited_)
        return;
    if (onList || name_->text() == TExeWord::kNewName)
        name_->setText(p->keywords);
    command_->setText(p->command);
    comment_->setText(p->comment);
    if (path.endsWith(QLatin1String(".desktop"))) {
        path_->setText(p->path);
        parameters_->setText(p->parameters);
    }
    icon_->Show(icon_->Path(), icon_->Index(), p->command);
    FieldEdited();
}

std::vector<qsizetype> TKeywordPage::SelectedPositions() const {
    std::vector<qsizetype> p;
    for (const QModelIndex& i : view_->selectionModel()->selectedRows())
        p.push_back(table_->PositionAt(i.row()));
    return p;
}

qsizetype TKeywordPage::CurrentPosition() const {
    return view_->selectionModel()->hasSelection() ? table_->PositionAt(view_->currentIndex().row()) : -1;
}

void TKeywordPage::ShowRecord(TExeWord* w) {
    edited_ = w;
    dirty_ = false;
    filling_ = true;
    detail_->setEnabled(w != nullptr);
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
    curHotkey_ = r.key;
    curHotkeyModifier_ = r.keymod;
    hotkey_->setText(r.key == -1 ? QStringLiteral("None") : HotkeyText(r.key, r.keymod));
    TTagList tags;
    tags.Build(words_);
    tags_->clear();
    tags_->addItems(tags.Tags());
    tags_->setEditText(r.group);
    icon_->Show(r.iconpath, r.iconidx, r.command);
    disabledLabel_->setVisible(w && r.disabled);
    permission_->setVisible(w && r.permissionlevel != -1);
    permission_->setToolTip(QStringLiteral("Permissions: ") + QString::number(r.permissionlevel));
    filling_ = false;
    if (w)
        detail_->setVisible(true);
    else if (settings_.hidekeywordpanel)
        detail_->setVisible(false);
    CheckName();
}

void TKeywordPage::Colour(QLineEdit* e) {
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

void TKeywordPage::FieldEdited() {
    if (filling_ || !edited_)
        return;
    dirty_ = true;
    CheckName();
    if (autoApply_->isChecked())
        Apply();
}

void TKeywordPage::FillRecord(TExeWord& w) const {
    w.keywords = name_->text();
    w.comment = comment_->text();
    w.command = command_->text();
    w.parameters = parameters_->text();
    w.path = path_->text();
    w.open = open_->currentIndex();
    w.runas = runas_->isChecked();
    w.addtohistory = history_->isChecked();
    w.onlyone = onlyone_->isChecked();
    w.key = curHotkey_;
    w.keymod = curHotkeyModifier_;
    w.group = tags_->currentText().trimmed();
    w.iconpath = icon_->Path();
    w.iconidx = icon_->Index();
    if (permission_->isHidden())
        w.permissionlevel = -1;
}

void TKeywordPage::Apply() {
    if (!edited_)
        return;
    const int oldKey = edited_->key, oldMod = edited_->keymod;
    const bool newHotkey = oldKey != curHotkey_ || oldMod != curHotkeyModifier_;
    if (newHotkey && host_.hotkeys.remove)
        host_.hotkeys.remove(*edited_);
    FillRecord(*edited_);
    if (newHotkey && curHotkey_ != -1 && !edited_->disabled && host_.hotkeys.add && !host_.hotkeys.add(*edited_)) {
        // The key is taken elsewhere: the record keeps its previous hotkey.
        edited_->key = curHotkey_ = oldKey;
        edited_->keymod = curHotkeyModifier_ = oldMod;
        if (oldKey != -1)
            host_.hotkeys.add(*edited_);
        hotkey_->setText(oldKey == -1 ? QStringLiteral("None") : HotkeyText(oldKey, oldMod));
        QMessageBox::warning(this, QStringLiteral("Warning"), QStringLiteral("Unable to assign hotkey."));
    }
    dirty_ = false;
    const int row = table_->RowOf(words_.IndexOf(edited_));
    if (row >= 0)
        table_->RefreshRow(row);
}

bool TKeywordPage::SettleEdits() {
    if (!dirty_ || !edited_)
        return true;
    const auto answer = QMessageBox::question(this, QStringLiteral("Keywords"),
                                              QStringLiteral("Apply the changes to \"") + edited_->keywords +
                                                  QStringLiteral("\"?"),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes)
        Apply();
    dirty_ = false;
    return true;
}

void TKeywordPage::CheckName() {
    const QString text = name_->text();
    QString status;
    if (text.contains(u' '))
        status = QStringLiteral("(spaces not supported)");
    else if (edited_) {
        TDuplicateNames names;
        names.Build(words_, false, edited_);
        for (const QString& n : text.split(u','))
            if (names.seen.contains(n, Qt::CaseInsensitive))
                status = QStringLiteral("(duplicate detected)");
    }
    status_->setText(status);
    status_->setStyleSheet(status.isEmpty() ? QString() : QStringLiteral("color: red"));
    name_->setStyleSheet(text.contains(u' ') ? QStringLiteral("color: red") : QString());
}

void TKeywordPage::ScanForInvalid() {
    const auto identity = [](const QString& c) { return c; };
    const auto dead = FindDeadKeywords(words_, settings_.separator, host_.expand ? host_.expand : identity,
                                       [](const QString& p) { return QFileInfo::exists(p); });
    if (dead.empty()) {
        QMessageBox::information(this, QStringLiteral("Keywords"), QStringLiteral("No invalid keywords found."));
        return;
    }
    const std::vector<qsizetype> marked = AskInvalidToRemove(dead, words_, this);
    if (marked.empty())
        return;
    edited_ = nullptr;
    ops_.Delete(marked);
    filter_->clear();
    Rebuild(0);
}

void TKeywordPage::Finish() {
    edited_ = nullptr;
    if (settings_.autosorteditor)
        ops_.SortAll();
    ops_.RemoveUnfinished();
}

} // namespace vantrelo
