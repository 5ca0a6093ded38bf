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
    {"startup", "General", "Startup these keywords/commands/urls etc. when Vantrelo start up (separated by comma if more).", TControl::TrimmedText},
    {"backup", "General", "Do automatic backup.", TControl::Check},
    {"incognito", "General", "Incognito mode on", TControl::Check},
    {"incognitoconfig", "General", "What incognito mode suppresses: a text searched (without regard to case) for the code of each kind of record, or containing \"all\"", TControl::Text},
    {"dontwait", "General", "Don't wait for launch result.", TControl::Check},
    {"ignorenetwork", "General", "Don't try to resolve network paths.", TControl::Check},
    {"importurl", "General", "Auto-import keywords from this url or file path on startup. Must be a an Vantrelo export file (.exc).", TControl::TrimmedText},
    {"importurlfast", "General", "Run that import at start before the window is shown, instead of in the background after start", TControl::Check},
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
    {"holdtext", "Input window, tray and position", "Hold text: when the window is shown again the input is neither cleared nor replaced by the info text; shown as \"H\" in the state panel", TControl::Check},
    {"fastesc", "Input window, tray and position", "Escape skips the first step of resetting a non-empty input that is not wholly selected, and acts at once", TControl::Check},
    {"failcolor", "Input window, tray and position", "Colour of the input text after a failed command", TControl::Colour},
    {"toastfontcolor", "Input window, tray and position", "Text colour of the toast and the state panel, written as a hash sign and six hexadecimal digits RRGGBB; empty gives RGB #FFCC40", TControl::Text},
    {"dimonexpand", "Input window, tray and position", "Dim main input when expanded.", TControl::Check},
    {"diminput", "Input window, tray and position", "Dim the input text and the title while the multi-line editor is open", TControl::Check},
    {"dimamount", "Input window, tray and position", "Percentage by which dimmed text moves toward the background colour (limited to 0 to 100)", TControl::Number},
    {"contextmenumouse", "Input window, tray and position", "The Windows context menu of the current item opens at the mouse position", TControl::Check},
    {"hotkey", "Hotkey and Windows key", "Hotkey:", TControl::Hotkey},
    {"hookwin", "Hotkey and Windows key", "Windows key override:", TControl::Number},
    {"presstwicetime", "Hotkey and Windows key", "Milliseconds within which a second press of the Windows key counts as \"press twice\"", TControl::Number},
    {"gamingmode", "Hotkey and Windows key", "Gaming mode 0 (off), 1, 2 or 3; set by internal commands; shown in the state panel", TControl::Number},
    {"autoorder", "Input and typing", "Autocomplete and order.", TControl::Order},
    {"lessauto", "Input and typing", "Only autocomplete when cursor is at end of text, or at start of a suggestion.", TControl::Check},
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
    {"autoshortalways", "Input and typing", "Always add suggestion items to the list and replace indexed items. If not checked, suggestion items will only be added to the list when no other item types are found.", TControl::Check},
    {"autoshortlistonly", "Input and typing", "No suggestions in input field (only in list).", TControl::Check},
    {"searchtype", "Input and typing", "List search type.", TControl::Choice, {{0, "Text starts with"}, {1, "Contains text"}}},
    {"unknownlaunchtype", "Input and typing", "If pressing enter and input is not something valid then", TControl::Choice, {{0, "do nothing"}, {1, "launch first item in list"}, {2, "open text using a keyword"}}},
    {"fastsearch", "Input and typing", "Keyword used by \"open text using a keyword\"", TControl::Text},
    {"launchignorelist", "Input and typing", "Comma-separated texts for which \"open text using a keyword\" is not applied", TControl::Text},
    {"launchfromkeypad", "Input and typing", "Launch list items by pressing numeric keys.", TControl::Check},
    {"numlockallow", "Input and typing", "Allow numeric keys when editing parameter text.", TControl::Check},
    {"launchusingalt", "Input and typing", "Launch list items by pressing Alt+[1-9].", TControl::Check},
    {"simplearrownav", "Input and typing", "Plain arrow-key navigation between input and list", TControl::Check},
    {"separator", "Input and typing", "Separator between several commands in one input or command line (default given below the table)", TControl::Text},
    {"forwardlogic", "Input and typing", "Execution option of the pipeline (values above 0 enable it)", TControl::Number},
    {"inputfocusedworkflow", "Input and typing", "Execution option of the pipeline (1 enables it)", TControl::Number},
    {"spellcheckedit", "Input and typing", "Spell checking in the multi-line editor", TControl::Check},
    {"altenter", "Input and typing", "Option of launching into the internal browser (values above 0 enable it)", TControl::Number},
    {"cefilefolders", "Input and typing", "Option of the \"$ce$\" substitution", TControl::Check},
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
    {"listfontname", "List window", "Font name of list entries; empty uses the input font", TControl::Text},
    {"listinherittransparency", "List window", "The list window takes the input window's transparency", TControl::Check},
    {"listnetworkicons", "List window", "Load icons of items on network paths", TControl::Check},
    {"listselectopacity", "List window", "Opacity (0 to 255) of the selection highlight", TControl::Number},
    {"nolisticoncache", "List window", "Build cache of keywords and history icons.*", TControl::InverseCheck},
    {"nolistprogramsiconcache", "List window", "Build cache of all index item icons.*", TControl::InverseCheck},
    {"shownumbersinlist", "List window", "Show numbers in list (1-9).", TControl::Check},
    {"righttextnoalign", "List window", "Right-hand text of list rows is not aligned in a column", TControl::Check},
    {"specialsolo", "List window", "Special lists are shown alone, without other sources", TControl::Check},
    {"commandslast", "List window", "Internal commands are listed after the other sources", TControl::Check},
    {"excludelist", "List window", "Exclude list. Never list/suggest items (indexed/history) if containing exclude text. Items can be separated by semi-colon \";\"", TControl::TrimmedText},
    {"excludetype", "List window", "Exclude type:", TControl::Choice, {{0, "Exclude in list"}, {1, "List and input auto-complete"}, {2, "Input auto-complete only"}}},
    {"excludefilesystem", "List window", "Also exclude from filesystem autocomplete", TControl::Check},
    {"dropbuttonauto", "List window", "The open-list button lists what matches the current input; when false it lists all entries", TControl::Check},
    {"autoshowhint", "List window", "Auto show hint (title of item).", TControl::Check},
    {"fullpathmain", "List window", "Display full path in main window.", TControl::Check},
    {"fullpathlist", "List window", "Display full path in list.", TControl::Check},
    {"pin", "List window", "Pin an image in the lower right corner.", TControl::Check},
    {"pinfile", "List window", "Pin image:", TControl::Text},
    {"skinname", "Look", "Skin (empty=no skin):", TControl::Text},
    {"customwidth", "Look", "Window width chosen by resizing with the mouse; used when larger than the skin's minimum width, so -1 means the minimum", TControl::Number},
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
    {"expandfontsize", "Look", "Font size of the expanded (multi-line) input; 0 uses `fontsize`", TControl::Number},
    {"expandfontcolor", "Look", "Text colour of the expanded input, written as a hash sign and six hexadecimal digits RRGGBB; empty uses `textcolor`", TControl::Text},
    {"assistfontsize", "Look", "Input assist (ctrl+space) font size:", TControl::Number},
    {"cleartype", "Look", "ClearType font.", TControl::Check},
    {"drawmode", "Look", "Drawing mode, read at start: 0 turns double-buffered drawing off for the edit line, the element panel and the input window; 1 for the element panel and the input window; 2 for the input window only; 3 leaves all double-buffered", TControl::Number},
    {"savehistory", "History", "Save history.", TControl::Check},
    {"maxhistory", "History", "Maximum history entries:", TControl::Number},
    {"noindexhist", "History", "Don't add to history.", TControl::Check},
    {"addcalculationtohistory", "History", "Add calculations to history.", TControl::Check},
    {"browser", "Launching", "Optional external browser (can force Vantrelo to use a specific browser instead of default detected).", TControl::TrimmedText},
    {"explore", "Launching", "Optional file explorer (can force Vantrelo to use a specific file explorer instead of default detected).", TControl::TrimmedText},
    {"simplebrowser", "Launching", "URLs are handed to the shell as they are, without a detected browser", TControl::Check},
    {"urlmaxed", "Launching", "Open URLs maximized.", TControl::Check},
    {"dontsetdefaultdir", "Launching", "A launched file gets no default working folder", TControl::Check},
    {"resolveindexed", "Launching", "When a launch fails, retry through the indexed item of that name: \"any\", \"shortcut\" (only shortcut items), \"off\" or \"0\" (never)", TControl::Text},
    {"openmode", "Launching", "Owner window of launches: 1 the current foreground window, otherwise the desktop window", TControl::Number},
    {"customtime", "Launching", "Date-time format for \"$TIME$\"; empty uses the default format", TControl::Text},
    {"indexmode", "Index", "Index scanning mode", TControl::Number},
    {"scanwindowsitems", "Index", "Index start-menu and control panel.", TControl::Check},
    {"scandirs", "Index", "Additional index paths", TControl::ScanFolders},
    {"indexextraitems", "Index", "Extra shell locations to index", TControl::Text},
    {"includehidden", "Index", "Include hidden folders.", TControl::Check},
    {"indexuwp", "Index", "Also try index UWP Apps.", TControl::Check},
    {"cacheindex", "Index", "Build index cache file (for quick start).", TControl::Check},
    {"noindexrefresh", "Index", "Only decides `autoindex` when that is -1", TControl::Check},
    {"autoindex", "Index", "Re-index:", TControl::Choice, {{0, "Never"}, {1, "Only on startup"}, {2, "Only on focus"}, {3, "On startup and on focus"}, {4, "Only on XX minutes of idle"}, {5, "On startup and on XX minutes of idle"}}},
    {"indexidle", "Index", "Minutes of idle time for `autoindex` 4 and 5", TControl::Number},
    {"indexrefresh", "Index", "Index refresh option", TControl::Number},
    {"autocalc", "Calculator, clipboard, sounds", "Auto-detect calculations.", TControl::Check},
    {"calcdisplaystyle", "Calculator, clipboard, sounds", "Show result:", TControl::Choice, {{0, "In a pop up window"}, {1, "On input prefixed with #"}, {2, "Appended to calculation"}}},
    {"calcformat", "Calculator, clipboard, sounds", "Format of results", TControl::Text},
    {"calcchar", "Calculator, clipboard, sounds", "Prefix that marks an input as a calculation", TControl::Text},
    {"clipboardsniffer", "Calculator, clipboard, sounds", "Use clipboard sniffer (keyword \"clipboard\").", TControl::Check},
    {"clipboardhours", "Calculator, clipboard, sounds", "Save clipboard on disk for (hours):", TControl::Number},
    {"clipautopaste", "Calculator, clipboard, sounds", "After a clipboard entry is put back on the clipboard, it is also pasted into the target window", TControl::Check},
    {"usesound", "Calculator, clipboard, sounds", "Enable sound.", TControl::Check},
    {"successsound", "Calculator, clipboard, sounds", "Sound file played after a successful command", TControl::TrimmedText},
    {"failsound", "Calculator, clipboard, sounds", "Sound file played after a failed command", TControl::TrimmedText},
    {"alarmsound", "Calculator, clipboard, sounds", "Sound file of the alarm", TControl::TrimmedText},
    {"reminder", "Calculator, clipboard, sounds", "Text of the current reminder", TControl::Text},
    {"autoapply", "Keyword editor", "Auto apply", TControl::Check},
    {"autosorteditor", "Keyword editor", "Auto-sort keyword editor when closed.", TControl::Check},
    {"editorpanel", "Keyword editor", "The filter panel of the editor is shown", TControl::Check},
    {"openeditormax", "Keyword editor", "Open keyword editor maximized.", TControl::Check},
    {"hidekeywordpanel", "Keyword editor", "The keyword detail panel of the editor is hidden", TControl::Check},
    {"defaultfilter", "Keyword editor", "Filter applied when the editor opens", TControl::Text},
    {"syntaxhighlight", "Keyword editor", "Syntax colouring of the command field", TControl::Check},
    {"browsermode", "Internal browser and start page", "How URLs open in the internal browser", TControl::Number},
    {"browserautoend", "Internal browser and start page", "End browser when dismissed (no background running).", TControl::Check},
    {"browserpreload", "Internal browser and start page", "Preload browser before use (first open faster).", TControl::Check},
    {"browserdot", "Internal browser and start page", "Show a green dot when active browser in background.", TControl::Check},
    {"browserua", "Internal browser and start page", "User agent (leave blank to use default).", TControl::Text},
    {"browserid", "Internal browser and start page", "Add Vantrelo to default user agent of internal browser.", TControl::Check},
    {"browserfocus", "Internal browser and start page", "Preserve browser focus.", TControl::Check},
    {"permissionlevel", "Internal browser and start page", "Default connect permission security level.", TControl::Number},
    {"fastbrowserhide", "Internal browser and start page", "Hide browser when input is empty.", TControl::Check},
    {"startpage", "Internal browser and start page", "URL, a keyword using a URL or leave empty:", TControl::TrimmedText},
    {"startf1", "Internal browser and start page", "Pressing F1 opens start page instead of Help.", TControl::Check},
    {"startautoshow", "Internal browser and start page", "Auto-show start page when regaining focus and idle.", TControl::Check},
    {"startreload", "Internal browser and start page", "Reload start page every time it’s shown.", TControl::Check},
    {"notesaddbottom", "Notes", "When adding to notes, add to the bottom instead of the top.", TControl::Check},
    {"notescleartype", "Notes", "ClearType font.", TControl::Check},
    {"notesfontname", "Notes", "Notes font", TControl::Font},
    {"notestextcolor", "Notes", "Text color", TControl::Colour},
    {"notestextbackcolor", "Notes", "Text background", TControl::Colour},
    {"notesstayontop", "Notes", "Notes window stays on top", TControl::Check},
    {"notessizepos", "Notes", "Remember size and position.", TControl::Check},
    {"noteslocation", "Notes", "Use default location (notes.txt in Vantrelo data folder).", TControl::NotesLocation},
    {"notesmonitor", "Notes", "Monitor for external changes to Notes file (if changes detected then Notes will be updated).", TControl::Check},
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
