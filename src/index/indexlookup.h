// Finding index entries by name (the launcher's retry of a typed name) or all of them; the live index answers.
#pragma once

#include <QString>

#include <functional>

namespace vantrelo {

class TMyShellItem;

class TIndexLookup {
public:
    virtual ~TIndexLookup() = default;
    // Calls `visit` with each entry whose name, lower-cased, is `lowerName`, in index order, until
    // it returns false. The entry lives only for the call.
    virtual void ForEachNamed(const QString& lowerName, const std::function<bool(const TMyShellItem&)>& visit) const = 0;
    // The same for every entry (the settings' list of indexed items).
    virtual void ForEachEntry(const std::function<bool(const TMyShellItem&)>& visit) const = 0;
};

} // namespace vantrelo
