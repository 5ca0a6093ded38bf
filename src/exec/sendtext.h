// Preparing a text for typing or pasting into the foreground window ("$SENDTEXT$" and relatives).
#pragma once

#include <QString>

class QLocale;

namespace vantrelo {

struct TExecContext;
class TExeWord;

// At most this many "{FILE name}" inclusions are made in one text; later marks stay as written.
constexpr int kMaxFileInclusions = 21;

// The text as it will be sent: the keyword's `parameters` as a template for `text` (when that is
// not empty), "{FILE name}" replaced by the file's lines (each ended by CR LF), "{BR}" as CR LF,
// "$TIME$", "$SHOWIP$", "$PASSWORD$" and "$PASTE1$".."$PASTE4$" filled in. Included files, typed
// text and clipboard entries are inserted as they are and never searched for further marks.
// With `forTyping` the clipboard entries are marked so that their braces are typed as they are.
QString PrepareSendText(const QString& text, const TExeWord* keyword, TExecContext& ctx, const QLocale& locale,
                        bool forTyping = false);

// Prepares the text and pastes it (then Enter when `enter`) or types it into the foreground window.
QString SendTextToWindow(const QString& text, const TExeWord* keyword, bool paste, bool enter, TExecContext& ctx);

} // namespace vantrelo
