#include "removalchoicepage.h"

#include "pageparts.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
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
