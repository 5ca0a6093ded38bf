// What spell checking costs the multi-line editor: finding the words of a line, and asking hunspell.
#include "ui/spellcheck.h"
#include "ui/windowlogic.h"

#include <benchmark/benchmark.h>

#include <QStringList>

namespace vantrelo {
namespace {

// A paragraph of ordinary text with an address, a number and two misspellings per line.
QStringList Lines(int n) {
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << QStringLiteral("The quick brown fox jumps over teh lazy dog at https://example.org/%1 and "
                                "doesn't recieve 42 well-known letters")
                     .arg(i);
    return lines;
}

void BM_SpellWords(benchmark::State& state) {
    const QStringList lines = Lines(int(state.range(0)));
    for (auto _ : state) {
        size_t words = 0;
        for (const QString& line : lines)
            words += SpellWords(line).size();
        benchmark::DoNotOptimize(words);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SpellWords)->Arg(1000);

// One highlighting pass over a text: every word of every line checked.
void BM_CheckLines(benchmark::State& state) {
    const auto checker = MakeHunspellChecker(QStringLiteral("en_US"));
    if (!checker) {
        state.SkipWithError("no hunspell dictionary installed");
        return;
    }
    const QStringList lines = Lines(int(state.range(0)));
    for (auto _ : state) {
        int wrong = 0;
        for (const QString& line : lines)
            for (const TWordSpan& w : SpellWords(line))
                wrong += checker->Correct(line.mid(w.start, w.length)) ? 0 : 1;
        benchmark::DoNotOptimize(wrong);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CheckLines)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vantrelo
