// The PE reader against damaged files: whatever the bytes, it answers "no version" or a value
// that lies inside the block it returned, and it always returns.
#include "platform/peversionresource.h"
#include "support/fixtures.h"

#include <QtTest>

#include <functional>

namespace {

const quint16 englishUs = 0x0409;

// Reads everything a caller reads; fails the test when an answer points outside its block.
bool readsSafely(const QByteArray &image, QString *fileVersion)
{
    const QByteArray block = PeVersionResource::extractVersionBlock(
        reinterpret_cast<const uchar *>(image.constData()), image.size(), englishUs);
    fileVersion->clear();
    if (block.isEmpty())
        return true;
    if (block.size() > image.size())
        return false;
    const auto *start = reinterpret_cast<const uchar *>(block.constData());
    auto inside = [&](const void *value, quint32 bytes) {
        const auto *p = static_cast<const uchar *>(value);
        return p >= start && p + bytes <= start + block.size();
    };
    const void *value = nullptr;
    quint32 length = 0;
    if (PeVersionResource::queryValue(start, QStringLiteral("\\"), &value, &length) && length && !inside(value, length))
        return false;
    if (!PeVersionResource::queryValue(start, QStringLiteral("\\VarFileInfo\\Translation"), &value, &length))
        return true;
    if (!inside(value, length))
        return false;
    const auto *words = static_cast<const quint16 *>(value);
    for (quint32 p = 0; p + 1 < length / 2; p += 2) {
        const QString key = QStringLiteral("%1%2").arg(words[p], 4, 16, QLatin1Char('0')).arg(words[p + 1], 4, 16, QLatin1Char('0'));
        const void *text = nullptr;
        quint32 units = 0;
        if (PeVersionResource::queryValue(start, QStringLiteral("\\StringFileInfo\\%1\\FileVersion").arg(key), &text, &units)) {
            if (units && !inside(text, units * 2))
                return false;
            if (units)
                *fileVersion = QString::fromUtf16(static_cast<const char16_t *>(text), units).section(QChar(0), 0, 0);
        }
    }
    return true;
}

// Every damaged copy of an image this generator makes: cut at each length, and each byte of
// the headers and the resource data set to 0x00, 0x7F and 0xFF.
void forEachDamagedCopy(const QByteArray &image, const std::function<void(const QByteArray &, const QString &)> &visit)
{
    for (qsizetype cut = 0; cut < image.size(); cut += 3)
        visit(image.left(cut), QStringLiteral("cut at %1").arg(cut));
    for (qsizetype at = 0; at < image.size(); ++at) {
        for (char byte : { '\x00', '\x7f', '\xff' }) {
            if (image.at(at) == byte)
                continue;
            QByteArray copy = image;
            copy[at] = byte;
            visit(copy, QStringLiteral("byte %1 set to %2").arg(at).arg(uchar(byte)));
        }
    }
}

} // namespace

class tst_PeVersionResource : public QObject
{
    Q_OBJECT

private slots:
    void malformedFilesReadSafely_data();
    void malformedFilesReadSafely();
    void damagedCopiesReadSafely_data();
    void damagedCopiesReadSafely();
};

void tst_PeVersionResource::malformedFilesReadSafely_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = Fixtures::list(QStringLiteral("malformed-pe"));
    QVERIFY(!names.isEmpty());
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void tst_PeVersionResource::malformedFilesReadSafely()
{
    QFETCH(QString, name);
    QString version;
    QVERIFY(readsSafely(Fixtures::read(QStringLiteral("malformed-pe/") + name), &version));
}

void tst_PeVersionResource::damagedCopiesReadSafely_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("intact");
    QTest::newRow("PE32+") << "pe/us_then_french.dll" << "1, 0, 0, 1";
    QTest::newRow("PE32") << "pe/only_0409_pe32.dll" << "1, 2, 3, 4";
}

void tst_PeVersionResource::damagedCopiesReadSafely()
{
    QFETCH(QString, fixture);
    QFETCH(QString, intact);
    const QByteArray image = Fixtures::read(fixture);
    QVERIFY(!image.isEmpty());
    QString version;
    QVERIFY(readsSafely(image, &version));
    QVERIFY(version == intact || version == QStringLiteral("2, 0, 0, 2"));

    int failures = 0;
    int answered = 0;
    forEachDamagedCopy(image, [&](const QByteArray &copy, const QString &how) {
        QString found;
        if (!readsSafely(copy, &found)) {
            if (++failures <= 5)
                qWarning("unsafe answer for %s", qPrintable(how));
        }
        answered += found.isEmpty() ? 0 : 1;
    });
    QCOMPARE(failures, 0);
    QVERIFY(answered > 0); // most single-byte damage outside the resource leaves it readable
}

QTEST_GUILESS_MAIN(tst_PeVersionResource)
#include "tst_peversionresource.moc"
