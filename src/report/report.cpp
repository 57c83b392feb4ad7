#include "report.h"

#include "platform/messagebox.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

bool Report::open(const QString &path, const QString &headerLine)
{
    if (!openFile(path)) {
        warnCannotOpen(path);
        return false;
    }
    writeHeader(headerLine);
    return true;
}

void Report::openInMemory(const QString &headerLine)
{
    file.close();
    m_path.clear();
    memory.open(QIODevice::ReadWrite | QIODevice::Text);
    runStart = 0;
    stream.setDevice(&memory);
    stream.setEncoding(QStringConverter::System);
    writeHeader(headerLine);
}

void Report::openOrKeepInMemory(const QString &path, const QString &headerLine)
{
    if (openFile(path))
        writeHeader(headerLine);
    else
        openInMemory(headerLine);
}

bool Report::openFile(const QString &path)
{
    // Beside the program is often a folder that others may write (Downloads): a link planted
    // there under the report's name is not written through.
    file.close();
    m_path = path;
    if (Platform::SafeFiles::open(path, file, QIODevice::ReadWrite | QIODevice::Append | QIODevice::Text)
        != Platform::SafeFiles::Status::Done)
        return false;
    runStart = file.size();
    stream.setDevice(&file);
    stream.setEncoding(QStringConverter::System);
    return true;
}

void Report::writeHeader(const QString &headerLine)
{
    writeLine(QString());
    writeLine(separatorLine());
    const QString date = localTextDate(QDateTime::currentDateTime());
    writeLine(m_run == Run::Removal ? tr("Removal %1").arg(date) : tr("Installation %1").arg(date));
    if (!headerLine.isEmpty())
        writeLine(headerLine);
    writeLine(QString());
}

void Report::writeLine(const QString &text, bool newline)
{
    // Without a device (the file could not be opened) a stream would collect the lines in
    // memory for nothing.
    if (!stream.device())
        return;
    stream << text;
    if (newline)
        stream << Qt::endl;
    stream.flush();
}

QString Report::sectionAddedLine(const QString &section, const QString &path, bool ok)
{
    const QString text = ok ? tr("OK : [%1] section has been added to %2 file.")
                            : tr("ERROR : Unable to add [%1] section to %2 file.");
    return text.arg(section).arg(QDir::toNativeSeparators(path));
}

QString Report::tableSelectedLine(const QString &table, const QString &path, bool ok)
{
    const QString text = ok ? tr("OK : '%1' Braille table selected in %2.")
                            : tr("ERROR : Unable to select '%1' Braille table in %2.");
    return text.arg(table).arg(QDir::toNativeSeparators(path));
}

QString Report::folderCreatedLine(const QString &path, bool ok, const QString &reason)
{
    const QString text = ok ? tr("OK : %1 folder successfully created.")
                            : tr("ERROR : Unable to create %1 folder.");
    return withReason(text.arg(QDir::toNativeSeparators(path)), ok ? QString() : reason);
}

QString Report::fileCopiedLine(const QString &path, bool ok, const QString &reason)
{
    const QString text = ok ? tr("OK : %1 file successfully copied.")
                            : tr("ERROR : Unable to copy %1 file.");
    return withReason(text.arg(QDir::toNativeSeparators(path)), ok ? QString() : reason);
}

QString Report::fileSavedLine(const QString &path, bool ok, const QString &reason)
{
    const QString text = ok ? tr("OK : %1 file successfully saved.")
                            : tr("ERROR : Unable to save %1 file.");
    return withReason(text.arg(QDir::toNativeSeparators(path)), ok ? QString() : reason);
}

QString Report::fileDeletedLine(const QString &path, bool ok, const QString &reason)
{
    const QString text = ok ? tr("OK : %1 file successfully deleted.")
                            : tr("ERROR : Unable to delete %1 file.");
    return withReason(text.arg(QDir::toNativeSeparators(path)), ok ? QString() : reason);
}

QString Report::withReason(const QString &line, const QString &reason)
{
    if (reason.isEmpty())
        return line;
    // The line's own full stop gives way to the reason, which brings its own where the system
    // writes one.
    const QString stem = line.endsWith(QLatin1Char('.')) ? line.chopped(1) : line;
    return tr("%1: %2").arg(stem, reason);
}

QString Report::refusedLine(const Platform::SafeFiles::Refusal &refusal)
{
    const QString text = refusal.link ? tr("ERROR : %1 is a link: it was left as it is.")
                                      : tr("ERROR : %1 is not a plain file: it was left as it is.");
    return text.arg(QDir::toNativeSeparators(refusal.path));
}

bool Report::appendFile(const QString &path)
{
    if (!Platform::SafeFiles::nameTaken(path))
        return true;
    QFile other;
    if (Platform::SafeFiles::open(path, other, QIODevice::ReadOnly | QIODevice::Text) != Platform::SafeFiles::Status::Done) {
        warnCannotOpen(path);
        return false;
    }
    QTextStream in(&other);
    in.setEncoding(QStringConverter::System);
    writeLine(in.readAll());
    return true;
}

QString Report::fileName() const
{
    return m_path;
}

QString Report::separatorLine()
{
    return QString(79, QLatin1Char('-'));
}

QString Report::localTextDate(const QDateTime &dateTime)
{
    return QLocale::system().toString(dateTime, QStringLiteral("ddd MMM d hh:mm:ss yyyy"));
}

void Report::warnCannotOpen(const QString &path)
{
    Platform::showMessageBox(tr("Cannot open file %1.").arg(path), tr("Warning"));
}

bool Report::publication(const QString &path, QByteArray &published)
{
    const qint64 end = memory.size();
    if (!appendFile(path))
        return false;
    published = thisRun();
    if (memory.isOpen()) {
        // Another JAWS folder of the same run gets its own earlier text, not this one's.
        memory.buffer().truncate(int(end));
        memory.seek(end);
    }
    return true;
}

QByteArray Report::thisRun() const
{
    if (memory.isOpen())
        return memory.data().mid(int(runStart));
    QFile reader;
    if (!file.isOpen() || Platform::SafeFiles::open(m_path, reader, QIODevice::ReadOnly) != Platform::SafeFiles::Status::Done
        || !reader.seek(runStart))
        return QByteArray();
    return reader.readAll();
}
