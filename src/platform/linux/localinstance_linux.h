// Single instance and instance messages over a per-user local socket guarded by a lock file.
#pragma once

#include "platform/instancechannel.h"
#include "platform/scheduler.h"

#include <QObject>

#include <memory>

class QLocalServer;
class QLocalSocket;

namespace vantrelo {

// $XDG_RUNTIME_DIR when it is a folder of this user; else "vantrelo-runtime" in the user's cache
// folder ($XDG_CACHE_HOME, else ~/.cache), else in the config folder: folders no other user can
// create first (a shared /tmp name could be squatted). Made 0700 and refused when another user
// owns it. Empty with `error`.
QString InstanceRuntimeFolder(QString* error);

class TLocalInstanceChannel final : public QObject, public TInstanceChannel {
public:
    // A frame must arrive whole within this time of its first byte, else its sender is dropped.
    static constexpr int kFrameDeadlineMs = 5000;
    // A connection that sends nothing for this long is dropped; beyond this many at once, a new
    // connection is closed at once, so idle senders can never use up the program's descriptors.
    static constexpr int kIdleMs = 10000;
    static constexpr int kMaxConnections = 32;

    // `folder` holds "vantrelo.lock" and the socket "vantrelo.socket"; `connectTimeoutMs` bounds
    // how long a second start waits for a first instance that is still starting. `scheduler`
    // (tests) runs the frame deadlines; without one they are Qt timers.
    explicit TLocalInstanceChannel(QString folder, int connectTimeoutMs = 3000, QObject* parent = nullptr,
                                   TScheduler* scheduler = nullptr);
    ~TLocalInstanceChannel() override;

    TInstanceRole Claim(TInstanceMessageSink* sink, QString* error) override;
    bool Send(const std::vector<TInstanceMessage>& messages, QString* error) override;
    bool Ask(const TInstanceMessage& message, int timeoutMs, QString* answer, QString* error) override;

    // Connections open now (tests).
    int Connections() const { return connections_; }

private:
    void WatchIdle(QLocalSocket* socket, std::shared_ptr<quint64> activity, quint64 seen);
    void KeepListening();
    bool Deliver(QLocalSocket& socket, const std::vector<TInstanceMessage>& messages, QString* error);
    void Accept();
    void Later(int ms, std::function<void()> task);

    QString folder_;
    int connectTimeoutMs_;
    int lockFd_ = -1;             // held (flock) for as long as this instance lives
    QLocalServer* server_ = nullptr;
    TInstanceMessageSink* sink_ = nullptr;
    TScheduler* scheduler_ = nullptr;
    int connections_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true); // tasks of a gone channel do nothing
};

} // namespace vantrelo
