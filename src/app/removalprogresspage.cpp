#include "removalprogresspage.h"

#include "pageparts.h"
#include "removalwizard.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

RemovalProgressPage::RemovalProgressPage(QWidget *parent)
    : QWizardPage(parent)
{
    PageParts::setWatermark(this);
    progressBar = new QProgressBar(this);
    infoLabel = PageParts::readableLabel(tr("Removal in progress..."));
    infoLabel->setBuddy(progressBar);
    currentItemLabel = new QLabel;
    // Long paths break at their spaces instead of being cut off at the page's edge.
    currentItemLabel->setWordWrap(true);

    auto *layout = new QVBoxLayout;
    layout->addWidget(infoLabel);
    layout->addWidget(currentItemLabel);
    layout->addWidget(progressBar);
    setLayout(layout);
}

Removal &RemovalProgressPage::removal() const
{
    return static_cast<RemovalWizard *>(wizard())->removal();
}

void RemovalProgressPage::initializePage()
{
    if (wizard()->button(QWizard::BackButton))
        wizard()->button(QWizard::BackButton)->setEnabled(false);
    Removal &removal = this->removal();
    connect(&removal, &Removal::currentItem, currentItemLabel, &QLabel::setText);
    connect(&removal, &Removal::progressMaximum, progressBar, &QProgressBar::setMaximum);
    connect(&removal, &Removal::progressValue, progressBar, &QProgressBar::setValue);
    connect(&removal, &Removal::finished, this, &RemovalProgressPage::removalFinished);
    removal.setBeforeClosingJaws([this] { warnBeforeClosingJaws(); });
    progressBar->setValue(0);
    QTimer::singleShot(0, this, &RemovalProgressPage::startRemoval);
}

void RemovalProgressPage::startRemoval()
{
    if (started || finished)
        return;
    started = true;
    removal().start();
}

void RemovalProgressPage::cancelRemoval()
{
    removal().cancel();
    // Asked before the removal began: it never starts, and the page moves on itself.
    if (!started) {
        started = true;
        QTimer::singleShot(0, this, &RemovalProgressPage::removalFinished);
    }
}

void RemovalProgressPage::warnBeforeClosingJaws()
{
    // Closed while the warning was up: the removal is not wanted, JAWS stays.
    if (!PageParts::warnBeforeClosingJaws(wizard(), tr("Jaws will be closed while the driver is removed. It will be automatically restarted.")))
        removal().cancel();
}

void RemovalProgressPage::removalFinished()
{
    if (finished)
        return;
    finished = true;
    if (removal().state() == Removal::State::Done)
        infoLabel->setText(tr("Removal finished."));
    emit completeChanged();
    if (wizard() && wizard()->isVisible())
        wizard()->next();
}
