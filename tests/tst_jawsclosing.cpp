#include "installer/jawsclosing.h"
#include "installer/jawsinstaller.h"
#include "jaws/jaws.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class tst_JawsClosing : public QObject
{
    Q_OBJECT

private slots:
    void runClosesOnceAndGivesBackOnce_data();
    void runClosesOnceAndGivesBackOnce();
};

namespace {

QStringList reportLines(const JawsInstaller &installer)
{
    QStringList lines;
    for (const StepResult &result : installer.results()) {
        for (const StepResult::Line &line : result.lines())
            lines << line.text;
    }
    return lines;
}

} // namespace

// A run over several JAWS installations takes over the JAWS its installations or removals closed
// and gives back the first of them, once, at its end, unless told not to. The folders hold no
// JAWS program, so no JAWS is started anywhere: the error line names the one that was tried.
void tst_JawsClosing::runClosesOnceAndGivesBackOnce_data()
{
    QTest::addColumn<QStringList>("closedBy"); // folder names under a temporary folder; "" for none
    QTest::addColumn<bool>("restart");
    QTest::addColumn<QString>("givenBack"); // empty: none was tried

    QTest::newRow("none closed") << QStringList{} << true << QString();
    QTest::newRow("one closed") << QStringList{ "2025" } << true << "2025";
    QTest::newRow("the first of two") << QStringList{ "2025", "2019" } << true << "2025";
    QTest::newRow("a part that could not tell its folder") << QStringList{ "", "2019" } << true << "2019";
    QTest::newRow("--no-restart") << QStringList{ "2025", "2019" } << false << QString();
}

void tst_JawsClosing::runClosesOnceAndGivesBackOnce()
{
    QFETCH(QStringList, closedBy);
    QFETCH(bool, restart);
    QFETCH(QString, givenBack);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    Jaws jaws;
    JawsInstaller installer;
    JawsClosing run(jaws, installer.runReport());
    run.setRestart(restart);
    for (const QString &name : std::as_const(closedBy))
        run.takeOver(name.isEmpty() ? QString() : root.filePath(name));
    QCOMPARE(run.closedHere(), !givenBack.isEmpty() || !restart);

    const QStringList expected = givenBack.isEmpty()
        ? QStringList{}
        : QStringList{ QStringLiteral("ERROR : Jaws could not be started again from %1. Please start Jaws yourself.")
                           .arg(QDir::toNativeSeparators(root.filePath(givenBack))) };
    QCOMPARE(run.giveBack(QString()), givenBack.isEmpty());
    QCOMPARE(reportLines(installer), expected);
    // Once: a second end of the run tries nothing more.
    QVERIFY(run.giveBack(QString()));
    QCOMPARE(reportLines(installer), expected);
}

QTEST_GUILESS_MAIN(tst_JawsClosing)
#include "tst_jawsclosing.moc"
