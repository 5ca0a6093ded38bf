// The marks the execution pipeline reads in command texts: waits, paste requests, browser and list tests.
#pragma once

#include <QString>
#include <QtGlobal>

namespace vantrelo {

class TExeWord;
class TMarkedText;

// No wait, however it is written, lasts longer than a day: larger numbers are clamped.
inline constexpr qint32 kMaxWaitMs = 24 * 60 * 60 * 1000;

// Clamps a sum of waits into 0..kMaxWaitMs.
qint32 ClampWait(qint64 ms);

// Removes "$W$" (1 ms each), "$Wn$" (n seconds) and "$WnMS$" (n ms) from the text and returns the
// total. Marks whose number is not a positive whole number stay. On marked text only template
// characters count, so typed parameters can never add a wait.
qint32 ExtractWaitMarks(QString& text);
qint32 ExtractWaitMarks(TMarkedText& text);

// Removes every `mark` (ignoring case); true when there was one.
bool TakeMark(QString& text, const QString& mark);

// "$B$", "$BN$", "$BROWSER$", "$BROWSERNOFOCUS$", "$STARTPAGE$".
bool IsBrowserOpen(const QString& text);
// IsBrowserOpen, or "$BSETFOCUS$", "$BROWSERBACK$", "$BROWSERFORWARD$".
bool IsBrowserCommand(const QString& text);
// "$RECENT$", "$GROUPS$", "$TAGS$", "$CLIPBOARD$", "$APPS$", "$HISTORY$", "$KWHISTORY$".
bool IsSpecialList(const QString& text);

// How text is put into the target window after a launch.
enum TAfterType : qint32 { kTypeText = 0, kTypeTextEnter = 1, kPasteText = 2, kPasteTextEnter = 3 };

struct TPasteMarks {
    qint32 afterwait = 0; // 0 = no after-text
    qint32 aftertype = kTypeText;
};

// Reads "$PS$", "$PSE$", "$PSn$", "$PSEn$", "$PP$", "$PPE$", "$PPn$", "$PPEn$"; the marks stay in the text.
TPasteMarks ParsePasteMarks(const QString& text);

// Whether the keyword places the typed parameters itself (in its parameters, command or folder).
bool UsesTypedParameters(const TExeWord& keyword);

} // namespace vantrelo
