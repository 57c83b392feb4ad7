#include "collectinfopage.h"

#include "globals.h"
#include "installer/devicetable.h"
#include "paths/windowspath.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// What a row shows of `path` among `paths`: the folders that tell it from the others, after the
// last folder they all share ("…\JAWS\2025" for C:\Program Files\Freedom Scientific\JAWS\2025
// beside C:\Program Files\Freedom Scientific\JAWS\10.0), so that at the page's width the
// version folders stand side by side instead of beyond the list's right edge. A single path, or
// paths with nothing in common, are shown whole.
QString differingPart(const QString &path, const QStringList &paths)
{
    if (paths.size() < 2)
        return path;
    static const QRegularExpression separator(QStringLiteral("[/\\\\]"));
    const QStringList first = paths.first().split(separator);
    qsizetype common = first.size();
    for (const QString &other : paths) {
        const QStringList folders = other.split(separator);
        qsizetype same = 0;
        // Windows names one folder whatever its case; the last folder of each path is always shown.
        while (same < common && same < folders.size() - 1 && folders.at(same).compare(first.at(same), Qt::CaseInsensitive) == 0)
            ++same;
        common = same;
    }
    // The last shared folder stays in sight, to say what the rows are folders of.
    const qsizetype hidden = common - 1;
    if (hidden <= 0)
        return path;
    qsizetype start = 0;
    for (qsizetype i = 0; i < hidden; ++i)
        start = path.indexOf(separator, start) + 1;
    return QChar(0x2026) + path.mid(start - 1);
}

// A label's text as it is spoken: the mnemonic marker dropped, a doubled "&&" kept as one "&".
QString withoutMnemonic(const QString &text)
{
    QString spoken;
    spoken.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&'))
                ++i;
            else
                continue;
        }
        spoken += text.at(i);
    }
    return spoken;
}

} // namespace

CollectInfoPage::CollectInfoPage(QWidget *parent)
    : QWizardPage(parent)
{
    setPixmap(QWizard::WatermarkPixmap, QPixmap(QStringLiteral(":/InstallQuorOlma/Resources/Quor12-40.PNG")));

    infoLabel = new QLabel(tr("Please select Jaws installation folder and your Braille device."));
    // A screen-reader user reaches the sentence with Tab and hears it.
    infoLabel->setFocusPolicy(Qt::TabFocus);

    jawsListWidget = new QListWidget;
    jawsLabel = new QLabel(tr("&Jaws folders:"));
    jawsLabel->setBuddy(jawsListWidget);
    // A buddy gives an item view its mnemonic but not its name: without one, a screen reader
    // says "list with 3 items" and the user cannot tell the two lists apart.
    jawsListWidget->setAccessibleName(withoutMnemonic(jawsLabel->text()));
    const QStringList folders = jaws.jawsFolders();
    for (const QString &folder : folders) {
        auto *item = new QListWidgetItem(differingPart(folder, folders), jawsListWidget);
        // Heard and hovered whole: a screen reader reads the path, not what fits the page.
        item->setData(Qt::AccessibleTextRole, folder);
        item->setToolTip(folder);
    }
    limitHeightToRows(jawsListWidget);
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
    devicesListWidget->setAccessibleName(withoutMnemonic(devicesLabel->text()));
    // The rows are in the order of the sections of the driver's braille.ini; not translated.
    for (const Device &device : deviceTable())
        devicesListWidget->addItem(device.listText);
    limitHeightToRows(devicesListWidget);
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

// As tall as its rows and a horizontal scroll bar, never taller: a long path scrolls instead
// of stretching the page.
void CollectInfoPage::limitHeightToRows(QListWidget *list)
{
    int height = 0;
    for (int row = 0; row < list->count(); ++row)
        height += list->visualItemRect(list->item(row)).height();
    list->setMaximumHeight(height + list->horizontalScrollBar()->height());
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
    if (now == jawsListWidget)
        announceCurrentRow(jawsListWidget);
    else if (now == devicesListWidget)
        announceCurrentRow(devicesListWidget);
}

// Raised on the list itself with the row as its child: the object a screen reader is given
// then names the row. Queued, so that it follows Qt's own focus event for the list, which
// would otherwise be the last thing the screen reader hears.
void CollectInfoPage::announceCurrentRow(QListWidget *list)
{
    QPointer<QListWidget> target(list);
    QMetaObject::invokeMethod(
        this,
        [target] {
            if (!target || !target->hasFocus())
                return;
            QAccessibleEvent event(target.data(), QAccessible::Focus);
            event.setChild(target->currentRow() < 0 ? -1 : target->currentRow());
            QAccessible::updateAccessibility(&event);
        },
        Qt::QueuedConnection);
}
