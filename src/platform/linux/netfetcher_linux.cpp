// HTTP(S) fetches with a transfer time-out, a size cap checked while the body arrives, and the
// status checked so an error page is never taken as content.
#include "platform/linux/netfetcher_linux.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <climits>
#include <memory>

namespace vantrelo {

TNetUrlFetcher::TNetUrlFetcher(QObject* parent, TScheduler* scheduler)
    : QObject(parent), manager_(new QNetworkAccessManager(this)), scheduler_(scheduler) {}

void TNetUrlFetcher::Fetch(const QString& url, int timeoutMs, qsizetype maxBytes,
                           std::function<void(const TFetchResult&)> done) {
    const QUrl u(url, QUrl::StrictMode);
    const QString scheme = u.scheme().toLower();
    if (!u.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        TFetchResult r;
        r.error = QStringLiteral("\"%1\" is not a web address.").arg(url);
        done(r);
        return;
    }
    QNetworkRequest request(u);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Vantrelo"));
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = manager_->get(request);
    // The transfer time-out restarts with every byte; this deadline does not.
    const QPointer<QNetworkReply> running(reply);
    auto deadline = [running] {
        if (running && running->isRunning())
            running->abort();
    };
    const int wholeMs = int(std::min<qint64>(qint64(timeoutMs) * kWholeDownloadFactor, INT_MAX));
    if (scheduler_)
        scheduler_->RunLater(wholeMs, deadline);
    else
        QTimer::singleShot(wholeMs, reply, deadline);

    struct TState {
        QByteArray body;
        bool tooLarge = false;
    };
    auto state = std::make_shared<TState>();
    auto overLimit = [reply, state, maxBytes] {
        state->tooLarge = true;
        reply->abort();
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, [reply, maxBytes, overLimit] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maxBytes)
            overLimit();
    });
    connect(reply, &QNetworkReply::readyRead, this, [reply, state, maxBytes, overLimit] {
        if (state->tooLarge)
            return;
        if (state->body.size() + reply->bytesAvailable() > maxBytes) {
            overLimit();
            return;
        }
        state->body += reply->readAll();
    });
    connect(reply, &QNetworkReply::finished, this, [reply, state, maxBytes, done = std::move(done)] {
        reply->deleteLater();
        TFetchResult r;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (state->tooLarge) {
            r.error = QStringLiteral("The answer is larger than %1 bytes.").arg(maxBytes);
        } else if (reply->error() == QNetworkReply::OperationCanceledError) {
            r.error = QStringLiteral("No answer in time.");
        } else if (reply->error() != QNetworkReply::NoError && status == 0) {
            r.error = reply->errorString();
        } else if (status < 200 || status > 299) {
            r.error = QStringLiteral("The server answered %1 %2.")
                          .arg(status)
                          .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
        } else {
            state->body += reply->readAll();
            // A body cut short is never taken for the whole text.
            const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
            const bool cut = reply->error() != QNetworkReply::NoError ||
                             (announced.isValid() && !reply->hasRawHeader("Content-Encoding") &&
                              state->body.size() < announced.toLongLong());
            if (cut) {
                r.error = QStringLiteral("The answer broke off after %1 bytes.").arg(state->body.size());
            } else if (state->body.size() > maxBytes) {
                r.error = QStringLiteral("The answer is larger than %1 bytes.").arg(maxBytes);
            } else {
                r.ok = true;
                r.body = std::move(state->body);
                r.sized = announced.isValid() ||
                          reply->rawHeader("Transfer-Encoding").toLower().contains("chunked");
            }
        }
        done(r);
    });
}

} // namespace vantrelo
