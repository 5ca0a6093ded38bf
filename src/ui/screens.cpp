// The screens as monitors, and the stay-on-top flag, for every window of the program.
#include "ui/screens.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vantrelo {

std::vector<TMonitor> ScreenMonitors() {
    std::vector<TMonitor> out;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        out.push_back(TMonitor{primary->geometry(), primary->availableGeometry()});
    for (const QScreen* s : QGuiApplication::screens())
        if (s != primary)
            out.push_back(TMonitor{s->geometry(), s->availableGeometry()});
    return out;
}

void SetStaysOnTop(QWidget* w, bool value) {
    if (w->testAttribute(Qt::WA_WState_Created) && bool(w->windowFlags() & Qt::WindowStaysOnTopHint) == value)
        return;
    const bool shown = w->isVisible();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, value);
    if (shown)
        w->show();
}

} // namespace vantrelo
