// The settings dialog's page table and the colour templates of "Darker UI theme:".
#include "ui/settings/setupfields.h"

#include "core/settings.h"

#include <QSet>

#include <algorithm>

namespace vantrelo {

namespace {

std::vector<std::pair<int, const char*>> DarkModeChoices() {
    std::vector<std::pair<int, const char*>> c{{0, "None"}};
    int v = 1;
    for (const TColourTemplate& t : ColourTemplates())
        c.emplace_back(v++, t.name);
    return c;
}

std::vector<TSetupField> BuildFields() {
    std::vector<TSetupField> fields{
    {"priority", "General", "Program priority:", TControl::Choice, {{0, "Highest"}, {1, "High"}, {2, "Normal"}, {3, "Low"}}},
    {"autostart", "General", "Start when I log in.", TControl::Immediate},
    {"sendtomenu", "General", "Add to the file manager's \"Open with\" menu.", TControl::Immediate},
    {"startup", "General", "Run at start:", TControl::TrimmedText, {}, "Keywords, commands or addresses run when Vantrelo starts, separated by commas."},
    {"backup", "General", "Do automatic backup.", TControl::Check},
    {"incognito", "General", "Incognito mode on", TControl::Check},
    {"incognitoconfig", "General", "What incognito mode suppresses:", TControl::Text, {}, "Codes of the kinds of records not saved in incognito mode, or \"all\"."},
    {"dontwait", "General", "Don't wait for launch result.", TControl::Check},
    {"ignorenetwork", "General", "Don't try to resolve network paths.", TControl::Check},
    {"importurl", "General", "Import keywords at start from:", TControl::TrimmedText, {}, "An address or file path of a Vantrelo export file (.exc)."},
    {"importurlfast", "General", "Run that import before the window shows.", TControl::Check, {}, "Otherwise it runs in the background after the start."},
    {"darkmode", "General", "Darker UI theme:", TControl::Choice, DarkModeChoices()},
    {"close", "Input window, tray and position", "Exit the program after every executed command", TControl::Check},
    {"hide", "Input window, tray and position", "Auto-hide (after launching and when no focus).", TControl::Check},
    {"stayontop", "Input window, tray and position", "Force window on top (may cause glitches).", TControl::Check},
    {"trayicon", "Input window, tray and position", "Show icon in the system tray when hidden.", TControl::Check},
    {"alwaystrayicon", "Input window, tray and position", "Always show icon in the system tray.", TControl::Check},
    {"popatcursor", "Input window, tray and position", "Move window to mouse position.", TControl::Check},
    {"center", "Input window, tray and position", "Auto center:", TControl::Centre, {{0, "Don't auto center Vantrelo window"}, {1, "Always center on the primary display"}, {2, "Center on the display where currently located"}, {3, "Center on the display where the mouse is"}, {4, "Center on the display of the current active window"}}},
    {"lockwindow", "Input window, tray and position", "Lock window position and size.", TControl::Check},
    {"onewindow", "Input window, tray and position", "Show input and list as one window.", TControl::Check},
    {"noalttab", "Input window, tray and position", "Hide from Alt-Tab (requires restart).", TControl::Check},
    {"hotkeyhide", "Input window, tray and position", "Hotkey also hides Vantrelo when it is in focus.", TControl::Check},
    {"clearlast", "Input window, tray and position", "Clear last input when in focus.", TControl::Check},
    {"holdtext", "Input window, tray and position", "Hold text when shown again.", TControl::Check, {}, "The input is neither cleared nor replaced by the info text when the window comes back; shown as \"H\" in the state panel."},
    {"fastesc", "Input window, tray and position", "Esc resets the input at once.", TControl::Check, {}, "Skips the first step of resetting an input that is not wholly selected."},
    {"failcolor", "Input window, tray and position", "Colour of the input text after a failed command", TControl::Colour},
    {"toastfontcolor", "Input window, tray and position", "Toast and state panel text colour (#RRGGBB):", TControl::Text, {}, "Empty gives #FFCC40."},
    {"dimonexpand", "Input window, tray and position", "Dim main input when expanded.", TControl::Check},
    {"diminput", "Input window, tray and position", "Dim the input while the multi-line editor is open.", TControl::Check, {}, "The input text and the title are dimmed by the dim amount."},
    {"dimamount", "Input window, tray and position", "Dim amount (%):", TControl::Number, {}, "How far dimmed text moves toward the background colour, 0 to 100."},
    {"contextmenumouse", "Input window, tray and position", "Item context menu opens at the mouse.", TControl::Check, {}, "The file manager's menu of the current item opens at the mouse position instead of the input line."},
    {"hotkey", "Hotkey and Windows key", "Hotkey:", TControl::Hotkey},
    {"hookwin", "Hotkey and Windows key", "Super (Windows) key:", TControl::Choice, {{0, "No override (desktop default)"}, {1, "Super opens Vantrelo, press twice opens the desktop's menu"}, {2, "Super opens the desktop's menu, press twice opens Vantrelo"}, {3, "Super opens Vantrelo, Ctrl+Esc opens the desktop's menu"}, {4, "Super opens Vantrelo, Shift+Super opens the desktop's menu"}, {5, "Super opens the desktop's menu, Shift+Super opens Vantrelo"}, {6, "Super opens nothing, twice opens Vantrelo (gaming etc.)"}, {7, "Super opens nothing, twice opens the desktop's menu (gaming etc.)"}, {8, "Super opens nothing (gaming etc.)"}, {9, "Super+R opens Vantrelo"}, {10, "Super+Z opens Vantrelo (Legacy)"}}, "What a press of the Super (Windows) key alone does. The desktop sees the key as well, so a mode cannot keep its own menu from opening."},
    {"presstwicetime", "Hotkey and Windows key", "Press-twice time (ms):", TControl::Number, {}, "Within this time a second press of the Super key counts as pressing twice."},
    {"gamingmode", "Hotkey and Windows key", "Gaming mode:", TControl::Choice, {{0, "Off"}, {1, "1: Super opens nothing, twice opens Vantrelo"}, {2, "2: Super opens nothing, twice opens the desktop's menu"}, {3, "3: Super opens nothing"}}, "Usually set by the gaming commands typed in the input line; shown in the state panel while on."},
    {"autoorder", "Input and typing", "Autocomplete and order.", TControl::Order},
    {"lessauto", "Input and typing", "Autocomplete only at the end of the text.", TControl::Check, {}, "Only autocomplete when the cursor is at the end of the text, or at the start of a suggestion."},
    {"smartparam", "Input and typing", "Add space after keyword if it supports parameters.", TControl::Check},
    {"notrailingspace", "Input and typing", "No text is appended after a completed keyword", TControl::Check},
    {"switchtab", "Input and typing", "Tab = Move delimiter, Ctrl+Tab = autocomplete.", TControl::Check},
    {"autoexpand", "Input and typing", "Auto-expand input when space runs out.", TControl::Check},
    {"expandf4", "Input and typing", "Pressing F4 expands input instead of focusing list.", TControl::Check},
    {"externaltext", "Input and typing", "Synthetic input support (experimental).", TControl::Check},
    {"inputassistsorting", "Input and typing", "Sort order of the input-assist popup", TControl::Number},
    {"inputassistarrow", "Input and typing", "Arrow-key behaviour in the input-assist popup", TControl::Number},
    {"inputassistenter", "Input and typing", "Enter-key behaviour in the input-assist popup", TControl::Number},
    {"inputassistcycle", "Input and typing", "Cycling in the input-assist popup", TControl::Number},
    {"autofuzz", "Input and typing", "Fuzzy matching mode", TControl::Number},
    {"autoshort", "Input and typing", "Suggestions:", TControl::Choice, {{0, "Don't use suggestions"}, {1, "Only for keywords"}, {2, "For keywords and indexed items"}}},
    {"autoshortalways", "Input and typing", "Always add suggestions to the list.", TControl::Check, {}, "Suggestions replace indexed items; when off they are added only when nothing else is found."},
    {"autoshortlistonly", "Input and typing", "No suggestions in input field (only in list).", TControl::Check},
    {"searchtype", "Input and typing", "List search type.", TControl::Choice, {{0, "Text starts with"}, {1, "Contains text"}}},
    {"unknownlaunchtype", "Input and typing", "If pressing enter and input is not something valid then", TControl::Choice, {{0, "do nothing"}, {1, "launch first item in list"}, {2, "open text using a keyword"}}},
    {"fastsearch", "Input and typing", "Keyword that opens unknown text:", TControl::Text, {}, "Used by \"open text using a keyword\"."},
    {"launchignorelist", "Input and typing", "Never open with that keyword:", TControl::Text, {}, "Comma-separated texts for which \"open text using a keyword\" is not used."},
    {"launchfromkeypad", "Input and typing", "Launch list items by pressing numeric keys.", TControl::Check},
    {"numlockallow", "Input and typing", "Allow numeric keys when editing parameter text.", TControl::Check},
    {"launchusingalt", "Input and typing", "Launch list items by pressing Alt+[1-9].", TControl::Check},
    {"simplearrownav", "Input and typing", "Plain arrow-key navigation between input and list", TControl::Check},
    {"separator", "Input and typing", "Command separator:", TControl::Text, {}, "Separates several commands in one input or one keyword's command line."},
    {"forwardlogic", "Input and typing", "Forward logic (0 off):", TControl::Number, {}, "Execution option of the command pipeline: a value above 0 turns it on."},
    {"inputfocusedworkflow", "Input and typing", "Input-focused workflow (1 on):", TControl::Number, {}, "Execution option of the command pipeline: 1 turns it on."},
    {"spellcheckedit", "Input and typing", "Spell checking in the multi-line editor", TControl::Check},
    {"altenter", "Input and typing", "Alt+Enter opens in the internal browser (0 off):", TControl::Number, {}, "A value above 0 lets Alt+Enter launch into the internal browser."},
    {"cefilefolders", "Input and typing", "$ce$ also lists folders.", TControl::Check, {}, "Option of the \"$ce$\" substitution."},
    {"comboorder", "List window", "Enabled types and order.", TControl::Order},
    {"autodropdown", "List window", "Show list (recommended).", TControl::Check},
    {"autodelay", "List window", "Show and update list delay (in milliseconds).", TControl::Number},
    {"maxvisible", "List window", "Maximum visible items at a time:", TControl::Number},
    {"maxdropdown", "List window", "Maximum number of items:", TControl::Number},
    {"comboheaders", "List window", "Show type headers.", TControl::Check},
    {"itemquicklaunch", "List window", "Quick launch items.", TControl::Check},
    {"noduplicates", "List window", "Detect and hide duplicates.", TControl::Check},
    {"listbehaveslikedropdown", "List window", "Hide list when input field is empty.", TControl::Check},
    {"listfixedsize", "List window", "Shrink list height to match list results (legacy).", TControl::InverseCheck},
    {"listicons", "List window", "Show icons in list.", TControl::Check},
    {"listtitles", "List window", "Show title in list.", TControl::Check},
    {"listbolditems", "List window", "Write items in bold.", TControl::Check},
    {"listnoscrollbar", "List window", "Don't display scrollbar*.", TControl::Check},
    {"listrowmode", "List window", "Row layout of list entries", TControl::Number},
    {"listrowheight", "List window", "Row height of list entries in pixels", TControl::Number},
    {"listfontsize", "List window", "Font size of list entries", TControl::Number},
    {"listfontname", "List window", "List font name:", TControl::Text, {}, "Empty uses the input font."},
    {"listinherittransparency", "List window", "The list window takes the input window's transparency", TControl::Check},
    {"listnetworkicons", "List window", "Load icons of items on network paths", TControl::Check},
    {"listselectopacity", "List window", "Selection opacity (0-255):", TControl::Number, {}, "Opacity of the list's selection highlight."},
    {"nolisticoncache", "List window", "Build cache of keywords and history icons.*", TControl::InverseCheck},
    {"nolistprogramsiconcache", "List window", "Build cache of all index item icons.*", TControl::InverseCheck},
    {"shownumbersinlist", "List window", "Show numbers in list (1-9).", TControl::Check},
    {"righttextnoalign", "List window", "Don't align right-hand texts in a column.", TControl::Check},
    {"specialsolo", "List window", "Show special lists alone.", TControl::Check, {}, "Special lists (history, clipboard, tags...) are shown without the other sources."},
    {"commandslast", "List window", "List internal commands last.", TControl::Check},
    {"excludelist", "List window", "Exclude list:", TControl::TrimmedText, {}, "Indexed and history items containing one of these texts are never listed or suggested; separate them with \";\"."},
    {"excludetype", "List window", "Exclude type:", TControl::Choice, {{0, "Exclude in list"}, {1, "List and input auto-complete"}, {2, "Input auto-complete only"}}},
    {"excludefilesystem", "List window", "Also exclude from filesystem autocomplete", TControl::Check},
    {"dropbuttonauto", "List window", "Open-list button lists matches only.", TControl::Check, {}, "When off, the open-list button lists every entry."},
    {"autoshowhint", "List window", "Auto show hint (title of item).", TControl::Check},
    {"fullpathmain", "List window", "Display full path in main window.", TControl::Check},
    {"fullpathlist", "List window", "Display full path in list.", TControl::Check},
    {"pin", "List window", "Pin an image in the lower right corner.", TControl::Check},
    {"pinfile", "List window", "Pin image:", TControl::Text},
    {"skinname", "Look", "Skin (empty=no skin):", TControl::Text},
    {"customwidth", "Look", "Window width (-1 = skin's minimum):", TControl::Number, {}, "Set by resizing the window with the mouse; used when larger than the skin's minimum width."},
    {"transactive", "Look", "Transparency when active**.", TControl::Slider},
    {"transinactive", "Look", "Transparency when inactive**.", TControl::Slider},
    {"textcolor", "Look", "Input text colour", TControl::Colour},
    {"textbackcolor", "Look", "Background", TControl::Colour},
    {"windowcolor", "Look", "List border", TControl::Colour},
    {"inputwindowcolor", "Look", "Border", TControl::Colour},
    {"outlinecolor", "Look", "Button outline", TControl::Colour},
    {"arrowcolor", "Look", "Button arrow", TControl::Colour},
    {"fillcolor", "Look", "Button fill", TControl::Colour},
    {"titlecolor", "Look", "Title", TControl::Colour},
    {"listtitlecolor", "Look", "List title", TControl::Colour},
    {"showcombo", "Look", "Show open list button.", TControl::Check},
    {"showwordicon", "Look", "Show icon for input (if available).", TControl::Check},
    {"fontname", "Look", "Input font", TControl::Font},
    {"expandfontsize", "Look", "Expanded input font size (0 = input font):", TControl::Number, {}, "Font size of the multi-line input."},
    {"expandfontcolor", "Look", "Expanded input text colour (#RRGGBB):", TControl::Text, {}, "Text colour of the multi-line input; empty uses the input text colour."},
    {"assistfontsize", "Look", "Input assist (ctrl+space) font size:", TControl::Number},
    {"cleartype", "Look", "Smooth (anti-aliased) input font.", TControl::Check},
    {"drawmode", "Look", "Double-buffered drawing (read at start):", TControl::Choice, {{0, "Off everywhere"}, {1, "Only the list and the input line"}, {2, "All but the input window"}, {3, "Everywhere (default)"}}, "Double buffering avoids flicker; turn it off only when drawing looks wrong."},
    {"savehistory", "History", "Save history.", TControl::Check},
    {"maxhistory", "History", "Maximum history entries:", TControl::Number},
    {"noindexhist", "History", "Don't add to history.", TControl::Check},
    {"addcalculationtohistory", "History", "Add calculations to history.", TControl::Check},
    {"browser", "Launching", "Web browser (empty = desktop default):", TControl::TrimmedText},
    {"explore", "Launching", "File manager (empty = desktop default):", TControl::TrimmedText},
    {"simplebrowser", "Launching", "Hand addresses to the desktop as they are.", TControl::Check, {}, "Web addresses open without looking for a browser first."},
    {"urlmaxed", "Launching", "Open URLs maximized.", TControl::Check},
    {"dontsetdefaultdir", "Launching", "Don't give launched files a working folder.", TControl::Check},
    {"resolveindexed", "Launching", "Retry failed launches through the index:", TControl::Text, {}, "\"any\", \"shortcut\" (only shortcut items), or \"off\" / \"0\" (never)."},
    {"openmode", "Launching", "Launched programs belong to:", TControl::Choice, {{0, "The desktop"}, {1, "The window in front"}}, "The window a launched program is started over."},
    {"customtime", "Launching", "$TIME$ format:", TControl::Text, {}, "Date-time format for \"$TIME$\"; empty uses the default format."},
    {"indexmode", "Index", "Index scanning mode", TControl::Number},
    {"scanwindowsitems", "Index", "Index the application menu.", TControl::Check},
    {"scandirs", "Index", "Additional index paths", TControl::ScanFolders},
    {"indexextraitems", "Index", "Extra shell locations to index", TControl::Text},
    {"includehidden", "Index", "Include hidden folders.", TControl::Check},
    {"indexuwp", "Index", "Also index installed apps (Flatpak, Snap).", TControl::Check, {}, "Keeps the folder of app launchers that the index and the application import read."},
    {"cacheindex", "Index", "Build index cache file (for quick start).", TControl::Check},
    {"noindexrefresh", "Index", "Don't re-index on focus (older setting).", TControl::Check, {}, "Only used when no re-index choice is stored."},
    {"autoindex", "Index", "Re-index:", TControl::Choice, {{0, "Never"}, {1, "Only on startup"}, {2, "Only on focus"}, {3, "On startup and on focus"}, {4, "Only on XX minutes of idle"}, {5, "On startup and on XX minutes of idle"}}},
    {"indexidle", "Index", "Idle minutes before re-indexing:", TControl::Number, {}, "Used by the re-index choices that wait for idle time."},
    {"indexrefresh", "Index", "Index refresh option", TControl::Number},
    {"autocalc", "Calculator, clipboard, sounds", "Auto-detect calculations.", TControl::Check},
    {"calcdisplaystyle", "Calculator, clipboard, sounds", "Show result:", TControl::Choice, {{0, "In a pop up window"}, {1, "On input prefixed with #"}, {2, "Appended to calculation"}}},
    {"calcformat", "Calculator, clipboard, sounds", "Format of results", TControl::Text},
    {"calcchar", "Calculator, clipboard, sounds", "Prefix that marks an input as a calculation", TControl::Text},
    {"clipboardsniffer", "Calculator, clipboard, sounds", "Use clipboard sniffer (keyword \"clipboard\").", TControl::Check},
    {"clipboardhours", "Calculator, clipboard, sounds", "Save clipboard on disk for (hours):", TControl::Number},
    {"clipautopaste", "Calculator, clipboard, sounds", "Paste a clipboard entry when it is chosen.", TControl::Check, {}, "After an entry of the clipboard history is put back on the clipboard, it is also pasted into the window in front."},
    {"usesound", "Calculator, clipboard, sounds", "Enable sound.", TControl::Check},
    {"successsound", "Calculator, clipboard, sounds", "Sound file played after a successful command", TControl::TrimmedText},
    {"failsound", "Calculator, clipboard, sounds", "Sound file played after a failed command", TControl::TrimmedText},
    {"alarmsound", "Calculator, clipboard, sounds", "Sound file of the alarm", TControl::TrimmedText},
    {"reminder", "Calculator, clipboard, sounds", "Text of the current reminder", TControl::Text},
    {"autoapply", "Keyword editor", "Auto apply", TControl::Check},
    {"autosorteditor", "Keyword editor", "Auto-sort keyword editor when closed.", TControl::Check},
    {"editorpanel", "Keyword editor", "Show the filter line.", TControl::Check},
    {"openeditormax", "Keyword editor", "Open keyword editor maximized.", TControl::Check},
    {"hidekeywordpanel", "Keyword editor", "Hide the detail panel when no keyword is selected.", TControl::Check},
    {"defaultfilter", "Keyword editor", "Filter when the editor opens:", TControl::Text, {}, "The editor starts with only the keywords this filter lists, for example \"enabled:\"."},
    {"syntaxhighlight", "Keyword editor", "Colour the command fields' syntax.", TControl::Check},
    {"browsermode", "Internal browser and start page", "How URLs open in the internal browser", TControl::Number},
    {"browserautoend", "Internal browser and start page", "End browser when dismissed (no background running).", TControl::Check},
    {"browserpreload", "Internal browser and start page", "Preload browser before use (first open faster).", TControl::Check},
    {"browserdot", "Internal browser and start page", "Show a green dot when active browser in background.", TControl::Check},
    {"browserua", "Internal browser and start page", "User agent (leave blank to use default).", TControl::Text},
    {"browserid", "Internal browser and start page", "Add Vantrelo to default user agent of internal browser.", TControl::Check},
    {"browserfocus", "Internal browser and start page", "Preserve browser focus.", TControl::Check},
    {"permissionlevel", "Internal browser and start page", "Default connect permission level:", TControl::Choice, {{0, "(0) Always ask for permission"}, {1, "(1) Allow basic commands"}, {2, "(2) Allow basic commands, open url"}, {3, "(3) Allow basic commands, clicks, open url"}, {4, "(4) Allow basic commands, run input, clicks, open url"}}, "What a web page shown in the internal browser may ask Vantrelo to do without asking you first."},
    {"fastbrowserhide", "Internal browser and start page", "Hide browser when input is empty.", TControl::Check},
    {"startpage", "Internal browser and start page", "URL, a keyword using a URL or leave empty:", TControl::TrimmedText},
    {"startf1", "Internal browser and start page", "Pressing F1 opens start page instead of Help.", TControl::Check},
    {"startautoshow", "Internal browser and start page", "Auto-show start page when regaining focus and idle.", TControl::Check},
    {"startreload", "Internal browser and start page", "Reload start page every time it’s shown.", TControl::Check},
    {"notesaddbottom", "Notes", "When adding to notes, add to the bottom instead of the top.", TControl::Check},
    {"notescleartype", "Notes", "Smooth (anti-aliased) notes font.", TControl::Check},
    {"notesfontname", "Notes", "Notes font", TControl::Font},
    {"notestextcolor", "Notes", "Text color", TControl::Colour},
    {"notestextbackcolor", "Notes", "Text background", TControl::Colour},
    {"notesstayontop", "Notes", "Notes window stays on top", TControl::Check},
    {"notessizepos", "Notes", "Remember size and position.", TControl::Check},
    {"noteslocation", "Notes", "Use default location (notes.txt in Vantrelo data folder).", TControl::NotesLocation},
    {"notesmonitor", "Notes", "Follow outside changes to the notes file.", TControl::Check, {}, "When another program changes the notes file, the notes window shows the new text."},
    {"infoenabled", "Idle information", "Idle information on", TControl::Check},
    {"infoonfocus", "Idle information", "Show info when regaining focus.", TControl::Check},
    {"infosyntax", "Idle information", "Info syntax:", TControl::InfoSyntax},
    {"infocustomtime", "Idle information", "Date-time format for the idle information", TControl::Text},
    {"infotextcolor", "Idle information", "Text colour", TControl::Colour},
    {"infobgcolor", "Idle information", "Background colour", TControl::Colour},
    {"infofontname", "Idle information", "Font name", TControl::Text},
    {"infofontsize", "Idle information", "Font size", TControl::Number},
    };
    // Keys added to the settings table later still reach the dialog.
    for (const TSettingDef& def : SettingsTable()) {
        const QString key = QLatin1String(def.key);
        const bool listed = std::any_of(fields.begin(), fields.end(),
                                        [&](const TSetupField& f) { return key == QLatin1String(f.key); });
        if (listed || KeyWithoutOwnControl(key))
            continue;
        const TControl c = def.kind == TSettingKind::Bool     ? TControl::Check
                           : def.kind == TSettingKind::String ? TControl::Text
                           : def.kind == TSettingKind::Colour ? TControl::Colour
                                                              : TControl::Number;
        fields.push_back({def.key, "Other", def.key, c});
    }
    return fields;
}

} // namespace

const std::vector<TSetupField>& SetupFields() {
    static const std::vector<TSetupField> fields = BuildFields();
    return fields;
}

std::vector<QString> SetupPages() {
    std::vector<QString> pages;
    for (const TSetupField& f : SetupFields()) {
        const QString p = QLatin1String(f.page);
        if (std::find(pages.begin(), pages.end(), p) == pages.end())
            pages.push_back(p);
    }
    return pages;
}

QString PermissionLevelText(int level) {
    static const char* const names[] = {"None", "Basic commands", "Basic commands, open url",
                                        "Basic commands, clicks, open url",
                                        "Basic commands, run input, clicks, open url"};
    const QString name = level >= 0 && level < 5 ? QLatin1String(names[level]) : QStringLiteral("Unknown");
    return name + QStringLiteral(" (level: ") + QString::number(level) + u')';
}

QString WithIdleMinutes(const QString& wording, int minutes) {
    QString text = wording;
    return text.replace(QLatin1String("XX"), QString::number(minutes));
}

const TSetupField* FindSetupField(const QString& key) {
    for (const TSetupField& f : SetupFields())
        if (key == QLatin1String(f.key))
            return &f;
    return nullptr;
}

bool KeyWithoutOwnControl(const QString& key) {
    static const QSet<QString> keys{
        // Edited by the order check lists, the hotkey's boxes and the font buttons.
        "drophistory", "dropwords", "dropfilesystem", "dropprograms", "autohistory", "autowords", "autofilesystem",
        "autoprograms", "hotkeyadd", "fontsize", "fontbold", "fontcharset", "notesfontsize", "notesfontcharset",
        // Written from the running program, not chosen: the exit count, the window's position,
        // the display style forced to Scale, and the sizes the Scale layout recomputes.
        "shutdowns", "posx", "posy", "skintype", "borderstyle", "width"};
    return keys.contains(key);
}

const std::vector<TColourTemplate>& ColourTemplates() {
    static const std::vector<TColourTemplate> t{
        {"Cool Slate", 0xAEB4BB, 0xCDD3DA, 0xE3E7EC},      {"Warm Minimalism", 0xC0BFB8, 0xD8D6CF, 0xE6E4DD},
        {"Earthy Neutral", 0xB2B8B8, 0xD2D2CC, 0xE4E4DE},  {"High Contrast", 0xC2C7CC, 0xDCE2E8, 0xEDF1F5},
        {"Neutral Clarity", 0xC3C7CB, 0xD9DDE2, 0xEDF0F3}, {"Cyber Mist", 0xB8E2DA, 0xD6F0E8, 0xE4F7F2},
        {"Tropical Sand", 0xD4CBB8, 0xE2DAC5, 0xF0E8D8},   {"Late Night", 0xB5BABF, 0xDAE1E8, 0xF2ECE7},
        {"Blue Moon", 0xA5BACF, 0xDAE1E8, 0xE7EDF2},       {"Mystic Lavender", 0xB0BFCF, 0xDAC5E2, 0xE8D8F0},
        {"Volcanic Ash", 0xB0B0B0, 0xC8C8C8, 0xDCDCDC},    {"Sunset Clay", 0xC0A080, 0xD8B898, 0xE8C8A8},
        {"Pink Passion", 0xD8B0E8, 0xE2C8F0, 0xECD8F8},    {"Steel", 0x909090, 0xA8A8A8, 0xC0C0C0},
        {"Earthy Shade", 0xA89E9A, 0xC0B8B4, 0xDCD4D0},    {"Blue Steel", 0x9A9EA8, 0xB4B8C0, 0xD0D4DC},
        {"Hawk Vision", 0x8C8692, 0xA19DA7, 0xBAB5C0},
    };
    return t;
}

const TColourTemplate* TemplateFor(int darkmode) {
    if (darkmode <= 0)
        return nullptr;
    const auto& t = ColourTemplates();
    return darkmode > int(t.size()) ? &t[1] : &t[size_t(darkmode) - 1];
}

} // namespace vantrelo
