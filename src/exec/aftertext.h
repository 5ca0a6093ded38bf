// The after-text step: a keyword's parameters typed or pasted into the window it launched.
#pragma once

#include <QString>

#include <memory>

namespace vantrelo {

class TPipelineView;
class TScheduler;
class TTextSender;

// Filled while the keyword runs, read by the timer that sends the text.
struct TAfterText {
    QString aftertext;
    qint32 aftertype = 0;  // TAfterType
    qint32 afterwait = 0;  // ms after the launch
};

// How long a chain's next piece must wait so that this text is sent before it runs.
qint64 AfterTextChainWait(const TAfterText& after);

// Sends the text once its wait is over; a text that cannot reach the window is said in the view.
// Nothing happens once `alive` has expired (the pipeline is gone).
void ScheduleAfterText(TScheduler& scheduler, TTextSender* sender, TPipelineView* view, std::weak_ptr<bool> alive,
                       std::shared_ptr<const TAfterText> after);

} // namespace vantrelo
