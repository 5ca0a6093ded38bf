// The settings dialog's mapping between its controls and the settings record, without widgets.
#include "core/settings.h"
#include "ui/settings/setupfields.h"
#include "ui/settings/setupmodel.h"

#include <gtest/gtest.h>

#include <functional>

namespace vantrelo {
namespace {

// A record, the controls as the user leaves them, and what the record then holds.
struct MappingCase {
    const char* name;
    std::function<void(TSettings&)> before;
    std::function<void(TSetupModel&)> check_shown; // asserts on the filled controls, then edits them
    std::function<void(const TSettings&)> after;
};

TEST(SetupModel, ControlsMapToKeysByTheDialogRules) {
    const MappingCase cases[] = {
        {"inverse box", [](TSettings& s) { s.listfixedsize = true; },
         [](TSetupModel& m) {
             EXPECT_FALSE(m.Value("listfixedsize").toBool());
             m.Set("listfixedsize", true);
             m.Set("nolisticoncache", false);
         },
         [](const TSettings& s) {
             EXPECT_FALSE(s.listfixedsize);
             EXPECT_TRUE(s.nolisticoncache);
         }},
        {"number fallbacks", {},
         [](TSetupModel& m) {
             EXPECT_EQ(m.Value("maxhistory").toString(), "100");
             m.Set("maxhistory", "");
             m.Set("maxvisible", "many");
             m.Set("maxdropdown", "x");
             m.Set("autodelay", " 300 ");
             m.Set("clipboardhours", "");
             m.Set("assistfontsize", "45");
             m.Set("presstwicetime", "soon");
         },
         [](const TSettings& s) {
             EXPECT_EQ(s.maxhistory, 50);
             EXPECT_EQ(s.maxvisible, 20);
             EXPECT_EQ(s.maxdropdown, 50);
             EXPECT_EQ(s.autodelay, 300);
             EXPECT_EQ(s.clipboardhours, 0);
             EXPECT_EQ(s.assistfontsize, 30);
             EXPECT_EQ(s.presstwicetime, 350); // no fallback named: the key stays
         }},
        {"unparsed assist font size stays", [](TSettings& s) { s.assistfontsize = 14; },
         [](TSetupModel& m) { m.Set("assistfontsize", "big"); },
         [](const TSettings& s) { EXPECT_EQ(s.assistfontsize, 14); }},
        {"trimmed and untrimmed texts", {},
         [](TSetupModel& m) {
             m.Set("browser", "  firefox  ");
             m.Set("excludelist", " tmp; ");
             m.Set("browserua", " agent ");
             m.Set("pinfile", " pin.png");
         },
         [](const TSettings& s) {
             EXPECT_EQ(s.browser, "firefox");
             EXPECT_EQ(s.excludelist, "tmp;");
             EXPECT_EQ(s.browserua, " agent ");
             EXPECT_EQ(s.pinfile, " pin.png");
         }},
        {"centre on a monitor", [](TSettings& s) { s.center = -2; },
         [](TSetupModel& m) {
             EXPECT_EQ(m.Value("center").toInt(), 6);
             EXPECT_EQ(m.CentreEntries().at(6), "Center on display 2");
             m.Set("center", 5);
         },
         [](const TSettings& s) { EXPECT_EQ(s.center, -1); }},
        {"centre beyond the list", [](TSettings& s) { s.center = -7; },
         [](TSetupModel& m) { EXPECT_EQ(m.Value("center").toInt(), 2); },
         [](const TSettings& s) { EXPECT_EQ(s.center, 2); }},
        {"info syntax entries", [](TSettings& s) { s.infosyntax = "$DD$"; },
         [](TSetupModel& m) {
             EXPECT_EQ(m.Value("infosyntax").toString(), TSetupModel::InfoSyntaxEntry(0));
             m.Set("infosyntax", TSetupModel::InfoSyntaxEntry(1));
         },
         [](const TSettings& s) { EXPECT_EQ(s.infosyntax, "$ddd$"); }},
        {"info syntax typed", [](TSettings& s) { s.infosyntax = "up $uptime$"; },
         [](TSetupModel& m) { EXPECT_EQ(m.Value("infosyntax").toString(), "up $uptime$"); },
         [](const TSettings& s) { EXPECT_EQ(s.infosyntax, "up $uptime$"); }},
        {"notes location", [](TSettings& s) { s.noteslocation = "/data/n.txt"; },
         [](TSetupModel& m) {
             EXPECT_FALSE(m.Value("noteslocation.default").toBool());
             m.Set("noteslocation.default", true);
         },
         [](const TSettings& s) { EXPECT_EQ(s.noteslocation, ""); }},
        {"notes location typed", {},
         [](TSetupModel& m) {
             EXPECT_TRUE(m.Value("noteslocation.default").toBool());
             m.Set("noteslocation.default", false);
             m.Set("noteslocation", " /home/u/notes.txt");
         },
         [](const TSettings& s) { EXPECT_EQ(s.noteslocation, " /home/u/notes.txt"); }},
        {"notes size and position kept while on", [](TSettings& s) { s.notessizepos = "10,20,300,200"; },
         [](TSetupModel& m) { EXPECT_TRUE(m.Value("notessizepos").toBool()); },
         [](const TSettings& s) { EXPECT_EQ(s.notessizepos, "10,20,300,200"); }},
        {"notes size and position off", {}, [](TSetupModel& m) { m.Set("notessizepos", false); },
         [](const TSettings& s) { EXPECT_EQ(s.notessizepos, ""); }},
        {"order check list", [](TSettings& s) { s.dropwords = false; },
         [](TSetupModel& m) {
             const QList<TOrderEntry> shown = m.Order("comboorder");
             ASSERT_EQ(shown.size(), 4);
             EXPECT_EQ(shown[1], (TOrderEntry{"Keywords", false}));
             m.SetOrder("comboorder", {{"Indexed items", false}, {"Keywords", true}, {"History", true},
                                       {"File system", true}});
         },
         [](const TSettings& s) {
             EXPECT_EQ(s.comboorder, "\"Indexed items\",Keywords,History,\"File system\"");
             EXPECT_FALSE(s.dropprograms);
             EXPECT_TRUE(s.dropwords);
             EXPECT_TRUE(s.autoprograms == TSettings{}.autoprograms); // the other list is untouched
         }},
        {"order text lacking a source", [](TSettings& s) { s.autoorder = "History,Keywords"; },
         [](TSetupModel& m) { EXPECT_EQ(m.Order("autoorder").size(), 4); },
         [](const TSettings& s) { EXPECT_EQ(s.autoorder, "History,Keywords,\"File system\",\"Indexed items\""); }},
        {"hotkey modifiers", {},
         [](TSetupModel& m) {
             EXPECT_TRUE(m.Value("hotkey.Windows").toBool());
             EXPECT_TRUE(m.Value("hotkey.Shift").toBool());
             EXPECT_FALSE(m.Value("hotkey.Alt").toBool());
             m.Set("hotkey.Windows", false);
             m.Set("hotkey.Shift", false);
             m.Set("hotkey.Alt", true);
             m.Set("hotkey.Control", true);
             m.Set("hotkey", 32);
         },
         [](const TSettings& s) {
             EXPECT_EQ(s.hotkeyadd, 3);
             EXPECT_EQ(s.hotkey, 32);
         }},
        {"choices by value", [](TSettings& s) { s.unknownlaunchtype = 2; },
         [](TSetupModel& m) {
             EXPECT_EQ(m.Value("unknownlaunchtype").toInt(), 2);
             m.Set("priority", 1);
             m.Set("darkmode", 17);
         },
         [](const TSettings& s) {
             EXPECT_EQ(s.priority, 1);
             EXPECT_EQ(s.darkmode, 17);
         }},
        {"skin field emptied", [](TSettings& s) { s.skinname = "/skins/a.skn"; },
         [](TSetupModel& m) { m.Set("skinname", ""); }, [](const TSettings& s) { EXPECT_EQ(s.skinname, ""); }},
        {"skin field typed over", [](TSettings& s) { s.skinname = "/skins/a.skn"; },
         [](TSetupModel& m) { m.Set("skinname", "b"); },
         [](const TSettings& s) { EXPECT_EQ(s.skinname, "/skins/a.skn"); }},
        {"font button", {},
         [](TSetupModel& m) {
             m.Set("fontname", "DejaVu Sans");
             m.Set("fontname.size", 21);
             m.Set("fontname.bold", true);
             m.Set("notesfontname.size", 15);
         },
         [](const TSettings& s) {
             EXPECT_EQ(s.fontname, "DejaVu Sans");
             EXPECT_EQ(s.fontsize, 21);
             EXPECT_TRUE(s.fontbold);
             EXPECT_EQ(s.notesfontsize, 15);
         }},
        {"slider and colour", {},
         [](TSetupModel& m) {
             m.Set("transactive", 200);
             m.Set("textcolor", 0x0000FF);
         },
         [](const TSettings& s) {
             EXPECT_EQ(s.transactive, 200);
             EXPECT_EQ(s.textcolor, 0x0000FF);
         }},
    };
    for (const MappingCase& c : cases) {
        SCOPED_TRACE(c.name);
        TSettings s;
        if (c.before)
            c.before(s);
        TSetupModel m(2);
        m.SetSettings(s);
        c.check_shown(m);
        m.GrabSettings(s);
        c.after(s);
    }
}

// A number outside its setting's range is named with the range (the dialog's OK refuses it).
TEST(SetupModel, NumbersOutOfRangeAreNamedWithTheRange) {
    TSetupModel m;
    m.SetSettings(TSettings());
    EXPECT_TRUE(m.OutOfRange().isEmpty());
    m.Set("maxhistory", "-5");
    const QStringList wrong = m.OutOfRange();
    ASSERT_EQ(wrong.size(), 1);
    EXPECT_TRUE(wrong[0].contains("0 to 100000")) << wrong[0].toStdString();
    EXPECT_TRUE(wrong[0].contains("-5"));
    m.Set("maxhistory", "100000");
    EXPECT_TRUE(m.OutOfRange().isEmpty());
    m.Set("maxhistory", "not a number"); // the dialog's own fallback applies, as before
    EXPECT_TRUE(m.OutOfRange().isEmpty());
}

TEST(SetupModel, OpeningAndClosingChangesNothing) {
    TSettings changed;
    changed.center = -1;
    changed.notessizepos = "";
    changed.noteslocation = "/n.txt";
    changed.infosyntax = "$dd$";
    changed.hotkeyadd = 7;
    changed.listfixedsize = false;
    for (const TSettings& original : {TSettings{}, changed}) {
        TSetupModel m(1);
        m.SetSettings(original);
        TSettings taken = original;
        m.GrabSettings(taken);
        for (const TSettingDef& def : SettingsTable())
            EXPECT_EQ(SettingText(taken, def), SettingText(original, def)) << def.key;
    }
}

TEST(SetupFields, EverySettingHasAControlOnAPage) {
    QStringList keys;
    for (const TSetupField& f : SetupFields()) {
        EXPECT_FALSE(keys.contains(f.key)) << f.key;
        keys << f.key;
    }
    for (const TSettingDef& def : SettingsTable())
        EXPECT_TRUE(keys.contains(def.key) || KeyWithoutOwnControl(def.key)) << def.key;
    EXPECT_EQ(SetupPages().front(), "General");
}

TEST(SetupFields, ColourTemplatesByValue) {
    const std::pair<int, const char*> cases[] = {{0, nullptr}, {-3, nullptr}, {1, "Cool Slate"},
                                                 {17, "Hawk Vision"}, {18, "Warm Minimalism"}};
    for (const auto& [value, name] : cases) {
        const TColourTemplate* t = TemplateFor(value);
        if (!name)
            EXPECT_EQ(t, nullptr) << value;
        else
            EXPECT_STREQ(t ? t->name : "", name) << value;
    }
    EXPECT_EQ(ColourTemplates().size(), 17u);
}

} // namespace
} // namespace vantrelo
