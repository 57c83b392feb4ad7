#include "toolhelp.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <climits>
#include <unistd.h>

namespace Platform {

struct Toolhelp::Private
{
    bool loaded = false;
};

Toolhelp::Toolhelp() : d(new Private) {}
Toolhelp::~Toolhelp() = default;

bool Toolhelp::load()
{
    d->loaded = QDir(QStringLiteral("/proc")).exists();
    return d->loaded;
}

void Toolhelp::unload()
{
    d->loaded = false;
}

bool Toolhelp::isLoaded() const
{
    return d->loaded;
}

QList<Toolhelp::Process> Toolhelp::processes() const
{
    QList<Process> list;
    if (!d->loaded)
        return list;
    // Each process with its executable's full path, in the order of the process numbers.
    QList<quint32> ids;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const quint32 id = entry.toUInt(&number);
        if (number)
            ids.append(id);
    }
    std::sort(ids.begin(), ids.end());
    for (quint32 id : ids) {
        const QString name = imagePath(id);
        if (!name.isEmpty())
            list.append({ id, name });
    }
    return list;
}

QString Toolhelp::imagePath(quint32 id) const
{
    if (!d->loaded)
        return QString();
    char target[PATH_MAX];
    const QByteArray link = "/proc/" + QByteArray::number(id) + "/exe";
    const ssize_t length = ::readlink(link.constData(), target, sizeof target - 1);
    return length > 0 ? QFile::decodeName(QByteArray(target, int(length))) : QString();
}

} // namespace Platform
