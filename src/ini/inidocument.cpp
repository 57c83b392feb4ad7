#include "inidocument.h"

#include "platform/ansicodepage.h"

#include <QIODevice>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool isIniSpace(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x09 && u <= 0x0D) || u == 0x1A || u == 0x20;
}

QStringView trimmedView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isIniSpace(text.at(begin)))
        ++begin;
    while (end > begin && isIniSpace(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString trimmedIni(QStringView text)
{
    return trimmedView(text).toString();
}

// A blank that is not a line end.
bool isBlankByte(char c)
{
    return c == '\t' || c == '\v' || c == '\f' || c == '\x1A' || c == ' ';
}

// The first `wanted` byte in [at, last), or last. Sixteen bytes at a time where the processor
// allows: the C library's search is a plain byte loop in some runtimes (Wine's, which the
// Windows build runs on in the tests), and a header scan looks at every byte of the file.
const char *findByte(const char *at, const char *last, char wanted)
{
#if defined(__SSE2__)
    const __m128i pattern = _mm_set1_epi8(wanted);
    for (; last - at >= 16; at += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        const int matches = _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, pattern));
        if (matches != 0)
            return at + qCountTrailingZeroBits(uint(matches));
    }
#endif
    const void *found = at < last ? std::memchr(at, wanted, size_t(last - at)) : nullptr;
    return found ? static_cast<const char *>(found) : last;
}

bool isAscii(const char *bytes, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        if (uchar(bytes[i]) >= 0x80)
            return false;
    }
    return true;
}

char16_t unitOf(char c)
{
    return uchar(c);
}

char16_t unitOf(char16_t c)
{
    return c;
}

// Kind, name and value of a line, as places in it: of its UTF-16 text, or of its bytes when
// they are all ASCII (the same places then).
template<typename Char>
void splitLine(const Char *text, qsizetype size, IniDocument::Line &line)
{
    using Kind = IniDocument::Kind;
    const auto blank = [&](qsizetype at) { return isIniSpace(QChar(unitOf(text[at]))); };
    const auto trim = [&](qsizetype &begin, qsizetype &end) {
        while (begin < end && blank(begin))
            ++begin;
        while (end > begin && blank(end - 1))
            --end;
    };
    // What follows a NUL is not part of the line's meaning.
    qsizetype begin = 0, end = 0;
    while (end < size && unitOf(text[end]) != 0)
        ++end;
    trim(begin, end);
    line.kind = Kind::Blank;
    line.valueBegin = -1;
    if (begin == end)
        return;
    if (unitOf(text[begin]) == u'[') {
        qsizetype close = end - 1;
        while (close > begin && unitOf(text[close]) != u']')
            --close;
        if (close > begin) {
            line.kind = Kind::Header;
            qsizetype nameBegin = begin + 1, nameEnd = close;
            trim(nameBegin, nameEnd);
            line.nameBegin = nameBegin;
            line.nameSize = nameEnd - nameBegin;
            return;
        }
    }
    line.kind = Kind::Entry;
    qsizetype equals = begin;
    while (equals < end && unitOf(text[equals]) != u'=')
        ++equals;
    qsizetype nameEnd = equals;
    trim(begin, nameEnd);
    line.nameBegin = begin;
    line.nameSize = nameEnd - begin;
    if (equals < end) {
        qsizetype valueBegin = equals + 1;
        trim(valueBegin, end);
        line.valueBegin = valueBegin;
        line.valueSize = end - valueBegin;
    }
}

} // namespace

IniDocument::IniDocument()
{
    m_sections.append(Section()); // the text before the first header
}

// Folds an ASCII name by hand into `out`, which has room for it; false at the first character
// beyond ASCII, which toCaseFolded() must fold.
static bool foldAscii(QStringView trimmed, char16_t *out)
{
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const char16_t c = trimmed.at(i).unicode();
        if (c >= 0x80)
            return false;
        out[i] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    }
    return true;
}

QString IniDocument::fold(QStringView name)
{
    const QStringView trimmed = trimmedView(name);
    // Most names are plain ASCII: folded by hand, in one allocation.
    QString folded(trimmed.size(), Qt::Uninitialized);
    if (foldAscii(trimmed, reinterpret_cast<char16_t *>(folded.data())))
        return folded;
    return trimmed.toString().toCaseFolded();
}

void IniDocument::parseLine(QStringView text, Line &line)
{
    splitLine(text.utf16(), text.size(), line);
}

IniDocument::Line IniDocument::entryLine(const QString &name, const QString &value)
{
    Line line;
    line.kind = Kind::Entry;
    const QStringView n = trimmedView(name), v = trimmedView(value);
    line.own.reserve(n.size() + 1 + v.size());
    line.own.append(n).append(QLatin1Char('=')).append(v);
    line.nameBegin = 0;
    line.nameSize = n.size();
    line.valueBegin = n.size() + 1;
    line.valueSize = v.size();
    return line;
}

IniDocument::Line IniDocument::headerLine(const QString &name)
{
    Line line;
    line.kind = Kind::Header;
    line.own = QLatin1Char('[') + name + QLatin1Char(']');
    line.nameBegin = 1;
    line.nameSize = name.size();
    return line;
}

qsizetype IniDocument::unitSize() const
{
    return m_encoding == Encoding::Utf16LE || m_encoding == Encoding::Utf16BE ? 2 : 1;
}

char16_t IniDocument::unitAt(qsizetype at) const
{
    const char *const data = m_original.constData();
    if (unitSize() == 1)
        return uchar(data[at]);
    const uchar a = uchar(data[at]), b = uchar(data[at + 1]);
    return m_encoding == Encoding::Utf16LE ? char16_t(a | (b << 8)) : char16_t((a << 8) | b);
}

template<typename OnLine>
void IniDocument::forEachLine(qsizetype begin, qsizetype end, const OnLine &onLine) const
{
    const qsizetype unit = unitSize();
    const char *const data = m_original.constData();
    // The lines end where the file's usable part ends (an odd last byte of a UTF-16 file is
    // kept as it was, on the last line).
    const qsizetype stop = std::min(end, m_usable);
    qsizetype lineStart = begin;
    if (unit == 1) {
        // The common case, byte by byte without the general reader.
        const char *const last = data + stop;
        for (const char *p = data + begin; p < last; ++p) {
            if (*p != '\n' && *p != '\r')
                continue;
            qsizetype lineEnd = p - data + 1;
            if (*p == '\r' && p + 1 < last && p[1] == '\n')
                ++lineEnd;
            onLine(lineStart, p - data, lineEnd);
            lineStart = lineEnd;
            p = data + lineEnd - 1;
        }
    } else {
        qsizetype at = begin;
        while (at < stop) {
            const char16_t c = unitAt(at);
            if (c == u'\n' || c == u'\r') {
                qsizetype lineEnd = at + unit;
                if (c == u'\r' && lineEnd < stop && unitAt(lineEnd) == u'\n')
                    lineEnd += unit;
                onLine(lineStart, at, lineEnd);
                lineStart = at = lineEnd;
            } else {
                at += unit;
            }
        }
    }
    if (lineStart < end)
        onLine(lineStart, std::min(end, m_usable), end);
}

QString IniDocument::decodeLine(qsizetype begin, qsizetype end) const
{
    // Each line on its own, as the system reads lines: a broken sequence at the end of one
    // does not reach into the next. No encoding gives more UTF-16 units than bytes; one unit
    // more for the decoder's own needs.
    QString text(end - begin + 1, Qt::Uninitialized);
    const qsizetype units = decodeInto(QByteArrayView(m_original.constData() + begin, end - begin),
                                       reinterpret_cast<char16_t *>(text.data()));
    text.truncate(units);
    return text;
}

template<typename OnLine>
void IniDocument::forEachHeaderCandidate(qsizetype begin, qsizetype end, const OnLine &onLine) const
{
    if (unitSize() != 1) {
        forEachLine(begin, end, [&](qsizetype lineBegin, qsizetype contentEnd, qsizetype) {
            if (mayBeHeader(lineBegin, contentEnd))
                onLine(lineBegin, contentEnd);
        });
        return;
    }
    // One byte per unit: the "[" bytes are searched for, and each one's line start found by
    // looking back over blanks. No byte of a blank or a line end is ever part of another
    // character (in UTF-8 nor in any ANSI code page, double-byte ones included), so a "["
    // with only blanks before it on its line starts a character, as mayBeHeader sees it.
    const char *const data = m_original.constData();
    const char *const first = data + begin;
    const char *const last = data + end;
    const char *at = first;
    while (at < last) {
        const char *const open = findByte(at, last, '[');
        if (open == last)
            return;
        const char *lineBegin = open;
        while (lineBegin > first && isBlankByte(lineBegin[-1]))
            --lineBegin;
        const bool startsLine = lineBegin == first || lineBegin[-1] == '\n' || lineBegin[-1] == '\r';
        const char *contentEnd = open + 1;
        while (contentEnd < last && *contentEnd != '\n' && *contentEnd != '\r')
            ++contentEnd;
        if (startsLine)
            onLine(lineBegin - data, contentEnd - data);
        at = contentEnd;
    }
}

bool IniDocument::mayBeHeader(qsizetype begin, qsizetype end) const
{
    // The blanks and "[" are the same units in every encoding the document reads, and a line's
    // first character after blanks starts at a character's first byte: whether a line can be a
    // header is seen without decoding it.
    const qsizetype unit = unitSize();
    for (qsizetype at = begin; at + unit <= end; at += unit) {
        const char16_t c = unitAt(at);
        if (c == u'[')
            return true;
        if (!isIniSpace(QChar(c)))
            return false;
    }
    return false;
}

void IniDocument::materialize(const Section &section) const
{
    if (section.parsed)
        return;
    section.parsed = true;
    QList<Line> lines;
    forEachLine(section.byteBegin, section.byteEnd, [&](qsizetype begin, qsizetype contentEnd, qsizetype lineEnd) {
        const QString decoded = decodeLine(begin, contentEnd);
        Line line;
        line.raw = QByteArray::fromRawData(m_original.constData() + begin, lineEnd - begin);
        line.ended = lineEnd > contentEnd && contentEnd < m_usable;
        line.textBegin = m_text.size();
        line.textSize = decoded.size();
        m_text.append(decoded);
        parseLine(decoded, line);
        lines.append(std::move(line));
    });
    section.lines = std::move(lines);
}

bool IniDocument::isEmpty(const Section &section)
{
    return section.parsed ? section.lines.isEmpty() : section.byteBegin == section.byteEnd;
}

QList<IniDocument::Line> &IniDocument::linesOf(const Section &section) const
{
    materialize(section);
    return section.lines;
}

QString IniDocument::nameOf(const Section &section) const
{
    if (section.parsed) {
        const bool header = !section.lines.isEmpty() && section.lines.first().kind == Kind::Header;
        return header ? nameOf(section.lines.first()).toString() : QString();
    }
    // A section not split yet starts with its header, decoded again here: names are needed
    // far less often than headers are found.
    QString name;
    bool first = true;
    forEachLine(section.byteBegin, section.byteEnd, [&](qsizetype begin, qsizetype contentEnd, qsizetype) {
        if (!first)
            return;
        first = false;
        const QString decoded = decodeLine(begin, contentEnd);
        Line line;
        parseLine(decoded, line);
        if (line.kind == Kind::Header)
            name = QStringView(decoded).mid(line.nameBegin, line.nameSize).toString();
    });
    return name;
}

IniDocument IniDocument::parse(const QByteArray &bytes)
{
    IniDocument document;
    qsizetype start = 0;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        document.m_encoding = Encoding::Utf8;
        start = 3;
    } else if (bytes.startsWith("\xFF\xFE")) {
        document.m_encoding = Encoding::Utf16LE;
        start = 2;
    } else if (bytes.startsWith("\xFE\xFF")) {
        document.m_encoding = Encoding::Utf16BE;
        start = 2;
    }
    document.m_bom = bytes.left(start);
    document.m_original = bytes;
    const qsizetype unit = document.unitSize();
    document.m_usable = start + (bytes.size() - start) / unit * unit;

    // Only the headers are found now; a section's lines are split and decoded when a read or a
    // write first needs them. An untouched section is written back as the bytes it was.
    Section &preamble = document.m_sections.first();
    preamble.parsed = false;
    preamble.byteBegin = preamble.byteEnd = start;
    // Each header's line start, and where its folded name ends in m_foldedNames; the sections
    // are made once all are known, in one allocation.
    QList<std::pair<qsizetype, qsizetype>> headers;
    // A line of ASCII bytes is the same text in every encoding of one byte per unit the
    // document reads (UTF-8 and every ANSI code page): a header line like that, and most are,
    // is read from its bytes rather than decoded, and its name folded by hand.
    const bool byteUnits = unit == 1;
    document.forEachHeaderCandidate(start, bytes.size(), [&](qsizetype begin, qsizetype contentEnd) {
        const char *const lineBytes = bytes.constData() + begin;
        const qsizetype size = contentEnd - begin;
        Line line;
        if (byteUnits && isAscii(lineBytes, size)) {
            splitLine(lineBytes, size, line);
            if (line.kind != Kind::Header)
                return;
            // Trimmed already; folded as fold() folds ASCII.
            const qsizetype at = document.m_foldedNames.size();
            document.m_foldedNames.resize(at + line.nameSize);
            QChar *out = document.m_foldedNames.data() + at;
            for (const char c : QByteArrayView(lineBytes + line.nameBegin, line.nameSize))
                *out++ = QLatin1Char(c >= 'A' && c <= 'Z' ? char(c + 32) : c);
        } else {
            const QString decoded = document.decodeLine(begin, contentEnd);
            parseLine(decoded, line);
            if (line.kind != Kind::Header)
                return;
            document.m_foldedNames.append(fold(QStringView(decoded).mid(line.nameBegin, line.nameSize)));
        }
        headers.append({ begin, document.m_foldedNames.size() });
    });
    // Room for the sections a merge adds: growing the list would move every section once more.
    document.m_sections.reserve(headers.size() + 1 + 64);
    for (const auto &header : std::as_const(headers)) {
        document.m_sections.last().byteEnd = header.first;
        Section &section = document.m_sections.emplace_back();
        section.parsed = false;
        section.byteBegin = header.first;
    }
    document.m_sections.last().byteEnd = bytes.size();
    // Indexed once m_foldedNames will not move again: one allocation for the index.
    document.m_index.reserve(headers.size());
    const QStringView folded(document.m_foldedNames);
    qsizetype foldedBegin = 0;
    for (qsizetype h = 0; h < headers.size(); ++h) {
        const qsizetype foldedEnd = headers.at(h).second;
        document.index(h + 1, folded.mid(foldedBegin, foldedEnd - foldedBegin));
        foldedBegin = foldedEnd;
    }
    return document;
}

template<typename OnPiece>
void IniDocument::forEachPiece(const OnPiece &onPiece) const
{
    // Bytes that follow each other in the file as it was read (untouched sections, unchanged
    // lines) go as one piece, straight from it.
    const char *runBegin = nullptr;
    qsizetype runSize = 0;
    const auto flushRun = [&] {
        if (runSize > 0)
            onPiece(QByteArrayView(runBegin, runSize));
        runBegin = nullptr;
        runSize = 0;
    };
    const auto add = [&](const char *data, qsizetype size) {
        if (size == 0)
            return;
        if (!runBegin || runBegin + runSize != data)
            flushRun();
        if (!runBegin)
            runBegin = data;
        runSize += size;
    };
    // Lines made anew go end to end into one buffer, used again for each group of them: a
    // merge makes thousands, and an allocation for each costs more than the encoding (under
    // Wine most of all).
    QByteArray made;
    const auto flushMade = [&] {
        if (!made.isEmpty())
            onPiece(QByteArrayView(made));
        made.resize(0);
    };
    const QByteArray end = lineEnd();
    add(m_bom.constData(), m_bom.size());
    for (const Section &section : m_sections) {
        if (!section.parsed) {
            flushMade();
            add(m_original.constData() + section.byteBegin, section.byteEnd - section.byteBegin);
            continue;
        }
        for (const Line &line : section.lines) {
            if (!line.raw.isEmpty()) {
                flushMade();
                add(line.raw.constData(), line.raw.size());
            } else {
                flushRun();
                appendEncoded(textOf(line), made);
                made.append(end);
            }
        }
    }
    flushMade();
    flushRun();
}

QByteArray IniDocument::serialize() const
{
    QByteArray out;
    out.reserve(m_original.size() + 4096);
    forEachPiece([&](QByteArrayView piece) { out.append(piece); });
    return out;
}

bool IniDocument::writeTo(QIODevice &device) const
{
    bool written = true;
    forEachPiece([&](QByteArrayView piece) {
        written = written && device.write(piece.data(), piece.size()) == piece.size();
    });
    return written;
}

qsizetype IniDocument::decodeInto(QByteArrayView bytes, char16_t *out) const
{
    switch (m_encoding) {
    case Encoding::Utf8:
        return QStringDecoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom)
                   .appendToBuffer(reinterpret_cast<QChar *>(out), bytes)
            - reinterpret_cast<QChar *>(out);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const auto *raw = reinterpret_cast<const uchar *>(bytes.data());
        const qsizetype units = bytes.size() / 2;
        for (qsizetype i = 0; i < units; ++i) {
            const uchar a = raw[2 * i], b = raw[2 * i + 1];
            out[i] = m_encoding == Encoding::Utf16LE ? char16_t(a | (b << 8)) : char16_t((a << 8) | b);
        }
        return units;
    }
    case Encoding::Ansi:
        break;
    }
    return Platform::decodeAnsi(bytes, out);
}

void IniDocument::appendEncoded(QStringView text, QByteArray &out) const
{
    // ASCII is the same bytes in UTF-8 and in every ANSI code page, and most lines are ASCII.
    if (m_encoding == Encoding::Utf8 || m_encoding == Encoding::Ansi) {
        bool ascii = true;
        for (const QChar c : text)
            ascii &= c.unicode() < 0x80;
        if (ascii) {
            const qsizetype at = out.size();
            out.resize(at + text.size());
            char *bytes = out.data() + at;
            for (const QChar c : text)
                *bytes++ = char(c.unicode());
            return;
        }
    }
    out.append(encode(text));
}

QByteArray IniDocument::encode(QStringView text) const
{
    switch (m_encoding) {
    case Encoding::Utf8:
        return text.toUtf8();
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        QByteArray bytes(text.size() * 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text.at(i).unicode();
            const char high = char(u >> 8), low = char(u & 0xFF);
            bytes[2 * i] = m_encoding == Encoding::Utf16LE ? low : high;
            bytes[2 * i + 1] = m_encoding == Encoding::Utf16LE ? high : low;
        }
        return bytes;
    }
    case Encoding::Ansi:
        break;
    }
    return Platform::encodeAnsi(text);
}

QByteArray IniDocument::lineEnd() const
{
    return encode(QStringLiteral("\r\n"));
}

// A line added after the last line of the file needs that line to be ended first.
void IniDocument::endLastLine()
{
    for (qsizetype s = m_sections.size() - 1; s >= 0; --s) {
        if (isEmpty(m_sections[s]))
            continue;
        Line &last = linesOf(m_sections[s]).last();
        if (last.raw.isEmpty() || last.ended)
            return; // an added line carries its own line end
        // A UTF-16 file cut in the middle of a character ends in half of one, which no reader
        // can make sense of: it goes, so that what follows stays aligned. (Completing it would
        // make up a character, which could even be a "]" or a "=".)
        const bool utf16 = m_encoding == Encoding::Utf16LE || m_encoding == Encoding::Utf16BE;
        if (utf16 && (m_bom.size() + totalSizeBefore(s) + last.raw.size()) % 2 != 0)
            last.raw.chop(1);
        last.raw += lineEnd();
        last.ended = true;
        return;
    }
}

qsizetype IniDocument::totalSizeBefore(qsizetype sectionIndex) const
{
    qsizetype size = 0;
    for (qsizetype s = 0; s < sectionIndex; ++s) {
        const Section &section = m_sections.at(s);
        if (!section.parsed) {
            size += section.byteEnd - section.byteBegin;
            continue;
        }
        for (const Line &line : section.lines)
            size += line.raw.size();
    }
    const Section &section = m_sections.at(sectionIndex);
    for (qsizetype i = 0; i + 1 < section.lines.size(); ++i)
        size += section.lines.at(i).raw.size();
    return size;
}

IniDocument::Section &IniDocument::appendSection(const QString &name)
{
    m_sections.append(Section());
    m_addedNames.append(fold(name));
    index(m_sections.size() - 1, m_addedNames.last());
    return m_sections.last();
}

void IniDocument::index(qsizetype index, QStringView folded)
{
    const auto found = m_index.find(folded);
    if (found == m_index.end()) {
        m_index.insert(folded, { index, index });
    } else {
        m_sections[found->second].nextSameName = index;
        found->second = index;
    }
}

// A new section, header and entries, after the file's last line.
void IniDocument::appendSectionAtEnd(const QString &name, const QList<Line> &entries)
{
    endLastLine();
    const QString trimmed = trimmedIni(name);
    Section &section = appendSection(trimmed);
    section.lines.append(headerLine(trimmed));
    section.lines.append(entries);
}

const IniDocument::Section *IniDocument::firstSection(const QString &name) const
{
    // Asked tens of thousands of times in a configuration: an ASCII name is folded on the stack,
    // where fold() would allocate (which costs most under Wine).
    const QStringView trimmed = trimmedView(name);
    QVarLengthArray<char16_t, 128> stack(trimmed.size());
    QString other;
    QStringView folded(stack.constData(), stack.size());
    if (!foldAscii(trimmed, stack.data())) {
        other = fold(trimmed);
        folded = other;
    }
    if (folded.isEmpty())
        return &m_sections.first();
    const auto found = m_index.constFind(folded);
    return found == m_index.constEnd() ? nullptr : &m_sections.at(found->first);
}

qsizetype IniDocument::findKey(const Section &section, const QString &key) const
{
    if (!section.keysValid) {
        section.keys.clear();
        const QList<Line> &lines = linesOf(section);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const Line &line = lines.at(i);
            if (line.kind == Kind::Entry) {
                const QString folded = fold(nameOf(line));
                if (!section.keys.contains(folded))
                    section.keys.insert(folded, i);
            }
        }
        section.keysValid = true;
    }
    return section.keys.value(fold(key), -1);
}

QStringList IniDocument::sectionNames() const
{
    QStringList names;
    for (qsizetype s = 1; s < m_sections.size(); ++s) {
        QString name = nameOf(m_sections.at(s));
        if (!name.isEmpty())
            names.append(std::move(name));
    }
    return names;
}

QStringList IniDocument::sectionLines(const QString &name) const
{
    QStringList lines;
    const Section *section = firstSection(name);
    if (!section)
        return lines;
    bool previousNameEmpty = false;
    for (const Line &line : linesOf(*section)) {
        if (line.kind != Kind::Entry)
            continue;
        // Of two entries in a row without a name, the second is not kept by the system.
        const QStringView name = nameOf(line);
        const std::optional<QStringView> value = valueOf(line);
        const bool nameEmpty = name.isEmpty();
        if (nameEmpty && previousNameEmpty)
            continue;
        previousNameEmpty = nameEmpty;
        if (name.startsWith(QLatin1Char(';')) || (nameEmpty && !value))
            continue;
        QString text = name.toString();
        if (value)
            text.append(QLatin1Char('=')).append(*value);
        lines.append(text);
    }
    return lines;
}

std::optional<QString> IniDocument::value(const QString &sectionName, const QString &key) const
{
    const Section *section = firstSection(sectionName);
    if (!section)
        return std::nullopt;
    const qsizetype at = findKey(*section, key);
    const std::optional<QStringView> found = at < 0 ? std::nullopt : valueOf(linesOf(*section).at(at));
    if (!found)
        return std::nullopt;
    QString text = found->toString();
    if (text.size() >= 2 && (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\''))
        && text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    return text;
}

void IniDocument::insertAfterLastEntry(qsizetype sectionIndex, Line line)
{
    Section &section = m_sections[sectionIndex];
    materialize(section);
    qsizetype at = section.lines.size();
    while (at > 0 && section.lines.at(at - 1).kind == Kind::Blank)
        --at;
    // Inserting after the file's last line: that line must end first.
    bool atFileEnd = at == section.lines.size();
    for (qsizetype s = sectionIndex + 1; atFileEnd && s < m_sections.size(); ++s)
        atFileEnd = isEmpty(m_sections.at(s));
    if (atFileEnd)
        endLastLine();
    section.lines.insert(at, std::move(line));
    section.keysValid = false;
}

bool IniDocument::writeString(const QString &sectionName, const QString &key, const QString &value)
{
    const QString folded = fold(sectionName);
    qsizetype sectionIndex = 0;
    if (!folded.isEmpty()) {
        const auto found = m_index.constFind(folded);
        if (found == m_index.constEnd()) {
            appendSectionAtEnd(sectionName, { entryLine(key, value) });
            return true;
        }
        sectionIndex = found->first;
    }
    Section &section = m_sections[sectionIndex];
    const qsizetype at = findKey(section, key); // the section's lines are split by now
    const QString newValue = trimmedIni(value);
    if (at >= 0) {
        Line &line = section.lines[at];
        const std::optional<QStringView> old = valueOf(line);
        if (old && *old == newValue)
            return false;
        // Re-encoded with CR LF, like every line the system writes; the name as it was.
        Line changed = entryLine(nameOf(line).toString(), newValue);
        changed.ended = line.ended;
        line = std::move(changed);
        return true;
    }
    insertAfterLastEntry(sectionIndex, entryLine(key, value));
    return true;
}

bool IniDocument::writeSection(const QString &sectionName, const QStringList &lines)
{
    QList<Line> entries;
    for (const QString &text : lines) {
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (equals >= 0)
            entries.append(entryLine(text.left(equals), text.mid(equals + 1)));
    }
    const QString folded = fold(sectionName);
    const auto found = m_index.constFind(folded);
    QList<qsizetype> targets;
    if (folded.isEmpty())
        targets.append(0);
    else if (found != m_index.constEnd())
        for (qsizetype s = found->first; s >= 0; s = m_sections.at(s).nextSameName)
            targets.append(s);

    if (targets.isEmpty()) {
        if (entries.isEmpty())
            return false;
        appendSectionAtEnd(sectionName, entries);
        return true;
    }
    bool changed = false;
    for (qsizetype s : targets) {
        Section &section = m_sections[s];
        materialize(section);
        QList<Line> kept;
        for (Line &line : section.lines) {
            if (line.kind == Kind::Entry)
                changed = true;
            else
                kept.append(std::move(line));
        }
        section.lines = std::move(kept);
        section.keysValid = false;
    }
    if (!entries.isEmpty()) {
        // The new entries go where the first section's entries began: right after its header.
        Section &first = m_sections[targets.first()];
        materialize(first);
        const qsizetype at = first.lines.isEmpty() || first.lines.first().kind != Kind::Header ? 0 : 1;
        bool atFileEnd = at == first.lines.size();
        for (qsizetype s = targets.first() + 1; atFileEnd && s < m_sections.size(); ++s)
            atFileEnd = isEmpty(m_sections.at(s));
        if (atFileEnd)
            endLastLine();
        for (qsizetype i = 0; i < entries.size(); ++i)
            first.lines.insert(at + i, entries.at(i));
        changed = true;
    }
    return changed;
}

bool IniDocument::removeKey(const QString &sectionName, const QString &key)
{
    const QString folded = fold(sectionName);
    qsizetype sectionIndex = 0;
    if (!folded.isEmpty()) {
        const auto found = m_index.constFind(folded);
        if (found == m_index.constEnd())
            return false;
        sectionIndex = found->first;
    }
    Section &section = m_sections[sectionIndex];
    const qsizetype at = findKey(section, key); // the section's lines are split by now
    if (at < 0)
        return false;
    section.lines.removeAt(at);
    section.keysValid = false;
    return true;
}

bool IniDocument::removeSection(const QString &sectionName)
{
    const QString folded = fold(sectionName);
    const auto found = m_index.constFind(folded);
    if (folded.isEmpty() || found == m_index.constEnd())
        return false;
    m_sections.removeAt(found->first);
    reindex();
    return true;
}

void IniDocument::reindex()
{
    m_index.clear();
    for (Section &section : m_sections)
        section.nextSameName = -1;
    // The names go in m_addedNames: texts already indexed must stay where they are for the
    // copies of the document that share them.
    for (qsizetype s = 1; s < m_sections.size(); ++s) {
        m_addedNames.append(fold(nameOf(m_sections.at(s))));
        index(s, m_addedNames.constLast());
    }
}

QStringList IniDocument::touchedSectionNames() const
{
    QStringList names;
    for (const Section &section : m_sections) {
        if (section.parsed)
            names << nameOf(section);
    }
    return names;
}

IniDocument IniDocument::sectionAsRead(const QString &name) const
{
    IniDocument read;
    read.m_encoding = m_encoding;
    read.m_original = m_original;
    read.m_bom = m_bom;
    read.m_usable = m_usable;
    const Section *section = firstSection(name);
    // A section the file held keeps its place in the bytes, whatever was done to its lines;
    // one added since has none.
    if (name.isEmpty() || !section || section->byteEnd <= section->byteBegin)
        return read;
    Section &asRead = read.appendSection(name);
    asRead.byteBegin = section->byteBegin;
    asRead.byteEnd = section->byteEnd;
    asRead.parsed = false;
    return read;
}

void IniDocument::forEachByteRun(const std::function<void(QByteArrayView)> &onBytes) const
{
    forEachPiece(onBytes);
}
