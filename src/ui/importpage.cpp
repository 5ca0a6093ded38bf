// The page's rows carry their position as given, so hiding rows never shifts which record a check means.
#include "ui/importpage.h"

#include "core/keywordexchange.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrelo {
namespace {

constexpr int kPositionRole = Qt::UserRole;

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

const QString kFilter = QStringLiteral("Keyword files (*.exc)");

class TQtImportDialogs final : public TImportDialogs {
public:
    explicit TQtImportDialogs(QWidget* parent) : parent_(parent) {}
    QString OpenFile(const QString& startFolder) override {
        return QFileDialog::getOpenFileName(parent_, QStringLiteral("Import Keywords from File"), startFolder, kFilter);
    }
    QString SaveFile(const QString& startFolder) override {
        const QString file =
            QFileDialog::getSaveFileName(parent_, QStringLiteral("Export Keywords"), startFolder, kFilter);
        if (file.isEmpty() || file.endsWith(QLatin1String(".exc"), Qt::CaseInsensitive))
            return file;
        return file + QStringLiteral(".exc");
    }
    std::optional<QString> AskUrl() override {
        bool ok = false;
        const QString url = QInputDialog::getText(parent_, QStringLiteral("Import keywords from url"),
                                                  QStringLiteral("Enter import url:"), QLineEdit::Normal, QString(), &ok);
        return ok ? std::optional<QString>(url.trimmed()) : std::nullopt;
    }
    TConflictAnswer AskConflict(const QString& question) override {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Vantrelo"), question,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ignore | QMessageBox::NoToAll |
                            QMessageBox::YesToAll,
                        parent_);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return TConflictAnswer::Yes;
        case QMessageBox::Ignore:
            return TConflictAnswer::Ignore;
        case QMessageBox::NoToAll:
            return TConflictAnswer::NoToAll;
        case QMessageBox::YesToAll:
            return TConflictAnswer::YesToAll;
        default:
            return TConflictAnswer::No;
        }
    }
    void ShowError(const QString& text) override { QMessageBox::critical(parent_, QStringLiteral("Vantrelo"), text); }

private:
    QPointer<QWidget> parent_;
};

} // namespace

std::unique_ptr<TImportDialogs> MakeQtImportDialogs(QWidget* parent) {
    return std::make_unique<TQtImportDialogs>(parent);
}

TImportPage::TImportPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheetImporter"));
    auto* page = new QVBoxLayout(this);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("ImExLabel"));
    QFont big = title_->font();
    big.setBold(true);
    title_->setFont(big);
    context_ = new QLabel(this);
    context_->setObjectName(QStringLiteral("ImportContextLabel"));
    context_->setWordWrap(true);
    rows_ = new QListWidget(this);
    rows_->setObjectName(QStringLiteral("ImExCheckListBox"));
    rows_->setAlternatingRowColors(true);
    page->addWidget(title_);
    page->addWidget(context_);
    page->addWidget(rows_, 1);

    auto* selection = new QHBoxLayout;
    QPushButton* all = Button(QStringLiteral("Select All"), "ImportSelectAllButton", this);
    QPushButton* none = Button(QStringLiteral("Deselect All"), "ImportDeselectButton", this);
    QPushButton* swap = Button(QStringLiteral("Invert Selection"), "ImportSwapButton", this);
    hideExisting_ = Button(QStringLiteral("Hide Existing"), "ImportHideButton", this);
    for (QPushButton* b : {all, none, swap, hideExisting_})
        selection->addWidget(b);
    selection->addStretch(1);
    page->addLayout(selection);
    connect(all, &QPushButton::clicked, this, [this] { SelectAll(); });
    connect(none, &QPushButton::clicked, this, [this] { DeselectAll(); });
    connect(swap, &QPushButton::clicked, this, [this] { InvertSelection(); });
    connect(hideExisting_, &QPushButton::clicked, this, [this] { HideExisting(); });

    note_ = new QLabel(QStringLiteral("Note: Only import keywords from trusted sources."), this);
    note_->setObjectName(QStringLiteral("ImportNote1Label"));
    legend_ = new QLabel(QStringLiteral("* = Existing keyword, @ = Browser-integrated"), this);
    legend_->setObjectName(QStringLiteral("ImportLegendLabel"));
    page->addWidget(note_);
    page->addWidget(legend_);

    auto* describe = new QHBoxLayout;
    descriptionLabel_ = new QLabel(QStringLiteral("Description:"), this);
    description_ = new QLineEdit(this);
    description_->setObjectName(QStringLiteral("ImportDescriptionEdit"));
    describe->addWidget(descriptionLabel_);
    describe->addWidget(description_, 1);
    page->addLayout(describe);
    auto* choices = new QHBoxLayout;
    noTags_ = new QCheckBox(QStringLiteral("Don't export tags"), this);
    noTags_->setObjectName(QStringLiteral("DontExportTagsCheckbox"));
    noHotkeys_ = new QCheckBox(QStringLiteral("Don't export hotkeys"), this);
    noHotkeys_->setObjectName(QStringLiteral("DontExportHotkeysCheckbox"));
    noIcons_ = new QCheckBox(QStringLiteral("Don't export icons"), this);
    noIcons_->setObjectName(QStringLiteral("DontExportIconsCheckbox"));
    for (QCheckBox* c : {noTags_, noHotkeys_, noIcons_})
        choices->addWidget(c);
    choices->addStretch(1);
    page->addLayout(choices);

    auto* finish = new QHBoxLayout;
    finish->addStretch(1);
    ok_ = Button(QString(), "ImExOKButton", this);
    ok_->setDefault(true);
    QPushButton* cancel = Button(QStringLiteral("Cancel"), "ImExCancelButton", this);
    finish->addWidget(ok_);
    finish->addWidget(cancel);
    page->addLayout(finish);
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (events_)
            events_->ImportOk();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (events_)
            events_->ImportCancel();
    });
}

void TImportPage::Begin(TImportMode mode, const QString& context, const std::vector<TImportPageRow>& rows) {
    mode_ = mode;
    const bool exporting = mode == TImportMode::Export;
    title_->setText(exporting ? QStringLiteral("Export")
                              : mode == TImportMode::Import ? QStringLiteral("Import")
                                                            : QStringLiteral("Import from Application Menu"));
    ok_->setText(exporting ? QStringLiteral("Export") : QStringLiteral("Import"));
    context_->setText(context);
    rows_->clear();
    for (int i = 0; i < int(rows.size()); ++i) {
        const TImportPageRow& r = rows[size_t(i)];
        auto* item = new QListWidgetItem(r.description.isEmpty() ? r.text : r.text + QStringLiteral("\t") + r.description,
                                         rows_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(r.checked ? Qt::Checked : Qt::Unchecked);
        item->setData(kPositionRole, i);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{hideExisting_, note_, legend_})
        w->setVisible(!exporting);
    for (QWidget* w : std::initializer_list<QWidget*>{descriptionLabel_, description_, noTags_, noHotkeys_, noIcons_})
        w->setVisible(exporting);
    description_->clear();
    for (QCheckBox* c : {noTags_, noHotkeys_, noIcons_})
        c->setChecked(false);
    rows_->setFocus();
}

void TImportPage::OfferExportChoices(bool tags, bool hotkeys, bool icons) {
    noTags_->setEnabled(tags);
    noHotkeys_->setEnabled(hotkeys);
    noIcons_->setEnabled(icons);
}

std::vector<int> TImportPage::CheckedRows() const {
    std::vector<int> out;
    for (int i = 0; i < rows_->count(); ++i)
        if (rows_->item(i)->checkState() == Qt::Checked)
            out.push_back(rows_->item(i)->data(kPositionRole).toInt());
    return out;
}

QString TImportPage::Description() const { return description_->text(); }
bool TImportPage::NoTags() const { return noTags_->isEnabled() && noTags_->isChecked(); }
bool TImportPage::NoHotkeys() const { return noHotkeys_->isEnabled() && noHotkeys_->isChecked(); }
bool TImportPage::NoIcons() const { return noIcons_->isEnabled() && noIcons_->isChecked(); }

void TImportPage::SetAll(Qt::CheckState state) {
    for (int i = 0; i < rows_->count(); ++i)
        rows_->item(i)->setCheckState(state);
}

void TImportPage::InvertSelection() {
    for (int i = 0; i < rows_->count(); ++i) {
        QListWidgetItem* item = rows_->item(i);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

void TImportPage::HideExisting() {
    for (int i = rows_->count() - 1; i >= 0; --i)
        if (rows_->item(i)->text().startsWith(QLatin1String("* ")))
            delete rows_->takeItem(i);
}

} // namespace vantrelo
