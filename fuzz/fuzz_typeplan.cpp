// The typing plan of any text (key names in braces come from keywords, pasted lists and pages):
// every step in range, and a text marked literal types exactly its characters.
#include "exec/typeplan.h"
#include "fuzzsupport.h"

using namespace vantrelo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8 * 1024)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const int enter = TypeKeyCode(QStringLiteral("ENTER"));
    for (const TTypeStep& step : PlanTypeText(text)) {
        switch (step.kind) {
        case TTypeStepKind::Key:
            fuzz::Require(step.value > 0, "a key step names a key");
            break;
        case TTypeStepKind::Char:
            fuzz::Require(step.value >= 0 && step.value <= 0x10FFFF, "a character is a code point");
            break;
        case TTypeStepKind::Pause:
            fuzz::Require(step.value >= 0 && step.value <= kMaxTypePauseMs, "a pause within its limit");
            break;
        case TTypeStepKind::Delay:
            fuzz::Require(step.value >= 0 && step.value <= kMaxKeyDelayMs, "a key delay within its limit");
            break;
        }
        (void)DescribeTypeStep(step);
    }
    // Marked literal, the text's braces name nothing: it types its characters, line breaks as Enter.
    QString typed;
    for (const TTypeStep& step : PlanTypeText(LiteralTypeText(text))) {
        fuzz::Require(step.kind == TTypeStepKind::Char || (step.kind == TTypeStepKind::Key && step.value == enter),
                      "a literal text types characters and Enter only");
        if (step.kind == TTypeStepKind::Key)
            typed += u'\n';
        else
            typed += QString::fromUcs4(reinterpret_cast<const char32_t*>(&step.value), 1);
    }
    QString want = text;
    want.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    fuzz::Require(typed == want, "a literal text types exactly its characters");

    const TPastePlan paste = PlanPaste(text);
    fuzz::Require(paste.before >= 10 && paste.after >= 30 && paste.afterEnter >= 0, "paste pauses in range");
    fuzz::Require(paste.text.size() <= text.size(), "the paste's tags are removed, nothing added");
    return 0;
}
