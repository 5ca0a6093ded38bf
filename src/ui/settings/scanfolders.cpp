// The "Additional index paths" editor: the scan folders as rows, each edited (and test-scanned) in a dialog.
#include "ui/settings/scanfolders.h"

#include "index/indexlist.h"
#include "index/scanner.h"
#include "index/scanroots.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace vantrelo {

namespace {

// The saved text separates fields with commas and records with bars: neither may stay in a field.
QString Clean(QString text) {
    text.remove(u',');
    text.remove(u'|');
    return text;
}

} // namespace

TIndexItemForm::TIndexItemForm(const TMyScanItem& item, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("IndexItemForm"));
    setWindowTitle(QStringLiteral("Additional index path"));
    auto field = [this](const char* name, const QString& text) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QLatin1String(name));
        connect(e, &QLineEdit::returnPressed, this, &TIndexItemForm::TestScan);
        return e;
    };
    path_ = field("PathEdit", item.path);
    extensions_ = field("ExtensionEdit", item.extensions);
    level_ = field("LevelEdit", item.level);
    auto* browse = new QPushButton(QStringLiteral("Browse"), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString start = QFileInfo(path_->text()).isDir() ? path_->text() : QDir::homePath();
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Please select a folder"), start);
        if (!folder.isEmpty())
            path_->setText(folder);
    });
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    form->addRow(QStringLiteral("Index path:"), pathRow);
    form->addRow(QStringLiteral("File extensions: (example lnk;exe). If folders should be added, add \\ (example "
                                "lnk;\\;exe). If all should be added leave this field empty."),
                 extensions_);
    form->addRow(QStringLiteral("Max sub folder index level depth: (number), 0 = don't index sub folders."), level_);
    results_ = new QPlainTextEdit(this);
    results_->setObjectName(QStringLiteral("TestMemo"));
    results_->setReadOnly(true);
    items_ = new QLabel(this);
    items_->setObjectName(QStringLiteral("ItemsLabel"));
    test_ = new QPushButton(QStringLiteral("Test"), this);
    test_->setObjectName(QStringLiteral("TestButton"));
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(false);
    ok_->setAutoDefault(false);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(test_, &QPushButton::clicked, this, [this] {
        if (Scanning())
            stop_ = true; // "Stop"
        else
            TestScan();
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(items_, 1);
    for (QPushButton* b : {test_, ok_, cancel_})
        buttons->addWidget(b);
    fields_ = new QWidget(this);
    fields_->setLayout(form);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields_);
    layout->addWidget(results_, 1);
    layout->addLayout(buttons);
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(1000);
    connect(progressTimer_, &QTimer::timeout, this, &TIndexItemForm::ShowProgress);
    resize(520, 420);
}

TIndexItemForm::~TIndexItemForm() {
    if (worker_) {
        stop_ = true;
        worker_->wait();
        delete worker_;
    }
}

TMyScanItem TIndexItemForm::Item() const {
    TMyScanItem item;
    item.path = Clean(path_->text());
    item.extensions = Clean(extensions_->text());
    item.level = Clean(level_->text());
    return item;
}

void TIndexItemForm::ShowList(const QStringList& paths) {
    setWindowTitle(QStringLiteral("Indexed items"));
    fields_->hide();
    for (QPushButton* b : {test_, ok_, cancel_})
        b->hide();
    results_->setPlainText(paths.join(u'\n'));
    results_->moveCursor(QTextCursor::Start);
    items_->setText(QStringLiteral("Items found: ") + QString::number(paths.size()));
}

void TIndexItemForm::TestScan() {
    if (Scanning())
        return;
    stop_ = false;
    progress_ = 0;
    found_.clear();
    results_->clear();
    const TMyScanItem item = Item();
    worker_ = QThread::create([this, item] {
        TIndexList list;
        ScanTestFolder(item.path, item.level, item.extensions, TScanRoots::FromEnvironment(), list, stop_, &progress_);
        for (const TIndexEntry& e : list)
            if (e.item)
                found_ << e.item->path;
    });
    connect(worker_, &QThread::finished, this, &TIndexItemForm::Finished);
    test_->setText(QStringLiteral("Stop"));
    ok_->setEnabled(false);
    cancel_->setEnabled(false);
    ShowProgress();
    progressTimer_->start();
    worker_->start();
}

void TIndexItemForm::ShowProgress() {
    items_->setText(QStringLiteral("Scanning... items scanned: ") + QString::number(progress_.load()));
}

void TIndexItemForm::Finished() {
    progressTimer_->stop();
    worker_->deleteLater();
    worker_ = nullptr;
    results_->setPlainText(found_.join(u'\n'));
    items_->setText(QStringLiteral("Items found: ") + QString::number(found_.size()) + QStringLiteral(" (scanned ") +
                    QString::number(progress_.load()) + u')');
    test_->setText(QStringLiteral("Test"));
    ok_->setEnabled(true);
    cancel_->setEnabled(true);
}

void TIndexItemForm::closeEvent(QCloseEvent* e) {
    // Closing asks the scan to stop and waits until it has.
    if (Scanning()) {
        stop_ = true;
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void TIndexItemForm::reject() {
    if (Scanning()) {
        stop_ = true;
        return;
    }
    QDialog::reject();
}

TScanFoldersEdit::TScanFoldersEdit(QWidget* parent) : QWidget(parent) {
    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName(QStringLiteral("ScanListView"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Path to index"), QStringLiteral("Extensions (lnk;exe;\\;txt)"), QStringLiteral("Index depth")});
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    // The other columns as wide as their headings, which say how to fill them.
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { EditRow(row); });
    auto* add = new QPushButton(QStringLiteral("Add"), this);
    add->setObjectName(QStringLiteral("ScanAddButton"));
    auto* remove = new QPushButton(QStringLiteral("Delete"), this);
    remove->setObjectName(QStringLiteral("ScanDeleteButton"));
    connect(add, &QPushButton::clicked, this, &TScanFoldersEdit::AddFolder);
    connect(remove, &QPushButton::clicked, this, &TScanFoldersEdit::DeleteSelected);
    auto* buttons = new QHBoxLayout;
    auto* note = new QLabel(QStringLiteral("\"~\" and %VARIABLES% in a path are expanded at scan time."), this);
    note->setWordWrap(true);
    buttons->addWidget(note, 1);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    layout->addLayout(buttons);
}

void TScanFoldersEdit::SetRow(int row, const TMyScanItem& item) {
    const QString fields[] = {item.path, item.extensions, item.level};
    for (int c = 0; c < 3; ++c)
        table_->setItem(row, c, new QTableWidgetItem(fields[c]));
}

void TScanFoldersEdit::SetItems(const std::vector<TMyScanItem>& items) {
    table_->setRowCount(int(items.size()));
    for (int r = 0; r < int(items.size()); ++r)
        SetRow(r, items[size_t(r)]);
}

std::vector<TMyScanItem> TScanFoldersEdit::Items() const {
    std::vector<TMyScanItem> items;
    for (int r = 0; r < table_->rowCount(); ++r) {
        TMyScanItem it;
        it.path = Clean(table_->item(r, 0)->text());
        it.extensions = Clean(table_->item(r, 1)->text());
        it.level = Clean(table_->item(r, 2)->text());
        items.push_back(it);
    }
    return items;
}

void TScanFoldersEdit::AddFolder() {
    TMyScanItem fresh;
    fresh.path = QStringLiteral("New path");
    fresh.extensions = QStringLiteral("lnk");
    fresh.level = QStringLiteral("0");
    TIndexItemForm form(fresh, this);
    if (form.exec() != QDialog::Accepted)
        return;
    const int row = table_->rowCount();
    table_->insertRow(row);
    SetRow(row, form.Item());
    emit Changed();
}

void TScanFoldersEdit::EditRow(int row) {
    if (row < 0 || row >= table_->rowCount())
        return;
    TMyScanItem item;
    item.path = table_->item(row, 0)->text();
    item.extensions = table_->item(row, 1)->text();
    item.level = table_->item(row, 2)->text();
    TIndexItemForm form(item, this);
    if (form.exec() == QDialog::Accepted)
        SetRow(row, form.Item());
    emit Changed();
}

void TScanFoldersEdit::DeleteSelected() {
    const int row = table_->currentRow();
    if (row < 0)
        return;
    table_->removeRow(row);
    emit Changed();
}

} // namespace vantrelo
