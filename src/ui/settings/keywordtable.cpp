// The keyword editor's table: captions, the options summary and the grey of disabled records.
#include "ui/settings/keywordtable.h"

#include "core/items.h"
#include "core/keywordlist.h"
#include "platform/hotkeys/hotkeytext.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

namespace vantrelo {

QString MoreSummary(const TExeWord& w) {
    QString s;
    if (w.permissionlevel != -1)
        s += QStringLiteral("perm") + QString::number(w.permissionlevel) + u' ';
    if (!w.iconpath.isEmpty())
        s += QStringLiteral("icon ");
    if (w.runas)
        s += QStringLiteral("adm ");
    if (w.open == 2)
        s += QStringLiteral("max ");
    else if (w.open == 3)
        s += QStringLiteral("hide ");
    else if (w.open == 1)
        s += QStringLiteral("min ");
    if (!w.addtohistory)
        s += QStringLiteral("nohist ");
    if (w.onlyone)
        s += QStringLiteral("one ");
    return s.trimmed();
}

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
        return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0: return w.keywords;
    case 1: return w.comment;
    case 2: return w.command;
    case 3: return w.parameters;
    case 4: return w.path;
    case 5: return w.key == -1 && w.keymod == -1 ? QString() : HotkeyText(w.key, w.keymod);
    case 6: return w.group;
    default: return MoreSummary(w);
    }
}

QVariant TKeywordTable::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const names[] = {"Keywords", "Comment", "Command", "Parameters", "Start in", "Hotkey", "Tags", "More"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 7)
        return {};
    return QLatin1String(names[section]);
}

void TKeywordTable::RefreshRow(int row) { emit dataChanged(index(row, 0), index(row, 7)); }

} // namespace vantrelo
