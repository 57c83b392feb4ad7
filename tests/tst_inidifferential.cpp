// The ini engine that edits JAWS's files against the system's profile functions, its reference,
// on random files and random sequences of the five operations. Only meaningful where the
// system's functions exist; nothing else in the program uses them.
//
// Known difference, not compared: Wine rewrites the whole file on each write (normalising
// blanks around "=", dropping blank lines and putting "[name]" lines in its own form), where
// Windows and the portable engine keep the lines a write does not touch. What both promise is
// compared instead: every read result, and the file read back through both engines.
#include "ini/inifile.h"
#include "ini/inidocument.h"
#include "support/randomini.h"
#include "support/textfiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <windows.h>

namespace {

// The system's profile functions, called directly on the file. A missing file reads as empty,
// as the checks read one.
namespace System {

std::wstring wide(const QString &text)
{
    return QDir::toNativeSeparators(text).toStdWString();
}

// The pieces of a buffer of NUL-separated strings; the buffer grows while the answer fills it.
template<typename Call>
QStringList list(const Call &call)
{
    for (DWORD size = 4096; size < 4194304; size *= 10) {
        std::vector<wchar_t> buffer(size, 0);
        const DWORD length = call(buffer.data(), size);
        if (length == size - 2)
            continue;
        QStringList items;
        DWORD start = 0;
        for (DWORD i = 0; i < length; ++i) {
            if (buffer[i] == 0) {
                items.append(QString::fromWCharArray(buffer.data() + start, int(i - start)));
                start = i + 1;
            }
        }
        if (start < length)
            items.append(QString::fromWCharArray(buffer.data() + start, int(length - start)));
        return items;
    }
    return {};
}

QStringList sectionNames(const QString &file)
{
    if (!QFileInfo::exists(file))
        return {};
    const std::wstring path = wide(file);
    return list([&](wchar_t *buffer, DWORD size) { return GetPrivateProfileSectionNamesW(buffer, size, path.c_str()); });
}

QStringList section(const QString &name, const QString &file)
{
    if (!QFileInfo::exists(file))
        return {};
    const std::wstring path = wide(file), section = name.toStdWString();
    return list([&](wchar_t *buffer, DWORD size) { return GetPrivateProfileSectionW(section.c_str(), buffer, size, path.c_str()); });
}

QString string(const QString &section, const QString &key, const QString &file, const QString &defaultValue)
{
    if (!QFileInfo::exists(file))
        return QString();
    std::vector<wchar_t> buffer(16384, 0);
    const DWORD length = GetPrivateProfileStringW(section.toStdWString().c_str(), key.toStdWString().c_str(),
                                                  defaultValue.toStdWString().c_str(), buffer.data(), DWORD(buffer.size()),
                                                  wide(file).c_str());
    return QString::fromWCharArray(buffer.data(), int(length));
}

bool writeSection(const QString &name, const QStringList &lines, const QString &file)
{
    std::wstring block;
    for (const QString &line : lines) {
        block += line.toStdWString();
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return WritePrivateProfileSectionW(name.toStdWString().c_str(), block.c_str(), wide(file).c_str());
}

bool writeString(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return WritePrivateProfileStringW(section.toStdWString().c_str(), key.toStdWString().c_str(),
                                      value.toStdWString().c_str(), wide(file).c_str());
}

} // namespace System

QStringList readAll(const std::function<QStringList()> &names, const std::function<QStringList(const QString &)> &section,
                    const std::function<QString(const QString &, const QString &)> &string)
{
    QStringList view = names();
    for (const QString &name : RandomIni::sectionPool()) {
        view.append(QStringLiteral("[%1] ").arg(name) + section(name).join(QLatin1Char('|')));
        for (const QString &key : RandomIni::keyPool())
            view.append(name + QLatin1Char('/') + key + QLatin1Char('=') + string(name, key));
    }
    return view;
}

} // namespace

class tst_IniDifferential : public QObject
{
    Q_OBJECT

private slots:
    void randomSequences();
};

void tst_IniDifferential::randomSequences()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("differential.ini"));
    const QString dflt = QStringLiteral("dflt");
    int operations = 0;
    for (quint32 seed = 1; seed <= 1000; ++seed) {
        RandomIni random(seed);
        const QByteArray content = random.file();
        QFile::remove(file);
        if (!content.isEmpty())
            QVERIFY(TextFiles::write(file, content));
        IniDocument document = IniDocument::parse(content);
        bool exists = !content.isEmpty();

        const int steps = 1 + random.bounded(8);
        for (int step = 0; step < steps; ++step, ++operations) {
            const QString section = random.sectionName();
            const QString key = random.keyName();
            const QString where = QStringLiteral("seed %1 step %2").arg(seed).arg(step);
            switch (random.bounded(5)) {
            case 0:
                QVERIFY2(System::sectionNames(file) == (exists ? document.sectionNames() : QStringList()), qPrintable(where));
                break;
            case 1:
                QVERIFY2(System::section(section, file) == (exists ? document.sectionLines(section) : QStringList()),
                         qPrintable(where + " section " + section));
                break;
            case 2: {
                const QString expected = exists ? document.value(section, key).value_or(dflt) : QString();
                const QString actual = System::string(section, key, file, dflt);
                QVERIFY2(actual == expected, qPrintable(where + " " + section + "/" + key + ": " + actual + " vs " + expected));
                break;
            }
            case 3: {
                const QStringList lines = random.sectionLines();
                QVERIFY(System::writeSection(section, lines, file));
                exists = document.writeSection(section, lines) || exists;
                document = IniDocument::parse(document.serialize());
                break;
            }
            default: {
                const QString value = random.value();
                QVERIFY(System::writeString(section, key, value, file));
                document.writeString(section, key, value);
                exists = true;
                document = IniDocument::parse(document.serialize());
                break;
            }
            }
        }
        // Each file read back through both engines.
        const QString portableFile = dir.filePath(QStringLiteral("portable.ini"));
        QFile::remove(portableFile);
        if (exists)
            QVERIFY(TextFiles::write(portableFile, document.serialize()));
        const auto through = [&](const QString &path) {
            return readAll([&] { return System::sectionNames(path); },
                           [&](const QString &name) { return System::section(name, path); },
                           [&](const QString &s, const QString &k) { return System::string(s, k, path, dflt); });
        };
        const QStringList system = through(file);
        const QStringList portable = through(portableFile);
        const IniDocument systemFile = IniDocument::parse(TextFiles::read(file));
        const QStringList portableReadingSystem = readAll(
            [&] { return QFileInfo::exists(file) ? systemFile.sectionNames() : QStringList(); },
            [&](const QString &name) { return QFileInfo::exists(file) ? systemFile.sectionLines(name) : QStringList(); },
            [&](const QString &s, const QString &k) {
                return QFileInfo::exists(file) ? systemFile.value(s, k).value_or(dflt) : QString();
            });
        QVERIFY2(system == portable, qPrintable(QStringLiteral("seed %1: the files differ when read by the system").arg(seed)));
        // IniFile, read once as a settings session reads it, reads what the system reads.
        IniFile installerFile(file);
        const bool installerFileExists = QFileInfo::exists(file);
        const QStringList installer = readAll(
            [&] { return installerFile.sectionNames(); }, [&](const QString &name) { return installerFile.section(name); },
            [&](const QString &s, const QString &k) { return installerFileExists ? installerFile.string(s, k, dflt) : QString(); });
        QVERIFY2(installer == system, qPrintable(QStringLiteral("seed %1: IniFile reads the file differently").arg(seed)));
        QVERIFY2(portableReadingSystem == system, qPrintable(QStringLiteral("seed %1: the engines read one file differently").arg(seed)));
    }
    qInfo("%d operations in 1000 sequences", operations);
}

QTEST_GUILESS_MAIN(tst_IniDifferential)
#include "tst_inidifferential.moc"
