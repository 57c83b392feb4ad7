#include "peversionresource.h"

#include <QLocale>
#include <QStringList>

#include <optional>

namespace PeVersionResource {

namespace {

constexpr quint32 resourceTypeVersion = 16;
constexpr quint32 versionResourceName = 1;
constexpr quint16 languageNeutral = 0x0000;
constexpr quint16 languageEnglishUs = 0x0409;
constexpr quint32 subdirectoryFlag = 0x80000000u;

// Bounds-checked little-endian reads over [0, size). Offsets are 64-bit so that no sum of two
// 32-bit fields can wrap around.
class Bytes
{
public:
    Bytes(const uchar *data, quint64 size) : m_data(data), m_size(size) {}

    bool has(quint64 offset, quint64 length) const { return offset <= m_size && length <= m_size - offset; }
    std::optional<quint16> u16(quint64 offset) const
    {
        if (!has(offset, 2))
            return std::nullopt;
        return quint16(m_data[offset] | (m_data[offset + 1] << 8));
    }
    std::optional<quint32> u32(quint64 offset) const
    {
        if (!has(offset, 4))
            return std::nullopt;
        return quint32(m_data[offset]) | (quint32(m_data[offset + 1]) << 8) | (quint32(m_data[offset + 2]) << 16)
            | (quint32(m_data[offset + 3]) << 24);
    }
    const uchar *at(quint64 offset) const { return m_data + offset; }
    quint64 size() const { return m_size; }

private:
    const uchar *m_data;
    quint64 m_size;
};

struct Section
{
    quint32 virtualAddress;
    quint32 virtualSize;
    quint32 rawSize;
    quint32 rawOffset;
};

class PeImage
{
public:
    explicit PeImage(const Bytes &bytes) : m_bytes(bytes) {}

    // Reads the headers; false when the image is not a PE image we can trust.
    bool load()
    {
        if (m_bytes.u16(0) != quint16(0x5A4D)) // "MZ"
            return false;
        const auto peOffset = m_bytes.u32(0x3C);
        if (!peOffset || m_bytes.u32(*peOffset) != quint32(0x00004550)) // "PE\0\0"
            return false;
        const quint64 coff = quint64(*peOffset) + 4;
        const auto sectionCount = m_bytes.u16(coff + 2);
        const auto optionalSize = m_bytes.u16(coff + 16);
        if (!sectionCount || !optionalSize)
            return false;
        const quint64 optional = coff + 20;
        const auto magic = m_bytes.u16(optional);
        quint64 directoryCountOffset = 0;
        if (magic == quint16(0x10B))
            directoryCountOffset = 92;
        else if (magic == quint16(0x20B))
            directoryCountOffset = 108;
        else
            return false;
        const auto directoryCount = m_bytes.u32(optional + directoryCountOffset);
        const quint64 resourceEntry = optional + directoryCountOffset + 4 + 2 * 8;
        if (!directoryCount || *directoryCount <= 2 || resourceEntry + 8 > optional + *optionalSize)
            return false;
        const auto resourceRva = m_bytes.u32(resourceEntry);
        const auto resourceSize = m_bytes.u32(resourceEntry + 4);
        if (!resourceRva || !resourceSize || *resourceRva == 0 || *resourceSize == 0)
            return false;
        m_resourceRva = *resourceRva;

        const quint64 table = optional + *optionalSize;
        if (!m_bytes.has(table, quint64(*sectionCount) * 40))
            return false;
        for (quint16 i = 0; i < *sectionCount; ++i) {
            const quint64 header = table + quint64(i) * 40;
            m_sections.append({ *m_bytes.u32(header + 12), *m_bytes.u32(header + 8), *m_bytes.u32(header + 16),
                                *m_bytes.u32(header + 20) });
        }
        return true;
    }

    // The file offset of `length` bytes at `rva`, when they all lie in one section's file data.
    std::optional<quint64> offsetOf(quint64 rva, quint64 length) const
    {
        for (const Section &section : m_sections) {
            const quint64 start = section.virtualAddress;
            const quint64 extent = qMax(section.virtualSize, section.rawSize);
            if (rva < start || rva - start >= extent)
                continue;
            const quint64 within = rva - start;
            if (within > section.rawSize || length > section.rawSize - within)
                return std::nullopt;
            const quint64 offset = quint64(section.rawOffset) + within;
            if (!m_bytes.has(offset, length))
                return std::nullopt;
            return offset;
        }
        return std::nullopt;
    }

    quint32 resourceRva() const { return m_resourceRva; }

private:
    const Bytes &m_bytes;
    QList<Section> m_sections;
    quint32 m_resourceRva = 0;
};

struct DirectoryEntry
{
    quint32 name;
    quint32 offset;
};

// The ID entries of the resource directory at `directory` (named entries are skipped: the version
// resource is addressed by numbers only).
std::optional<QList<DirectoryEntry>> idEntries(const Bytes &bytes, quint64 directory)
{
    const auto named = bytes.u16(directory + 12);
    const auto ids = bytes.u16(directory + 14);
    if (!named || !ids)
        return std::nullopt;
    const quint64 first = directory + 16 + quint64(*named) * 8;
    if (!bytes.has(first, quint64(*ids) * 8))
        return std::nullopt;
    QList<DirectoryEntry> entries;
    entries.reserve(*ids);
    for (quint16 i = 0; i < *ids; ++i) {
        const quint64 entry = first + quint64(i) * 8;
        entries.append({ *bytes.u32(entry), *bytes.u32(entry + 4) });
    }
    return entries;
}

std::optional<DirectoryEntry> findId(const QList<DirectoryEntry> &entries, quint32 id, bool subdirectory)
{
    for (const DirectoryEntry &entry : entries) {
        if (entry.name == id && bool(entry.offset & subdirectoryFlag) == subdirectory)
            return entry;
    }
    return std::nullopt;
}

std::optional<DirectoryEntry> chooseLanguage(const QList<DirectoryEntry> &entries, quint16 userLanguage)
{
    QList<DirectoryEntry> data;
    for (const DirectoryEntry &entry : entries) {
        if (!(entry.offset & subdirectoryFlag))
            data.append(entry);
    }
    for (quint32 wanted : { quint32(languageNeutral), quint32(userLanguage), quint32(languageEnglishUs) }) {
        if (auto entry = findId(data, wanted, false))
            return entry;
    }
    if (data.isEmpty())
        return std::nullopt;
    return data.first();
}

quint64 align4(quint64 offset)
{
    return (offset + 3) & ~quint64(3);
}

// One node of a VS_VERSIONINFO tree: length, value length, type, key, padding, value, padding,
// children. Offsets are from the block's start, which is where the padding is counted from.
struct Node
{
    quint64 start = 0;
    quint64 end = 0;
    quint16 valueLength = 0;
    bool text = false;
    quint64 keyStart = 0;
    quint64 keyUnits = 0;
    quint64 valueStart = 0;
    quint64 childrenStart = 0;
};

std::optional<Node> readNode(const Bytes &block, quint64 start, quint64 limit)
{
    const auto length = block.u16(start);
    const auto valueLength = block.u16(start + 2);
    const auto type = block.u16(start + 4);
    if (!length || !valueLength || !type || *length < 6 || quint64(*length) > limit - start)
        return std::nullopt;
    Node node;
    node.start = start;
    node.end = start + *length;
    node.valueLength = *valueLength;
    node.text = *type == 1;
    node.keyStart = start + 6;
    quint64 cursor = node.keyStart;
    for (;;) {
        if (cursor + 2 > node.end)
            return std::nullopt; // a key without its terminating zero
        if (*block.u16(cursor) == 0)
            break;
        cursor += 2;
    }
    node.keyUnits = (cursor - node.keyStart) / 2;
    node.valueStart = qMin(align4(cursor + 2), node.end);
    const quint64 valueBytes = node.text ? quint64(node.valueLength) * 2 : node.valueLength;
    if (valueBytes > node.end - node.valueStart)
        return std::nullopt;
    node.childrenStart = qMin(align4(node.valueStart + valueBytes), node.end);
    return node;
}

bool keyMatches(const Bytes &block, const Node &node, const QString &key)
{
    if (quint64(key.size()) != node.keyUnits)
        return false;
    const QString nodeKey = QString::fromUtf16(reinterpret_cast<const char16_t *>(block.at(node.keyStart)),
                                               qsizetype(node.keyUnits));
    return nodeKey.compare(key, Qt::CaseInsensitive) == 0;
}

std::optional<Node> findChild(const Bytes &block, const Node &parent, const QString &key)
{
    quint64 cursor = parent.childrenStart;
    while (cursor + 6 <= parent.end) {
        const auto child = readNode(block, cursor, parent.end);
        if (!child)
            return std::nullopt;
        if (keyMatches(block, *child, key))
            return child;
        cursor = align4(child->end); // every node is at least 6 bytes long, so this moves on
    }
    return std::nullopt;
}

} // namespace

QByteArray extractVersionBlock(const uchar *image, qint64 size, quint16 userLanguage)
{
    if (!image || size <= 0)
        return {};
    const Bytes bytes(image, quint64(size));
    PeImage pe(bytes);
    if (!pe.load())
        return {};
    // The directory itself must lie in the file; its entries are offsets from its start.
    const auto base = pe.offsetOf(pe.resourceRva(), 16);
    if (!base)
        return {};
    quint64 directory = *base;
    const quint32 path[] = { resourceTypeVersion, versionResourceName };
    for (quint32 id : path) {
        const auto entries = idEntries(bytes, directory);
        if (!entries)
            return {};
        const auto entry = findId(*entries, id, true);
        if (!entry)
            return {};
        directory = *base + (entry->offset & ~subdirectoryFlag);
    }
    const auto languages = idEntries(bytes, directory);
    if (!languages)
        return {};
    const auto language = chooseLanguage(*languages, userLanguage);
    if (!language)
        return {};
    const quint64 dataEntry = *base + language->offset;
    const auto dataRva = bytes.u32(dataEntry);
    const auto dataSize = bytes.u32(dataEntry + 4);
    if (!dataRva || !dataSize || *dataSize < 6)
        return {};
    const auto data = pe.offsetOf(*dataRva, *dataSize);
    if (!data)
        return {};
    // The block's own length must fit in the resource; it is the block.
    const auto blockLength = bytes.u16(*data);
    if (!blockLength || *blockLength < 6 || *blockLength > *dataSize)
        return {};
    return QByteArray(reinterpret_cast<const char *>(bytes.at(*data)), *blockLength);
}

bool queryValue(const uchar *block, const QString &subBlock, const void **value, quint32 *length)
{
    *value = nullptr;
    *length = 0;
    if (!block)
        return false;
    const quint16 blockLength = quint16(block[0] | (block[1] << 8));
    const Bytes bytes(block, blockLength);
    auto node = readNode(bytes, 0, blockLength);
    if (!node)
        return false;
    const QStringList keys = subBlock.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString &key : keys) {
        node = findChild(bytes, *node, key);
        if (!node)
            return false;
    }
    static const char16_t emptyText[1] = { 0 };
    if (node->text && node->valueLength == 0)
        *value = emptyText;
    else
        *value = bytes.at(node->valueStart);
    *length = node->valueLength;
    return true;
}

quint16 userDefaultLanguage()
{
    // The languages the installer is used in; others fall through to English and the first entry.
    struct Pair { QLocale::Language language; QLocale::Territory territory; quint16 id; };
    static const Pair table[] = {
        { QLocale::English, QLocale::UnitedStates, 0x0409 }, { QLocale::English, QLocale::UnitedKingdom, 0x0809 },
        { QLocale::French, QLocale::France, 0x040C },        { QLocale::French, QLocale::Canada, 0x0C0C },
        { QLocale::French, QLocale::Switzerland, 0x100C },   { QLocale::French, QLocale::Belgium, 0x080C },
        { QLocale::German, QLocale::Germany, 0x0407 },       { QLocale::German, QLocale::Switzerland, 0x0807 },
        { QLocale::German, QLocale::Austria, 0x0C07 },       { QLocale::Italian, QLocale::Italy, 0x0410 },
        { QLocale::Italian, QLocale::Switzerland, 0x0810 },  { QLocale::Swedish, QLocale::Sweden, 0x041D },
        { QLocale::Spanish, QLocale::Spain, 0x0C0A },        { QLocale::Finnish, QLocale::Finland, 0x040B },
        { QLocale::Danish, QLocale::Denmark, 0x0406 },       { QLocale::Dutch, QLocale::Netherlands, 0x0413 },
        { QLocale::NorwegianBokmal, QLocale::Norway, 0x0414 }, { QLocale::Polish, QLocale::Poland, 0x0415 },
        { QLocale::Portuguese, QLocale::Portugal, 0x0816 },  { QLocale::Portuguese, QLocale::Brazil, 0x0416 },
        { QLocale::Turkish, QLocale::Turkey, 0x041F },       { QLocale::Greek, QLocale::Greece, 0x0408 },
        { QLocale::Icelandic, QLocale::Iceland, 0x040F },
    };
    const QLocale system = QLocale::system();
    for (const Pair &pair : table) {
        if (pair.language == system.language() && pair.territory == system.territory())
            return pair.id;
    }
    return languageEnglishUs;
}

} // namespace PeVersionResource
