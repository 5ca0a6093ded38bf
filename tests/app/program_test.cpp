// The whole launcher offscreen over a private data folder: keys typed into its line, what it shows and writes.
#include "app/application.h"
#include "core/settingsstore.h"
#include "index/indexfiles.h"
#include "index/indexlist.h"
#include "suggest/indeximage.h"
#include "suggest/indexsnapshot.h"
#include "ui/cmdform.h"
#include "ui/editpanel.h"
#include "ui/idleinfo.h"
#include "ui/notesdialogs.h"
#include "ui/notesform.h"
#include "core/keywordexchange.h"
#include "ui/importpage.h"
#include "ui/mainform.h"
#include "ui/skindialogs.h"

#include "ui/settings/scanfolders.h"
#include "ui/settings/setupfields.h"
#include "support/dialogfakes.h"
#include "support/qtapp.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QAction>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>
#include <QPointer>
#include <QAbstractButton>
#include <QInputDialog>
#include <QFontDialog>
#include <QDropEvent>
#include <QUrl>

#include <functional>
#include <memory>

namespace vantrelo {
namespace {

using test::Until;

// The import/export page while it shows.
TImportPage* ImportPage() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* page = w->findChild<TImportPage*>(); page && page->isVisible())
            return page;
    return nullptr;
}

// Its rows as "[x] text" or "[ ] text".
QStringList PageRows() {
    QStringList out;
    if (TImportPage* page = ImportPage()) {
        auto* list = page->findChild<QListWidget*>("ImExCheckListBox");
        for (int i = 0; i < list->count(); ++i)
            out << (list->item(i)->checkState() == Qt::Checked ? "[x] " : "[ ] ") + list->item(i)->text();
    }
    return out;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WidgetApp();
        data = dir.File("config/Vantrelo/");
        apps = dir.File("share/applications/");
        bin = dir.File("bin/");
        opened = dir.File("opened.txt");
        ASSERT_TRUE(QDir().mkpath(data));
        ASSERT_TRUE(QDir().mkpath(apps));
        ASSERT_TRUE(QDir().mkpath(dir.File("runtime")));
        QFile::setPermissions(dir.File("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // The desktop's opener records what it was asked to open.
        Script("xdg-open", "echo \"$1\" >> '" + opened + "'");
        tool = Script("ztool", "exit 0");
        saved = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_RUNTIME_DIR", "PATH"};
        for (const QByteArray& name : saved)
            before << qgetenv(name);
        qputenv("XDG_CONFIG_HOME", dir.File("config").toUtf8());
        qputenv("XDG_DATA_HOME", dir.File("share").toUtf8());
        qputenv("XDG_DATA_DIRS", dir.File("nosystem").toUtf8());
        qputenv("XDG_RUNTIME_DIR", dir.File("runtime").toUtf8());
        qputenv("PATH", (bin + ":" + qgetenv("PATH")).toUtf8());
    }

    void TearDown() override {
        if (app)
            app->Shutdown();
        app.reset();
        for (int i = 0; i < saved.size(); ++i)
            qputenv(saved.at(i), before.at(i));
    }

    QString Script(const QString& name, const QString& body) {
        const QString path = bin + name;
        test::WriteAll(path, ("#!/bin/sh\n" + body + "\n").toUtf8());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    bool WriteData(const std::function<void(TUserData&)>& edit = {}) {
        TSettingsStore store(Places());
        TUserData user;
        user.settings.hide = false; // the window stays after a command, as the checks need it
        if (edit)
            edit(user);
        return bool(store.WriteSettings(user));
    }

    TPlaces Places() const {
        TPlaces places;
        places.dataFolder = data;
        places.programFolder = dir.Path();
        return places;
    }

    int Start(const QStringList& args = {}) {
        app = std::make_unique<TApplication>(Places(), args);
        return app->Start();
    }

    TMainForm& Form() { return *app->Form(); }
    // A menu item, as its key or a click would trigger it.
    QAction* Action(const QString& text) {
        for (QAction* a : Form().findChildren<QAction*>())
            if (a->text() == text)
                return a;
        ADD_FAILURE() << "no menu item " << text.toStdString();
        static QAction none;
        return &none;
    }
    QString Ini() const { return QString::fromUtf8(test::ReadAll(data + "vantrelo.ini")); }

    void Type(const QString& text) { QTest::keyClicks(Form().WordEdit(), text); }
    void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(Form().WordEdit(), key, mods);
    }
    // Replaces the line by typing, as a user would after clearing it.
    void Retype(const QString& text) {
        Form().WordEdit()->clear();
        Type(text);
    }
    bool Toast(const QString& text) {
        return Until([&] { return Form().ToastText() == text; });
    }
    QStringList ListTexts() {
        QStringList out;
        const TCmdForm& list = *Form().CmdForm();
        for (int i = 0; i < list.RowCount(); ++i)
            out << list.Row(i).text;
        return out;
    }

    test::TempDir dir;
    QString data, apps, bin, opened, tool;
    QList<QByteArray> saved, before;
    std::unique_ptr<TApplication> app;
};

TEST_F(ProgramTest, TheWindowAndTheTrayCarryTheProgramsOwnIcons) {
    ASSERT_TRUE(QDir().mkpath(dir.File("icons")));
    for (const char* name : {"vantrelo.svg", "vantrelo-tray.svg"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(VANTRELO_ICONS "/") + name, dir.File("icons/") + name));
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    ASSERT_TRUE(Until([this] { return !Form().windowIcon().isNull(); })) << "the icon follows the first showing";
    const QIcon window = Form().windowIcon();
    EXPECT_EQ(window.name(), "vantrelo");
    EXPECT_FALSE(window.pixmap(32).isNull()) << "the SVG icon could not be drawn";
    EXPECT_EQ(QGuiApplication::windowIcon().name(), "vantrelo");
    EXPECT_FALSE(QIcon::fromTheme("vantrelo-tray").pixmap(22).isNull());
}

TEST_F(ProgramTest, IncognitoCommandSwitchesWithItsToastStateAndSettingsFile) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.keywords.Add(MakeNewKeyword("zinc", "$INCOGNITO$", "")); }));
    ASSERT_EQ(Start(), -1);
    Type("zinc");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Toast("Incognito mode: enabled"));
    EXPECT_TRUE(Until([this] { return Ini().contains("incognito=1"); })) << "the switch is written at once";
    Retype("zinc off");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Toast("Incognito mode: disabled"));
    EXPECT_TRUE(Until([this] { return Ini().contains("incognito=0"); }));
}

TEST_F(ProgramTest, ACountdownAnswersInTheLineAndShowsItsNotice) {
    // No notification service answers here: the program's own window shows the notice.
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + dir.File("nobus")).toUtf8());
    ASSERT_TRUE(WriteData([](TUserData& user) { user.keywords.Add(MakeNewKeyword("ztimer", "$TIMER$", "")); }));
    ASSERT_EQ(Start(), -1);
    Type("ztimer 0 Tea Time");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([this] { return Form().WordEdit()->text() == " Timer started, Time left h00:00:00"; }))
        << Form().WordEdit()->text().toStdString();
    QMessageBox* notice = nullptr;
    EXPECT_TRUE(Until([&] {
        notice = Form().findChild<QMessageBox*>("notice");
        return notice != nullptr;
    }));
    if (notice) {
        EXPECT_EQ(notice->windowTitle(), "Timer");
        EXPECT_EQ(notice->text(), "Tea Time");
        EXPECT_FALSE(notice->isModal());
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
}

TEST_F(ProgramTest, TheInformationLineStandsInForTheInputAndGivesItBack) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.settings.infoenabled = true;
        user.settings.infosyntax = "Info $MPCT$ $wnum$ and a long tail that does not fit into the line at all, "
                                   "so that only its beginning can show";
        user.settings.infotextcolor = 0x0000FF; // red, as BGR
        user.settings.infobgcolor = 0x000000;
        user.settings.infofontname = "Courier";
        user.settings.infofontsize = 21;
    }));
    ASSERT_EQ(Start(), -1);
    qint64 clock = 1000000;
    Form().SetElapsedClock([&clock] { return clock; });
    Form().displayTitle("a title", false, true);
    QLabel* title = Form().findChild<QLabel*>("TitleLabel");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->isVisible());
    const QColor ownText = Form().WordEdit()->palette().color(QPalette::Text);
    Type("half typed");
    Form().WordEdit()->setSelection(5, 5);
    Form().ManageShowHide(false, false, TShowLock::Hotkey);
    TWordEdit* line = Form().WordEdit();
    EXPECT_TRUE(line->text().startsWith("Info $MPCT$ ")) << line->text().toStdString();
    // The information's own look; its beginning shows, nothing is selected; the title goes with the icon.
    EXPECT_EQ(line->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(line->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(line->font().family(), "Courier");
    EXPECT_EQ(line->font().pointSize(), 21);
    EXPECT_EQ(line->cursorPosition(), 0);
    EXPECT_FALSE(line->hasSelectedText());
    EXPECT_TRUE(title->isHidden());
    clock += 1000; // past the show debounce
    Form().ManageShowHide(true, false, TShowLock::Hotkey);
    EXPECT_EQ(line->text(), "half typed");
    EXPECT_EQ(line->palette().color(QPalette::Text), ownText);
}

TEST_F(ProgramTest, EnterNeverRunsTheInfoOnFocusText) {
    const QString mark = dir.File("ran.txt");
    const QString info = dir.File("info.txt");
    Script("zmark", "touch '" + mark + "'");
    Script("zinfo", "touch '" + info + "'");
    ASSERT_TRUE(WriteData([this](TUserData& user) {
        user.settings.infoonfocus = true;
        user.settings.infosyntax = "zinfo";
        user.keywords.Add(MakeNewKeyword("zmark", bin + "zmark", ""));
        user.keywords.Add(MakeNewKeyword("zinfo", bin + "zinfo", ""));
    }));
    ASSERT_EQ(Start(), -1);
    qint64 clock = 1000000;
    Form().SetElapsedClock([&clock] { return clock; });
    Form().ManageShowHide(false, false, TShowLock::Hotkey);
    clock += 1000; // past the show debounce
    Form().ManageShowHide(true, false, TShowLock::Hotkey);
    ASSERT_EQ(Form().WordEdit()->text(), "zinfo");
    Press(Qt::Key_Return);
    Retype("zmark");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([&] { return QFileInfo::exists(mark); })) << "typed by the user, it runs";
    EXPECT_FALSE(QFileInfo::exists(info));
}

TEST_F(ProgramTest, TheReminderIsSavedAndMarkedOnTheInputWindow) {
    // The picture the program ships (which Qt must be able to read).
    ASSERT_TRUE(QFile::copy(VANTRELO_DATA "/reminder.bmp", dir.File("reminder.bmp")));
    ASSERT_TRUE(WriteData([](TUserData& user) { user.keywords.Add(MakeNewKeyword("zrem", "$REMINDER$", "")); }));
    ASSERT_EQ(Start(), -1);
    EXPECT_FALSE(Form().ReminderBadgeShown());
    Type("zrem Buy Milk");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([this] { return Form().WordEdit()->text() == "Reminder(set): Buy Milk"; }));
    EXPECT_TRUE(Form().ReminderBadgeShown());
    EXPECT_TRUE(Until([this] { return Ini().contains("reminder=Buy Milk"); }));
    Retype("zrem off");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([this] { return Form().WordEdit()->text() == "Reminder(cleared): Buy Milk"; }));
    EXPECT_FALSE(Form().ReminderBadgeShown());
}

TEST_F(ProgramTest, StartRemovesTheBrowserDataAnEarlierIncognitoRunLeft) {
    ASSERT_TRUE(WriteData());
    test::WriteAll(data + "incognito/Cache/page", "x");
    ASSERT_EQ(Start(), -1);
    EXPECT_TRUE(Until([this] { return !QFileInfo::exists(data + "incognito"); }));
}

TEST_F(ProgramTest, EditCommandOpensTheEditorWithItsText) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.keywords.Add(MakeNewKeyword("zed", "$EDIT$", "")); }));
    ASSERT_EQ(Start(), -1);
    Type("zed dear diary");
    Press(Qt::Key_Return);
    ASSERT_TRUE(Until([this] { return Form().CmdForm()->EditorVisible(); })) << "no editor";
    EXPECT_EQ(Form().CmdForm()->EditorText(), "dear diary");
}

TEST_F(ProgramTest, CopyFullPathSaysWhatItDid) {
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    Type("no path here");
    Action("Copy Full Path of Item")->trigger();
    EXPECT_TRUE(Toast("Copy path to clipboard failed, no path detected"));
    Press(Qt::Key_F8, Qt::ShiftModifier);
    EXPECT_TRUE(Toast("Current input does not have a file/folder path"));
    EXPECT_EQ(Form().Line().text, "no path here");

    Retype(tool);
    Action("Copy Full Path of Item")->trigger();
    EXPECT_TRUE(Toast("Path copied to clipboard"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), tool);
}

TEST_F(ProgramTest, ImportFromTheApplicationMenuAddsWhatIsNotAKeywordYet) {
    const QString zed = Script("zedtool", "exit 0");
    test::WriteAll(apps + "ztool.desktop",
                   ("[Desktop Entry]\nType=Application\nName=Zed Tool\nExec=" + zed + " --fast %U\n").toUtf8());
    test::WriteAll(apps + "known.desktop",
                   ("[Desktop Entry]\nType=Application\nName=Known\nExec=" + tool + " --known\n").toUtf8());
    ASSERT_TRUE(WriteData([this](TUserData& user) {
        user.keywords.Add(MakeNewKeyword("mine", tool, "--known"));
    }));
    ASSERT_EQ(Start(), -1);
    Type("-is");
    Press(Qt::Key_Return);
    // The page lists the candidates, none checked; what a keyword runs already is marked.
    ASSERT_TRUE(Until([] { return ImportPage() != nullptr; }));
    TImportPage& page = *ImportPage();
    EXPECT_EQ(page.Mode(), TImportMode::StartMenu);
    EXPECT_EQ(page.findChild<QLabel*>("ImExLabel")->text(), "Import from Application Menu") << "as the menu item says";
    const QStringList rows = PageRows();
    EXPECT_TRUE(rows.contains("[ ] Zed Tool")) << rows.join(" | ").toStdString();
    EXPECT_TRUE(rows.contains("[ ] * Known")) << rows.join(" | ").toStdString();
    // The user checks the new one.
    auto* list = page.findChild<QListWidget*>("ImExCheckListBox");
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().startsWith("Zed Tool"))
            list->item(i)->setCheckState(Qt::Checked);
    page.findChild<QPushButton*>("ImExOKButton")->click();
    EXPECT_TRUE(Toast("Imported 1 keywords."));
    EXPECT_TRUE(Until([this] { return Ini().contains("keywords=zedtool"); })) << "the new keyword is saved";
    EXPECT_FALSE(Ini().contains("keywords=known")) << Ini().toStdString();
    EXPECT_FALSE(ImportPage()) << "OK leaves the page";

    // The menu's Ctrl+I opens it again; everything is a keyword now, and Hide Existing empties it.
    Action("Import from Application Menu...")->trigger();
    ASSERT_TRUE(Until([] { return ImportPage() != nullptr; }));
    ImportPage()->HideExisting();
    EXPECT_EQ(PageRows(), QStringList{});
    ImportPage()->findChild<QPushButton*>("ImExCancelButton")->click();
    EXPECT_FALSE(ImportPage());
}

TEST_F(ProgramTest, TheOpenWithEntryFollowsItsSettingAtStart) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.sendtomenu = true; }));
    ASSERT_EQ(Start(), -1);
    const QByteArray entry = test::ReadAll(apps + "vantrelo-open.desktop");
    EXPECT_TRUE(entry.contains(QCoreApplication::applicationFilePath().toUtf8())) << entry.toStdString();
    EXPECT_TRUE(entry.contains("%F"));
}

TEST_F(ProgramTest, RescueOpenFolderOpensTheDataFolderAndEndsWithoutWriting) {
    test::WriteAll(data + "vantrelo.ini.bak", "[Setup]\r\nhide=0\r\n");
    // The question is modal: answer it once it shows.
    auto* answer = new QTimer(qApp);
    QObject::connect(answer, &QTimer::timeout, [answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "Open folder") {
                answer->stop();
                b->click();
            }
    });
    answer->start(50);
    EXPECT_EQ(Start(), 0);
    delete answer;
    EXPECT_TRUE(Until([this] { return test::ReadAll(opened).contains(data.toUtf8()); })) << "the folder was not opened";
    EXPECT_FALSE(QFileInfo::exists(data + "vantrelo.ini"));
}

TEST_F(ProgramTest, ACachedIndexEntryShowsItsFolderAndNoSourceMeansNoCache) {
    const QString target = dir.File("Tools/zebratool.desktop");
    test::WriteAll(target, "[Desktop Entry]\nType=Application\nName=Zebratool\nExec=true\n");
    TIndexList cached;
    auto item = std::make_unique<TMyShellItem>();
    item->name = "Zebratool";
    item->root = "rfStartMenu";
    item->path = target;
    cached.Append("ZebratoolTools", std::move(item));
    ASSERT_TRUE(SaveIndexCache(data + "scancache.dat", cached).ok);
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.settings.scanwindowsitems = true;
        user.settings.dropprograms = true;
        user.settings.autoindex = 0; // the cache alone
    }));
    ASSERT_EQ(Start(), -1);
    ASSERT_TRUE(Until([this] {
        Retype("zebrat");
        return ListTexts().contains("Zebratool");
    })) << ListTexts().join('|').toStdString();
    const TCmdForm& list = *Form().CmdForm();
    for (int i = 0; i < list.RowCount(); ++i)
        if (list.Row(i).text == "Zebratool") {
            EXPECT_EQ(list.Row(i).title, "Tools") << "the folder's name, never the full path";
        }

    // Without Windows items or scan folders the old cache is not offered.
    app->Shutdown();
    app.reset();
    ASSERT_TRUE(SaveIndexCache(data + "scancache.dat", cached).ok);
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.settings.scanwindowsitems = false;
        user.settings.dropprograms = true;
        user.settings.autoindex = 0;
    }));
    ASSERT_EQ(Start(), -1);
    Type("zebrat");
    EXPECT_FALSE(Until([this] { return ListTexts().contains("Zebratool"); }, 1500));
}

TEST_F(ProgramTest, TheIndexComesFromTheCachesSnapshotAndAnUnsoundOneIsMadeAgain) {
    const auto listOf = [](const QString& name) {
        TIndexList list;
        auto item = std::make_unique<TMyShellItem>();
        item->name = name;
        item->root = "rfStartMenu";
        item->path = "/opt/" + name;
        list.Append(name, std::move(item));
        return list;
    };
    const QString cache = data + "scancache.dat";
    ASSERT_TRUE(SaveIndexCache(cache, listOf("Zebratool")).ok);
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.settings.scanwindowsitems = true;
        user.settings.dropprograms = true;
        user.settings.autoindex = 0; // the cache alone
    }));
    // A snapshot that claims this cache but holds another name: only reading it shows that name.
    const std::optional<TCacheStamp> stamp = CacheStampOf(cache);
    ASSERT_TRUE(stamp);
    test::WriteAll(SnapshotFileFor(cache), TIndexImage::Build(listOf("Quaggatool"), *stamp));
    ASSERT_EQ(Start(), -1);
    ASSERT_TRUE(Until([this] {
        Retype("quagga");
        return ListTexts().contains("Quaggatool");
    })) << ListTexts().join('|').toStdString();

    // Damaged: the cache itself is read, and the snapshot is made again from it.
    app->Shutdown();
    app.reset();
    QByteArray damaged = test::ReadAll(SnapshotFileFor(cache));
    damaged[damaged.size() - 4] = char(damaged.at(damaged.size() - 4) ^ 0x11);
    test::WriteAll(SnapshotFileFor(cache), damaged);
    ASSERT_EQ(Start(), -1);
    ASSERT_TRUE(Until([this] {
        Retype("zebrat");
        return ListTexts().contains("Zebratool");
    })) << ListTexts().join('|').toStdString();
    EXPECT_TRUE(Until([&cache] {
        const auto image = OpenIndexSnapshot(cache);
        return image && image->Names().size() == 1 && image->Name(image->Names()[0]) == QLatin1String("Zebratool");
    }));
}

TEST_F(ProgramTest, KeystrokesNarrowTheIndexedRowsAndErasingWidensThemAgain) {
    TIndexList cached;
    for (const char* name : {"Zebratool", "Zebu farm", "Azebra", "Zeal", "Quagga zebra"}) {
        auto item = std::make_unique<TMyShellItem>();
        item->name = name;
        item->root = "rfStartMenu";
        const QString path = QStringLiteral("/opt/") + name;
        item->path = path;
        cached.Append(path, std::move(item));
    }
    const QString cache = data + "scancache.dat";
    ASSERT_TRUE(SaveIndexCache(cache, cached).ok);
    ASSERT_TRUE(SaveIndexSnapshot(cache, cached).ok);
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.settings.scanwindowsitems = true;
        user.settings.dropprograms = true;
        user.settings.autoindex = 0;
        user.settings.autoshort = 0; // the list's own rule, letter by letter
        user.settings.comboheaders = false;
    }));
    ASSERT_EQ(Start(), -1);
    const QStringList names = {"Azebra", "Quagga zebra", "Zeal", "Zebratool", "Zebu farm"};
    const auto indexed = [&] { // the indexed rows shown, in name order
        QStringList t;
        for (const QString& row : ListTexts())
            if (names.contains(row))
                t << row;
        t.sort();
        return t.join('|');
    };
    ASSERT_TRUE(Until([&] {
        Retype("z");
        return indexed() == names.join('|');
    })) << ListTexts().join('|').toStdString();
    // Each key below is one keystroke on the line the previous one left.
    Type("e");
    EXPECT_EQ(indexed(), "Azebra|Quagga zebra|Zeal|Zebratool|Zebu farm");
    Type("b");
    EXPECT_EQ(indexed(), "Azebra|Quagga zebra|Zebratool|Zebu farm");
    Type("r");
    EXPECT_EQ(indexed(), "Azebra|Quagga zebra|Zebratool");
    Press(Qt::Key_Backspace);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(indexed(), "Azebra|Quagga zebra|Zeal|Zebratool|Zebu farm"); // "ze" again: wider
    Type("a");
    EXPECT_EQ(indexed(), "Zeal");
    Retype("bra"); // a text that holds none of the earlier ones: the whole index again
    EXPECT_EQ(indexed(), "Azebra|Quagga zebra|Zebratool");
}

TEST_F(ProgramTest, ATypedNameNoProgramAnswersOpensTheIndexedEntryOfThatName) {
    // The launcher's retry asks the index the suggestions read, which here comes from the snapshot.
    const QString file = dir.File("docs/zebranotes.txt");
    test::WriteAll(file, "x");
    TIndexList cached;
    auto item = std::make_unique<TMyShellItem>();
    item->name = "Zebranotes";
    item->root = dir.File("docs");
    item->path = file;
    cached.Append("Zebranotesdocs", std::move(item));
    const QString cache = data + "scancache.dat";
    ASSERT_TRUE(SaveIndexCache(cache, cached).ok);
    ASSERT_TRUE(SaveIndexSnapshot(cache, cached).ok);
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.settings.scanwindowsitems = true;
        user.settings.autoindex = 0;
        user.settings.autoshort = 0;        // nothing is bound to the line by a suggestion
        user.settings.autoprograms = false; // nor by inline completion
        user.settings.dropprograms = true;
    }));
    ASSERT_EQ(Start(), -1);
    // The snapshot is mapped on a worker: the list shows the entry once it is in.
    ASSERT_TRUE(Until([this] {
        Retype("zebran");
        return ListTexts().contains("Zebranotes");
    })) << ListTexts().join('|').toStdString();
    // A word after the name: no row matches the line, so Return runs it as typed.
    Retype("zebranotes now");
    ASSERT_FALSE(ListTexts().contains("Zebranotes"));
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([&] { return test::ReadAll(opened).contains(file.toUtf8()); })) << test::ReadAll(opened).toStdString();
}

TEST_F(ProgramTest, TheTypedFolderIsListedWhenItsWorkerHasReadIt) {
    for (const char* f : {"alpha.txt", "amber.txt", "beta.txt"})
        test::WriteAll(dir.File(QString("docs/") + f), "x");
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.autodropdown = true; }));
    ASSERT_EQ(Start(), -1);
    Type(dir.File("docs/a"));
    EXPECT_TRUE(Until([this] { return ListTexts().contains(dir.File("docs/amber.txt")); }))
        << ListTexts().join('|').toStdString();
    EXPECT_FALSE(ListTexts().contains(dir.File("docs/beta.txt")));
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

// The open message box with this title, if one is showing.
QMessageBox* MessageBoxTitled(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible() && box->windowTitle() == title)
            return box;
    return nullptr;
}

TEST_F(ProgramTest, ASkinGivenToTheSkinCommandBecomesTheLookItsValuesSettingsAndReloadReadsItAgain) {
    const QString skin = dir.File("myskin.skn");
    test::WriteAll(skin, "[skinvalues]\r\nskintype=scale\r\ntextcolor=#3CBAD9\r\ntextbackcolor=#101820\r\n"
                         "inputwindowcolor=#405060\r\nshowcombo=1\r\nminimumwidth=300\r\nbordersizewindow=3\r\n"
                         "message=Made for tests\r\n");
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    Type("-skin " + skin);
    Press(Qt::Key_Return);
    // Its values are settings now, saved at once; its note is shown.
    ASSERT_TRUE(Until([this] { return Ini().contains("myskin.skn"); })) << Ini().left(400).toStdString();
    EXPECT_TRUE(Ini().contains("textcolor=14268988")) << "#3CBAD9 is 0xD9BA3C";
    EXPECT_TRUE(Until([] { return MessageBoxTitled("Info") != nullptr; }));
    if (QMessageBox* note = MessageBoxTitled("Info")) {
        EXPECT_TRUE(note->text().contains("Made for tests"));
        note->close();
    }
    // The Scale layout: the skin's minimum width and border, the open-list button shown.
    const int dpi = Form().logicalDpiY();
    auto S = [dpi](int px) { return (px * dpi + 48) / 96; };
    EXPECT_EQ(Form().width(), S(300) + 2 * S(3));
    EXPECT_EQ(Form().height(), S(62) + 2 * S(3));
    auto* button = Form().findChild<QWidget*>("ArrowImage");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
    EXPECT_GE(Form().WordEdit()->font().pointSize(), 15) << "the input font is at least 15 points";
    // The open-list button lists the input and closes the list again.
    Retype("-sk");
    Form().HideList();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(Form().ListVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(Form().ListVisible());

    // A setting changed since is overwritten again when the skin is reloaded (Ctrl+F5).
    test::WriteAll(skin, "[skinvalues]\r\nskintype=scale\r\ntextcolor=#102030\r\nshowcombo=0\r\n");
    Action("Reload Skin")->trigger();
    EXPECT_TRUE(Toast("Reloading skin"));
    EXPECT_TRUE(Until([this] { return Ini().contains("textcolor=3153936"); })) << "#102030 is 0x302010";
    EXPECT_FALSE(button->isVisible());
}

TEST_F(ProgramTest, ASkinThatIsMissingSaysSoAndLeavesTheLook) {
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    const int width = Form().width();
    Type("-skin " + dir.File("nothere.skn"));
    Press(Qt::Key_Return);
    ASSERT_TRUE(Until([] { return MessageBoxTitled("Vantrelo") != nullptr; }));
    EXPECT_TRUE(MessageBoxTitled("Vantrelo")->text().contains("nothere.skn"));
    MessageBoxTitled("Vantrelo")->close();
    EXPECT_EQ(Form().width(), width);
    EXPECT_FALSE(Ini().contains("nothere"));
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

TEST_F(ProgramTest, AKeywordAddedWithTheToolWhileTheLauncherRunsIsHandedOverAndKept) {
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    QProcess cli;
    cli.start(VANTRELO_CLI, {"--data", data, "keywords", "add", "zhand", "/usr/bin/true"});
    // The launcher takes the change over its socket, applies it and saves the file itself.
    ASSERT_TRUE(Until([&cli] { return cli.state() == QProcess::NotRunning; }));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromUtf8(cli.readAllStandardOutput()).contains("Vantrelo is running"));
    ASSERT_TRUE(Until([this] { return Ini().contains("zhand"); }));
    // The keyword is in the running program, and its next save keeps it.
    Type("zhan");
    EXPECT_TRUE(Until([this] { return ListTexts().contains("zhand"); }));
    app->Shutdown();
    EXPECT_TRUE(Ini().contains("zhand"));
}

// Changes handed over while the launcher closes are never lost while the tool says they were
// taken: each is either taken and saved, or refused and then written by the tool once the launcher
// has ended.
TEST_F(ProgramTest, ChangesHandedToAClosingLauncherAreKept) {
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    constexpr int kTools = 12;
    std::vector<std::unique_ptr<QProcess>> tools;
    for (int i = 0; i < kTools; ++i) {
        tools.push_back(std::make_unique<QProcess>());
        tools.back()->start(VANTRELO_CLI, {"--data", data, "keywords", "add", QStringLiteral("zclose%1").arg(i), "true"});
    }
    // Some reach the running launcher, the rest meet it closing or gone.
    Until([] { return false; }, 40);
    app->Shutdown();
    app.reset();
    for (int i = 0; i < kTools; ++i) {
        QProcess& tool = *tools[size_t(i)];
        ASSERT_TRUE(tool.state() == QProcess::NotRunning || tool.waitForFinished(60000)) << i;
        EXPECT_EQ(tool.exitCode(), 0) << i << ": " << tool.readAllStandardError().toStdString();
    }
    const QString ini = Ini();
    for (int i = 0; i < kTools; ++i)
        EXPECT_TRUE(ini.contains(QStringLiteral("keywords=zclose%1\r\n").arg(i))) << i << " was lost";
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

// The skin dialogs answered by the test.
struct TScriptedSkinDialogs final : TSkinDialogs {
    QString open;
    std::optional<TSkinSaveGroups> groups;
    QString save;
    QString OpenSkin(const QString&) override { return open; }
    std::optional<TSkinSaveGroups> AskSaveGroups() override { return groups; }
    QString SaveSkinFile(const QString&) override { return save; }
};

TEST_F(ProgramTest, TheMenuSavesTheLookAsASkinWithTheChosenGroupsAndLoadsOne) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.settings.textcolor = 0xD9BA3C;
        user.settings.fontname = "DejaVu Sans";
    }));
    ASSERT_EQ(Start(), -1);
    auto dialogs = std::make_unique<TScriptedSkinDialogs>();
    TScriptedSkinDialogs& script = *dialogs;
    app->SetSkinDialogs(std::move(dialogs));

    // Cancelled at the first question: nothing is written.
    script.save = dir.File("saved.skn");
    Action("Save visual settings as skin...")->trigger();
    EXPECT_FALSE(QFileInfo::exists(script.save));

    TSkinSaveGroups groups;
    groups.colours = true;
    script.groups = groups;
    Action("Save visual settings as skin...")->trigger();
    ASSERT_TRUE(QFileInfo::exists(script.save));
    const QString written = QString::fromUtf8(test::ReadAll(script.save));
    EXPECT_TRUE(written.contains("textcolor=#3CBAD9")) << written.toStdString();
    EXPECT_FALSE(written.contains("fontname")) << "only the chosen groups";
    EXPECT_TRUE(Toast("Skin saved: saved.skn"));

    // The saved skin loads back through the menu's file dialog.
    ASSERT_TRUE(WriteData()); // another look in the file meanwhile changes nothing in memory
    script.open = script.save;
    Action("Load Skin...")->trigger();
    EXPECT_TRUE(Until([this] { return Ini().contains("saved.skn"); }));
    EXPECT_TRUE(Ini().contains("textcolor=14268988"));
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

TEST_F(ProgramTest, AboutShowsTheVersionAndTheTogglesChangeTheWindowAndAreSavedAtTheStop) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.stayontop = false; }));
    ASSERT_EQ(Start(), -1);
    Action("About")->trigger();
    ASSERT_TRUE(Until([] { return MessageBoxTitled("About Vantrelo") != nullptr; }));
    EXPECT_TRUE(MessageBoxTitled("About Vantrelo")->text().startsWith("Vantrelo "));
    MessageBoxTitled("About Vantrelo")->close();

    EXPECT_FALSE(Form().windowFlags() & Qt::WindowStaysOnTopHint);
    Action("Toggle Stay on Top (Also found in settings)")->trigger();
    EXPECT_TRUE(Form().windowFlags() & Qt::WindowStaysOnTopHint);
    app->Shutdown();
    EXPECT_TRUE(Ini().contains("stayontop=1"));
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

TEST_F(ProgramTest, BrowseFilesStartsInTheLinesFolderAndTheChosenFileBecomesTheLine) {
    const QString folder = dir.File("papers");
    ASSERT_TRUE(QDir().mkpath(folder));
    test::WriteAll(folder + "/report.txt", "x");
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    Type(folder + "/");
    // The dialog is modal: it is answered from the event loop it runs.
    QString shownFolder;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        // Answered again on each tick until it closes: the first accept may come before the
        // dialog has read its folder.
        if (shownFolder.isEmpty())
            shownFolder = dialog->directory().absolutePath();
        dialog->selectFile(folder + "/report.txt");
        static_cast<QDialog*>(dialog)->accept();
    });
    answer.start(20);
    // Through the window, as the desktop delivers keys, so the menu's shortcut sees it.
    Form().activateWindow();
    QTest::keyClick(Form().windowHandle(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(shownFolder.toStdString(), folder.toStdString());
    EXPECT_EQ(Form().WordEdit()->text().toStdString(), (folder + "/report.txt").toStdString());
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

// Answers the wizard once it is up: `choose` sets its controls, then OK, or Esc when `cancel`.
void AnswerWizard(QTimer& timer, const std::function<void(QWidget&)>& choose, bool cancel, bool* seen) {
    QObject::connect(&timer, &QTimer::timeout, [&timer, choose, cancel, seen] {
        auto* wizard = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!wizard || wizard->objectName() != QLatin1String("WizardForm"))
            return;
        timer.stop();
        *seen = true;
        EXPECT_EQ(wizard->findChild<QPushButton*>("OptionsCancelButton"), nullptr) << "no Cancel at the first start";
        if (choose)
            choose(*wizard);
        cancel ? wizard->reject() : wizard->accept();
    });
    timer.start(20);
}

TEST_F(ProgramTest, AFirstStartGreetsWithTheWizardWhoseChoicesAreSavedAtOnce) {
    QTimer timer;
    bool seen = false;
    AnswerWizard(
        timer,
        [](QWidget& w) {
            w.findChild<QRadioButton*>("RadioRow2")->setChecked(true);
            w.findChild<QComboBox*>("ListShowCombo")->setCurrentIndex(2);
        },
        false, &seen);
    ASSERT_EQ(Start(), -1);
    EXPECT_TRUE(seen);
    const QString ini = Ini();
    EXPECT_TRUE(ini.contains("listrowheight=17")) << ini.left(3000).toStdString();
    EXPECT_TRUE(ini.contains("autodropdown=0"));
    EXPECT_TRUE(ini.contains("skins/scale_dark.skn"));
    EXPECT_TRUE(Form().isVisible());
}

TEST_F(ProgramTest, TheWizardOptionOpensItAndEscChangesNothing) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.maxvisible = 7; }));
    QTimer timer;
    bool seen = false;
    AnswerWizard(timer, {}, true, &seen);
    ASSERT_EQ(Start({"-wizard"}), -1);
    EXPECT_TRUE(seen);
    app->Shutdown();
    EXPECT_TRUE(Ini().contains("maxvisible=7"));
}

// The text of the message box the program shows (empty when none shows).
QString ShownMessage() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box->text();
    return QString();
}

TEST_F(ProgramTest, CopiedTextsFillTheClipboardListAndOutliveARestart) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.keywords.Add(MakeNewKeyword("zclips", "$CLIPBOARD$", ""));
        user.settings.clipboardhours = 2;
        user.settings.autodropdown = true;
    }));
    ASSERT_EQ(Start(), -1);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("first copy");
    clipboard->setText("two\nlines {BR}");
    clipboard->setText("two\nlines {BR}");
    clipboard->setText("selected only", QClipboard::Selection); // a mouse selection is no copy
    Type("zclips");
    ASSERT_TRUE(Until([this] { return ListTexts().contains("first copy"); })) << ListTexts().join('|').toStdString();
    const QStringList rows = {"===== Clipboard =====", "two{BR}lines {BR}", "first copy"};
    EXPECT_EQ(ListTexts(), rows);

    app->Shutdown();
    app.reset();
    ASSERT_TRUE(QFileInfo::exists(data + "c.dat"));
    ASSERT_EQ(Start(), -1);
    Type("zclips");
    EXPECT_TRUE(Until([&] { return ListTexts() == rows; })) << ListTexts().join('|').toStdString();
}

TEST_F(ProgramTest, ChoosingAClipboardRowCopiesItsExactTextAndMovesItFirst) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.keywords.Add(MakeNewKeyword("zclips", "$CLIPBOARD$", ""));
        user.settings.autodropdown = true;
    }));
    ASSERT_EQ(Start(), -1);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("Older {BR} text");
    clipboard->setText("older {br} TEXT");
    clipboard->setText("newest");
    Type("zclips");
    ASSERT_TRUE(Until([this] { return ListTexts().size() == 4; })) << ListTexts().join('|').toStdString();
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([&] { return clipboard->text() == "Older {BR} text"; })) << clipboard->text().toStdString();
    Retype("zclips");
    ASSERT_TRUE(Until([this] {
        return ListTexts() == QStringList({"===== Clipboard =====", "Older {BR} text", "newest", "older {br} TEXT"});
    })) << ListTexts().join('|').toStdString() << " (the entry that only matches ignoring case stays)";

    // Delete on a row removes exactly that entry.
    Press(Qt::Key_Down);
    Press(Qt::Key_Delete);
    EXPECT_TRUE(Until([this] { return ListTexts().size() == 3; })) << ListTexts().join('|').toStdString();
    EXPECT_FALSE(ListTexts().contains("Older {BR} text"));
}

TEST_F(ProgramTest, ClearClipboardEmptiesTheHistoryAndItsFileAndSaysHowMany) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.keywords.Add(MakeNewKeyword("zclear", "$CLEARCLIPBOARD$", ""));
        user.keywords.Add(MakeNewKeyword("zclips", "$CLIPBOARD$", ""));
        user.settings.clipboardhours = 5;
    }));
    ASSERT_EQ(Start(), -1);
    for (int i = 0; i < 7; ++i)
        QGuiApplication::clipboard()->setText(QString("copy %1").arg(i));
    ASSERT_TRUE(Until([this] { return QFileInfo::exists(data + "c.dat"); })) << "the saver writes in the background";
    Type("zclear");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([] {
        return ShownMessage() == "Vantrelo's clipboard history cleared from memory and disk (7 items).";
    })) << ShownMessage().toStdString();
    EXPECT_FALSE(QFileInfo::exists(data + "c.dat"));
    app->Shutdown();
    app.reset();
    EXPECT_FALSE(QFileInfo::exists(data + "c.dat")) << "an empty history leaves no file";
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

TEST_F(ProgramTest, TheAutomaticImportMergesTheSharedSetAndNamesWhatItChanged) {
    const QString shared = dir.File("team.exc");
    test::WriteAll(shared, "[main]\r\ndescription=Team\r\n[W]\r\nkeywords=zshared\r\ncommand=new-cmd\r\n"
                           "[W]\r\nkeywords=zfresh\r\ncommand=fresh-cmd\r\n");
    for (const bool fast : {false, true}) {
        ASSERT_TRUE(WriteData([&](TUserData& user) {
            user.keywords.Add(MakeNewKeyword("zshared", "old-cmd", QString()));
            user.settings.importurl = shared;
            user.settings.importurlfast = fast;
        }));
        ASSERT_EQ(Start(), -1);
        ASSERT_TRUE(Until([] { return MessageBoxTitled("Keyword import") != nullptr; })) << fast;
        EXPECT_EQ(MessageBoxTitled("Keyword import")->text(), "Imported 2 keywords. Changed: zshared.");
        MessageBoxTitled("Keyword import")->close();
        // Saved at once, replaced in place.
        EXPECT_TRUE(Ini().contains("command=new-cmd")) << fast;
        EXPECT_TRUE(Ini().contains("keywords=zfresh"));
        EXPECT_FALSE(Ini().contains("old-cmd"));
        app->Shutdown();
        app.reset();
    }
}

TEST_F(ProgramTest, TheAutomaticImportRefusesAPlainHttpAddress) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.keywords.Add(MakeNewKeyword("zshared", "old-cmd", QString()));
        user.settings.importurl = "http://example.invalid/team.exc";
    }));
    ASSERT_EQ(Start(), -1);
    ASSERT_TRUE(Until([] { return MessageBoxTitled("Keyword import") != nullptr; }));
    EXPECT_TRUE(MessageBoxTitled("Keyword import")->text().contains("https")) << MessageBoxTitled("Keyword import")->text().toStdString();
    MessageBoxTitled("Keyword import")->close();
    EXPECT_TRUE(Ini().contains("old-cmd"));
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

// The page's questions answered by script: `file` for either file dialog, then `answers` in turn.
struct TScriptedImportDialogs final : TImportDialogs {
    QString file;
    std::vector<TConflictAnswer> answers;
    int asked = 0;
    QString OpenFile(const QString&) override { return file; }
    QString SaveFile(const QString&) override { return file; }
    std::optional<QString> AskUrl() override { return std::nullopt; }
    TConflictAnswer AskConflict(const QString&) override {
        return asked < int(answers.size()) ? answers[size_t(asked++)] : TConflictAnswer::No;
    }
    void ShowError(const QString&) override {}
};

TEST_F(ProgramTest, KeywordsExportedFromThePageComeBackWithAQuestionAtEachConflict) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        TExeWord& one = user.keywords.Add(MakeNewKeyword("zq1", "cmd-one", QString()));
        one.key = 84;
        one.keymod = 3;
        user.keywords.Add(MakeNewKeyword("zq2", "cmd-two", QString()));
    }));
    ASSERT_EQ(Start(), -1);
    auto dialogs = std::make_unique<TScriptedImportDialogs>();
    TScriptedImportDialogs& script = *dialogs;
    app->SetImportDialogs(std::move(dialogs));
    const QString file = dir.File("team.exc");
    script.file = file;
    Type("-export");
    Press(Qt::Key_Return);
    ASSERT_TRUE(Until([] { return ImportPage() != nullptr; }));
    EXPECT_TRUE(PageRows().contains("[x] zq1"));
    ImportPage()->findChild<QLineEdit*>("ImportDescriptionEdit")->setText("Team set");
    ImportPage()->findChild<QCheckBox*>("DontExportHotkeysCheckbox")->setChecked(true);
    EXPECT_FALSE(ImportPage()->findChild<QCheckBox*>("DontExportTagsCheckbox")->isEnabled()) << "no keyword has tags";
    ImportPage()->findChild<QPushButton*>("ImExOKButton")->click();
    const QString text = QString::fromUtf8(test::ReadAll(file));
    EXPECT_TRUE(text.contains("description=Team set")) << text.toStdString();
    EXPECT_TRUE(text.contains("keywords=zq2"));
    EXPECT_FALSE(text.contains("keymod")) << "hotkeys left out";
    EXPECT_FALSE(ImportPage());

    // Back in: both exist, so both rows start unchecked; the first becomes a duplicate, the second stays.
    script.answers = {TConflictAnswer::Ignore, TConflictAnswer::No};
    Retype("-if");
    Press(Qt::Key_Return);
    ASSERT_TRUE(Until([] { return ImportPage() != nullptr; }));
    EXPECT_EQ(ImportPage()->findChild<QLabel*>("ImportContextLabel")->text(), "Team set");
    const QStringList rows = PageRows();
    EXPECT_TRUE(rows.contains("[ ] * zq1") && rows.contains("[ ] * zq2")) << rows.join(" | ").toStdString();
    ImportPage()->SelectAll();
    ImportPage()->findChild<QPushButton*>("ImExOKButton")->click();
    EXPECT_EQ(script.asked, 2);
    EXPECT_TRUE(Toast("Imported 1 keywords."));
    EXPECT_EQ(Ini().count("keywords=zq1"), 2) << Ini().toStdString();
    EXPECT_EQ(Ini().count("keywords=zq2"), 1);
}

// Acts on the settings dialog once it is up, then closes it with OK (or Cancel when `cancel`).
void AnswerSetup(QTimer& timer, const std::function<void(QDialog&)>& act, bool cancel = false) {
    QObject::connect(&timer, &QTimer::timeout, [&timer, act, cancel] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != QLatin1String("SetupForm"))
            return;
        timer.stop();
        act(*dialog);
        cancel ? dialog->reject() : dialog->accept();
    });
    timer.start(20);
}

QString CurrentTab(QDialog& d) {
    auto* tabs = d.findChild<QTabWidget*>();
    return tabs->tabText(tabs->currentIndex());
}

TEST_F(ProgramTest, TheBrowserPageListsTheKeywordsWithConnectPermissionsAndAClickEditsOneAndAutoApplyIsOneChoice) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.keywords.Add(MakeNewKeyword("zplain", "cmd-plain", QString()));
        user.keywords.Add(MakeNewKeyword("zweb", "cmd-web", QString())).permissionlevel = 2;
    }));
    ASSERT_EQ(Start(), -1);
    QStringList entries;
    QString tab, edited;
    bool pageAutoApply = false, editorAutoApply = false;
    QTimer timer;
    AnswerSetup(timer, [&](QDialog& d) {
        auto* pages = d.findChild<QListWidget*>("SettingsPages");
        d.findChild<QTabWidget*>()->setCurrentIndex(1);
        pages->setCurrentItem(pages->findItems("Internal browser and start page", Qt::MatchExactly).value(0));
        auto* list = d.findChild<QListWidget*>("PermissionList");
        for (int i = 0; i < list->count(); ++i)
            entries << list->item(i)->text();
        if (list->count() > 0)
            list->itemClicked(list->item(0));
        tab = CurrentTab(d);
        edited = d.findChild<QLineEdit*>("KeywordsEdit")->text();
        // "Auto apply" is one choice shown on the settings page and in the editor.
        auto* pageBox = d.findChild<QCheckBox*>("autoapply");
        pageAutoApply = pageBox->isChecked();
        pageBox->click();
        editorAutoApply = d.findChild<QCheckBox*>("AutoApplyBox")->isChecked();
    });
    Action("Settings...")->trigger();
    EXPECT_EQ(entries, QStringList{"zweb (2)"});
    EXPECT_EQ(editorAutoApply, !pageAutoApply) << "the editor's box follows the settings page's";
    EXPECT_EQ(tab, "Keywords");
    EXPECT_EQ(edited, "zweb");
}

TEST_F(ProgramTest, EveryEntryPointOpensTheSettingsDialogOnItsPageAndOkWritesTheFile) {
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    QList<QAction*> settings, keywords;
    for (QAction* a : Form().findChildren<QAction*>()) {
        if (a->text() == "Settings...")
            settings << a;
        if (a->text() == "Keywords...")
            keywords << a;
    }
    ASSERT_EQ(settings.size(), 2); // the input window's menu and the tray's
    ASSERT_EQ(keywords.size(), 2);
    struct Entry {
        std::function<void()> open;
        const char* tab;
    };
    const Entry entries[] = {
        {[&] { settings[0]->trigger(); }, "Settings"},
        {[&] { settings[1]->trigger(); }, "Settings"},
        {[&] { keywords[0]->trigger(); }, "Keywords"},
        {[&] { keywords[1]->trigger(); }, "Keywords"},
        {[&] { Retype("-k"), Press(Qt::Key_Return); }, "Keywords"},
        {[&] { Retype("-settings"), Press(Qt::Key_Return); }, "Settings"},
        {[&] { Retype("-about"), Press(Qt::Key_Return); }, "About"},
    };
    for (const Entry& e : entries) {
        QTimer timer;
        QString shown;
        AnswerSetup(timer, [&](QDialog& d) { shown = CurrentTab(d); }, true);
        e.open();
        EXPECT_TRUE(Until([&] { return !shown.isEmpty(); })) << e.tab;
        EXPECT_EQ(shown, e.tab);
    }

    // Through the generated controls: a box, a number field that does not parse, an inverse box.
    QTimer timer;
    AnswerSetup(timer, [](QDialog& d) {
        d.findChild<QCheckBox*>("hide")->click();
        auto* history = d.findChild<QLineEdit*>("maxhistory");
        history->selectAll();
        QTest::keyClick(history, Qt::Key_Backspace);
        d.findChild<QCheckBox*>("listfixedsize")->click();
        d.findChild<QCheckBox*>("startf1")->click();
    });
    settings[0]->trigger();
    ASSERT_TRUE(Until([&] { return Ini().contains("maxhistory=50"); }));
    const QString ini = Ini();
    EXPECT_TRUE(ini.contains("hide=1"));
    EXPECT_TRUE(ini.contains("listfixedsize=0"));
    // The running program follows at once: F1 now belongs to the start page.
    EXPECT_EQ(Action("Help")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
}

TEST_F(ProgramTest, TheKeywordEditorAddsAndEditsKeywordsAndDeleteCanBeUndone) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.keywords.Add(MakeNewKeyword("zk", "ztool", QString()));
        user.keywords.Add(MakeNewKeyword("zgone", "ztool", QString()));
    }));
    ASSERT_EQ(Start(), -1);
    Type("zk");
    QTimer timer;
    QString selected;
    AnswerSetup(timer, [&](QDialog& d) {
        selected = d.findChild<QLineEdit*>("KeywordsEdit")->text(); // the line's keyword
        auto* view = d.findChild<QTableView*>("KeyWordListView");
        // The list's pop-up menu items, as their keys (Insert, Del, Ctrl+Z) trigger them.
        auto item = [&](const char* text) {
            for (QAction* a : view->actions())
                if (a->text() == QLatin1String(text))
                    return a;
            ADD_FAILURE() << text;
            return new QAction(view);
        };
        item("Add")->trigger();
        auto* name = d.findChild<QLineEdit*>("KeywordsEdit");
        name->selectAll();
        QTest::keyClicks(name, "znew");
        QTest::keyClicks(d.findChild<QLineEdit*>("CommandEdit"), "ztool --fresh");
        item("Add")->trigger(); // a second new record left as it is goes at the close
        EXPECT_EQ(view->model()->rowCount(), 4);
        auto* filter = d.findChild<QLineEdit*>("FilterEdit");
        QTest::keyClicks(filter, "zgone");
        view->selectRow(0);
        item("Delete")->trigger();
        EXPECT_EQ(view->model()->rowCount(), 0);
        item("Undo Delete")->trigger();
        EXPECT_EQ(view->model()->rowCount(), 1);
        view->selectRow(0);
        item("Delete")->trigger();
        filter->clear();
    });
    Action("Keywords...")->trigger();
    ASSERT_TRUE(Until([&] { return Ini().contains("keywords=znew"); }));
    EXPECT_EQ(selected, "zk");
    const QString ini = Ini();
    EXPECT_TRUE(ini.contains("command=ztool --fresh"));
    EXPECT_FALSE(ini.contains("zgone"));
    EXPECT_FALSE(ini.contains("new..."));
}

TEST_F(ProgramTest, RulesKeywordRewritesTheClipboard) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.keywords.Add(MakeNewKeyword("zrules", "$TEXTREGEX$", "s/\\s+$//||^#.*"));
    }));
    ASSERT_EQ(Start(), -1);
    QGuiApplication::clipboard()->setText("keep  \n# drop\nend");
    Type("zrules");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([] { return QGuiApplication::clipboard()->text() == "keep\n\nend"; }))
        << QGuiApplication::clipboard()->text().toStdString();
}

TEST_F(ProgramTest, TheEditorTheUserLeftGetsTheKeyboardBackUnlessTheShowClearsTheInput) {
    struct Case {
        bool clearlast, holdtext, editorBack;
    } cases[] = {{false, false, true}, {true, false, false}, {true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "clearlast " << c.clearlast << " holdtext " << c.holdtext);
        ASSERT_TRUE(WriteData([&c](TUserData& user) {
            user.settings.hide = false;
            user.settings.clearlast = c.clearlast;
            user.settings.holdtext = c.holdtext;
            user.keywords.Add(MakeNewKeyword("zed", "$EDIT$", ""));
        }));
        ASSERT_EQ(Start(), -1);
        qint64 clock = 1000000;
        Form().SetElapsedClock([&clock] { return clock; });
        Type("zed draft");
        Press(Qt::Key_Return);
        TCmdForm* list = Form().CmdForm();
        ASSERT_TRUE(Until([list] { return list->EditorVisible(); }));
        list->activateWindow();
        list->MultiEdit()->setFocus();
        ASSERT_TRUE(Until([list] { return QApplication::focusWidget() == list->MultiEdit(); }));

        clock += 1000;
        Form().AppDeactivate(); // another program took the keyboard
        clock += 1000;
        Form().HotkeyPressed(0);
        // The activations the show asked for arrive as window-system events.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        QWidget* expected = c.editorBack ? static_cast<QWidget*>(list->MultiEdit()) : Form().WordEdit();
        EXPECT_EQ(QApplication::focusWidget(), expected);

        // The target is used up: the next summons goes to the line.
        Form().WordEdit()->setFocus();
        clock += 1000;
        Form().HotkeyPressed(0);
        EXPECT_TRUE(Until([this] { return QApplication::focusWidget() == Form().WordEdit(); }));
        app.reset();
    }
}

TEST_F(ProgramTest, AnOpenQuestionStaysInFrontOfTheSummonedWindow) {
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    qint64 clock = 1000000;
    Form().SetElapsedClock([&clock] { return clock; });
    QMessageBox question(QMessageBox::Question, "Question", "Keep it?", QMessageBox::Yes | QMessageBox::No);
    question.setWindowModality(Qt::ApplicationModal);
    question.show();
    ASSERT_TRUE(Until([&question] { return QApplication::activeWindow() == &question; }));
    Form().ManageShowHide(false, false, TShowLock::Hotkey);
    clock += 1000;
    Form().ManageShowHide(true, false, TShowLock::Hotkey);
    EXPECT_TRUE(Form().isVisible());
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &question);

    // A notice that asks nothing never takes the keys typed into the summoned window.
    question.hide();
    QMessageBox notice(QMessageBox::Information, "Notice", "Done.");
    notice.setModal(false);
    notice.show();
    ASSERT_TRUE(Until([&notice] { return QApplication::activeWindow() == &notice; }));
    clock += 1000;
    Form().HotkeyPressed(0);
    EXPECT_TRUE(Until([this] { return QApplication::focusWidget() == Form().WordEdit(); }));
}

TEST_F(ProgramTest, SwitchingAwayFromTheSettingsDialogLeavesTheWindowsAsTheyAre) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.infoenabled = true; }));
    ASSERT_EQ(Start(), -1);
    qint64 clock = 1000000;
    Form().SetElapsedClock([&clock] { return clock; });
    bool infoAfterLoss = true;
    QTimer timer;
    AnswerSetup(timer, [&](QDialog&) {
        clock += 1000;
        Form().AppDeactivate();
        infoAfterLoss = Form().IdleInfo()->IsUp();
    }, true);
    Retype("-settings");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([&] { return !timer.isActive(); }));
    EXPECT_FALSE(infoAfterLoss);
    clock += 1000;
    Form().AppDeactivate(); // without the dialog, the loss puts the information up
    EXPECT_TRUE(Form().IdleInfo()->IsUp());
}

TEST_F(ProgramTest, DownDuringTheListDelayActsOnTheListOfTheLineAsItIsNow) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.settings.autodelay = 60000;
        user.keywords.Add(MakeNewKeyword("zalpha", "echo", ""));
        user.keywords.Add(MakeNewKeyword("zbeta", "echo", ""));
        user.keywords.Add(MakeNewKeyword("zbetamax", "echo", ""));
    }));
    ASSERT_EQ(Start(), -1);
    Type("za");
    Press(Qt::Key_Down); // into the list at once: it shows "za"'s rows
    ASSERT_TRUE(Until([this] { return ListTexts().contains("zalpha"); })) << ListTexts().join('|').toStdString();
    Retype("zb"); // the delay has not passed: the rows are still those of "za"
    ASSERT_TRUE(ListTexts().contains("zalpha"));
    Press(Qt::Key_Down);
    const TCmdForm& list = *Form().CmdForm();
    ASSERT_GE(list.Selected(), 0) << ListTexts().join("|").toStdString();
    EXPECT_TRUE(list.Row(list.Selected()).text.startsWith("zbeta")) << ListTexts().join('|').toStdString();
}

// The notes window once it shows.
TNotesForm* VisibleNotes() {
    TNotesForm* notes = nullptr;
    Until([&notes] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* n = qobject_cast<TNotesForm*>(w); n && n->isVisible())
                notes = n;
        return notes != nullptr;
    });
    return notes;
}

// The notes file's text, "<bom>" standing for its byte-order mark.
QString NotesFile(const QString& data, const QString& name = QStringLiteral("notes.txt")) {
    const QByteArray bytes = test::ReadAll(data + name);
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    return (bom ? QStringLiteral("<bom>") : QString()) + QString::fromUtf8(bytes.mid(bom ? 3 : 0));
}

TEST_F(ProgramTest, NotesCommandsAddLinesAndSaveWithoutShowingTheWindow) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.keywords.Add(MakeNewKeyword("znote", "$NOTES$", ""));
        user.keywords.Add(MakeNewKeyword("zallclips", "$ALLCLIPBOARDTONOTES$", ""));
    }));
    ASSERT_EQ(Start(), -1);
    Type("znote buy milk");
    Press(Qt::Key_Return);
    ASSERT_TRUE(Until([this] { return Form().Line().text == "Notes updated"; })) << Form().Line().text.toStdString();
    EXPECT_EQ(test::ReadAll(data + "notes.txt"), QByteArray("\xEF\xBB\xBF" "buy milk"));
    Retype("-n call Anna");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([this] { return NotesFile(data) == QStringLiteral("<bom>call Anna\r\nbuy milk"); }))
        << NotesFile(data).toStdString();
    QWidget* window = Form().findChild<QWidget*>("NotesForm");
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "NotesForm")
            window = w;
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());

    // The clipboard history, newest first, each entry on top of the one before.
    QGuiApplication::clipboard()->setText("older copy");
    QGuiApplication::clipboard()->setText("newer copy");
    Retype("zallclips");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([this] { return NotesFile(data).startsWith(QStringLiteral("<bom>older copy\r\nnewer copy\r\ncall Anna")); }))
        << NotesFile(data).toStdString();
}

TEST_F(ProgramTest, TheNotesWindowSavesItsTextAndPlaceAndUndoBringsBackTheStart) {
    test::WriteAll(data + "notes.txt", "\xEF\xBB\xBF" "first\r\nsecond");
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.notesaddbottom = true; }));
    ASSERT_EQ(Start(), -1);
    Action("Notes")->trigger();
    TNotesForm* notes = VisibleNotes();
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->Text(), "first\nsecond");
    EXPECT_EQ(notes->windowTitle(), "Notes (Vantrelo)");
    notes->Memo()->setPlainText("first\nsecond\nthird");
    notes->close(); // closing hides and saves
    EXPECT_FALSE(notes->isVisible());
    EXPECT_EQ(NotesFile(data), QStringLiteral("<bom>first\r\nsecond\r\nthird"));

    notes->SetConfirm([](const QString& q) { return q == "Do you want to restore notes from last Vantrelo startup?"; });
    notes->findChild<QPushButton*>("Button1")->click();
    EXPECT_EQ(notes->Text(), "first\nsecond");

    // The find box: F3 steps through the matches.
    auto* find = notes->findChild<QLineEdit*>("FindEdit");
    find->setText("SEC");
    QTest::keyClick(find, Qt::Key_F3);
    EXPECT_EQ(notes->Result(), "Found, and no more results found.");
    EXPECT_EQ(notes->Memo()->textCursor().position(), 6);

    notes->move(123, 77);
    app->Shutdown();
    app.reset();
    EXPECT_TRUE(Ini().contains(QRegularExpression("notessizepos=\\d+,\\d+,\\d+,\\d+"))) << Ini().toStdString();
}

TEST_F(ProgramTest, AnotherProgramsChangeToTheNotesFileReachesTheWindowAndNeverEatsUnsavedText) {
    test::WriteAll(data + "notes.txt", "\xEF\xBB\xBF" "mine");
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.notesmonitor = true; }));
    ASSERT_EQ(Start(), -1);
    Action("Notes")->trigger();
    TNotesForm* notes = VisibleNotes();
    ASSERT_NE(notes, nullptr);
    test::WriteAll(data + "notes.txt", "\xEF\xBB\xBF" "from elsewhere");
    EXPECT_TRUE(Until([notes] { return notes->Text() == "from elsewhere"; })) << notes->Text().toStdString();

    // The user types; another change arrives: the typed text stays, and the other one is kept aside.
    notes->Memo()->setPlainText("typed by me");
    test::WriteAll(data + "notes.txt", "\xEF\xBB\xBF" "second change");
    EXPECT_TRUE(Until([notes] { return notes->Result().contains("changed by another program"); }));
    EXPECT_EQ(notes->Text(), "typed by me");
    notes->close();
    EXPECT_EQ(NotesFile(data), QStringLiteral("<bom>typed by me"));
    EXPECT_EQ(NotesFile(data, "notes.txt.other"), QStringLiteral("<bom>second change"));
}

TEST_F(ProgramTest, TheMonitorTheClipboardCaptureAndThePriorityFollowTheDialogAtOnce) {
    test::WriteAll(data + "notes.txt", "\xEF\xBB\xBF" "mine");
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.settings.notesmonitor = false;
        user.settings.clipboardsniffer = false;
        user.settings.clipboardhours = 5;
        user.keywords.Add(MakeNewKeyword("zclips", "$CLIPBOARD$", ""));
    }));
    ASSERT_EQ(Start(), -1);
    Action("Notes")->trigger();
    TNotesForm* notes = VisibleNotes();
    ASSERT_NE(notes, nullptr);
    QTimer timer;
    AnswerSetup(timer, [](QDialog& d) {
        d.findChild<QCheckBox*>("notesmonitor")->setChecked(true);
        d.findChild<QCheckBox*>("clipboardsniffer")->setChecked(true);
        auto* priority = d.findChild<QComboBox*>("priority");
        // As the user picks it: the choice is taken from the activation.
        priority->setCurrentIndex(priority->findText("High"));
        emit priority->activated(priority->currentIndex());
    });
    Action("Settings...")->trigger();
    ASSERT_TRUE(Until([&timer] { return !timer.isActive(); }));

    test::WriteAll(data + "notes.txt", "\xEF\xBB\xBF" "from elsewhere");
    EXPECT_TRUE(Until([notes] { return notes->Text() == "from elsewhere"; })) << notes->Text().toStdString();
    QGuiApplication::clipboard()->setText("copied after OK");
    Retype("zclips");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([this] { return ListTexts().contains("copied after OK"); })) << ListTexts().join('|').toStdString();
    // Raising the priority needs privileges: as root it is set, otherwise the failure is said.
    if (::geteuid() == 0) {
        EXPECT_EQ(::getpriority(PRIO_PROCESS, 0), -5);
        ::setpriority(PRIO_PROCESS, 0, 0);
    }
    notes->close();
}

TEST_F(ProgramTest, EnterOnASpecialListKeywordShowsItsList) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.keywords.Add(MakeNewKeyword("zclips", "$CLIPBOARD$", "")); }));
    ASSERT_EQ(Start(), -1);
    QGuiApplication::clipboard()->setText("alpha copy");
    Type("zclips");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([this] { return ListTexts().contains("alpha copy"); })) << ListTexts().join('|').toStdString();
    EXPECT_FALSE(ListTexts().contains("zclips")) << "the keyword list instead of the clipboard";
}

TEST_F(ProgramTest, TheSettingsClearButtonEmptiesTheClipboardHistory) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.clipboardhours = 5; }));
    ASSERT_EQ(Start(), -1);
    QGuiApplication::clipboard()->setText("secret one");
    QGuiApplication::clipboard()->setText("secret two");
    QTimer timer;
    AnswerSetup(timer, [](QDialog& d) {
        auto* clear = d.findChild<QPushButton*>("clipboardhours.button");
        ASSERT_NE(clear, nullptr);
        EXPECT_EQ(clear->text(), "Clear");
        clear->click();
    }, true);
    Retype("-settings");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([] { return ShownMessage() == "Vantrelo's clipboard history cleared from memory and disk (2 items)."; }))
        << ShownMessage().toStdString();
    EXPECT_FALSE(QFileInfo::exists(data + "c.dat"));
}

TEST_F(ProgramTest, SaveClipboardWritesTheTextAndThePictureToTheChosenFiles) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.keywords.Add(MakeNewKeyword("zsave", "$SAVECLIPBOARD$", "")); }));
    ASSERT_EQ(Start(), -1);
    auto owned = std::make_unique<test::TScriptedDialogs>();
    test::TScriptedDialogs& dialogs = *owned;
    Form().CmdForm()->SetDialogs(std::move(owned));
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    auto* both = new QMimeData;
    both->setText("one\ntwo");
    both->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(both);

    dialogs.saveAs = {dir.File("clip.txt"), dir.File("clip.gif")};
    Type("zsave");
    Press(Qt::Key_Return);
    ASSERT_TRUE(Until([&dialogs] { return dialogs.asked.size() == 2; })) << dialogs.asked.join('\n').toStdString();
    EXPECT_TRUE(dialogs.asked[0].startsWith("Save clipboard text | Text files (*.txt) | saveclipboard_"));
    EXPECT_EQ(dialogs.asked[1].section(" | ", 0, 0), "Save clipboard image");
    EXPECT_EQ(dialogs.asked[1].section(" | ", 2), dir.File("clip")) << "the text's name, without its extension";
    EXPECT_EQ(test::ReadAll(dir.File("clip.txt")), QByteArray("\xEF\xBB\xBF" "one\r\ntwo"));
    EXPECT_TRUE(Until([] { return ShownMessage() == "Unsupported extension: .gif"; })) << ShownMessage().toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.File("clip.gif")));

    dialogs.saveAs = {QString(), dir.File("clip.jpg")}; // the text's dialog cancelled
    Retype("zsave");
    Press(Qt::Key_Return);
    ASSERT_TRUE(Until([&dialogs] { return dialogs.asked.size() == 4; }));
    QImage back(dir.File("clip.jpg"));
    EXPECT_EQ(back.size(), QSize(8, 6));
}

// The visible pop-up menu's entry with `text`, once there is one.
QAction* VisibleMenuEntry(const QString& text) {
    QAction* found = nullptr;
    Until([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* menu = qobject_cast<QMenu*>(w); menu && menu->isVisible())
                for (QAction* a : menu->actions())
                    if (a->text() == text)
                        found = a;
        return found != nullptr;
    });
    return found;
}

TEST_F(ProgramTest, RulesKeywordsAppearInTheEditorsAndTheClipboardRowsMenus) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        auto rules = MakeNewKeyword("ztrim", "$TEXTREGEX$", "s/ +$//||^#.*");
        rules->comment = "tidy";
        user.keywords.Add(std::move(rules));
        user.keywords.Add(MakeNewKeyword("zed", "$EDIT$", ""));
        user.keywords.Add(MakeNewKeyword("zclips", "$CLIPBOARD$", ""));
    }));
    ASSERT_EQ(Start(), -1);
    const QString caption = "RegEx: ztrim -> s/ +$//||^#.* (tidy)";

    Type("zed");
    Press(Qt::Key_Return);
    TCmdForm* list = Form().CmdForm();
    ASSERT_TRUE(Until([list] { return list->EditorVisible(); }));
    list->MultiEdit()->setPlainText("keep   \n# drop\nend");
    list->Editor()->ShowMenu();
    QAction* inEditor = VisibleMenuEntry(caption);
    ASSERT_NE(inEditor, nullptr);
    inEditor->trigger();
    EXPECT_EQ(list->EditorText(), "keep\n\nend");
    list->MultiEdit()->undo();
    EXPECT_EQ(list->EditorText(), "keep   \n# drop\nend") << "one step to undo";
    list->CloseEditor();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* menu = qobject_cast<QMenu*>(w))
            menu->hide();

    QGuiApplication::clipboard()->setText("# note  ");
    QGuiApplication::clipboard()->setText("other");
    Retype("zclips");
    ASSERT_TRUE(Until([this] { return ListTexts().contains("# note  "); })) << ListTexts().join('|').toStdString();
    const int row = int(ListTexts().indexOf("# note  "));
    TEntryList* entries = list->EntryList();
    const QPoint at(entries->width() / 2, row * entries->RowHeight() + entries->RowHeight() / 2);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, entries->mapToGlobal(at));
    QCoreApplication::sendEvent(entries, &click);
    QAction* inRow = VisibleMenuEntry(caption);
    ASSERT_NE(inRow, nullptr);
    const QList<QAction*> order = qobject_cast<QMenu*>(inRow->parent())->actions();
    EXPECT_LT(order.indexOf(inRow), order.indexOf(VisibleMenuEntry("Remove")));
    inRow->trigger();
    EXPECT_TRUE(Until([] { return QGuiApplication::clipboard()->text() == ""; }))
        << QGuiApplication::clipboard()->text().toStdString();
}

TEST_F(ProgramTest, ANewNotesLocationFromTheSettingsShowsThatFileAndWritesOverNothing) {
    test::WriteAll(data + "notes.txt", "\xEF\xBB\xBF" "default notes");
    test::WriteAll(dir.File("other.txt"), "\xEF\xBB\xBF" "other notes");
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    Action("Notes")->trigger();
    TNotesForm* notes = VisibleNotes();
    ASSERT_NE(notes, nullptr);
    notes->Memo()->setPlainText("default notes, edited");
    QTimer timer;
    const QString other = dir.File("other.txt");
    AnswerSetup(timer, [&other](QDialog& d) {
        d.findChild<QCheckBox*>("noteslocation.default")->setChecked(false);
        auto* edit = d.findChild<QLineEdit*>("noteslocation");
        edit->setText(other);
        emit edit->textEdited(other);
    });
    Retype("-settings");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([notes] { return notes->Text() == "other notes"; })) << notes->Text().toStdString();
    EXPECT_EQ(NotesFile(data), "<bom>default notes, edited") << "the edits stay where they were made";
    EXPECT_EQ(NotesFile(dir.Path(), "other.txt"), "<bom>other notes");
}

TEST_F(ProgramTest, TheImportAddressTestButtonMergesAtOnceAndTheOpenEditorShowsIt) {
    ASSERT_TRUE(WriteData());
    const auto shared = MakeNewKeyword("zshared", "xdg-open https://example.org", "");
    test::WriteAll(dir.File("team.exc"), FormatExportFile({shared.get()}, TExportOptions{}));
    ASSERT_EQ(Start(), -1);
    const QString file = dir.File("team.exc");
    int rowsBefore = -1, rowsAfter = -1;
    QTimer timer;
    AnswerSetup(timer, [&](QDialog& d) {
        auto* view = d.findChild<QTableView*>("KeyWordListView");
        rowsBefore = view->model()->rowCount();
        auto* edit = d.findChild<QLineEdit*>("importurl");
        edit->setText(file);
        emit edit->textEdited(file);
        auto* test = d.findChild<QPushButton*>("importurl.button");
        ASSERT_NE(test, nullptr);
        EXPECT_EQ(test->text(), "Test");
        test->click();
        rowsAfter = view->model()->rowCount();
    });
    Retype("-settings");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([] { return ShownMessage() == "Imported 1 keywords."; })) << ShownMessage().toStdString();
    EXPECT_EQ(rowsAfter, rowsBefore + 1) << "the open editor lists the imported keyword";
    EXPECT_TRUE(Until([this] { return Ini().contains("keywords=zshared"); }));
    EXPECT_TRUE(Ini().contains("importurl=" + file)) << "the address tested is kept";
}

struct TScriptedNotesDialogs final : TNotesDialogs {
    QString file;
    std::optional<TNotesMove> move;
    QString ChooseFile(QWidget*, const QString&) override { return file; }
    std::optional<TNotesMove> AskMove(QWidget*) override { return move; }
};

TEST_F(ProgramTest, ChangingTheNotesLocationMergesTheNotesIntoTheChosenFile) {
    test::WriteAll(data + "notes.txt", "\xEF\xBB\xBF" "a");
    test::WriteAll(dir.File("chosen.txt"), "\xEF\xBB\xBF" "b");
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    auto dialogs = std::make_unique<TScriptedNotesDialogs>();
    dialogs->file = dir.File("chosen.txt");
    dialogs->move = TNotesMove::Merge;
    app->SetNotesDialogs(std::move(dialogs));
    Action("Notes")->trigger();
    TNotesForm* notes = VisibleNotes();
    ASSERT_NE(notes, nullptr);
    QString shown;
    QTimer timer;
    AnswerSetup(timer, [&shown](QDialog& d) {
        d.findChild<QPushButton*>("noteslocation.button")->click();
        shown = d.findChild<QLineEdit*>("noteslocation")->text();
    });
    Retype("-settings");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([&shown] { return !shown.isEmpty(); }));
    EXPECT_EQ(shown, dir.File("chosen.txt"));
    EXPECT_EQ(NotesFile(dir.Path(), "chosen.txt"), "<bom>a\r\n\r\nb");
    EXPECT_EQ(notes->Text(), "a\n\nb");
    EXPECT_EQ(NotesFile(data), "<bom>a") << "the old file stays";
    EXPECT_TRUE(Until([this] { return Ini().contains("noteslocation=" + dir.File("chosen.txt")); })) << Ini().toStdString();
}

TEST_F(ProgramTest, ResetWindowPositionPutsTheNotesBesideTheInputWindow) {
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    Action("Notes")->trigger();
    TNotesForm* notes = VisibleNotes();
    ASSERT_NE(notes, nullptr);
    const QPoint home = notes->pos();
    notes->move(home + QPoint(123, 45));
    QTimer timer;
    AnswerSetup(timer, [](QDialog& d) { d.findChild<QPushButton*>("notessizepos.button")->click(); });
    Retype("-settings");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([&] { return notes->pos() == home; })) << notes->x() << "," << notes->y();
}

TEST_F(ProgramTest, ADesktopEntryGivenToTheProgramProposesItsNameAndTarget) {
    ASSERT_TRUE(WriteData());
    const QString entry = dir.File("Desktop/editor.desktop");
    test::WriteAll(entry, ("[Desktop Entry]\nType=Application\nName=Text Editor\nExec=" + tool + " --new %F\n").toUtf8());
    // The keyword editor opens on a new keyword filled from the entry; OK keeps it.
    QTimer timer;
    QStringList fields;
    AnswerSetup(timer, [&](QDialog& d) {
        for (const char* name : {"KeywordsEdit", "CommandEdit", "ParametersEdit", "CommentEdit"})
            fields << d.findChild<QLineEdit*>(name)->text();
    });
    ASSERT_EQ(Start({entry}), -1);
    EXPECT_TRUE(Until([&] { return !fields.isEmpty(); }));
    EXPECT_EQ(fields, QStringList({"texteditor", tool, "--new $P$", "Text Editor"}));
    EXPECT_TRUE(Until([this] { return Ini().contains("keywords=texteditor"); })) << Ini().toStdString();
}

TEST_F(ProgramTest, AFileDroppedOnTheInputWindowOrTheKeywordListBecomesAKeyword) {
    ASSERT_TRUE(WriteData());
    ASSERT_EQ(Start(), -1);
    const QString doc = dir.File("Quarterly Report.txt");
    test::WriteAll(doc, "numbers");
    auto drop = [](QWidget* target, const QString& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    };
    QTimer timer;
    QString name, command;
    bool accepted = false;
    AnswerSetup(timer, [&](QDialog& d) {
        name = d.findChild<QLineEdit*>("KeywordsEdit")->text();
        command = d.findChild<QLineEdit*>("CommandEdit")->text();
        // A second file dropped on the list while the editor is open adds one more keyword.
        const QString other = dir.File("Tools/backup.sh");
        test::WriteAll(other, "#!/bin/sh\n");
        accepted = drop(d.findChild<QTableView*>("KeyWordListView")->viewport(), other);
    });
    ASSERT_TRUE(drop(Form().findChild<QLineEdit*>("WordEdit"), doc));
    EXPECT_EQ(name, "quarterlyreport");
    EXPECT_EQ(command, doc);
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(Until([this] { return Ini().contains("keywords=backup"); })) << Ini().toStdString();
    EXPECT_TRUE(Ini().contains("keywords=quarterlyreport")) << Ini().toStdString();
}

TEST_F(ProgramTest, TheEditorExportsItsSelectionAndImportsADroppedFileOnThePageThatTakesTheTabsPlace) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.keywords.Add(MakeNewKeyword("zq1", "cmd-one", QString()));
        user.keywords.Add(MakeNewKeyword("zq2", "cmd-two", QString()));
    }));
    ASSERT_EQ(Start(), -1);
    auto dialogs = std::make_unique<TScriptedImportDialogs>();
    TScriptedImportDialogs& script = *dialogs;
    app->SetImportDialogs(std::move(dialogs));
    const QString file = dir.File("mine.exc");
    script.file = file;
    QStringList seen;
    auto tabs = [](QDialog& d) {
        QStringList shown;
        auto* t = d.findChild<QTabWidget*>();
        for (int i = 0; i < t->count(); ++i)
            if (t->isTabVisible(i))
                shown << t->tabText(i);
        return shown.join(',');
    };
    auto menuAction = [](QDialog& d, const QString& text) {
        for (QAction* a : d.findChild<QTableView*>("KeyWordListView")->actions())
            if (a->text() == text)
                return a;
        return static_cast<QAction*>(nullptr);
    };
    QTimer timer;
    AnswerSetup(timer, [&](QDialog& d) {
        auto* view = d.findChild<QTableView*>("KeyWordListView");
        const int row = int(view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, "zq2").value(0).row());
        view->selectRow(row);
        menuAction(d, "Export Currently Selected Keyword(s)...")->trigger();
        seen << tabs(d) << PageRows().join('|');
        ImportPage()->findChild<QPushButton*>("ImExOKButton")->click();
        seen << tabs(d);
        // The file dropped back on the list: "* zq2" exists and starts unchecked.
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &enter);
        QApplication::sendEvent(view->viewport(), &dropped);
        seen << tabs(d) << PageRows().join('|');
        // Left open, the page goes back to its own window when the dialog closes.
    });
    Action("Keywords...")->trigger();
    ASSERT_EQ(seen.size(), 5) << seen.join(" / ").toStdString();
    EXPECT_EQ(seen[0], "Import/Export words");
    EXPECT_EQ(seen[1], "[x] zq2");
    EXPECT_EQ(seen[2], "Keywords,Settings,About");
    EXPECT_EQ(seen[3], "Import/Export words");
    EXPECT_EQ(seen[4], "[ ] * zq2");
    EXPECT_TRUE(test::ReadAll(file).contains("keywords=zq2"));
    EXPECT_FALSE(test::ReadAll(file).contains("keywords=zq1"));
    EXPECT_FALSE(ImportPage()) << "the dialog's end cancels the page";
}

// Answers the modal dialogs that come up, in turn: each step is offered the active modal widget
// and returns true when it has dealt with it.
class TDialogScript {
public:
    using Step = std::function<bool(QWidget*)>;
    explicit TDialogScript(std::vector<Step> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            // A dialog is answered once while it stays in front (the next one may be made at the
            // same address); one that comes to the front again may be answered again.
            QWidget* modal = QApplication::activeModalWidget();
            if (last_ && modal != last_) {
                last_->setProperty("scripted", false);
                last_ = nullptr;
            }
            if (!modal || modal->property("scripted").toBool() || steps_.empty() || !steps_.front()(modal))
                return;
            modal->setProperty("scripted", true);
            last_ = modal;
            steps_.erase(steps_.begin());
        });
        timer_.start(20);
    }
    bool Done() const { return steps_.empty(); }
    // Presses the message box's button of this caption.
    static Step Press(const QString& caption) {
        return [caption](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box)
                return false;
            for (QAbstractButton* b : box->buttons())
                if (b->text() == caption)
                    return b->click(), true;
            return false;
        };
    }
    // Accepts the dialog of this class, after `act`.
    template <class D>
    static Step Accept(std::function<void(D&)> act = {}) {
        return [act](QWidget* w) {
            auto* d = qobject_cast<D*>(w);
            if (!d)
                return false;
            if (act)
                act(*d);
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
            return true;
        };
    }

private:
    std::vector<Step> steps_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

TEST_F(ProgramTest, TheListWizardAndTheConfigurationWizardChangeTheSettingsFromTheDialog) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.maxvisible = 9; }));
    // The configuration wizard's look is the shipped skin.
    QDir().mkpath(dir.File("skins"));
    ASSERT_TRUE(QFile::copy(VANTRELO_SKINS "/scale_dark.skn", dir.File("skins/scale_dark.skn")));
    ASSERT_EQ(Start(), -1);
    QString page, rowsAsked, maxvisible;
    TDialogScript script({
        TDialogScript::Press(" Single "),
        TDialogScript::Press(" Continue "),
        TDialogScript::Accept<QFontDialog>(),
        TDialogScript::Accept<QInputDialog>([&](QInputDialog& d) {
            rowsAsked = d.labelText();
            d.setTextValue("15");
        }),
        // The dialog shows what the wizard chose; then the configuration wizard with compact rows.
        [&](QWidget* w) {
            auto* d = qobject_cast<QDialog*>(w);
            if (!d || d->objectName() != "SetupForm")
                return false;
            page = d->findChild<QListWidget*>("SettingsPages")->currentItem()->text();
            maxvisible = d->findChild<QLineEdit*>("maxvisible")->text();
            QMetaObject::invokeMethod(d->findChild<QPushButton*>("WizardButton"), "click", Qt::QueuedConnection);
            return true;
        },
        TDialogScript::Accept<QDialog>([](QDialog& d) { d.findChild<QRadioButton*>("RadioRow2")->setChecked(true); }),
        [](QWidget* w) {
            auto* d = qobject_cast<QDialog*>(w);
            if (!d || d->objectName() != "SetupForm" || d->findChild<QLineEdit*>("maxvisible")->text() != "22")
                return false;
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
            return true;
        },
    });
    Type("-skin list");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Until([&] { return script.Done(); }));
    EXPECT_EQ(page, "Look");
    EXPECT_TRUE(rowsAsked.startsWith("Number of list rows (currently 9, suggested ")) << rowsAsked.toStdString();
    EXPECT_EQ(maxvisible, "15");
    EXPECT_TRUE(Until([this] { return Ini().contains("maxvisible=22"); })) << Ini().toStdString();
    EXPECT_TRUE(Ini().contains("listrowheight=17"));
}

TEST_F(ProgramTest, AScanFolderIsAddedTestScannedAndSavedFromTheIndexPage) {
    ASSERT_TRUE(WriteData());
    for (const char* f : {"music/a.mp3", "music/b.mp3", "music/notes.txt", "music/deep/c.mp3"})
        test::WriteAll(dir.File(f), "x");
    ASSERT_EQ(Start(), -1);
    QString found, row, indexLabel, indexTitle;
    TDialogScript script({
        [&](QWidget* w) {
            auto* d = qobject_cast<QDialog*>(w);
            if (!d || d->objectName() != "SetupForm")
                return false;
            d->findChild<QListWidget*>("SettingsPages")->setCurrentRow(
                int(std::find(SetupPages().begin(), SetupPages().end(), QString("Index")) - SetupPages().begin()));
            indexLabel = d->findChild<QLabel*>("IndexLabel")->text();
            QMetaObject::invokeMethod(d->findChild<QLabel*>("IndexLabel"), "linkActivated", Qt::QueuedConnection,
                                      Q_ARG(QString, "#"));
            return true;
        },
        [&](QWidget* w) {
            auto* f = qobject_cast<TIndexItemForm*>(w);
            if (!f)
                return false;
            indexTitle = f->windowTitle() + "|" + f->findChild<QLabel*>("ItemsLabel")->text();
            QMetaObject::invokeMethod(f, "reject", Qt::QueuedConnection);
            return true;
        },
        [&](QWidget* w) {
            auto* d = qobject_cast<QDialog*>(w);
            if (!d || d->objectName() != "SetupForm")
                return false;
            QMetaObject::invokeMethod(d->findChild<QPushButton*>("ScanAddButton"), "click", Qt::QueuedConnection);
            return true;
        },
        [&](QWidget* w) {
            auto* f = qobject_cast<TIndexItemForm*>(w);
            if (!f)
                return false;
            f->findChild<QLineEdit*>("PathEdit")->setText(dir.File("music"));
            f->findChild<QLineEdit*>("ExtensionEdit")->setText("mp3");
            f->TestScan();
            // The answer comes from the worker; OK once it is in.
            auto* poll = new QTimer(f);
            QObject::connect(poll, &QTimer::timeout, f, [f, &found] {
                if (f->Scanning())
                    return;
                found = f->findChild<QLabel*>("ItemsLabel")->text();
                f->accept();
            });
            poll->start(20);
            return true;
        },
        [&](QWidget* w) {
            auto* d = qobject_cast<QDialog*>(w);
            if (!d || d->objectName() != "SetupForm")
                return false;
            auto* table = d->findChild<QTableWidget*>("ScanListView");
            row = table->rowCount() == 1 ? table->item(0, 0)->text() + "|" + table->item(0, 1)->text() : QString();
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
            return true;
        },
    });
    Action("Settings...")->trigger();
    EXPECT_TRUE(Until([&] { return script.Done(); }));
    EXPECT_TRUE(indexLabel.contains("Indexed items: ")) << indexLabel.toStdString();
    EXPECT_TRUE(indexTitle.startsWith("Indexed items|Items found: ")) << indexTitle.toStdString();
    EXPECT_TRUE(found.startsWith("Items found: 2 (scanned ")) << found.toStdString(); // depth 0: not "deep"
    EXPECT_EQ(row, dir.File("music") + "|mp3");
    EXPECT_TRUE(Until([this] { return Ini().contains("scandirs=\"" + dir.File("music") + "\",\"mp3\",\"0\"|"); }))
        << Ini().toStdString();
}

} // namespace
} // namespace vantrelo
