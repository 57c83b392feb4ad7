// The portable ini engine against the system's profile functions, on random files and random
// sequences of the five operations. Only meaningful where the system's functions exist.
//
// Known difference, not compared: Wine rewrites the whole file on each write (normalising
// blanks around "=", dropping blank lines and putting "[name]" lines in its own form), where
// Windows and the portable engine keep the lines a write does not touch. What both promise is
// compared instead: every read result, and the file read back through both engines.
#include "installer/iniprofile.h"
#include "platform/inidocument.h"
#include "support/randomini.h"
#include "support/textfiles.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

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
                QVERIFY2(IniProfile::readSectionNames(file) == (exists ? document.sectionNames() : QStringList()), qPrintable(where));
                break;
            case 1:
                QVERIFY2(IniProfile::readSection(section, file) == (exists ? document.sectionLines(section) : QStringList()),
                         qPrintable(where + " section " + section));
                break;
            case 2: {
                const QString expected = exists ? document.value(section, key).value_or(dflt) : QString();
                const QString actual = IniProfile::readString(section, key, file, dflt);
                QVERIFY2(actual == expected, qPrintable(where + " " + section + "/" + key + ": " + actual + " vs " + expected));
                break;
            }
            case 3: {
                const QStringList lines = random.sectionLines();
                QVERIFY(IniProfile::writeSection(section, lines, file));
                exists = document.writeSection(section, lines) || exists;
                document = IniDocument::parse(document.serialize());
                break;
            }
            default: {
                const QString value = random.value();
                QVERIFY(IniProfile::writeString(section, key, value, file));
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
            return readAll([&] { return IniProfile::readSectionNames(path); },
                           [&](const QString &name) { return IniProfile::readSection(name, path); },
                           [&](const QString &s, const QString &k) { return IniProfile::readString(s, k, path, dflt); });
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
        QVERIFY2(portableReadingSystem == system, qPrintable(QStringLiteral("seed %1: the engines read one file differently").arg(seed)));
    }
    qInfo("%d operations in 1000 sequences", operations);
}

QTEST_GUILESS_MAIN(tst_IniDifferential)
#include "tst_inidifferential.moc"
