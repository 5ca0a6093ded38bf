// A private X session for desktop tests: Xvfb on a free display with the jwm window manager.
#pragma once

#include <QString>

#include <sys/types.h>

namespace vantrelo::test {

class XSession {
public:
    XSession() = default;
    ~XSession() { Stop(); }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts Xvfb and jwm and points DISPLAY at them; false with `error` when either fails.
    bool Start(QString* error);
    void Stop();
    const QString& Display() const { return display_; }

private:
    pid_t xvfb_ = 0;
    pid_t wm_ = 0;
    QString display_;
};

} // namespace vantrelo::test
