// Facts about the machine's network interfaces.
#pragma once

#include <QStringList>

namespace vantrelo {

class TNetworkInfo {
public:
    virtual ~TNetworkInfo() = default;
    // The local host's IPv4 addresses in dotted form; empty when none can be found.
    virtual QStringList LocalIPv4Addresses() const = 0;
};

} // namespace vantrelo
