#pragma once

#include <QWizardPage>

class QListWidget;

// Which JAWS installation to remove the driver from, when none was named: those that hold an
// install record, the last one chosen. Its row is the field "removalJawsRow".
class RemovalChoicePage : public QWizardPage
{
    Q_OBJECT

public:
    explicit RemovalChoicePage(const QStringList &folders, QWidget *parent = nullptr);

    void focusJawsList();

private:
    QListWidget *jawsListWidget;
};
