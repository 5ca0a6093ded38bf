// Which scancache.dat a derived file was made from: its size, time and a hash of its edges.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vantrelo {

struct TCacheStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;    // milliseconds since the epoch
    std::uint64_t edges = 0;      // hash of the file's first and last 4 KiB
    bool operator==(const TCacheStamp&) const = default;
};

// The stamp of the file as it is now; nothing when it cannot be read.
std::optional<TCacheStamp> CacheStampOf(const QString& cacheFile);

// A 64-bit hash of bytes, for telling damaged or different contents apart (not cryptographic).
std::uint64_t ContentHash(const char* data, std::size_t size, std::uint64_t seed = 0);

// ContentHash of bytes that arrive in pieces: equal to ContentHash of the pieces joined.
class TContentHasher {
public:
    explicit TContentHasher(std::uint64_t seed = 0);
    void Add(const char* data, std::size_t size);
    std::uint64_t Finish() const;

private:
    void Block(const char* block);
    std::uint64_t lanes_[4];
    char pending_[32];
    std::size_t pendingSize_ = 0;
    std::size_t total_ = 0;
};

} // namespace vantrelo
