// The diagnostic report "vantrelo-report.txt": program, system and settings, never keywords.
#pragma once

#include "core/atomicfile.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace vantrelo {

class TMemIniFile;
struct TSettings;
struct TProgramInfo;

struct TReportFacts {
    qint64 programSize = 0;
    std::optional<int> indexedCount; // only when the index is loaded
    int keywordCount = 0;
    int historyCount = 0;
    int tagCount = 0;
    QString osVersion;     // e.g. "Debian GNU/Linux 12 (bookworm), kernel 6.1.0"
    QString architecture;  // "x64 (64-bit)", "ARM 64-bit"...
    QString desktop;       // $XDG_CURRENT_DESKTOP
    QString sessionType;   // "x11", "wayland"
    bool compositing = false;
    int colourDepth = 0;   // bits per pixel
    int monitorCount = 0;
    int pixelsPerInch = 0;
    int primaryWidth = 0;
    int primaryHeight = 0;
};

// The architecture text for a CPU name as QSysInfo gives it.
QString ArchitectureText(const QString& cpu);

void BuildReport(TMemIniFile& ini, const QDateTime& now, const TProgramInfo& info, const QString& dataFolder,
                 const TReportFacts& facts, const TSettings& settings);
QString ReportMessage(const QString& reportPath);

} // namespace vantrelo
