#include "installwizard.h"

#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

class tst_InstallWizard : public QObject
{
    Q_OBJECT

private slots:
    void buttonRowOnEveryPage();
    void introParagraphIsReachedWithTab();
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

// The paragraph takes the Tab focus, so a screen reader reads it; it wraps to the page.
void tst_InstallWizard::introParagraphIsReachedWithTab()
{
    InstallWizard wizard;
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    auto *paragraph = wizard.page(InstallWizard::IntroPageId)->findChild<QLabel *>();
    QVERIFY(paragraph);
    QVERIFY(paragraph->wordWrap());
    QVERIFY(!wizard.page(InstallWizard::IntroPageId)->pixmap(QWizard::WatermarkPixmap).isNull());

    QSet<QWidget *> reached;
    QWidget *focus = wizard.focusWidget();
    for (int i = 0; i < 6 && focus; ++i) {
        reached.insert(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = wizard.focusWidget();
    }
    QVERIFY(reached.contains(paragraph));
    QVERIFY(reached.contains(wizard.button(QWizard::NextButton)));
}

QTEST_MAIN(tst_InstallWizard)
#include "tst_installwizard.moc"
