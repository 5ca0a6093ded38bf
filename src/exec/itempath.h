// The file-system path behind the current input: a keyword's target, an indexed item or the line.
#pragma once

#include <QString>

namespace vantrelo {

struct TExecContext;
class TItem;
class TMyShellItem;

// What the index knows about its entries' files.
class TIndexedPathResolver {
public:
    virtual ~TIndexedPathResolver() = default;
    // The target of a shortcut (".desktop" entry or symbolic link); empty when `path` is none.
    virtual QString ShortcutTarget(const QString& path) const = 0;
    // The item's location as the desktop's namespace names it; empty when unknown.
    virtual QString ParsingPath(const TMyShellItem& item) const = 0;
};

// The path for the folder list, Tab-accept and "copy full path". An existing folder ends with "/";
// without `inclfilename` a file gives its folder (with "/"). Non-paths (a class identifier, the
// special-folder name "rfControlPanel", plain words) come back unchanged; empty when nothing fits.
QString GetPathFromItem(const QString& line, const TItem* currentItem, bool inclfilename, TExecContext& ctx,
                        const TIndexedPathResolver& resolver);

} // namespace vantrelo
