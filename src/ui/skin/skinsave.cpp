// The save-as-skin writer: each chosen group of look settings into a fresh skin file.
#include "ui/skin/skinsave.h"

#include "core/inifile.h"
#include "core/settings.h"
#include "ui/skin/skinfile.h"

#include <QFileInfo>

namespace vantrelo {

QStringList SkinSaveGroupNames() {
    return {QStringLiteral("Color properties"),
            QStringLiteral("Display style (mini,small,medium,alpha)"),
            QStringLiteral("Current width of Vantrelo"),
            QStringLiteral("Current background picture (and it's hidden settings)"),
            QStringLiteral("Transparency settings"),
            QStringLiteral("If icon should be displayed"),
            QStringLiteral("If list button should be displayed"),
            QStringLiteral("Font name & size")};
}

QString SkinSavePrompt() { return QStringLiteral("Save the following visual settings:"); }

QString SkinSaveNote() {
    return QStringLiteral("Settings that you don't select will just remain the same and ignored when loading your saved "
                          "visual style. So for example if you just want to save a color scheme you should only mark "
                          "\"Color properties\".");
}

TSaveResult SaveSkin(const QString& path, const TSkinSaveGroups& groups, const TSettings& s, const TSkinLayout& layout,
                     const QString& currentSkinFile) {
    const QString sec = QStringLiteral("skinvalues");
    TMemIniFile ini;
    ini.Rename(path, false);
    auto colour = [&](const char* key, int value) { ini.WriteString(sec, QLatin1String(key), SkinColourText(value)); };
    if (groups.colours) {
        colour("textcolor", s.textcolor);
        colour("textbackcolor", s.textbackcolor);
        colour("inputwindowcolor", s.inputwindowcolor);
        colour("windowcolor", s.windowcolor);
        colour("buttonarrowcolor", s.arrowcolor);
        colour("buttonoutlinecolor", s.outlinecolor);
        colour("buttonfillcolor", s.fillcolor);
        colour("titletextcolor", s.titlecolor);
        colour("listtextcolor", layout.listtextcolor);
        colour("listtitlecolor", s.listtitlecolor);
    }
    if (groups.displayStyle)
        ini.WriteString(sec, QStringLiteral("skintype"), SkinTypeText(s.skintype));
    if (groups.width)
        ini.WriteInteger(sec, QStringLiteral("editwidth"), s.width);
    if ((groups.picture || (groups.displayStyle && s.skintype >= 2)) && QFileInfo(currentSkinFile).isFile()) {
        const TMemIniFile current(currentSkinFile);
        ini.WriteString(sec, QStringLiteral("skintype"), SkinTypeText(s.skintype));
        static const char* const copied[] = {
            "skinpicture", "editwidth", "iconpixelsoffset", "editwidthnoicon", "editleft", "edittop", "editheight",
            "paddingright", "paddingtop", "paddingbottom", "uselist", "listpicture", "listfillmode", "listitems",
            "titleleft", "titletop", "titlewidth", "titleenabled", "titlefontname", "titleprefix", "titleheight",
            "titlealign", "listfocustextcolor", "listfocusbgcolor", "listtop", "listwidth", "listleft",
            "listlargeiconpaddingleft", "listlargeiconpaddingright", "iconleft", "icontop", "icondefault"};
        for (const char* key : copied) {
            const QString k = QLatin1String(key);
            if (!current.ValueExists(sec, k))
                continue;
            if (k == QLatin1String("uselist"))
                ini.WriteBool(sec, k, current.ReadBool(sec, k, false));
            else
                ini.WriteString(sec, k, current.ReadString(sec, k, QString()));
        }
    }
    if (groups.transparency) {
        ini.WriteInteger(sec, QStringLiteral("transactive"), s.transactive);
        ini.WriteInteger(sec, QStringLiteral("transinactive"), s.transinactive);
    }
    if (groups.icon)
        ini.WriteBool(sec, QStringLiteral("showicon"), s.showwordicon);
    if (groups.listButton)
        ini.WriteBool(sec, QStringLiteral("showcombo"), s.showcombo);
    if (groups.font) {
        ini.WriteString(sec, QStringLiteral("fontname"), s.fontname);
        ini.WriteInteger(sec, QStringLiteral("fontsize"), s.fontsize);
        ini.WriteBool(sec, QStringLiteral("fontbold"), s.fontbold);
    }
    if (!ini.SectionExists(sec))
        ini.WriteString(sec, QStringLiteral("skintype"), SkinTypeText(s.skintype)); // never an empty file
    return ini.UpdateFile();
}

} // namespace vantrelo
