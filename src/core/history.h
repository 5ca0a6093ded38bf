// The history of executed inputs, newest first, and its "History" section.
#pragma once

#include "core/items.h"

#include <QString>

#include <memory>
#include <vector>

namespace vantrelo {

class TMemIniFile;

struct THistoryEntry {
    QString text;
    std::unique_ptr<TMyShellItem> item; // the indexed item that was launched, if any
};

class THistory {
public:
    qsizetype size() const { return qsizetype(entries_.size()); }
    const THistoryEntry& at(qsizetype i) const { return entries_[size_t(i)]; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }
    void Clear() { entries_.clear(); }

    // Adds a trimmed input at the top (an equal text, ignoring case, moves up). `suppressed` is
    // the incognito decision; inputs beginning with "->" are never kept.
    void AddToHistory(const QString& s, std::unique_ptr<TMyShellItem> ob, bool noadd, bool suppressed);
    // Removes the first entry equal to the trimmed text (ignoring case).
    bool KillHist(const QString& s);

    void Write(TMemIniFile& ini, int maxhistory) const;
    void Read(const TMemIniFile& ini);

private:
    std::vector<THistoryEntry> entries_;
};

// The value stored for an entry that carries an indexed item.
QString SerializeHistoryItem(const TMyShellItem& item);

} // namespace vantrelo
