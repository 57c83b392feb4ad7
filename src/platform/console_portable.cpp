#include "console.h"

#include <cstdio>

namespace Platform {

QStringList commandLineArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

namespace {
void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

void writeStandardOutput(const QString &text)
{
    write(stdout, text);
}

void writeStandardError(const QString &text)
{
    write(stderr, text);
}

} // namespace Platform
