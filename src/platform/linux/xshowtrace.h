// How long the input window took to appear after the hotkey, on the X server's clock.
#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

class QString;

namespace vantrelo {

class TXShowTrace {
public:
    // Its own connection to `display` (empty: $DISPLAY); null with `error` when there is none.
    static std::unique_ptr<TXShowTrace> Open(const QString& display, QString* error);
    ~TXShowTrace();

    // `report` gets the milliseconds from the hotkey's key press to the window being mapped.
    void SetReport(std::function<void(int ms)> report);
    // The hotkey pressed at server time `keyTime` is about to show the unmapped `window`.
    void Expect(quint64 window, quint32 keyTime);

private:
    struct TImpl;
    explicit TXShowTrace(std::unique_ptr<TImpl> d);
    void ProcessPendingEvents();
    std::unique_ptr<TImpl> d_;
};

} // namespace vantrelo
