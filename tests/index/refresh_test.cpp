// Index refresh: when rescans start, the worker hand-off, thrown-away scans, stopping, and icon warm-up.
#include "index/iconwarmup.h"
#include "index/indexfiles.h"
#include "index/indexrefresh.h"

#include "core/history.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "indextree.h"
#include "support/qtapp.h"
#include "support/timefakes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <type_traits>

namespace vantrelo {
namespace {

using test::TIndexTree;

// Runs the event loop until `done` holds or ten seconds pass; false on the deadline.
bool RunUntil(const std::function<bool()>& done) {
    test::CoreApp();
    const QDeadlineTimer deadline(10000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

// Counts a signal's emissions and keeps the number it carried last.
struct TSignalCount {
    int count = 0;
    int lastInt = 0;
};

template <typename Sender, typename Signal>
std::shared_ptr<TSignalCount> Watch(Sender* sender, Signal signal) {
    auto c = std::make_shared<TSignalCount>();
    QObject::connect(sender, signal, [c](const auto&... args) {
        ++c->count;
        const auto take = [&c](const auto& a) {
            if constexpr (std::is_arithmetic_v<std::decay_t<decltype(a)>>)
                c->lastInt = int(a);
        };
        (void)take; // signals without arguments
        (take(args), ...);
    });
    return c;
}

// Where the refresher's and the warm-up's clocks start.
QDateTime Morning() { return QDateTime(QDate(2026, 3, 1), QTime(9, 0)); }

std::unique_ptr<TMyShellItem> Item(const QString& name) {
    auto item = std::make_unique<TMyShellItem>();
    item->name = name;
    item->path = "/apps/" + name;
    item->root = QStringLiteral("rfStartMenu");
    item->ps = "R" + EncodeIdList(name.toUtf8()).toLatin1();
    return item;
}

TScanResult Finished(const QStringList& names) {
    TScanResult r;
    r.state = TScanState::Finished;
    for (const QString& n : names)
        r.list.Append(n + "apps", Item(n));
    return r;
}

QStringList Names(const TIndexList* list) {
    QStringList out;
    if (list)
        for (const TIndexEntry& e : *list)
            out << e.item->name;
    return out;
}

// Holds a scan open until the test lets it go (bounded, so a broken test cannot hang).
class TGate {
public:
    void Wait() {
        std::unique_lock lock(m_);
        ++waiting_;
        cv_.notify_all();
        cv_.wait_for(lock, std::chrono::seconds(10), [this] { return open_; });
    }
    void Open() {
        std::lock_guard lock(m_);
        open_ = true;
        cv_.notify_all();
    }
    bool Waiting() {
        std::lock_guard lock(m_);
        return waiting_ > 0;
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    int waiting_ = 0;
    bool open_ = false;
};

class RefreshTest : public ::testing::Test {
protected:
    RefreshTest() {
        test::CoreApp();
        settings.autoindex = 3;
        settings.scanwindowsitems = true;
        settings.indexrefresh = 2;
    }
    TIndexRefresher& Make(bool safemode = false, bool dataFolderExists = true) {
        if (dataFolderExists)
            QDir().mkpath(tree.Data());
        TIndexRefresher::TSetup setup;
        setup.settings = &settings;
        setup.clock = &clock;
        setup.roots = tree.roots;
        setup.dataFolder = tree.Data();
        setup.safemode = safemode;
        refresher = std::make_unique<TIndexRefresher>(setup);
        refresher->SetScanFunction([this](const TScanInput& in, const std::atomic<bool>& cancel) {
            scans.fetch_add(1);
            seenDataFolder = in.dataFolder;
            return scan(in, cancel);
        });
        return *refresher;
    }
    bool Settle() { return RunUntil([this] { return !refresher->Busy(); }); }

    TIndexTree tree;
    TSettings settings;
    test::TFakeClock clock{Morning()};
    std::atomic<int> scans{0};
    QString seenDataFolder;
    TScanFunction scan = [](const TScanInput&, const std::atomic<bool>&) { return Finished({"One", "Two"}); };
    std::unique_ptr<TIndexRefresher> refresher;
};

TEST(RefreshPolicy, ModesDecideTheTriggers) {
    struct Case {
        int autoindex;
        bool noindexrefresh;
        bool start, focus, idle;
    };
    const Case cases[] = {
        {-1, false, true, true, false}, {-1, true, true, false, false}, {0, false, false, false, false},
        {1, false, true, false, false}, {2, false, false, true, false}, {3, false, true, true, false},
        {4, false, false, false, true}, {5, false, true, false, true},  {9, false, false, false, false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        TSettings s;
        s.autoindex = c.autoindex;
        s.noindexrefresh = c.noindexrefresh;
        EXPECT_EQ(RefreshesOnStart(s), c.start) << "case " << i;
        EXPECT_EQ(RefreshesOnFocus(s), c.focus) << "case " << i;
        EXPECT_EQ(RefreshesWhenIdle(s), c.idle) << "case " << i;
    }
    TSettings s;
    s.indexrefresh = -3;
    EXPECT_EQ(RefreshIntervalMinutes(s), 1);
    s.scanwindowsitems = false;
    EXPECT_FALSE(HasIndexSources(s));
    s.scandirs = QStringLiteral("\"/opt\",\"*\",\"1\"|");
    EXPECT_TRUE(HasIndexSources(s));
}

TEST_F(RefreshTest, FinishedScanReplacesTheIndexOnThisThreadAndIsCached) {
    TIndexRefresher& r = Make();
    const auto replaced = Watch(&r, &TIndexRefresher::indexReplaced);
    const auto idle = Watch(&r, &TIndexRefresher::refreshIdle);
    EXPECT_EQ(r.CountText(), "Indexed items: None");
    ASSERT_TRUE(r.StartIndexRefresh(false));
    EXPECT_EQ(r.Index(), nullptr) << "the worker never writes into the live index";
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Names(r.Index()), (QStringList{"One", "Two"}));
    EXPECT_EQ(r.CountText(), "Indexed items: 2");
    EXPECT_EQ(replaced->count, 1);
    EXPECT_EQ(idle->count, 1);
    EXPECT_EQ(seenDataFolder, tree.Data());

    TIndexList cached;
    ASSERT_TRUE(LoadIndexCache(r.CacheFile(), cached));
    EXPECT_EQ(Names(&cached), (QStringList{"One", "Two"}));

    // A second, different scan replaces the whole list (entries missing now disappear).
    scan = [](const TScanInput&, const std::atomic<bool>&) { return Finished({"Three"}); };
    ASSERT_TRUE(r.StartIndexRefresh(true));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Names(r.Index()), (QStringList{"Three"}));
    ASSERT_TRUE(LoadIndexCache(r.CacheFile(), cached));
    EXPECT_EQ(Names(&cached), (QStringList{"Three"}));
}

TEST_F(RefreshTest, CutShortScanIsNeverAdoptedOrCached) {
    TIndexRefresher& r = Make();
    ASSERT_TRUE(r.StartIndexRefresh(true));
    ASSERT_TRUE(Settle());
    const QByteArray cacheBefore = test::ReadAll(r.CacheFile());
    ASSERT_FALSE(cacheBefore.isEmpty());

    // A scan that ended early hands back what it had; none of it may be used.
    scan = [](const TScanInput&, const std::atomic<bool>&) {
        TScanResult partial = Finished({"Half"});
        partial.state = TScanState::Cancelled;
        return partial;
    };
    const auto replaced = Watch(&r, &TIndexRefresher::indexReplaced);
    ASSERT_TRUE(r.StartIndexRefresh(true));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(replaced->count, 0);
    EXPECT_EQ(Names(r.Index()), (QStringList{"One", "Two"}));
    EXPECT_EQ(test::ReadAll(r.CacheFile()), cacheBefore);
}

TEST_F(RefreshTest, CacheIsLeftAloneWhenCachingIsOff) {
    settings.cacheindex = false;
    TIndexRefresher& r = Make();
    ASSERT_TRUE(r.StartIndexRefresh(true));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Names(r.Index()), (QStringList{"One", "Two"}));
    EXPECT_FALSE(QFileInfo::exists(r.CacheFile()));
    EXPECT_FALSE(r.LoadCache());
}

TEST_F(RefreshTest, FailedCacheSaveIsReportedAndTheScanStillCounts) {
    TIndexRefresher& r = Make(false, false);
    const auto failed = Watch(&r, &TIndexRefresher::cacheSaveFailed);
    ASSERT_TRUE(r.StartIndexRefresh(true));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(failed->count, 1);
    EXPECT_EQ(Names(r.Index()), (QStringList{"One", "Two"}));
}

TEST_F(RefreshTest, CacheLoadsIntoTheLiveIndex) {
    TIndexList list;
    list.Append("Cachedapps", Item("Cached"));
    QDir().mkpath(tree.Data());
    ASSERT_TRUE(SaveIndexCache(tree.Data() + "scancache.dat", list).ok);
    TIndexRefresher& r = Make();
    ASSERT_TRUE(r.LoadCache());
    EXPECT_EQ(Names(r.Index()), (QStringList{"Cached"}));
}

TEST_F(RefreshTest, TheListGoesOnlyWhenTheCacheHoldsIt) {
    TIndexRefresher& r = Make();
    ASSERT_TRUE(r.StartIndexRefresh(true));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(r.CacheStamp(), CacheStampOf(r.CacheFile())) << "the written cache holds the live index";
    r.ReleaseList();
    EXPECT_EQ(r.Index(), nullptr);
    EXPECT_TRUE(r.HasIndex());
    EXPECT_EQ(r.CountText(), "Indexed items: 2") << "the count outlives the list";

    // A scan whose cache is not written keeps the list as the only copy.
    settings.cacheindex = false;
    TIndexRefresher& unsaved = Make();
    ASSERT_TRUE(unsaved.StartIndexRefresh(true));
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(unsaved.CacheStamp());
    unsaved.ReleaseList();
    EXPECT_EQ(Names(unsaved.Index()), (QStringList{"One", "Two"}));
}

TEST_F(RefreshTest, AnIndexFromTheCachesSnapshotCountsUnlessAScanCameFirst) {
    TIndexList list;
    list.Append("Cachedapps", Item("Cached"));
    QDir().mkpath(tree.Data());
    ASSERT_TRUE(SaveIndexCache(tree.Data() + "scancache.dat", list).ok);
    const std::optional<TCacheStamp> stamp = CacheStampOf(tree.Data() + "scancache.dat");
    ASSERT_TRUE(stamp);
    TIndexRefresher& r = Make();
    EXPECT_TRUE(r.AdoptCacheSnapshot(3, *stamp));
    EXPECT_TRUE(r.HasIndex());
    EXPECT_EQ(r.Index(), nullptr);
    EXPECT_EQ(r.CacheStamp(), stamp);
    EXPECT_EQ(r.CountText(), "Indexed items: 3");

    TIndexRefresher& scanned = Make();
    ASSERT_TRUE(scanned.StartIndexRefresh(true));
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(scanned.AdoptCacheSnapshot(1, *stamp)) << "the finished scan is newer";
    EXPECT_EQ(Names(scanned.Index()), (QStringList{"One", "Two"}));
    EXPECT_FALSE(Make(true).AdoptCacheSnapshot(1, *stamp)) << "safe mode reads no cache";
}

TEST_F(RefreshTest, CacheIsReadOnlyWithSomethingToIndexAndNeverInSafeMode) {
    TIndexList list;
    list.Append("Cachedapps", Item("Cached"));
    QDir().mkpath(tree.Data());
    ASSERT_TRUE(SaveIndexCache(tree.Data() + "scancache.dat", list).ok);
    settings.scanwindowsitems = false;
    settings.scandirs.clear();
    TIndexRefresher& none = Make();
    EXPECT_FALSE(none.LoadCache());
    none.LoadCacheAsync();
    ASSERT_TRUE(none.Stop(QDeadlineTimer(10000)));
    QCoreApplication::processEvents();
    EXPECT_EQ(none.Index(), nullptr) << "no index source: the old cache is not offered";

    settings.scandirs = FormatScanFolders({TMyScanItem{tree.Root("docs"), "txt", QString(), "0"}});
    EXPECT_TRUE(Make().LoadCache()) << "a scan folder is a source";
    EXPECT_FALSE(Make(true).LoadCache()) << "safe mode";
}

TEST_F(RefreshTest, CacheReadOnAWorkerNeverReplacesANewerScan) {
    TIndexList list;
    list.Append("Cachedapps", Item("Cached"));
    QDir().mkpath(tree.Data());
    ASSERT_TRUE(SaveIndexCache(tree.Data() + "scancache.dat", list).ok);

    TIndexRefresher& r = Make();
    const auto replaced = Watch(&r, &TIndexRefresher::indexReplaced);
    r.LoadCacheAsync();
    EXPECT_EQ(r.Index(), nullptr) << "the cache is adopted on this thread, later";
    ASSERT_TRUE(RunUntil([&] { return replaced->count == 1; }));
    EXPECT_EQ(Names(r.Index()), (QStringList{"Cached"}));

    // A scan that finished before the cache was read wins; the late cache is dropped.
    TIndexRefresher& again = Make();
    ASSERT_TRUE(again.StartIndexRefresh(true));
    ASSERT_TRUE(Settle());
    again.LoadCacheAsync();
    ASSERT_TRUE(again.Stop(QDeadlineTimer(10000)));
    QCoreApplication::processEvents();
    EXPECT_EQ(Names(again.Index()), (QStringList{"One", "Two"}));
}

TEST_F(RefreshTest, RequestDuringAScanRunsOnceAfterIt) {
    TGate gate;
    scan = [&gate](const TScanInput&, const std::atomic<bool>&) {
        gate.Wait();
        return Finished({"One"});
    };
    TIndexRefresher& r = Make();
    const auto idle = Watch(&r, &TIndexRefresher::refreshIdle);
    ASSERT_TRUE(r.StartIndexRefresh(true));
    ASSERT_TRUE(RunUntil([&gate] { return gate.Waiting(); }));
    EXPECT_TRUE(r.StartIndexRefresh(true));
    EXPECT_TRUE(r.StartIndexRefresh(true)) << "a second request while one waits is the same request";
    EXPECT_FALSE(r.StartIndexRefresh(false)) << "not forced and the running scan started just now";
    gate.Open();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(scans.load(), 2);
    EXPECT_EQ(idle->count, 1) << "idle only once everything asked for has run";
}

TEST_F(RefreshTest, FocusRescansAreSpacedButForcedOnesAreNot) {
    settings.autoindex = 2;
    TIndexRefresher& r = Make();
    r.OnStart();
    EXPECT_FALSE(r.Busy()) << "mode 2 does not scan at start";
    r.OnActivate();
    ASSERT_TRUE(Settle());
    clock.Advance(60);
    r.OnActivate();
    EXPECT_FALSE(r.Busy());
    EXPECT_TRUE(r.StartIndexRefresh(true));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(scans.load(), 2);
    clock.Advance(119);
    r.OnActivate();
    EXPECT_FALSE(r.Busy()) << "the forced scan counts as the last start";
    clock.Advance(1);
    r.OnActivate();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(scans.load(), 3);
}

TEST_F(RefreshTest, TriggersNeedSomethingToIndex) {
    settings.autoindex = 3;
    settings.scanwindowsitems = false;
    TIndexRefresher& r = Make();
    r.OnStart();
    r.OnActivate();
    r.OnSettingsApplied();
    EXPECT_FALSE(r.Busy());
    settings.scanwindowsitems = true;
    r.OnSettingsApplied();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(scans.load(), 1) << "no index yet and Windows items configured";
    clock.Advance(600);
    r.OnSettingsApplied();
    EXPECT_FALSE(r.Busy()) << "an index exists now";
}

TEST_F(RefreshTest, AnHourOfIdlenessGivesOneRescanAsTheThresholdIsCrossed) {
    settings.autoindex = 4;
    settings.indexidle = 15;
    TIndexRefresher& r = Make();
    r.OnStart();
    EXPECT_FALSE(r.Busy());
    std::vector<qint64> startedAt;
    for (qint64 idle = 0; idle <= 3600 * 1000; idle += 10000) {
        const int before = scans.load();
        EXPECT_TRUE(r.OnIdleTick(idle));
        ASSERT_TRUE(Settle());
        if (scans.load() > before)
            startedAt.push_back(idle);
        clock.Advance(10);
    }
    ASSERT_EQ(startedAt.size(), 1u);
    EXPECT_GT(startedAt[0], 15 * 60000);
    EXPECT_LT(startedAt[0], 15 * 60000 + 30000);

    // The user comes back and leaves again: the next idle period gets its own rescan.
    for (qint64 idle = 0; idle <= 20 * 60000; idle += 10000) {
        r.OnIdleTick(idle);
        ASSERT_TRUE(Settle());
        clock.Advance(10);
    }
    EXPECT_EQ(scans.load(), 2);

    settings.autoindex = 3;
    EXPECT_FALSE(r.OnIdleTick(16 * 60000)) << "other modes switch the idle timer off";
    EXPECT_EQ(scans.load(), 2);
}

TEST_F(RefreshTest, SafeModeNeverScans) {
    TIndexRefresher& r = Make(true);
    r.OnStart();
    r.OnActivate();
    EXPECT_FALSE(r.StartIndexRefresh(true));
    EXPECT_FALSE(r.Busy());
    EXPECT_EQ(scans.load(), 0);
}

TEST_F(RefreshTest, StopCancelsTheScanWithinTheDeadlineAndDropsItsResult) {
    scan = [](const TScanInput&, const std::atomic<bool>& cancel) {
        const QDeadlineTimer limit(10000);
        while (!cancel.load() && !limit.hasExpired())
            QThread::yieldCurrentThread();
        TScanResult r = Finished({"Late"});
        r.state = cancel.load() ? TScanState::Cancelled : TScanState::Finished;
        return r;
    };
    TIndexRefresher& r = Make();
    const auto replaced = Watch(&r, &TIndexRefresher::indexReplaced);
    ASSERT_TRUE(r.StartIndexRefresh(true));
    EXPECT_TRUE(r.StartIndexRefresh(true));
    EXPECT_TRUE(r.Stop(QDeadlineTimer(5000)));
    EXPECT_FALSE(r.Busy()) << "the waiting request is dropped too";
    QCoreApplication::processEvents();
    EXPECT_EQ(replaced->count, 0);
    EXPECT_EQ(r.Index(), nullptr);
    EXPECT_FALSE(QFileInfo::exists(r.CacheFile()));
    EXPECT_FALSE(r.StartIndexRefresh(true)) << "nothing starts once stopping";
}

TEST_F(RefreshTest, FlushRebuildsTheAppFolderThenRescans) {
    TIndexRefresher& r = Make();
    TStoreAppsRequest seen;
    r.SetFlushFunction([&seen](const TStoreAppsRequest& req, const std::atomic<bool>*) {
        seen = req;
        TStoreAppsResult res;
        res.count = 3;
        return res;
    });
    const auto flushed = Watch(&r, &TIndexRefresher::storeAppsFlushed);
    ASSERT_TRUE(r.FlushStoreApps());
    ASSERT_TRUE(Settle());
    ASSERT_EQ(flushed->count, 1);
    EXPECT_EQ(flushed->lastInt, 3);
    EXPECT_TRUE(seen.clearFirst);
    EXPECT_EQ(seen.folder, tree.Data() + "Apps/");
    EXPECT_EQ(seen.exportDirs, tree.roots.storeAppDirs);
    EXPECT_EQ(scans.load(), 1);
    EXPECT_EQ(Names(r.Index()), (QStringList{"One", "Two"}));
}

TEST_F(RefreshTest, FlushThroughTheRealAppFolderCountsWhatItMade) {
    tree.File(tree.roots.storeAppDirs.first() + "/org.app.One.desktop", TIndexTree::Entry("One", "/bin/true"));
    tree.File(tree.roots.storeAppDirs.first() + "/org.app.Two.desktop", TIndexTree::Entry("Two", "/bin/false"));
    TIndexRefresher& r = Make();
    const auto flushed = Watch(&r, &TIndexRefresher::storeAppsFlushed);
    ASSERT_TRUE(r.FlushStoreApps());
    ASSERT_TRUE(Settle());
    ASSERT_EQ(flushed->count, 1);
    EXPECT_EQ(flushed->lastInt, 2);
    EXPECT_TRUE(QFileInfo::exists(tree.Data() + "Apps/One.desktop"));
}

// Icon warm-up.

class IconWarmUpTest : public ::testing::Test {
protected:
    IconWarmUpTest() { test::CoreApp(); }
    std::unique_ptr<TIconWarmUp> Make(bool safemode = false) {
        return std::make_unique<TIconWarmUp>(settings, clock, safemode, [this](const QString& t) {
            std::lock_guard lock(m);
            warmed << t;
        });
    }
    TSettings settings;
    test::TFakeClock clock{Morning()};
    std::mutex m;
    QStringList warmed;
};

TEST_F(IconWarmUpTest, RunsOverEveryTargetAtMostOnceAnHour) {
    auto w = Make();
    const auto ended = Watch(w.get(), &TIconWarmUp::warmUpEnded);
    ASSERT_TRUE(w->StartIconWarmUp({"a", "b", "c"}));
    EXPECT_FALSE(w->StartIconWarmUp({"d"})) << "one runs";
    ASSERT_TRUE(RunUntil([&] { return !w->Running(); }));
    ASSERT_EQ(ended->count, 1);
    EXPECT_EQ(ended->lastInt, 3);
    EXPECT_EQ(warmed, (QStringList{"a", "b", "c"}));
    clock.Advance(3599);
    EXPECT_FALSE(w->StartIconWarmUp({"d"}));
    clock.Advance(1);
    EXPECT_TRUE(w->StartIconWarmUp({"d"}));
    EXPECT_TRUE(w->Stop(QDeadlineTimer(5000)));
}

TEST_F(IconWarmUpTest, SettingsAndSafeModeCanPreventIt) {
    struct Case {
        bool nolisticoncache, listicons, listtitles, safemode, starts;
    };
    const Case cases[] = {
        {false, true, true, false, true},  {false, false, true, false, true}, {false, true, false, false, true},
        {false, false, false, false, false}, {true, true, true, false, false}, {false, true, true, true, false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        settings.nolisticoncache = c.nolisticoncache;
        settings.listicons = c.listicons;
        settings.listtitles = c.listtitles;
        auto w = Make(c.safemode);
        EXPECT_EQ(w->StartIconWarmUp({"x"}), c.starts) << "case " << i;
        EXPECT_TRUE(w->Stop(QDeadlineTimer(5000)));
    }
}

TEST_F(IconWarmUpTest, StopEndsALongWarmUpEarly) {
    QStringList many;
    for (int i = 0; i < 100000; ++i)
        many << QString::number(i);
    std::atomic<int> calls{0};
    TIconWarmUp w(settings, clock, false, [&calls](const QString&) {
        calls.fetch_add(1);
        QThread::yieldCurrentThread();
    });
    ASSERT_TRUE(w.StartIconWarmUp(many));
    EXPECT_TRUE(w.Stop(QDeadlineTimer(5000)));
    EXPECT_FALSE(w.Running());
    EXPECT_LT(calls.load(), 100000);
    EXPECT_FALSE(w.StartIconWarmUp({"x"}));
}

TEST(IconTargets, HistoryWithoutItemsAndEnabledKeywords) {
    THistory history;
    history.AddToHistory(QStringLiteral("firefox"), nullptr, false, false);
    history.AddToHistory(QStringLiteral("Indexed"), Item("Indexed"), false, false);
    TKeywordList words;
    auto add = [&words](const char* names, const char* command, const char* icon, bool disabled) {
        auto w = std::make_unique<TExeWord>();
        w->keywords = QString::fromLatin1(names);
        w->command = QString::fromLatin1(command);
        w->iconpath = QString::fromLatin1(icon);
        w->disabled = disabled;
        words.Add(std::move(w));
    };
    add("term,t", "/usr/bin/xterm -e top", "", false);
    add("pic", "/usr/bin/viewer", "/icons/pic.png", false);
    add("off", "/usr/bin/off", "", true);
    EXPECT_EQ(IconWarmUpTargets(history, words),
              (QStringList{"firefox", "/usr/bin/xterm -e top", "/icons/pic.png"}));
}

TEST(IconTargets, FileBehindARowText) {
    TIndexTree tree;
    const QString prog = tree.Program("mytool");
    const QString spaced = tree.File(tree.roots.home + "/My App/run");
    struct Case {
        QString text, file;
    };
    const Case cases[] = {
        {"mytool --help", prog},
        {"\"" + spaced + "\" -x", spaced},
        {spaced, spaced},
        {"~/notes.txt", tree.roots.home + "/notes.txt"},
        {"https://example.org/x", ""},
        {"$NOTES$", ""},
        {"nosuchprogram", ""},
        {"", ""},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(IconTargetFile(cases[i].text, tree.roots), cases[i].file) << "case " << i;
}

} // namespace
} // namespace vantrelo
