// Keystroke to finished list content over a 100,000-name index: p50/p95 per keystroke.
#include "core/history.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "index/indexfiles.h"
#include "index/indexlist.h"
#include "suggest/completion.h"
#include "suggest/indexsnapshot.h"
#include "suggest/keystroke.h"
#include "suggest/preparedindex.h"
#include "suggest/suggestsources.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <random>
#include <string>

namespace vantrelo {
namespace {

// A seeded, realistic mix: applications, documents, photos and source files in project folders.
TIndexList SyntheticIndex(int count) {
    std::mt19937 rng(20240611);
    auto pick = [&](const std::vector<QString>& v) { return v[rng() % v.size()]; };
    const std::vector<QString> appA = {"Visual", "Video", "Virtual", "Libre", "Open", "Text", "Sound", "Image",
                                       "Photo", "Music", "Web", "Mail", "Disk", "System", "Network", "Terminal",
                                       "Code", "Game", "Office", "Media"};
    const std::vector<QString> appB = {"Studio", "Editor", "Viewer", "Player", "Manager", "Monitor", "Browser",
                                       "Recorder", "Converter", "Settings", "Center", "Tools", "Help", "Setup",
                                       "Uninstall", "Writer", "Calc", "Draw"};
    const std::vector<QString> docs = {"Quarterly report", "Invoice", "Meeting notes", "Budget", "Thesis draft",
                                       "Contract", "Travel plan", "Recipe", "Resume", "Tax return", "Letter",
                                       "Presentation", "Minutes", "Proposal", "Shopping list"};
    const std::vector<QString> ext = {".odt", ".pdf", ".docx", ".ods", ".txt", ".md", ".xlsx", ".pptx"};
    const std::vector<QString> places = {"Berlin", "Italy", "Beach", "Mountains", "Birthday", "Wedding", "Garden",
                                         "Paris", "Holiday", "Christmas"};
    const std::vector<QString> src = {"parser", "widget", "model", "render", "network", "buffer", "config",
                                      "window", "layout", "stream", "cache", "index", "visitor", "vector",
                                      "matrix", "shader", "socket", "thread", "timer", "logger"};
    const std::vector<QString> srcExt = {".cpp", ".h", ".py", ".rs", ".go", ".js", ".ts", ".java"};
    TIndexList list;
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<TMyShellItem>();
        QString folder;
        switch (rng() % 4) {
        case 0:
            item->name = pick(appA) + QLatin1Char(' ') + pick(appB) + (rng() % 3 ? QString() : QStringLiteral(" ") + QString::number(rng() % 30));
            folder = QStringLiteral("/usr/share/applications/");
            break;
        case 1:
            item->name = pick(docs) + QLatin1Char(' ') + QString::number(2000 + rng() % 25) + pick(ext);
            folder = QStringLiteral("/home/user/Documents/");
            break;
        case 2:
            item->name = (rng() % 2 ? QStringLiteral("IMG_%1_%2.jpg").arg(20100000 + rng() % 150000).arg(rng() % 999999)
                                    : pick(places) + QLatin1Char(' ') + QString::number(rng() % 999) + QStringLiteral(".jpg"));
            folder = QStringLiteral("/home/user/Pictures/") + pick(places) + QLatin1Char('/');
            break;
        default:
            item->name = pick(src) + QLatin1Char('_') + pick(src) + pick(srcExt);
            folder = QStringLiteral("/home/user/src/") + pick(src) + QLatin1Char('/');
            break;
        }
        const QString path = folder + item->name;
        item->path = path;
        list.Append(path, std::move(item));
    }
    return list;
}

// Names in the keystroke index: 100,000, or VANTRELO_BENCH_NAMES for the growth figures.
int IndexNames() {
    const int n = qEnvironmentVariableIntValue("VANTRELO_BENCH_NAMES");
    return n > 0 ? n : 100000;
}

struct Fixture {
    TSettings settings;
    TKeywordList keywords;
    THistory history;
    TTagList tags;
    TPreparedIndex index{SyntheticIndex(IndexNames())};
    Fixture() {
        for (const char* k : {"google", "vim", "vlc", "firefox", "calc", "notes", "term", "mail"})
            keywords.Add(MakeNewKeyword(QString::fromUtf8(k), QStringLiteral("cmd"), QString()));
        tags.Build(keywords);
        for (const char* h : {"vim notes.txt", "google weather", "visual studio code"})
            history.AddToHistory(QString::fromUtf8(h), nullptr, false, false);
    }
};

Fixture& Shared() {
    static Fixture f; // built once for every benchmark of the run
    return f;
}

// VANTRELO_BENCH_SPLIT: the walk length from which a second thread helps (0: never), to compare.
void ApplySplit(TSuggestState& st) {
    bool set = false;
    const int split = qEnvironmentVariableIntValue("VANTRELO_BENCH_SPLIT", &set);
    if (set)
        st.matches.SetSplitAt(split > 0 ? std::size_t(split) : SIZE_MAX);
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

void BM_KeystrokeToList(benchmark::State& state, const char* typed) {
    Fixture& f = Shared();
    TSuggestSources src{f.settings, f.keywords, f.history, f.tags};
    src.index = &f.index;
    // A fresh state each time: the text is walked over the whole index, as if pasted.
    std::optional<TSuggestState> st;
    const QString text = QString::fromUtf8(typed);
    std::vector<double> samples;
    for (auto _ : state) {
        st.emplace();
        ApplySplit(*st);
        const auto t0 = std::chrono::steady_clock::now();
        RefreshForKeystroke(src, *st, TSuggestLine::AtEnd(text));
        const auto t1 = std::chrono::steady_clock::now();
        const double s = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(s);
        samples.push_back(s * 1e6);
        benchmark::DoNotOptimize(st->content.size());
    }
    state.counters["p50_us"] = Percentile(samples, 0.50);
    state.counters["p95_us"] = Percentile(samples, 0.95);
    state.counters["entries"] = double(st->content.size());
}

// The same with inline completion first, indexed items among its sources (the shortest-remainder
// choice walks the whole index).
void BM_KeystrokeWithCompletion(benchmark::State& state, const char* typed) {
    Fixture& f = Shared();
    TSettings settings = f.settings;
    settings.autoprograms = true;
    TSuggestSources src{settings, f.keywords, f.history, f.tags};
    src.index = &f.index;
    std::optional<TSuggestState> st;
    TFolderCache folders;
    const QString text = QString::fromUtf8(typed);
    std::vector<double> samples;
    bool completed = false;
    for (auto _ : state) {
        st.emplace();
        ApplySplit(*st);
        const auto t0 = std::chrono::steady_clock::now();
        completed = RefreshForKeystroke(src, *st, folders, TSuggestLine::AtEnd(text)).completed;
        const auto t1 = std::chrono::steady_clock::now();
        const double s = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(s);
        samples.push_back(s * 1e6);
        benchmark::DoNotOptimize(st->content.size());
    }
    state.counters["p50_us"] = Percentile(samples, 0.50);
    state.counters["p95_us"] = Percentile(samples, 0.95);
    state.counters["completed"] = completed ? 1 : 0;
}

// A word typed letter by letter from an empty line: each sample is one keystroke, with the state
// the previous keystroke left (the first letter walks the whole index). With `complete` the
// keystroke completes inline as the launcher does, over the text typed so far.
void TypeWord(benchmark::State& state, const char* word, bool complete) {
    Fixture& f = Shared();
    TSettings settings = f.settings;
    settings.autoprograms = complete;
    TSuggestSources src{settings, f.keywords, f.history, f.tags};
    src.index = &f.index;
    const QString typed = QString::fromUtf8(word);
    std::vector<double> samples;
    std::vector<std::vector<double>> byKey(size_t(typed.size()));
    double entries = 0;
    for (auto _ : state) {
        TSuggestState st;
        ApplySplit(st);
        TFolderCache folders;
        double total = 0;
        for (qsizetype i = 1; i <= typed.size(); ++i) {
            const TSuggestLine line = TSuggestLine::AtEnd(typed.left(i));
            const auto t0 = std::chrono::steady_clock::now();
            if (complete)
                RefreshForKeystroke(src, st, folders, line);
            else
                RefreshForKeystroke(src, st, line);
            const auto t1 = std::chrono::steady_clock::now();
            const double s = std::chrono::duration<double>(t1 - t0).count();
            total += s;
            samples.push_back(s * 1e6);
            byKey[size_t(i - 1)].push_back(s * 1e6);
        }
        state.SetIterationTime(total / double(typed.size()));
        entries = double(st.content.size());
        benchmark::DoNotOptimize(st.content.size());
    }
    state.counters["p50_us"] = Percentile(samples, 0.50);
    state.counters["p95_us"] = Percentile(samples, 0.95);
    state.counters["entries"] = entries;
    // Which keystroke of the word is slow: its p95 by position ("k1" is the first letter).
    for (size_t k = 0; k < byKey.size(); ++k)
        state.counters["k" + std::to_string(k + 1) + "_p95_us"] = Percentile(byKey[k], 0.95);
}

void BM_TypeWord(benchmark::State& state, const char* word) { TypeWord(state, word, false); }
void BM_TypeWordWithCompletion(benchmark::State& state, const char* word) { TypeWord(state, word, true); }

// Preparing a freshly adopted index of 50,000 names (once per rescan, on the UI thread).
void BM_PrepareIndex(benchmark::State& state) {
    const auto list = std::make_shared<const TIndexList>(SyntheticIndex(50000));
    for (auto _ : state) {
        TPreparedIndex prepared;
        prepared.Adopt(*list);
        benchmark::DoNotOptimize(prepared.Names().data());
    }
}

// What a start or `vantrelo-cli suggest` pays for a 100,000-entry index: the snapshot mapped and
// checked, against the cache read and prepared.
void BM_SnapshotLoad(benchmark::State& state) {
    QTemporaryDir dir;
    const QString cache = dir.filePath(QStringLiteral("scancache.dat"));
    const TIndexList list = SyntheticIndex(IndexNames());
    if (!SaveIndexCache(cache, list) || !SaveIndexSnapshot(cache, list)) {
        state.SkipWithError("the cache or its snapshot could not be written");
        return;
    }
    for (auto _ : state) {
        const auto image = OpenIndexSnapshot(cache);
        if (!image)
            state.SkipWithError("the snapshot was refused");
        benchmark::DoNotOptimize(image.get());
    }
}

void BM_CacheLoadAndPrepare(benchmark::State& state) {
    QTemporaryDir dir;
    const QString cache = dir.filePath(QStringLiteral("scancache.dat"));
    if (!SaveIndexCache(cache, SyntheticIndex(IndexNames()))) {
        state.SkipWithError("the cache could not be written");
        return;
    }
    for (auto _ : state) {
        TIndexList list;
        LoadIndexCache(cache, list);
        TPreparedIndex prepared(list);
        benchmark::DoNotOptimize(prepared.Names().data());
    }
}

BENCHMARK(BM_PrepareIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapshotLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CacheLoadAndPrepare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeWithCompletion, vi, "vi")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeWithCompletion, visu, "visu")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeWithCompletion, rare_qwz, "qwz")->UseManualTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(BM_KeystrokeToList, v, "v")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeToList, vi, "vi")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeToList, vis, "vis")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeToList, visu, "visu")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeToList, rare_qwz, "qwz")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeToList, rare_xylo, "xylophone")->UseManualTime()->Unit(benchmark::kMicrosecond);

// Per keystroke of a word typed from an empty line (iteration time: the mean keystroke of the word).
BENCHMARK_CAPTURE(BM_TypeWord, visual, "visual")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TypeWord, meeting, "meeting")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TypeWord, rare_qwz, "qwz")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TypeWordWithCompletion, visual, "visual")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TypeWordWithCompletion, meeting, "meeting")->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vantrelo
