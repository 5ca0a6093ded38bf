// Downloads over QNetworkAccessManager, bounded in time and size; only a 2xx answer counts.
#pragma once

#include "platform/scheduler.h"
#include "platform/urlfetcher.h"

#include <QObject>

class QNetworkAccessManager;

namespace vantrelo {

// `timeoutMs` is the longest silence; the whole download must also end within
// kWholeDownloadFactor times it, so a server that trickles a byte now and then cannot hold it open.
class TNetUrlFetcher final : public QObject, public TUrlFetcher {
public:
    static constexpr int kWholeDownloadFactor = 4;

    // `scheduler` (tests) runs the whole-download deadlines; without one they are Qt timers.
    explicit TNetUrlFetcher(QObject* parent = nullptr, TScheduler* scheduler = nullptr);
    void Fetch(const QString& url, int timeoutMs, qsizetype maxBytes,
               std::function<void(const TFetchResult&)> done) override;

private:
    QNetworkAccessManager* manager_;
    TScheduler* scheduler_;
};

} // namespace vantrelo
