// "$SAVECLIPBOARD$": the clipboard's text and picture saved to files the user chooses.
#pragma once

class QImage;
class QString;

namespace vantrelo {

struct TAppContext;

// Asks for a file for the text, then for the picture, of what the clipboard offers, and writes them.
void SaveClipboardToFiles(TAppContext& ctx);

// Writes `image` in the format its file's extension names (.png, .jpg/.jpeg at quality 90, .bmp);
// empty when written, else what went wrong ("Unsupported extension: .gif").
QString SaveClipboardImage(const QImage& image, const QString& path);

} // namespace vantrelo
