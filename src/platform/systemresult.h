// The outcome of one request to the operating system: done, or refused with plain words.
#pragma once

#include <QString>

namespace vantrelo {

struct TSystemResult {
    bool ok = true;
    QString message; // plain words for the user when the request failed

    static TSystemResult Done() { return {}; }
    static TSystemResult Failed(const QString& why) { return {false, why}; }
};

} // namespace vantrelo
