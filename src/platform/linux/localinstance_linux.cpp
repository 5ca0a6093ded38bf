// The lock file decides who is first; the first listens on a user-only local socket.
#include "platform/linux/localinstance_linux.h"

#include "platform/linux/instancemessage.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QThread>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrelo {

namespace {

bool PrivateFolder(const QString& path, QString* error) {
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0) {
        if (::mkdir(p.constData(), 0700) != 0 || ::lstat(p.constData(), &st) != 0) {
            if (error)
                *error = QStringLiteral("The folder %1 cannot be created.").arg(path);
            return false;
        }
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
        if (error)
            *error = QStringLiteral("The folder %1 is not a folder of this user.").arg(path);
        return false;
    }
    if ((st.st_mode & 077) != 0 && ::chmod(p.constData(), 0700) != 0) {
        if (error)
            *error = QStringLiteral("The folder %1 is open to other users.").arg(path);
        return false;
    }
    return true;
}

QString LockPath(const QString& folder) { return folder + QLatin1String("/vantrelo.lock"); }
QString SocketPath(const QString& folder) { return folder + QLatin1String("/vantrelo.socket"); }

} // namespace

QString InstanceRuntimeFolder(QString* error) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        struct stat st {};
        if (::stat(QFile::encodeName(runtime).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid())
            return QDir::cleanPath(runtime);
    }
    const QString home = QDir::homePath();
    QStringList bases;
    for (const char* var : {"XDG_CACHE_HOME", "XDG_CONFIG_HOME"}) {
        const QString base = qEnvironmentVariable(var);
        if (QDir::isAbsolutePath(base))
            bases << base;
    }
    if (!home.isEmpty())
        bases << home + QLatin1String("/.cache") << home + QLatin1String("/.config");
    QString why;
    for (const QString& base : bases) {
        const QString folder = QDir::cleanPath(base + QLatin1String("/vantrelo-runtime"));
        if (QDir().mkpath(base) && PrivateFolder(folder, &why))
            return folder;
    }
    if (error)
        *error = why.isEmpty() ? QStringLiteral("No private folder for the single-instance lock can be made.") : why;
    return {};
}

TLocalInstanceChannel::TLocalInstanceChannel(QString folder, int connectTimeoutMs, QObject* parent,
                                             TScheduler* scheduler)
    : QObject(parent), folder_(QDir::cleanPath(folder)), connectTimeoutMs_(connectTimeoutMs), scheduler_(scheduler) {}

void TLocalInstanceChannel::Later(int ms, std::function<void()> task) {
    if (scheduler_)
        scheduler_->RunLater(ms, std::move(task));
    else
        QTimer::singleShot(ms, this, std::move(task));
}

TLocalInstanceChannel::~TLocalInstanceChannel() {
    if (server_)
        server_->close();
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

TInstanceRole TLocalInstanceChannel::Claim(TInstanceMessageSink* sink, QString* error) {
    // An advisory lock the kernel drops when its owner dies, however it dies: no stale lock to judge,
    // and no write flushed to the disk while the program starts. The file is never removed, so
    // two starts always lock the same file.
    const int fd = ::open(QFile::encodeName(LockPath(folder_)).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = fd >= 0 && errno == EWOULDBLOCK;
        if (fd >= 0)
            ::close(fd);
        if (held)
            return TInstanceRole::Second;
        if (error)
            *error = QStringLiteral("The single-instance lock %1 cannot be taken.").arg(LockPath(folder_));
        return TInstanceRole::Failed;
    }
    lockFd_ = fd;
    // The owner's process id, for a person looking at the file (the lock holds without it).
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd, pid.constData(), size_t(pid.size()), 0);
    }
    sink_ = sink;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(SocketPath(folder_)); // a socket left by a crashed instance
    if (!server_->listen(SocketPath(folder_))) {
        if (error)
            *error = QStringLiteral("Messages from other starts cannot be received: %1").arg(server_->errorString());
        // Still the first instance: the program runs, later starts just cannot reach it.
        return TInstanceRole::First;
    }
    connect(server_, &QLocalServer::newConnection, this, &TLocalInstanceChannel::Accept);
    KeepListening();
    return TInstanceRole::First;
}

void TLocalInstanceChannel::WatchIdle(QLocalSocket* socket, std::shared_ptr<quint64> activity, quint64 seen) {
    const QPointer<QLocalSocket> guarded(socket);
    Later(kIdleMs, [this, alive = std::weak_ptr<bool>(alive_), guarded, activity, seen] {
        if (alive.expired() || !guarded)
            return;
        if (*activity == seen)
            guarded->abort(); // silent for the whole idle time
        else
            WatchIdle(guarded, activity, *activity);
    });
}

void TLocalInstanceChannel::KeepListening() {
    // Qt closes a server whose accept fails (no descriptors left): listen again once it can.
    Later(kIdleMs, [this, alive = std::weak_ptr<bool>(alive_)] {
        if (alive.expired())
            return;
        if (server_ && !server_->isListening()) {
            QLocalServer::removeServer(SocketPath(folder_));
            server_->listen(SocketPath(folder_));
        }
        KeepListening();
    });
}

void TLocalInstanceChannel::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (connections_ >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++connections_;
        connect(socket, &QObject::destroyed, this, [this] { --connections_; });
        auto decoder = std::make_shared<TInstanceMessageDecoder>();
        auto activity = std::make_shared<quint64>(0);
        const QPointer<QLocalSocket> guarded(socket);
        WatchIdle(socket, activity, 0);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, guarded, decoder, activity] {
            ++*activity;
            const bool wasPartial = decoder->Partial();
            const quint64 before = decoder->Frames();
            decoder->Feed(socket->readAll());
            TInstanceMessage m;
            while (decoder->Next(m)) {
                if (m.kind == TInstanceMessageKind::StoreChange) {
                    // The sender waits for the outcome, given after the save.
                    const QString answer = sink_ ? sink_->InstanceRequest(m) : QString();
                    if (guarded && guarded->state() == QLocalSocket::ConnectedState) {
                        guarded->write(EncodeInstanceMessage({TInstanceMessageKind::Answer, answer, {}}));
                        guarded->flush();
                    }
                } else if (m.kind != TInstanceMessageKind::Answer && sink_) {
                    sink_->InstanceMessage(m);
                }
                if (!guarded)
                    return;
            }
            if (decoder->Broken()) {
                socket->abort();
                return;
            }
            // A frame that began now must end in time: a sender that stops mid-frame (or trickles)
            // would otherwise hold its connection and buffer for ever.
            if (decoder->Partial() && (!wasPartial || decoder->Frames() != before)) {
                const quint64 frame = decoder->Frames();
                Later(kFrameDeadlineMs, [guarded, decoder, frame] {
                    if (guarded && decoder->Partial() && decoder->Frames() == frame)
                        guarded->abort();
                });
            }
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->state() != QLocalSocket::ConnectedState)
            socket->deleteLater();
        if (socket->bytesAvailable() > 0)
            emit socket->readyRead();
    }
}

bool TLocalInstanceChannel::Ask(const TInstanceMessage& message, int timeoutMs, QString* answer, QString* error) {
    QLocalSocket socket;
    if (!Deliver(socket, {message}, error))
        return false;
    const QDeadlineTimer deadline(std::max(timeoutMs, 1));
    TInstanceMessageDecoder decoder;
    TInstanceMessage m;
    while (!decoder.Next(m)) {
        if (decoder.Broken() || deadline.hasExpired() || socket.state() != QLocalSocket::ConnectedState ||
            !socket.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)))) {
            decoder.Feed(socket.readAll());
            if (decoder.Next(m))
                break;
            if (error)
                *error = deadline.hasExpired()
                             ? QStringLiteral("The running Vantrelo did not answer within %1 s.").arg(timeoutMs / 1000)
                             : QStringLiteral("The running Vantrelo ended the connection without an answer.");
            return false;
        }
        decoder.Feed(socket.readAll());
    }
    socket.disconnectFromServer();
    if (m.kind != TInstanceMessageKind::Answer) {
        if (error)
            *error = QStringLiteral("The running Vantrelo gave no answer to the change.");
        return false;
    }
    if (answer)
        *answer = m.text;
    return true;
}

bool TLocalInstanceChannel::Send(const std::vector<TInstanceMessage>& messages, QString* error) {
    QLocalSocket socket;
    if (!Deliver(socket, messages, error))
        return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(1000);
    return true;
}

bool TLocalInstanceChannel::Deliver(QLocalSocket& socket, const std::vector<TInstanceMessage>& messages, QString* error) {
    const QDeadlineTimer deadline(connectTimeoutMs_);
    for (;;) {
        socket.connectToServer(SocketPath(folder_));
        if (socket.waitForConnected(int(std::max<qint64>(deadline.remainingTime(), 1))))
            break;
        // The first instance may hold the lock but not listen yet: try again until the deadline.
        if (deadline.hasExpired()) {
            if (error)
                *error = QStringLiteral("The running Vantrelo cannot be reached: %1").arg(socket.errorString());
            return false;
        }
        socket.abort();
        QThread::msleep(50);
    }
    QByteArray bytes;
    for (const TInstanceMessage& m : messages)
        bytes += EncodeInstanceMessage(m);
    socket.write(bytes);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(std::max<qint64>(deadline.remainingTime(), 1000)))) {
            if (error)
                *error = QStringLiteral("The running Vantrelo does not take the message: %1").arg(socket.errorString());
            return false;
        }
    return true;
}

} // namespace vantrelo
