// Read access to files and folders.
#pragma once

#include <QString>

#include <optional>

namespace vantrelo {

class TFileSystem {
public:
    virtual ~TFileSystem() = default;
    virtual bool FileExists(const QString& path) const = 0;
    virtual bool FolderExists(const QString& path) const = 0;
    // The decoded text of a file (BOM or UTF-8/Windows-1252 detection), or nothing when unreadable.
    virtual std::optional<QString> ReadText(const QString& path) const = 0;
};

} // namespace vantrelo
