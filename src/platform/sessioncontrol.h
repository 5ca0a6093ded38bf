// Locking the session, the screen saver and the monitor's power.
#pragma once

#include "platform/systemresult.h"

namespace vantrelo {

class TSessionControl {
public:
    virtual ~TSessionControl() = default;
    virtual TSystemResult LockSession() = 0;
    virtual TSystemResult StartScreenSaver() = 0;
    virtual TSystemResult MonitorOff() = 0;
};

} // namespace vantrelo
