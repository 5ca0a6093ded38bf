// Recording fakes of the operating system's services: files, clipboard, windows, keys, processes, power, network.
#pragma once

#include "platform/clipboard.h"
#include "platform/desktopwindows.h"
#include "platform/discdrive.h"
#include "platform/environment.h"
#include "platform/filesystem.h"
#include "platform/keysender.h"
#include "platform/networkinfo.h"
#include "platform/power.h"
#include "platform/processlauncher.h"
#include "platform/randomsource.h"
#include "platform/runninginstances.h"
#include "platform/sessioncontrol.h"
#include "platform/soundplayer.h"
#include "platform/textsender.h"
#include "platform/trash.h"
#include "platform/urlfetcher.h"
#include "platform/volumecontrol.h"

#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace vantrelo::test {

// Every call of the window and the system, in order, as one readable log.
struct TCallLog {
    QStringList calls;
    void Add(const QString& c) { calls << c; }
};

struct TFakeEnvironment final : TEnvironment {
    std::map<QString, QString> vars;
    QString home = QStringLiteral("/home/ann");
    std::optional<QString> Variable(const QString& name) const override {
        const auto it = vars.find(name);
        return it == vars.end() ? std::nullopt : std::optional<QString>(it->second);
    }
    QString HomeFolder() const override { return home; }
};

struct TFakeFileSystem final : TFileSystem {
    std::map<QString, QString> files;
    std::set<QString> folders;
    bool FileExists(const QString& path) const override { return files.count(path) > 0; }
    bool FolderExists(const QString& path) const override { return folders.count(path) > 0; }
    std::optional<QString> ReadText(const QString& path) const override {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<QString>(it->second);
    }
};

struct TFakeClipContent final : TClipboardContent {
    QString text;
    bool hasText = false;
};

// A clipboard whose "other formats" are represented by `hasText` and `text` snapshots.
struct TFakeClipboard final : TClipboard {
    QString text;
    bool hasText = false;
    QStringList files;
    quint64 changes = 0;
    int writes = 0;
    int restores = 0;
    bool transient = false; // the text is a paste's own
    bool HasText() const override { return hasText; }
    QString Text() const override { return text; }
    void SetText(const QString& t) override {
        Put(t);
        ++writes;
    }
    void SetTransientText(const QString& t) override {
        SetText(t);
        transient = true;
    }
    bool HoldsTransientText() const override { return transient; }
    QStringList Files() const override { return files; }
    quint64 ChangeCount() const override { return changes; }
    std::unique_ptr<TClipboardContent> Save() const override {
        auto c = std::make_unique<TFakeClipContent>();
        c->text = text;
        c->hasText = hasText;
        return c;
    }
    void Restore(const TClipboardContent& content) override {
        const auto& c = static_cast<const TFakeClipContent&>(content);
        text = c.text;
        hasText = c.hasText;
        transient = false;
        ++changes;
        ++restores;
    }
    // Another program (or our own copy) changes the clipboard.
    void Put(const QString& t) {
        text = t;
        hasText = true;
        transient = false;
        ++changes;
    }
};

struct TFakeWindows final : TDesktopWindows {
    quint64 foreground = 500;
    std::set<quint64> own{1};
    bool active = false;
    int minimized = 0;
    int undone = 0;
    quint64 ForegroundWindow() const override { return foreground; }
    bool IsOwnWindow(quint64 w) const override { return own.count(w) > 0; }
    bool ProgramIsActive() const override { return active; }
    void MinimizeAll() override { ++minimized; }
    void UndoMinimizeAll() override { ++undone; }
};

struct TFakeKeys final : TKeySender {
    std::vector<std::pair<int, int>> sent;
    std::function<void(int vk)> onSend;
    void SendChord(int vk, int modifiers) override {
        sent.emplace_back(vk, modifiers);
        if (onSend)
            onSend(vk);
    }
};

struct TFakeSound final : TSoundPlayer {
    std::vector<QString> played;
    void Play(const QString& path) override { played.push_back(path); }
};

// Deterministic: a fixed pseudo-random sequence, or always the lowest or the highest value.
struct TFakeRandom final : TRandomSource {
    enum class TDraw { Sequence, Lowest, Highest };
    TDraw draw = TDraw::Sequence;
    quint64 state = 12345;
    quint32 Bounded(quint32 bound) override {
        if (draw == TDraw::Lowest)
            return 0;
        if (draw == TDraw::Highest)
            return bound - 1;
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32((state >> 33) % bound);
    }
};

struct TFakeNetwork final : TNetworkInfo {
    QStringList ips;
    QStringList LocalIPv4Addresses() const override { return ips; }
};

struct TFakeTextSender final : TTextSender {
    std::vector<QString> typed;
    std::vector<std::pair<QString, bool>> pasted;
    QString failure; // what every call answers; empty: it went through
    QString TypeText(const QString& t) override {
        typed.push_back(t);
        return failure;
    }
    QString PasteText(const QString& t, bool enter) override {
        pasted.emplace_back(t, enter);
        return failure;
    }
};

// Programs started, folders and addresses opened, outputs captured. `code` answers starts and
// opens; `answers` scripts captures by program: (started, output). With a `log`, starts and opens
// also go into it.
struct TFakeLauncher final : TProcessLauncher {
    TCallLog* log = nullptr;
    int code = kLaunchStarted;
    std::vector<TSpawnRequest> spawned;
    QStringList opened;
    QStringList calls; // "program arg arg" of every start and capture
    std::map<QString, std::pair<bool, QByteArray>> answers;
    TFakeLauncher() = default;
    explicit TFakeLauncher(TCallLog& l) : log(&l) {}

    static QString Line(const TSpawnRequest& r) { return r.program + QLatin1Char(' ') + r.args.join(QLatin1Char(' ')); }
    TSpawnResult Spawn(const TSpawnRequest& r) override {
        spawned.push_back(r);
        calls << Line(r);
        if (log)
            log->Add(QStringLiteral("spawn:") + Line(r));
        return {code, 1, QString()};
    }
    TSpawnResult OpenWithDesktop(const QString& target) override {
        opened << target;
        if (log)
            log->Add(QStringLiteral("open:") + target);
        return {code, 1, code > kLaunchFailed ? QString() : QStringLiteral("cannot open")};
    }
    TCaptureResult Capture(const TSpawnRequest& r, int, qsizetype) override {
        calls << Line(r);
        TCaptureResult c;
        if (const auto it = answers.find(r.program); it != answers.end()) {
            c.started = it->second.first;
            c.output = it->second.second;
        }
        return c;
    }
};

// Power, session, trash, volume and drive in one recorder; `refuse` makes every request fail.
struct TFakeSystem final : TPowerControl, TSessionControl, TTrash, TVolumeControl, TDiscDrive {
    TCallLog& log;
    bool refuse = false;
    std::optional<double> level = 0.5;
    explicit TFakeSystem(TCallLog& l) : log(l) {}
    TSystemResult Do(const QString& what) {
        log.Add(what);
        return refuse ? TSystemResult::Failed(QStringLiteral("refused: ") + what) : TSystemResult::Done();
    }
    TSystemResult LogOff() override { return Do(QStringLiteral("logoff")); }
    TSystemResult Suspend() override { return Do(QStringLiteral("suspend")); }
    TSystemResult Hibernate() override { return Do(QStringLiteral("hibernate")); }
    TSystemResult Reboot() override { return Do(QStringLiteral("reboot")); }
    TSystemResult PowerOff() override { return Do(QStringLiteral("poweroff")); }
    TSystemResult LockSession() override { return Do(QStringLiteral("lock")); }
    TSystemResult StartScreenSaver() override { return Do(QStringLiteral("screensaver")); }
    TSystemResult MonitorOff() override { return Do(QStringLiteral("monitoroff")); }
    TSystemResult EmptyTrash() override { return Do(QStringLiteral("emptytrash")); }
    TSystemResult MoveToTrash(const QString& path) override { return Do(QStringLiteral("trash:") + path); }
    std::optional<double> Level() override { return level; }
    TSystemResult SetLevel(double l) override {
        if (!refuse)
            level = l;
        return Do(QStringLiteral("volume:%1").arg(qRound(l * 100)));
    }
    TSystemResult ToggleMute() override { return Do(QStringLiteral("mute")); }
    TSystemResult Eject(const QString& device, bool close) override {
        return Do(QStringLiteral("eject:%1,%2").arg(device).arg(int(close)));
    }
};

// Single-instance programs: `running` are found (and activated), every question is kept.
struct TFakeInstances final : TRunningInstances {
    QStringList running;
    QStringList asked;
    bool ActivateRunning(const QString& program, bool full) override {
        asked << program + (full ? "|full" : "|name");
        return running.contains(program);
    }
};

// Answers every download at once with `answer`; keeps the addresses and the last size limit.
struct TFakeFetcher final : TUrlFetcher {
    TFetchResult answer;
    QStringList urls;
    qsizetype maxBytes = 0;
    void Fetch(const QString& url, int, qsizetype limit, std::function<void(const TFetchResult&)> done) override {
        urls << url;
        maxBytes = limit;
        done(answer);
    }
};

} // namespace vantrelo::test
