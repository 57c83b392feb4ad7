#include "ini/settingssession.h"
#include "installer/configuration.h"
#include "support/inireads.h"
#include "support/textfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray utf16le(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// One write, saved at once.
bool writeString(const QString &section, const QString &key, const QString &value, const QString &file)
{
    IniFile ini(file);
    return ini.writeString(section, key, value) && ini.save();
}

bool writeSection(const QString &section, const QStringList &lines, const QString &file)
{
    IniFile ini(file);
    return ini.writeSection(section, lines) && ini.save();
}

} // namespace

class tst_IniFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        holder.reset(new QTemporaryDir);
        QVERIFY(holder->isValid());
    }
    void reads_data();
    void reads();
    void writesKeepUntouchedLines_data();
    void writesKeepUntouchedLines();
    void encodingIsKept_data();
    void encodingIsKept();
    void writeSectionCreatesMissingFile();
    void failedWriteReportsFalse();
    void sessionReplacesOnce();
    void sessionCommit_data();
    void sessionCommit();

private:
    std::unique_ptr<QTemporaryDir> holder;
    QTemporaryDir &dir() { return *holder; }
};

// Read operations against the behaviour of the Windows profile functions.
void tst_IniFile::reads_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<QString>("operation");  // names | section:S | string:S:K:default
    QTest::addColumn<QStringList>("expected");

    const QByteArray sample = "; preamble\r\n[Options]\r\nA = 1\r\n\r\nb=two words  \r\nflag\r\n;note=x\r\n"
                              "q=\"quoted\"\r\ns='single'\r\n[options]\r\nA=shadowed\r\n[Empty]\r\n";
    QTest::newRow("missing file: names") << QByteArray() << "names" << QStringList();
    QTest::newRow("missing file: default ignored") << QByteArray() << "string:Options:A:fallback" << QStringList{ "" };
    QTest::newRow("no sections") << QByteArray("just text\r\n") << "names" << QStringList();
    QTest::newRow("names in order, duplicates") << sample << "names" << QStringList{ "Options", "options", "Empty" };
    QTest::newRow("section: blanks and comments out") << sample << "section:OPTIONS"
                                                       << QStringList{ "A=1", "b=two words", "flag", "q=\"quoted\"", "s='single'" };
    QTest::newRow("empty section") << sample << "section:Empty" << QStringList();
    QTest::newRow("missing section") << sample << "section:None" << QStringList();
    QTest::newRow("key without case, first section") << sample << "string:options:a:d" << QStringList{ "1" };
    QTest::newRow("value trimmed") << sample << "string:Options:B:d" << QStringList{ "two words" };
    QTest::newRow("double quotes off") << sample << "string:Options:q:d" << QStringList{ "quoted" };
    QTest::newRow("single quotes off") << sample << "string:Options:s:d" << QStringList{ "single" };
    QTest::newRow("key without value: default") << sample << "string:Options:flag:d" << QStringList{ "d" };
    QTest::newRow("missing key: default") << sample << "string:Options:zz:fallback" << QStringList{ "fallback" };
    QTest::newRow("missing section: default") << sample << "string:Nope:A:fallback" << QStringList{ "fallback" };
    QTest::newRow("300 characters whole") << QByteArray("[S]\nlong=" + QByteArray(300, 'x') + "\n") << "string:S:long:"
                                          << QStringList{ QString(300, QLatin1Char('x')) };
    QTest::newRow("header closes at last ]") << QByteArray("[a]b]\nk=v\n") << "names" << QStringList{ "a]b" };
    QTest::newRow("first = splits") << QByteArray("[S]\nk = a=b\n") << "string:S:k:" << QStringList{ "a=b" };
    QTest::newRow("no final line end") << QByteArray("[S]\nk=last") << "string:S:k:" << QStringList{ "last" };
    QTest::newRow("trailing NULs") << QByteArray("[S]\r\nk=v\r\n\0\0\0", 13) << "string:S:k:" << QStringList{ "v" };
    QTest::newRow("LF and CR line ends") << QByteArray("[S]\nk=1\r[T]\r\nm=2\n") << "string:T:m:" << QStringList{ "2" };
    QTest::newRow("[ after blanks only") << QByteArray("\t\x1A [S]\r\nk=[T]\r\nx [U]\r\n\v[T] \r\n") << "names"
                                      << QStringList{ "S", "T" };
    QTest::newRow("header cut at a NUL") << QByteArray("[A\0]\r\n[B]\0x]\r\n", 14) << "names" << QStringList{ "B" };
    QTest::newRow("non-ASCII names: ANSI") << QByteArray("[Caf\xE9]\r\n[\xC9T\xC9]\r\nk=1\r\n") << QStringLiteral("string:\u00e9t\u00e9:K:")
                                           << QStringList{ "1" };
    QTest::newRow("non-ASCII names: UTF-8") << QByteArray("\xEF\xBB\xBF[x]\r\n[ \xC3\x89T\xC3\x89 ]\r\nk=1\r\n")
                                            << QStringLiteral("string:\u00e9t\u00e9:k:") << QStringList{ "1" };
    QTest::newRow("non-ASCII names listed") << QByteArray("[Caf\xE9]\r\n[\xC9T\xC9]\r\n") << "names"
                                            << QStringList{ QStringLiteral("Caf\u00e9"), QStringLiteral("\u00c9T\u00c9") };
    QTest::newRow("ANSI é") << QByteArray("[S]\r\nk=caf\xE9\r\n") << "string:S:k:" << QStringList{ QStringLiteral("café") };
    QTest::newRow("UTF-16LE") << utf16le(QStringLiteral("[S]\r\nk=caf\u00e9 \u20ac\r\n")) << "string:S:k:"
                              << QStringList{ QStringLiteral("café €") };
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\n") << "string:S:k:"
                                     << QStringList{ QStringLiteral("café") };
}

void tst_IniFile::reads()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, operation);
    QFETCH(QStringList, expected);

    const QString file = dir().filePath(QStringLiteral("reads.ini"));
    QFile::remove(file);
    if (!content.isNull())
        QVERIFY(TextFiles::write(file, content));
    const QStringList op = operation.split(QLatin1Char(':'));
    QStringList result;
    if (op.at(0) == QLatin1String("names"))
        result = IniReads::readSectionNames(file);
    else if (op.at(0) == QLatin1String("section"))
        result = IniReads::readSection(op.at(1), file);
    else
        result = QStringList{ IniReads::readString(op.at(1), op.at(2), file, op.at(3)) };
    QCOMPARE(result, expected);
}

void tst_IniFile::writesKeepUntouchedLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("operation"); // string:S:K:V | section:S:line|line
    QTest::addColumn<QByteArray>("after");

    const QByteArray file = "preamble text\r\n[A]\r\n; comment\r\nx=1\r\nmiddle=old\r\nz=3\r\n\r\n[B]\nb=1\n";
    QTest::newRow("key in the middle keeps its place") << file << "string:A:MIDDLE:new"
        << QByteArray("preamble text\r\n[A]\r\n; comment\r\nx=1\r\nmiddle=new\r\nz=3\r\n\r\n[B]\nb=1\n");
    QTest::newRow("new key after the section's last line") << file << "string:a:added:yes"
        << QByteArray("preamble text\r\n[A]\r\n; comment\r\nx=1\r\nmiddle=old\r\nz=3\r\nadded=yes\r\n\r\n[B]\nb=1\n");
    QTest::newRow("new section at the end") << file << "string:C:k:v"
        << QByteArray("preamble text\r\n[A]\r\n; comment\r\nx=1\r\nmiddle=old\r\nz=3\r\n\r\n[B]\nb=1\n[C]\r\nk=v\r\n");
    QTest::newRow("new section after a last line without end") << QByteArray("[A]\nx=1") << "string:C:k:v"
        << QByteArray("[A]\nx=1\r\n[C]\r\nk=v\r\n");
    QTest::newRow("same value: file untouched") << file << "string:B:b:1" << file;
    QTest::newRow("section replaced, lines removed") << file << "section:A:x=9|new=1"
        << QByteArray("preamble text\r\n[A]\r\nx=9\r\nnew=1\r\n\r\n[B]\nb=1\n");
    QTest::newRow("section emptied keeps header") << file << "section:B:"
        << QByteArray("preamble text\r\n[A]\r\n; comment\r\nx=1\r\nmiddle=old\r\nz=3\r\n\r\n[B]\n");
    QTest::newRow("new section written whole") << file << "section:New:a=1|b=2"
        << QByteArray(file + "[New]\r\na=1\r\nb=2\r\n");
    // Today's default.jcf: UTF-8 with a mark, [Options] on the first line. The mark stays, the
    // section is found (no second [Options]), the other lines keep their bytes.
    const QByteArray jcf = "\xEF\xBB\xBF[Options]\r\nBrailleDisplay=OLD\r\nVoice=Eul\xC3\xA1lia\r\n[Braille]\nT=x\n";
    QTest::newRow("UTF-8 mark, [Options] on line 1: key changed") << jcf << "string:Options:BrailleDisplay:QUOR"
        << QByteArray("\xEF\xBB\xBF[Options]\r\nBrailleDisplay=QUOR\r\nVoice=Eul\xC3\xA1lia\r\n[Braille]\nT=x\n");
    QTest::newRow("UTF-8 mark, [Options] on line 1: key added") << jcf << "string:options:Speech:1"
        << QByteArray("\xEF\xBB\xBF[Options]\r\nBrailleDisplay=OLD\r\nVoice=Eul\xC3\xA1lia\r\nSpeech=1\r\n[Braille]\nT=x\n");
    QTest::newRow("UTF-8 mark, [Options] on line 1: section replaced") << jcf << "section:OPTIONS:BrailleDisplay=QUOR"
        << QByteArray("\xEF\xBB\xBF[Options]\r\nBrailleDisplay=QUOR\r\n[Braille]\nT=x\n");
}

void tst_IniFile::writesKeepUntouchedLines()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, operation);
    QFETCH(QByteArray, after);

    const QString file = dir().filePath(QStringLiteral("writes.ini"));
    QVERIFY(TextFiles::write(file, before));
    const QStringList op = operation.split(QLatin1Char(':'));
    if (op.at(0) == QLatin1String("string"))
        QVERIFY(writeString(op.at(1), op.at(2), op.at(3), file));
    else
        QVERIFY(writeSection(op.at(1), op.at(2).split(QLatin1Char('|'), Qt::SkipEmptyParts), file));
    QCOMPARE(bytesOf(file), after);
}

void tst_IniFile::encodingIsKept_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("UTF-16LE stays UTF-16LE") << utf16le(QStringLiteral("[S]\r\nk=1\r\n"))
                                             << utf16le(QStringLiteral("[S]\r\nk=1\r\nnew=\u00e9t\u00e9\r\n"));
    QTest::newRow("ANSI stays ANSI") << QByteArray("[S]\r\nk=caf\xE9\r\n") << QByteArray("[S]\r\nk=caf\xE9\r\nnew=\xE9t\xE9\r\n");
    QTest::newRow("UTF-8 with a mark stays UTF-8") << QByteArray("\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\n")
                                                   << QByteArray("\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\nnew=\xC3\xA9t\xC3\xA9\r\n");
    QTest::newRow("new file is ANSI") << QByteArray() << QByteArray("[S]\r\nnew=\xE9t\xE9\r\n");
}

void tst_IniFile::encodingIsKept()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    const QString file = dir().filePath(QStringLiteral("encoding.ini"));
    QFile::remove(file);
    if (!before.isEmpty())
        QVERIFY(TextFiles::write(file, before));
    QVERIFY(writeString(QStringLiteral("S"), QStringLiteral("new"), QStringLiteral("été"), file));
    QCOMPARE(bytesOf(file), after);
    QCOMPARE(IniReads::readString(QStringLiteral("S"), QStringLiteral("new"), file, QString()), QStringLiteral("été"));
}

void tst_IniFile::writeSectionCreatesMissingFile()
{
    const QString file = dir().filePath(QStringLiteral("created.ini"));
    QFile::remove(file);
    QVERIFY(writeSection(QStringLiteral("Quor"), { QStringLiteral("a=1"), QStringLiteral("b=2") }, file));
    QCOMPARE(IniReads::readSectionNames(file), QStringList{ "Quor" });
    QCOMPARE(IniReads::readSection(QStringLiteral("quor"), file), (QStringList{ "a=1", "b=2" }));
    QCOMPARE(QDir(dir().path()).entryList(QDir::Files | QDir::Hidden), QStringList{ "created.ini" }); // no working copy left
}

// A folder stands where the file should be: nothing can replace it.
void tst_IniFile::failedWriteReportsFalse()
{
    const QString blocked = dir().filePath(QStringLiteral("blocked.ini"));
    QVERIFY(QDir(dir().path()).mkpath(QStringLiteral("blocked.ini")));
    QVERIFY(!writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"), blocked));
    QVERIFY(!writeSection(QStringLiteral("S"), { QStringLiteral("k=v") }, blocked));
    QVERIFY(!writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"),
                                     dir().filePath(QStringLiteral("no/such/folder.ini"))));
    QVERIFY(QFileInfo(blocked).isDir());
    QCOMPARE(QDir(dir().path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// In a session the file on disk does not change until the commit; reads see the session's
// writes at once, under any spelling of the file's path.
void tst_IniFile::sessionReplacesOnce()
{
    const QString file = dir().filePath(QStringLiteral("session.ini"));
    const QByteArray before = "[Keep]\r\nk=1\r\n";
    QVERIFY(TextFiles::write(file, before));
    SettingsSession session;
    for (int i = 0; i < 50; ++i)
        QVERIFY(session.file(file).writeSection(QStringLiteral("S%1").arg(i), { QStringLiteral("v=%1").arg(i) }));
    QCOMPARE(session.file(dir().path() + QStringLiteral("/./session.ini")).string(QStringLiteral("S49"), QStringLiteral("v"), QString()),
             QStringLiteral("49"));
    QCOMPARE(bytesOf(file), before);
    QVERIFY(session.commit());
    QVERIFY(session.saved(file));
    QCOMPARE(IniReads::readSectionNames(file).size(), 51);
    QCOMPARE(IniReads::readString(QStringLiteral("S7"), QStringLiteral("v"), file, QString()), QStringLiteral("7"));
    QCOMPARE(QDir(dir().path()).entryList(QDir::Files | QDir::Hidden), QStringList{ "session.ini" });
}

// What a commit that could not do its work says: never that a change was saved.
void tst_IniFile::sessionCommit_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("backedUp");
    QTest::newRow("nothing in the way") << "" << true << true;
    QTest::newRow("committed a second time") << "second commit" << false << true;
    QTest::newRow("the backup's name taken meanwhile") << "backup taken" << false << false;
    QTest::newRow("the file made read-only meanwhile") << "read-only" << false << true;
    QTest::newRow("the file written meanwhile") << "written" << true << true;
    QTest::newRow("the file rewritten meanwhile, same size") << "same size" << true << true;
    QTest::newRow("the file has a second name") << "second name" << true << true;
}

void tst_IniFile::sessionCommit()
{
    QFETCH(QString, obstacle);
    QFETCH(bool, saved);
    QFETCH(bool, backedUp);
    const QString file = dir().filePath(QStringLiteral("jfw.ini"));
    const QByteArray before = "[BrailleDisplays]\r\nBraille1Name=X\r\n";
    QVERIFY(TextFiles::write(file, before));
    Configuration configuration;
    configuration.begin(StepResult::Step::Displays);
    const QString backup = configuration.session().keepBackup(file);
    QCOMPARE(backup, file + QStringLiteral(".001"));
    const bool edited = configuration.file(file).writeString(QStringLiteral("BrailleDisplays"), QStringLiteral("Braille2Name"), QStringLiteral("Q"));
    configuration.addWhenSaved({ file }, edited, QStringLiteral("added"), QStringLiteral("not added"));
    if (obstacle == QLatin1String("backup taken"))
        QVERIFY(TextFiles::write(backup, "someone else's"));
    if (obstacle == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    if (obstacle == QLatin1String("written"))
        QVERIFY(TextFiles::write(file, "[BrailleDisplays]\r\nBraille1Name=JAWS wrote this\r\n"));
    if (obstacle == QLatin1String("same size"))
        QVERIFY(TextFiles::write(file, "[BrailleDisplays]\r\nBraille1Name=Y\r\n"));
    const QString secondName = dir().filePath(QStringLiteral("jfw (second name).ini"));
    if (obstacle == QLatin1String("second name"))
        QVERIFY(TextFiles::hardLink(file, secondName));
    if (obstacle == QLatin1String("second commit"))
        QCOMPARE(configuration.commit().constFirst().lines().constFirst().text, QStringLiteral("added"));
    const QList<StepResult> results = configuration.commit();
    QCOMPARE(results.size(), 1);
    QCOMPARE(results.first().lines().size(), 1);
    QCOMPARE(results.first().lines().first().text, saved ? QStringLiteral("added") : QStringLiteral("not added"));
    QCOMPARE(results.first().failed(), !saved);
    QCOMPARE(configuration.session().backedUp(file), backedUp);
    if (backedUp)
        QCOMPARE(bytesOf(backup), before);
    QCOMPARE(bytesOf(file) == before, obstacle == QLatin1String("backup taken") || obstacle == QLatin1String("read-only"));
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // What is written to the file afterwards, under any of its names, never reaches its backup.
    for (const QString &name : { file, secondName }) {
        QFile later(name);
        if (later.exists() && later.open(QIODevice::Append))
            later.write("Braille3Name=Later\r\n");
    }
    if (backedUp)
        QCOMPARE(bytesOf(backup), before);
}

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_inifile.moc"
