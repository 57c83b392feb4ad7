#include "pageparts.h"

#include "platform/messagebox.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QWizard>

namespace {

// What a row shows of `path` among `paths`: the folders that tell it from the others, after the
// last folder they all share ("…\JAWS\2025" for C:\Program Files\Freedom Scientific\JAWS\2025
// beside C:\Program Files\Freedom Scientific\JAWS\10.0), so that at the page's width the
// version folders stand side by side instead of beyond the list's right edge. A single path
// shows its last two folders ("…\JAWS\2025"); paths with nothing in common are shown whole.
QString differingPart(const QString &path, const QStringList &paths)
{
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

} // namespace

namespace PageParts {

void setWatermark(QWizardPage *page)
{
    page->setPixmap(QWizard::WatermarkPixmap, QPixmap(QStringLiteral(":/InstallQuorOlma/Resources/Quor12-40.PNG")));
}

QLabel *readableLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    label->setFocusPolicy(Qt::TabFocus);
    return label;
}

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

void fillFolderList(QListWidget *list, const QStringList &folders)
{
    for (const QString &folder : folders) {
        auto *item = new QListWidgetItem(differingPart(folder, folders), list);
        // Heard and hovered whole: a screen reader reads the path, not what fits the page.
        item->setData(Qt::AccessibleTextRole, folder);
        item->setToolTip(folder);
    }
    limitHeightToRows(list);
}

void limitHeightToRows(QListWidget *list)
{
    int height = 0;
    for (int row = 0; row < list->count(); ++row)
        height += list->visualItemRect(list->item(row)).height();
    list->setMaximumHeight(height + list->horizontalScrollBar()->height());
}

void widenToRows(QListWidget *list)
{
    const int rows = list->sizeHintForColumn(0) + 2 * list->frameWidth();
    const int limit = list->screen() ? list->screen()->availableGeometry().width() / 2 : rows;
    list->setMinimumWidth(qMin(rows, limit));
}

// Raised on the list itself with the row as its child: the object a screen reader is given
// then names the row. Queued, so that it follows Qt's own focus event for the list, which
// would otherwise be the last thing the screen reader hears.
void announceCurrentRow(QObject *context, QListWidget *list)
{
    QPointer<QListWidget> target(list);
    QMetaObject::invokeMethod(
        context,
        [target] {
            if (!target || !target->hasFocus())
                return;
            QAccessibleEvent event(target.data(), QAccessible::Focus);
            event.setChild(target->currentRow() < 0 ? -1 : target->currentRow());
            QAccessible::updateAccessibility(&event);
        },
        Qt::QueuedConnection);
}

bool warnBeforeClosingJaws(QWizard *wizard, const QString &text)
{
    Platform::showMessageBox(text, QCoreApplication::translate("PageParts", "Warning"));
    return wizard && wizard->isVisible();
}

QString finishButtonName(QWizard *wizard)
{
    return wizard ? withoutMnemonic(wizard->buttonText(QWizard::FinishButton)) : QString();
}

} // namespace PageParts
