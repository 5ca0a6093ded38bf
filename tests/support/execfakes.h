// The execution context over recording fakes, with the input line's and the clipboard history's fakes.
#pragma once

#include "core/keywordlist.h"
#include "core/settings.h"
#include "exec/execcontext.h"
#include "exec/injector.h"
#include "exec/inputhost.h"
#include "support/hotkeyfakes.h"
#include "support/systemfakes.h"
#include "support/timefakes.h"

#include <utility>
#include <vector>

namespace vantrelo::test {

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
    // Keys into other windows: the focus is on `windows.foreground` unless a test moves it.
    TFakeKeyInjector injected;
    TInjector injector{TInjectTools{&injected, &keys, &waiter, &clipboard, [this] { return windows.foreground; }}};
    TExecContext ctx{settings, keywords,
                     TExecServices{&env, &files, &clipboard, &windows, &keys, &waiter, &sound, &random, &clock, &network,
                                   &sender, &input, &history, &injector}};

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
