// The choice page on a machine set up before the process starts (the installed folders are
// read once, before main): IQO_MACHINE names which one, as CMake registers a run per machine.
#include "globals.h"
#include "installwizard.h"
#include "unattendedrun.h"
#include "support/fixtures.h"
#include "support/scriptedwindows.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QScrollBar>
#include <QtTest>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

QStringList announced;

// What a screen reader is told when the focus moves: the name of the object of each Focus event.
void recordFocusEvent(QAccessibleEvent *event)
{
    if (event->type() != QAccessible::Focus)
        return;
    if (QAccessibleInterface *object = event->accessibleInterface())
        announced << object->text(QAccessible::Name);
    else
        announced << QStringLiteral("<no interface>");
}

QListWidget *list(InstallWizard &wizard, int index)
{
    const auto lists = wizard.page(InstallWizard::CollectInfoPageId)->findChildren<QListWidget *>();
    return lists.value(index);
}

} // namespace

class tst_CollectInfoPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void preselectionAndFields();
    void focusAndAnnouncements();

private:
    QString machine;
};

void tst_CollectInfoPage::initTestCase()
{
    machine = qEnvironmentVariable("IQO_MACHINE");
    QVERIFY(!machine.isEmpty());
    // As when a screen reader runs: the platform's accessibility switched on, its events seen here.
    QPlatformAccessibility *accessibility = QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY2(accessibility, "this platform plugin has no accessibility: run on xcb or windows");
    accessibility->setActive(true);
    QAccessible::installUpdateHandler(recordFocusEvent);
}

void tst_CollectInfoPage::preselectionAndFields()
{
    // On the machines with a running JAWS, a program named JFW.EXE runs from the folder of a
    // row (in upper case, as the process list gives it) and its main window exists: under Wine
    // the JAWS double with its real window, natively a program found through /proc and a
    // window played by a double.
    QProcess running;
    QString runningFolder;
#ifdef Q_OS_WIN
    if (machine.startsWith(QLatin1String("running"))) {
        const QString folder = runningFolder = QStringLiteral("C:/iqo-running-jaws/jaws2");
        QVERIFY(QDir().mkpath(folder));
        QFile::remove(folder + QStringLiteral("/JFW.EXE"));
        QVERIFY(QFile::copy(Fixtures::program(QStringLiteral("jawsdouble")), folder + QStringLiteral("/JFW.EXE")));
        running.start(folder + QStringLiteral("/JFW.EXE"), QStringList());
        QVERIFY(running.waitForReadyRead(20000));
        QTRY_VERIFY_WITH_TIMEOUT(Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")), 20000);
    }
#else
    ScriptedWindows windows;
    if (machine.startsWith(QLatin1String("running"))) {
        const QString folder = runningFolder = QStringLiteral("/tmp/iqo-running-jaws/jaws2");
        QVERIFY(QDir().mkpath(folder));
        QFile::remove(folder + QStringLiteral("/JFW.EXE"));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), folder + QStringLiteral("/JFW.EXE")));
        running.start(folder + QStringLiteral("/JFW.EXE"), { QStringLiteral("30") });
        QVERIFY(running.waitForStarted());
        windows.add(QStringLiteral("JFWUI2"), QStringLiteral("JAWS"));
    }
#endif

    InstallWizard wizard;
    QListWidget *folders = list(wizard, 0);
    QListWidget *devices = list(wizard, 1);
    QVERIFY(folders && devices);
    // Rows as the registry gave them; which is current right after construction. The running
    // folder is a row's whatever its case, or a registry record's doubled separator.
    const QHash<QString, int> expectedRow{ { "three", 2 }, { "empty", -1 }, { "running", 1 }, { "running-case", 1 }, { "running-doubled", 1 } };
    QCOMPARE(folders->currentRow(), expectedRow.value(machine));
    // An unattended run told that folder takes the row the page pre-selects.
    if (machine.startsWith(QLatin1String("running")))
        QCOMPARE(UnattendedRun::chooseJawsFolders(runningFolder, jaws.jawsFolders()), QStringList{ jaws.jawsFolders().at(folders->currentRow()) });
    QCOMPARE(devices->currentRow(), 0);
    QCOMPARE(devices->item(0)->text(), QStringLiteral("OLMA (1.71 et plus récent)"));
    QCOMPARE(devices->item(1)->text(), QStringLiteral("QUOR"));

    // Each list is as tall as its rows plus a horizontal scroll bar.
    for (QListWidget *l : { folders, devices }) {
        int rows = 0;
        for (int r = 0; r < l->count(); ++r)
            rows += l->visualItemRect(l->item(r)).height();
        QCOMPARE(l->maximumHeight(), rows + l->horizontalScrollBar()->height());
    }

    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    wizard.next();
    QCOMPARE(wizard.currentId(), int(InstallWizard::CollectInfoPageId));
    QCOMPARE(wizard.button(QWizard::NextButton)->isEnabled(), folders->count() > 0);
    if (machine == QLatin1String("three")) {
        // Each row shows what tells it from the others, with the version folder in sight at the
        // page's own size; a screen reader hears the whole path.
        const QString jaws = QStringLiteral("C:\\Program Files\\Freedom Scientific\\JAWS\\");
        const QStringList paths{ jaws + "10.0", jaws + "2019", jaws + "a folder name far too long to fit on the page of the wizard at all" };
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(folders);
        QVERIFY(list);
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(folders->item(row)->text(), QChar(0x2026) + paths.at(row).mid(paths.at(row).indexOf(QStringLiteral("\\JAWS\\"))));
            QCOMPARE(list->child(row)->text(QAccessible::Name), paths.at(row));
        }
        QCOMPARE(folders->horizontalScrollBar()->value(), 0);
        for (int row = 0; row < 2; ++row)
            QVERIFY(folders->fontMetrics().horizontalAdvance(folders->item(row)->text()) < folders->viewport()->width());
        // A long path scrolls sideways instead of widening the page.
        QVERIFY(folders->horizontalScrollBar()->maximum() > 0);
        QVERIFY(wizard.width() < 1200);
        QCOMPARE(wizard.field(QStringLiteral("jawsPath")).toInt(), 2);
        QCOMPARE(wizard.field(QStringLiteral("defaultDevice")).toInt(), 0);
    }
    if (running.state() != QProcess::NotRunning) {
        running.kill();
        running.waitForFinished();
    }
}

void tst_CollectInfoPage::focusAndAnnouncements()
{
    if (machine == QLatin1String("empty"))
        QSKIP("no row to announce");
    InstallWizard wizard;
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    wizard.activateWindow();
    QListWidget *folders = list(wizard, 0);
    QListWidget *devices = list(wizard, 1);

    // Whatever had the focus on the first page, the folder list has it on the second.
    wizard.page(InstallWizard::IntroPageId)->findChild<QLabel *>()->setFocus();
    announced.clear();
    wizard.next();
    QTRY_COMPARE(QApplication::focusWidget(), folders);
    if (folders->currentRow() >= 0)
        QTRY_VERIFY(!announced.isEmpty() && announced.last() == folders->currentItem()->data(Qt::AccessibleTextRole).toString());

    // Alt+B moves to the display list, which announces its current row.
    announced.clear();
    QTest::keyClick(&wizard, Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), devices);
    QTRY_VERIFY(!announced.isEmpty() && announced.last() == QStringLiteral("OLMA (1.71 et plus récent)"));
    announced.clear();
    QTest::keyClick(devices, Qt::Key_Down);
    QCOMPARE(devices->currentRow(), 1);
    QCOMPARE(wizard.field(QStringLiteral("defaultDevice")).toInt(), 1);

    // Alt+J back to the folder list.
    announced.clear();
    QTest::keyClick(&wizard, Qt::Key_J, Qt::AltModifier);
    QTRY_COMPARE(QApplication::focusWidget(), folders);
}

QTEST_MAIN(tst_CollectInfoPage)
#include "tst_collectinfopage.moc"
