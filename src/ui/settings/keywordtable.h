// The keyword editor's list as a table model: one row per listed record, eight columns.
#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include <vector>

namespace vantrelo {

class TExeWord;
class TKeywordList;

class TKeywordTable final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TKeywordTable(TKeywordList& words, QObject* parent = nullptr) : QAbstractTableModel(parent), words_(words) {}

    // The listed records are the list positions the filter gives.
    void SetRows(std::vector<qsizetype> positions);
    qsizetype PositionAt(int row) const;
    int RowOf(qsizetype position) const;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void RefreshRow(int row);
    // Sorts the listed rows (not the list) by a column's text ignoring case.
    void SortRows(int column, bool ascending);
    // The text colour of disabled records, made from the colours the list is drawn with.
    void SetDisabledColour(const QColor& c);

private:
    QColor disabled_ = Qt::gray;
    TKeywordList& words_;
    std::vector<qsizetype> rows_;
};

} // namespace vantrelo
