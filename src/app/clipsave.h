// "$SAVECLIPBOARD$": the clipboard's text and picture saved to files the user chooses.
#pragma once

namespace vantrelo {

struct TAppContext;

// Asks for a file for the text, then for the picture, of what the clipboard offers, and writes them.
void SaveClipboardToFiles(TAppContext& ctx);

} // namespace vantrelo
