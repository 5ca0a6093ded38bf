// Single instance and instance messages over a per-user local socket guarded by a lock file.
#pragma once

#include "platform/instancechannel.h"

#include <QObject>

#include <memory>

class QLocalServer;
class QLockFile;

namespace vantrelo {

// $XDG_RUNTIME_DIR when it is a folder of this user; else /tmp/vantrelo-<uid>, created with
// mode 0700 and refused when another user owns it or others may enter it. Empty with `error`.
QString InstanceRuntimeFolder(QString* error);

class TLocalInstanceChannel final : public QObject, public TInstanceChannel {
public:
    // `folder` holds "vantrelo.lock" and the socket "vantrelo.socket"; `connectTimeoutMs` bounds
    // how long a second start waits for a first instance that is still starting.
    explicit TLocalInstanceChannel(QString folder, int connectTimeoutMs = 3000, QObject* parent = nullptr);
    ~TLocalInstanceChannel() override;

    TInstanceRole Claim(TInstanceMessageSink* sink, QString* error) override;
    bool Send(const std::vector<TInstanceMessage>& messages, QString* error) override;

private:
    void Accept();

    QString folder_;
    int connectTimeoutMs_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    TInstanceMessageSink* sink_ = nullptr;
};

} // namespace vantrelo
