// Load and save time of a vantrelo.ini with 2,000 keywords and 1,000 history entries.
#include "core/settingsstore.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace vantrelo;

namespace {

struct Fixture {
    QTemporaryDir dir;
    TPlaces places{dir.path() + u'/', dir.path() + u'/'};
    TUserData data;

    Fixture() {
        for (int i = 0; i < 2000; ++i) {
            auto w = MakeNewKeyword(QStringLiteral("kw%1,alias%1").arg(i),
                                    QStringLiteral("https://example.org/search?q=$U$&n=%1").arg(i),
                                    QStringLiteral("$P$"));
            w->comment = QStringLiteral("Keyword number %1").arg(i);
            w->group = QStringLiteral("web tools");
            data.keywords.Add(std::move(w));
        }
        data.settings.maxhistory = 1000;
        for (int i = 0; i < 1000; ++i)
            data.history.AddToHistory(QStringLiteral("kw%1 some typed parameters").arg(i), nullptr, false, false);
        TSettingsStore store(places);
        store.WriteSettings(data);
    }
};

void BM_SaveSettings(benchmark::State& state) {
    Fixture f;
    TSettingsStore store(f.places);
    for (auto _ : state) {
        const TSaveResult r = store.WriteSettings(f.data);
        if (!r)
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

void BM_LoadSettings(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        TSettingsStore store(f.places);
        TUserData loaded;
        store.ReadSettings(loaded, nullptr);
        if (loaded.keywords.size() != 2000 || loaded.history.size() != 1000)
            state.SkipWithError("load lost entries");
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

} // namespace
