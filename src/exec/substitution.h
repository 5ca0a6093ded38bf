// Parameter substitution: typed parameters, clipboard and selection tokens, default blocks and
// control tokens in command templates.
//
// Substitution is one pass over the template: typed parameters, clipboard text and selections are
// inserted as values and are never read again as tokens or commands. Callers must likewise not
// search the result for tokens or internal commands.
#pragma once

#include <QString>

namespace vantrelo {

struct TExecContext;
class TMarkedText;

// The "$DEF$" rule and the marks, as a keyword author writes them.
inline constexpr char16_t kDefaultMark[] = u"$DEF$";
// The value of a token whose text went to the input line instead of running; it names no program.
inline constexpr char16_t kNoProgram[] = u"anullexea";
// Put before bare web addresses.
inline constexpr char16_t kWebPrefix[] = u"https://";

struct TSubstituteResult {
    QString text;
    // A selection that the command needs ("$cc$", "$ccu$") could not be copied: run nothing and
    // tell the user `message`.
    bool failed = false;
    QString message;
    // The selection or clipboard went to the input line ("$cx$", "$ce$", "$ci$"); the text holds
    // kNoProgram in its place and should not be launched.
    bool toInput = false;
};

// Partial form, for chain pieces and probes: typed parameters ("$P$", "$U$", "$p1$".."$p10$",
// "$u1$".."$u10$"), "{BR}", the "$i$" and paste marks, and the default blocks. No side effects.
QString SubstituteParameters(const QString& text, const QString& params);
// Full form, for a keyword's fields before launching: adds the clipboard and selection tokens,
// "$paste$" and the control tokens, which act at once.
TSubstituteResult SubstituteParameters(const QString& text, const QString& params, TExecContext& ctx);

// "$DEF$"block"$DEF$": without parameters the whole text becomes the block, with parameters the
// block is dropped.
QString ApplyDefaultBlocks(const QString& text, const QString& params);

// Carries out and removes "$M$", "$R$", "$CLR$", "$GW$", "$SOUND$"file"$SOUND$" and, with
// `removeP`, removes "$P$".
QString RunControlTokens(const QString& text, bool removeP, TExecContext& ctx);

// The same steps on text whose inserted values are already marked (for SendTextToWindow).
void SubstituteTyped(TMarkedText& text, const QString& params);
void ApplyDefaultBlocks(TMarkedText& text, const QString& params);
void RunControlTokens(TMarkedText& text, bool removeP, TExecContext& ctx);

} // namespace vantrelo
