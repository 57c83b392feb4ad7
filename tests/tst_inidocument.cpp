// The ini engine's promises on sample files and on every input that once broke one.
#include "support/fixtures.h"
#include "support/inidocumentchecks.h"

#include <QtTest>

class tst_IniDocument : public QObject
{
    Q_OBJECT

private slots:
    void promisesHold_data();
    void promisesHold();
};

void tst_IniDocument::promisesHold_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &folder : { QStringLiteral("ini"), QStringLiteral("malformed-ini") }) {
        for (const QString &name : Fixtures::list(folder))
            QTest::newRow(qPrintable(folder + QLatin1Char('/') + name)) << folder + QLatin1Char('/') + name;
    }
}

void tst_IniDocument::promisesHold()
{
    QFETCH(QString, file);
    const QString broken = brokenIniPromise(Fixtures::read(file));
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
}

QTEST_GUILESS_MAIN(tst_IniDocument)
#include "tst_inidocument.moc"
