// The invalid-keyword scan: keywords whose command names a file or folder that is not there.
#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace vantrelo {

class TKeywordList;

struct TDeadKeyword {
    qsizetype position;
    QString reason;
};

// `expand` prepares a command text as a run would (variables, default blocks); `exists` answers
// for a file or folder. Commands holding `separator`, system addresses, network paths and paths
// on a removable or network volume that is not mounted are not judged.
std::vector<TDeadKeyword> FindDeadKeywords(const TKeywordList& words, const QString& separator,
                                           const std::function<QString(const QString&)>& expand,
                                           const std::function<bool(const QString&)>& exists);

// The path a command starts with: a leading quoted path without its quotes and arguments, else
// the text up to the first blank when that part exists, else the whole text.
QString CommandPath(const QString& command, const std::function<bool(const QString&)>& exists);

} // namespace vantrelo
