#include "installerapplication.h"

#include "globals.h"
#include "installwizard.h"
#include "widgetmessagebox.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

const QString resourceFolder = QStringLiteral(":/InstallQuorOlma/Resources");

bool loadAndInstall(QTranslator &translator, const QString &catalogue, const QString &folder)
{
    if (!translator.load(catalogue, folder))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}

// A catalogue beside the program wins over the built-in one of the same name. A failed load
// empties the translator, hence the fresh load from the resources.
void reinstallPreferring(QTranslator &translator, const QString &catalogue, const QString &folder)
{
    QCoreApplication::removeTranslator(&translator);
    if (loadAndInstall(translator, catalogue, folder))
        jawsInstaller.addOwnPackageFile(translator.filePath()); // part of the package
    else
        loadAndInstall(translator, catalogue, resourceFolder);
}

} // namespace

int runInstaller(int &argc, char **argv, const std::function<void(InstallWizard &)> &beforeEventLoop)
{
    QApplication application(argc, argv);
#ifndef Q_OS_WIN
    // Installed before the report is opened, the first user of a message box.
    static WidgetMessageBox messageBox;
    Platform::installMessageBoxService(&messageBox);
#endif

    const QString localeName = QLocale::system().name();
    const QString toolkitCatalogue = QStringLiteral("qt_") + localeName;
    std::unique_ptr<QTranslator> toolkitTranslator(new QTranslator(&application));
    loadAndInstall(*toolkitTranslator, toolkitCatalogue, resourceFolder);

    const QString applicationCatalogue = QStringLiteral("installquorolma_") + localeName;
    std::unique_ptr<QTranslator> applicationTranslator(new QTranslator(&application));
    loadAndInstall(*applicationTranslator, applicationCatalogue, resourceFolder);

    // The report's opening lines are written under the built-in catalogues; the source folder
    // it sets is where the program-folder catalogues are looked for.
    jawsInstaller.startReport();

    reinstallPreferring(*toolkitTranslator, toolkitCatalogue, jawsInstaller.sourceFolder());
    reinstallPreferring(*applicationTranslator, applicationCatalogue, jawsInstaller.sourceFolder());

    std::unique_ptr<InstallWizard> wizard(new InstallWizard);
    wizard->show();
    QObject::connect(&application, &QGuiApplication::lastWindowClosed, &application, &QCoreApplication::quit);

    if (beforeEventLoop)
        beforeEventLoop(*wizard);
    const int result = application.exec();

    wizard.reset();
    applicationTranslator.reset();
    toolkitTranslator.reset();
    return result;
}
