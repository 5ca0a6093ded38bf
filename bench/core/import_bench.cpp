// Keyword import at scale: an export file of N keywords read, listed against the current keywords
// (half of them existing) and merged with "Yes to All", as the import page does.
#include "core/keywordexchange.h"
#include "core/keywordlist.h"

#include <benchmark/benchmark.h>

using namespace vantrelo;

namespace {

QByteArray ExportOf(int n) {
    std::vector<std::unique_ptr<TExeWord>> owned;
    std::vector<const TExeWord*> words;
    for (int i = 0; i < n; ++i) {
        owned.push_back(MakeNewKeyword(QStringLiteral("imp%1,alias%1").arg(i),
                                       QStringLiteral("https://example.org/search?q=$U$&n=%1").arg(i), QStringLiteral("$P$")));
        owned.back()->comment = QStringLiteral("Imported keyword number %1").arg(i);
        words.push_back(owned.back().get());
    }
    return FormatExportFile(words, TExportOptions{});
}

void BM_ImportKeywords(benchmark::State& state) {
    const int n = int(state.range(0));
    const QByteArray bytes = ExportOf(n);
    for (auto _ : state) {
        state.PauseTiming();
        TKeywordList current;
        for (int i = 0; i < n; i += 2)
            current.Add(MakeNewKeyword(QStringLiteral("IMP%1").arg(i), QStringLiteral("old"), QString()));
        state.ResumeTiming();
        TImportFile file = ParseExportFile(bytes);
        const std::vector<TImportRow> rows = ImportRows(file.words, current);
        std::vector<std::unique_ptr<TExeWord>> chosen;
        while (!file.words.empty())
            chosen.push_back(file.words.Take(file.words.size() - 1));
        std::reverse(chosen.begin(), chosen.end());
        const TMergeResult r = MergeKeywords(current, std::move(chosen),
                                             [](const TExeWord&, const TExeWord&) { return TConflictAnswer::YesToAll; });
        if (int(rows.size()) != n || r.Merged() != n)
            state.SkipWithError("the import lost keywords");
        benchmark::DoNotOptimize(current);
    }
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_ImportKeywords)->Arg(1000)->Arg(4000)->Arg(15000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 1 MB file of nothing but empty keyword sections.
void BM_ParseEmptySections(benchmark::State& state) {
    QByteArray bytes;
    while (bytes.size() < 1024 * 1024)
        bytes += "[W]\r\n";
    for (auto _ : state) {
        TImportFile file = ParseExportFile(bytes);
        benchmark::DoNotOptimize(file);
    }
    state.counters["sections"] = double(bytes.size() / 5);
}
BENCHMARK(BM_ParseEmptySections)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
