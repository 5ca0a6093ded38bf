// QtCore implementations of the simple system services.
#include "exec/systemservices.h"

#include "core/atomicfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <chrono>

namespace vantrelo {

std::optional<QString> TSystemEnvironment::Variable(const QString& name) const {
    if (!qEnvironmentVariableIsSet(name.toLocal8Bit().constData()))
        return std::nullopt;
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

QString TSystemEnvironment::HomeFolder() const { return QDir::homePath(); }

bool TSystemFileSystem::FileExists(const QString& path) const { return QFileInfo(path).isFile(); }

bool TSystemFileSystem::FolderExists(const QString& path) const { return QFileInfo(path).isDir(); }

std::optional<QString> TSystemFileSystem::ReadText(const QString& path) const {
    QString text;
    if (!ReadTextFile(path, text))
        return std::nullopt;
    return text;
}

quint32 TSystemRandom::Bounded(quint32 bound) { return QRandomGenerator::system()->bounded(bound); }

QDateTime TSystemClock::Now() const { return QDateTime::currentDateTime(); }

qint64 TSystemClock::Milliseconds() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace vantrelo
