// The running launcher's clipboard history on a real X clipboard, with xclip as the other program.
#include "app/application.h"
#include "app/qtservices.h"
#include "exec/injector.h"
#include "platform/linux/xkeyboard.h"
#include "core/atomicfile.h"
#include "core/keywordlist.h"
#include "core/settingsstore.h"
#include "tools/cliphistory.h"

#include "../platform/xtestclient.h"
#include "support/qtapp.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QMimeData>
#include <QProcess>

#include <functional>
#include <memory>

namespace vantrelo {
namespace {

bool Until(const std::function<bool()>& done, int ms = 20000) { return test::Until(done, ms); }

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

// The X input focus, as the desktop gives it.
quint64 InputFocus(xcb_connection_t* c) {
    xcb_get_input_focus_reply_t* r = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    const quint64 focus = r ? r->focus : 0;
    std::free(r);
    return focus;
}

// The injector over the real keyboard and clipboard, aimed at a window of the test's own that has the focus.
struct TPasteRig {
    std::unique_ptr<TXKeyboard> keyboard;
    test::TTestClient target{test::TClientOptions{QStringLiteral("paste target")}};
    TQtClipboard clipboard;
    TQtWaiter waiter;
    std::unique_ptr<TInjector> injector;
};

std::unique_ptr<TPasteRig> PasteRig(QString* error) {
    auto rig = std::make_unique<TPasteRig>();
    rig->keyboard = TXKeyboard::Open(QString(), error);
    if (!rig->keyboard)
        return nullptr;
    TPasteRig& r = *rig;
    if (!test::PollUntil([&r] {
            r.target.Focus();
            return InputFocus(r.target.Conn()) == r.target.Id();
        })) {
        *error = QStringLiteral("the paste target never got the focus");
        return nullptr;
    }
    r.injector = std::make_unique<TInjector>(TInjectTools{r.keyboard.get(), r.keyboard.get(), &r.waiter, &r.clipboard,
                                                          [&r] { return InputFocus(r.target.Conn()); }});
    return rig;
}

TEST_F(DesktopClipboard, TypingReachesTheWindowInFrontAndAPasteKeepsTheUsersClipboard) {
    // The injector alone, over the real keyboard and clipboard; no launcher window takes the focus.
    app->Shutdown();
    app.reset();
    QString error;
    const std::unique_ptr<TPasteRig> rig = PasteRig(&error);
    ASSERT_TRUE(rig) << error.toStdString();
    test::TTestClient& target = rig->target;
    TInjector& injector = *rig->injector;

    // The user's clipboard: a text and a picture.
    auto* mine = new QMimeData;
    mine->setText("user's own text");
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    mine->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(mine);

    ASSERT_EQ(injector.Type("ab{ENTER}"), TInjectResult::Done);
    ASSERT_EQ(injector.Paste("pasted text", false), TInjectResult::Done);
    std::vector<quint32> presses;
    test::PollUntil([&] {
        target.Pump();
        presses.clear();
        for (const test::TTestClient::TKey& k : target.keys)
            if (k.press)
                presses.push_back(k.keysym);
        return presses.size() >= 5;
    });
    // a, b, Return, then Control and v of the paste.
    ASSERT_EQ(presses.size(), 5u);
    EXPECT_EQ(presses[0], quint32('a'));
    EXPECT_EQ(presses[1], quint32('b'));
    EXPECT_EQ(presses[2], 0xff0du);
    EXPECT_EQ(presses[4], quint32('v'));

    const QMimeData* now = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->text(), "user's own text");
    const QImage back = qvariant_cast<QImage>(now->imageData());
    EXPECT_EQ(back.size(), picture.size());
    EXPECT_EQ(back.pixelColor(1, 1), QColor(Qt::red));
}

TEST_F(DesktopClipboard, APasteIntoAnotherProgramAddsNothingToTheHistory) {
    // The user's copy in another program, then a paste into a window while the launcher records.
    ASSERT_TRUE(Shell(QStringLiteral("printf 'users copy' | timeout 5 xclip -selection clipboard -quiet -loops 1 >/dev/null")));
    QString error;
    const std::unique_ptr<TPasteRig> rig = PasteRig(&error);
    ASSERT_TRUE(rig) << error.toStdString();
    ASSERT_EQ(rig->injector->Paste("pasted only", false), TInjectResult::Done);
    Until([] { return false; }, 300); // the clipboard's change notices arrive
    QStringList texts;
    for (const TMyClipItem& c : Stored())
        texts << c.clipb;
    EXPECT_EQ(texts, QStringList{"users copy"});
}

} // namespace
} // namespace vantrelo
