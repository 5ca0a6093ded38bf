// The calculator as the input line uses it: prefixes, answer texts, display styles, detection.
#pragma once

#include <QString>

namespace vantrelo {

struct TSettings;

inline constexpr char kCalcResultTitle[] = "Vantrelo - Calculation result";
inline constexpr char kCalcResultPrompt[] = "Result: ";
inline constexpr char kCalcSubtitlePrefix[] = "Calculator result: ";
inline constexpr char kCalcNoInput[] = "Error, no input";
inline constexpr char kCalcErrorAt[] = "Error at position ";
inline constexpr char kCalcOutOfRange[] = "Error, value out of range";

struct TCalcAnswer {
    QString text;
    // Whether the input counts as a calculation (detection, history).
    bool success = true;
};

// Evaluates `expression` after its prefixes "c" (round to four decimals), "h" (hexadecimal),
// "b" (binary) and "x=N " (sets X). Every failure gives an "Error..." text and success false.
// `decimalPoint` is the separator the user's locale writes in numbers.
TCalcAnswer CalcText(const TSettings& s, const QString& expression, double x,
                     const QString& decimalPoint = QStringLiteral("."));

// True when `input` begins with the first character of `calcchar`.
bool StartsWithCalcChar(const TSettings& s, const QString& input);

// With `autocalc` on: a text with a digit that evaluates without error (X = 2).
bool IsCalculation(const TSettings& s, const QString& text);

enum class TCalcDisplayStyle { PopUp = 0, Prefixed = 1, Appended = 2 };

// What executing a calculation input leads to.
struct TCalcExecution {
    TCalcAnswer answer;
    TCalcDisplayStyle style = TCalcDisplayStyle::PopUp;
    // The input line afterwards; unchanged for the pop-up, which shows `answer.text` itself.
    QString lineText;
    // The entry for the history, empty when nothing is to be added.
    QString historyEntry;
};

// Executes `input` (with or without its leading `calcchar`) with X = 0.
TCalcExecution ExecuteCalculation(const TSettings& s, const QString& input,
                                  const QString& decimalPoint = QStringLiteral("."));

// The live title beside the input while typing (X = 2); empty when the input is no calculation.
QString CalcTitle(const TSettings& s, const QString& input, const QString& decimalPoint = QStringLiteral("."));

// The list's subtitle for a history entry that begins with `calcchar`; empty for other entries.
QString CalcSubtitle(const TSettings& s, const QString& entry, const QString& decimalPoint = QStringLiteral("."));

} // namespace vantrelo
