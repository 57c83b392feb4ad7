#pragma once

#include <QString>
#include <QStringList>

class QLabel;
class QListWidget;
class QObject;
class QWizard;
class QWizardPage;

// What the pages of both wizards share, so that they look, sound and move alike: the picture,
// the sentences a screen-reader user reaches with Tab, the lists of JAWS folders and the
// warning before JAWS is closed.
namespace PageParts {

// The driver's picture at the page's left.
void setWatermark(QWizardPage *page);
// A sentence that Tab reaches and a screen reader reads; long ones wrap to the page.
QLabel *readableLabel(const QString &text = QString());
// A label's text as it is spoken: the mnemonic marker dropped, a doubled "&&" kept as one "&".
QString withoutMnemonic(const QString &text);
// One row per folder, showing what tells it from the others, heard and hovered whole, no taller
// than its rows.
void fillFolderList(QListWidget *list, const QStringList &folders);
// As tall as its rows and a horizontal scroll bar, never taller: a long path scrolls instead
// of stretching the page.
void limitHeightToRows(QListWidget *list);
// As wide as its widest row, up to half the screen: rows that are short by construction are
// never cut at the list's right edge, whatever width the wizard's pages give it.
void widenToRows(QListWidget *list);
// Tells a screen reader the list's current row, after Qt's own focus event for the list.
void announceCurrentRow(QObject *context, QListWidget *list);
// The warning a user gets before JAWS is closed. False when the wizard went away meanwhile:
// the work is not wanted any more, and JAWS must stay.
bool warnBeforeClosingJaws(QWizard *wizard, const QString &text);
// The Finish button's text as it is spoken, for the last page's sentence that names it.
QString finishButtonName(QWizard *wizard);

} // namespace PageParts
