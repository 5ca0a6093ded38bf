// Index speed on a seeded tree of 50,000 files (a third of them empty .desktop files) beside `find` on it.
#include "index/indexfiles.h"
#include "index/indexlist.h"
#include "index/scanner.h"
#include "suggest/scanwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <set>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vantrelo {
namespace {

constexpr int kFiles = 50000, kFolders = 1000;

// Application, document and source names in 1,000 folders, as bench/gen_tree.py makes them. The
// tree is made once per run and removed at exit.
const QString& Tree() {
    static QTemporaryDir dir(QDir::tempPath() + QLatin1String("/vantrelo-bench-XXXXXX"));
    static const QString root = [] {
        const QString r = dir.path() + QLatin1String("/tree");
        const char* appA[] = {"Visual", "Video", "Virtual", "Libre", "Open", "Text", "Sound", "Image", "Photo", "Music"};
        const char* appB[] = {"Studio", "Editor", "Viewer", "Player", "Manager", "Monitor", "Browser", "Recorder"};
        const char* docs[] = {"Quarterly report", "Invoice", "Meeting notes", "Budget", "Thesis draft", "Contract"};
        const char* ext[] = {".odt", ".pdf", ".docx", ".ods", ".txt", ".md"};
        const char* src[] = {"parser", "widget", "model", "render", "network", "buffer", "config", "window"};
        const char* srcExt[] = {".cpp", ".h", ".py", ".rs", ".go", ".js"};
        std::mt19937 rng(20240611);
        const auto pick = [&rng](const auto& list) { return list[rng() % std::size(list)]; };
        std::set<QString> paths;
        while (int(paths.size()) < kFiles) {
            const QString folder = QStringLiteral("d%1").arg(rng() % kFolders, 3, 10, QLatin1Char('0'));
            QString name;
            switch (rng() % 3) {
            case 0: name = QStringLiteral("%1 %2 %3.desktop").arg(pick(appA), pick(appB)).arg(rng() % 100000); break;
            case 1: name = QStringLiteral("%1 %2-%3%4").arg(pick(docs)).arg(2000 + rng() % 25).arg(rng() % 100000).arg(pick(ext)); break;
            default: name = QStringLiteral("%1_%2%3%4").arg(pick(src), pick(src)).arg(rng() % 100000).arg(pick(srcExt)); break;
            }
            paths.insert(folder + u'/' + name);
        }
        for (const QString& p : paths) {
            QDir().mkpath(r + u'/' + p.section(u'/', 0, 0));
            QFile file(r + u'/' + p);
            (void)file.open(QIODevice::WriteOnly);
        }
        return r;
    }();
    return root;
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

void Report(benchmark::State& state, const std::vector<double>& ms) {
    state.counters["p50_ms"] = Percentile(ms, 0.50);
    state.counters["p95_ms"] = Percentile(ms, 0.95);
}

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

TScanInput TreeInput(const QString& dataFolder) {
    TScanInput input;
    input.scanwindowsitems = false;
    input.indexuwp = false;
    input.dataFolder = dataFolder;
    input.scandirs = FormatScanFolders({TMyScanItem{Tree(), QStringLiteral("*"), {}, QStringLiteral("9")}});
    return input;
}

// The launcher's rescan: the walk into a list of entries on two threads.
void BM_ScanTree50k(benchmark::State& state) {
    const TScanInput input = TreeInput(QString());
    const std::atomic<bool> cancel{false};
    qsizetype found = 0;
    std::vector<double> ms;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto result = std::make_unique<TScanResult>(ScanIndex(input, cancel));
        found = result->list.size();
        ms.push_back(Since(start));
        // Freeing the list belongs to whoever replaces the live index, not to the walk.
        state.PauseTiming();
        result.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = double(found);
    Report(state, ms);
}
BENCHMARK(BM_ScanTree50k)->Unit(benchmark::kMillisecond)->UseRealTime();

// The scan-folder editor's test scan of one folder: the walk into a list on one thread.
void BM_TestScanTree50k(benchmark::State& state) {
    const QString root = Tree();
    const TScanRoots roots;
    const std::atomic<bool> cancel{false};
    std::vector<double> ms;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto list = std::make_unique<TIndexList>();
        ScanTestFolder(root, QStringLiteral("5"), QString(), roots, *list, cancel, nullptr);
        benchmark::DoNotOptimize(list);
        ms.push_back(Since(start));
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    Report(state, ms);
}
BENCHMARK(BM_TestScanTree50k)->Unit(benchmark::kMillisecond)->UseRealTime();

// vantrelo-cli's way: the walk and the writing of scancache.dat and its snapshot on two threads.
void BM_ScanWritten50k(benchmark::State& state) {
    static QTemporaryDir data;
    const TScanInput input = TreeInput(data.path() + u'/');
    const std::atomic<bool> cancel{false};
    qsizetype found = 0;
    std::vector<double> ms;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const TScanWriteResult r = WriteScannedIndex(input, cancel, input.dataFolder + QLatin1String("scancache.dat"));
        ms.push_back(Since(start));
        found = r.items;
        if (!r.cache || !r.snapshot)
            state.SkipWithError("the cache or its snapshot was not written");
    }
    state.counters["entries"] = double(found);
    Report(state, ms);
}
BENCHMARK(BM_ScanWritten50k)->Unit(benchmark::kMillisecond)->UseRealTime();

// `find TREE -type f`, its output thrown away, started without a shell.
void BM_FindTree50k(benchmark::State& state) {
    const QByteArray tree = QFile::encodeName(Tree());
    std::vector<double> ms;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>("find"), const_cast<char*>(tree.constData()), const_cast<char*>("-type"),
                        const_cast<char*>("f"), nullptr};
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, "find", &actions, nullptr, argv, environ) == 0)
            waitpid(pid, &status, 0);
        posix_spawn_file_actions_destroy(&actions);
        ms.push_back(Since(start));
    }
    Report(state, ms);
}
BENCHMARK(BM_FindTree50k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadCache50k(benchmark::State& state) {
    static QTemporaryDir dir;
    const QString file = dir.path() + QLatin1String("/scancache.dat");
    {
        TIndexList list;
        for (int i = 0; i < 50000; ++i) {
            auto item = std::make_unique<TMyShellItem>();
            item->name = QStringLiteral("Program number %1").arg(i);
            item->root = QStringLiteral("rfStartMenu");
            item->path = QStringLiteral("/usr/share/applications/group%1/program-%2.desktop").arg(i % 40).arg(i);
            item->ps = "R" + EncodeIdList(item->path.toUtf8()).toLatin1();
            QString key = QStringLiteral("Program number %1applications").arg(i);
            list.Append(key, std::move(item));
        }
        SaveIndexCache(file, list);
    }
    for (auto _ : state) {
        auto list = std::make_unique<TIndexList>();
        LoadIndexCache(file, *list);
        benchmark::DoNotOptimize(list);
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadCache50k)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vantrelo
