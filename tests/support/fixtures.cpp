#include "fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Fixtures {

QString path(const QString &relative)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fixtures/") + relative;
}

QByteArray read(const QString &relative)
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList list(const QString &folder)
{
    return QDir(path(folder)).entryList(QDir::Files, QDir::Name);
}

QString program(const QString &name)
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name + QStringLiteral(".exe");
#else
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
#endif
}

bool copy(const QString &relative, const QString &destination)
{
    QDir().mkpath(QFileInfo(destination).absolutePath());
    QFile::remove(destination);
    return QFile::copy(path(relative), destination);
}

} // namespace Fixtures
