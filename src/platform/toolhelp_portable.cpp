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

QList<QByteArray> Toolhelp::processNames() const
{
    QList<QByteArray> names;
    if (!d->loaded)
        return names;
    // Each process's executable, by its full path, in the order of the process numbers.
    QList<qint64> ids;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const qint64 id = entry.toLongLong(&number);
        if (number)
            ids.append(id);
    }
    std::sort(ids.begin(), ids.end());
    for (qint64 id : ids) {
        char target[PATH_MAX];
        const QByteArray link = "/proc/" + QByteArray::number(id) + "/exe";
        const ssize_t length = ::readlink(link.constData(), target, sizeof target - 1);
        if (length > 0)
            names.append(QByteArray(target, int(length)));
    }
    return names;
}

} // namespace Platform
