// Cost of the live calculator title, which runs on every keystroke.
#include "core/settings.h"
#include "tools/calculator.h"

#include <benchmark/benchmark.h>

using namespace vantrelo;

namespace {

void BM_CalcTitle(benchmark::State& state, const char* input) {
    const TSettings s;
    const QString text = QString::fromLatin1(input);
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcTitle(s, text));
}

BENCHMARK_CAPTURE(BM_CalcTitle, typical, "#2*(3+4)/sqrt16");
BENCHMARK_CAPTURE(BM_CalcTitle, functions, "#c sin(pi/4)^2+cos(pi/4)^2+ln(e^3)+fak10");
BENCHMARK_CAPTURE(BM_CalcTitle, not_a_calculation, "notepad2");

} // namespace
