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
    // The answer marked where its body ends (a Content-Length or chunks): a body without either
    // that the server cut short cannot be told from a whole one.
    bool sized = true;
};

class TUrlFetcher {
public:
    virtual ~TUrlFetcher() = default;
    // Fetches `url` bypassing every cache and calls `done` on the calling thread when finished.
    virtual void Fetch(const QString& url, int timeoutMs, qsizetype maxBytes,
                       std::function<void(const TFetchResult&)> done) = 0;
};

} // namespace vantrelo
