// The suggestion logic as the application uses it: list rows, the current item and the index.
#pragma once

#include "suggest/inputassist.h"
#include "ui/listrow.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace vantrelo {

struct TUserData;
class TItem;
class TMyClipItem;
class TEnvironment;
class TFileSystem;
class TClock;
class TProgramSearch;
class TWindowList;
class TTaskRunner;

struct TSuggestServices {
    const TEnvironment* env = nullptr;
    const TFileSystem* files = nullptr;
    const TClock* clock = nullptr;
    const TProgramSearch* programs = nullptr;
    const TWindowList* windows = nullptr;
    QString locale; // for the names and icons of desktop entries
    TTaskRunner* tasks = nullptr; // typed folders are read here (none: on this thread)
};

class TIndexImage;
class TIndexLookup;

class TSuggestBridge {
public:
    TSuggestBridge(const TUserData& data, const TSuggestServices& services);
    ~TSuggestBridge();
    TSuggestBridge(const TSuggestBridge&) = delete;
    TSuggestBridge& operator=(const TSuggestBridge&) = delete;

    // The live index as prepared on a worker (or mapped from its snapshot); a new index is a new image.
    void AdoptIndexImage(std::shared_ptr<const TIndexImage> image);
    // The live index for the launcher's lookups by name; it follows every adopted image.
    const TIndexLookup& IndexLookup() const;
    qsizetype IndexSize() const;

    // One keystroke: suggestions for the word being typed, then the list content.
    void Refresh(const QString& text, int caret);
    // A typed character: inline completion first, then suggestions and the list. When the line was
    // completed, `text` is the new line with `selStart`/`selLength` selected.
    struct TTyped {
        bool completed = false;
        QString text;
        int selStart = 0;
        int selLength = 0;
    };
    TTyped Typed(const QString& text, int caret);
    // Tab or Up/Down without the list: the next or previous inline-completion candidate for the
    // line; `cycle` is the caller's position in the candidates.
    TTyped Step(const QString& text, int caret, int selLength, bool forward, int& cycle);
    // The Reverse request: each group's entries in the opposite order from now on (or back).
    void SetReverse(bool on);
    bool Reverse() const;
    // The line was replaced from outside: the folder listing is read again.
    void FolderCacheStale();
    // A typed folder's listing arrived from its worker: the list can show it now.
    void SetFolderArrived(std::function<void()> arrived);
    // The clipboard history the Clipboard list shows (oldest first); it outlives the bridge's use.
    void SetClips(const std::vector<TMyClipItem>* clips);
    // The list of everything (the list button, Shift+Down).
    void ShowAll(const QString& text);
    // Drops a binding made for another text.
    void Revalidate(const QString& text);
    void Clear();
    // Frees the bound item and the suggestion list; the list content stays.
    void ClearSuggestions();

    std::vector<TListRow> Rows() const;
    bool HasEntries() const;
    QString RowText(int row) const;
    // The item object of a row (none for keywords and plain texts).
    const TItem* RowItem(int row) const;
    // Binds the row's item (null for keywords and plain texts) to `text`.
    void BindRow(int row, const QString& text);
    // The item bound to exactly this text, never one bound to an earlier one.
    const TItem* ItemFor(const QString& text) const;
    // The title of the line: the bound item's, else the keyword's comment or command.
    QString TitleFor(const QString& text) const;

    // Enter on unknown input (`unknownlaunchtype` 1 and 2): may replace `text`.
    // `force`: also for a known keyword (a special list run with a parameter takes its best entry).
    bool LaunchFirstListEntry(QString& text, bool listVisible, bool force);
    bool FastSearchFallback(QString& text);

    // The input assist over the live sources: Ctrl+Space opening (or again), and a chosen row.
    bool BuildAssist(const TAssistEdit& edit, bool isUpdate);
    TAssistChoice AssistSelect(const TAssistEdit& edit, int row, bool isSoft) const;
    const TInputAssist& Assist() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> d_;
};

} // namespace vantrelo
