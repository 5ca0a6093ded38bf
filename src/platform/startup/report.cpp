// Building the diagnostic report from facts the program and the screen supply.
#include "platform/startup/report.h"

#include "core/inifile.h"
#include "core/settings.h"
#include "platform/startup/dashcommands.h"

#include <QLocale>

namespace vantrelo {

QString ArchitectureText(const QString& cpu) {
    if (cpu == QLatin1String("x86_64"))
        return QStringLiteral("x64 (64-bit)");
    if (cpu == QLatin1String("i386"))
        return QStringLiteral("x86 (32-bit)");
    if (cpu == QLatin1String("arm64"))
        return QStringLiteral("ARM 64-bit");
    if (cpu == QLatin1String("arm"))
        return QStringLiteral("ARM 32-bit");
    return cpu;
}

void BuildReport(TMemIniFile& ini, const QDateTime& now, const TProgramInfo& info, const QString& dataFolder,
                 const TReportFacts& f, const TSettings& settings) {
    const QString report = QStringLiteral("Report");
    const QString program = QStringLiteral("Vantrelo");
    const QString system = QStringLiteral("System");
    ini.WriteString(report, QStringLiteral("Generated"), QLocale::c().toString(now, QStringLiteral("dd-MMM-yyyy hh:mm")));
    ini.WriteString(program, QStringLiteral("Version"), VersionText(info));
    ini.WriteString(program, QStringLiteral("Bit"), QStringLiteral("%1-bit").arg(int(sizeof(void*) * 8)));
    ini.WriteString(program, QStringLiteral("Size"), QString::number(f.programSize) + QLatin1String("bytes"));
    ini.WriteString(program, QStringLiteral("Build"), info.buildDate);
    ini.WriteString(program, QStringLiteral("Location"), info.executable);
    ini.WriteString(program, QStringLiteral("AppDataFolder"), dataFolder);
    if (f.indexedCount)
        ini.WriteInteger(program, QStringLiteral("IndexedCount"), *f.indexedCount);
    ini.WriteInteger(program, QStringLiteral("KeywordCount"), f.keywordCount);
    ini.WriteInteger(program, QStringLiteral("HistoryCount"), f.historyCount);
    ini.WriteInteger(program, QStringLiteral("TagsCount"), f.tagCount);
    ini.WriteString(system, QStringLiteral("Version"), f.osVersion);
    ini.WriteString(system, QStringLiteral("Architecture"), f.architecture);
    ini.WriteString(system, QStringLiteral("Desktop"), f.desktop);
    ini.WriteString(system, QStringLiteral("SessionType"), f.sessionType);
    ini.WriteBool(system, QStringLiteral("Compositing"), f.compositing);
    ini.WriteString(system, QStringLiteral("ColorSchema"), QString::number(f.colourDepth) + QLatin1String("bit"));
    ini.WriteInteger(system, QStringLiteral("MonitorCount"), f.monitorCount);
    ini.WriteInteger(system, QStringLiteral("PixelsPerInch"), f.pixelsPerInch);
    ini.WriteInteger(system, QStringLiteral("PrimWidth"), f.primaryWidth);
    ini.WriteInteger(system, QStringLiteral("PrimHeight"), f.primaryHeight);
    WriteSetup(ini, settings);
}

QString ReportMessage(const QString& reportPath) {
    return QStringLiteral("Report location: ") + reportPath +
           QStringLiteral("\r\n\r\nFor privacy reasons the report does NOT contain your keywords and Vantrelo history."
                          "\r\n\r\nFolder containing \"vantrelo-report.txt\" will now be opened...");
}

} // namespace vantrelo
