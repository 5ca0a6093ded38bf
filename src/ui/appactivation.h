// What the program gaining and losing the keyboard does to the input and list windows.
#pragma once

#include <QtGlobal>

#include <limits>

namespace vantrelo {

struct TSettings;
class TInputWindow;

class TAppActivation {
public:
    TAppActivation(const TSettings& settings, TInputWindow& window) : settings_(settings), window_(window) {}

    // The start kept the window hidden: the activation that the start itself brings is not a summons.
    void StartedHidden() { startHidden_ = true; }
    // Before this, activation changes nothing: a dialog of the start (the wizard, a question) gets
    // the keyboard without bringing the window early.
    void StartupCompleted() { started_ = true; }
    // The program became active (the list window, a dialog or the task bar was chosen): a hidden
    // input window comes back.
    void Activated(bool closing);
    // Another program took the keyboard at `now` (milliseconds); deactivations within 150 ms of
    // the last handled one are one.
    void Deactivated(qint64 now, bool closing);
    // Whether the list comes with the window when it is shown.
    bool ListWithWindow(bool listEverShown, bool lineEmpty) const;

private:
    const TSettings& settings_;
    TInputWindow& window_;
    bool startHidden_ = false;
    bool started_ = false;
    qint64 lastDeactivation_ = std::numeric_limits<qint64>::min() / 2;
};

} // namespace vantrelo
