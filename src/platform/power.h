// Ending the session and switching the machine off or to sleep.
#pragma once

#include "platform/systemresult.h"

namespace vantrelo {

class TPowerControl {
public:
    virtual ~TPowerControl() = default;
    virtual TSystemResult LogOff() = 0;
    virtual TSystemResult Suspend() = 0;
    virtual TSystemResult Hibernate() = 0;
    virtual TSystemResult Reboot() = 0;
    virtual TSystemResult PowerOff() = 0;
};

} // namespace vantrelo
