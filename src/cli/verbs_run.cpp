// The run verb: an input line through the same pipeline as Enter in the input window, or a dry run.
#include "cli/cli.h"

#include "app/engine.h"

#include "core/items.h"
#include "commands/commandhost.h"
#include "commands/commandtable.h"
#include "core/text.h"
#include "exec/inputhost.h"
#include "exec/internalcommands.h"
#include "exec/pipeline.h"
#include "exec/pipelinehost.h"
#include "platform/scheduler.h"
#include "exec/shellexecute.h"
#include "platform/clipboard.h"
#include "platform/soundplayer.h"
#include "platform/textsender.h"
#include "platform/waiter.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <thread>

namespace vantrelo::cli {

namespace {

void PrintJson(QTextStream& out, const QJsonObject& o) {
    out << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) << "\n";
}

// Without a desktop: an empty private clipboard and no sounds (no windows nor keys: TNoDesktopWindows, TNoKeys).
struct TCliClipboard final : TClipboard {
    QString text;
    bool has = false;
    bool transient = false;
    bool HasText() const override { return has; }
    QString Text() const override { return text; }
    void SetText(const QString& t) override {
        text = t;
        has = true;
        transient = false;
    }
    void SetTransientText(const QString& t) override {
        SetText(t);
        transient = true;
    }
    bool HoldsTransientText() const override { return transient; }
    QStringList Files() const override { return {}; }
    quint64 ChangeCount() const override { return 0; }
    std::unique_ptr<TClipboardContent> Save() const override { return std::make_unique<TClipboardContent>(); }
    void Restore(const TClipboardContent&) override {}
};

struct TCliWaiter final : TWaiter {
    // No event loop to keep running in a terminal: a wait sleeps.
    bool WaitUntil(const std::function<bool()>& done, int intervalMs, int maxChecks) override {
        return CheckUntil(done, maxChecks,
                          [intervalMs] { std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs)); });
    }
    void ProcessPendingEvents() override {}
};

struct TCliSound final : TSoundPlayer {
    void Play(const QString&) override {}
};

// Text meant for another window cannot be typed from a terminal: say so instead.
struct TCliTextSender final : TTextSender {
    QTextStream& err;
    explicit TCliTextSender(QTextStream& e) : err(e) {}
    QString TypeText(const QString& t) override {
        err << "not typed (no desktop): " << t << "\n";
        return {};
    }
    QString PasteText(const QString& t, bool) override {
        err << "not pasted (no desktop): " << t << "\n";
        return {};
    }
};

// Answers that would go to the input line are printed.
struct TCliInputHost final : TInputHost {
    QTextStream& out;
    explicit TCliInputHost(QTextStream& o) : out(o) {}
    void SetNewWord(const QString& t, bool, bool) override { out << t << "\n"; }
    void ShowInputWindow() override {}
    QString SelectedInputText() const override { return {}; }
    void CopyInputSelection(bool) override {}
    void PasteIntoInput() override {}
    void SetLastActiveWindow(quint64) override {}
};

struct TCliView final : TPipelineView {
    QTextStream& out;
    QTextStream& err;
    QString line;
    TCliView(QTextStream& o, QTextStream& e, QString l) : out(o), err(e), line(std::move(l)) {}
    QString LineText() const override { return line; }
    void SetLineColor(int) override {}
    void SelectLine() override {}
    void DeselectLine() override {}
    void SetNewWord(const QString& t, bool, bool) override {
        line = t;
        out << t << "\n";
    }
    void FocusLineAtEnd(const QString& t) override { line = t; }
    void StopListTimer() override {}
    void ProcessInput(TInputRequest, const QString&, bool) override {}
    void ResetCurrentSearch(bool) override {}
    void ClearSuggestions() override {}
    const TItem* CurrentItem() const override { return nullptr; }
    void SetCurrentItem(std::unique_ptr<TItem>) override {}
    bool CheckMinusCommand(const QString&) override { return false; }
    bool LaunchFirstListEntry(bool) override { return false; }
    bool ShiftHeld() const override { return false; }
    bool AltHeld() const override { return false; }
    void ShowMessage(const QString& t) override { err << t << "\n"; }
    void ShowToast(const QString& t) override { err << t << "\n"; }
    void ShowCalcResult(const QString&, const QString&, const QString& v) override { out << v << "\n"; }
    void ShowOutput(const QString& t, bool) override { out << t << (t.endsWith(u'\n') ? "" : "\n"); }
    bool ListWindowExists() const override { return false; }
    void HideListWindow() override {}
    void HideInputWindow() override {}
    void CloseProgram() override {}
    void ChooseClipEntry(const TMyClipItem&) override {}
    bool ActivateLastActiveWindow() override { return false; }
    void ActivateWindow(quint64) override {}
    void ClearIncognitoFolder() override {}
};

// Timers in time order; a real run sleeps until each falls due, a dry run does not wait.
struct TCliScheduler final : TScheduler {
    struct TTask {
        qint64 due;
        int seq;
        std::function<void()> run;
    };
    bool sleep = true;
    qint64 now = 0;
    int seq = 0;
    std::vector<TTask> tasks;
    void RunLater(qint32 ms, std::function<void()> task) override { tasks.push_back({now + ms, seq++, std::move(task)}); }
    void Drain() {
        while (!tasks.empty()) {
            auto it = std::min_element(tasks.begin(), tasks.end(), [](const TTask& a, const TTask& b) {
                return a.due != b.due ? a.due < b.due : a.seq < b.seq;
            });
            if (sleep && it->due > now)
                std::this_thread::sleep_for(std::chrono::milliseconds(it->due - now));
            now = std::max(now, it->due);
            auto run = std::move(it->run);
            tasks.erase(it);
            run();
        }
    }
};

struct TInlineTasks final : TTaskRunner {
    void Run(std::function<void()> work, std::function<void()> done) override {
        work();
        done();
    }
};

// A dry run prints each start instead of making it.
struct TDryShell final : TShellExecute {
    QTextStream& out;
    explicit TDryShell(QTextStream& o) : out(o) {}
    int ShellExecute(const TShellRequest& r) override {
        PrintJson(out, QJsonObject{{"action", "launch"},
                                   {"file", r.file},
                                   {"parameters", r.params},
                                   {"folder", r.folder},
                                   {"show", r.show},
                                   {"elevated", r.Elevated()}});
        return kLaunchStarted;
    }
    TCaptureResult Capture(const TSpawnRequest& r, int, qsizetype) override {
        PrintJson(out, QJsonObject{{"action", "capture"},
                                   {"file", r.program},
                                   {"parameters", QJsonValue::fromVariant(r.args)},
                                   {"folder", r.folder}});
        TCaptureResult c;
        c.started = true;
        return c;
    }
};

// A dry run names each internal command instead of running it: the dispatcher's own table says
// which commands complete an execution; the marks the pipeline and the launcher read are not among them.
struct TCliDryCommands final : TInternalCommands {
    QTextStream& out;
    explicit TCliDryCommands(QTextStream& o) : out(o) {}
    TInternalOutcome CheckDoInternalCMD(const QString& cmd, const QString&, bool, const TExeWord*, bool) override {
        TInternalOutcome o;
        for (const TRecognised& r : RecogniseCommands(cmd, false)) {
            if (!r.row->handled)
                continue;
            PrintJson(out, QJsonObject{{"action", "internal"}, {"command", TrimText(cmd)}});
            o.handled = true;
            o.noaddhistory = true;
            o.noaftercommand = true;
            break;
        }
        return o;
    }
    QString PendingAfterCommand() const override { return {}; }
    void ClearPendingAfterCommand() override {}
    bool CheckDoInternalCMDAfter(const QString&) override { return false; }
    QString ExpandCommandText(const QString& t, bool) override { return t; }
};

// What the commands ask of the window, from a terminal: messages are printed, the settings saved.
struct TCliCommandHost final : TCommandHost {
    TCliContext& ctx;
    explicit TCliCommandHost(TCliContext& c) : ctx(c) {}
    bool ActivateLastActive() override { return false; }
    void ShowToast(const QString& text) override { ctx.out << text << "\n"; }
    void ShowFailure(const QString& message) override { ctx.err << message << "\n"; }
    void SetStatePanel() override {}
    void SetDesign() override {}
    void ResetCurrentSearch() override {}
    void MoveInputWindow(int x, int y) override {
        ctx.Data().settings.posx = x;
        ctx.Data().settings.posy = y;
    }
    void HideListWindow() override {}
    void CloseMainWindow() override {}
    void ReArmKeyboardHook() override {}
    void SetIncognitoMode(bool on, bool toggle) override {
        TSettings& s = ctx.Data().settings;
        s.incognito = toggle ? !s.incognito : on;
        ctx.out << "Incognito mode: " << (s.incognito ? "enabled" : "disabled") << "\n";
    }
    bool WriteSettings(QString* error) override {
        const TSaveResult r = ctx.Store().WriteSettings(ctx.Data());
        if (!r && error)
            *error = r.error;
        return r.ok;
    }
    TBackupRequest BackupRequest() const override {
        TBackupRequest request;
        request.enabled = ctx.Data().settings.backup;
        request.settingsTrusted = ctx.Store().Trusted();
        request.notesFile = NotesFilePath(ctx);
        return request;
    }
};

struct TCliWriter final : TSettingsWriter {
    TCliContext& ctx;
    bool dry;
    int writes = 0;
    TCliWriter(TCliContext& c, bool d) : ctx(c), dry(d) {}
    void WriteSettings() override {
        ++writes;
        if (!dry)
            ctx.Save();
    }
};

} // namespace

int RunVerb(TCliContext& ctx, const QStringList& argsIn) {
    QStringList args = argsIn;
    const bool dry = !args.isEmpty() && args.first() == QLatin1String("--dry-run");
    if (dry)
        args.removeFirst();
    const QString input = args.join(u' ');
    if (args.isEmpty() || TrimText(input).isEmpty()) {
        ctx.err << "usage: vantrelo-cli [--data DIR] run [--dry-run] INPUT\n";
        return kUsage;
    }
    if (!ctx.Load(!dry))
        return kFailed;
    TUserData& data = ctx.Data();
    data.tags.Build(data.keywords);

    TSystemParts sys;
    TCliClipboard clipboard;
    TNoDesktopWindows windows;
    TNoKeys keys;
    TCliWaiter waiter;
    TCliSound sound;
    TCliTextSender sender(ctx.err);
    TCliInputHost host(ctx.out);
    TCliView view(ctx.out, ctx.err, input);
    TCliScheduler scheduler;
    scheduler.sleep = !dry;
    TInlineTasks tasks;
    TDryShell dryShell(ctx.out);
    TCliDryCommands dryCommands(ctx.out);
    TCliCommandHost commandHost(ctx);
    TCliWriter writer(ctx, dry);
    TEngineFront front;
    front.clipboard = &clipboard;
    front.windows = &windows;
    front.keys = &keys;
    front.waiter = &waiter;
    front.sound = &sound;
    front.text = &sender;
    front.input = &host;
    front.view = &view;
    front.commands = &commandHost;
    front.writer = &writer;
    front.scheduler = &scheduler;
    front.tasks = &tasks;
    if (dry) {
        front.shell = &dryShell;
        front.internal = &dryCommands;
    }
    TEngine engine(data, sys, ctx.Places(), ctx.Places().programFolder, front);
    TExecPipeline& pipeline = engine.Pipeline();
    const bool result = pipeline.DoExecute([&] {
        TExecRequest r = TExecRequest::Typed(input);
        r.forcenosound = true;
        return r;
    }());
    scheduler.Drain();
    const TExecReport& report = pipeline.Report();
    const bool ok = report.chain ? report.chainExecuted : (result || report.calculated);
    // What the window would keep until its next write is kept now: the tool ends here.
    if (!dry && report.history && writer.writes == 0 && !ctx.Save())
        return kFailed;
    if (dry)
        PrintJson(ctx.out, QJsonObject{{"result", ok},
                                       {"history", report.history ? QJsonValue(*report.history) : QJsonValue()}});
    return ok ? kOk : kFailed;
}

} // namespace vantrelo::cli
