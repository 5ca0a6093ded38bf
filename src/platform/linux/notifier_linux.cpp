// Desktop notifications over org.freedesktop.Notifications on the session bus.
#include "platform/linux/notifier_linux.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace vantrelo {

namespace {

// A timer's notice stays until the user has seen it (0: it never expires by itself).
constexpr int kNeverExpires = 0;

} // namespace

void TDBusNotifier::Notify(const QString& caption, const QString& text, std::function<void()> unanswered) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        if (unanswered)
            unanswered();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                                       QStringLiteral("/org/freedesktop/Notifications"),
                                                       QStringLiteral("org.freedesktop.Notifications"),
                                                       QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2)));
    call << QStringLiteral("Vantrelo") << uint(0) << QStringLiteral("vantrelo") << caption << text << QStringList()
         << hints << kNeverExpires;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [unanswered = std::move(unanswered)](QDBusPendingCallWatcher* w) {
                         const QDBusPendingReply<uint> reply = *w;
                         if (reply.isError() && unanswered)
                             unanswered();
                         w->deleteLater();
                     });
}

} // namespace vantrelo
