// The machine is about to shut down or restart: logind's PrepareForShutdown, held back by a delay lock while the program saves.
#pragma once

#include <QObject>

#include <functional>

namespace vantrelo {

class TShutdownWatch final : public QObject {
    Q_OBJECT
public:
    // `prepare` runs once per announced shutdown, before the lock is given back.
    explicit TShutdownWatch(std::function<void()> prepare, QObject* parent = nullptr);
    ~TShutdownWatch() override;

    // Listens on the system bus and asks for the delay lock (answered later); false without a bus.
    bool Start();
    bool HoldsLock() const { return lockFd_ >= 0; }

private slots:
    void PrepareForShutdown(bool starting);

private:
    void TakeLock();
    void ReleaseLock();

    std::function<void()> prepare_;
    int lockFd_ = -1;
    bool asking_ = false;
};

} // namespace vantrelo
