// Index speed: walking a 50,000-file tree (beside `find` on the same tree) and loading the cache.
#include "index/indexfiles.h"
#include "index/indexlist.h"
#include "index/scanner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace vantrelo {
namespace {

constexpr int kTop = 50, kSub = 10, kFiles = 100; // 50,000 files in 550 folders

// The tree is made once per run and removed at exit.
const QString& Tree() {
    static QTemporaryDir dir(QDir::tempPath() + QLatin1String("/vantrelo-bench-XXXXXX"));
    static const QString root = [] {
        const QString r = dir.path() + QLatin1String("/tree");
        for (int t = 0; t < kTop; ++t)
            for (int s = 0; s < kSub; ++s) {
                const QString folder = QStringLiteral("%1/group%2/sub%3").arg(r).arg(t).arg(s);
                QDir().mkpath(folder);
                for (int f = 0; f < kFiles; ++f) {
                    QFile file(QStringLiteral("%1/g%2s%3f%4.txt").arg(folder).arg(t).arg(s).arg(f));
                    (void)file.open(QIODevice::WriteOnly);
                }
            }
        return r;
    }();
    return root;
}

void BM_ScanTree50k(benchmark::State& state) {
    const QString root = Tree();
    const TScanRoots roots;
    const std::atomic<bool> cancel{false};
    qsizetype found = 0;
    for (auto _ : state) {
        auto list = std::make_unique<TIndexList>();
        ScanTestFolder(root, QStringLiteral("5"), QString(), roots, *list, cancel, nullptr);
        found = list->size();
        benchmark::DoNotOptimize(list);
        // Freeing the list belongs to whoever replaces the live index, not to the walk.
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = double(found);
}
BENCHMARK(BM_ScanTree50k)->Unit(benchmark::kMillisecond);

void BM_FindTree50k(benchmark::State& state) {
    const QByteArray cmd = "find '" + QFile::encodeName(Tree()) + "' > /dev/null";
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system(cmd.constData()));
}
BENCHMARK(BM_FindTree50k)->Unit(benchmark::kMillisecond);

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
