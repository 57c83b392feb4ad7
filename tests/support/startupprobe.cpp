// Runs the program's own start-up on its real folder and locale, then prints what the user
// would see and closes the wizard the way a user does. tst_startup copies it into folders of
// its choosing and reads its output.
#include "globals.h"
#include "installerapplication.h"
#include "installwizard.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QTimer>

#include <cstdio>

namespace {
void print(const char *key, const QString &value)
{
    std::printf("%s=%s\n", key, value.toUtf8().constData());
}
} // namespace

int main(int argc, char *argv[])
{
    const int result = runInstaller(argc, argv, [](InstallWizard &wizard) {
        print("locale", QLocale::system().name());
        print("title", wizard.windowTitle());
        print("next", wizard.buttonText(QWizard::NextButton));
        print("finish", wizard.buttonText(QWizard::FinishButton));
        print("cancel", wizard.buttonText(QWizard::CancelButton));
        print("warning", QCoreApplication::translate("Report", "Warning"));
        print("sourceFolder", jawsInstaller.sourceFolder());
        print("reportPath", jawsInstaller.reportPath());
        const QLabel *intro = wizard.page(InstallWizard::IntroPageId)->findChild<QLabel *>();
        print("intro", intro ? intro->text().replace(QLatin1Char('\n'), QLatin1String("\\n")) : QString());
        jawsInstaller.report().fileCopied(QStringLiteral("JAWS/jfw.ini"), false);
        jawsInstaller.report().folderCreated(QStringLiteral("JAWS/MANUALS"), true);
        std::fflush(stdout);
        QTimer::singleShot(0, &wizard, &QWidget::close);
    });
    print("exit", QString::number(result));
    return result;
}
