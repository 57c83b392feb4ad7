#include "intropage.h"

#include "globals.h"
#include "pageparts.h"
#include "version/fileversionreader.h"

#include <QDir>
#include <QLabel>
#include <QVBoxLayout>

IntroPage::IntroPage(QWidget *parent)
    : QWizardPage(parent)
{
    PageParts::setWatermark(this);

    const QString driverPath = jawsInstaller.package().folder() + QDir::separator() + InstallPackage::driverFileName();
    const QString version = FileVersionReader::dottedFileVersion(driverPath, QStringLiteral("000004b0"));

    infoLabel = new QLabel(tr("This wizard will install the QuorOlma Braille driver %1.\n\n"
                              "The driver is compatible with:\n"
                              "- Quor range of products\n"
                              "- Olma range of products (firmware version 1.71 or higher).\n\n"
                              "Use the Tab key to go to the next button.")
                               .arg(version));
    infoLabel->setWordWrap(true);
    // A screen-reader user reaches the paragraph with Tab and hears it read.
    infoLabel->setFocusPolicy(Qt::TabFocus);

    auto *layout = new QVBoxLayout;
    layout->addWidget(infoLabel);
    setLayout(layout);
}
