#include "paths/windowspath.h"

#include <QTest>

class tst_WindowsPath : public QObject
{
    Q_OBJECT

private slots:
    void identity_data();
    void identity();
};

// Each row: two paths, whether they are the same, whether the first lies within the second.
// The same answers in both builds: the native build simulates Windows.
void tst_WindowsPath::identity_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::addColumn<bool>("inside");
    QTest::newRow("letter case") << "C:\\Program Files\\JAWS\\2025" << "c:\\PROGRAM FILES\\jaws\\2025" << true << false;
    QTest::newRow("slash and backslash") << "C:/Program Files/JAWS/2025" << "C:\\Program Files\\JAWS\\2025" << true << false;
    QTest::newRow("doubled separator") << "C:\\Program Files\\\\JAWS\\2025" << "C:\\Program Files\\JAWS\\2025" << true << false;
    QTest::newRow("trailing separator") << "C:\\JAWS\\2025\\" << "C:\\JAWS\\2025" << true << false;
    QTest::newRow("dot and dot-dot") << "C:\\JAWS\\.\\10.0\\..\\2025" << "C:\\JAWS\\2025" << true << false;
    QTest::newRow("dot-dot stops at the drive") << "C:\\..\\..\\JAWS" << "C:\\JAWS" << true << false;
    QTest::newRow("long-path prefix") << "\\\\?\\C:\\JAWS\\2025" << "C:\\JAWS\\2025" << true << false;
    QTest::newRow("network path, long form") << "\\\\?\\UNC\\server\\share\\JAWS" << "\\\\SERVER\\share\\jaws\\" << true << false;
    QTest::newRow("dot-dot stops at the share") << "\\\\server\\share\\..\\JAWS" << "\\\\server\\share\\JAWS" << true << false;
    QTest::newRow("native absolute paths") << "/tmp//machine/JAWS/" << "/TMP/machine\\jaws" << true << false;
    QTest::newRow("another folder") << "C:\\JAWS\\2025" << "C:\\JAWS\\2019" << false << false;
    QTest::newRow("a name that only begins alike") << "C:\\JAWS\\20250" << "C:\\JAWS\\2025" << false << false;
    QTest::newRow("another drive") << "D:\\JAWS" << "C:\\JAWS" << false << false;
    QTest::newRow("drive-relative is not the root") << "C:JAWS" << "C:\\JAWS" << false << false;
    QTest::newRow("within, through doubled separators") << "c:\\jaws\\\\2025\\Drivers" << "C:/JAWS/2025/" << false << true;
    QTest::newRow("within a drive's root") << "C:\\JAWS" << "C:\\" << false << true;
    QTest::newRow("out again by dot-dot") << "C:\\JAWS\\2025\\..\\..\\Other" << "C:\\JAWS" << false << false;
    QTest::newRow("empty names nothing") << "" << "" << false << false;
}

void tst_WindowsPath::identity()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QFETCH(bool, inside);
    QCOMPARE(WindowsPath::samePath(a, b), same);
    QCOMPARE(WindowsPath::samePath(b, a), same);
    QCOMPARE(WindowsPath::key(a) == WindowsPath::key(b), same || (a.isEmpty() && b.isEmpty()));
    QCOMPARE(WindowsPath::isInside(a, b), inside);
    QCOMPARE(WindowsPath::isSameOrInside(a, b), same || inside);
}

QTEST_GUILESS_MAIN(tst_WindowsPath)
#include "tst_windowspath.moc"
