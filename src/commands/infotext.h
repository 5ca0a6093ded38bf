// The information line: a template whose variables become memory use, addresses, dates, the week and the version.
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace vantrelo {

class TClock;
class TMonotonicClock;
class TNetworkInfo;
class TMemoryInfo;

inline constexpr char kInfoEmpty[] = "Show info error: Cannot be empty, check Settings > Misc > Show info";

// What the variables read; all must be set.
struct TInfoSources {
    const TClock* wall = nullptr;
    const TMonotonicClock* ticks = nullptr; // the age of the cached addresses
    const TNetworkInfo* network = nullptr;
    const TMemoryInfo* memory = nullptr;
    QString version;   // four numbers joined by "."
    QString buildDate; // the day the program was built
    QLocale locale = QLocale::system();
};

// Keeps the addresses it read for 50 seconds, so a line refreshed every second asks rarely.
class TInfoText {
public:
    explicit TInfoText(TInfoSources sources);
    // The template with its lower-case variables replaced; kInfoEmpty when nothing is left.
    QString Build(const QString& tmpl, const QString& customtime);

private:
    struct TCache {
        QString text;
        std::optional<qint64> readAt;
    };
    QString Addresses(TCache& cache, bool firstOnly);

    TInfoSources s_;
    TCache all_, first_;
};

} // namespace vantrelo
