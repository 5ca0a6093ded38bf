// Qt-backed services of the running program.
#include "app/qtservices.h"

#include "exec/injector.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QVariant>
#include <QProcess>
#include <QStandardPaths>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>


namespace vantrelo {

void TQtScheduler::RunLater(qint32 ms, std::function<void()> task) {
    if (!owner_)
        return;
    QTimer::singleShot(std::max(0, ms), owner_.data(), std::move(task));
}

void TQtTaskRunner::Run(std::function<void()> work, std::function<void()> done) {
    QPointer<QObject> owner = owner_;
    QThreadPool::globalInstance()->start([work = std::move(work), done = std::move(done), owner]() mutable {
        work();
        if (owner)
            QMetaObject::invokeMethod(owner.data(), std::move(done), Qt::QueuedConnection);
    });
}

bool TQtTaskRunner::WaitForAll(int ms) { return QThreadPool::globalInstance()->waitForDone(ms); }

namespace {

class TQtClipContent final : public TClipboardContent {
public:
    std::vector<std::pair<QString, QByteArray>> formats;
    QVariant image; // a picture held as an object (our own copy) has no bytes of its own
};

} // namespace

TQtClipboard::TQtClipboard() {
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ++changes_; });
}

bool TQtClipboard::HasText() const {
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    return m && m->hasText();
}

QString TQtClipboard::Text() const { return QGuiApplication::clipboard()->text(); }

void TQtClipboard::SetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

namespace {
// Our own format beside the text: the mark of a text that is there only for a paste.
const QLatin1String kTransientFormat("application/x-vantrelo-transient");
} // namespace

void TQtClipboard::SetTransientText(const QString& text) {
    auto* m = new QMimeData;
    m->setText(text);
    m->setData(kTransientFormat, QByteArrayLiteral("1"));
    QGuiApplication::clipboard()->setMimeData(m); // the clipboard owns it
}

bool TQtClipboard::HoldsTransientText() const {
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    return m && m->hasFormat(kTransientFormat);
}

QStringList TQtClipboard::Files() const {
    QStringList out;
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    if (m && m->hasUrls())
        for (const QUrl& u : m->urls())
            if (u.isLocalFile())
                out << u.toLocalFile();
    return out;
}

std::unique_ptr<TClipboardContent> TQtClipboard::Save() const {
    auto c = std::make_unique<TQtClipContent>();
    if (const QMimeData* m = QGuiApplication::clipboard()->mimeData()) {
        for (const QString& f : m->formats())
            c->formats.emplace_back(f, m->data(f));
        if (m->hasImage())
            c->image = m->imageData();
    }
    return c;
}

void TQtClipboard::Restore(const TClipboardContent& content) {
    const auto* c = dynamic_cast<const TQtClipContent*>(&content);
    if (!c)
        return;
    auto* m = new QMimeData;
    for (const auto& [format, data] : c->formats)
        if (!data.isEmpty() || !c->image.isValid())
            m->setData(format, data);
    if (c->image.isValid())
        m->setImageData(c->image);
    QGuiApplication::clipboard()->setMimeData(m); // the clipboard owns it
}

bool TQtWaiter::WaitUntil(const std::function<bool()>& done, int intervalMs, int maxChecks) {
    // A nested loop: events (and other programs' requests for our clipboard) run meanwhile.
    return CheckUntil(done, maxChecks, [intervalMs] {
        QEventLoop loop;
        QTimer::singleShot(std::max(1, intervalMs), &loop, &QEventLoop::quit);
        loop.exec();
    });
}

void TQtWaiter::ProcessPendingEvents() { QCoreApplication::processEvents(); }

void TProcessSoundPlayer::Play(const QString& file) {
    for (const char* player : {"paplay", "aplay"}) {
        const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(player));
        if (!exe.isEmpty()) {
            QProcess::startDetached(exe, {file});
            return;
        }
    }
}

QString TKeyTextSender::TypeText(const QString& text) { return InjectMessage(injector_.Type(text)); }

QString TKeyTextSender::PasteText(const QString& text, bool enter) { return InjectMessage(injector_.Paste(text, enter)); }

} // namespace vantrelo
