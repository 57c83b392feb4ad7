// The removal's wizard driven by keys alone, over a scripted removal: which pages come, where
// the focus lands on each, what the plan page names and what the last page says.
#include "globals.h"
#include "platform/messagebox.h"
#include "removalwizard.h"
#include "support/scriptedremoval.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// Never blocks: records the warning and may press a key on the wizard while it is up.
class KeyPressingMessageBox : public Platform::MessageBoxService
{
public:
    KeyPressingMessageBox() { Platform::installMessageBoxService(this); }
    ~KeyPressingMessageBox() override { Platform::installMessageBoxService(nullptr); }
    void show(const QString &text, const QString &caption) override
    {
        shown << caption + QLatin1Char('|') + text;
        if (whileShown)
            whileShown();
    }
    QStringList shown;
    std::function<void()> whileShown;
};

// What a screen reader is given for the focused widget: a sentence's text, else its name.
QString describe(QWidget *widget)
{
    if (!widget)
        return QStringLiteral("<none>");
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    return widget->accessibleName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : widget->accessibleName();
}

} // namespace

class tst_RemovalWizard : public QObject
{
    Q_OBJECT

private slots:
    void drivenByKeys_data();
    void drivenByKeys();
};

void tst_RemovalWizard::drivenByKeys_data()
{
    QTest::addColumn<QString>("named");       // the JAWS folder on the command line, by its name
    QTest::addColumn<QStringList>("recorded"); // folders with a record, by name
    QTest::addColumn<QStringList>("keys");     // pressed one by one on the focused widget
    QTest::addColumn<QString>("keyAtWarning"); // pressed on the wizard while JAWS is about to close
    QTest::addColumn<int>("end");              // how the scripted removal ends (Removal::State)
    QTest::addColumn<bool>("errors");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<QString>("result");       // the last page's sentence; $R the report, $F the folder

    const QStringList enter{ "Return", "Return" };
    const int done = int(Removal::State::Done);
    const int failed = int(Removal::State::Failed);
    const QString report = QStringLiteral(" The removal report is $R.");
    QTest::newRow("named by the list of apps") << "JAWS2025" << QStringList{ "JAWS 10.0", "JAWS2025" } << enter << "" << done << false
                                               << QList<int>{ 1, 2, 3 } << "The Korvalis Braille driver was removed." + report;
    QTest::newRow("lines to read") << "JAWS2025" << QStringList{ "JAWS2025" } << enter << "" << done << true << QList<int>{ 1, 2, 3 }
                                   << "The Korvalis Braille driver was removed, but not everything could be put back as it was: "
                                      "please read the removal report." + report;
    // Home picks the first of the two recorded folders, not the preselected last.
    QTest::newRow("chosen among the recorded") << "" << QStringList{ "JAWS 10.0", "JAWS2025" } << QStringList{ "Home", "Return", "Return", "Return" }
                                               << "" << done << false << QList<int>{ 0, 1, 2, 3 } << "The Korvalis Braille driver was removed." + report;
    QTest::newRow("JAWS not closed") << "JAWS2025" << QStringList{ "JAWS2025" } << enter << "" << failed << false << QList<int>{ 1, 2, 3 }
                                     << "Jaws could not be closed: nothing was removed. Please close Jaws and try again." + report;
    QTest::newRow("cancelled at the warning") << "JAWS2025" << QStringList{ "JAWS2025" } << enter << "Escape" << done << false
                                              << QList<int>{ 1, 2, 3 } << "The removal was cancelled: nothing was removed." + report;
    QTest::newRow("removed already") << "JAWS2025" << QStringList() << QStringList{ "Return" } << "" << done << false << QList<int>{ 3 }
                                     << "The Korvalis Braille driver is not installed in $F: there is nothing to remove.";
    QTest::newRow("no record anywhere") << "" << QStringList() << QStringList{ "Return" } << "" << done << false << QList<int>{ 3 }
                                        << "The Korvalis Braille driver is installed in no Jaws on this computer: there is nothing to remove.";
    // Before anything started, Cancel leaves at once.
    QTest::newRow("cancelled on the plan") << "JAWS2025" << QStringList{ "JAWS2025" } << QStringList{ "Escape" } << "" << done << false
                                           << QList<int>{ 1 } << "";
}

void tst_RemovalWizard::drivenByKeys()
{
    QFETCH(QString, named);
    QFETCH(QStringList, recorded);
    QFETCH(QStringList, keys);
    QFETCH(QString, keyAtWarning);
    QFETCH(int, end);
    QFETCH(bool, errors);
    QFETCH(QList<int>, pages);
    QFETCH(QString, result);

    QTemporaryDir root;
    const QStringList installed{ root.filePath(QStringLiteral("JAWS 10.0")), root.filePath(QStringLiteral("JAWS2025")) };
    for (const QString &folder : installed)
        QVERIFY(QDir().mkpath(folder));
    auto folderOf = [&](const QString &name) { return name.isEmpty() ? QString() : root.filePath(name); };
    ScriptedRemoval::script() = {};
    ScriptedRemoval::script().plan = QStringList{ "Delete the driver's files.", "Put back the display settings." };
    for (const QString &name : std::as_const(recorded))
        ScriptedRemoval::script().recorded << folderOf(name);
    ScriptedRemoval::script().end = Removal::State(end);
    ScriptedRemoval::script().errors = errors;
    ScriptedRemoval::script().jawsNotClosed = end == int(Removal::State::Failed);
    const QString reportPath = QDir::toNativeSeparators(root.filePath(QStringLiteral("JAWS2025/installLog.txt")));
    jawsInstaller.setReportPath(reportPath);

    KeyPressingMessageBox box;
    RemovalWizard wizard(folderOf(named), installed);
    if (keyAtWarning == QLatin1String("Escape"))
        box.whileShown = [&wizard] { QTest::keyClick(&wizard, Qt::Key_Escape); };
    QList<int> seen;
    QStringList focus;
    QString heading;
    QString plan;
    auto look = [&](int id) {
        if (id < 0)
            return;
        seen << id;
        focus << describe(wizard.focusWidget());
        if (id == RemovalWizard::PlanPageId) {
            heading = wizard.currentPage()->findChild<QLabel *>()->text();
            plan = wizard.currentPage()->findChild<QPlainTextEdit *>()->toPlainText();
        }
    };
    connect(&wizard, &QWizard::currentIdChanged, this, look);
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));

    for (const QString &key : std::as_const(keys)) {
        QVERIFY(wizard.isVisible());
        const Qt::Key code = key == QLatin1String("Home") ? Qt::Key_Home : key == QLatin1String("Escape") ? Qt::Key_Escape : Qt::Key_Return;
        QTest::keyClick(wizard.focusWidget() ? wizard.focusWidget() : static_cast<QWidget *>(&wizard), code);
        // The progress page moves on by itself once the removal has ended.
        QTRY_VERIFY(wizard.currentId() != RemovalWizard::ProgressPageId);
    }
    QVERIFY(!wizard.isVisible());
    QCOMPARE(seen, pages);

    const QString chosen = named.isEmpty() ? folderOf(recorded.value(0)) : folderOf(named);
    if (pages.contains(RemovalWizard::PlanPageId)) {
        // The plan names the JAWS by its version and folder, and is where the focus starts.
        QCOMPARE(ScriptedRemoval::script().prepared, chosen);
        const QString version = chosen.endsWith(QLatin1String("10.0")) ? QStringLiteral("10.0") : QStringLiteral("2025");
        QVERIFY2(heading.contains(QStringLiteral("Jaws %1 in %2").arg(version, QDir::toNativeSeparators(chosen))), qPrintable(heading));
        QCOMPARE(plan, ScriptedRemoval::script().plan.join(QLatin1Char('\n')));
        QCOMPARE(focus.at(seen.indexOf(RemovalWizard::PlanPageId)), QStringLiteral("What will be done:"));
    }
    if (pages.contains(RemovalWizard::ChoicePageId))
        QCOMPARE(focus.at(seen.indexOf(RemovalWizard::ChoicePageId)), QStringLiteral("Jaws folders:"));
    if (pages.contains(RemovalWizard::ProgressPageId)) {
        QCOMPARE(ScriptedRemoval::script().starts, 1);
        QCOMPARE(box.shown, QStringList{ "Warning|Jaws will be closed while the driver is removed. It will be automatically restarted." });
    } else {
        QCOMPARE(ScriptedRemoval::script().starts, 0);
    }
    QCOMPARE(ScriptedRemoval::script().cancels, keyAtWarning.isEmpty() ? 0 : 1);
    if (pages.contains(RemovalWizard::ConclusionPageId)) {
        // The focus is on the sentence that says how it went; Enter there finished.
        const QString sentence = QString(result).replace(QStringLiteral("$R"), reportPath).replace(QStringLiteral("$F"), QDir::toNativeSeparators(chosen));
        QCOMPARE(focus.constLast(), sentence);
        QCOMPARE(wizard.result(), int(QDialog::Accepted));
    } else {
        QCOMPARE(wizard.result(), int(QDialog::Rejected));
    }
}

QTEST_MAIN(tst_RemovalWizard)
#include "tst_removalwizard.moc"
