// Keys and pastes into another window, one at a time, only while the intended window has the focus.
#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace vantrelo {

class TKeyInjector;
class TKeySender;
class TWaiter;
class TClipboard;

enum class TInjectResult { Done, TargetGone, Busy, NoClipboard };
// The user's words for a result that is not Done.
QString InjectMessage(TInjectResult result);

// One key of "$KEYS$": a virtual-key code pressed (down and up), held (down) or released (up).
struct TKeyListStroke {
    enum TMode { Press, Hold, Release } mode;
    int vk;
    bool operator==(const TKeyListStroke&) const = default;
};
// The strokes of a "$KEYS$" list ("h17,86,r17" is Ctrl+V).
std::vector<TKeyListStroke> ParseKeyList(const QString& list);

struct TInjectTools {
    TKeyInjector* injector = nullptr; // null: no keys can be sent
    TKeySender* keys = nullptr;
    TWaiter* waiter = nullptr;
    TClipboard* clipboard = nullptr;
    std::function<quint64()> focused; // the window that has the keyboard focus; 0 when none
};

// Everything that sends keys goes through one of these, so a second injection that starts while
// the first one waits (a hotkey, a timer or an instance message runs meanwhile) is refused and
// the user's clipboard is never lost between them. The target is the window that has the focus
// when the injection starts; it is checked again before every key.
class TInjector {
public:
    explicit TInjector(TInjectTools tools) : t_(std::move(tools)) {}

    // Types the text as PlanTypeText says.
    TInjectResult Type(const QString& text);
    // Pastes the text through the clipboard (pause tags read), then Enter when `enter`; the
    // clipboard's whole content is put back afterwards.
    TInjectResult Paste(const QString& text, bool enter);
    // Waits (events running) until the clipboard holds `expected`, then sends Ctrl+V.
    TInjectResult PasteClipboard(const QString& expected);
    // Sends the strokes; every key still held at the end is released.
    TInjectResult SendKeys(const std::vector<TKeyListStroke>& strokes);
    bool Busy() const { return busy_; }

private:
    class TBusy;
    bool StillTarget(quint64 target) const;
    void Sleep(int ms);
    void Tap(int vk);
    void CtrlV();

    TInjectTools t_;
    bool busy_ = false;
};

} // namespace vantrelo
