// The "$VOLUME$" parameter: a level, a step up or down, or nothing to show the level.
#include "commands/volume.h"

#include "commands/commandcall.h"
#include "core/text.h"

#include <algorithm>
#include <cmath>

namespace vantrelo {

TVolumePlan PlanVolume(const QString& param, double current) {
    TVolumePlan plan;
    if (param.isEmpty()) {
        plan.answer = QStringLiteral("Volume: %1").arg(qRound(current * 100.0));
        return plan;
    }
    if (param.contains(QLatin1Char('+')) || param.contains(QLatin1Char('-'))) {
        const bool up = param.contains(QLatin1Char('+'));
        const std::optional<int> step = ReadWholeNumber(TrimText(param.mid(1)));
        if (!step || *step < 0 || *step > 100) {
            plan.answer = QStringLiteral("Volume step range is 0-100");
            return plan;
        }
        const double delta = (up ? *step : -*step) / 100.0;
        plan.level = std::clamp(current + delta, 0.0, 1.0);
        return plan;
    }
    const std::optional<int> n = ReadWholeNumber(param);
    if (!n || *n < 0 || *n > 100) {
        plan.answer = QStringLiteral("Volume range is 0-100");
        return plan;
    }
    plan.level = *n / 100.0;
    return plan;
}

} // namespace vantrelo
