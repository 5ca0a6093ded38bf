// Pictures of every page of the settings dialog at its default size, for looking at the dialog by eye (scripts/settings-screenshots.sh).
#include "core/items.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "ui/settings/keywordpage.h"
#include "ui/settings/setupfields.h"
#include "ui/settings/setupform.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextStream>

#include <cstdio>

namespace vantrelo {
namespace {

// A keyword list with the columns a user fills: options, hotkeys, tags, a disabled record.
void SampleKeywords(TKeywordList& words) {
    struct {
        const char* name;
        const char* command;
        const char* comment;
        const char* tags;
        int key, mods;
        bool disabled;
    } rows[] = {
        {"mail", "thunderbird", "Mail and calendar", "work", 'M', 3, false},
        {"g,google", "https://www.google.com/search?q=$W$", "Search the web", "web", -1, -1, false},
        {"term", "x-terminal-emulator", "A terminal in the home folder", "tools", 'T', 3, false},
        {"notes", "$NOTES$", "The notes window", "", -1, -1, false},
        {"oldvpn", "/opt/vpn/connect.sh", "Disabled: the old VPN", "work", -1, -1, true},
        {"wiki", "https://en.wikipedia.org/wiki/$W$", "Encyclopedia", "web", -1, -1, false},
        {"calc", "gnome-calculator", "", "tools", -1, -1, false},
        {"backup", "/home/user/bin/backup.sh", "Nightly backup by hand", "", -1, -1, true},
    };
    for (const auto& r : rows) {
        TExeWord& w = words.Add(MakeNewKeyword(QString::fromLatin1(r.name), QString::fromLatin1(r.command), QString()));
        w.comment = QString::fromLatin1(r.comment);
        w.group = QString::fromLatin1(r.tags);
        w.key = r.key;
        w.keymod = r.mods;
        w.disabled = r.disabled;
    }
    words.at(1).permissionlevel = 2;
}

// The buttons and lines the running program puts on the pages, with the same captions.
TSetupActions SampleActions() {
    TSetupActions a;
    auto nothing = [](const QVariant&) -> std::optional<QVariant> { return std::nullopt; };
    a.buttons = {{"clipboardhours", "Clear", nothing},
                 {"importurl", "Test", nothing},
                 {"notessizepos", "Reset window position", nothing},
                 {"noteslocation", "Change...", nothing}};
    auto no = [](TSetupModel&) { return false; };
    a.formButtons = {{"Wizard", "WizardButton", no},
                     {"Run list appearance wizard", "ListWizardButton", no},
                     {"Load skin...", "LoadSkinButton", no}};
    a.labels = {{"Index", "IndexLabel", [] { return QStringLiteral("Indexed items: 12345"); }, {}}};
    a.lists = {{"Internal browser and start page", "PermissionList",
                "Keywords with connect permissions (click one to edit it):",
                [] { return QStringList{"g,google (2)"}; }, {}}};
    return a;
}

} // namespace
} // namespace vantrelo

int main(int argc, char** argv) {
    using namespace vantrelo;
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER DARKMODE\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]) + u'/';
    QDir().mkpath(out);
    TSettings settings;
    settings.darkmode = QString::fromLocal8Bit(argv[2]).toInt();
    TKeywordList words;
    SampleKeywords(words);
    TSetupModel model;
    model.SetSettings(settings);
    TSetupForm form(model, SampleActions(), "Vantrelo 1.0.0.0 64-bit\n\n(Build date: today)");
    auto* page = new TKeywordPage(words, settings, TKeywordPageHost{});
    form.SetKeywordsPage(page);
    form.OpenOn(TSetupTab::Keywords);
    form.show();
    page->SelectPosition(1);
    QApplication::processEvents();
    int n = 0;
    auto shoot = [&](const QString& name) {
        QApplication::processEvents();
        form.grab().save(out + QStringLiteral("%1-%2.png").arg(n++, 2, 10, QLatin1Char('0')).arg(name));
    };
    shoot(QStringLiteral("keywords"));
    auto* pages = form.findChild<QListWidget*>(QStringLiteral("SettingsPages"));
    form.OpenOn(TSetupTab::Settings);
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentRow(i);
        shoot(pages->item(i)->text().toLower().replace(QRegularExpression(QStringLiteral("[^a-z]+")), QStringLiteral("-")));
    }
    form.OpenOn(TSetupTab::About);
    shoot(QStringLiteral("about"));
    return 0;
}
