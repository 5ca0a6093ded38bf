// logind's shutdown announcement with a "delay" inhibitor lock, so saving finishes before the session is torn down.
#include "platform/linux/shutdownwatch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

#include <unistd.h>

namespace vantrelo {
namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

TShutdownWatch::TShutdownWatch(std::function<void()> prepare, QObject* parent)
    : QObject(parent), prepare_(std::move(prepare)) {}

TShutdownWatch::~TShutdownWatch() { ReleaseLock(); }

bool TShutdownWatch::Start() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    // Only the name's owner (logind, which only root may be) is listened to.
    if (!bus.connect(kService, kPath, kManager, QStringLiteral("PrepareForShutdown"), this,
                     SLOT(PrepareForShutdown(bool))))
        return false;
    TakeLock();
    return true;
}

void TShutdownWatch::TakeLock() {
    if (lockFd_ >= 0 || asking_)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kManager, QStringLiteral("Inhibit"));
    call << QStringLiteral("shutdown") << QStringLiteral("Vantrelo")
         << QStringLiteral("Saving keywords, history and settings") << QStringLiteral("delay");
    // Asked without waiting: the start never stalls on the bus.
    asking_ = true;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        asking_ = false;
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *w;
        // No logind, or it refused: the session manager's request is then the only warning.
        if (reply.isError() || !reply.value().isValid() || lockFd_ >= 0)
            return;
        lockFd_ = ::dup(reply.value().fileDescriptor());
    });
}

void TShutdownWatch::ReleaseLock() {
    if (lockFd_ < 0)
        return;
    ::close(lockFd_);
    lockFd_ = -1;
}

void TShutdownWatch::PrepareForShutdown(bool starting) {
    if (!starting) {
        // The shutdown was called off: be ready for the next one.
        TakeLock();
        return;
    }
    if (prepare_)
        prepare_();
    ReleaseLock();
}

} // namespace vantrelo
