// Whether a name is a program found on the system's search path.
#pragma once

#include <QString>

namespace vantrelo {

class TProgramSearch {
public:
    virtual ~TProgramSearch() = default;
    virtual bool IsProgramOnPath(const QString& name) const = 0;
};

} // namespace vantrelo
