#include "widgetmessagebox.h"

#include <QMessageBox>

void WidgetMessageBox::show(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box.exec();
}
