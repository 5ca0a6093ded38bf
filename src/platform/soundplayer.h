// Plays a sound file through the desktop's media player.
#pragma once

#include <QString>

namespace vantrelo {

class TSoundPlayer {
public:
    virtual ~TSoundPlayer() = default;
    // Starts playing and returns at once; failures are silent.
    virtual void Play(const QString& path) = 0;
};

} // namespace vantrelo
