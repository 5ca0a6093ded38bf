// The screens as monitors, and the stay-on-top flag, for every window of the program.
#pragma once

#include "ui/windowlogic.h"

#include <vector>

class QWidget;

namespace vantrelo {

// The primary screen first, then the others.
std::vector<TMonitor> ScreenMonitors();
// Sets or clears the stay-on-top flag; a shown window is shown again, as Qt hides it to change it.
void SetStaysOnTop(QWidget* w, bool value);

} // namespace vantrelo
