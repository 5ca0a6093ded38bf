// The Windows-key state machine per key event (it runs on the hook thread) and registering 499 keyword hotkeys.
#include "core/items.h"
#include "core/keywordlist.h"
#include "platform/globalhotkeys.h"
#include "platform/keyboardhook.h"
#include "platform/hotkeys/hotkeymanager.h"
#include "platform/hotkeys/winkeyhook.h"

#include <benchmark/benchmark.h>

using namespace vantrelo;

namespace {

struct TAcceptAll final : TGlobalHotkeys {
    bool Register(int, int, int) override { return true; }
    void Unregister(int) override {}
    void UnregisterAll() override {}
    void SetHandler(THandler) override {}
};

// Typing with a Windows-key tap now and then: the common case is a key that only passes through.
void BM_WinKeyFeed(benchmark::State& state) {
    TWinKeyMachine m(1, 350);
    const int keys[] = {'A', 'B', 0xA0, 'C', 0x5B, 'D', 0x5B, 'E'};
    const bool downs[] = {true, true, true, false, true, false, false, true};
    quint64 t = 1;
    size_t i = 0;
    for (auto _ : state) {
        const size_t k = i++ % 8;
        THookDecision d = m.Feed(TKeyEvent{keys[k], downs[k], t += 7});
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_WinKeyFeed);

// Start-up with the most keyword hotkeys there can be.
void BM_RegisterAllHotkeys(benchmark::State& state) {
    TKeywordList words;
    for (int i = 0; i < 499; ++i) {
        auto w = MakeNewKeyword(QStringLiteral("kw%1").arg(i), QStringLiteral("xterm"), QString());
        w->key = 0x70 + i % 24;
        w->keymod = i / 24;
        words.Add(std::move(w));
    }
    TAcceptAll grabs;
    for (auto _ : state) {
        TmyHotKeyManager manager(grabs);
        benchmark::DoNotOptimize(manager.RegisterAllHotkeys(words));
    }
}
BENCHMARK(BM_RegisterAllHotkeys);

} // namespace
