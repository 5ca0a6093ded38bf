// What the window and mouse commands reach: the desktop's windows, monitors, pointer and processes, and the launcher's own windows.
#pragma once

#include <QRect>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace vantrelo {

class TWindowControl;
class TMonitors;
class TMouse;
class TProcessList;

// A window as it was when it was captured. Window ids are reused, so the process and class
// are kept with it and must still agree before anything acts on it.
struct TTargetWindow {
    quint64 id = 0;
    qint64 pid = 0;
    QString className;
};

enum class TTargetState { None, Gone, Present };

inline constexpr char kNoPreviousWindow[] = "No previous window detected.";
inline constexpr char kPreviousWindowGone[] = "Previous window is gone";

// Captures `window` with its process and class; an empty record when it does not exist.
TTargetWindow CaptureTarget(const TWindowControl& windows, quint64 window);
// Whether the captured window still exists as the same window.
TTargetState CheckTarget(const TWindowControl& windows, const TTargetWindow& target);

// The launcher's side of the window commands.
class TWindowCommandHost {
public:
    virtual ~TWindowCommandHost() = default;
    // The window the input window was summoned over, as captured then.
    virtual TTargetWindow LastActive() const = 0;
    virtual quint64 InputWindowId() const = 0;
    // The input window's client width, the list window's client height (200 without one) and
    // the input window's outer rectangle.
    virtual int InputClientWidth() const = 0;
    virtual int ListClientHeight() const = 0;
    virtual QRect InputFrame() const = 0;
    // Sets the input window's client width (stored as `width`), the list height and, when
    // given, the input window's top-left corner.
    virtual void ArrangeInputWindow(int width, int listHeight, std::optional<QPoint> topLeft) = 0;
    // Shows `text` in the list window's text panel.
    virtual void ShowInfoText(const QString& text) = 0;
};

// Every desktop service the window and mouse commands use; all null without a desktop.
struct TDesktopAccess {
    TWindowControl* windows = nullptr;
    TMonitors* monitors = nullptr;
    TMouse* mouse = nullptr;
    TProcessList* processes = nullptr;
    TWindowCommandHost* host = nullptr;
    qint64 ownPid = 0; // the program's own process: its windows are never targets
};

} // namespace vantrelo
