// The settings record (one field per key of the "Setup" section) and the table that drives it.
#pragma once

#include <QString>

#include <climits>
#include <variant>
#include <vector>

namespace vantrelo {

class TMemIniFile;

// Every user preference. Colours are Windows colour values 0x00BBGGRR.
struct TSettings {
    int shutdowns = 0;
    int priority = 2;
    bool autostart = false;
    bool sendtomenu = false;
    QString startup = QString();
    bool backup = true;
    bool incognito = false;
    QString incognitoconfig = QStringLiteral("1");
    bool dontwait = false;
    bool ignorenetwork = true;
    QString importurl = QString();
    bool importurlfast = false;
    int darkmode = 0;
    int skintype = 4;
    bool close = false;
    bool hide = true;
    bool stayontop = false;
    int posx = 200;
    int posy = 200;
    bool trayicon = true;
    bool alwaystrayicon = false;
    bool popatcursor = false;
    int center = 0;
    bool lockwindow = false;
    bool onewindow = false;
    int borderstyle = 0;
    bool noalttab = false;
    bool hotkeyhide = false;
    bool clearlast = false;
    bool holdtext = false;
    bool fastesc = false;
    int failcolor = 255;
    QString toastfontcolor = QString();
    bool dimonexpand = false;
    bool diminput = false;
    int dimamount = 82;
    bool contextmenumouse = false;
    int hotkey = 90;
    int hotkeyadd = 12;
    int hookwin = 0;
    int presstwicetime = 350;
    int gamingmode = 0;
    bool autowords = true;
    bool autohistory = true;
    bool autofilesystem = true;
    bool autoprograms = false;
    QString autoorder = QStringLiteral("Keywords,\"Indexed items\",History,\"File system\"");
    bool lessauto = false;
    bool smartparam = true;
    bool notrailingspace = false;
    bool switchtab = true;
    bool autoexpand = false;
    bool expandf4 = true;
    bool externaltext = false;
    int inputassistsorting = 0;
    int inputassistarrow = 0;
    int inputassistenter = 1;
    int inputassistcycle = 0;
    int autofuzz = 0;
    int autoshort = 2;
    bool autoshortalways = true;
    bool autoshortlistonly = false;
    int searchtype = 1;
    int unknownlaunchtype = -1;
    QString fastsearch = QStringLiteral("google");
    QString launchignorelist = QStringLiteral("?,%");
    bool launchfromkeypad = false;
    bool numlockallow = false;
    bool launchusingalt = false;
    bool simplearrownav = false;
    QString separator = QStringLiteral("||");
    int forwardlogic = 1;
    int inputfocusedworkflow = 0;
    bool spellcheckedit = false;
    int altenter = 0;
    bool cefilefolders = true;
    QString comboorder = QStringLiteral("History,Keywords,\"File system\",\"Indexed items\"");
    bool drophistory = true;
    bool dropwords = true;
    bool dropfilesystem = true;
    bool dropprograms = true;
    bool autodropdown = true;
    int autodelay = 0;
    int maxvisible = 12;
    int maxdropdown = 75;
    bool comboheaders = true;
    bool itemquicklaunch = true;
    bool noduplicates = true;
    bool listbehaveslikedropdown = false;
    bool listfixedsize = true;
    bool listicons = true;
    bool listtitles = true;
    bool listbolditems = false;
    bool listnoscrollbar = true;
    int listrowmode = 0;
    int listrowheight = 33;
    int listfontsize = 9;
    QString listfontname = QString();
    bool listinherittransparency = true;
    bool listnetworkicons = false;
    int listselectopacity = 150;
    bool nolisticoncache = false;
    bool nolistprogramsiconcache = false;
    bool shownumbersinlist = false;
    bool righttextnoalign = false;
    bool specialsolo = true;
    bool commandslast = false;
    QString excludelist = QString();
    int excludetype = 0;
    bool excludefilesystem = false;
    bool dropbuttonauto = true;
    bool autoshowhint = true;
    bool fullpathmain = false;
    bool fullpathlist = false;
    bool pin = false;
    QString pinfile = QString();
    QString skinname = QString();
    int width = 140;
    int customwidth = -1;
    int transactive = 255;
    int transinactive = 255;
    int textcolor = 14268988;
    int textbackcolor = 1907479;
    int windowcolor = 3750201;
    int inputwindowcolor = 3750201;
    int outlinecolor = 3814702;
    int arrowcolor = 3814702;
    int fillcolor = 1907479;
    int titlecolor = 8351269;
    int listtitlecolor = 8151863;
    bool showcombo = false;
    bool showwordicon = true;
    QString fontname = QStringLiteral("Tahoma");
    int fontsize = 17;
    bool fontbold = false;
    int fontcharset = 0;
    int expandfontsize = 0;
    QString expandfontcolor = QString();
    int assistfontsize = 10;
    bool cleartype = true;
    int drawmode = 3;
    bool savehistory = true;
    int maxhistory = 100;
    bool noindexhist = false;
    bool addcalculationtohistory = false;
    QString browser = QString();
    QString explore = QString();
    bool simplebrowser = false;
    bool urlmaxed = false;
    bool dontsetdefaultdir = false;
    QString resolveindexed = QStringLiteral("any");
    int openmode = 1;
    QString customtime = QString();
    int indexmode = 0;
    bool scanwindowsitems = true;
    QString scandirs = QString();
    QString indexextraitems = QStringLiteral("rfControlPanel,rfPersonal,rfCommonAdminTools,rfDesktop");
    bool includehidden = true;
    bool indexuwp = true;
    bool cacheindex = true;
    bool noindexrefresh = false;
    int autoindex = -1;
    int indexidle = 15;
    int indexrefresh = 2;
    bool autocalc = true;
    int calcdisplaystyle = 0;
    QString calcformat = QStringLiteral("%.10g");
    QString calcchar = QStringLiteral("#");
    bool clipboardsniffer = true;
    int clipboardhours = 0;
    bool clipautopaste = false;
    bool usesound = false;
    QString successsound = QString();
    QString failsound = QString();
    QString alarmsound = QString();
    QString reminder = QString();
    bool autoapply = true;
    bool autosorteditor = false;
    bool editorpanel = true;
    bool openeditormax = false;
    bool hidekeywordpanel = true;
    QString defaultfilter = QString();
    bool syntaxhighlight = true;
    int browsermode = 0;
    bool browserautoend = false;
    bool browserpreload = false;
    bool browserdot = false;
    QString browserua = QString();
    bool browserid = true;
    bool browserfocus = false;
    int permissionlevel = 1;
    bool fastbrowserhide = false;
    QString startpage = QString();
    bool startf1 = false;
    bool startautoshow = false;
    bool startreload = false;
    bool notesaddbottom = false;
    bool notescleartype = false;
    QString notesfontname = QStringLiteral("Arial");
    int notesfontsize = 11;
    int notesfontcharset = 0;
    int notestextcolor = 15855875;
    int notestextbackcolor = 5060904;
    bool notesstayontop = false;
    QString notessizepos = QStringLiteral("x");
    QString noteslocation = QString();
    bool notesmonitor = false;
    bool infoenabled = false;
    bool infoonfocus = false;
    QString infosyntax = QStringLiteral("$ddd$");
    QString infocustomtime = QString();
    int infotextcolor = 65280;
    int infobgcolor = 3750201;
    QString infofontname = QString();
    int infofontsize = 8;};

enum class TSettingKind { Bool, Int, Colour, String };

struct TSettingDef {
    const char* key;
    TSettingKind kind;
    std::variant<bool TSettings::*, int TSettings::*, QString TSettings::*> field;
    int lo = INT_MIN; // integers are clamped into [lo, hi] when read
    int hi = INT_MAX;
};

// Every written key of "Setup", in the order in which it is written.
const std::vector<TSettingDef>& SettingsTable();
const TSettingDef* FindSetting(const QString& key);

// The value as it is written to the file (booleans 1/0).
QString SettingText(const TSettings& s, const TSettingDef& def);
// Sets a value from text, strictly: false with `error` when the text does not fit the type or is
// out of the setting's range (the error names the range).
bool SetSettingText(TSettings& s, const TSettingDef& def, const QString& text, QString* error);

constexpr int kSettingsVersion = 20400;

struct TSetupReadInfo {
    QString programFolder; // with trailing "/"; the default skin lives below it
    int version = 0;       // the file's format version (0 when missing)
};

// Reads every key with its default, then applies the migrations of older files and the clamps.
void ReadSetup(const TMemIniFile& ini, TSettings& s, TSetupReadInfo& info);
// Writes every key into "Setup" ("version" 20400 and "uselist" 1 first).
void WriteSetup(TMemIniFile& ini, const TSettings& s);
// Repairs a list-source order text: older files named the indexed items "Programs".
QString RepairOrder(const QString& order);

} // namespace vantrelo
