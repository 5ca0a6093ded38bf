// A formatter for the settings' date-time pattern letters on top of QLocale.
#include "exec/datetimeformat.h"

#include "core/text.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <tuple>

namespace vantrelo {

namespace {

QString Two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

class TPatternFormatter {
public:
    TPatternFormatter(const QString& p, const QDateTime& w, const QLocale& l) : p_(p), d_(w.date()), t_(w.time()), l_(l) {}

    QString Run() {
        while (i_ < p_.size()) {
            if (!Quoted() && !AmPm())
                Letter();
        }
        return out_;
    }

private:
    qsizetype Run(QChar c) const {
        qsizetype n = 0;
        while (i_ + n < p_.size() && p_.at(i_ + n).toLower() == c)
            ++n;
        return n;
    }

    bool Quoted() {
        const QChar q = p_.at(i_);
        if (q != u'"' && q != u'\'')
            return false;
        const qsizetype end = p_.indexOf(q, i_ + 1);
        const qsizetype stop = end < 0 ? p_.size() : end;
        out_ += QStringView(p_).mid(i_ + 1, stop - i_ - 1);
        i_ = end < 0 ? p_.size() : end + 1;
        return true;
    }

    bool AmPm() {
        const QStringView rest = QStringView(p_).mid(i_);
        const bool pm = t_.hour() >= 12;
        for (const auto& [form, am, pmText] : {std::tuple{u"am/pm", u"am", u"pm"}, std::tuple{u"a/p", u"a", u"p"}}) {
            if (rest.startsWith(QStringView(form), Qt::CaseInsensitive)) {
                const QString text = QString::fromUtf16(pm ? pmText : am);
                out_ += rest.at(0).isUpper() ? text.toUpper() : text;
                i_ += QStringView(form).size();
                twelveHour_ = true;
                return true;
            }
        }
        if (rest.startsWith(u"ampm", Qt::CaseInsensitive)) {
            out_ += pm ? l_.pmText() : l_.amText();
            i_ += 4;
            twelveHour_ = true;
            return true;
        }
        return false;
    }

    int Hour() const {
        if (!twelveHour_ && !HasAmPmAhead())
            return t_.hour();
        const int h = t_.hour() % 12;
        return h == 0 ? 12 : h;
    }

    bool HasAmPmAhead() const {
        return ContainsText(p_, QStringLiteral("am/pm")) || ContainsText(p_, QStringLiteral("a/p")) ||
               ContainsText(p_, QStringLiteral("ampm"));
    }

    QString LongTime() const { return t_.toString(QStringLiteral("HH:mm:ss")); }

    void Letter() {
        const QChar c = p_.at(i_).toLower();
        const qsizetype n = std::max<qsizetype>(1, Run(c));
        const bool wasHour = afterHour_;
        afterHour_ = false;
        switch (c.unicode()) {
        case u'd':
            if (n == 1 || n == 2)
                out_ += n == 1 ? QString::number(d_.day()) : Two(d_.day());
            else if (n == 3 || n == 4)
                out_ += l_.dayName(d_.dayOfWeek(), n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            else
                out_ += l_.toString(d_, n == 5 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'm':
            if (wasHour && n <= 2)
                out_ += n == 1 ? QString::number(t_.minute()) : Two(t_.minute());
            else if (n <= 2)
                out_ += n == 1 ? QString::number(d_.month()) : Two(d_.month());
            else
                out_ += l_.monthName(d_.month(), n == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'y':
            out_ += n <= 2 ? Two(d_.year() % 100) : QString::number(d_.year());
            break;
        case u'h':
            out_ += n == 1 ? QString::number(Hour()) : Two(Hour());
            afterHour_ = true;
            break;
        case u'n':
            out_ += n == 1 ? QString::number(t_.minute()) : Two(t_.minute());
            break;
        case u's':
            out_ += n == 1 ? QString::number(t_.second()) : Two(t_.second());
            break;
        case u'z':
            out_ += n >= 3 ? QStringLiteral("%1").arg(t_.msec(), 3, 10, QLatin1Char('0')) : QString::number(t_.msec());
            break;
        case u't':
            out_ += n == 1 ? t_.toString(QStringLiteral("HH:mm")) : LongTime();
            break;
        case u'c':
            out_ += l_.toString(d_, QLocale::ShortFormat) + u' ' + LongTime();
            break;
        default:
            out_ += QStringView(p_).mid(i_, n);
            afterHour_ = wasHour && (c == u':' || c == u' ');
            break;
        }
        i_ += n;
    }

    const QString& p_;
    const QDate d_;
    const QTime t_;
    const QLocale& l_;
    QString out_;
    qsizetype i_ = 0;
    bool afterHour_ = false;
    bool twelveHour_ = false;
};

} // namespace

QString FormatDateTimePattern(const QString& pattern, const QDateTime& when, const QLocale& locale) {
    return TPatternFormatter(pattern, when, locale).Run();
}

QString TimeTokenText(const QString& customtime, const QDateTime& when, const QLocale& locale) {
    if (!customtime.isEmpty())
        return FormatDateTimePattern(customtime, when, locale);
    return FormatDateTimePattern(QStringLiteral("tt, dddd dd. mmmm yyyy"), when, locale) +
           QStringLiteral(" (week %1)").arg(when.date().weekNumber());
}

} // namespace vantrelo
