// Recording fakes of the pipeline's own seams (window side, shell, settings, internal commands) and a fixture over them.
#pragma once

#include "core/history.h"
#include "exec/internalcommands.h"
#include "exec/launcher.h"
#include "exec/pipeline.h"
#include "exec/pipelinehost.h"
#include "support/execfakes.h"

#include <map>

namespace vantrelo::test {

// Every execute request, with the time it happened; `codes` answers by file name (else 42).
struct TRecordingShell final : TShellExecute {
    struct TCall {
        TShellRequest request;
        qint64 at;
    };
    const qint64* clock = nullptr;
    std::vector<TCall> calls;
    std::map<QString, int> codes;
    std::vector<TSpawnRequest> captures;
    TCaptureResult capture{true, false, false, QByteArray("captured\n")};
    int ShellExecute(const TShellRequest& r) override {
        calls.push_back({r, clock ? *clock : 0});
        const auto it = codes.find(r.file);
        return it == codes.end() ? kLaunchStarted : it->second;
    }
    TCaptureResult Capture(const TSpawnRequest& r, int, qsizetype) override {
        captures.push_back(r);
        return capture;
    }
    QStringList Files() const {
        QStringList f;
        for (const TCall& c : calls)
            f << c.request.file;
        return f;
    }
};

// The window side: every call is logged as one short line.
struct TFakeView final : TPipelineView {
    QString line;
    QStringList log;
    std::unique_ptr<TItem> current;
    int colour = 0;
    bool listExists = false;
    QString LineText() const override { return line; }
    void SetLineColor(int c) override { colour = c; }
    void SelectLine() override { log << "select"; }
    void DeselectLine() override { log << "deselect"; }
    void SetNewWord(const QString& t, bool, bool) override {
        line = t;
        log << "line:" + t;
    }
    void FocusLineAtEnd(const QString& t) override { log << "focus:" + t; }
    void StopListTimer() override {}
    void ProcessInput(TInputRequest r, const QString&, bool) override { log << QStringLiteral("process:%1").arg(int(r)); }
    void ResetCurrentSearch(bool c) override { log << QStringLiteral("reset:%1").arg(c); }
    void ClearSuggestions() override { log << "clearsuggestions"; }
    const TItem* CurrentItem() const override { return current.get(); }
    void SetCurrentItem(std::unique_ptr<TItem> i) override { current = std::move(i); }
    bool CheckMinusCommand(const QString&) override { return false; }
    bool LaunchFirstListEntry(bool) override { return false; }
    bool ShiftHeld() const override { return false; }
    bool AltHeld() const override { return false; }
    void ShowMessage(const QString& t) override { log << "message:" + t; }
    void ShowToast(const QString& t) override { log << "toast:" + t; }
    void ShowCalcResult(const QString&, const QString&, const QString& v) override { log << "calc:" + v; }
    void ShowOutput(const QString& t, bool focus) override { log << QStringLiteral("output:%1:").arg(focus) + t; }
    bool ListWindowExists() const override { return listExists; }
    void HideListWindow() override { log << "hidelist"; }
    void HideInputWindow() override { log << "hide"; }
    void CloseProgram() override { log << "close"; }
    void ChooseClipEntry(const TMyClipItem& c) override { log << "chooseclip:" + c.clipb; }
    bool ActivateLastActiveWindow() override { return true; }
    void ActivateWindow(quint64 w) override { log << QStringLiteral("activate:%1").arg(w); }
    void ClearIncognitoFolder() override {}
};

struct TFakeWriter final : TSettingsWriter {
    int writes = 0;
    void WriteSettings() override { ++writes; }
};

// Handles any command holding one of `names`; `fail` makes it a failed one.
struct TFakeInternal final : TInternalCommands {
    QStringList names;
    bool fail = false;
    QString setPending;
    QString pending;
    QStringList calls;
    QStringList afterRuns;
    TInternalOutcome CheckDoInternalCMD(const QString& cmd, const QString& para, bool, const TExeWord*, bool) override {
        calls << cmd + "|" + para;
        TInternalOutcome o;
        for (const QString& n : names)
            o.handled = o.handled || cmd.contains(n, Qt::CaseInsensitive);
        if (o.handled) {
            o.failed = fail;
            pending = setPending;
        }
        return o;
    }
    QString PendingAfterCommand() const override { return pending; }
    void ClearPendingAfterCommand() override { pending.clear(); }
    bool CheckDoInternalCMDAfter(const QString& c) override {
        afterRuns << c;
        pending.clear();
        return true;
    }
    QString ExpandCommandText(const QString& t, bool) override { return t; }
};

// The pipeline and the launcher over every fake.
struct TPipelineFixture : TExecFakes {
    TFakeScheduler scheduler;
    TInlineTasks tasks;
    TRecordingShell shell;
    TFakeView view;
    TFakeWriter writer;
    TFakeInternal internal;
    TFakeInstances instances;
    TFakeFetcher fetcher;
    THistory history;
    TTagList tags;
    TLauncher launcher{ctx, TLauncherServices{&shell, &view, &scheduler, &tasks, &fetcher, &instances, nullptr, nullptr}};
    TExecPipeline pipeline{ctx, TPipelineServices{&internal, &launcher, &view, &scheduler, &writer, &history, &tags,
                                                  QStringLiteral("/opt/vantrelo/")}};

    TPipelineFixture() {
        shell.clock = &scheduler.now;
        settings.usesound = true;
        settings.successsound = QStringLiteral("ok.wav");
        settings.failsound = QStringLiteral("/snd/fail.wav");
        files.files[QStringLiteral("/opt/vantrelo/ok.wav")] = QString();
        files.files[QStringLiteral("/snd/fail.wav")] = QString();
    }
    // Enter on `line`.
    bool Enter(const QString& line) {
        view.line = line;
        return pipeline.DoExecute(TExecRequest::Typed(line));
    }
    QStringList HistoryTexts() const {
        QStringList t;
        for (const auto& e : history)
            t << e.text;
        return t;
    }
};

} // namespace vantrelo::test
