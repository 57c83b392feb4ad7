#include "collectinfopage.h"

#include "globals.h"
#include "installer/devicetable.h"
#include "pageparts.h"
#include "paths/windowspath.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CollectInfoPage::CollectInfoPage(QWidget *parent)
    : QWizardPage(parent)
{
    PageParts::setWatermark(this);

    infoLabel = new QLabel(tr("Please select Jaws installation folder and your Braille device."));
    // A screen-reader user reaches the sentence with Tab and hears it.
    infoLabel->setFocusPolicy(Qt::TabFocus);

    jawsListWidget = new QListWidget;
    jawsLabel = new QLabel(tr("&Jaws folders:"));
    jawsLabel->setBuddy(jawsListWidget);
    // A buddy gives an item view its mnemonic but not its name: without one, a screen reader
    // says "list with 3 items" and the user cannot tell the two lists apart.
    jawsListWidget->setAccessibleName(PageParts::withoutMnemonic(jawsLabel->text()));
    const QStringList folders = jaws.jawsFolders();
    PageParts::fillFolderList(jawsListWidget, folders);
    // An empty list can never have a current row, so a mandatory field keeps Next disabled.
    registerField(jawsListWidget->count() > 0 ? QStringLiteral("jawsPath") : QStringLiteral("jawsPath*"), jawsListWidget);

    const QString running = jaws.runningJawsFolder();
    if (running.isEmpty()) {
        if (jawsListWidget->count() > 0)
            jawsListWidget->setCurrentRow(jawsListWidget->count() - 1);
    } else {
        for (int row = 0; row < jawsListWidget->count(); ++row) {
            // The process list gives the running folder in upper case, and the registry as it
            // was written (a doubled or trailing separator): the same test as an unattended run's.
            if (WindowsPath::samePath(folders.at(row), running)) {
                jawsListWidget->setCurrentRow(row);
                break;
            }
        }
    }

    devicesListWidget = new QListWidget;
    devicesLabel = new QLabel(tr("&Braille devices:"));
    devicesLabel->setBuddy(devicesListWidget);
    devicesListWidget->setAccessibleName(PageParts::withoutMnemonic(devicesLabel->text()));
    // The rows are in the order of the sections of the driver's braille.ini; not translated.
    for (const Device &device : deviceTable())
        devicesListWidget->addItem(device.listText);
    PageParts::limitHeightToRows(devicesListWidget);
    devicesListWidget->setCurrentRow(0);
    registerField(QStringLiteral("defaultDevice"), devicesListWidget);

    auto *layout = new QVBoxLayout;
    layout->addWidget(infoLabel);
    layout->addWidget(jawsLabel);
    layout->addWidget(jawsListWidget);
    layout->addWidget(devicesLabel);
    layout->addWidget(devicesListWidget);
    layout->addStretch();
    setLayout(layout);
}

void CollectInfoPage::focusJawsList()
{
    if (jawsListWidget)
        jawsListWidget->setFocus();
}

bool CollectInfoPage::validatePage()
{
    return true;
}

void CollectInfoPage::slotFocusChanged(QWidget *old, QWidget *now)
{
    Q_UNUSED(old);
    if (!now)
        return;
    if (now == jawsListWidget || now == devicesListWidget)
        PageParts::announceCurrentRow(this, static_cast<QListWidget *>(now));
}
