// Runs the real program and drives it with the keyboard as a user does: Enter on the intro
// page, arrows in the two lists, Enter to install, then Finish; or Cancel as soon as the copy
// has begun. Prints what the user is told and met. The installation tests lay it into a package
// folder, so that the program's folder is the package's, as on a user's machine.
//   IQO_PROBE_JAWS_ROW    row of the JAWS folder list to choose (default: as preselected)
//   IQO_PROBE_DEVICE_ROW  row of the display list (default 1)
//   IQO_PROBE_CANCEL      "start": press Cancel as soon as the copy page is shown;
//                         "progress": at the first sign of progress
//   IQO_PROBE_NO_ROW      set: no JAWS row chosen (the field set to -1 before page 2)
//   IQO_PROBE_KEYS        keys ("Return", "Escape", comma-separated) pressed on the wizard one
//                         by one while JAWS is being closed, from the warning on
//   IQO_PROBE_JAWS_WINDOW set: JAWS's window is played in the program (where no real one can
//                         be), and goes when asked to close; a number: the process it belongs to
//   IQO_PROBE_ESCAPE_AT_BOX set: Escape is pressed on the wizard's page while the warning is up
// Arguments are the program's own: with --unattended, the run without the wizard; with --remove
// alone, the removal's wizard, which the probe drives with Enter alone, telling where the focus
// is on each page and what the plan and the last page say.
#include "globals.h"
#include "installerapplication.h"
#include "installwizard.h"
#include "platform/messagebox.h"
#include "platform/windowsystem.h"
#include "removalwizard.h"
#include "support/scriptedwindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

void print(const char *key, const QString &value)
{
    std::printf("%s=%s\n", key, value.toUtf8().constData());
    std::fflush(stdout);
}

QWidget *theWizard = nullptr; // the InstallWizard

// The keys of IQO_PROBE_KEYS, each a little after the one before: they reach the wizard while
// the installation closes JAWS, which lets events run.
void pressKeysWhileJawsCloses()
{
    const QStringList keys = qEnvironmentVariable("IQO_PROBE_KEYS").split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i < keys.size(); ++i) {
        const Qt::Key key = keys.at(i) == QLatin1String("Escape") ? Qt::Key_Escape : Qt::Key_Return;
        QTimer::singleShot(300 * (i + 1), theWizard, [key, name = keys.at(i)] {
            const QString braille = QStringLiteral("Freedom_Scientific_fsBraille");
            const bool running = Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")) != 0
                || Platform::windowSystem().findWindow(braille, braille) != 0;
            print("keyPressed", name);
            print("jawsWindowsAtKey", QString::number(running));
            // As pressed on the page's text, where a screen-reader user is while the copy page
            // starts; the page passes them on to the wizard, as any key it does not use.
            auto *wizard = static_cast<QWizard *>(theWizard);
            QTest::keyClick(wizard->currentPage() ? static_cast<QWidget *>(wizard->currentPage()) : theWizard, key);
        });
    }
}

// Never blocks: records the box, and whether JAWS was still there when it came up.
class PrintingMessageBox : public Platform::MessageBoxService
{
public:
    void show(const QString &text, const QString &caption) override
    {
        print("box", caption + QLatin1Char('|') + text);
        const bool running = Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")) != 0;
        print("jawsRunningAtBox", QString::number(running));
        if (qEnvironmentVariableIsSet("IQO_PROBE_ESCAPE_AT_BOX")) {
            auto *wizard = static_cast<QWizard *>(theWizard);
            QTest::keyClick(wizard->currentPage() ? static_cast<QWidget *>(wizard->currentPage()) : theWizard, Qt::Key_Escape);
        }
        pressKeysWhileJawsCloses();
    }
};

int envInt(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

void later(QObject *context, const std::function<void()> &step)
{
    QTimer::singleShot(50, context, step);
}

void choose(QListWidget *list, int row)
{
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < row; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

// What a screen reader is given for the focused widget: a sentence's text, else its name.
QString describe(QWidget *widget)
{
    if (!widget)
        return QStringLiteral("<none>");
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    return widget->accessibleName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : widget->accessibleName();
}

void printSentences(QWizard &wizard)
{
    const QList<QLabel *> labels = wizard.currentPage()->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (!label->text().isEmpty() && label->focusPolicy() == Qt::TabFocus)
            print("sentence", label->text());
    }
    print("reportPath", jawsInstaller.runReport().reportPath());
}

void removalPageShown(RemovalWizard &wizard, int id)
{
    if (id < 0)
        return;
    print("page", QString::number(id));
    if (id == RemovalWizard::ProgressPageId)
        return; // it moves on by itself
    later(&wizard, [&wizard, id] {
        print("focus", describe(QApplication::focusWidget()));
        if (id == RemovalWizard::PlanPageId) {
            print("heading", wizard.currentPage()->findChild<QLabel *>()->text());
            print("plan", wizard.currentPage()->findChild<QPlainTextEdit *>()->toPlainText().replace(QLatin1Char('\n'), QLatin1Char('|')));
        } else if (id == RemovalWizard::ConclusionPageId) {
            printSentences(wizard);
        }
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget *>(&wizard), Qt::Key_Return);
    });
}

} // namespace

int main(int argc, char *argv[])
{
    static PrintingMessageBox messageBox;
    std::unique_ptr<ScriptedWindows> jawsWindow;
    if (qEnvironmentVariableIsSet("IQO_PROBE_JAWS_WINDOW")) {
        jawsWindow = std::make_unique<ScriptedWindows>();
        jawsWindow->add(QStringLiteral("JFWUI2"), QStringLiteral("JAWS"), {}, qEnvironmentVariableIntValue("IQO_PROBE_JAWS_WINDOW"));
        jawsWindow->onClose = [&jawsWindow](Platform::WindowHandle window) { jawsWindow->close(window); };
    }
    const int result = runInstaller(argc, argv, [](QWizard &wizard) {
        Platform::installMessageBoxService(&messageBox);
        theWizard = &wizard;
        if (auto *removal = qobject_cast<RemovalWizard *>(&wizard)) {
            QObject::connect(removal, &QWizard::currentIdChanged, removal, [removal](int id) { removalPageShown(*removal, id); });
            // Shown already: its first page came before the probe was called.
            removalPageShown(*removal, removal->currentId());
            return;
        }
        QObject::connect(&wizard, &QWizard::currentIdChanged, &wizard, [&wizard](int id) {
            if (id >= 0) // -1 as the wizard closes
                print("page", QString::number(id));
            if (id == InstallWizard::CollectInfoPageId) {
                later(&wizard, [&wizard] {
                    const QList<QListWidget *> lists = wizard.currentPage()->findChildren<QListWidget *>();
                    print("focusInJawsList", QString::number(QApplication::focusWidget() == lists.value(0)));
                    if (qEnvironmentVariableIsSet("IQO_PROBE_JAWS_ROW"))
                        choose(lists.value(0), envInt("IQO_PROBE_JAWS_ROW", 0));
                    QTest::keyClick(&wizard, Qt::Key_B, Qt::AltModifier);
                    choose(lists.value(1), envInt("IQO_PROBE_DEVICE_ROW", 1));
                    if (qEnvironmentVariableIsSet("IQO_PROBE_NO_ROW"))
                        lists.value(0)->setCurrentRow(-1);
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                });
            } else if (id == InstallWizard::CopyFilesPageId) {
                const QString cancel = qEnvironmentVariable("IQO_PROBE_CANCEL");
                if (cancel == QLatin1String("start")) {
                    // The page has started the worker before it is shown.
                    print("cancelAt", QStringLiteral("0"));
                    wizard.button(QWizard::CancelButton)->click();
                } else if (cancel == QLatin1String("progress")) {
                    // The first progress that reaches the page: the copy is under way.
                    auto *bar = wizard.currentPage()->findChild<QProgressBar *>();
                    QObject::connect(bar, &QProgressBar::valueChanged, &wizard, [&wizard](int value) {
                        if (value > 0 && wizard.isVisible()) {
                            print("cancelAt", QString::number(value));
                            wizard.button(QWizard::CancelButton)->click();
                        }
                    });
                } else if (qEnvironmentVariableIsSet("IQO_PROBE_NO_ROW")) {
                    later(&wizard, [&wizard] {
                        print("nextEnabled", QString::number(wizard.button(QWizard::NextButton)->isEnabled()));
                        print("infoText", wizard.currentPage()->findChild<QLabel *>()->text());
                        wizard.button(QWizard::CancelButton)->click();
                    });
                }
            } else if (id == InstallWizard::ConclusionPageId) {
                later(&wizard, [&wizard] {
                    printSentences(wizard);
                    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &wizard, Qt::Key_Return);
                });
            }
        });
        later(&wizard, [&wizard] { QTest::keyClick(&wizard, Qt::Key_Return); });
    });
    print("exit", QString::number(result));
    return result;
}
