// The master volume and mute of the default audio output.
#pragma once

#include "platform/systemresult.h"

#include <optional>

namespace vantrelo {

class TVolumeControl {
public:
    virtual ~TVolumeControl() = default;
    // The level from 0.0 to 1.0; nothing when the sound server cannot be asked.
    virtual std::optional<double> Level() = 0;
    // `level` is already within 0.0 to 1.0.
    virtual TSystemResult SetLevel(double level) = 0;
    virtual TSystemResult ToggleMute() = 0;
};

} // namespace vantrelo
