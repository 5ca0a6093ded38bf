// Copying the selected text of the foreground window (or of the input line) for the clipboard tokens.
#pragma once

#include "platform/vkeys.h"

#include <QString>

namespace vantrelo {

struct TExecContext;

struct TCopyOutcome {
    bool copied = false; // false: no foreign window came to the front or nothing reached the clipboard
    QString text;        // trimmed, line breaks removed
};

// Trims a clipboard text and puts one blank for each line break, as the one-line tokens need it.
QString FlattenClipText(const QString& text);

// Copies (or cuts) the selection. While the program is active, the input line's selection is taken.
// Otherwise waits (events running) for a foreign window in front, sends Ctrl+C or Ctrl+X and waits
// for the clipboard to change. With `keepClipboard` the user's clipboard is restored afterwards in
// every format, so reading a selection never costs the clipboard's content.
TCopyOutcome CopySelection(TExecContext& ctx, bool cut, bool keepClipboard);

// Copies (Ctrl+C) the selection of the foreign window in front, waiting for one to come; never the
// input line's. Nothing copied leaves the clipboard as it was.
TCopyOutcome CopyForeignSelection(TExecContext& ctx);

// Waits (events running) until a window other than the program's own is in front.
bool WaitForForeignForeground(TExecContext& ctx);

// Pastes the clipboard: into the input line while the program is active, else with Ctrl+V into
// the foreground window once it is a foreign one. False when no foreign window came to the front.
bool PasteClipboard(TExecContext& ctx);

} // namespace vantrelo
