// The settings dialog and keyword editor driven with real key presses and clicks on an X server, the data file read after each step.
#include "app/application.h"
#include "core/keywordexchange.h"
#include "core/keywordlist.h"
#include "core/settingsstore.h"
#include "ui/importpage.h"
#include "ui/mainform.h"

#include "support/qtapp.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <type_traits>

namespace vantrelo {
namespace {

// Runs `f` on the user-interface thread and gives its result; called from the script's thread.
template <class F>
auto Gui(F f) -> decltype(f()) {
    using R = decltype(f());
    if constexpr (std::is_void_v<R>) {
        QMetaObject::invokeMethod(qApp, f, Qt::BlockingQueuedConnection);
    } else {
        R r{};
        QMetaObject::invokeMethod(qApp, [&r, &f] { r = f(); }, Qt::BlockingQueuedConnection);
        return r;
    }
}

// Checks `done` on the user-interface thread every 50 ms until it holds or `ms` have passed.
bool Wait(const std::function<bool()>& done, int ms = 15000) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (Gui(done))
            return true;
        QThread::msleep(50);
    }
    return Gui(done);
}

// Real key presses and pointer moves through the X server.
void Xdo(const QStringList& args) { QProcess::execute(QStringLiteral("xdotool"), args); }
void Keys(const QString& keys) { Xdo({"key", "--delay", "60", keys}); }
void Type(const QString& text) { Xdo({"type", "--delay", "40", text}); }

QWidget* Shown(const QString& name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        if (top->objectName() == name)
            return top;
        for (QWidget* w : top->findChildren<QWidget*>(name))
            if (w->isVisible())
                return w;
    }
    return nullptr;
}

QWidget* SetupDialog() { return Shown(QStringLiteral("SetupForm")); }

template <class T>
T* In(const QString& name) {
    QWidget* setup = SetupDialog();
    return setup ? setup->findChild<T*>(name) : nullptr;
}

// A click with `button` at a point of the screen.
void ClickAt(const QPoint& at, int button = 1) {
    Xdo({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    QThread::msleep(80);
    Xdo({"click", QString::number(button)});
    QThread::msleep(120);
}

// A click in the middle of the visible widget of this name.
bool Click(const QString& name, int button = 1) {
    const QPoint at = Gui([&name] {
        QWidget* w = Shown(name);
        return w ? w->mapToGlobal(w->rect().center()) : QPoint(-1, -1);
    });
    if (at.x() < 0)
        return false;
    ClickAt(at, button);
    return true;
}

// The middle of the keyword editor's row of `keyword` on the screen.
QPoint RowPoint(const QString& keyword) {
    return Gui([&keyword] {
        auto* view = In<QTableView>(QStringLiteral("KeyWordListView"));
        if (!view)
            return QPoint(-1, -1);
        const QModelIndexList found = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, keyword, 1,
                                                           Qt::MatchExactly);
        if (found.isEmpty())
            return QPoint(-1, -1);
        view->scrollTo(found.front());
        return view->viewport()->mapToGlobal(view->visualRect(found.front()).center());
    });
}

// A click on the keyword editor's row of `keyword`.
bool ClickRow(const QString& keyword) {
    const QPoint at = RowPoint(keyword);
    if (at.x() < 0)
        return false;
    ClickAt(at);
    return true;
}

// The list's pop-up menu over the row of `keyword`, then its item `text`.
bool ChooseFromListMenu(const QString& keyword, const QString& text) {
    const QPoint at = RowPoint(keyword);
    if (at.x() < 0)
        return false;
    ClickAt(at, 3);
    QPoint item(-1, -1);
    const bool found = Wait([&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* menu = qobject_cast<QMenu*>(top);
            if (!menu || !menu->isVisible())
                continue;
            for (QAction* a : menu->actions())
                if (a->text() == text)
                    item = menu->mapToGlobal(menu->actionGeometry(a).center());
        }
        return item.x() >= 0;
    });
    if (!found)
        return false;
    ClickAt(item);
    return true;
}

// The enabled state of the list menu's item `text` (on the user-interface thread).
bool ListMenuItemEnabled(const QString& text) {
    auto* view = In<QTableView>(QStringLiteral("KeyWordListView"));
    for (QAction* a : view ? view->actions() : QList<QAction*>{})
        if (a->text() == text)
            return a->isEnabled();
    return false;
}

// The file dialog's answer given, every other question asked by the real dialogs.
class TChosenFile final : public TImportDialogs {
public:
    TChosenFile(QString file, QWidget* parent) : file_(std::move(file)), real_(MakeQtImportDialogs(parent)) {}
    QString OpenFile(const QString&) override { return file_; }
    QString SaveFile(const QString&) override { return file_; }
    std::optional<QString> AskUrl() override { return real_->AskUrl(); }
    TConflictAnswer AskConflict(const QString& question) override { return real_->AskConflict(question); }
    void ShowError(const QString& text) override { real_->ShowError(text); }

private:
    QString file_;
    std::unique_ptr<TImportDialogs> real_;
};

class DesktopSettings : public ::testing::Test {
protected:
    void SetUp() override {
        test::WidgetApp();
        data = dir.File("config/Vantrelo/");
        ASSERT_TRUE(QDir().mkpath(data));
        saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.File("config").toUtf8());
    }
    void TearDown() override {
        if (app)
            app->Shutdown();
        app.reset();
        qputenv("XDG_CONFIG_HOME", saved);
    }

    void Start(const std::function<void(TUserData&)>& edit = {}) {
        TPlaces places;
        places.dataFolder = data;
        places.programFolder = dir.Path();
        TSettingsStore store(places);
        TUserData user;
        user.settings.hide = false;
        user.keywords.Add(MakeNewKeyword(QStringLiteral("zimp"), QStringLiteral("old-cmd"), QString()));
        user.keywords.Add(MakeNewKeyword(QStringLiteral("zother"), QStringLiteral("other-cmd"), QString()));
        if (edit)
            edit(user);
        ASSERT_TRUE(store.WriteSettings(user));
        app = std::make_unique<TApplication>(places, QStringList{});
        ASSERT_EQ(app->Start(), -1);
    }

    QString Ini() const { return QString::fromUtf8(test::ReadAll(data + "vantrelo.ini")); }

    // Runs the person's steps on a thread of their own while this thread serves the windows
    // (the settings dialog runs modally); whatever is left open is closed afterwards.
    void Drive(const std::function<void()>& script) {
        std::atomic<bool> done = false;
        std::thread person([&] {
            script();
            Gui([] {
                while (QWidget* modal = QApplication::activeModalWidget())
                    if (auto* d = qobject_cast<QDialog*>(modal))
                        d->reject();
                    else
                        modal->close();
            });
            done = true;
            QMetaObject::invokeMethod(qApp, [] {}, Qt::QueuedConnection);
        });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        person.join();
    }

    // The input window gets the keyboard, its line holding `line`, and `keys` are pressed in it.
    bool FromInputWindow(const QString& keys, const QString& line = {}) {
        const QString id = Gui([this, &line] {
            TMainForm* form = app->Form();
            form->show();
            form->findChild<QLineEdit*>(QStringLiteral("WordEdit"))->setText(line);
            return QString::number(form->winId());
        });
        Xdo({"windowactivate", "--sync", id});
        if (!Wait([this] { return QApplication::activeWindow() == app->Form(); }))
            return false;
        Keys(keys);
        return true;
    }

    // The settings dialog is up and has the keyboard.
    static bool SetupActive() {
        return Wait([] { return SetupDialog() && QApplication::activeWindow() == SetupDialog(); });
    }

    test::TempDir dir;
    QString data;
    QByteArray saved;
    std::unique_ptr<TApplication> app;
};

TEST_F(DesktopSettings, AKeywordImportedFromTheEditorsMenuStaysWhenTheEditorAppliesAfterwards) {
    Start([](TUserData& user) { user.settings.autoapply = true; });
    const QString file = dir.File("team.exc");
    {
        TKeywordList words;
        words.Add(MakeNewKeyword(QStringLiteral("zimp"), QStringLiteral("new-cmd"), QString()));
        ASSERT_TRUE(WriteExportFile(file, {&words.at(0)}, {}));
    }
    app->SetImportDialogs(std::make_unique<TChosenFile>(file, app->Form()));
    Drive([&] {
        ASSERT_TRUE(FromInputWindow(QStringLiteral("ctrl+k")));
        ASSERT_TRUE(SetupActive()) << "Ctrl+K did not open the editor";
        // The row is selected first, so the detail panel holds the record the import replaces.
        ASSERT_TRUE(ClickRow(QStringLiteral("zimp")));
        ASSERT_TRUE(Wait([] { return In<QLineEdit>(QStringLiteral("CommandEdit"))->text() == "old-cmd"; }));
        ASSERT_TRUE(ChooseFromListMenu(QStringLiteral("zimp"), QStringLiteral("Import Keywords from File...")));
        ASSERT_TRUE(Wait([] { return Shown(QStringLiteral("TabSheetImporter")) != nullptr; })) << "no import page";
        // The existing keyword's row starts unchecked: the person checks it and imports.
        ASSERT_TRUE(Click(QStringLiteral("ImportSelectAllButton")));
        ASSERT_TRUE(Click(QStringLiteral("ImExOKButton")));
        QMessageBox* question = nullptr;
        ASSERT_TRUE(Wait([&question] {
            question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            return question != nullptr && QApplication::activeWindow() == question;
        })) << "no conflict question";
        const QPoint yes = Gui([question] {
            QAbstractButton* b = question->button(QMessageBox::Yes);
            return b->mapToGlobal(b->rect().center());
        });
        ClickAt(yes);
        ASSERT_TRUE(Wait([this] { return Ini().contains("command=new-cmd"); })) << Ini().toStdString();
        EXPECT_FALSE(Ini().contains("command=old-cmd"));

        // The editor shows the imported record at once; an edit with Auto apply, then Apply, keeps it.
        ASSERT_TRUE(SetupActive());
        ASSERT_TRUE(Wait([] { return Shown(QStringLiteral("KeyWordListView")) != nullptr; })) << "the tabs came not back";
        EXPECT_TRUE(Wait([] {
            return In<QLineEdit>(QStringLiteral("KeywordsEdit"))->text() == "zimp" &&
                   In<QLineEdit>(QStringLiteral("CommandEdit"))->text() == "new-cmd";
        })) << "the detail panel shows the record from before the import";
        ASSERT_TRUE(Click(QStringLiteral("CommentEdit")));
        Type(QStringLiteral("fresh"));
        ASSERT_TRUE(Click(QStringLiteral("ApplyButton")));
        ASSERT_TRUE(Wait([this] { return Ini().contains("comment=fresh"); })) << Ini().toStdString();
        EXPECT_TRUE(Ini().contains("command=new-cmd")) << "the editor wrote the old record back over the import";
        EXPECT_FALSE(Ini().contains("command=old-cmd"));
    });
}

TEST_F(DesktopSettings, TheImportWindowShowsItsPageAfterThePageWasShownInTheDialog) {
    Start();
    Drive([&] {
        ASSERT_TRUE(FromInputWindow(QStringLiteral("ctrl+k")));
        ASSERT_TRUE(SetupActive());
        ASSERT_TRUE(ChooseFromListMenu(QStringLiteral("zother"), QStringLiteral("Export Keywords...")));
        ASSERT_TRUE(Wait([] { return Shown(QStringLiteral("TabSheetImporter")) != nullptr; }));
        ASSERT_TRUE(Click(QStringLiteral("ImExCancelButton")));
        ASSERT_TRUE(Wait([] { return Shown(QStringLiteral("KeyWordListView")) != nullptr; }));
        Keys(QStringLiteral("Escape"));
        ASSERT_TRUE(Wait([] { return SetupDialog() == nullptr; })) << "Esc in the list did not close the dialog";

        // Ctrl+I in the input window: the import window of its own, with its page.
        ASSERT_TRUE(FromInputWindow(QStringLiteral("ctrl+i")));
        ASSERT_TRUE(Wait([] { return Shown(QStringLiteral("ImportWindow")) != nullptr; })) << "no import window";
        EXPECT_TRUE(Wait([] {
            QWidget* window = Shown(QStringLiteral("ImportWindow"));
            auto* page = window ? window->findChild<TImportPage*>() : nullptr;
            return page && page->isVisible() && page->Mode() == TImportMode::StartMenu;
        })) << "the import window is empty";
        Click(QStringLiteral("ImExCancelButton"));
        EXPECT_TRUE(Wait([] { return Shown(QStringLiteral("ImportWindow")) == nullptr; }));
    });
}

TEST_F(DesktopSettings, EnterAndEscInTheEditorsFieldsLeaveTheDialogOpen) {
    Start();
    Drive([&] {
        // The input line names the keyword: the editor opens on its row.
        ASSERT_TRUE(FromInputWindow(QStringLiteral("ctrl+k"), QStringLiteral("zimp")));
        ASSERT_TRUE(SetupActive());
        ASSERT_TRUE(Wait([] { return In<QLineEdit>(QStringLiteral("CommandEdit"))->text() == "old-cmd"; }));
        const struct {
            const char* field;
            const char* key;
        } cases[] = {
            {"CommandEdit", "Return"}, {"ParametersEdit", "Return"}, {"PathEdit", "KP_Enter"},
            {"CommentEdit", "Return"}, {"KeywordsEdit", "Return"},  {"FilterEdit", "Return"},
            {"CommandEdit", "Escape"}, {"CommentEdit", "Escape"},    {"KeywordsEdit", "Escape"},
        };
        for (const auto& c : cases) {
            if (QString::fromLatin1(c.field) == "FilterEdit" || !Gui([] { return In<QWidget>("KeyWordGroupBox")->isEnabled(); }))
                ClickRow(QStringLiteral("zimp"));
            ASSERT_TRUE(Click(QString::fromLatin1(c.field))) << c.field;
            Keys(QString::fromLatin1(c.key));
            QThread::msleep(300);
            ASSERT_TRUE(Gui([] { return SetupDialog() != nullptr; })) << c.key << " in " << c.field << " closed the dialog";
        }
        // The main hotkey field on the settings page keeps the dialog on Esc as well.
        ASSERT_TRUE(Gui([] {
            auto* tabs = SetupDialog()->findChild<QTabWidget*>();
            tabs->setCurrentIndex(1);
            auto* pages = SetupDialog()->findChild<QListWidget*>(QStringLiteral("SettingsPages"));
            pages->setCurrentItem(pages->findItems(QStringLiteral("Hotkey and Windows key"), Qt::MatchExactly).value(0));
            return Shown(QStringLiteral("hotkey")) != nullptr;
        }));
        ASSERT_TRUE(Click(QStringLiteral("hotkey")));
        Keys(QStringLiteral("Escape"));
        QThread::msleep(300);
        ASSERT_TRUE(Gui([] { return SetupDialog() != nullptr; })) << "Esc in the hotkey field closed the dialog";
        EXPECT_TRUE(Ini().contains("command=old-cmd"));
    });
}

TEST_F(DesktopSettings, ARightClickInTheFilterOffersTheFilterFormsAndOneChosenFilters) {
    Start([](TUserData& user) { user.keywords.at(1).disabled = true; });
    Drive([&] {
        ASSERT_TRUE(FromInputWindow(QStringLiteral("ctrl+k")));
        ASSERT_TRUE(SetupActive());
        ASSERT_TRUE(Click(QStringLiteral("FilterEdit"), 3));
        QPoint item(-1, -1);
        ASSERT_TRUE(Wait([&item] {
            QWidget* menu = Shown(QStringLiteral("FilterPopup"));
            for (QAction* a : menu ? menu->actions() : QList<QAction*>{})
                if (a->text() == "disabled:")
                    item = menu->mapToGlobal(static_cast<QMenu*>(menu)->actionGeometry(a).center());
            return item.x() >= 0;
        })) << "no filter menu on a right click";
        ClickAt(item);
        EXPECT_TRUE(Wait([] {
            auto* view = In<QTableView>(QStringLiteral("KeyWordListView"));
            return In<QLineEdit>(QStringLiteral("FilterEdit"))->text() == "disabled:" && view->model()->rowCount() == 1 &&
                   view->model()->index(0, 0).data().toString() == "zother";
        }));
    });
}

TEST_F(DesktopSettings, AutoApplyStaysAsSetTheFilterPanelFollowsItsSettingAndAddKeywordTakesTheLine) {
    Start([](TUserData& user) {
        user.settings.autoapply = true;
        user.settings.editorpanel = false;
    });
    Drive([&] {
        ASSERT_TRUE(FromInputWindow(QStringLiteral("ctrl+k")));
        ASSERT_TRUE(SetupActive());
        EXPECT_FALSE(Gui([] { return In<QWidget>(QStringLiteral("FilterPanel"))->isVisible(); }))
            << "editorpanel off shows the filter line";
        EXPECT_FALSE(Gui([] { return ListMenuItemEnabled(QStringLiteral("Paste")); })) << "Paste with nothing held";
        ASSERT_TRUE(ClickRow(QStringLiteral("zimp")));
        ASSERT_TRUE(Click(QStringLiteral("AutoApplyBox")));
        ASSERT_TRUE(Wait([] { return !In<QCheckBox>(QStringLiteral("AutoApplyBox"))->isChecked(); }));
        ASSERT_TRUE(ClickRow(QStringLiteral("zother")));
        Keys(QStringLiteral("ctrl+c"));
        EXPECT_TRUE(Wait([] { return ListMenuItemEnabled(QStringLiteral("Paste")); })) << "Paste after Copy";
        // OK with the keyboard: the button's mnemonic.
        Keys(QStringLiteral("alt+o"));
        ASSERT_TRUE(Wait([] { return SetupDialog() == nullptr; })) << "Alt+O did not take the dialog";
        EXPECT_TRUE(Wait([this] { return Ini().contains("autoapply=0"); })) << "Auto apply was set back at OK";

        // "Add Keyword..." with text in the line: the new keyword carries it.
        ASSERT_TRUE(FromInputWindow(QStringLiteral("ctrl+alt+k"), QStringLiteral("zadd /bin/true p:--now")));
        ASSERT_TRUE(SetupActive());
        EXPECT_TRUE(Wait([] { return In<QLineEdit>(QStringLiteral("KeywordsEdit"))->text() == "zadd"; }));
        EXPECT_EQ(Gui([] { return In<QLineEdit>(QStringLiteral("CommandEdit"))->text(); }), "/bin/true");
        EXPECT_EQ(Gui([] { return In<QLineEdit>(QStringLiteral("ParametersEdit"))->text(); }), "--now");
        EXPECT_FALSE(Gui([] { return In<QCheckBox>(QStringLiteral("AutoApplyBox"))->isChecked(); }));
        ASSERT_TRUE(Click(QStringLiteral("ApplyButton")));
        EXPECT_TRUE(Wait([this] { return Ini().contains("keywords=zadd"); })) << Ini().toStdString();
    });
}

} // namespace
} // namespace vantrelo
