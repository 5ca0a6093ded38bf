// What substitution and the control tokens ask of the input window.
#pragma once

#include <QString>
#include <QtGlobal>

namespace vantrelo {

class TInputHost {
public:
    virtual ~TInputHost() = default;
    // Replaces the input line (see TInputLine::SetNewWord).
    virtual void SetNewWord(const QString& text, bool selectall, bool ignoredrop) = 0;
    virtual void ShowInputWindow() = 0;
    // The selected part of the input line.
    virtual QString SelectedInputText() const = 0;
    // The input line's own copy or cut of its selection into the clipboard.
    virtual void CopyInputSelection(bool cut) = 0;
    // The input line's own paste from the clipboard.
    virtual void PasteIntoInput() = 0;
    // Makes `window` the target of later window, paste and typing commands.
    virtual void SetLastActiveWindow(quint64 window) = 0;
};

// The clipboard history as "$PASTE1$"... read it; 1 is the newest entry.
class TClipHistoryView {
public:
    virtual ~TClipHistoryView() = default;
    virtual int Count() const = 0;
    // Entry `n` (1 = newest), exactly as it was copied.
    virtual QString Entry(int n) const = 0;
};

} // namespace vantrelo
