#pragma once

#include "platform/messagebox.h"

#include <QList>
#include <QPair>
#include <QString>

// Stands in for the message box while it lives: records each call and returns at once.
class RecordingMessageBox : public Platform::MessageBoxService
{
public:
    RecordingMessageBox() { Platform::installMessageBoxService(this); }
    ~RecordingMessageBox() override { Platform::installMessageBoxService(nullptr); }

    void show(const QString &text, const QString &caption) override { calls.append({ text, caption }); }

    QList<QPair<QString, QString>> calls; // text, caption
};
