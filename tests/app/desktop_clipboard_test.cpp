// The running launcher's clipboard history on a real X clipboard, with xclip as the other program.
#include "app/application.h"
#include "core/atomicfile.h"
#include "core/keywordlist.h"
#include "core/settingsstore.h"
#include "tools/cliphistory.h"

#include "support/qtapp.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>

#include <functional>
#include <memory>

namespace vantrelo {
namespace {

bool Until(const std::function<bool()>& done, int ms = 20000) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (done())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

// Runs a shell script to its end while the launcher's events keep running.
bool Shell(const QString& script, int ms = 60000) {
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    if (!p.waitForStarted())
        return false;
    return Until([&] { return p.state() == QProcess::NotRunning; }, ms) && p.exitCode() == 0;
}

class DesktopClipboard : public ::testing::Test {
protected:
    void SetUp() override {
        test::WidgetApp();
        data = dir.File("config/Vantrelo/");
        ASSERT_TRUE(QDir().mkpath(data));
        ASSERT_TRUE(QDir().mkpath(dir.File("runtime")));
        QFile::setPermissions(dir.File("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const QByteArray& name : {QByteArray("XDG_CONFIG_HOME"), QByteArray("XDG_RUNTIME_DIR")})
            saved.emplace_back(name, qgetenv(name));
        qputenv("XDG_CONFIG_HOME", dir.File("config").toUtf8());
        qputenv("XDG_RUNTIME_DIR", dir.File("runtime").toUtf8());
        TSettingsStore store(Places());
        TUserData user;
        user.settings.hide = false;
        user.settings.clipboardhours = 1;
        ASSERT_TRUE(store.WriteSettings(user));
        app = std::make_unique<TApplication>(Places(), QStringList());
        ASSERT_EQ(app->Start(), -1);
    }
    void TearDown() override {
        if (app)
            app->Shutdown();
        app.reset();
        for (const auto& [name, value] : saved)
            qputenv(name, value);
    }
    TPlaces Places() const { return TPlaces{data, dir.Path()}; }
    // The history as the launcher wrote it at its stop.
    std::vector<TMyClipItem> Stored() {
        app->Shutdown();
        app.reset();
        QString text;
        if (!ReadTextFile(data + "c.dat", text))
            return {};
        return DecodeClipFile(text, QDateTime::currentDateTime(), 1);
    }

    test::TempDir dir;
    QString data;
    std::vector<std::pair<QByteArray, QByteArray>> saved;
    std::unique_ptr<TApplication> app;
};

TEST_F(DesktopClipboard, EveryCopyOfAnotherProgramIsRecorded) {
    // Each copy is owned until its text has been fetched once; the next follows 10 ms later.
    ASSERT_TRUE(Shell(QStringLiteral("for i in $(seq 1 100); do printf 'copy %s' $i | "
                                     "timeout 5 xclip -selection clipboard -quiet -loops 1 >/dev/null; "
                                     "sleep 0.01; done")));
    const std::vector<TMyClipItem> stored = Stored();
    QStringList texts;
    for (const TMyClipItem& c : stored)
        texts << c.clipb;
    ASSERT_EQ(stored.size(), 100u) << texts.join('|').toStdString();
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(stored[size_t(i)].clipb, QStringLiteral("copy %1").arg(i + 1));
}

TEST_F(DesktopClipboard, AnOwnerThatVanishesCostsNothing) {
    const QString copy = QStringLiteral("printf '%1' | timeout 5 xclip -selection clipboard -quiet -loops 1 >/dev/null");
    ASSERT_TRUE(Shell(copy.arg("before")));
    // An owner killed while it holds the clipboard: whatever it was asked after that gets no answer.
    QProcess owner;
    owner.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-quiet"});
    ASSERT_TRUE(owner.waitForStarted());
    owner.write("killed owner");
    owner.closeWriteChannel();
    Until([] { return false; }, 100);
    owner.kill();
    owner.waitForFinished();
    ASSERT_TRUE(Shell(copy.arg("after the owner left")));
    const std::vector<TMyClipItem> stored = Stored();
    ASSERT_GE(stored.size(), 2u);
    EXPECT_EQ(stored.front().clipb, "before");
    EXPECT_EQ(stored.back().clipb, "after the owner left");
}

} // namespace
} // namespace vantrelo
