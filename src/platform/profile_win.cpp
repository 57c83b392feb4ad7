#include "profile.h"

#include <QDir>
#include <QFileInfo>
#include <QVector>

#include <windows.h>
#include <aclapi.h>

namespace Platform {

namespace {

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

// The pieces of a buffer of NUL-separated strings that ends in two NULs.
QStringList splitList(const wchar_t *buffer, DWORD length)
{
    QStringList items;
    DWORD start = 0;
    for (DWORD i = 0; i < length; ++i) {
        if (buffer[i] == 0) {
            items.append(QString::fromWCharArray(buffer + start, int(i - start)));
            start = i + 1;
        }
    }
    if (start < length)
        items.append(QString::fromWCharArray(buffer + start, int(length - start)));
    return items;
}

// The list functions signal a buffer too small by returning its size minus two; the buffer
// grows tenfold from 4,096 characters, never to 4,194,304 or more.
template<typename Call>
QStringList readList(const Call &call)
{
    for (DWORD size = 4096; size < 4194304; size *= 10) {
        QVector<wchar_t> buffer(int(size), 0);
        const DWORD length = call(buffer.data(), size);
        if (length != size - 2)
            return splitList(buffer.data(), length);
    }
    return {};
}

QString temporaryPathFor(const QString &path)
{
    static int counter = 0;
    const QFileInfo info(path);
    return QDir::toNativeSeparators(info.absolutePath() + QLatin1Char('/') + info.fileName()
                                    + QStringLiteral(".%1-%2.tmp").arg(GetCurrentProcessId()).arg(++counter));
}

bool flushToDisk(const std::wstring &path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed;
}

// The working copy takes the original's access rules, as a replacement in place would keep them.
void copyAccessRules(const std::wstring &from, const std::wstring &to)
{
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(from.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return;
    SetNamedSecurityInfoW(const_cast<wchar_t *>(to.c_str()), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                          nullptr, dacl, nullptr);
    LocalFree(descriptor);
}

} // namespace

struct ProfileSession::Private
{
    std::wstring path;
    std::wstring working; // the working copy, made at the first change
    bool hasWorkingCopy = false;

    const std::wstring &readPath() const { return hasWorkingCopy ? working : path; }

    bool makeWorkingCopy()
    {
        if (hasWorkingCopy)
            return true;
        working = wide(temporaryPathFor(QString::fromStdWString(path)));
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            if (!CopyFileW(path.c_str(), working.c_str(), FALSE))
                return false;
            // A read-only original must not make its working copy unwritable and undeletable.
            SetFileAttributesW(working.c_str(), GetFileAttributesW(working.c_str()) & ~FILE_ATTRIBUTE_READONLY);
        } else {
            // No file yet: the folder must take one, as the system would find when it writes.
            HANDLE probe = CreateFileW(working.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (probe == INVALID_HANDLE_VALUE)
                return false;
            CloseHandle(probe);
            DeleteFileW(working.c_str());
        }
        hasWorkingCopy = true;
        return true;
    }

    void discard()
    {
        if (!hasWorkingCopy)
            return;
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, working.c_str());
        DeleteFileW(working.c_str());
        hasWorkingCopy = false;
    }
};

ProfileSession::ProfileSession(const QString &path)
    : d(new Private)
{
    d->path = wide(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

ProfileSession::~ProfileSession()
{
    d->discard();
}

QStringList ProfileSession::sectionNames()
{
    const std::wstring &file = d->readPath();
    return readList([&](wchar_t *buffer, DWORD size) { return GetPrivateProfileSectionNamesW(buffer, size, file.c_str()); });
}

QStringList ProfileSession::section(const QString &name)
{
    const std::wstring &file = d->readPath();
    const std::wstring section = wide(name);
    return readList([&](wchar_t *buffer, DWORD size) {
        return GetPrivateProfileSectionW(section.c_str(), buffer, size, file.c_str());
    });
}

QString ProfileSession::string(const QString &section, const QString &key, const QString &defaultValue)
{
    const std::wstring &file = d->readPath();
    const std::wstring s = wide(section), k = wide(key), def = wide(defaultValue);
    // Complete when the length is below the buffer size minus one; the buffer doubles from 128
    // characters while it stays below 16,384.
    for (DWORD size = 128; size < 16384; size *= 2) {
        QVector<wchar_t> buffer(int(size), 0);
        const DWORD length = GetPrivateProfileStringW(s.c_str(), k.c_str(), def.c_str(), buffer.data(), size, file.c_str());
        if (length < size - 1)
            return QString::fromWCharArray(buffer.data(), int(length));
    }
    return QString();
}

bool ProfileSession::writeSection(const QString &name, const QStringList &lines)
{
    if (!d->makeWorkingCopy())
        return false;
    std::wstring block;
    for (const QString &line : lines) {
        block += wide(line);
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return WritePrivateProfileSectionW(wide(name).c_str(), block.c_str(), d->working.c_str());
}

bool ProfileSession::writeString(const QString &section, const QString &key, const QString &value)
{
    if (!d->makeWorkingCopy())
        return false;
    return WritePrivateProfileStringW(wide(section).c_str(), wide(key).c_str(), wide(value).c_str(), d->working.c_str());
}

bool ProfileSession::commit()
{
    if (!d->hasWorkingCopy)
        return true;
    // The system may keep the working copy's content in its cache: write it out and drop it.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, d->working.c_str());
    if (GetFileAttributesW(d->working.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // Nothing was written (an empty section for a file that does not exist).
        d->hasWorkingCopy = false;
        return true;
    }
    // One rename over the original: at no instant is the file missing or half written.
    // (ReplaceFileW would keep the original's security, but Wine's moves the original away
    // first, leaving an instant without any file; the working copy has the original's
    // attributes from CopyFileW and gets its access rules here.)
    if (GetFileAttributesW(d->path.c_str()) != INVALID_FILE_ATTRIBUTES)
        copyAccessRules(d->path, d->working);
    const bool replaced = flushToDisk(d->working)
        && MoveFileExW(d->working.c_str(), d->path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        d->discard();
        return false;
    }
    d->hasWorkingCopy = false;
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, d->path.c_str());
    return true;
}

} // namespace Platform
