#include "installwizard.h"

#include <QAbstractButton>
#include <QtTest>

class tst_InstallWizard : public QObject
{
    Q_OBJECT

private slots:
    void buttonRowOnEveryPage();
};

// Strictly forward: no Back button on any page, Next until the last page, then Finish; Cancel
// everywhere.
void tst_InstallWizard::buttonRowOnEveryPage()
{
    InstallWizard wizard;
    QCOMPARE(wizard.wizardStyle(), QWizard::ClassicStyle);
    QCOMPARE(wizard.pageIds(), (QList<int>{ 0, 1, 2, 3 }));
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    for (int id = 0; id <= 3; ++id) {
        QCOMPARE(wizard.currentId(), id);
        QVERIFY(!wizard.button(QWizard::BackButton)->isVisible());
        QCOMPARE(wizard.button(QWizard::NextButton)->isVisible(), id < 3);
        QCOMPARE(wizard.button(QWizard::FinishButton)->isVisible(), id == 3);
        QVERIFY(wizard.button(QWizard::CancelButton)->isVisible());
        QVERIFY(!wizard.button(QWizard::HelpButton)->isVisible());
        QVERIFY(!wizard.button(QWizard::CommitButton)->isVisible());
        wizard.next();
    }
    wizard.button(QWizard::CancelButton)->click();
    QVERIFY(!wizard.isVisible());
}

QTEST_MAIN(tst_InstallWizard)
#include "tst_installwizard.moc"
