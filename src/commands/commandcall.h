// One run of one command block: the command text, the parameter and what the block decided.
#pragma once

#include "commands/commandtable.h"

#include <QString>

#include <optional>

namespace vantrelo {

class TExeWord;
struct TExecContext;

struct TCommandCall {
    const QString& text;   // the command text as the pipeline gave it
    const QString& upper;  // upper-cased once
    const QString& para;   // the typed parameter, trimmed
    const TExeWord* exw;   // the keyword being run, or null
    bool forcebrowser = false;
    const TCommandRow& row;

    // Filled from the row before the block runs; the block may change them.
    std::optional<bool> handled; // unset: the block leaves the earlier decision
    bool noafter = false;
    bool nohistory = false;
    // A handled command that did not work.
    bool failed = false;
    QString message;
    // The whole execution stops here: no later block runs (a parameter that is not a number).
    bool abandon = false;

    void Fail(const QString& why) {
        failed = true;
        message = why;
    }
    void Abandon(const QString& why) {
        Fail(why);
        abandon = true;
        handled = true;
    }
};

// The fallback rule: an empty `para` becomes the keyword's parameters after the control-token
// clean-up; `lower` lower-cases the result.
QString FallbackParam(const TCommandCall& call, TExecContext& ctx, bool lower);
// The substitution rule: the keyword's parameters with `para` substituted replace `para` when not
// empty; the result is trimmed and, with `lower`, lower-cased. Empty `failure` on success; otherwise
// the plain words of a substitution that could not be carried out.
QString SubstitutedParam(const TCommandCall& call, TExecContext& ctx, QString* failure, bool lower = true);
// A whole number as the commands read one (blanks around it allowed); nothing when it is not.
std::optional<int> ReadWholeNumber(const QString& text);
// The message of a parameter that must be a whole number and is not.
QString NotAnIntegerMessage(const QString& text);

} // namespace vantrelo
