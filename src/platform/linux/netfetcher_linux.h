// Downloads over QNetworkAccessManager, bounded in time and size; only a 2xx answer counts.
#pragma once

#include "platform/urlfetcher.h"

#include <QObject>

class QNetworkAccessManager;

namespace vantrelo {

class TNetUrlFetcher final : public QObject, public TUrlFetcher {
public:
    explicit TNetUrlFetcher(QObject* parent = nullptr);
    void Fetch(const QString& url, int timeoutMs, qsizetype maxBytes,
               std::function<void(const TFetchResult&)> done) override;

private:
    QNetworkAccessManager* manager_;
};

} // namespace vantrelo
