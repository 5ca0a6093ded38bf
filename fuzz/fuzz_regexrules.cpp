// Regular-expression rules (from keywords and shared files) over any text: no crash or runaway,
// a failure names its rule, and a program without rules leaves the text alone.
#include "fuzzsupport.h"
#include "tools/regexrules.h"

using namespace vantrelo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4 * 1024)
        return 0;
    // The rules, then after a NUL byte the text they run over.
    const QString all = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype cut = all.indexOf(QChar(0));
    const QString rules = cut < 0 ? all : all.left(cut);
    const QString text = cut < 0 ? QStringLiteral("some text\r\nover two lines") : all.mid(cut + 1);
    const TRegexOutcome out = ApplyRegexRules(rules, text);
    if (!out.ok)
        fuzz::Require(out.error.startsWith(QLatin1String("Invalid rule: ")) ||
                          out.error.startsWith(QLatin1String("Rule too complex: ")),
                      "a failure says which rule and why");
    if (!HasRegexRules(rules))
        fuzz::Require(out.ok && out.text == text, "no rules, no change");
    return 0;
}
