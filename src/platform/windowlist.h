// The desktop's switchable top-level windows, as the list of open applications shows them.
#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace vantrelo {

struct TTopWindow {
    quint64 id = 0;
    QString title;
    QString extra; // process description: "Process id: ", "BaseName: ", "Filename: " lines
};

class TWindowList {
public:
    virtual ~TWindowList() = default;
    // Visible windows a user switches to (no tool windows, no owned windows) and minimised ones,
    // in the desktop's stacking order.
    virtual std::vector<TTopWindow> TopLevelWindows() const = 0;
};

} // namespace vantrelo
