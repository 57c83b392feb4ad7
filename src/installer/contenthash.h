#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

// A 64-bit fingerprint of bytes given in pieces (XXH64, seed 0): tells whether a file is still
// the one an installation left, at several gigabytes a second. It guards against accidents
// (JAWS or the user changing a file), not against someone who could rewrite the install record
// anyway; a settings tree of 40 MB is fingerprinted in milliseconds, where a cryptographic hash
// costs a sixth of the whole configuration.
class ContentHash
{
public:
    ContentHash();
    void addData(QByteArrayView bytes);
    // The fingerprint of everything added, as the record writes it: "xxh64:" and 16 hexadecimal
    // digits, most significant first (as xxhsum prints it).
    QByteArray result() const;

    static QByteArray of(QByteArrayView bytes);
    // Whether `recorded` names a fingerprint of this kind.
    static bool isOne(const QByteArray &recorded);

private:
    void consumeStripe(const char *stripe);

    std::uint64_t m_lanes[4];
    std::uint64_t m_total = 0;
    char m_pending[32] = {};
    int m_pendingSize = 0;
};
