// The seam between the execution pipeline and the internal `$...$` command dispatcher.
#pragma once

#include <QString>

namespace vantrelo {

class TExeWord;

// What the dispatcher did with a command text.
struct TInternalOutcome {
    bool handled = false;        // carried out completely: nothing is left to launch
    bool failed = false;         // a handled command that did not work (refused power call, audio error...)
    bool noaddhistory = false;   // the input does not belong in the history
    bool noaftercommand = false; // skip the after-command step and leave the input window as it is
    QString message;             // plain words for the user when `failed`
};

// Implemented by the dispatcher; the pipeline only talks to this.
class TInternalCommands {
public:
    virtual ~TInternalCommands() = default;
    // Recognises and runs every internal command in `mycmdline` (wait marks already removed);
    // `para` is the typed parameter text, `exw` the keyword being run (or null).
    virtual TInternalOutcome CheckDoInternalCMD(const QString& mycmdline, const QString& para, bool iskeyd,
                                                const TExeWord* exw, bool forcebrowser) = 0;
    // Deferred power and quit commands: the text stored while dispatching, empty when none.
    virtual QString PendingAfterCommand() const = 0;
    virtual void ClearPendingAfterCommand() = 0;
    // Runs a deferred command (after the pipeline's after timer); true when one matched.
    virtual bool CheckDoInternalCMDAfter(const QString& mycmdline) = 0;
    // Environment variables, "$D$"/"$H$" and modifier names; `strip` removes what is not a path.
    virtual QString ExpandCommandText(const QString& text, bool strip) = 0;
};

} // namespace vantrelo
