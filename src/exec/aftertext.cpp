// Sending the after-text: typed or pasted, with or without Enter, once the launched window had time.
#include "exec/aftertext.h"

#include "core/items.h"
#include "exec/pipelinehost.h"
#include "exec/pipelinemarks.h"
#include "platform/scheduler.h"
#include "platform/textsender.h"

#include <algorithm>

namespace vantrelo {

qint64 AfterTextChainWait(const TAfterText& after) {
    const qint64 wait = after.afterwait;
    if (after.aftertype == kPasteText || after.aftertype == kPasteTextEnter)
        return wait + 870;
    return std::max<qint64>(wait + 1111, wait + 20 * qint64(after.aftertext.size()) + 75);
}

void ScheduleAfterText(TScheduler& scheduler, TTextSender* sender, TPipelineView* view, std::weak_ptr<bool> alive,
                       std::shared_ptr<const TAfterText> after) {
    // Typed parameters are sent as they are: they are never read for marks again.
    scheduler.RunLater(after->afterwait, [alive, sender, view, after] {
        if (alive.expired())
            return;
        QString failure;
        switch (after->aftertype) {
        case kPasteTextEnter:
            failure = sender->PasteText(after->aftertext, true);
            break;
        case kPasteText:
            failure = sender->PasteText(after->aftertext, false);
            break;
        case kTypeTextEnter:
            failure = sender->TypeText(after->aftertext + QStringLiteral("\r\n"));
            break;
        default:
            failure = sender->TypeText(after->aftertext);
            break;
        }
        // The launched window never got the text: the user must know.
        if (!failure.isEmpty() && !alive.expired() && view)
            view->ShowToast(QStringLiteral("The text was not typed: ") + failure);
    });
}

} // namespace vantrelo
