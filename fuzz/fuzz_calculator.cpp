// The calculator: any expression gives an answer or an error, never a crash or a hang.
#include "core/settings.h"
#include "fuzzsupport.h"
#include "tools/calculator.h"

using namespace vantrelo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096)
        return 0;
    static const TSettings settings;
    const QString expression = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const TCalcAnswer a = CalcText(settings, expression, 2.0);
    const TCalcAnswer b = CalcText(settings, expression, 2.0, QStringLiteral(","));
    (void)a;
    (void)b;
    return 0;
}
