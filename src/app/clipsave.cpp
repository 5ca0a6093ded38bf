// "$SAVECLIPBOARD$": the clipboard's text and picture saved to files the user chooses.
#include "app/clipsave.h"

#include "app/appcontext.h"
#include "app/programcontroller.h"
#include "core/atomicfile.h"
#include "tools/notes.h"
#include "ui/cmdform.h"
#include "ui/editordialogs.h"
#include "ui/mainform.h"

#include <QBuffer>
#include <QClipboard>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace vantrelo {

namespace {

// Writes `image` in the format its file's extension names (.png, .jpg/.jpeg at quality 90, .bmp);
// empty when written, else what went wrong ("Unsupported extension: .gif").
QString SaveClipboardImage(const QImage& image, const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    const char* format = nullptr;
    int quality = -1;
    if (ext == QLatin1String("png"))
        format = "PNG";
    else if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) {
        format = "JPEG";
        quality = 90;
    } else if (ext == QLatin1String("bmp"))
        format = "BMP";
    if (!format)
        return QStringLiteral("Unsupported extension: .") + ext;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, quality))
        return QStringLiteral("Could not encode the picture for ") + path;
    const TSaveResult r = SaveFileAtomic(path, bytes, {}, TFileAccess::Document);
    return r ? QString() : r.error;
}

} // namespace

void SaveClipboardToFiles(TAppContext& ctx) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !ctx.form)
        return;
    TEditorDialogs& dialogs = ctx.form->CmdForm()->Dialogs();
    QString proposal =
        QStringLiteral("saveclipboard_") + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"));
    if (data->hasText()) {
        const QString path = dialogs.SaveFile(ctx.form.get(), QStringLiteral("Save clipboard text"),
                                              QStringLiteral("Text files (*.txt)"), proposal);
        if (!path.isEmpty()) {
            // Lines end in CR LF, as the notes are written.
            const TSaveResult r = SaveFileAtomic(path, NotesFileBytes(data->text()), {}, TFileAccess::Document);
            if (!r)
                ctx.program->ShowFailure(r.error);
            // The picture's dialog proposes the same name; its extension is the picture's to choose.
            proposal = QFileInfo(path).path() + u'/' + QFileInfo(path).completeBaseName();
        }
    }
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        const QString path = dialogs.SaveFile(
            ctx.form.get(), QStringLiteral("Save clipboard image"),
            QStringLiteral("PNG (*.png);;JPEG (*.jpg *.jpeg);;Bitmap (*.bmp);;All Images (*.png *.jpg *.jpeg *.bmp)"),
            proposal);
        if (path.isEmpty())
            return;
        const QString error = image.isNull() ? QStringLiteral("The clipboard's picture could not be read.")
                                             : SaveClipboardImage(image, path);
        if (!error.isEmpty())
            ctx.program->Message(QStringLiteral("Vantrelo"), error, true);
    }
}

} // namespace vantrelo
