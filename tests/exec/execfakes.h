// Recording fakes of the system services and an execution context built from them.
#pragma once

#include "core/keywordlist.h"
#include "core/settings.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/desktopwindows.h"
#include "platform/environment.h"
#include "platform/filesystem.h"
#include "platform/keysender.h"
#include "platform/networkinfo.h"
#include "platform/randomsource.h"
#include "platform/soundplayer.h"
#include "platform/textsender.h"
#include "platform/waiter.h"

#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace vantrelo::test {

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
    bool HasText() const override { return hasText; }
    QString Text() const override { return text; }
    void SetText(const QString& t) override { Put(t); ++writes; }
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
        ++changes;
        ++restores;
    }
    // Another program (or our own copy) changes the clipboard.
    void Put(const QString& t) {
        text = t;
        hasText = true;
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

// Runs the checks without sleeping; `onTick` plays what happens while events run.
struct TFakeWaiter final : TWaiter {
    int waitedMs = 0;
    int pumps = 0;
    std::function<void()> onTick;
    bool WaitUntil(const std::function<bool()>& done, int intervalMs, int maxChecks) override {
        for (int i = 0;; ++i) {
            if (done())
                return true;
            if (i == maxChecks)
                return false;
            waitedMs += intervalMs;
            if (onTick)
                onTick();
        }
    }
    void ProcessPendingEvents() override { ++pumps; }
};

struct TFakeSound final : TSoundPlayer {
    std::vector<QString> played;
    void Play(const QString& path) override { played.push_back(path); }
};

// Deterministic: walks through `values`, then counts up.
struct TFakeRandom final : TRandomSource {
    quint64 state = 12345;
    quint32 Bounded(quint32 bound) override {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32((state >> 33) % bound);
    }
};

struct TFakeClock final : TClock {
    QDateTime now{QDate(2024, 3, 5), QTime(14, 7, 9)};
    QDateTime Now() const override { return now; }
};

struct TFakeNetwork final : TNetworkInfo {
    QStringList ips;
    QStringList LocalIPv4Addresses() const override { return ips; }
};

struct TFakeTextSender final : TTextSender {
    std::vector<QString> typed;
    std::vector<std::pair<QString, bool>> pasted;
    void TypeText(const QString& t) override { typed.push_back(t); }
    void PasteText(const QString& t, bool enter) override { pasted.emplace_back(t, enter); }
};

struct TFakeInputHost final : TInputHost {
    struct TNewWord {
        QString text;
        bool selectall;
        bool ignoredrop;
    };
    std::vector<TNewWord> newWords;
    int shown = 0;
    QString selection;
    std::vector<bool> copies; // true = cut
    int pastes = 0;
    quint64 lastActive = 0;
    void SetNewWord(const QString& t, bool selectall, bool ignoredrop) override {
        newWords.push_back({t, selectall, ignoredrop});
    }
    void ShowInputWindow() override { ++shown; }
    QString SelectedInputText() const override { return selection; }
    void CopyInputSelection(bool cut) override { copies.push_back(cut); }
    void PasteIntoInput() override { ++pastes; }
    void SetLastActiveWindow(quint64 w) override { lastActive = w; }
};

struct TFakeClipHistory final : TClipHistoryView {
    QStringList entries; // newest first
    int Count() const override { return int(entries.size()); }
    QString Entry(int n) const override { return entries.at(n - 1); }
};

// Every fake wired into one context.
struct TExecFakes {
    TSettings settings;
    TKeywordList keywords;
    TFakeEnvironment env;
    TFakeFileSystem files;
    TFakeClipboard clipboard;
    TFakeWindows windows;
    TFakeKeys keys;
    TFakeWaiter waiter;
    TFakeSound sound;
    TFakeRandom random;
    TFakeClock clock;
    TFakeNetwork network;
    TFakeTextSender sender;
    TFakeInputHost input;
    TFakeClipHistory history;
    TExecContext ctx{settings, keywords,
                     TExecServices{&env, &files, &clipboard, &windows, &keys, &waiter, &sound, &random, &clock, &network,
                                   &sender, &input, &history}};

    TExeWord& AddKeyword(const QString& names, const QString& command, const QString& parameters = QString()) {
        auto w = std::make_unique<TExeWord>();
        w->keywords = names;
        w->command = command;
        w->parameters = parameters;
        return keywords.Add(std::move(w));
    }
    // The foreground program answers Ctrl+C by putting `selected` on the clipboard.
    void SelectInForeground(const QString& selected) {
        keys.onSend = [this, selected](int) { clipboard.Put(selected); };
    }
};

} // namespace vantrelo::test
