// A typed folder of 20,000 entries: the worker's read, and each keystroke's cost on the UI thread once it is read.
#include "core/history.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "platform/scheduler.h"
#include "suggest/folderreader.h"
#include "suggest/keystroke.h"
#include "suggest/suggestsources.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <random>

namespace vantrelo {
namespace {

constexpr int kEntries = 20000;

// The read runs where it is asked: the listing is in the reader's hands before the first keystroke.
struct TInlineRunner final : TTaskRunner {
    void Run(std::function<void()> work, std::function<void()> done) override {
        work();
        done();
    }
};

struct Fixture {
    QTemporaryDir dir;
    QString folder;
    TSettings settings;
    TKeywordList keywords;
    THistory history;
    TTagList tags;
    TInlineRunner runner;
    TFolderReader reader{runner};
    Fixture() {
        folder = dir.path() + QStringLiteral("/big");
        QDir().mkpath(folder);
        std::mt19937 rng(7);
        const char* stems[] = {"report", "photo", "invoice", "readme", "notes", "track", "scan", "backup"};
        for (int i = 0; i < kEntries; ++i) {
            const QString name = QString::fromLatin1(stems[rng() % 8]) + QStringLiteral("-%1").arg(i) +
                                 (i % 50 == 0 ? QString() : QStringLiteral(".dat"));
            if (i % 50 == 0)
                QDir().mkpath(folder + QLatin1Char('/') + name);
            else
                QFile(folder + QLatin1Char('/') + name).open(QIODevice::WriteOnly);
        }
    }
};

Fixture& Shared() {
    static Fixture f;
    return f;
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

// What the worker does once per folder typed.
void BM_ReadTypedFolder(benchmark::State& state) {
    Fixture& f = Shared();
    size_t entries = 0;
    for (auto _ : state) {
        const TFolderListing listing = ReadFolderListing(f.folder, kFolderEntryLimit);
        entries = listing.entries.size();
        benchmark::DoNotOptimize(listing.truncated);
    }
    state.counters["entries"] = double(entries);
}

// A keystroke in the folder's path on the UI thread, the listing already read: matching and the list.
void BM_KeystrokeInTypedFolder(benchmark::State& state, const char* start) {
    Fixture& f = Shared();
    TSuggestSources src{f.settings, f.keywords, f.history, f.tags};
    src.folderReader = &f.reader;
    TSuggestState st;
    const QString text = f.folder + QLatin1Char('/') + QString::fromUtf8(start);
    RefreshForKeystroke(src, st, TSuggestLine::AtEnd(text)); // the read, outside the measure
    std::vector<double> samples;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        RefreshForKeystroke(src, st, TSuggestLine::AtEnd(text));
        const auto t1 = std::chrono::steady_clock::now();
        const double s = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(s);
        samples.push_back(s * 1e6);
        benchmark::DoNotOptimize(st.content.size());
    }
    state.counters["p50_us"] = Percentile(samples, 0.50);
    state.counters["p95_us"] = Percentile(samples, 0.95);
    state.counters["rows"] = double(st.content.size());
}

BENCHMARK(BM_ReadTypedFolder)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeInTypedFolder, all, "")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeInTypedFolder, r, "r")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeInTypedFolder, rep, "rep")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeInTypedFolder, report_1, "report-1")->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vantrelo
