// The settings table: names, types, defaults and clamps of every key, and reading and writing it.
#include "core/settings.h"

#include "core/inifile.h"
#include "core/text.h"

#include <algorithm>

namespace vantrelo {

namespace {
const QString kSetup = QStringLiteral("Setup");
}

const std::vector<TSettingDef>& SettingsTable() {
    static const std::vector<TSettingDef> table = {
        {"shutdowns", TSettingKind::Int, &TSettings::shutdowns, 0, 2147483647},
        {"priority", TSettingKind::Int, &TSettings::priority, 0, 3},
        {"autostart", TSettingKind::Bool, &TSettings::autostart},
        {"sendtomenu", TSettingKind::Bool, &TSettings::sendtomenu},
        {"startup", TSettingKind::String, &TSettings::startup},
        {"backup", TSettingKind::Bool, &TSettings::backup},
        {"incognito", TSettingKind::Bool, &TSettings::incognito},
        {"incognitoconfig", TSettingKind::String, &TSettings::incognitoconfig},
        {"dontwait", TSettingKind::Bool, &TSettings::dontwait},
        {"ignorenetwork", TSettingKind::Bool, &TSettings::ignorenetwork},
        {"importurl", TSettingKind::String, &TSettings::importurl},
        {"importurlfast", TSettingKind::Bool, &TSettings::importurlfast},
        {"darkmode", TSettingKind::Int, &TSettings::darkmode},
        {"skintype", TSettingKind::Int, &TSettings::skintype, 0, 4},
        {"close", TSettingKind::Bool, &TSettings::close},
        {"hide", TSettingKind::Bool, &TSettings::hide},
        {"stayontop", TSettingKind::Bool, &TSettings::stayontop},
        {"posx", TSettingKind::Int, &TSettings::posx},
        {"posy", TSettingKind::Int, &TSettings::posy},
        {"trayicon", TSettingKind::Bool, &TSettings::trayicon},
        {"alwaystrayicon", TSettingKind::Bool, &TSettings::alwaystrayicon},
        {"popatcursor", TSettingKind::Bool, &TSettings::popatcursor},
        {"center", TSettingKind::Int, &TSettings::center, -64, 4},
        {"lockwindow", TSettingKind::Bool, &TSettings::lockwindow},
        {"onewindow", TSettingKind::Bool, &TSettings::onewindow},
        {"borderstyle", TSettingKind::Int, &TSettings::borderstyle},
        {"noalttab", TSettingKind::Bool, &TSettings::noalttab},
        {"hotkeyhide", TSettingKind::Bool, &TSettings::hotkeyhide},
        {"clearlast", TSettingKind::Bool, &TSettings::clearlast},
        {"holdtext", TSettingKind::Bool, &TSettings::holdtext},
        {"fastesc", TSettingKind::Bool, &TSettings::fastesc},
        {"failcolor", TSettingKind::Colour, &TSettings::failcolor},
        {"toastfontcolor", TSettingKind::String, &TSettings::toastfontcolor},
        {"dimonexpand", TSettingKind::Bool, &TSettings::dimonexpand},
        {"diminput", TSettingKind::Bool, &TSettings::diminput},
        {"dimamount", TSettingKind::Int, &TSettings::dimamount, 0, 100},
        {"contextmenumouse", TSettingKind::Bool, &TSettings::contextmenumouse},
        {"hotkey", TSettingKind::Int, &TSettings::hotkey, 0, 255},
        {"hotkeyadd", TSettingKind::Int, &TSettings::hotkeyadd, 0, 15},
        {"hookwin", TSettingKind::Int, &TSettings::hookwin, 0, 10},
        {"presstwicetime", TSettingKind::Int, &TSettings::presstwicetime, 50, 5000},
        {"gamingmode", TSettingKind::Int, &TSettings::gamingmode, 0, 3},
        {"autowords", TSettingKind::Bool, &TSettings::autowords},
        {"autohistory", TSettingKind::Bool, &TSettings::autohistory},
        {"autofilesystem", TSettingKind::Bool, &TSettings::autofilesystem},
        {"autoprograms", TSettingKind::Bool, &TSettings::autoprograms},
        {"autoorder", TSettingKind::String, &TSettings::autoorder},
        {"lessauto", TSettingKind::Bool, &TSettings::lessauto},
        {"smartparam", TSettingKind::Bool, &TSettings::smartparam},
        {"notrailingspace", TSettingKind::Bool, &TSettings::notrailingspace},
        {"switchtab", TSettingKind::Bool, &TSettings::switchtab},
        {"autoexpand", TSettingKind::Bool, &TSettings::autoexpand},
        {"expandf4", TSettingKind::Bool, &TSettings::expandf4},
        {"externaltext", TSettingKind::Bool, &TSettings::externaltext},
        {"inputassistsorting", TSettingKind::Int, &TSettings::inputassistsorting},
        {"inputassistarrow", TSettingKind::Int, &TSettings::inputassistarrow},
        {"inputassistenter", TSettingKind::Int, &TSettings::inputassistenter},
        {"inputassistcycle", TSettingKind::Int, &TSettings::inputassistcycle},
        {"autofuzz", TSettingKind::Int, &TSettings::autofuzz},
        {"autoshort", TSettingKind::Int, &TSettings::autoshort, 0, 2},
        {"autoshortalways", TSettingKind::Bool, &TSettings::autoshortalways},
        {"autoshortlistonly", TSettingKind::Bool, &TSettings::autoshortlistonly},
        {"searchtype", TSettingKind::Int, &TSettings::searchtype, 0, 1},
        {"unknownlaunchtype", TSettingKind::Int, &TSettings::unknownlaunchtype, -1, 2},
        {"fastsearch", TSettingKind::String, &TSettings::fastsearch},
        {"launchignorelist", TSettingKind::String, &TSettings::launchignorelist},
        {"launchfromkeypad", TSettingKind::Bool, &TSettings::launchfromkeypad},
        {"numlockallow", TSettingKind::Bool, &TSettings::numlockallow},
        {"launchusingalt", TSettingKind::Bool, &TSettings::launchusingalt},
        {"simplearrownav", TSettingKind::Bool, &TSettings::simplearrownav},
        {"separator", TSettingKind::String, &TSettings::separator},
        {"forwardlogic", TSettingKind::Int, &TSettings::forwardlogic},
        {"inputfocusedworkflow", TSettingKind::Int, &TSettings::inputfocusedworkflow},
        {"spellcheckedit", TSettingKind::Bool, &TSettings::spellcheckedit},
        {"altenter", TSettingKind::Int, &TSettings::altenter},
        {"cefilefolders", TSettingKind::Bool, &TSettings::cefilefolders},
        {"comboorder", TSettingKind::String, &TSettings::comboorder},
        {"drophistory", TSettingKind::Bool, &TSettings::drophistory},
        {"dropwords", TSettingKind::Bool, &TSettings::dropwords},
        {"dropfilesystem", TSettingKind::Bool, &TSettings::dropfilesystem},
        {"dropprograms", TSettingKind::Bool, &TSettings::dropprograms},
        {"autodropdown", TSettingKind::Bool, &TSettings::autodropdown},
        {"autodelay", TSettingKind::Int, &TSettings::autodelay, 0, 10000},
        {"maxvisible", TSettingKind::Int, &TSettings::maxvisible, 1, 100},
        {"maxdropdown", TSettingKind::Int, &TSettings::maxdropdown, 1, 10000},
        {"comboheaders", TSettingKind::Bool, &TSettings::comboheaders},
        {"itemquicklaunch", TSettingKind::Bool, &TSettings::itemquicklaunch},
        {"noduplicates", TSettingKind::Bool, &TSettings::noduplicates},
        {"listbehaveslikedropdown", TSettingKind::Bool, &TSettings::listbehaveslikedropdown},
        {"listfixedsize", TSettingKind::Bool, &TSettings::listfixedsize},
        {"listicons", TSettingKind::Bool, &TSettings::listicons},
        {"listtitles", TSettingKind::Bool, &TSettings::listtitles},
        {"listbolditems", TSettingKind::Bool, &TSettings::listbolditems},
        {"listnoscrollbar", TSettingKind::Bool, &TSettings::listnoscrollbar},
        {"listrowmode", TSettingKind::Int, &TSettings::listrowmode},
        {"listrowheight", TSettingKind::Int, &TSettings::listrowheight, 8, 400},
        {"listfontsize", TSettingKind::Int, &TSettings::listfontsize, 4, 96},
        {"listfontname", TSettingKind::String, &TSettings::listfontname},
        {"listinherittransparency", TSettingKind::Bool, &TSettings::listinherittransparency},
        {"listnetworkicons", TSettingKind::Bool, &TSettings::listnetworkicons},
        {"listselectopacity", TSettingKind::Int, &TSettings::listselectopacity, 0, 255},
        {"nolisticoncache", TSettingKind::Bool, &TSettings::nolisticoncache},
        {"nolistprogramsiconcache", TSettingKind::Bool, &TSettings::nolistprogramsiconcache},
        {"shownumbersinlist", TSettingKind::Bool, &TSettings::shownumbersinlist},
        {"righttextnoalign", TSettingKind::Bool, &TSettings::righttextnoalign},
        {"specialsolo", TSettingKind::Bool, &TSettings::specialsolo},
        {"commandslast", TSettingKind::Bool, &TSettings::commandslast},
        {"excludelist", TSettingKind::String, &TSettings::excludelist},
        {"excludetype", TSettingKind::Int, &TSettings::excludetype, 0, 2},
        {"excludefilesystem", TSettingKind::Bool, &TSettings::excludefilesystem},
        {"dropbuttonauto", TSettingKind::Bool, &TSettings::dropbuttonauto},
        {"autoshowhint", TSettingKind::Bool, &TSettings::autoshowhint},
        {"fullpathmain", TSettingKind::Bool, &TSettings::fullpathmain},
        {"fullpathlist", TSettingKind::Bool, &TSettings::fullpathlist},
        {"pin", TSettingKind::Bool, &TSettings::pin},
        {"pinfile", TSettingKind::String, &TSettings::pinfile},
        {"skinname", TSettingKind::String, &TSettings::skinname},
        {"width", TSettingKind::Int, &TSettings::width, 1, 10000},
        {"customwidth", TSettingKind::Int, &TSettings::customwidth, -1, 20000},
        {"transactive", TSettingKind::Int, &TSettings::transactive, 0, 255},
        {"transinactive", TSettingKind::Int, &TSettings::transinactive, 0, 255},
        {"textcolor", TSettingKind::Colour, &TSettings::textcolor},
        {"textbackcolor", TSettingKind::Colour, &TSettings::textbackcolor},
        {"windowcolor", TSettingKind::Colour, &TSettings::windowcolor},
        {"inputwindowcolor", TSettingKind::Colour, &TSettings::inputwindowcolor},
        {"outlinecolor", TSettingKind::Colour, &TSettings::outlinecolor},
        {"arrowcolor", TSettingKind::Colour, &TSettings::arrowcolor},
        {"fillcolor", TSettingKind::Colour, &TSettings::fillcolor},
        {"titlecolor", TSettingKind::Colour, &TSettings::titlecolor},
        {"listtitlecolor", TSettingKind::Colour, &TSettings::listtitlecolor},
        {"showcombo", TSettingKind::Bool, &TSettings::showcombo},
        {"showwordicon", TSettingKind::Bool, &TSettings::showwordicon},
        {"fontname", TSettingKind::String, &TSettings::fontname},
        {"fontsize", TSettingKind::Int, &TSettings::fontsize, 4, 200},
        {"fontbold", TSettingKind::Bool, &TSettings::fontbold},
        {"fontcharset", TSettingKind::Int, &TSettings::fontcharset},
        {"expandfontsize", TSettingKind::Int, &TSettings::expandfontsize, 0, 200},
        {"expandfontcolor", TSettingKind::String, &TSettings::expandfontcolor},
        {"assistfontsize", TSettingKind::Int, &TSettings::assistfontsize, 4, 30},
        {"cleartype", TSettingKind::Bool, &TSettings::cleartype},
        {"drawmode", TSettingKind::Int, &TSettings::drawmode, 0, 3},
        {"savehistory", TSettingKind::Bool, &TSettings::savehistory},
        {"maxhistory", TSettingKind::Int, &TSettings::maxhistory, 0, 100000},
        {"noindexhist", TSettingKind::Bool, &TSettings::noindexhist},
        {"addcalculationtohistory", TSettingKind::Bool, &TSettings::addcalculationtohistory},
        {"browser", TSettingKind::String, &TSettings::browser},
        {"explore", TSettingKind::String, &TSettings::explore},
        {"simplebrowser", TSettingKind::Bool, &TSettings::simplebrowser},
        {"urlmaxed", TSettingKind::Bool, &TSettings::urlmaxed},
        {"dontsetdefaultdir", TSettingKind::Bool, &TSettings::dontsetdefaultdir},
        {"resolveindexed", TSettingKind::String, &TSettings::resolveindexed},
        {"openmode", TSettingKind::Int, &TSettings::openmode},
        {"customtime", TSettingKind::String, &TSettings::customtime},
        {"indexmode", TSettingKind::Int, &TSettings::indexmode},
        {"scanwindowsitems", TSettingKind::Bool, &TSettings::scanwindowsitems},
        {"scandirs", TSettingKind::String, &TSettings::scandirs},
        {"indexextraitems", TSettingKind::String, &TSettings::indexextraitems},
        {"includehidden", TSettingKind::Bool, &TSettings::includehidden},
        {"indexuwp", TSettingKind::Bool, &TSettings::indexuwp},
        {"cacheindex", TSettingKind::Bool, &TSettings::cacheindex},
        {"noindexrefresh", TSettingKind::Bool, &TSettings::noindexrefresh},
        {"autoindex", TSettingKind::Int, &TSettings::autoindex, -1, 5},
        {"indexidle", TSettingKind::Int, &TSettings::indexidle, 1, 1440},
        {"indexrefresh", TSettingKind::Int, &TSettings::indexrefresh},
        {"autocalc", TSettingKind::Bool, &TSettings::autocalc},
        {"calcdisplaystyle", TSettingKind::Int, &TSettings::calcdisplaystyle, 0, 2},
        {"calcformat", TSettingKind::String, &TSettings::calcformat},
        {"calcchar", TSettingKind::String, &TSettings::calcchar},
        {"clipboardsniffer", TSettingKind::Bool, &TSettings::clipboardsniffer},
        {"clipboardhours", TSettingKind::Int, &TSettings::clipboardhours, 0, 1000000},
        {"clipautopaste", TSettingKind::Bool, &TSettings::clipautopaste},
        {"usesound", TSettingKind::Bool, &TSettings::usesound},
        {"successsound", TSettingKind::String, &TSettings::successsound},
        {"failsound", TSettingKind::String, &TSettings::failsound},
        {"alarmsound", TSettingKind::String, &TSettings::alarmsound},
        {"reminder", TSettingKind::String, &TSettings::reminder},
        {"autoapply", TSettingKind::Bool, &TSettings::autoapply},
        {"autosorteditor", TSettingKind::Bool, &TSettings::autosorteditor},
        {"editorpanel", TSettingKind::Bool, &TSettings::editorpanel},
        {"openeditormax", TSettingKind::Bool, &TSettings::openeditormax},
        {"hidekeywordpanel", TSettingKind::Bool, &TSettings::hidekeywordpanel},
        {"defaultfilter", TSettingKind::String, &TSettings::defaultfilter},
        {"syntaxhighlight", TSettingKind::Bool, &TSettings::syntaxhighlight},
        {"browsermode", TSettingKind::Int, &TSettings::browsermode},
        {"browserautoend", TSettingKind::Bool, &TSettings::browserautoend},
        {"browserpreload", TSettingKind::Bool, &TSettings::browserpreload},
        {"browserdot", TSettingKind::Bool, &TSettings::browserdot},
        {"browserua", TSettingKind::String, &TSettings::browserua},
        {"browserid", TSettingKind::Bool, &TSettings::browserid},
        {"browserfocus", TSettingKind::Bool, &TSettings::browserfocus},
        {"permissionlevel", TSettingKind::Int, &TSettings::permissionlevel, 0, 4},
        {"fastbrowserhide", TSettingKind::Bool, &TSettings::fastbrowserhide},
        {"startpage", TSettingKind::String, &TSettings::startpage},
        {"startf1", TSettingKind::Bool, &TSettings::startf1},
        {"startautoshow", TSettingKind::Bool, &TSettings::startautoshow},
        {"startreload", TSettingKind::Bool, &TSettings::startreload},
        {"notesaddbottom", TSettingKind::Bool, &TSettings::notesaddbottom},
        {"notescleartype", TSettingKind::Bool, &TSettings::notescleartype},
        {"notesfontname", TSettingKind::String, &TSettings::notesfontname},
        {"notesfontsize", TSettingKind::Int, &TSettings::notesfontsize, 4, 200},
        {"notesfontcharset", TSettingKind::Int, &TSettings::notesfontcharset},
        {"notestextcolor", TSettingKind::Colour, &TSettings::notestextcolor},
        {"notestextbackcolor", TSettingKind::Colour, &TSettings::notestextbackcolor},
        {"notesstayontop", TSettingKind::Bool, &TSettings::notesstayontop},
        {"notessizepos", TSettingKind::String, &TSettings::notessizepos},
        {"noteslocation", TSettingKind::String, &TSettings::noteslocation},
        {"notesmonitor", TSettingKind::Bool, &TSettings::notesmonitor},
        {"infoenabled", TSettingKind::Bool, &TSettings::infoenabled},
        {"infoonfocus", TSettingKind::Bool, &TSettings::infoonfocus},
        {"infosyntax", TSettingKind::String, &TSettings::infosyntax},
        {"infocustomtime", TSettingKind::String, &TSettings::infocustomtime},
        {"infotextcolor", TSettingKind::Colour, &TSettings::infotextcolor},
        {"infobgcolor", TSettingKind::Colour, &TSettings::infobgcolor},
        {"infofontname", TSettingKind::String, &TSettings::infofontname},
        {"infofontsize", TSettingKind::Int, &TSettings::infofontsize, 4, 200},    };
    return table;
}

const TSettingDef* FindSetting(const QString& key) {
    for (const TSettingDef& d : SettingsTable())
        if (SameText(QLatin1String(d.key), key))
            return &d;
    return nullptr;
}

QString SettingText(const TSettings& s, const TSettingDef& def) {
    return std::visit(
        [&](auto member) -> QString {
            const auto& v = s.*member;
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, bool>)
                return v ? QStringLiteral("1") : QStringLiteral("0");
            else if constexpr (std::is_same_v<V, int>)
                return QString::number(v);
            else
                return v;
        },
        def.field);
}

bool SetSettingText(TSettings& s, const TSettingDef& def, const QString& text, QString* error) {
    const QString t = TrimText(text);
    return std::visit(
        [&](auto member) -> bool {
            auto& v = s.*member;
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, QString>) {
                v = text;
                return true;
            } else {
                int n = 0;
                if (std::is_same_v<V, bool> && (SameText(t, QStringLiteral("true")) || SameText(t, QStringLiteral("false"))))
                    n = SameText(t, QStringLiteral("true"));
                else if (!TMemIniFile::ParseInteger(t, n)) {
                    if (error)
                        *error = QStringLiteral("\"%1\" is not %2 for %3.")
                                     .arg(text, std::is_same_v<V, bool> ? QStringLiteral("1 or 0")
                                                                         : QStringLiteral("a whole number"),
                                          QLatin1String(def.key));
                    return false;
                }
                if constexpr (std::is_same_v<V, bool>) {
                    v = n != 0;
                } else {
                    // Refused with the range: a clamped value would be a value nobody asked for.
                    if (n < def.lo || n > def.hi) {
                        if (error)
                            *error = QStringLiteral("%1 is out of range for %2, which takes %3 to %4.")
                                         .arg(t, QLatin1String(def.key), QString::number(def.lo), QString::number(def.hi));
                        return false;
                    }
                    v = n;
                }
                return true;
            }
        },
        def.field);
}

QString RepairOrder(const QString& order) {
    QString o = order;
    if (!o.contains(QLatin1String("Programs")) && !o.contains(QLatin1String("Indexed items")))
        o += QLatin1String(",Programs");
    if (o.contains(QLatin1String("Programs")))
        o.replace(QLatin1String("Programs"), QLatin1String("\"Indexed items\""), Qt::CaseInsensitive);
    return o;
}

void ReadSetup(const TMemIniFile& ini, TSettings& s, TSetupReadInfo& info) {
    s = TSettings{};
    s.skinname = info.programFolder + QLatin1String("skins/scale_dark.skn");
    info.version = ini.ReadInteger(kSetup, QStringLiteral("version"), 0);
    for (const TSettingDef& d : SettingsTable()) {
        const QString key = QLatin1String(d.key);
        std::visit(
            [&](auto member) {
                auto& v = s.*member;
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, bool>)
                    v = ini.ReadBool(kSetup, key, v);
                else if constexpr (std::is_same_v<V, int>)
                    v = std::clamp(ini.ReadInteger(kSetup, key, v), d.lo, d.hi);
                else
                    v = ini.ReadString(kSetup, key, v);
            },
            d.field);
        // Defaults that depend on keys read before them.
        if (key == QLatin1String("windowcolor")) {
            s.inputwindowcolor = s.windowcolor;
            s.infobgcolor = s.windowcolor;
        } else if (key == QLatin1String("dropprograms")) {
            s.scanwindowsitems = s.dropprograms;
        }
    }
    // Keys that depend on the whole file are read again with their dependent defaults.
    s.scanwindowsitems = ini.ReadBool(kSetup, QStringLiteral("scanwindowsitems"), s.dropprograms);
    s.inputwindowcolor = ini.ReadInteger(kSetup, QStringLiteral("inputwindowcolor"), s.windowcolor);
    s.infobgcolor = ini.ReadInteger(kSetup, QStringLiteral("infobgcolor"), s.windowcolor);
    s.expandf4 = ini.ReadBool(kSetup, QStringLiteral("expandf4"), s.autodropdown || s.skintype > 2);

    // Older files.
    if (ini.ReadBool(kSetup, QStringLiteral("autocenter"), false))
        s.center = 1;
    if (ini.ReadBool(kSetup, QStringLiteral("hookwinr"), false))
        s.hookwin = 9;
    if (ini.ReadBool(kSetup, QStringLiteral("hookwinz"), false))
        s.hookwin = 10;
    if (s.unknownlaunchtype == -1)
        s.unknownlaunchtype = ini.ReadBool(kSetup, QStringLiteral("defaultenter"), true) ? 1 : 0;
    if (s.skintype >= 2 && s.width < 130)
        s.width = 130;
    else if (s.skintype < 2 && s.width < 30)
        s.width = 30;
    s.comboorder = RepairOrder(s.comboorder);
    s.autoorder = RepairOrder(s.autoorder);
    if (s.autoindex == -1)
        s.autoindex = s.noindexrefresh ? 1 : 3;
}

void WriteSetup(TMemIniFile& ini, const TSettings& s) {
    ini.WriteInteger(kSetup, QStringLiteral("version"), kSettingsVersion);
    ini.WriteBool(kSetup, QStringLiteral("uselist"), true);
    for (const TSettingDef& d : SettingsTable())
        ini.WriteString(kSetup, QLatin1String(d.key), SettingText(s, d));
}

} // namespace vantrelo
