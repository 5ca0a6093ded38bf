// The keyword editor: filter line, list with its pop-up menu and operations, and the detail panel's record.
#include "ui/settings/keywordpage.h"

#include "core/items.h"
#include "core/settings.h"
#include "ui/settings/deadscan.h"
#include "ui/filedrop.h"
#include "ui/settings/keywordfields.h"
#include "ui/settings/keywordfilter.h"
#include "ui/settings/keywordtable.h"
#include "ui/settings/keywordview.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
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
    auto offerForms = [this](const QPoint& at) {
        QMenu menu(filter_);
        menu.setObjectName(QStringLiteral("FilterPopup"));
        for (const QString& form : FilterForms())
            connect(menu.addAction(form), &QAction::triggered, filter_, [this, form] {
                filter_->setText(form);
                filter_->end(false);
            });
        menu.exec(filter_->mapToGlobal(at));
    };
    connect(forms, &QAction::triggered, this,
            [this, offerForms] { offerForms(filter_->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft()); });
    // A right click offers the same forms, as the count's hint says, in place of the edit menu.
    filter_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(filter_, &QWidget::customContextMenuRequested, this, offerForms);
    connect(clear_, &QPushButton::clicked, filter_, &QLineEdit::clear);
    connect(add, &QPushButton::clicked, this, &TKeywordPage::AddKeyword);
    // The filter line is a panel of its own, shown as `editorpanel` says.
    auto* filterPanel = new QWidget(this);
    filterPanel->setObjectName(QStringLiteral("FilterPanel"));
    filterPanel->setVisible(settings_.editorpanel);
    auto* filterRow = new QHBoxLayout(filterPanel);
    filterRow->setContentsMargins(0, 0, 0, 0);
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
    layout->addWidget(filterPanel);
    layout->addWidget(view_, 1);
    layout->addWidget(BuildDetail());
    FilterList(settings_.defaultfilter);
    TakeListColours();
}

QWidget* TKeywordPage::BuildDetail() {
    TKeywordFieldsEvents events;
    events.edited = [this] { FieldEdited(); };
    events.apply = [this] {
        const qsizetype pos = CurrentPosition();
        Apply();
        filter_->clear();
        Rebuild(pos);
        if (host_.save)
            host_.save();
    };
    events.test = [this] {
        TExeWord temp;
        fields_->Take(temp);
        if (host_.test)
            host_.test(temp);
    };
    events.close = [this] { view_->clearSelection(), SelectPosition(-1); };
    events.enable = [this] {
        if (!edited_)
            return;
        const qsizetype pos = words_.IndexOf(edited_);
        ops_.ToggleEnabled({pos});
        fields_->HideDisabledLabel();
        table_->RefreshRow(table_->RowOf(pos));
    };
    events.file = [this](const QString& path) { TakeFile(path, false); };
    events.autoApply = host_.autoApplyChanged;
    fields_ = new TKeywordFields(words_, settings_, host_.icons, std::move(events), this);
    return fields_;
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
        paste_->setEnabled(ops_.CanPaste());
        Rebuild(selected.empty() ? -1 : std::min(selected.front(), words_.size() - 1));
    });
    add("Copy", QKeySequence(Qt::CTRL | Qt::Key_C), [this] {
        ops_.Copy(SelectedPositions(), false);
        paste_->setEnabled(ops_.CanPaste());
    });
    paste_ = add("Paste", QKeySequence(Qt::CTRL | Qt::Key_V), [this] {
        Rebuild(ops_.Paste(CurrentPosition()));
        // Cut records are pasted once; copied ones as often as asked.
        paste_->setEnabled(ops_.CanPaste());
    });
    paste_->setEnabled(ops_.CanPaste());
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
    add("Import from Application Menu...", QKeySequence(), [this, call] { call(host_.importApplications); });
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
    // Inactive, the field takes the dialog's colours again (its template may change meanwhile).
    QPalette p;
    if (active)
        p.setColor(QPalette::Base, QColor(0xD4, 0xED, 0xDA));
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

void TKeywordPage::SetAutoApply(bool on) { fields_->SetAutoApply(on); }

void TKeywordPage::ShowAllAndSelect(qsizetype pos) {
    if (!SettleEdits())
        return;
    filter_->clear();
    Rebuild(pos);
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
    fields_->FocusName();
}

void TKeywordPage::AddProposed(const TExeWord& proposal) {
    AddKeyword();
    if (edited_ && edited_->keywords == TExeWord::kNewName)
        fields_->Propose(proposal, true, true);
}

void TKeywordPage::keyPressEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
    QWidget* focus = QApplication::focusWidget();
    if (focus == filter_) {
        // From the filter to its first row.
        view_->setFocus();
        if (!view_->selectionModel()->hasSelection() && table_->rowCount() > 0)
            SelectPosition(table_->PositionAt(0));
    } else if (focus == view_ && edited_)
        fields_->FocusName();
}

void TKeywordPage::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::PaletteChange)
        TakeListColours();
}

void TKeywordPage::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    TakeListColours(); // the dialog's template reaches a page added to it by the time it shows
}

void TKeywordPage::TakeListColours() {
    if (!view_)
        return;
    // Halfway between the text and the background: grey on light and on dark lists alike.
    const QColor text = view_->palette().color(QPalette::Text);
    const QColor base = view_->palette().color(QPalette::Base);
    table_->SetDisabledColour(QColor((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                                     (text.blue() + base.blue()) / 2));
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
    if (edited_)
        fields_->Propose(*p, onList || fields_->Name() == TExeWord::kNewName, path.endsWith(QLatin1String(".desktop")));
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
    fields_->Show(w);
    fields_->CheckName(words_, edited_);
}

void TKeywordPage::FieldEdited() {
    if (filling_ || !edited_)
        return;
    dirty_ = true;
    fields_->CheckName(words_, edited_);
    if (fields_->AutoApply())
        Apply();
}

void TKeywordPage::Apply() {
    if (!edited_)
        return;
    const int oldKey = edited_->key, oldMod = edited_->keymod;
    const bool newHotkey = oldKey != fields_->Key() || oldMod != fields_->Modifiers();
    if (newHotkey && host_.hotkeys.remove)
        host_.hotkeys.remove(*edited_);
    fields_->Take(*edited_);
    if (newHotkey && edited_->key != -1 && !edited_->disabled && host_.hotkeys.add && !host_.hotkeys.add(*edited_)) {
        // The key is taken elsewhere: the record keeps its previous hotkey.
        edited_->key = oldKey;
        edited_->keymod = oldMod;
        if (oldKey != -1)
            host_.hotkeys.add(*edited_);
        fields_->SetHotkey(oldKey, oldMod);
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
