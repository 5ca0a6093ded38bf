// Opening and closing the tray of an optical drive.
#pragma once

#include "platform/systemresult.h"

#include <QString>

namespace vantrelo {

class TDiscDrive {
public:
    virtual ~TDiscDrive() = default;
    // `device` as the user typed it ("sr0", "/dev/cdrom"); empty or a drive letter means the default drive.
    virtual TSystemResult Eject(const QString& device, bool close) = 0;
};

} // namespace vantrelo
