// The keyword editor's filter language: which records a filter text lists, and the duplicate names.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vantrelo {

class TExeWord;
class TKeywordList;

// The seen and the repeated names of a set of records, compared without regard to case.
struct TDuplicateNames {
    QStringList seen;
    QStringList repeated;
    // Every name of the records in list order; `skip` is left out (the record being edited), and
    // with `onlyDisabled` only the records of that state count.
    void Build(const TKeywordList& words, bool withDisabled, const TExeWord* skip = nullptr,
               std::optional<bool> onlyDisabled = std::nullopt);
    bool IsRepeated(const QString& name) const;
};

// The positions in `words`, in list order, of the records the filter text lists. An empty
// (trimmed) text lists every record.
std::vector<qsizetype> FilterKeywords(const TKeywordList& words, const QString& filterText);

// The menu of filter forms offered by Ctrl+Space in the filter field.
QStringList FilterForms();

// The names of a record: `keywords` split at ",".
QStringList NamesOf(const TExeWord& w);

} // namespace vantrelo
