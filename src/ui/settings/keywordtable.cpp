// The keyword editor's table: captions, the options summary and the grey of disabled records.
#include "ui/settings/keywordtable.h"

#include "core/items.h"
#include "core/keywordlist.h"
#include "ui/settings/keywordops.h"

#include <QBrush>

namespace vantrelo {

void TKeywordTable::SetRows(std::vector<qsizetype> positions) {
    beginResetModel();
    rows_ = std::move(positions);
    endResetModel();
}

qsizetype TKeywordTable::PositionAt(int row) const {
    return row >= 0 && row < int(rows_.size()) ? rows_[size_t(row)] : -1;
}

int TKeywordTable::RowOf(qsizetype position) const {
    const auto it = std::find(rows_.begin(), rows_.end(), position);
    return it == rows_.end() ? -1 : int(it - rows_.begin());
}

int TKeywordTable::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int TKeywordTable::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 8; }

QVariant TKeywordTable::data(const QModelIndex& index, int role) const {
    const qsizetype pos = PositionAt(index.row());
    if (pos < 0 || pos >= words_.size())
        return {};
    const TExeWord& w = words_.at(pos);
    if (role == Qt::ForegroundRole && w.disabled)
        return QBrush(disabled_);
    if (role != Qt::DisplayRole)
        return {};
    return KeywordColumnText(w, index.column());
}

QVariant TKeywordTable::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const names[] = {"Keywords", "Comment", "Command", "Parameters", "Start in", "Hotkey", "Tags", "More"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 7)
        return {};
    return QLatin1String(names[section]);
}

void TKeywordTable::SetDisabledColour(const QColor& c) {
    disabled_ = c;
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, 7), {Qt::ForegroundRole});
}

void TKeywordTable::RefreshRow(int row) { emit dataChanged(index(row, 0), index(row, 7)); }

void TKeywordTable::SortRows(int column, bool ascending) {
    beginResetModel();
    std::stable_sort(rows_.begin(), rows_.end(), [&](qsizetype a, qsizetype b) {
        const int c = KeywordColumnText(words_.at(a), column).compare(KeywordColumnText(words_.at(b), column),
                                                                      Qt::CaseInsensitive);
        return ascending ? c < 0 : c > 0;
    });
    endResetModel();
}

} // namespace vantrelo
