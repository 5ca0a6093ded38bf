// Skin files (*.skn): colours, fonts, sizes and pictures read into a checked record.
#pragma once

#include "core/settings.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

namespace vantrelo {

class TMemIniFile;

// Colours are Windows colour values 0x00BBGGRR; skin files write them "#RRGGBB".
bool ParseSkinColour(const QString& text, int& colour);
QString SkinColourText(int colour); // "#RRGGBB", upper-case digits
QColor ToQColor(int colour);
int FromQColor(const QColor& colour);
// Lightens a dark colour or darkens a light one (a channel above 180) by amount / 255 * 100.
int ShiftColour(int colour, int amount);
// Darkens unconditionally by the same quantity (corner marks and inner outline).
int DarkenColour(int colour, int amount);

// The display style names of "skintype", in order 0..4; -1 when the text is none of them.
int SkinTypeFromText(const QString& text);
QString SkinTypeText(int skintype);

// The values a skin gives the layout each time the look is applied; never stored in settings.
struct TSkinLayout {
    int listtextcolor = 0;
    int listfocustextcolor = 0xFFFFFF;
    int listfocusbgcolor = 0x5E3822;
    QImage listpicture;              // null when the skin has none
    QString listpicturefile;
    QString listtilepictureposition; // lower case: "center", "centermerge", "merge", "cover", "coverlist"
    QImage skinpicture;              // background of the input window (the list picture when merged)
    QString skinpicturefile;
    QString skintilepictureposition; // lower case; "center" tiles with one copy centred
    QString listfillmode;            // lower case
    int bordersizewindow = 2;
    int bordersizelist = 2;
    bool bordertweaks = true;
    int minimumwidth = 0;            // 96-dpi pixels; 0 when the skin sets none
    QString titlefontname;
    // Taken from the skin on every application when the setting "listtitlecolor" is 1234.
    std::optional<int> titlecolor;
    std::optional<int> listtitlecolor;
};

// The layout values before any skin is read: list text in the input's text colour.
TSkinLayout DefaultSkinLayout(const TSettings& settings);

// "$d$"/"$D$" (the root: Linux has no drive letter) and "$h$"/"$H$" (program folder without a
// trailing "/") replaced; when the file is missing, program folder + "skins/" + its file name.
// Empty when neither exists.
QString ResolveSkinPath(const QString& name, const QString& programFolder);

struct TSkinReadRequest {
    QString name;              // the skin to read (resolved through ResolveSkinPath)
    QString programFolder;     // with trailing "/"
    bool load = false;         // a newly chosen skin: its values become settings
    bool fromDialog = false;   // the settings dialog is open
};

struct TSkinReadResult {
    bool ok = false;           // false: `error` says why, and nothing of the skin may be used
    QString error;
    bool found = false;        // a skin file was read (else the built-in look)
    QString path;              // the resolved path that was read
    TSettings settings;        // the settings with the skin's values when loading
    TSkinLayout layout;
    QString note;              // the skin's "message" text for a box titled "Info"; empty when none
    QString notice;            // a notice for the settings dialog (display styles other than Scale)
};

// Reads the whole skin and checks every value before anything is taken, so a malformed skin
// never leaves the look half changed: on failure the caller keeps its settings and layout.
// `current` is the settings as they are now; the result's settings start as a copy of them.
TSkinReadResult ReadSkin(const TSkinReadRequest& request, const TSettings& current);
// The same from a file already in memory (a download being checked).
TSkinReadResult ReadSkinFrom(const TMemIniFile& ini, const QString& folder, const TSkinReadRequest& request,
                             const TSettings& current);

// True when the file's text is a sectioned file with the "skinvalues" section whose values check.
bool LooksLikeSkin(const QByteArray& bytes, QString* error = nullptr);

} // namespace vantrelo
