#pragma once

#include <QWizard>

// The program's only window: four pages, strictly forward, driven by the keyboard.
class InstallWizard : public QWizard
{
    Q_OBJECT

public:
    enum PageId { IntroPageId = 0, CollectInfoPageId = 1, CopyFilesPageId = 2, ConclusionPageId = 3 };

    explicit InstallWizard(QWidget *parent = nullptr);

private slots:
    void slotCurrentIdChanged(int id);
};
