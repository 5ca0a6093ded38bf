// The notes: the file's text and place, adding lines, the find box's search, the window's place.
#include "tools/notes.h"

#include "core/atomicfile.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QStringList>

namespace vantrelo {

QString NotesFromFile(const QString& fileText) {
    QString t = fileText;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

QByteArray NotesFileBytes(const QString& notes) {
    QString t = NotesFromFile(notes);
    t.replace(u'\n', QLatin1String("\r\n"));
    return EncodeUtf8Bom(t);
}

bool ReadNotesFile(const QString& path, QString* notes, QString* error) {
    notes->clear();
    if (!QFileInfo::exists(path))
        return true; // no file yet: the first save makes it
    QString raw;
    bool valid = true;
    if (!ReadTextFile(path, raw, error, &valid))
        return false;
    *notes = NotesFromFile(raw);
    if (!valid) {
        // Shown as well as it reads, but never written back: a save would change the bytes that
        // are not UTF-8 (and a binary file would grow).
        if (error)
            *error = QStringLiteral("%1 is not UTF-8 text; it is left as it is.").arg(path);
        return false;
    }
    return true;
}

QString NotesDigest(const QString& notes) {
    return QString::fromLatin1(
        QCryptographicHash::hash(NotesFromFile(notes).toUtf8(), QCryptographicHash::Md5).toHex());
}

QString NotesWithText(const QString& notes, const QString& text, bool bottom) {
    const QString added = NotesFromFile(text);
    if (notes.isEmpty())
        return added;
    if (bottom)
        return notes.endsWith(u'\n') ? notes + added : notes + u'\n' + added;
    return added + u'\n' + notes;
}

TFindHit FindInNotes(TNotesFind& state, const QString& find, const QString& notes, bool next) {
    if (find != state.last || !next)
        state.pos = 0;
    state.last = find;
    TFindHit hit;
    const int at = find.isEmpty() ? -1 : int(notes.indexOf(find, state.pos, Qt::CaseInsensitive));
    if (at < 0) {
        state.pos = 0;
        hit.label = QStringLiteral("Not found.");
        return hit;
    }
    hit.at = at;
    state.pos = at + 1;
    if (notes.indexOf(find, state.pos, Qt::CaseInsensitive) < 0) {
        hit.label = QStringLiteral("Found, and no more results found.");
        state.pos = 0;
    } else {
        hit.label = QStringLiteral("Found, and more results exist (press F3 for next).");
    }
    return hit;
}

std::optional<QRect> ParseNotesSizePos(const QString& value) {
    const QStringList parts = value.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    int n[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        n[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    // A size the window cannot take is no remembered place.
    if (n[0] < 50 || n[1] < 50 || n[0] > 32767 || n[1] > 32767)
        return std::nullopt;
    return QRect(n[3], n[2], n[0], n[1]);
}

QString FormatNotesSizePos(const QRect& frame) {
    return QStringLiteral("%1,%2,%3,%4").arg(frame.width()).arg(frame.height()).arg(frame.top()).arg(frame.left());
}

QPoint NotesDefaultPosition(QPoint inputTopLeft, QSize size, QSize screen) {
    QPoint p = inputTopLeft;
    if (p.y() + size.height() > screen.height())
        p.setY(screen.height() - size.height() - 50);
    if (p.x() + size.width() > screen.width())
        p.setX(screen.width() - size.width() - 20);
    return p;
}

QString MovedNotes(TNotesMove move, const QString& current, const QString& chosen) {
    switch (move) {
    case TNotesMove::Overwrite:
        return current;
    case TNotesMove::Discard:
        return chosen;
    case TNotesMove::Merge:
        break;
    }
    QString merged = NotesFromFile(current);
    if (!merged.isEmpty() && !merged.endsWith(u'\n'))
        merged += u'\n';
    return merged + u'\n' + NotesFromFile(chosen);
}

} // namespace vantrelo
