// The mouse on the input window's own surface: moving the window, widening it at its right edge,
// and a double press that dismisses the list's panels.
#pragma once

#include <QObject>

#include <functional>

class QMouseEvent;
class QWidget;

namespace vantrelo {

struct TSettings;
class TCmdForm;
class TMainFormHost;

class TInputMouse final : public QObject {
public:
    // Watches `window`; `now` is the window's milliseconds clock (a test may replace it later).
    TInputMouse(QWidget* window, TCmdForm* list, const TSettings& settings, TMainFormHost& host,
                const std::function<qint64()>& now);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Press(const QMouseEvent* e);
    void Move(const QMouseEvent* e);

    QWidget* window_;
    TCmdForm* list_;
    const TSettings& settings_;
    TMainFormHost& host_;
    const std::function<qint64()>& now_;
    bool resizing_ = false; // a left press in the right edge zone
    qint64 lastLeftPress_ = -1'000'000;
};

} // namespace vantrelo
