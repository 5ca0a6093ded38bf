// Saving the current look as a skin file, group by group.
#pragma once

#include "core/atomicfile.h"

#include <QString>
#include <QStringList>

namespace vantrelo {

struct TSettings;
struct TSkinLayout;

// The groups of the save dialog, in the order of its check list.
struct TSkinSaveGroups {
    bool colours = false;
    bool displayStyle = false;
    bool width = false;
    bool picture = false;
    bool transparency = false;
    bool icon = false;
    bool listButton = false;
    bool font = false;
};

// The check list texts, the caption and the notes of the save dialog.
QStringList SkinSaveGroupNames();
QString SkinSavePrompt();
QString SkinSaveNote();

// Writes a new skin file with section "skinvalues" holding the chosen groups; the keys that
// belong to pictures and sizes of the other display styles are copied from `currentSkinFile`.
TSaveResult SaveSkin(const QString& path, const TSkinSaveGroups& groups, const TSettings& settings,
                     const TSkinLayout& layout, const QString& currentSkinFile);

} // namespace vantrelo
