// The wizard's profile: later steps may override earlier ones, in the order the choices are read.
#include "ui/wizardlogic.h"

#include "core/settings.h"
#include "platform/hotkeys/hotkeytext.h"

#include <algorithm>

namespace vantrelo {
namespace {

void ApplyLook(TSettings& s) {
    s.customwidth = -1;
    s.autoshowhint = true;
    s.autodropdown = true;
    s.showwordicon = true;
    s.listicons = true;
    s.listtitles = true;
    s.comboheaders = true;
    s.cleartype = true;
    s.listbolditems = false;
    s.fontbold = false;
    s.skinname = QStringLiteral("skins/scale_dark.skn");
    s.assistfontsize = 10;
}

void ApplyRows(TSettings& s, TWizardRows rows) {
    const bool large = rows == TWizardRows::Large;
    s.listfontsize = large ? 9 : 8;
    s.listrowheight = large ? 33 : 17;
    s.maxvisible = large ? 12 : 22;
}

void ApplySearch(TSettings& s, const TWizardChoices& c) {
    const bool findsPrograms = c.usage != TWizardUsage::KeywordsOnly;
    switch (c.search) {
    case TWizardSearch::ShortStarts:
    case TWizardSearch::ShortContains:
        s.searchtype = 0;
        s.autoshort = 2;
        s.autoshortalways = findsPrograms;
        s.autoprograms = !s.autoshortalways;
        if (!s.dropprograms)
            s.autoshort = 1;
        break;
    case TWizardSearch::Starts:
        s.searchtype = 0;
        s.autoshort = 0;
        if (c.usage != TWizardUsage::FindPrograms)
            s.autoshortalways = false;
        if (findsPrograms)
            s.autoprograms = true;
        break;
    case TWizardSearch::Contains:
        s.searchtype = 1;
        s.autoshort = 0;
        break;
    }
    // Short forms with "contains" search.
    if (c.search == TWizardSearch::ShortContains)
        s.searchtype = 1;
}

void ApplyList(TSettings& s, const TWizardChoices& c) {
    s.listfixedsize = true;
    switch (c.list) {
    case TWizardList::Always:
        s.listbehaveslikedropdown = false;
        s.autodropdown = true;
        break;
    case TWizardList::WhenTyping:
        s.listbehaveslikedropdown = true;
        s.autodropdown = true;
        break;
    case TWizardList::WhenOpened:
        s.listbehaveslikedropdown = true;
        s.autodropdown = false;
        if (c.usage != TWizardUsage::KeywordsOnly)
            s.autoshowhint = true;
        break;
    }
}

} // namespace

QString ApplyWizardChoices(TSettings& s, const TWizardChoices& c) {
    ApplyLook(s);
    ApplyRows(s, c.rows);
    s.switchtab = true;
    s.dropprograms = c.usage != TWizardUsage::KeywordsOnly;
    if (c.usage == TWizardUsage::KeywordsOnly)
        s.autoprograms = false;
    ApplySearch(s, c);
    ApplyList(s, c);
    if (c.betterPerformance) {
        s.cacheindex = !c.portable && s.dropprograms;
        s.nolistprogramsiconcache = false;
    }
    s.scanwindowsitems = s.dropprograms;
    s.listrowmode = 0;
    return s.skinname;
}

bool WizardOffersPortable(const QString& dataFolder) {
    for (const char* removable : {"/media/", "/run/media/", "/mnt/"})
        if (dataFolder.startsWith(QLatin1String(removable)))
            return true;
    return false;
}

QString WizardHotkeyText(const TSettings& s) {
    return QStringLiteral("The current hotkey for opening Vantrelo is \"%1\". This can be changed in settings.")
        .arg(HotkeyText(s.hotkey, s.hotkeyadd));
}

void ApplyListLayout(TSettings& s, TListLayout layout, int h) {
    s.listrowmode = 0;
    s.listtitles = layout != TListLayout::Name;
    if (layout == TListLayout::Double) {
        s.listrowheight = 33;
        s.maxvisible = h > 21 ? 10 : h >= 20 ? 11 : 12;
        return;
    }
    s.listrowheight = std::max(h + 4, 17);
    if (s.listrowheight > 28)
        s.listrowheight = 33;
    if (s.listrowheight <= 32) {
        s.maxvisible = std::max(400 / s.listrowheight, 10);
    } else {
        s.listrowmode = 1;
        s.maxvisible = 12;
    }
}

} // namespace vantrelo
