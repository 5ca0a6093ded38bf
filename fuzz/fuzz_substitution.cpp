// Parameter substitution: any template with any typed parameters, and the promise that inserted
// text never acts: parameters whose token characters are swapped for inert ones give the same
// result once swapped back.
#include "exec/substitution.h"
#include "fuzzsupport.h"

using namespace vantrelo;

namespace {

// Private-use characters that no token or mark contains.
constexpr char16_t kDollar = 0xE000;
constexpr char16_t kBrace = 0xE001;

QString Inert(QString s) { return s.replace(u'$', QChar(kDollar)).replace(u'{', QChar(kBrace)); }
QString Restored(QString s) { return s.replace(QChar(kDollar), u'$').replace(QChar(kBrace), u'{'); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8 * 1024)
        return 0;
    const QString all = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype cut = all.indexOf(QChar(0));
    QString tmpl = cut < 0 ? all : all.left(cut);
    const QString params = cut < 0 ? QString() : all.mid(cut + 1);
    tmpl.remove(QChar(kDollar)).remove(QChar(kBrace));
    if (params.contains(QChar(kDollar)) || params.contains(QChar(kBrace)))
        return 0;
    const QString real = SubstituteParameters(tmpl, params);
    // Encoding tokens ("$U$", "$u1$"...) percent-encode the inserted text, which the swap changes.
    if (tmpl.contains(QLatin1String("$u"), Qt::CaseInsensitive))
        return 0;
    const QString inert = SubstituteParameters(tmpl, Inert(params));
    fuzz::Require(Restored(inert) == Restored(real), "inserted text never acts");
    return 0;
}
