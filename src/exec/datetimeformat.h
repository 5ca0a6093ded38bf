// Date and time formatting with the pattern letters that settings files use ("dddd dd. mmmm yyyy").
#pragma once

#include <QString>

class QDateTime;
class QLocale;

namespace vantrelo {

// Pattern letters: d dd (day), ddd dddd (weekday name), ddddd (short date), dddddd (long date),
// m mm mmm mmmm (month; minutes right after an hour), yy yyyy, h hh, n nn (minutes), s ss, z zzz,
// t (short time), tt (long time), c (short date and long time), am/pm, a/p, ampm, "/" and ":"
// separators, and text in single or double quotes taken as it is. Anything else is copied.
QString FormatDateTimePattern(const QString& pattern, const QDateTime& when, const QLocale& locale);

// "$TIME$": the `customtime` pattern when set, else "tt, dddd dd. mmmm yyyy (week N)" with the
// ISO week number.
QString TimeTokenText(const QString& customtime, const QDateTime& when, const QLocale& locale);

} // namespace vantrelo
