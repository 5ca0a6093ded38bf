// Password generation: one character of each chosen class at random places, the rest from the pool.
#include "exec/password.h"

#include "platform/randomsource.h"

#include <vector>

namespace vantrelo {

namespace {

QChar PickFrom(QStringView pool, TRandomSource& random) {
    return pool.at(qsizetype(random.Bounded(quint32(pool.size()))));
}

} // namespace

QString GeneratePassword(int length, unsigned classes, TRandomSource& random) {
    classes &= kPwAllClasses;
    if (length <= 3 || classes == 0)
        return QStringLiteral("Characters must be higher than 3");
    if (length > kMaxPasswordLength)
        return QStringLiteral("Characters must not be higher than %1").arg(kMaxPasswordLength);

    static const struct {
        unsigned cls;
        QStringView chars;
    } kClasses[] = {
        {kPwLower, u"abcdefghijklmnopqrstuvwxyz"},
        {kPwUpper, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {kPwDigits, u"0123456789"},
        {kPwSpecials, u"_.!#$%"},
    };
    QString out(length, u' ');
    std::vector<qsizetype> open(static_cast<size_t>(length));
    for (qsizetype i = 0; i < length; ++i)
        open[size_t(i)] = i;
    for (const auto& c : kClasses) {
        if (!(classes & c.cls))
            continue;
        const size_t slot = random.Bounded(quint32(open.size()));
        out[open[slot]] = PickFrom(c.chars, random);
        open.erase(open.begin() + qsizetype(slot));
    }
    const QStringView pool = (classes & kPwSpecials)
                                 ? QStringView(u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.!#$%")
                                 : QStringView(u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    for (const qsizetype i : open)
        out[i] = PickFrom(pool, random);
    return out;
}

} // namespace vantrelo
