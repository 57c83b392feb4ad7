#include "platform/peversionresource.h"
#include "platform/versioninfo.h"
#include "support/fixtures.h"
#include "version/fileversionreader.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString neutral = QStringLiteral("000004b0");

// The fixture with the length of its FileVersion value set to 0.
QByteArray withEmptyFileVersion(QByteArray image)
{
    const QByteArray key = QByteArray::fromRawData(reinterpret_cast<const char *>(u"FileVersion"), 22);
    const qsizetype at = image.indexOf(key);
    if (at < 6)
        return {};
    image[at - 4] = 0; // the node's value length, just before its type and key
    image[at - 3] = 0;
    return image;
}

} // namespace

class tst_FileVersionReader : public QObject
{
    Q_OBJECT

private slots:
    void fileVersion_data();
    void fileVersion();
    void fileVersionField_data();
    void fileVersionField();
    void valueOfLengthZeroIsEmpty();
#ifdef Q_OS_WIN
    void portableReaderMatchesSystem_data();
    void portableReaderMatchesSystem();
#endif
};

void tst_FileVersionReader::fileVersion_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("expected");

    QTest::newRow("only 0409: first table read") << "pe/only_0409.dll" << "1, 2, 3, 4";
    QTest::newRow("only 0409, PE32") << "pe/only_0409_pe32.dll" << "1, 2, 3, 4";
    QTest::newRow("0409 then 040c: French wins") << "pe/us_then_french.dll" << "2, 0, 0, 2";
    QTest::newRow("000004b0 wins over fall-backs") << "pe/neutral_wins.dll" << "3, 0, 0, 2";
    QTest::newRow("German before Italian") << "pe/german_italian.dll" << "4, 0, 0, 2";
    QTest::newRow("dotted kept as stored") << "pe/dotted.dll" << "2.1.0.7";
    QTest::newRow("spaces kept as stored") << "pe/spaced.dll" << "6, 10, 1, 0";
    QTest::newRow("no version resource") << "pe/no_version.dll" << "";
    QTest::newRow("version resource not named 1") << "pe/second_id.dll" << "";
    QTest::newRow("no translation table") << "pe/no_translation.dll" << "";
    QTest::newRow("missing file") << "pe/does-not-exist.dll" << "";
    QTest::newRow("not a PE file") << "malformed-pe/not-pe.txt" << "";
}

void tst_FileVersionReader::fileVersion()
{
    QFETCH(QString, fixture);
    QFETCH(QString, expected);
    QCOMPARE(FileVersionReader::fileVersion(Fixtures::path(fixture), neutral), expected);
}

void tst_FileVersionReader::fileVersionField_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");

    QTest::newRow("major") << "pe/jfw_10.dll" << 1 << "10";
    QTest::newRow("minor") << "pe/jfw_10.dll" << 2 << "0";
    QTest::newRow("build") << "pe/jfw_10.dll" << 3 << "1154";
    QTest::newRow("fourth") << "pe/jfw_10.dll" << 4 << "0";
    QTest::newRow("index 0") << "pe/jfw_10.dll" << 0 << "";
    QTest::newRow("index 5") << "pe/jfw_10.dll" << 5 << "";
    QTest::newRow("spaces trimmed, major") << "pe/spaced.dll" << 1 << "6";
    QTest::newRow("spaces trimmed, minor") << "pe/spaced.dll" << 2 << "10";
    QTest::newRow("dotted: one field") << "pe/dotted.dll" << 1 << "2.1.0.7";
    QTest::newRow("dotted: no second field") << "pe/dotted.dll" << 2 << "";
    QTest::newRow("no version") << "pe/no_version.dll" << 1 << "";
}

void tst_FileVersionReader::fileVersionField()
{
    QFETCH(QString, fixture);
    QFETCH(int, index);
    QFETCH(QString, expected);
    QCOMPARE(FileVersionReader::fileVersionField(Fixtures::path(fixture), index, neutral), expected);
}

void tst_FileVersionReader::valueOfLengthZeroIsEmpty()
{
    QTemporaryDir dir;
    const QByteArray patched = withEmptyFileVersion(Fixtures::read(QStringLiteral("pe/driver.dll")));
    QVERIFY(!patched.isEmpty());
    QFile file(dir.filePath(QStringLiteral("QuorOlma.jlb")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(patched) == patched.size());
    file.close();
    const QString version = FileVersionReader::fileVersion(file.fileName(), neutral);
    QCOMPARE(version, QString());
}

#ifdef Q_OS_WIN
namespace {

struct VersionView
{
    QStringList translations;
    QStringList fileVersions; // one per translation, in table order
};

QString boundedText(const void *value, quint32 units)
{
    const auto *text = static_cast<const char16_t *>(value);
    quint32 length = 0;
    while (text && length < units && text[length])
        ++length;
    return QString::fromUtf16(text, length);
}

template<typename Query>
VersionView view(const Query &query)
{
    VersionView result;
    const void *value = nullptr;
    quint32 length = 0;
    if (!query(QStringLiteral("\\VarFileInfo\\Translation"), &value, &length) || !value)
        return result;
    const auto *words = static_cast<const quint16 *>(value);
    for (quint32 p = 0; p + 1 < length / 2; p += 2)
        result.translations.append(QStringLiteral("%1%2").arg(words[p], 4, 16, QLatin1Char('0')).arg(words[p + 1], 4, 16, QLatin1Char('0')));
    for (const QString &key : result.translations) {
        const bool found = query(QStringLiteral("\\StringFileInfo\\%1\\FileVersion").arg(key), &value, &length);
        result.fileVersions.append(found ? boundedText(value, length) : QStringLiteral("<none>"));
    }
    return result;
}

} // namespace

void tst_FileVersionReader::portableReaderMatchesSystem_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &name : Fixtures::list(QStringLiteral("pe")))
        QTest::newRow(qPrintable(name)) << Fixtures::path(QStringLiteral("pe/") + name);
    // Not the malformed files: Wine's own GetFileVersionInfoW crashes on a resource whose data
    // entry lies about its size or place.
}

// The stand-in gives what Windows gives: the same translations, the same FileVersion texts.
void tst_FileVersionReader::portableReaderMatchesSystem()
{
    QFETCH(QString, file);

    VersionView system;
    const quint32 size = Platform::fileVersionInfoSize(file);
    QByteArray buffer(qsizetype(size), '\0');
    if (size && Platform::fileVersionInfo(file, size, buffer.data())) {
        system = view([&](const QString &path, const void **value, quint32 *length) {
            return Platform::verQueryValue(buffer.constData(), path, value, length);
        });
    }

    QFile in(file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QByteArray image = in.readAll();
    const QByteArray block = PeVersionResource::extractVersionBlock(
        reinterpret_cast<const uchar *>(image.constData()), image.size(), PeVersionResource::userDefaultLanguage());
    VersionView portable;
    if (!block.isEmpty()) {
        portable = view([&](const QString &path, const void **value, quint32 *length) {
            return PeVersionResource::queryValue(reinterpret_cast<const uchar *>(block.constData()), path, value, length);
        });
    }
    QCOMPARE(portable.translations, system.translations);
    QCOMPARE(portable.fileVersions, system.fileVersions);
}
#endif

QTEST_GUILESS_MAIN(tst_FileVersionReader)
#include "tst_fileversionreader.moc"
