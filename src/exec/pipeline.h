// The execution pipeline: one input line turned into action, command chains and the after-command step.
#pragma once

#include "exec/execcontext.h"

#include <QString>

#include <memory>
#include <optional>

namespace vantrelo {

struct TAfterText;
class TExeWord;
class TMarkedText;
class THistory;
class TMyShellItem;
class TMyClipItem;
class TTagList;
class TInternalCommands;
class TLauncher;
class TPipelineView;
class TScheduler;
class TSettingsWriter;

// Sounds of PlayEventSound.
enum TEventSound : int { kFailSound = 0, kSuccessSound = 1, kAlarmSound = 2 };

inline constexpr char kSeemsBroken[] = "Seems broken..";
// The one-shot timer that runs deferred power and quit commands.
inline constexpr qint32 kAfterTimerMs = 210;

// One request to run an input: what is run and which of its usual steps are forced or left out.
struct TExecRequest {
    const TExeWord* forcedexeword = nullptr; // run this keyword, whatever the line says
    bool ischild = false;                    // a step of a chain
    QString cmdline;                         // the input; empty: the line as it is now
    bool forcerunas = false;
    bool iskeydown = false;                  // Enter in the line or the list
    bool forcenohist = false;
    bool forcasync = false;
    bool forcenosound = false;
    bool forcebrowser = false;
    qint32 asyncpause = 0;
    bool forceSilent = false;
    bool sent = false;                       // from outside: never the item the line is bound to

    // The input as typed (Enter): history, sounds and the after-command step as usual.
    static TExecRequest Typed(const QString& text, bool runas = false, bool browser = false) {
        TExecRequest r;
        r.cmdline = text;
        r.forcerunas = runas;
        r.iskeydown = true;
        r.forcebrowser = browser;
        return r;
    }
    // An input sent from outside (another instance, a start-up keyword): no history, quietly, at once.
    static TExecRequest Sent(const QString& text) {
        TExecRequest r;
        r.cmdline = text;
        r.forcenohist = true;
        r.forcasync = true;
        r.forcenosound = true;
        r.sent = true;
        return r;
    }
};

struct TPipelineServices {
    TInternalCommands* internal = nullptr;
    TLauncher* launcher = nullptr;
    TPipelineView* view = nullptr;
    TScheduler* scheduler = nullptr;
    TSettingsWriter* writer = nullptr;
    THistory* history = nullptr;
    const TTagList* tags = nullptr;
    QString programFolder; // relative sound files are found here
};

// What the last top-level execution came to, beyond DoExecute's answer (which is false for chains
// and calculations by design).
struct TExecReport {
    bool chain = false;         // the input ran as a command chain
    bool chainDone = false;     // its last piece has run
    bool chainExecuted = false; // some piece succeeded
    bool calculated = false;    // a calculation gave a result
    std::optional<QString> history; // the text added to the history, when one was
};

class TExecPipeline {
public:
    TExecPipeline(TExecContext& ctx, const TPipelineServices& services);
    ~TExecPipeline();
    TExecPipeline(const TExecPipeline&) = delete;
    TExecPipeline& operator=(const TExecPipeline&) = delete;

    bool DoExecute(const TExecRequest& request);
    void Aftercommand(bool forcenosound);
    void PlayEventSound(int kind);

    const TExecReport& Report() const { return report_; }
    // Program-wide chain state, valid while a chain runs.
    const TExeWord* ParentKeyword() const { return parent_.get(); }
    qint32 ChainExtraWait() const { return chainExtraWait_; }
    bool ChainNoHide() const { return chainNoHide_; }
    bool LineFailed() const { return lineFailed_; }

private:
    struct TRun;
    struct TChain;

    bool Execute(TRun& run, const TMarkedText* markedInput);
    bool RunCases(TRun& run);
    bool ExecuteKeyword(TRun& run);
    bool LaunchTyped(TRun& run, const QString& command, const QString& params, int show, bool fallback);
    bool ExecuteCalculation(TRun& run, bool byContent);
    void ExecuteClipItem(const TMyClipItem& item);
    void ForwardLogic(TRun& run);
    void RunChain(const QString& text, const TExeWord* parent, const QString& chainParams, const TRun& caller);
    void RunChainPiece(const std::shared_ptr<TChain>& chain);
    void FinishChain(TChain& chain);
    void AfterText(TRun& run, const QString& params, const std::shared_ptr<TAfterText>& after);
    void StartAfterTimer();
    void Finish(const TRun& run);
    QString S(TRun& run, const QString& text, const QString& params);
    void SetLineColor(int colour);
    void Fail(bool clearPending);
    void AddToHistory(const QString& text, std::unique_ptr<TMyShellItem> item, bool forcenohist);

    TExecContext& ctx_;
    TPipelineServices svc_;
    std::unique_ptr<TExeWord> parent_;
    qint32 chainExtraWait_ = 0;
    bool chainNoHide_ = false;
    bool lineFailed_ = false;
    quint64 afterTimerGeneration_ = 0;
    TExecReport report_;
    std::shared_ptr<bool> alive_;
};

} // namespace vantrelo
