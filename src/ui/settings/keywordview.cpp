// The keyword editor's list view: columns in fixed shares of its width, sorting by a header click.
#include "ui/settings/keywordview.h"

#include "core/keywordlist.h"
#include "ui/settings/deadscan.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace vantrelo {

TKeywordView::TKeywordView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("KeyWordListView"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setShowGrid(true);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setStretchLastSection(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TKeywordView::SortRequested);
}

void TKeywordView::FitColumns() {
    static constexpr int kShares[] = {14, 26, 14, 10, 9, 10, 6};
    int width = viewport()->width();
    if (horizontalScrollBar()->isVisible())
        width -= 2 * style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (width <= 0 || width == fittedWidth_)
        return;
    fittedWidth_ = width;
    for (int c = 0; c < int(std::size(kShares)); ++c)
        setColumnWidth(c, width * kShares[c] / 100);
}

void TKeywordView::resizeEvent(QResizeEvent* e) {
    QTableView::resizeEvent(e);
    FitColumns();
}

std::vector<qsizetype> AskInvalidToRemove(const std::vector<TDeadKeyword>& dead, const TKeywordList& words,
                                          QWidget* parent) {
    QDialog ask(parent);
    ask.setObjectName(QStringLiteral("InvalidKeywords"));
    ask.setWindowTitle(QStringLiteral("Invalid keywords."));
    auto* list = new QListWidget(&ask);
    list->setObjectName(QStringLiteral("ImExCheckListBox"));
    for (const TDeadKeyword& d : dead) {
        auto* item = new QListWidgetItem(words.at(d.position).keywords + QStringLiteral("  (") + d.reason + u')', list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked); // nothing goes unless the user marks it
    }
    auto* buttons = new QDialogButtonBox(&ask);
    buttons->addButton(QStringLiteral("Remove"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    auto* column = new QVBoxLayout(&ask);
    column->addWidget(new QLabel(QStringLiteral("Mark those that should be removed."), &ask));
    column->addWidget(list);
    column->addWidget(buttons);
    std::vector<qsizetype> marked;
    if (ask.exec() != QDialog::Accepted)
        return marked;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            marked.push_back(dead[size_t(i)].position);
    return marked;
}

} // namespace vantrelo
