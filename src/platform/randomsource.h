// A source of uniform random numbers; the real one is cryptographically strong.
#pragma once

#include <QtGlobal>

namespace vantrelo {

class TRandomSource {
public:
    virtual ~TRandomSource() = default;
    // A uniform value in [0, bound); bound is at least 1.
    virtual quint32 Bounded(quint32 bound) = 0;
};

} // namespace vantrelo
