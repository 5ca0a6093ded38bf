// Skin packages: a .zip holding a .skn and its pictures, checked before anything is unpacked.
#pragma once

#include <QString>
#include <QStringList>

namespace vantrelo {

struct TPackageResult {
    bool ok = false;
    QString error;      // the message for the user when not ok
    QString skinPath;   // the installed .skn (the last one in the package)
    QStringList written;
};

// Whether an entry name stays inside the folder it is unpacked into: no absolute path, no drive,
// no ".." part, no control characters. Backslashes count as separators.
bool IsSafeEntryName(const QString& name);

// Unpacks every entry of the package into `skinsFolder` (created when missing) when the package
// holds a ".skn" and every entry name is safe and within the size limits; otherwise writes
// nothing. The entries go into a staging folder beside the skins folder first and are renamed
// into place only when all of them were written and none would replace a link or a thing of the
// other kind (a file for a folder): a refused package leaves the skins folder as it was.
TPackageResult InstallSkinPackage(const QString& zipPath, const QString& skinsFolder);

// True when the bytes begin like a zip archive.
bool LooksLikeZip(const QByteArray& bytes);

} // namespace vantrelo
