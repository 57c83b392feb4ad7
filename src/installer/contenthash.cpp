#include "contenthash.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint64_t prime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t prime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t prime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t prime4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t prime5 = 0x27D4EB2F165667C5ULL;

const QByteArray prefix = QByteArrayLiteral("xxh64:");

std::uint64_t rotl(std::uint64_t x, int r)
{
    return (x << r) | (x >> (64 - r));
}

// Little-endian whatever the processor, as the fingerprint is defined.
std::uint64_t read64(const char *p)
{
    return qFromLittleEndian<quint64>(p);
}

std::uint32_t read32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

std::uint64_t mixLane(std::uint64_t acc, std::uint64_t lane)
{
    acc += lane * prime2;
    return rotl(acc, 31) * prime1;
}

std::uint64_t mergeLane(std::uint64_t acc, std::uint64_t lane)
{
    acc ^= mixLane(0, lane);
    return acc * prime1 + prime4;
}

} // namespace

void ContentHash::consumeStripe(const char *stripe)
{
    for (int i = 0; i < 4; ++i)
        m_lanes[i] = mixLane(m_lanes[i], read64(stripe + 8 * i));
}

ContentHash::ContentHash()
    : m_lanes{ prime1 + prime2, prime2, 0, 0 - prime1 }
{
}

void ContentHash::addData(QByteArrayView bytes)
{
    const char *p = bytes.data();
    qsizetype left = bytes.size();
    m_total += std::uint64_t(left);
    if (left == 0)
        return;
    if (m_pendingSize > 0) {
        const qsizetype take = std::min<qsizetype>(left, 32 - m_pendingSize);
        std::memcpy(m_pending + m_pendingSize, p, size_t(take));
        m_pendingSize += int(take);
        p += take;
        left -= take;
        if (m_pendingSize < 32)
            return;
        consumeStripe(m_pending);
        m_pendingSize = 0;
    }
    for (; left >= 32; p += 32, left -= 32)
        consumeStripe(p);
    if (left > 0)
        std::memcpy(m_pending, p, size_t(left));
    m_pendingSize = int(left);
}

QByteArray ContentHash::result() const
{
    std::uint64_t acc;
    if (m_total >= 32) {
        acc = rotl(m_lanes[0], 1) + rotl(m_lanes[1], 7) + rotl(m_lanes[2], 12) + rotl(m_lanes[3], 18);
        for (const std::uint64_t lane : m_lanes)
            acc = mergeLane(acc, lane);
    } else {
        acc = prime5;
    }
    acc += m_total;
    const char *p = m_pending;
    int left = m_pendingSize;
    for (; left >= 8; p += 8, left -= 8)
        acc = rotl(acc ^ mixLane(0, read64(p)), 27) * prime1 + prime4;
    if (left >= 4) {
        acc = rotl(acc ^ (std::uint64_t(read32(p)) * prime1), 23) * prime2 + prime3;
        p += 4;
        left -= 4;
    }
    for (; left > 0; ++p, --left)
        acc = rotl(acc ^ (std::uint64_t(static_cast<unsigned char>(*p)) * prime5), 11) * prime1;
    acc ^= acc >> 33;
    acc *= prime2;
    acc ^= acc >> 29;
    acc *= prime3;
    acc ^= acc >> 32;
    return prefix + QByteArray::number(qulonglong(acc), 16).rightJustified(16, '0');
}

QByteArray ContentHash::of(QByteArrayView bytes)
{
    ContentHash hash;
    hash.addData(bytes);
    return hash.result();
}

bool ContentHash::isOne(const QByteArray &recorded)
{
    return recorded.startsWith(prefix);
}
