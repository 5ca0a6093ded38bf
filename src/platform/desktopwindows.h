// The desktop's top-level windows as the input line's tokens need them.
#pragma once

#include <QtGlobal>

namespace vantrelo {

class TDesktopWindows {
public:
    virtual ~TDesktopWindows() = default;
    // The window with the keyboard focus; 0 when none.
    virtual quint64 ForegroundWindow() const = 0;
    // True for the program's own windows (input window, list, dialogs).
    virtual bool IsOwnWindow(quint64 window) const = 0;
    // True while one of the program's own windows is the active window.
    virtual bool ProgramIsActive() const = 0;
    virtual void MinimizeAll() = 0;
    virtual void UndoMinimizeAll() = 0;
};

} // namespace vantrelo
