// The settings dialog's pages as a table: which control edits which key, with what wording, on which page.
#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace vantrelo {

enum class TControl {
    Check,         // a check box, one to one with a boolean key
    InverseCheck,  // a check box that shows the key's inverse
    Immediate,     // a check box whose click makes its change at once (desktop entries)
    Number,        // an integer field
    Choice,        // a drop-down list of fixed entries
    Text,          // a text field taken as typed
    TrimmedText,   // a text field taken trimmed
    Colour,        // a colour button
    Slider,        // 0..255, applied live
    Font,          // a font button: name, size, bold and character set
    Centre,        // the fixed centring entries, then one per monitor
    InfoSyntax,    // two fixed entries or any typed text
    NotesLocation, // "use default location" box and a file field
    Order,         // a check list of the list sources, reorderable
    Hotkey,        // the key and four modifier boxes
    ScanFolders,   // the scan folders as rows, each edited in a dialog
};

struct TSetupField {
    const char* key;
    const char* page;
    const char* wording;
    TControl control;
    std::vector<std::pair<int, const char*>> choices = {};
    const char* tip = nullptr; // what the setting does, as the control's tooltip
};

// Every field of the pages, in page order. A key of the settings table that has no entry of its
// own gets a generic control on the page "Other", so no setting is left out of the dialog.
const std::vector<TSetupField>& SetupFields();
// The page names, in the order of their first field.
std::vector<QString> SetupPages();
const TSetupField* FindSetupField(const QString& key);
// Keys edited by another key's control (orders, hotkey, fonts) or not a user's choice at all.
bool KeyWithoutOwnControl(const QString& key);

// A web page's connect permission level as the editor names it: "Basic commands (level: 1)".
QString PermissionLevelText(int level);
// The re-index entries name the idle minutes they wait for.
QString WithIdleMinutes(const QString& wording, int minutes);

struct TColourTemplate {
    const char* name;
    unsigned a, b, c; // RGB: dialog, list views and memos, edit fields
};
// The 17 colour templates of "Darker UI theme:"; value v selects entry v - 1.
const std::vector<TColourTemplate>& ColourTemplates();
// The template for a `darkmode` value: null for 0 and negative, template 2 above 17.
const TColourTemplate* TemplateFor(int darkmode);

} // namespace vantrelo
