// Several writers at once: parallel vantrelo-cli processes lose nothing, and while a launcher runs
// on the data folder the tool hands its change over instead of writing behind the launcher's back.
#include "cli/cli.h"
#include "core/storechange.h"

#include "support/testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>
#include <gtest/gtest.h>

#include <functional>

using namespace vantrelo;

namespace {

// Stands in for the instance socket: delivers straight to the launcher's handler.
struct TDirectChannel final : TInstanceChannel {
    TStoreChangeHandler* launcher = nullptr;
    std::vector<TInstanceMessage> sent;
    TSaveResult applied;
    // Stands in for a launcher that closes: answers "refused" and then ends (its lock goes).
    std::function<void()> closing;
    TInstanceRole Claim(TInstanceMessageSink*, QString*) override { return TInstanceRole::Second; }
    bool Send(const std::vector<TInstanceMessage>& messages, QString*) override {
        for (const TInstanceMessage& m : messages) {
            sent.push_back(m);
            if (closing) { // a closing launcher drops what it is sent
                closing();
                closing = nullptr;
                continue;
            }
            if (launcher && m.kind == TInstanceMessageKind::StoreChange)
                applied = launcher->Apply(m.text);
        }
        return true;
    }
    bool Ask(const TInstanceMessage& m, int, QString* answer, QString* error) override {
        sent.push_back(m);
        if (closing) {
            closing();
            closing = nullptr;
            *answer = EncodeChangeAnswer({TChangeOutcome::Refused, "Vantrelo is closing."});
            return true;
        }
        if (!launcher) {
            *error = "nobody listens";
            return false;
        }
        applied = launcher->Apply(m.text);
        *answer = EncodeChangeAnswer(applied ? TChangeAnswer{TChangeOutcome::Done, {}}
                                             : TChangeAnswer{TChangeOutcome::Failed, applied.error});
        return true;
    }
};

struct Launcher {
    test::TempDir data, program;
    TPlaces places{data.Path(), program.Path()};
    TSettingsStore store{places};
    TUserData user;
};

struct CliRun {
    int rc;
    QString out, err;
};

CliRun RunCliIn(const QString& dataFolder, QStringList args, TInstanceChannel* channel) {
    args.prepend(dataFolder);
    args.prepend("--data");
    CliRun r;
    QTextStream out(&r.out), err(&r.err);
    r.rc = cli::RunCli(args, out, err, channel);
    out.flush();
    err.flush();
    return r;
}

TUserData LoadFile(const TPlaces& places) {
    TSettingsStore store(places);
    TUserData user;
    store.ReadSettings(user, nullptr);
    return user;
}

} // namespace

TEST(CliWriters, TwentyParallelProcessesLoseNoKeyword) {
    test::TempDir data;
    const QString cli = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2) +
                        QStringLiteral("/vantrelo-cli");
    ASSERT_TRUE(QFileInfo(cli).isExecutable()) << cli.toStdString();
    constexpr int kWriters = 20;
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int i = 0; i < kWriters; ++i) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(cli, {"--data", data.Path(), "keywords", "add", QStringLiteral("kw%1").arg(i), "cmd"});
    }
    for (auto& p : writers) {
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    const TUserData user = LoadFile(TPlaces{data.Path(), data.Path()});
    for (int i = 0; i < kWriters; ++i)
        EXPECT_NE(user.keywords.FindKeyword(QStringLiteral("kw%1").arg(i), false), nullptr) << i;
}

TEST(CliWriters, ARunningLauncherTakesTheChangeAndItsNextSaveKeepsIt) {
    Launcher l;
    TStoreChangeHandler handler(l.store, l.user); // made before the launcher reads, as at its start
    l.store.ReadSettings(l.user, nullptr);
    TDirectChannel channel;
    channel.launcher = &handler;
    const QString set = l.places.dataFolder + "set.exc";
    test::WriteAll(set, "[main]\r\ndescription=shared\r\n[W]\r\nkeywords=imported\r\ncommand=multi{BR}line\r\n");
    struct {
        QStringList args;
        const char* keyword; // present afterwards in the launcher's memory
    } cases[] = {{{"keywords", "add", "gh,github", "https://github.com/search?q=$U$"}, "gh"},
                 {{"keywords", "hotkey", "gh", "ctrl+alt+g"}, "gh"},
                 {{"settings", "set", "hide", "0"}, "gh"},
                 {{"keywords", "import", set}, "imported"}};
    for (const auto& c : cases) {
        const CliRun r = RunCliIn(l.places.dataFolder, c.args, &channel);
        EXPECT_EQ(r.rc, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains("Vantrelo is running: the change was handed to it")) << r.out.toStdString();
        EXPECT_TRUE(channel.applied.ok) << channel.applied.error.toStdString();
        ASSERT_NE(l.user.keywords.FindKeyword(QLatin1String(c.keyword), false), nullptr);
    }
    EXPECT_EQ(channel.sent.size(), 4u);
    EXPECT_EQ(l.user.keywords.FindKeyword("imported", false)->command, "multi{BR}line");
    EXPECT_NE(l.user.keywords.FindKeyword("gh", false)->key, 0);
    EXPECT_FALSE(l.user.settings.hide);
    // The launcher's own save (at its stop) writes what it holds, the tool's changes included.
    ASSERT_TRUE(l.store.WriteSettings(l.user).ok);
    const TUserData file = LoadFile(l.places);
    EXPECT_NE(file.keywords.FindKeyword("github", false), nullptr);
    EXPECT_FALSE(file.settings.hide);

    // Refusals are found by the tool against the file, before anything is sent.
    const CliRun dup = RunCliIn(l.places.dataFolder, {"keywords", "add", "gh", "x"}, &channel);
    EXPECT_EQ(dup.rc, 1);
    EXPECT_EQ(channel.sent.size(), 4u);
    EXPECT_EQ(l.user.keywords.FindKeyword("imported", false)->command, "multi{BR}line");
}

TEST(CliWriters, WithoutALauncherTheToolWritesTheFileItself) {
    Launcher l;
    TDirectChannel channel;
    const CliRun r = RunCliIn(l.places.dataFolder, {"keywords", "add", "solo", "cmd"}, &channel);
    EXPECT_EQ(r.rc, 0);
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_FALSE(r.out.contains("handed"));
    EXPECT_NE(LoadFile(l.places).keywords.FindKeyword("solo", false), nullptr);
    EXPECT_FALSE(LauncherRuns(l.places));
    {
        TStoreChangeHandler handler(l.store, l.user);
        EXPECT_TRUE(LauncherRuns(l.places));
    }
    EXPECT_FALSE(LauncherRuns(l.places));
}

TEST(StoreChanges, TheMessageTextRoundTripsAndNothingElseDecodes) {
    const TStoreChange changes[] = {
        {TStoreChange::TKind::SetSetting, {"hide", "0"}, "/home/u/.config/Vantrelo/"},
        {TStoreChange::TKind::AddKeyword, {"a,b", "cmd {BR} x\r\ny", ""}, "/d/"},
        {TStoreChange::TKind::RemoveKeyword, {"a"}, "/d/"},
        {TStoreChange::TKind::SetHotkey, {"a", "84", "3"}, "/d/"},
    };
    for (const TStoreChange& c : changes) {
        TStoreChange back;
        ASSERT_TRUE(DecodeStoreChange(EncodeStoreChange(c), back));
        EXPECT_EQ(back, c);
    }
    TStoreChange ignored;
    for (const char* text : {"", "storechange 1", "storechange 2\n/d/\nremove\na", "storechange 1\n/d/\nremove",
                             "storechange 1\n/d/\nremove\na\nb", "storechange 1\n/d/\nformat\na"})
        EXPECT_FALSE(DecodeStoreChange(QString::fromUtf8(text), ignored)) << text;
}

TEST(StoreChanges, TheLauncherRefusesChangesForAnotherFolderOrThatDoNotApply) {
    Launcher l;
    TStoreChangeHandler handler(l.store, l.user);
    l.store.ReadSettings(l.user, nullptr);
    const QByteArray before = test::ReadAll(l.places.SettingsFile());
    const QString texts[] = {
        EncodeStoreChange({TStoreChange::TKind::AddKeyword, {"x", "y"}, "/elsewhere/"}),
        EncodeStoreChange({TStoreChange::TKind::RemoveKeyword, {"missing"}, l.places.dataFolder}),
        EncodeStoreChange({TStoreChange::TKind::SetSetting, {"nope", "1"}, l.places.dataFolder}),
        EncodeStoreChange({TStoreChange::TKind::SetHotkey, {"x", "- -5", "0"}, l.places.dataFolder}),
        QStringLiteral("garbage"),
    };
    for (const QString& text : texts) {
        const TSaveResult r = handler.Apply(text);
        EXPECT_FALSE(r.ok) << text.toStdString();
        EXPECT_FALSE(r.error.isEmpty());
    }
    EXPECT_EQ(test::ReadAll(l.places.SettingsFile()), before);
}

// The launcher's answer decides what the tool says: a change that fails there (here two adds race
// on one name) is a failure of the tool, not "handed".
TEST(CliWriters, AChangeTheLauncherCannotApplyFailsTheTool) {
    Launcher l;
    TStoreChangeHandler handler(l.store, l.user);
    l.store.ReadSettings(l.user, nullptr);
    // The other add reached the launcher first: in its memory, not yet in the file the tool reads.
    l.user.keywords.Add(MakeNewKeyword("race", "first", QString()));
    TDirectChannel channel;
    channel.launcher = &handler;
    const CliRun r = RunCliIn(l.places.dataFolder, {"keywords", "add", "race", "second"}, &channel);
    EXPECT_EQ(r.rc, 1) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("handed")) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("already exists")) << r.err.toStdString();
    EXPECT_EQ(l.user.keywords.FindKeyword("race", false)->command, "first");
}

// A launcher that is closing refuses the change; once it has ended the tool writes it itself.
TEST(CliWriters, AClosingLauncherRefusesAndTheToolWritesTheChangeOnceItEnded) {
    Launcher l;
    auto handler = std::make_unique<TStoreChangeHandler>(l.store, l.user);
    l.store.ReadSettings(l.user, nullptr);
    TDirectChannel channel;
    channel.launcher = handler.get();
    channel.closing = [&] {
        channel.launcher = nullptr;
        handler.reset(); // the launcher's stop: its lock is released
    };
    const CliRun r = RunCliIn(l.places.dataFolder, {"keywords", "add", "late", "cmd"}, &channel);
    EXPECT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains("handed")) << r.out.toStdString();
    EXPECT_NE(LoadFile(l.places).keywords.FindKeyword("late", false), nullptr) << "the change was lost";
}

// The launcher's data folder reached through a symbolic link is the same folder: the change is
// handed over and taken, never refused as "another folder" while the tool says it was handed.
TEST(CliWriters, ASymlinkToTheLaunchersFolderIsTheSameFolder) {
    Launcher l;
    TStoreChangeHandler handler(l.store, l.user);
    l.store.ReadSettings(l.user, nullptr);
    TDirectChannel channel;
    channel.launcher = &handler;
    test::TempDir other;
    const QString link = other.Path() + "link";
    ASSERT_TRUE(QFile::link(QDir::cleanPath(l.places.dataFolder), link));
    const CliRun r = RunCliIn(link, {"keywords", "add", "vialink", "cmd"}, &channel);
    EXPECT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_TRUE(channel.applied.ok) << channel.applied.error.toStdString();
    EXPECT_NE(l.user.keywords.FindKeyword("vialink", false), nullptr);

    // Another folder while this launcher runs: the tool writes that folder's file itself.
    test::TempDir b;
    const CliRun rb = RunCliIn(b.Path(), {"keywords", "add", "inb", "cmd"}, &channel);
    EXPECT_EQ(rb.rc, 0) << rb.err.toStdString();
    EXPECT_NE(LoadFile(TPlaces{b.Path(), b.Path()}).keywords.FindKeyword("inb", false), nullptr);
    EXPECT_EQ(l.user.keywords.FindKeyword("inb", false), nullptr);

    // A change that names another folder is refused by the launcher, whatever the tool thought.
    EXPECT_FALSE(handler.Apply(EncodeStoreChange({TStoreChange::TKind::AddKeyword, {"x", "y"}, b.Path()})).ok);
}
