// The platform services of the running program that Qt itself provides: timers, tasks, clipboard, waits, sounds.
#pragma once

#include "platform/scheduler.h"
#include "platform/clipboard.h"
#include "platform/networkinfo.h"
#include "platform/soundplayer.h"
#include "platform/textsender.h"
#include "platform/waiter.h"

#include <QObject>
#include <QPointer>

namespace vantrelo {

class TKeySender;
class TKeyInjector;
class TInjector;

// Timers on the user-interface thread; a task whose owner is gone never runs.
class TQtScheduler final : public TScheduler {
public:
    explicit TQtScheduler(QObject* owner) : owner_(owner) {}
    void RunLater(qint32 ms, std::function<void()> task) override;

private:
    QPointer<QObject> owner_;
};

// Work on the global thread pool; `done` comes back through the owner's event queue.
class TQtTaskRunner final : public TTaskRunner {
public:
    explicit TQtTaskRunner(QObject* owner) : owner_(owner) {}
    void Run(std::function<void()> work, std::function<void()> done) override;
    // At exit: the tasks still running are waited for (at most `ms`).
    static bool WaitForAll(int ms);

private:
    QPointer<QObject> owner_;
};

class TQtClipboard final : public QObject, public TClipboard {
public:
    TQtClipboard();
    bool HasText() const override;
    QString Text() const override;
    void SetText(const QString& text) override;
    void SetTransientText(const QString& text) override;
    bool HoldsTransientText() const override;
    QStringList Files() const override;
    quint64 ChangeCount() const override { return changes_; }
    std::unique_ptr<TClipboardContent> Save() const override;
    void Restore(const TClipboardContent& content) override;

private:
    quint64 changes_ = 0;
};

// Waits with a local event loop per interval, so the program keeps answering (also the clipboard).
class TQtWaiter final : public TWaiter {
public:
    bool WaitUntil(const std::function<bool()>& done, int intervalMs, int maxChecks) override;
    void ProcessPendingEvents() override;
};

// Sound files through the desktop's sound server players (paplay, else aplay).
class TProcessSoundPlayer final : public TSoundPlayer {
public:
    void Play(const QString& file) override;
};

// Text for the window that has the focus, typed key by key or pasted, through the one injector.
class TKeyTextSender final : public TTextSender {
public:
    explicit TKeyTextSender(TInjector& injector) : injector_(injector) {}
    QString TypeText(const QString& text) override;
    QString PasteText(const QString& text, bool enter) override;

private:
    TInjector& injector_;
};

} // namespace vantrelo
