// The whole launcher on a real X server: window and mouse commands typed into its line act on the window it came up over.
#include "app/application.h"
#include "core/keywordlist.h"
#include "core/settingsstore.h"
#include "platform/linux/xdesktop.h"
#include "platform/linux/xmouse.h"
#include "ui/cmdform.h"
#include "ui/mainform.h"
#include "ui/wordedit.h"
#include "../platform/xtestclient.h"

#include "support/qtapp.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QTest>

#include <functional>
#include <memory>

namespace vantrelo {
namespace {

bool Until(const std::function<bool()>& done, int ms = 5000) { return test::Until(done, ms); }

class DesktopProgram : public ::testing::Test {
protected:
    void SetUp() override {
        test::WidgetApp();
        data = dir.File("config/Vantrelo/");
        ASSERT_TRUE(QDir().mkpath(data));
        QString error;
        x = TXDesktop::Open(QString(), &error);
        ASSERT_TRUE(x) << error.toStdString();
        mouse = TXMouse::Open(QString(), &error);
        ASSERT_TRUE(mouse) << error.toStdString();
        saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.File("config").toUtf8());
    }
    void TearDown() override {
        if (app)
            app->Shutdown();
        app.reset();
        qputenv("XDG_CONFIG_HOME", saved);
    }

    // A window of the test's own, active when the launcher starts over it.
    std::unique_ptr<test::TTestClient> Target() {
        auto c = std::make_unique<test::TTestClient>(
            test::TClientOptions{QStringLiteral("Target probe"), false, "probe", "TargetProbe", 4242});
        const quint64 id = c->Id();
        EXPECT_TRUE(Until([&] { return x->IsWindow(id) && x->Activate(id, 0) && x->ActiveWindow() == id; }));
        return c;
    }

    void Start() {
        TSettingsStore store(Places());
        TUserData user;
        user.settings.hide = false;
        for (const auto& [name, command] : {std::pair{"zres", "$WRESIZE$"}, std::pair{"zmax", "$WMAXIMIZE$"},
                                            std::pair{"zmouse", "$SETMOUSEPOS"}, std::pair{"zinfo", "$WINFO$"}})
            user.keywords.Add(MakeNewKeyword(QString::fromLatin1(name), QString::fromLatin1(command), QString()));
        ASSERT_TRUE(store.WriteSettings(user));
        app = std::make_unique<TApplication>(Places(), QStringList{});
        ASSERT_EQ(app->Start(), -1);
    }

    TPlaces Places() const {
        TPlaces places;
        places.dataFolder = data;
        places.programFolder = dir.Path();
        return places;
    }

    void Run(const QString& line) {
        TWordEdit* edit = app->Form()->WordEdit();
        edit->clear();
        QTest::keyClicks(edit, line);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    test::TempDir dir;
    QString data;
    QByteArray saved;
    std::unique_ptr<TXDesktop> x;
    std::unique_ptr<TXMouse> mouse;
    std::unique_ptr<TApplication> app;
};

TEST_F(DesktopProgram, CommandsActOnTheWindowTheLauncherCameUpOver) {
    auto target = Target();
    const quint64 w = target->Id();
    Start();
    Run(QStringLiteral("zres 300x200"));
    EXPECT_TRUE(Until([&] { return x->ClientRect(w).size() == QSize(300, 200); }));
    Run(QStringLiteral("zmax"));
    EXPECT_TRUE(Until([&] {
        TWindowFacts f;
        return x->Describe(w, &f) && f.maximized;
    }));
    Run(QStringLiteral("zmouse 33,44"));
    EXPECT_TRUE(Until([&] { return mouse->CursorPos() == QPoint(33, 44); }));
    Run(QStringLiteral("zinfo"));
    EXPECT_TRUE(Until([&] { return app->Form()->CmdForm()->TextPanelVisible(); }));
}

TEST_F(DesktopProgram, AClosedTargetIsReportedNotActedOn) {
    auto target = Target();
    const quint64 w = target->Id();
    Start();
    target.reset();
    ASSERT_TRUE(Until([&] { return !x->IsWindow(w); }));
    Run(QStringLiteral("zmax"));
    EXPECT_TRUE(Until([&] { return app->Form()->ToastText() == QStringLiteral("Previous window is gone"); }))
        << app->Form()->ToastText().toStdString();
}

} // namespace
} // namespace vantrelo
