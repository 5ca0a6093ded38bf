// Power and session through logind, the trash folders, the sound server, eject and the interfaces.
#include "platform/linux/systemcontrol_linux.h"

#include "platform/processlauncher.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>

#include <QDateTime>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>

namespace vantrelo {

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
constexpr int kBusTimeoutMs = 25000; // long enough for the user to answer a confirmation
constexpr int kToolTimeoutMs = 2000;
constexpr qsizetype kToolOutputLimit = 64 * 1024;

TSystemResult Reply(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage)
        return TSystemResult::Failed(reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage());
    return TSystemResult::Done();
}

TSystemResult CallManager(const QString& method, const QVariantList& args) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return TSystemResult::Failed(QStringLiteral("The system bus is not available"));
    QDBusMessage m = QDBusMessage::createMethodCall(kLogind, kManagerPath, kManager, method);
    m.setArguments(args);
    m.setInteractiveAuthorizationAllowed(true);
    return Reply(bus.call(m, QDBus::Block, kBusTimeoutMs));
}

TSystemResult Spawned(const TSpawnResult& r, const QString& program) {
    if (r.Ok())
        return TSystemResult::Done();
    return TSystemResult::Failed(r.error.isEmpty() ? program + QStringLiteral(" could not be started") : r.error);
}

// Removes everything inside `folder` without following symbolic links; true when all went.
bool EmptyFolder(const QString& folder) {
    bool ok = true;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& e : entries) {
        if (e.isDir() && !e.isSymLink())
            ok = QDir(e.filePath()).removeRecursively() && ok;
        else
            ok = QFile::remove(e.filePath()) && ok;
    }
    return ok;
}

} // namespace

// ---- logind ----

TSystemResult TLogindPower::Suspend() {
    return CallManager(QStringLiteral("Suspend"), {true});
}
TSystemResult TLogindPower::Hibernate() {
    return CallManager(QStringLiteral("Hibernate"), {true});
}
TSystemResult TLogindPower::Reboot() {
    return CallManager(QStringLiteral("Reboot"), {true});
}
TSystemResult TLogindPower::PowerOff() {
    return CallManager(QStringLiteral("PowerOff"), {true});
}
TSystemResult TLogindPower::LogOff() {
    return SessionCall(QStringLiteral("Terminate"));
}
TSystemResult TLogindPower::LockSession() {
    return SessionCall(QStringLiteral("Lock"));
}

// Our own session is the one logind assigns to this process.
TSystemResult TLogindPower::SessionCall(const QString& method) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return TSystemResult::Failed(QStringLiteral("The system bus is not available"));
    QDBusMessage find = QDBusMessage::createMethodCall(kLogind, kManagerPath, kManager, QStringLiteral("GetSessionByPID"));
    find.setArguments({quint32(::getpid())});
    const QDBusMessage found = bus.call(find, QDBus::Block, kBusTimeoutMs);
    if (found.type() == QDBusMessage::ErrorMessage || found.arguments().isEmpty())
        return Reply(found);
    const QString path = found.arguments().constFirst().value<QDBusObjectPath>().path();
    QDBusMessage call = QDBusMessage::createMethodCall(kLogind, path, kSession, method);
    call.setInteractiveAuthorizationAllowed(true);
    return Reply(bus.call(call, QDBus::Block, kBusTimeoutMs));
}

TSystemResult TLinuxSession::StartScreenSaver() {
    return Spawned(launcher_.Spawn({QStringLiteral("xdg-screensaver"), {QStringLiteral("activate")}}),
                   QStringLiteral("xdg-screensaver"));
}

TSystemResult TLinuxSession::MonitorOff() {
    return Spawned(launcher_.Spawn({QStringLiteral("xset"), {QStringLiteral("dpms"), QStringLiteral("force"),
                                                             QStringLiteral("off")}}),
                   QStringLiteral("xset"));
}

// ---- trash ----

QStringList TFreedesktopTrash::UserTrashFolders() {
    QStringList folders{QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                        QStringLiteral("/Trash")};
    const QString uid = QString::number(::getuid());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || volume.isReadOnly() || volume.rootPath() == QLatin1String("/"))
            continue;
        const QString top = volume.rootPath();
        folders << top + QStringLiteral("/.Trash/") + uid << top + QStringLiteral("/.Trash-") + uid;
    }
    return folders;
}

TSystemResult TFreedesktopTrash::EmptyTrash() {
    QStringList failed;
    for (const QString& folder : folders_) {
        const QFileInfo info(folder);
        if (!info.isDir() || info.isSymLink())
            continue;
        bool ok = true;
        for (const char* part : {"files", "info", "expunged"}) {
            const QString sub = folder + QLatin1Char('/') + QLatin1String(part);
            if (QFileInfo(sub).isDir())
                ok = EmptyFolder(sub) && ok;
        }
        const QString sizes = folder + QStringLiteral("/directorysizes");
        if (QFileInfo::exists(sizes))
            ok = QFile::remove(sizes) && ok;
        if (!ok)
            failed << folder;
    }
    if (!failed.isEmpty())
        return TSystemResult::Failed(QStringLiteral("Some items could not be removed from the trash: ") +
                                     failed.join(QLatin1String(", ")));
    return TSystemResult::Done();
}

namespace {

// The path of a trash entry's ".trashinfo": percent-encoded, "/" kept.
QByteArray TrashInfo(const QString& path) {
    return QByteArrayLiteral("[Trash Info]\nPath=") + QUrl::toPercentEncoding(path, "/") +
           QByteArrayLiteral("\nDeletionDate=") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toUtf8() + '\n';
}

bool SameDevice(const QString& a, const QString& b) {
    struct stat sa {};
    struct stat sb {};
    return ::lstat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev;
}

} // namespace

TSystemResult TFreedesktopTrash::MoveToTrash(const QString& path) {
    const QFileInfo target(path);
    if (!target.exists() && !target.isSymLink())
        return TSystemResult::Failed(QStringLiteral("Not found: ") + path);
    QString full = target.absoluteFilePath();
    while (full.size() > 1 && full.endsWith(u'/'))
        full.chop(1);
    for (const QString& folder : folders_) {
        // The home trash may not exist yet; a volume's trash must, and must be a real folder.
        if (folder != folders_.front() && (!QFileInfo(folder).isDir() || QFileInfo(folder).isSymLink()))
            continue;
        if (!QDir().mkpath(folder + QStringLiteral("/files")) || !QDir().mkpath(folder + QStringLiteral("/info")))
            continue;
        if (!SameDevice(full, folder + QStringLiteral("/files")))
            continue;
        const QString base = QFileInfo(full).fileName();
        for (int n = 1; n < 10000; ++n) {
            const QString name = n == 1 ? base : QStringLiteral("%1.%2").arg(base).arg(n);
            QFile info(folder + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
            // The info file claims the name: it is created only when no other entry holds it.
            if (!info.open(QIODevice::WriteOnly | QIODevice::NewOnly))
                continue;
            const bool written = info.write(TrashInfo(full)) > 0 && info.flush();
            info.close();
            const QString moved = folder + QStringLiteral("/files/") + name;
            if (written && !QFileInfo::exists(moved) &&
                ::rename(QFile::encodeName(full).constData(), QFile::encodeName(moved).constData()) == 0)
                return TSystemResult::Done();
            info.remove();
            // A stray entry without its info holds the name: try the next one.
            if (!written || !QFileInfo::exists(moved))
                return TSystemResult::Failed(QStringLiteral("Could not move to the trash: ") + full);
        }
    }
    return TSystemResult::Failed(QStringLiteral("No trash folder on the volume of ") + full);
}

// ---- volume ----

std::optional<double> ParsePactlVolume(const QString& output) {
    static const QRegularExpression kPercent(QStringLiteral("(\\d+)%"));
    const QRegularExpressionMatch m = kPercent.match(output);
    if (!m.hasMatch())
        return std::nullopt;
    return std::clamp(m.captured(1).toInt() / 100.0, 0.0, 1.0);
}

std::optional<double> ParseWpctlVolume(const QString& output) {
    static const QRegularExpression kLevel(QStringLiteral("Volume:\\s*(\\d+(?:\\.\\d+)?)"));
    const QRegularExpressionMatch m = kLevel.match(output);
    if (!m.hasMatch())
        return std::nullopt;
    return std::clamp(m.captured(1).toDouble(), 0.0, 1.0);
}

std::optional<double> TSoundServerVolume::Level() {
    const TCaptureResult p = launcher_.Capture(
        {QStringLiteral("pactl"), {QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@")}},
        kToolTimeoutMs, kToolOutputLimit);
    if (p.started && !p.timedOut)
        return ParsePactlVolume(QString::fromUtf8(p.output));
    const TCaptureResult w = launcher_.Capture(
        {QStringLiteral("wpctl"), {QStringLiteral("get-volume"), QStringLiteral("@DEFAULT_AUDIO_SINK@")}},
        kToolTimeoutMs, kToolOutputLimit);
    if (w.started && !w.timedOut)
        return ParseWpctlVolume(QString::fromUtf8(w.output));
    return std::nullopt;
}

// The set commands print nothing when they succeed; anything printed is the sound server's error.
TSystemResult TSoundServerVolume::Run(const QStringList& pactl, const QStringList& wpctl) {
    for (const auto& [program, args] : {std::pair{QStringLiteral("pactl"), pactl}, std::pair{QStringLiteral("wpctl"), wpctl}}) {
        const TCaptureResult r = launcher_.Capture({program, args}, kToolTimeoutMs, kToolOutputLimit);
        if (!r.started)
            continue;
        if (r.timedOut)
            return TSystemResult::Failed(QStringLiteral("The sound server did not answer"));
        const QString out = QString::fromUtf8(r.output).trimmed();
        return out.isEmpty() ? TSystemResult::Done() : TSystemResult::Failed(out);
    }
    return TSystemResult::Failed(QStringLiteral("Neither pactl nor wpctl is installed"));
}

TSystemResult TSoundServerVolume::SetLevel(double level) {
    const int percent = qRound(std::clamp(level, 0.0, 1.0) * 100.0);
    return Run({QStringLiteral("set-sink-volume"), QStringLiteral("@DEFAULT_SINK@"), QString::number(percent) + QLatin1Char('%')},
               {QStringLiteral("set-volume"), QStringLiteral("@DEFAULT_AUDIO_SINK@"), QString::number(percent / 100.0, 'f', 2)});
}

TSystemResult TSoundServerVolume::ToggleMute() {
    return Run({QStringLiteral("set-sink-mute"), QStringLiteral("@DEFAULT_SINK@"), QStringLiteral("toggle")},
               {QStringLiteral("set-mute"), QStringLiteral("@DEFAULT_AUDIO_SINK@"), QStringLiteral("toggle")});
}

// ---- eject ----

QStringList EjectArguments(const QString& device, bool close) {
    QStringList args;
    if (close)
        args << QStringLiteral("-t");
    if (device.size() > 1)
        args << (device.startsWith(QLatin1Char('/')) ? device : QStringLiteral("/dev/") + device);
    return args;
}

TSystemResult TEjectDrive::Eject(const QString& device, bool close) {
    return Spawned(launcher_.Spawn({QStringLiteral("eject"), EjectArguments(device, close)}), QStringLiteral("eject"));
}

// ---- network ----

QStringList TLinuxNetworkInfo::LocalIPv4Addresses() const {
    QStringList ips;
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        const auto flags = nic.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : nic.addressEntries()) {
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                ips << e.ip().toString();
        }
    }
    return ips;
}

} // namespace vantrelo
