// Finding index entries by name, for the launcher's retry of a typed name; the live index answers.
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
};

} // namespace vantrelo
