// Keyword export files (".exc"): writing a chosen set, reading one back, and merging it into the keyword list.
#pragma once

#include "core/atomicfile.h"
#include "core/keywordlist.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace vantrelo {

class TExeWord;

struct TExportOptions {
    QString description;
    bool noTags = false;
    bool noHotkeys = false;
    bool noIcons = false;
};

// The export file's text: "main" with the description, then one "[W]" section per keyword.
// Values are escaped as in vantrelo.ini, so line breaks come back exactly.
QByteArray FormatExportFile(const std::vector<const TExeWord*>& words, const TExportOptions& options);
// Replaces `file` as a whole, atomically: a failed write leaves the old file as it was.
TSaveResult WriteExportFile(const QString& file, const std::vector<const TExeWord*>& words,
                            const TExportOptions& options);

struct TImportFile {
    QString description;
    TKeywordList words; // in file order; granted permissions are never taken over
    QString error;      // set when the file could not be read
};
TImportFile ParseExportFile(const QByteArray& bytes);
TImportFile ReadExportFile(const QString& file);

// A candidate as the import page lists it.
struct TImportRow {
    QString text;    // "* " when the name exists, "@ " when the page talks to the program, then the names
    QString comment; // the second column
    bool existing = false;
    bool checked = true; // existing names start unchecked
};
std::vector<TImportRow> ImportRows(const TKeywordList& candidates, const TKeywordList& current);
// The same against the names of the current list (a worker's copy).
std::vector<TImportRow> ImportRows(const TKeywordList& candidates, const TKeywordNameSet& current);

enum class TConflictAnswer { Yes, No, Ignore, NoToAll, YesToAll };
// Whether `a` holds every field an import would take over as `b` does (the permission level is
// never taken over): replacing one by the other changes nothing.
bool SameRecord(const TExeWord& a, const TExeWord& b);
// The question asked when `imported` meets `existing`.
QString ConflictQuestion(const TExeWord& imported, const TExeWord& existing);

// What a merge does besides the list: hotkeys, and the app shortcut kept in the data folder.
class TKeywordMergeHost {
public:
    virtual ~TKeywordMergeHost() = default;
    virtual void Prepare(TExeWord& word) = 0;
    virtual void RemoveHotkey(const TExeWord& word) = 0;
    virtual void AddHotkey(const TExeWord& word) = 0;
};

// Bounds of fetching an export file from a web address: a slow or huge answer is refused.
constexpr int kImportTimeoutMs = 30000;
constexpr qsizetype kImportMaxBytes = 4 * 1024 * 1024;

struct TMergeResult {
    int added = 0;
    int replaced = 0;
    int skipped = 0;
    int unchanged = 0;   // "Yes" to a record equal to the existing one: nothing changed
    QStringList changed; // names of existing keywords whose fields were replaced
    int Merged() const { return added + replaced; }
};

using TConflictAsk = std::function<TConflictAnswer(const TExeWord& imported, const TExeWord& existing)>;

// Merges the chosen records in order. A conflict is decided by `ask` until a "to all" answer;
// Yes replaces the existing keyword's fields in place, Ignore adds a duplicate, No leaves it.
TMergeResult MergeKeywords(TKeywordList& into, std::vector<std::unique_ptr<TExeWord>> chosen, const TConflictAsk& ask,
                           TKeywordMergeHost* host = nullptr);

} // namespace vantrelo
