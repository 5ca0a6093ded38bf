// The index list's set of lower-cased keys: their bytes in one arena, found through an open table.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace vantrelo {

// A walk claims one key per file: a string and a hash node per key were a tenth of a large scan,
// and freeing them at its end as much again. Keys are compared as KeyBytes.
class TKeySet {
public:
    TKeySet();
    ~TKeySet();
    TKeySet(TKeySet&&) noexcept;
    TKeySet& operator=(TKeySet&&) noexcept;

    // Adds the key; false when it was there already.
    bool Insert(QByteArrayView key);
    bool Contains(QByteArrayView key) const;
    void Remove(QByteArrayView key);
    void Clear();
    void Reserve(std::size_t count);
    std::size_t size() const { return live_; }

private:
    struct TRecord {
        std::uint64_t hash;
        const char* text;
        std::uint32_t length;
        bool removed;
    };
    std::size_t Find(QByteArrayView key, std::uint64_t hash) const; // slot of the key, or of the free slot it would take
    const char* Store(QByteArrayView key);
    void Grow();

    // Per slot: record number + 1 (0 = free) in the low half, the hash's high half above it, so
    // a search rarely reads a record that is not the one it looks for.
    std::vector<std::uint64_t> slots_;
    std::vector<TRecord> records_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockUsed_ = 0, blockSize_ = 0;
    std::size_t live_ = 0;
};

// The bytes a key is compared by: its UTF-8, which is equal exactly when the texts are; a text
// with a lone surrogate (which UTF-8 cannot hold) is kept as its UTF-16 after a 0xFF byte, which
// no UTF-8 has.
QByteArray KeyBytes(const QString& lowerKey);

} // namespace vantrelo
