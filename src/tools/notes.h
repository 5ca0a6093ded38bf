// The notes: the file's text and place, adding lines, the find box's search, the window's place.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace vantrelo {

// The notes as the window holds them ("\n" between lines) from the file's text (CR LF).
QString NotesFromFile(const QString& fileText);
// The file's text: CR LF between lines, in UTF-8 with a byte-order mark.
QByteArray NotesFileBytes(const QString& notes);
// Reads the notes file at `path` into `notes`; a missing file is empty notes. False with `error`
// when the file exists but cannot be read.
bool ReadNotesFile(const QString& path, QString* notes, QString* error);
// The fingerprint of saved notes: tells the program's own write from another program's.
QString NotesDigest(const QString& notes);

// `notes` with `text` as new lines at the top, or at the bottom with `bottom`; a text holding line
// breaks becomes several lines.
QString NotesWithText(const QString& notes, const QString& text, bool bottom);

// Where the find box searches next, and what it searched last.
struct TNotesFind {
    int pos = 0; // index in the notes where the next search starts
    QString last;
};
struct TFindHit {
    int at = -1;         // where the match starts; -1 when none
    QString label;       // the result line under the notes
};
// Searches `find` in `notes` ignoring case, from the start (`next` false, or a new find text) or
// after the last match; the search goes round to the top after the last one.
TFindHit FindInNotes(TNotesFind& state, const QString& find, const QString& notes, bool next);

// `notessizepos`: "width,height,top,left" of the window, or nothing for "" and "x".
std::optional<QRect> ParseNotesSizePos(const QString& value);
QString FormatNotesSizePos(const QRect& frame);
// Where the window opens: at the input window's corner, moved up and left to stay on the screen.
QPoint NotesDefaultPosition(QPoint inputTopLeft, QSize size, QSize screen);

// How notes move to a new file: the new file gets the current notes, or is taken as it is, or
// gets the current notes, an empty line and its own text.
enum class TNotesMove { Overwrite, Discard, Merge };
// The text the new file holds after the move; `current` is the notes before it, `chosen` the
// chosen file's text (empty when it does not exist).
QString MovedNotes(TNotesMove move, const QString& current, const QString& chosen);

} // namespace vantrelo
