#include "removalchoicepage.h"

#include "jaws/jaws.h"
#include "pageparts.h"
#include "version/jawsversion.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QListWidgetItem>
#include <QVBoxLayout>

RemovalChoicePage::RemovalChoicePage(const QStringList &folders, QWidget *parent)
    : QWizardPage(parent)
{
    PageParts::setWatermark(this);
    QLabel *infoLabel = PageParts::readableLabel(tr("Please select the Jaws installation to remove the Korvalis Braille driver from."));

    jawsListWidget = new QListWidget;
    auto *jawsLabel = new QLabel(tr("&Jaws folders:"));
    jawsLabel->setBuddy(jawsListWidget);
    jawsListWidget->setAccessibleName(PageParts::withoutMnemonic(jawsLabel->text()));
    PageParts::fillFolderList(jawsListWidget, folders);
    // The version first, as the user knows their JAWS; the row says what it shows, and the whole
    // path follows as its description.
    for (int row = 0; row < jawsListWidget->count(); ++row) {
        QListWidgetItem *item = jawsListWidget->item(row);
        const QString &folder = folders.at(row);
        const JawsVersion version = JawsVersion::ofInstallation(folder, Jaws::registryKeyOf(folder));
        if (version.isKnown())
            item->setText(tr("Jaws %1 in %2").arg(version.settingsFolderName(), item->text()));
        item->setData(Qt::AccessibleTextRole, item->text());
        item->setData(Qt::AccessibleDescriptionRole, folder);
    }
    PageParts::widenToRows(jawsListWidget);
    if (jawsListWidget->count() > 0)
        jawsListWidget->setCurrentRow(jawsListWidget->count() - 1);
    registerField(QStringLiteral("removalJawsRow"), jawsListWidget);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now == jawsListWidget)
            PageParts::announceCurrentRow(this, jawsListWidget);
    });

    auto *layout = new QVBoxLayout;
    layout->addWidget(infoLabel);
    layout->addWidget(jawsLabel);
    layout->addWidget(jawsListWidget);
    layout->addStretch();
    setLayout(layout);
}

void RemovalChoicePage::focusJawsList()
{
    jawsListWidget->setFocus();
}
