// What "$VOLUME$" does with its parameter: show the level, set it, or step it.
#pragma once

#include <QString>

#include <optional>

namespace vantrelo {

struct TVolumePlan {
    std::optional<double> level; // the level to write, within 0.0 to 1.0
    QString answer;              // the text for the input line, when there is one
};

// `param` lower-cased and trimmed; `current` the level now (0.0 to 1.0).
TVolumePlan PlanVolume(const QString& param, double current);

} // namespace vantrelo
