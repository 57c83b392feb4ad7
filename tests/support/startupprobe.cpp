// Runs the program's own start-up on its real folder and locale, then prints what the user
// would see and closes the wizard the way a user does. tst_startup copies it into folders of
// its choosing and reads its output.
#include "globals.h"
#include "installerapplication.h"
#include "installwizard.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QTimer>
#include <QWizardPage>

#include <cstdio>

namespace {
void print(const char *key, const QString &value)
{
    std::printf("%s=%s\n", key, value.toUtf8().constData());
}
// The letters after "&" in the page's own texts and in the buttons shown with it.
QString mnemonics(InstallWizard &wizard, int id)
{
    QStringList texts;
    for (const QLabel *label : wizard.page(id)->findChildren<QLabel *>())
        texts << label->text();
    for (const QAbstractButton *button : wizard.page(id)->findChildren<QAbstractButton *>())
        texts << button->text();
    texts << wizard.buttonText(id == InstallWizard::ConclusionPageId ? QWizard::FinishButton : QWizard::NextButton)
          << wizard.buttonText(QWizard::CancelButton);
    QString letters;
    for (const QString &text : std::as_const(texts)) {
        for (qsizetype i = text.indexOf(QLatin1Char('&')); i >= 0 && i + 1 < text.size(); i = text.indexOf(QLatin1Char('&'), i + 2)) {
            if (text.at(i + 1) != QLatin1Char('&'))
                letters += text.at(i + 1).toLower();
        }
    }
    return letters;
}

QString firstLabel(InstallWizard &wizard, int id)
{
    const QLabel *label = wizard.page(id)->findChild<QLabel *>();
    return label ? label->text() : QString();
}

// The names a screen reader is given for the choice page's lists, in page order.
QString listNames(InstallWizard &wizard)
{
    QStringList names;
    for (QListWidget *list : wizard.page(InstallWizard::CollectInfoPageId)->findChildren<QListWidget *>()) {
        QAccessibleInterface *object = QAccessible::queryAccessibleInterface(list);
        names << (object ? object->text(QAccessible::Name) : QStringLiteral("<no interface>"));
    }
    return names.join(QLatin1Char('|'));
}

} // namespace

int main(int argc, char *argv[])
{
    const int result = runInstaller(argc, argv, [](QWizard &shown) {
        auto &wizard = static_cast<InstallWizard &>(shown);
        print("locale", QLocale::system().name());
        print("title", wizard.windowTitle());
        print("next", wizard.buttonText(QWizard::NextButton));
        print("finish", wizard.buttonText(QWizard::FinishButton));
        print("cancel", wizard.buttonText(QWizard::CancelButton));
        print("warning", QCoreApplication::translate("Report", "Warning"));
        print("sourceFolder", jawsInstaller.package().folder());
        print("reportPath", jawsInstaller.runReport().reportPath());
        const QLabel *intro = wizard.page(InstallWizard::IntroPageId)->findChild<QLabel *>();
        print("intro", intro ? intro->text().replace(QLatin1Char('\n'), QLatin1String("\\n")) : QString());
        print("page1", firstLabel(wizard, InstallWizard::CollectInfoPageId));
        print("lists", listNames(wizard));
        print("page2", firstLabel(wizard, InstallWizard::CopyFilesPageId));
        print("page3", wizard.page(InstallWizard::ConclusionPageId)->title());
        for (int id = InstallWizard::IntroPageId; id <= InstallWizard::ConclusionPageId; ++id)
            print(qPrintable(QStringLiteral("mnemonics%1").arg(id)), mnemonics(wizard, id));
        // One line of each kind, after the header: lines 5 to 10 of the report.
        Report &report = jawsInstaller.runReport().report();
        report.writeLine(Report::fileCopiedLine(QStringLiteral("JAWS/jfw.ini"), false));
        report.writeLine(Report::folderCreatedLine(QStringLiteral("JAWS/MANUALS"), true));
        report.writeLine(Report::sectionAddedLine(QStringLiteral("Quor"), QStringLiteral("jfw.ini"), true));
        report.writeLine(Report::tableSelectedLine(QStringLiteral("French.jbt"), QStringLiteral("default.jcf"), false));
        report.writeLine(Report::fileSavedLine(QStringLiteral("JAWS/braille.ini.001"), true));
        report.writeLine(Report::fileDeletedLine(QStringLiteral("JAWS/default.jkm"), false));
        std::fflush(stdout);
        QTimer::singleShot(0, &wizard, &QWidget::close);
    });
    print("exit", QString::number(result));
    return result;
}
