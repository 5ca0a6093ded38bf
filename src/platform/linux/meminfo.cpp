// The machine's physical memory read from /proc/meminfo.
#include "platform/linux/meminfo.h"

#include <QFile>

namespace vantrelo {

TProcMemoryInfo::TProcMemoryInfo(QString file) : file_(std::move(file)) {}

std::optional<TMemoryStatus> TProcMemoryInfo::Memory() const {
    QFile f(file_);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    TMemoryStatus m;
    bool total = false, available = false;
    // Lines such as "MemTotal:       16303572 kB".
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() < 2)
            continue;
        bool ok = false;
        const quint64 kb = parts.at(1).toULongLong(&ok);
        if (!ok)
            continue;
        if (parts.at(0) == "MemTotal:") {
            m.total = kb * 1024;
            total = true;
        } else if (parts.at(0) == "MemAvailable:") {
            m.available = kb * 1024;
            available = true;
        }
    }
    if (!total || !available || m.total == 0)
        return std::nullopt;
    return m;
}

} // namespace vantrelo
