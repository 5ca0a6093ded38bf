// The notes: the window made on first use, lines added by commands and "-n", saving, and the file
// watched for other programs' changes.
#pragma once

#include "tools/notes.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QFileSystemWatcher;
class QWidget;

namespace vantrelo {

struct TAppContext;
class TNotesForm;
class TNotesDialogs;

class TNotesController final : public QObject {
public:
    explicit TNotesController(TAppContext& ctx);
    ~TNotesController() override;

    // With an empty text the window shows; otherwise the text is added as new lines (top or
    // bottom, `notesaddbottom`), saved at once, and the input line says "Notes updated".
    void OpenNotes(const QString& text);
    // Several texts added at once with one save (the clipboard history to the notes).
    // True when the lines were added and the notes saved.
    bool AddToNotes(const QStringList& texts);
    // Writes the notes when they changed since the last write; false when the write failed (said).
    bool SaveNotes();
    // The notes file: `noteslocation` with its variables expanded, else notes.txt in the data folder.
    QString Location() const;
    // Moves the notes to `file` as the settings page's "Change" asks; false when nothing moved.
    bool ChangeLocation(const QString& file, TNotesMove move);
    // `noteslocation` was changed (the settings dialog): the window's notes are saved where they
    // came from, then the window shows the notes of the new file; nothing is written over.
    void LocationChanged();
    // The settings page's "Change...": a file and how the notes move there; the new
    // `noteslocation`, or nothing when cancelled or when the move failed (said).
    std::optional<QString> AskNewLocation(QWidget* parent);
    void SetDialogs(std::unique_ptr<TNotesDialogs> dialogs);
    // "Reset window position": the window back beside the input window; a remembered place is
    // forgotten until the next save.
    void ResetPosition();
    // The lines the window holds; -1 before it is made.
    int WindowLines() const;
    // The window, once made.
    TNotesForm* Form() const { return form_; }
    // The colours and font of the settings.
    void UpdateNotesDesign();
    // `notesmonitor` was turned on or off: the watch on the notes file starts or stops now.
    void MonitorChanged();

private:
    void EnsureForm();
    void PlaceByDefault();
    bool Load(QString* text);
    bool Write(const QString& path, const QString& notes);
    void Watch();
    void FileChanged();
    void WriteSizePos();

    TAppContext& ctx_;
    TNotesForm* form_ = nullptr; // a top-level window of its own, deleted with this controller
    QFileSystemWatcher* watcher_ = nullptr;
    std::unique_ptr<TNotesDialogs> dialogs_; // made on first use unless a test gave its own
    QString path_;               // the file the window's notes came from and go to
    QString unreadable_;         // a notes file that exists but could not be read
    QString startText_;          // the notes after the first load: what "Undo" restores
    QString savedDigest_;        // the notes last written or read, to tell our writes from others'
    QString loadedDigest_;       // the window's notes as last loaded or saved
    QString keptExternal_;       // another program's version kept aside while the user edits
};

} // namespace vantrelo
