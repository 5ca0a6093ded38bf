// Shared helpers of the fuzz targets: bytes to text as the program decodes files, a crash on a
// broken invariant, and a private temporary folder.
#pragma once

#include "core/text.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace vantrelo::fuzz {

inline QByteArray Bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline QString Text(const uint8_t* data, size_t size) { return DecodeFileText(Bytes(data, size)); }

// An invariant that does not hold is a finding: abort so libFuzzer keeps the input.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace vantrelo::fuzz
