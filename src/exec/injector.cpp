// Injection of keys and pastes with the focus check and the one-at-a-time rule.
#include "exec/injector.h"

#include "exec/typeplan.h"
#include "platform/clipboard.h"
#include "platform/keyinjector.h"
#include "platform/keysender.h"
#include "platform/vkeys.h"
#include "platform/waiter.h"

#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <set>

namespace vantrelo {

QString InjectMessage(TInjectResult result) {
    switch (result) {
    case TInjectResult::Done:
        break;
    case TInjectResult::TargetGone:
        return QStringLiteral("Target window is gone");
    case TInjectResult::Busy:
        return QStringLiteral("Another typing or paste is still running");
    case TInjectResult::NoClipboard:
        return QStringLiteral("The clipboard could not be set");
    }
    return QString();
}

std::vector<TKeyListStroke> ParseKeyList(const QString& list) {
    std::vector<TKeyListStroke> out;
    static const QRegularExpression items(QStringLiteral("\"([^\"]*)\"|([^,\\s\"]+)"));
    for (auto it = items.globalMatch(list.trimmed()); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString item = m.captured(1).isNull() ? m.captured(2) : m.captured(1);
        TKeyListStroke::TMode mode = TKeyListStroke::Press;
        auto prefix = [&](QChar c, TKeyListStroke::TMode as) {
            if (item.startsWith(c, Qt::CaseInsensitive)) {
                item.remove(c, Qt::CaseInsensitive);
                mode = as;
            }
        };
        prefix(u'p', TKeyListStroke::Press);
        prefix(u'h', TKeyListStroke::Hold);
        prefix(u'r', TKeyListStroke::Release);
        bool ok = false;
        const int vk = item.trimmed().toInt(&ok);
        if (ok && vk > 0)
            out.push_back({mode, vk & 0xFF});
    }
    return out;
}

class TInjector::TBusy {
public:
    explicit TBusy(bool& flag) : flag_(flag) { flag_ = true; }
    ~TBusy() { flag_ = false; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    bool& flag_;
};

bool TInjector::StillTarget(quint64 target) const { return target != 0 && t_.focused && t_.focused() == target; }

void TInjector::Sleep(int ms) {
    if (ms <= 0 || !t_.waiter)
        return;
    // Waits in slices, so the program keeps answering (also requests for its clipboard).
    const int slice = std::min(ms, 50);
    t_.waiter->WaitUntil([] { return false; }, slice, std::max(1, ms / slice));
}

void TInjector::Tap(int vk) {
    t_.injector->KeyDown(vk);
    t_.injector->KeyUp(vk);
}

void TInjector::CtrlV() {
    t_.injector->KeyDown(kVkControl);
    Tap(kVkV);
    t_.injector->KeyUp(kVkControl);
}

TInjectResult TInjector::Type(const QString& text) {
    if (busy_)
        return TInjectResult::Busy;
    const TBusy busy(busy_);
    const quint64 target = t_.focused ? t_.focused() : 0;
    int delay = kDefaultKeyDelayMs;
    for (const TTypeStep& step : PlanTypeText(text)) {
        switch (step.kind) {
        case TTypeStepKind::Pause:
            Sleep(step.value);
            continue;
        case TTypeStepKind::Delay:
            delay = step.value;
            continue;
        case TTypeStepKind::Key:
        case TTypeStepKind::Char:
            break;
        }
        if (!t_.injector || !StillTarget(target))
            return TInjectResult::TargetGone;
        if (step.kind == TTypeStepKind::Key)
            Tap(step.value);
        else
            t_.injector->TypeCharacter(char32_t(step.value));
        Sleep(delay);
    }
    return TInjectResult::Done;
}

TInjectResult TInjector::Paste(const QString& text, bool enter) {
    if (busy_)
        return TInjectResult::Busy;
    const TBusy busy(busy_);
    const quint64 target = t_.focused ? t_.focused() : 0;
    if (!t_.injector || !StillTarget(target))
        return TInjectResult::TargetGone;
    const TPastePlan plan = PlanPaste(text);
    // The user's clipboard in every format comes back whatever happens below.
    const std::unique_ptr<TClipboardContent> saved = t_.clipboard->Save();
    struct TRestore {
        TClipboard& c;
        const TClipboardContent& saved;
        ~TRestore() { c.Restore(saved); }
    } restore{*t_.clipboard, *saved};
    t_.clipboard->SetTransientText(plan.text);
    if (!t_.waiter->WaitUntil([&] { return t_.clipboard->HasText() && t_.clipboard->Text() == plan.text; }, 10, 50))
        return TInjectResult::NoClipboard;
    Sleep(plan.before);
    if (!StillTarget(target))
        return TInjectResult::TargetGone;
    CtrlV();
    Sleep(plan.after);
    if (enter) {
        if (!StillTarget(target))
            return TInjectResult::TargetGone;
        Tap(13);
    }
    Sleep(plan.afterEnter);
    return TInjectResult::Done;
}

TInjectResult TInjector::PasteClipboard(const QString& expected) {
    if (busy_)
        return TInjectResult::Busy;
    const TBusy busy(busy_);
    const quint64 target = t_.focused ? t_.focused() : 0;
    if (!t_.waiter->WaitUntil([&] { return t_.clipboard->HasText() && t_.clipboard->Text() == expected; }, 10, 50))
        return TInjectResult::NoClipboard;
    if (!t_.injector || !StillTarget(target))
        return TInjectResult::TargetGone;
    CtrlV();
    return TInjectResult::Done;
}

TInjectResult TInjector::SendKeys(const std::vector<TKeyListStroke>& strokes) {
    if (busy_)
        return TInjectResult::Busy;
    const TBusy busy(busy_);
    const quint64 target = t_.focused ? t_.focused() : 0;
    std::set<int> held;
    TInjectResult result = TInjectResult::Done;
    for (const TKeyListStroke& k : strokes) {
        if (!t_.injector || !StillTarget(target)) {
            result = TInjectResult::TargetGone;
            break;
        }
        if (k.mode != TKeyListStroke::Release) {
            t_.injector->KeyDown(k.vk);
            held.insert(k.vk);
        }
        if (k.mode != TKeyListStroke::Hold) {
            t_.injector->KeyUp(k.vk);
            held.erase(k.vk);
        }
    }
    // Nothing stays pressed, also when the target went away half-way.
    if (t_.injector)
        for (const int vk : held)
            t_.injector->KeyUp(vk);
    if (t_.waiter)
        t_.waiter->ProcessPendingEvents();
    return result;
}

} // namespace vantrelo
