// The process environment: variables and the user's home folder.
#pragma once

#include <QString>

#include <optional>

namespace vantrelo {

class TEnvironment {
public:
    virtual ~TEnvironment() = default;
    // The variable's value, or nothing when it is not set.
    virtual std::optional<QString> Variable(const QString& name) const = 0;
    // The home folder without a trailing "/".
    virtual QString HomeFolder() const = 0;
};

} // namespace vantrelo
