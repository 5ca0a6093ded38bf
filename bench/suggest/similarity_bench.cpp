// Cost of the fuzzy score over a list of names the size of a file index.
#include "suggest/similarity.h"

#include <QStringList>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace vantrelo;

namespace {

QStringList Names(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("Document-%1 final.version.odt").arg(i);
    return names;
}

void BM_SimilarityOverIndex(benchmark::State& state) {
    const QStringList names = Names(static_cast<int>(state.range(0)));
    const QString typed = QStringLiteral("docment final");
    for (auto _ : state) {
        auto link = InitSimilarity();
        int best = 0;
        for (const QString& n : names)
            best = std::max(best, SimilarityPercent(*link, typed, n));
        benchmark::DoNotOptimize(best);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_SimilarityOverIndex)->Arg(1000)->Arg(10000);

} // namespace
