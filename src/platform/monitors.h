// The monitors of the desktop with the work areas that panels and docks leave free.
#pragma once

#include <QRect>

#include <vector>

namespace vantrelo {

struct TMonitor {
    QRect bounds;   // the whole monitor, in screen pixels
    QRect workArea; // the part not taken by panels
};

class TMonitors {
public:
    virtual ~TMonitors() = default;
    // Monitor 1 first (the primary one); never empty while a display is connected.
    virtual std::vector<TMonitor> Monitors() const = 0;
};

} // namespace vantrelo
