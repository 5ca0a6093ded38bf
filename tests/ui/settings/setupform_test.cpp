// The settings dialog's widgets offscreen: generated controls, the reset's question, the
// desktop-entry boxes, and the keyword page's hotkey capture.
#include "core/items.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "ui/settings/iconchoice.h"
#include "ui/settings/keywordpage.h"
#include "ui/settings/setupform.h"

#include "support/qtapp.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include "ui/settings/setupfields.h"
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QContextMenuEvent>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vantrelo {
namespace {

// Answers the next message box with `button`; `text` receives its text.
void AnswerBox(QTimer& timer, QMessageBox::StandardButton button, QString* text) {
    QObject::connect(&timer, &QTimer::timeout, [&timer, button, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer.stop();
        *text = box->text();
        box->button(button)->click();
    });
    timer.start(10);
}

TEST(SetupForm, IndexingTheMenusAlsoListsIndexedItems) {
    test::WidgetApp();
    TSettings s;
    s.scanwindowsitems = false;
    s.dropprograms = false;
    TSetupModel model;
    model.SetSettings(s);
    TSetupForm form(model, TSetupActions{}, "about");
    form.findChild<QCheckBox*>("scanwindowsitems")->click();
    model.GrabSettings(s);
    EXPECT_TRUE(s.scanwindowsitems);
    EXPECT_TRUE(s.dropprograms);
}

TEST(SetupForm, ResetAsksFirstAndOnlyYesResets) {
    test::WidgetApp();
    TSettings s;
    s.maxvisible = 5;
    TSetupModel model;
    model.SetSettings(s);
    TSetupActions actions;
    int resets = 0;
    actions.resetDefaults = [&] { return ++resets, TSettings{}; };
    TSetupForm form(model, actions, "about");
    auto* field = form.findChild<QLineEdit*>("maxvisible");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), "5");
    for (const auto& [answer, expected] : {std::pair{QMessageBox::No, "5"}, std::pair{QMessageBox::Yes, "12"}}) {
        QTimer timer;
        QString asked;
        AnswerBox(timer, answer, &asked);
        form.findChild<QPushButton*>("DefaultsButton")->click();
        EXPECT_EQ(asked, "Are you sure you want to set all settings to default ?");
        EXPECT_EQ(field->text(), expected);
    }
    EXPECT_EQ(resets, 1);
}

TEST(SetupForm, ADesktopEntryThatCannotBeMadeLeavesItsBoxAsItWas) {
    test::WidgetApp();
    TSetupModel model;
    model.SetSettings(TSettings{});
    TSetupActions actions;
    QStringList calls;
    actions.immediate = [&](const QString& key, bool on, QString* error) {
        calls << key + (on ? "+" : "-");
        *error = "read-only folder";
        return key == "sendtomenu";
    };
    TSetupForm form(model, actions, "about");
    QTimer timer;
    QString warned;
    AnswerBox(timer, QMessageBox::Ok, &warned);
    form.findChild<QCheckBox*>("autostart")->click();
    EXPECT_FALSE(form.findChild<QCheckBox*>("autostart")->isChecked());
    EXPECT_EQ(warned, "read-only folder");
    form.findChild<QCheckBox*>("sendtomenu")->click();
    EXPECT_TRUE(model.Value("sendtomenu").toBool());
    EXPECT_EQ(calls, QStringList({"autostart+", "sendtomenu+"}));
}

TEST(KeywordPage, HotkeyCaptureRegistersOnApplyAndKeepsThePreviousWhenTaken) {
    test::WidgetApp();
    TKeywordList words;
    words.Add(MakeNewKeyword("term", "xterm", QString()));
    TSettings s;
    s.autoapply = false;
    QStringList log;
    bool free = true;
    TKeywordPageHost host;
    host.hotkeys.add = [&](TExeWord& w) { return log << QString("add %1/%2").arg(w.key).arg(w.keymod), free; };
    host.hotkeys.remove = [&](TExeWord& w) { log << QString("remove %1").arg(w.key); };
    TKeywordPage page(words, s, host);
    page.SelectPosition(0);
    auto* field = page.findChild<QLineEdit*>("KHotkeyEdit");
    auto* apply = page.findChild<QPushButton*>("ApplyButton");
    // A plain letter is refused, Tab only moves on; Ctrl+Alt+T is taken, and registered on Apply.
    QTest::keyClick(field, Qt::Key_T);
    EXPECT_EQ(field->text(), "None");
    QTest::keyClick(field, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(field->text(), "ALT+CTRL+T");
    EXPECT_TRUE(log.isEmpty());
    apply->click();
    EXPECT_EQ(log, QStringList({"remove -1", "add 84/3"}));
    EXPECT_EQ(words.at(0).key, 84);
    // F7 alone is allowed, but the key is taken elsewhere: the old hotkey comes back.
    free = false;
    log.clear();
    QTest::keyClick(field, Qt::Key_F7);
    QTimer timer;
    QString warned;
    AnswerBox(timer, QMessageBox::Ok, &warned);
    apply->click();
    EXPECT_EQ(warned, "Unable to assign hotkey.");
    EXPECT_EQ(words.at(0).key, 84);
    EXPECT_EQ(words.at(0).keymod, 3);
    EXPECT_EQ(log, QStringList({"remove 84", "add 118/0", "add 84/3"}));
    EXPECT_EQ(field->text(), "ALT+CTRL+T");
    // "clear" beside the field lets the hotkey go on Apply.
    log.clear();
    page.findChild<QLabel*>("ClearHotkeyLabel")->linkActivated("#");
    EXPECT_EQ(field->text(), "None");
    apply->click();
    EXPECT_EQ(words.at(0).key, -1);
    EXPECT_EQ(log, QStringList({"remove 84"}));
}

TEST(KeywordPage, UnappliedEditsAreAppliedOrDroppedAsAnsweredWhenTheRowChanges) {
    test::WidgetApp();
    TKeywordList words;
    words.Add(MakeNewKeyword("a", "cmd-a", QString()));
    words.Add(MakeNewKeyword("b", "cmd-b", QString()));
    TSettings s;
    s.autoapply = false;
    TKeywordPage page(words, s, TKeywordPageHost{});
    auto* command = page.findChild<QLineEdit*>("CommandEdit");
    const std::pair<QMessageBox::StandardButton, const char*> answers[] = {{QMessageBox::No, "cmd-a"},
                                                                           {QMessageBox::Yes, "edited"}};
    for (const auto& [answer, expected] : answers) {
        page.SelectPosition(0);
        command->selectAll();
        QTest::keyClicks(command, "edited");
        EXPECT_EQ(words.at(0).command, "cmd-a"); // nothing reaches the record before Apply
        QTimer timer;
        QString asked;
        AnswerBox(timer, answer, &asked);
        page.findChild<QTableView*>("KeyWordListView")->selectRow(1); // the user picks another row
        EXPECT_EQ(asked, "Apply the changes to \"a\"?");
        EXPECT_EQ(words.at(0).command, expected);
        EXPECT_EQ(page.Edited(), &words.at(1));
    }
}

TEST(KeywordPage, TheNameCheckWarnsOfBlanksAndNamesTakenElsewhere) {
    test::WidgetApp();
    TKeywordList words;
    words.Add(MakeNewKeyword("a", "cmd-a", QString()));
    words.Add(MakeNewKeyword("b,bee", "cmd-b", QString()));
    TSettings s;
    TKeywordPage page(words, s, TKeywordPageHost{});
    page.SelectPosition(0);
    auto* name = page.findChild<QLineEdit*>("KeywordsEdit");
    auto* status = page.findChild<QLabel*>("KeywordStatusLabel");
    const std::pair<const char*, const char*> cases[] = {
        {"a", ""}, {"a b", "(spaces not supported)"}, {"x,BEE", "(duplicate detected)"}, {"x,y", ""}};
    for (const auto& [typed, said] : cases) {
        name->selectAll();
        QTest::keyClicks(name, typed);
        EXPECT_EQ(status->text(), said) << typed;
    }
    EXPECT_EQ(words.at(0).keywords, "x,y"); // only warnings: the name is stored as typed
}

// Picks the entry starting with `prefix` from the next pop-up menu; `seen` receives its entries.
void ChooseFromMenu(QTimer& timer, const QString& prefix, QStringList* seen) {
    QObject::disconnect(&timer, &QTimer::timeout, nullptr, nullptr);
    QObject::connect(&timer, &QTimer::timeout, [&timer, prefix, seen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        timer.stop();
        for (QAction* a : menu->actions())
            *seen << a->text();
        for (QAction* a : menu->actions()) {
            if (a->text().startsWith(prefix)) {
                menu->close();
                a->trigger();
                return;
            }
        }
        menu->close();
    });
    timer.start(10);
}

TEST(KeywordPage, CtrlSpaceOffersTokensAndKeywordsAndTheChoiceReplacesTheWord) {
    test::WidgetApp();
    TKeywordList words;
    words.Add(MakeNewKeyword("notes", "$NOTES$", QString()));
    words.Add(MakeNewKeyword("web", "firefox", QString()));
    TSettings s;
    s.autoapply = true;
    TKeywordPage page(words, s, TKeywordPageHost{});
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    page.SelectPosition(1);
    auto* command = page.findChild<QLineEdit*>("CommandEdit");
    auto* parameters = page.findChild<QLineEdit*>("ParametersEdit");
    command->setFocus();
    command->end(false);
    QTest::keyClicks(command, " $PA");
    QTimer timer;
    QStringList seen;
    ChooseFromMenu(timer, "$PASTE$ ", &seen);
    QTest::keyClick(command, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(seen.size(), 5) << seen.join('|').toStdString();
    EXPECT_EQ(command->text(), "firefox $PASTE$"); // no space typed, the word replaced
    EXPECT_EQ(words.at(1).command, "firefox $PASTE$"); // and applied
    command->undo();
    EXPECT_EQ(command->text(), "firefox $PA");

    // "@" offers keywords in the command field only; a right click opens the same menu.
    command->setText("@no");
    command->end(false);
    seen.clear();
    ChooseFromMenu(timer, "notes", &seen);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), command->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(command, &menuEvent);
    EXPECT_EQ(command->text(), "notes");
    // The field's shortcut only fires with the keyboard in it: the window may not have its
    // activation back from the closed menu yet.
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    parameters->setFocus();
    ASSERT_TRUE(test::Until([&] { return QApplication::focusWidget() == parameters; }));
    QTest::keyClicks(parameters, "$PA");
    seen.clear();
    ChooseFromMenu(timer, "", &seen);
    QTest::keyClick(parameters, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(seen, QStringList({"$PASTE$ - Press the paste keys in the active window"}));
}

// Answers the next dialogs in turn: text prompts get the given texts (null: cancelled), message
// boxes are closed and their texts kept in `said`.
void AnswerPrompts(QTimer& timer, std::vector<const char*> answers, QStringList* said) {
    QObject::disconnect(&timer, &QTimer::timeout, nullptr, nullptr);
    auto left = std::make_shared<std::vector<const char*>>(std::move(answers));
    QObject::connect(&timer, &QTimer::timeout, [left, said] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            *said << box->text();
            box->accept();
        } else if (auto* prompt = qobject_cast<QInputDialog*>(modal); prompt && !left->empty()) {
            const char* answer = left->front();
            left->erase(left->begin());
            *said << prompt->labelText();
            if (answer) {
                prompt->setTextValue(QString::fromUtf8(answer));
                prompt->accept();
            } else {
                prompt->reject();
            }
        }
    });
    timer.start(10);
}

TEST(KeywordPage, TheIconIsTypedInResetOrTakenFromAnIndexedItemAndItsHintSaysWhich) {
    test::WidgetApp();
    TKeywordList words;
    words.Add(MakeNewKeyword("edit", "gedit", QString()));
    TSettings s;
    s.autoapply = true;
    TKeywordPageHost host;
    host.icons.indexedIcon = [](const QString& name) -> std::optional<QString> {
        if (name == "Text Editor")
            return QString("accessories-text-editor");
        return std::nullopt;
    };
    TKeywordPage page(words, s, host);
    page.SelectPosition(0);
    auto* icon = page.findChild<TIconChoice*>("keyicon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), "No custom icon set, icon is extracted from its keyword command (context or file)");
    QTimer timer;
    QStringList said;
    auto run = [&](const char* action, std::vector<const char*> answers) {
        said.clear();
        AnswerPrompts(timer, std::move(answers), &said);
        for (QAction* a : page.findChild<QMenu*>("IconPopupMenu")->actions())
            if (a->text() == QLatin1String(action))
                a->trigger();
    };
    // A missing file with an index; a text that is not a number keeps the index.
    run("Edit icon path", {"/nowhere/tool.png", "3"});
    EXPECT_EQ(said, QStringList({"Icon path:", "Icon index (usually 0):"}));
    EXPECT_EQ(words.at(0).iconpath, "/nowhere/tool.png");
    EXPECT_EQ(words.at(0).iconidx, 3);
    EXPECT_EQ(icon->toolTip(), "Custom icon set: /nowhere/tool.png (icon index=3) - File not found, fallback to "
                               "default icon for type");
    run("Edit icon path", {"/nowhere/tool.png", "x"});
    EXPECT_EQ(words.at(0).iconidx, 3);
    run("Get icon from indexed item name", {"Nothing"});
    EXPECT_EQ(said.last(), "No indexed item found by that name (Nothing).");
    EXPECT_EQ(words.at(0).iconpath, "/nowhere/tool.png");
    run("Get icon from indexed item name", {"Text Editor"});
    EXPECT_EQ(words.at(0).iconpath, "accessories-text-editor");
    EXPECT_EQ(words.at(0).iconidx, 0);
    run("Reset icon", {});
    EXPECT_TRUE(words.at(0).iconpath.isEmpty());
    EXPECT_TRUE(said.isEmpty());
    run("Reset icon", {});
    EXPECT_EQ(said, QStringList({"No custom icon to reset. This keyword uses the default icon extracted from its "
                                 "command (context or file)."}));
}

TEST(KeywordPage, TheListSortsByHeaderSharesItsWidthAndTheLabelsActOnTheRecord) {
    test::WidgetApp();
    TKeywordList words;
    for (const char* n : {"web2", "web1", "mail", "web3"})
        words.Add(MakeNewKeyword(n, QString("cmd-") + n, QString()));
    words.at(0).permissionlevel = 3;
    words.at(2).disabled = true;
    TSettings s;
    s.autoapply = true;
    TKeywordPage page(words, s, TKeywordPageHost{});
    page.resize(1000, 600);
    page.show();
    auto* view = page.findChild<QTableView*>("KeyWordListView");
    auto* filter = page.findChild<QLineEdit*>("FilterEdit");
    auto* clear = page.findChild<QPushButton*>("ClearFilterButton");
    auto rows = [view] {
        QStringList r;
        for (int i = 0; i < view->model()->rowCount(); ++i)
            r << view->model()->index(i, 0).data().toString();
        return r;
    };
    // Widths in shares of the view: Comment 26 %, nearly twice Keywords' 14 %.
    const int width = view->viewport()->width();
    EXPECT_NEAR(view->columnWidth(0), width * 14 / 100, 1);
    EXPECT_NEAR(view->columnWidth(1), width * 26 / 100, 1);

    EXPECT_FALSE(clear->isEnabled());
    filter->setText("web");
    EXPECT_TRUE(clear->isEnabled());
    EXPECT_EQ(filter->palette().color(QPalette::Base), QColor(0xD4, 0xED, 0xDA));
    // A filtered list sorts its rows only, and the same header again turns the order round.
    view->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(rows(), QStringList({"web1", "web2", "web3"}));
    view->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(rows(), QStringList({"web3", "web2", "web1"}));
    EXPECT_EQ(words.at(0).keywords, "web2") << "the list itself is untouched";
    clear->click();
    EXPECT_NE(filter->palette().color(QPalette::Base), QColor(0xD4, 0xED, 0xDA));
    view->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(words.at(0).keywords, "mail") << "without a filter the list is sorted";

    // "Disabled, click to enable" enables; "Remove connect permissions" clears the level.
    auto* disabled = page.findChild<QLabel*>("KeywordDisabledLabel");
    auto* permission = page.findChild<QLabel*>("PermissionLabel");
    page.SelectPosition(0);
    ASSERT_TRUE(disabled->isVisibleTo(&page));
    EXPECT_FALSE(permission->isVisibleTo(&page));
    disabled->linkActivated("#");
    EXPECT_FALSE(words.at(0).disabled);
    page.SelectPosition(2); // web2
    ASSERT_TRUE(permission->isVisibleTo(&page));
    EXPECT_EQ(permission->toolTip(), "Permissions: Basic commands, clicks, open url (level: 3)");
    permission->linkActivated("#");
    EXPECT_EQ(words.at(2).permissionlevel, -1);
}

// The contrast of two colours as the eye weighs them (0 to 255).
int LumaGap(const QColor& a, const QColor& b) {
    auto luma = [](const QColor& c) { return (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000; };
    return std::abs(luma(a) - luma(b));
}

TEST(SetupForm, EveryPageFitsAtTheDefaultSizeAndDisabledKeywordsStayReadableUnderEveryTemplate) {
    test::WidgetApp();
    TKeywordList words;
    words.Add(MakeNewKeyword("on", "cmd-on", QString()));
    words.Add(MakeNewKeyword("off", "cmd-off", QString())).disabled = true;
    for (int darkmode : {0, 14, 17}) {
        TSettings s;
        s.darkmode = darkmode;
        TSetupModel model;
        model.SetSettings(s);
        // The buttons the program puts beside some controls are part of what must fit.
        TSetupActions actions;
        auto nothing = [](const QVariant&) -> std::optional<QVariant> { return std::nullopt; };
        actions.buttons = {{"clipboardhours", "Clear", nothing},
                           {"importurl", "Test", nothing},
                           {"notessizepos", "Reset window position", nothing},
                           {"noteslocation", "Change...", nothing}};
        TSetupForm form(model, actions, "about");
        auto* page = new TKeywordPage(words, s, TKeywordPageHost{});
        form.SetKeywordsPage(page);
        form.OpenOn(TSetupTab::Keywords);
        form.show();
        page->SelectPosition(0);
        QApplication::processEvents();
        // Nothing of the editor sticks out of its page.
        for (QAbstractButton* b : page->findChildren<QAbstractButton*>()) {
            if (b->isVisible()) {
                EXPECT_LE(b->mapTo(page, QPoint(b->width(), 0)).x(), page->width()) << b->text().toStdString();
            }
        }
        auto* view = page->findChild<QTableView*>("KeyWordListView");
        const QModelIndex off = view->model()->index(1, 0);
        const QColor text = off.data(Qt::ForegroundRole).value<QBrush>().color();
        EXPECT_GT(LumaGap(text, view->palette().color(QPalette::Base)), 60) << "template " << darkmode;

        auto* pages = form.findChild<QListWidget*>("SettingsPages");
        form.OpenOn(TSetupTab::Settings);
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentRow(i);
            QApplication::processEvents();
            auto* stack = form.findChild<QStackedWidget*>("SettingsStack");
            auto* scroll = qobject_cast<QScrollArea*>(stack->currentWidget());
            ASSERT_TRUE(scroll);
            const std::string name = pages->item(i)->text().toStdString();
            EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << name << " scrolls sideways";
            for (QAbstractButton* b : scroll->widget()->findChildren<QAbstractButton*>()) {
                if (b->isVisible()) {
                    EXPECT_LE(b->mapTo(scroll->viewport(), QPoint(b->width(), 0)).x(), scroll->viewport()->width())
                        << name << ": " << b->text().toStdString() << " is cut off";
                }
            }
        }
    }
}

TEST(SetupForm, FixedSetsOfValuesAreNamedChoicesAndTheReindexTextNamesTheIdleMinutes) {
    test::WidgetApp();
    TSettings s;
    s.hookwin = 9;
    s.permissionlevel = 4;
    s.indexidle = 25;
    s.autoindex = 4;
    TSetupModel model;
    model.SetSettings(s);
    TSetupForm form(model, TSetupActions{}, "about");
    auto* hookwin = form.findChild<QComboBox*>("hookwin");
    auto* level = form.findChild<QComboBox*>("permissionlevel");
    auto* reindex = form.findChild<QComboBox*>("autoindex");
    ASSERT_TRUE(hookwin && level && reindex);
    EXPECT_EQ(hookwin->count(), 11);
    EXPECT_EQ(hookwin->currentText(), "Super+R opens Vantrelo");
    EXPECT_EQ(level->count(), 5);
    EXPECT_EQ(level->currentText(), "(4) Allow basic commands, run input, clicks, open url");
    EXPECT_EQ(reindex->currentText(), "Only on 25 minutes of idle");
    // A new number of minutes shows at once; a choice made is the value stored.
    auto* idle = form.findChild<QLineEdit*>("indexidle");
    idle->setText("40");
    idle->textEdited("40");
    EXPECT_EQ(reindex->itemText(5), "On startup and on 40 minutes of idle");
    hookwin->setCurrentIndex(3);
    hookwin->activated(3);
    model.GrabSettings(s);
    EXPECT_EQ(s.hookwin, 3);
    EXPECT_EQ(s.indexidle, 40);
    // Every label of a control says what it is for in a few words; the details are its tooltip.
    for (const TSetupField& f : SetupFields()) {
        const QString wording = QString::fromUtf8(f.wording);
        EXPECT_FALSE(wording.contains('`')) << f.key;
        EXPECT_LE(wording.size(), 110) << f.key << ": " << f.wording;
    }
}

} // namespace
} // namespace vantrelo
