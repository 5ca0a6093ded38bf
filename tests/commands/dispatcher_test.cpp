// The dispatcher over recording fakes: output flags, the deferred group, and the built-in commands.
#include "commandfakes.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

using namespace vantrelo;
using namespace vantrelo::test;

namespace {

class Dispatcher : public testing::Test, public TCommandFixture {};

QString Q(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace

// ---- output flags ----

struct TFlagCase {
    const char* command;
    const char* para;
    bool handled;
    bool noafter;
    bool noaddhistory;
};

class Flags : public testing::TestWithParam<TFlagCase>, public TCommandFixture {};

TEST_P(Flags, FollowTheBlocksThatRan) {
    const TFlagCase& c = GetParam();
    fx.network.ips = {Q("10.0.0.2")};
    const TInternalOutcome out = Dispatch(Q(c.command), Q(c.para));
    EXPECT_EQ(out.handled, c.handled) << c.command;
    EXPECT_EQ(out.noaftercommand, c.noafter) << c.command;
    EXPECT_EQ(out.noaddhistory, c.noaddhistory) << c.command;
    EXPECT_FALSE(out.failed) << c.command << " " << out.message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Flags,
    testing::Values(TFlagCase{"$TIME$", "", true, true, true}, TFlagCase{"notepad", "", false, false, false},
                    TFlagCase{"$GRABTOINPUT$ ls", "", false, true, false},
                    TFlagCase{"$BROWSEREND$", "", false, true, true}, TFlagCase{"$BROWSEREND$ x", "", false, false, false},
                    TFlagCase{"$BCLICK$#ok$BCLICK$", "", false, true, true},
                    // The last block that decides wins: the browser takes the target after an answer.
                    TFlagCase{"$SHOWIP$ $B$", "", false, true, false},
                    TFlagCase{"$SEARCH$", "cats", true, false, false}, TFlagCase{"$SEARCH$", "", true, false, true},
                    TFlagCase{"$SEARCH$$EXIT$", "cats", true, true, true}, TFlagCase{"$EXIT$", "", true, true, true},
                    TFlagCase{"$PLAY$", "", true, false, true}, TFlagCase{"$PAUSE$", "", true, true, true},
                    TFlagCase{"$LOCK$", "", true, false, true}, TFlagCase{"$SHUTDOWN$", "", true, false, true}));

TEST_F(Dispatcher, HidesTheListWhenTheInputWindowStaysAndTheListActsAsADropDown) {
    fx.settings.autodropdown = true;
    fx.settings.listbehaveslikedropdown = true;
    Dispatch(Q("$TIME$"));
    EXPECT_TRUE(log.calls.contains(Q("hidelist")));
    log.calls.clear();
    Dispatch(Q("$LOCK$"));
    EXPECT_FALSE(log.calls.contains(Q("hidelist")));
}

// ---- commands of later parts, and plugging in ----

TEST_F(Dispatcher, ACommandWithoutItsWorkIsNeverReportedAsDone) {
    for (const char* command : {"$NOTES$", "$SAVECLIPBOARD$", "$BROWSERURL$"}) {
        const TInternalOutcome out = Dispatch(Q(command), Q("5"));
        EXPECT_TRUE(out.handled) << command;
        EXPECT_TRUE(out.failed) << command;
        EXPECT_EQ(out.message, Q(kNotAvailable)) << command;
    }
}

TEST_F(Dispatcher, APluggedInHandlerRunsWithTheRowsFlags) {
    QString seen;
    dispatcher.SetHandler(TCommandBlock::Timer, [&seen](TCommandCall& c) { seen = c.para; });
    const TInternalOutcome out = Dispatch(Q("$TIMER$"), Q("5"));
    EXPECT_EQ(seen, Q("5"));
    EXPECT_TRUE(out.handled);
    EXPECT_TRUE(out.noaftercommand);
    EXPECT_FALSE(out.failed);
}

TEST_F(Dispatcher, ANonNumberAbandonsTheBlocksAfterIt) {
    const TInternalOutcome out = Dispatch(Q("$PASSWORD$ $TIME$"), Q("abc"));
    EXPECT_TRUE(out.handled);
    EXPECT_TRUE(out.failed);
    EXPECT_TRUE(out.message.contains(Q("'abc'")));
    EXPECT_TRUE(fx.input.newWords.empty());
}

// ---- deferred power and quit ----

TEST_F(Dispatcher, PowerCommandsWaitForTheAfterStep) {
    const TInternalOutcome out = Dispatch(Q("$shutdown$"));
    EXPECT_TRUE(out.handled);
    EXPECT_TRUE(log.calls.isEmpty());
    EXPECT_EQ(dispatcher.PendingAfterCommand(), Q("$SHUTDOWN$"));
    EXPECT_TRUE(dispatcher.CheckDoInternalCMDAfter(dispatcher.PendingAfterCommand()));
    EXPECT_EQ(log.calls, QStringList{Q("poweroff")});
    EXPECT_TRUE(dispatcher.PendingAfterCommand().isEmpty());
}

TEST_F(Dispatcher, DeferredCommandsRunInTheirOwnOrder) {
    EXPECT_TRUE(dispatcher.CheckDoInternalCMDAfter(Q("$QUIT$$MONITOR$$SIGNOUT$$RESTART$")));
    EXPECT_EQ(log.calls, (QStringList{Q("logoff"), Q("reboot"), Q("monitoroff"), Q("close")}));
    EXPECT_FALSE(dispatcher.CheckDoInternalCMDAfter(Q("$LOCK$")));
}

TEST_F(Dispatcher, ANameInsideAnEnclosedArgumentNeitherDefersNorActs) {
    const TInternalOutcome out = Dispatch(Q("$WFINDACTIVE$shutdown $SHUTDOWN$$WFINDACTIVE$"));
    EXPECT_TRUE(dispatcher.PendingAfterCommand().isEmpty());
    EXPECT_EQ(out.message, Q("No window found: shutdown $SHUTDOWN$")); // only the window search ran
    EXPECT_FALSE(dispatcher.CheckDoInternalCMDAfter(Q("$SOUND$/snd/$QUIT$.wav$SOUND$")));
    EXPECT_TRUE(log.calls.isEmpty());
}

TEST_F(Dispatcher, ARefusedPowerCallIsReportedAsAFailure) {
    system.refuse = true;
    EXPECT_TRUE(dispatcher.CheckDoInternalCMDAfter(Q("$STANDBY$")));
    EXPECT_EQ(log.calls, (QStringList{Q("suspend"), Q("failure:refused: suspend")}));
}

TEST_F(Dispatcher, AFailedExecutionDropsThePowerRequest) {
    const TInternalOutcome out = Dispatch(Q("$HIBERNATE$ $NOTES$"));
    EXPECT_TRUE(out.failed);
    EXPECT_TRUE(dispatcher.PendingAfterCommand().isEmpty());
}

// ---- answers ----

TEST_F(Dispatcher, PasswordLengthsAndClasses) {
    Dispatch(Q("$PASSWORD$"), Q("3"));
    EXPECT_EQ(Answer(), Q("Characters must be higher than 3"));
    Dispatch(Q("$PASSWORD$"));
    EXPECT_EQ(Answer().size(), 16);
    Dispatch(Q("$PASSWORD$"), Q("999999999"));
    EXPECT_EQ(Answer(), Q("Characters must not be higher than 1024"));
    for (int i = 0; i < 20; ++i) {
        Dispatch(Q("$PASSWORD$"), Q("8 NO"));
        const QString pw = Answer();
        ASSERT_EQ(pw.size(), 8);
        bool lower = false, upper = false, digit = false;
        for (QChar ch : pw) {
            ASSERT_TRUE(ch.isLetterOrNumber()) << pw.toStdString();
            lower = lower || ch.isLower();
            upper = upper || ch.isUpper();
            digit = digit || ch.isDigit();
        }
        EXPECT_TRUE(lower && upper && digit) << pw.toStdString();
    }
}

TEST_F(Dispatcher, RandomCoinAndDiceStayInRange) {
    for (int i = 0; i < 50; ++i) {
        Dispatch(Q("$RANDOM$"));
        const int n = Answer().toInt();
        EXPECT_TRUE(n >= 0 && n < 100);
        Dispatch(Q("$ROLL$"), Q("2d6+3"));
        const int r = Answer().toInt();
        EXPECT_TRUE(r >= 5 && r <= 15);
        Dispatch(Q("$FLIPCOIN$"));
        EXPECT_TRUE(Answer() == Q(" -= Heads =-") || Answer() == Q(" -= Tails =-"));
    }
    Dispatch(Q("$RANDOM$"), Q("0"));
    EXPECT_EQ(Answer(), Q("0"));
    const TInternalOutcome out = Dispatch(Q("$ROLL$"), Q("5000d6"));
    EXPECT_TRUE(out.failed);
}

TEST_F(Dispatcher, TimeAndAddresses) {
    Dispatch(Q("$TIME$"));
    EXPECT_TRUE(Answer().endsWith(Q("Tuesday 05. March 2024 (week 10)"))) << Answer().toStdString();
    fx.settings.customtime = Q("yyyy-mm-dd");
    Dispatch(Q("$TIME$"));
    EXPECT_EQ(Answer(), Q("2024-03-05"));
    fx.network.ips = {Q("192.168.1.4"), Q("10.8.0.1")};
    Dispatch(Q("$SHOWIP$"));
    EXPECT_EQ(Answer(), Q("192.168.1.4, 10.8.0.1"));
    fx.network.ips.clear();
    EXPECT_TRUE(Dispatch(Q("$SHOWIP$")).failed);
}

// ---- settings switches ----

TEST_F(Dispatcher, SwitchesTurnOnOffToggleOrOnlyAnswer) {
    fx.settings.hide = true;
    Dispatch(Q("$SETAUTOHIDE$"), Q("maybe"));
    EXPECT_EQ(Answer(), Q("Auto-hide is enabled"));
    EXPECT_TRUE(log.calls.isEmpty());
    Dispatch(Q("$SETAUTOHIDE$"));
    EXPECT_FALSE(fx.settings.hide);
    EXPECT_EQ(Answer(), Q("Auto-hide is disabled"));
    EXPECT_EQ(fx.input.shown, 1);
    EXPECT_EQ(log.calls, (QStringList{Q("design"), Q("write")}));
    Dispatch(Q("$SETLOCKWINDOW$"), Q("ON"));
    EXPECT_TRUE(fx.settings.lockwindow);
    EXPECT_EQ(Answer(), Q("Lock window is enabled"));
    log.calls.clear();
    Dispatch(Q("$HOLDTEXT$"), Q("on"));
    EXPECT_EQ(log.calls, (QStringList{Q("write"), Q("toast:Hold text enabled"), Q("statepanel")}));
}

TEST_F(Dispatcher, KeywordParametersDecideTheSwitchUnlessTheyPassTheTypedWord) {
    fx.settings.hide = false;
    RunKeyword(Q("$SETAUTOHIDE$"), Q("on"), Q("off"));
    EXPECT_TRUE(fx.settings.hide);
    RunKeyword(Q("$SETAUTOHIDE$"), Q("$P$"), Q("Off"));
    EXPECT_FALSE(fx.settings.hide);
}

TEST_F(Dispatcher, AFailedSaveIsAFailure) {
    host.writeOk = false;
    const TInternalOutcome out = Dispatch(Q("$SETSTAYONTOP$"), Q("on"));
    EXPECT_TRUE(out.failed);
    EXPECT_EQ(out.message, Q("vantrelo.ini could not be saved"));
}

TEST_F(Dispatcher, GamingModesSwitchBetweenValues) {
    fx.settings.gamingmode = 2;
    Dispatch(Q("$GAMINGTWICE$"));
    EXPECT_EQ(fx.settings.gamingmode, 1);
    EXPECT_EQ(log.calls, (QStringList{Q("write"), Q("hook"), Q("toast:Gaming mode press Win twice: enabled"),
                                      Q("statepanel")}));
    log.calls.clear();
    Dispatch(Q("$GAMINGWINOFF$"), Q("maybe"));
    EXPECT_TRUE(log.calls.isEmpty());
    Dispatch(Q("$GAMINGTWICE$"), Q("off"));
    EXPECT_EQ(fx.settings.gamingmode, 0);
}

TEST_F(Dispatcher, IncognitoModeAndConfig) {
    fx.settings.incognitoconfig = Q("1");
    Dispatch(Q("$INCOGNITO$"), Q("on"));
    Dispatch(Q("$INCOGNITO$"));
    Dispatch(Q("$INCOGNITO$"), Q("?"));
    EXPECT_EQ(log.calls, (QStringList{Q("incognito:1,0"), Q("incognito:0,1"),
                                      Q("toast:Incognito mode: disabled, config: 1")}));
    log.calls.clear();
    Dispatch(Q("$INCOGNITO$"), Q("off,12bc"));
    EXPECT_EQ(fx.settings.incognitoconfig, Q("12bc"));
    EXPECT_EQ(log.calls, (QStringList{Q("incognito:0,0"), Q("write")}));
    log.calls.clear();
    Dispatch(Q("$INCOGNITO$"), Q("c"));
    EXPECT_EQ(log.calls, (QStringList{Q("toast:Incognito config updated: c"), Q("write")}));
}

TEST_F(Dispatcher, AutoCenterRestoresTheModeKeptBySwitchingOff) {
    fx.settings.center = 0;
    Dispatch(Q("$SETAUTOCENTER$"), Q("on"));
    EXPECT_EQ(Answer(), Q("Auto-center is disabled"));
    fx.settings.center = 2;
    Dispatch(Q("$SETAUTOCENTER$"), Q("off"));
    Dispatch(Q("$SETAUTOCENTER$"), Q("off"));
    EXPECT_EQ(fx.settings.center, 0);
    Dispatch(Q("$SETAUTOCENTER$"));
    EXPECT_EQ(fx.settings.center, 2);
    EXPECT_EQ(Answer(), Q("Auto-center is enabled"));
}

TEST_F(Dispatcher, DefaultPrograms) {
    fx.settings.browser = Q("firefox");
    Dispatch(Q("$SETDEFBROWSER$"));
    EXPECT_TRUE(fx.settings.browser.isEmpty());
    EXPECT_EQ(Answer(), Q("Default browser updated."));
    Dispatch(Q("$SETDEFBROWSER$"), Q("?"));
    EXPECT_EQ(Answer(), Q("No default browser is defined"));
    Dispatch(Q("$SETDEFEXPLORER$"), Q("/opt/My Files/run"));
    EXPECT_EQ(fx.settings.explore, Q("/opt/My Files/run"));
    EXPECT_EQ(Answer(), Q("Default file explorer updated."));
    const size_t answers = fx.input.newWords.size();
    Dispatch(Q("$SETDEFBROWSER$"), Q("!chromium"));
    EXPECT_EQ(fx.settings.browser, Q("chromium"));
    EXPECT_EQ(fx.input.newWords.size(), answers);
    EXPECT_TRUE(log.calls.contains(Q("reset")));

    fx.settings.fastsearch = Q("google");
    Dispatch(Q("$SETOPENTEXTKEYWORD$"));
    EXPECT_EQ(Answer(), Q("Current keyword: google"));
    EXPECT_EQ(fx.settings.fastsearch, Q("google"));
    Dispatch(Q("$SETOPENTEXTKEYWORD$"), Q("DDG"));
    EXPECT_EQ(Answer(), Q("Open text keyword updated (ddg)"));
}

TEST_F(Dispatcher, SetPosMovesOnlyWithTwoNumbers) {
    Dispatch(Q("$SETPOS$"), Q("10,20"));
    Dispatch(Q("$SETPOS$"), Q("10"));
    Dispatch(Q("$SETPOS$"), Q("a,5"));
    RunKeyword(Q("$SETPOS$"), Q("30, 40"), QString());
    EXPECT_EQ(log.calls, (QStringList{Q("move:10,20"), Q("move:30,40")}));
}

// ---- system ----

TEST_F(Dispatcher, SystemRequestsAndTheirFailures) {
    Dispatch(Q("$EMPTYRECYCLEBIN$"));
    Dispatch(Q("$SCREENSAVER$"));
    Dispatch(Q("$LOCK$"));
    Dispatch(Q("$EJECT$"), Q("sr0 close"));
    RunKeyword(Q("$EJECT$"), Q("d:"), QString());
    Dispatch(Q("$MUTE$"));
    EXPECT_EQ(log.calls, (QStringList{Q("emptytrash"), Q("screensaver"), Q("lock"), Q("eject:sr0,1"), Q("eject:d,0"),
                                      Q("mute")}));
    system.refuse = true;
    for (const char* command : {"$EMPTYRECYCLEBIN$", "$LOCK$", "$MUTE$", "$VOLUMEUP$", "$EJECT$"}) {
        const TInternalOutcome out = Dispatch(Q(command));
        EXPECT_TRUE(out.handled && out.failed) << command;
        EXPECT_TRUE(out.message.startsWith(Q("refused"))) << command;
    }
}

TEST_F(Dispatcher, VolumeThroughTheSoundServer) {
    system.level = 0.5;
    Dispatch(Q("$VOLUMEUP$$VOLUMEUP$"));
    EXPECT_EQ(log.calls, QStringList{Q("volume:52")});
    Dispatch(Q("$VOLUME$"));
    EXPECT_EQ(Answer(), Q("Volume: 52"));
    Dispatch(Q("$VOLUME$"), Q("-10"));
    EXPECT_NEAR(*system.level, 0.42, 1e-9);
    RunKeyword(Q("$VOLUME$"), Q(" 30 "), QString());
    EXPECT_NEAR(*system.level, 0.30, 1e-9);
    system.level.reset();
    EXPECT_TRUE(Dispatch(Q("$VOLUME$")).failed);
}

struct TKeyCase {
    const char* command;
    int vk;
    int modifiers;
};

class MediaKeys : public testing::TestWithParam<TKeyCase>, public TCommandFixture {};

TEST_P(MediaKeys, TapOneKeyThenLetEventsRun) {
    Dispatch(Q(GetParam().command));
    ASSERT_EQ(fx.keys.sent.size(), 1u);
    EXPECT_EQ(fx.keys.sent[0], std::make_pair(GetParam().vk, GetParam().modifiers));
    EXPECT_EQ(fx.waiter.pumps, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, MediaKeys,
                         testing::Values(TKeyCase{"$PAUSE$", 0xB3, 0}, TKeyCase{"$PLAY$", 0xB3, 0},
                                         TKeyCase{"$STOP$", 0xB2, 0}, TKeyCase{"$NEXT$", 0xB0, 0},
                                         TKeyCase{"$PREV$", 0xB1, 0}, TKeyCase{"$MEDIA$", 0xB5, 0},
                                         TKeyCase{"$SEARCH$", 0x53, kModWin}));

TEST_F(Dispatcher, BackupIsForcedAndAnswered) {
    TempDir dir;
    dispatcher.Services().places.dataFolder = dir.Path();
    WriteText(dir.File(Q("vantrelo.ini")), Q("[Setup]"));
    const TInternalOutcome out = Dispatch(Q("$BACKUP$"));
    EXPECT_FALSE(out.failed);
    EXPECT_EQ(Answer(), Q("Backup done (type -folder to see *.bak files)"));
    EXPECT_EQ(ReadAll(dir.File(Q("vantrelo.ini.bak"))), ReadAll(dir.File(Q("vantrelo.ini"))));
}

TEST_F(Dispatcher, DataFolderOpensThroughTheDesktop) {
    Dispatch(Q("$DATAFOLDER$"));
    EXPECT_EQ(log.calls, QStringList{Q("open:/home/ann/.config/Vantrelo/")});
    launcher.code = kLaunchNotFound;
    EXPECT_TRUE(Dispatch(Q("$DATAFOLDER$")).failed);
}

// ---- control commands ----

TEST_F(Dispatcher, MinimiseRestoreAndGrabActOnlyOnTheWholeText) {
    Dispatch(Q("$M$"));
    Dispatch(Q("$M$ "));
    Dispatch(Q("$R$"));
    EXPECT_EQ(fx.windows.minimized, 1);
    EXPECT_EQ(fx.windows.undone, 1);
    fx.windows.foreground = 1; // our own window
    Dispatch(Q("$GW$"));
    EXPECT_EQ(fx.input.lastActive, 0u);
    fx.windows.foreground = 77;
    Dispatch(Q("$GW$"));
    EXPECT_EQ(fx.input.lastActive, 77u);
}

TEST_F(Dispatcher, SoundPlaysTheEnclosedFileKeepingItsCase) {
    fx.files.files[Q("/snd/Bell $QUIT$.wav")] = QString();
    const TInternalOutcome out = Dispatch(Q("$sound$/snd/Bell $QUIT$.wav$SOUND$"));
    EXPECT_TRUE(out.handled && out.noaftercommand && !out.failed);
    EXPECT_EQ(fx.sound.played, std::vector<QString>{Q("/snd/Bell $QUIT$.wav")});
    EXPECT_TRUE(dispatcher.PendingAfterCommand().isEmpty());
    EXPECT_TRUE(Dispatch(Q("$SOUND$/snd/none.wav$SOUND$")).failed);
}

TEST_F(Dispatcher, StartPageWithoutAPageAnswers) {
    fx.settings.startpage.clear();
    EXPECT_FALSE(Dispatch(Q("$STARTPAGE$")).failed);
    EXPECT_EQ(Answer(), Q("No start page defined (Settings>Browser)"));
}

TEST_F(Dispatcher, FallbackRunsTheKeywordParametersControlTokens) {
    RunKeyword(Q("$EJECT$"), Q("$M$sr1"), QString());
    EXPECT_EQ(fx.windows.minimized, 1);
    EXPECT_EQ(log.calls, QStringList{Q("eject:sr1,0")});
}

TEST_F(Dispatcher, InstallsItsExpansionIntoTheContext) {
    dispatcher.InstallExpander(fx.ctx);
    EXPECT_EQ(fx.ctx.expandCommand(Q("$H$/x $EXIT$"), true), Q("/opt/vantrelo/bin/x "));
}
