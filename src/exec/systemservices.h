// The real environment, file reading, random source and clock (QtCore only, no display needed).
#pragma once

#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/filesystem.h"
#include "platform/randomsource.h"

namespace vantrelo {

class TSystemEnvironment final : public TEnvironment {
public:
    std::optional<QString> Variable(const QString& name) const override;
    QString HomeFolder() const override;
};

class TSystemFileSystem final : public TFileSystem {
public:
    bool FileExists(const QString& path) const override;
    bool FolderExists(const QString& path) const override;
    std::optional<QString> ReadText(const QString& path) const override;
};

// The operating system's cryptographic generator.
class TSystemRandom final : public TRandomSource {
public:
    quint32 Bounded(quint32 bound) override;
};

class TSystemClock final : public TClock, public TMonotonicClock {
public:
    QDateTime Now() const override;
    qint64 Milliseconds() const override;
};

} // namespace vantrelo
