// Downloading a web page's text into memory, bounded in time and size.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace vantrelo {

struct TFetchResult {
    bool ok = false;   // a 2xx answer whose body arrived completely within the limits
    QByteArray body;   // empty unless `ok`: an error page is never taken as the text
    QString error;     // plain words when not `ok`
};

class TUrlFetcher {
public:
    virtual ~TUrlFetcher() = default;
    // Fetches `url` bypassing every cache and calls `done` on the calling thread when finished.
    virtual void Fetch(const QString& url, int timeoutMs, qsizetype maxBytes,
                       std::function<void(const TFetchResult&)> done) = 0;
};

} // namespace vantrelo
