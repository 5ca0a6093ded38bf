// "$REFRESHINDEX$" and "$FLUSHUWP$" through the dispatcher, with the refresher's worker on a real event loop.
#include "commandfakes.h"
#include "commands/indexcommands.h"
#include "index/indexrefresh.h"
#include "support/qtapp.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>

#include <gtest/gtest.h>

using namespace vantrelo;
using namespace vantrelo::test;

namespace {

class IndexCommands : public testing::Test, public TCommandFixture {
protected:
    void Make(bool safemode = false) {
        CoreApp();
        TIndexRefresher::TSetup setup;
        setup.settings = &fx.settings;
        setup.clock = &clock;
        setup.dataFolder = dir.Path();
        setup.safemode = safemode;
        refresher = std::make_unique<TIndexRefresher>(setup);
        refresher->SetScanFunction([this](const TScanInput&, const std::atomic<bool>&) {
            scans.fetch_add(1);
            TScanResult r;
            r.state = TScanState::Finished;
            for (const char* n : {"One", "Two"}) {
                const QString name = QString::fromLatin1(n);
                auto item = std::make_unique<TMyShellItem>();
                item->name = name;
                r.list.Append(name, std::move(item));
            }
            return r;
        });
        refresher->SetFlushFunction([this](const TStoreAppsRequest& req, const std::atomic<bool>*) {
            flushedClearFirst = req.clearFirst;
            return flushResult;
        });
        // The input line shows the last answer unless the user typed something since.
        RegisterIndexCommands(dispatcher, *refresher, [this] { return typed.isEmpty() ? Answer() : typed; });
    }
    bool Settle() {
        const QDeadlineTimer deadline(10000);
        while (refresher->Busy()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
        QCoreApplication::processEvents();
        return true;
    }
    QStringList Answers() const {
        QStringList out;
        for (const auto& w : fx.input.newWords)
            out << w.text;
        return out;
    }

    TempDir dir;
    TFakeClock clock{QDateTime(QDate(2026, 3, 1), QTime(9, 0))};
    std::unique_ptr<TIndexRefresher> refresher;
    std::atomic<int> scans{0};
    QString typed;
    TStoreAppsResult flushResult;
    bool flushedClearFirst = false;
};

} // namespace

TEST_F(IndexCommands, RefreshAnswersAtOnceAndReportsTheCountWhenDone) {
    Make();
    const TInternalOutcome out = Dispatch(QStringLiteral("$REFRESHINDEX$"));
    EXPECT_TRUE(out.handled);
    EXPECT_TRUE(out.noaftercommand);
    EXPECT_FALSE(out.failed);
    EXPECT_EQ(Answer(), "Started refreshing index..");
    ASSERT_TRUE(Settle());
    EXPECT_EQ(scans.load(), 1);
    EXPECT_EQ(Answers(), (QStringList{"Started refreshing index..", "Indexed items: 2"}));
    EXPECT_TRUE(fx.input.newWords.back().selectall);
}

TEST_F(IndexCommands, TypingAfterARefreshIsNeverOverwritten) {
    Make();
    Dispatch(QStringLiteral("$REFRESHINDEX$"));
    typed = QStringLiteral("fire");
    ASSERT_TRUE(Settle());
    EXPECT_EQ(scans.load(), 1);
    EXPECT_EQ(Answers(), (QStringList{"Started refreshing index.."}));
}

TEST_F(IndexCommands, WithoutARefreshTheCountIsTheAnswer) {
    Make(true);
    const TInternalOutcome out = Dispatch(QStringLiteral("$REFRESHINDEX$"));
    EXPECT_TRUE(out.handled);
    EXPECT_EQ(Answers(), (QStringList{"Indexed items: None"}));
    EXPECT_EQ(scans.load(), 0);
}

TEST_F(IndexCommands, FlushReportsTheAppsItMadeThenRescans) {
    Make();
    flushResult.count = 4;
    const TInternalOutcome out = Dispatch(QStringLiteral("$FLUSHUWP$"));
    EXPECT_TRUE(out.handled);
    EXPECT_TRUE(out.noaftercommand);
    EXPECT_EQ(Answer(), "Flushing and scanning for UWP Apps");
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(flushedClearFirst);
    EXPECT_EQ(Answers(), (QStringList{"Flushing and scanning for UWP Apps", "UWP Apps found: 4"}));
    EXPECT_EQ(scans.load(), 1);
    EXPECT_EQ(refresher->CountText(), "Indexed items: 2");
    EXPECT_TRUE(log.calls.isEmpty()) << log.calls.join(u',').toStdString();
}

TEST_F(IndexCommands, AFlushThatCouldNotWriteSaysSo) {
    Make();
    flushResult.count = 1;
    flushResult.error = QStringLiteral("Apps/Two.desktop could not be written");
    Dispatch(QStringLiteral("$FLUSHUWP$"));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Answer(), "UWP Apps found: 1");
    EXPECT_EQ(log.calls, (QStringList{"failure:Apps/Two.desktop could not be written"}));
}
