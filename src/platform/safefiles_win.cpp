#include "safefiles.h"

#include "paths/windowspath.h"
#include "platform/longpath_win.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <windows.h>

#include <io.h>
#include <fcntl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace Platform {

qsizetype trustedRootLength(const QString &path, bool below);

namespace {

class Handle
{
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE)
        : m_handle(handle)
    {
    }
    Handle(Handle &&other) noexcept
        : m_handle(other.m_handle)
    {
        other.m_handle = INVALID_HANDLE_VALUE;
    }
    Handle &operator=(Handle &&other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    ~Handle() { reset(); }
    void reset(HANDLE handle = INVALID_HANDLE_VALUE)
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
        m_handle = handle;
    }
    HANDLE get() const { return m_handle; }
    HANDLE release()
    {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return handle;
    }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

enum class Walk { Ok, Missing, Refused, Failed };

// What a walk came to, and the system's error when it failed or found a name missing.
struct Walked
{
    Walk walk = Walk::Ok;
    DWORD error = 0;
};

Walked failedWith(DWORD error)
{
    return { error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Walk::Missing : Walk::Failed, error };
}

SafeFiles::Result done()
{
    return SafeFiles::Result(SafeFiles::Status::Done);
}

SafeFiles::Result refused()
{
    return SafeFiles::Result(SafeFiles::Status::Refused);
}

// A failure the system gave, with its reason: taken right after the call that failed.
SafeFiles::Result failed(DWORD error = GetLastError())
{
    return SafeFiles::Result(SafeFiles::Status::Failed, int(error));
}

SafeFiles::Result resultOf(const Walked &walked)
{
    return walked.walk == Walk::Refused ? refused() : failed(walked.error);
}

QString cleanAbsolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
}

void refuse(SafeFiles::Refusal *refusal, const QString &path, bool link)
{
    if (refusal)
        *refusal = { QDir::toNativeSeparators(path), link };
}

struct Kind
{
    bool ok = false;
    bool reparse = false; // a name surrogate: a junction, a symbolic link, anything that names elsewhere
    bool folder = false;
};

// What the handle is, by the handle: a name cannot be swapped under it. Only reparse points that
// stand for another name redirect; others (a cloud file's placeholder, a deduplicated file) are
// the file itself.
Kind kindOf(HANDLE handle)
{
    FILE_ATTRIBUTE_TAG_INFO info = {};
    if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info))
        return {};
    const bool surrogate = (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(info.ReparseTag);
    return { true, surrogate, (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 };
}

// The name the system gives the object behind a handle, comparable with WindowsPath.
QString finalPath(HANDLE handle)
{
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(handle, buffer.data(), DWORD(buffer.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return QString();
        if (length < buffer.size())
            return QString::fromWCharArray(buffer.data(), int(length));
        buffer.resize(length + 1);
    }
}

// A folder or file opened for walking or working: never through a reparse point at its own
// name, and without FILE_SHARE_DELETE, so that nobody renames or replaces it while it is open.
Handle openName(const QString &clean, DWORD access, DWORD disposition, DWORD flags)
{
    return Handle(CreateFileW(longPath(clean).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                              flags | FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

constexpr DWORD folderAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;

// The folders from the path's trusted root down, each opened and checked by its handle, and
// kept open until the work is done.
struct Chain
{
    std::vector<Handle> folders;
    QString leaf; // the clean path of the last name
    QString parentFinal;
};

Walked walk(const QString &path, bool allFolders, bool create, Chain *chain, SafeFiles::Refusal *refusal, QStringList *made = nullptr)
{
    const QString clean = cleanAbsolute(path);
    const qsizetype rootLength = trustedRootLength(clean, !allFolders);
    if (rootLength <= 0)
        return { Walk::Failed, ERROR_BAD_PATHNAME };
    QString walked = clean.left(rootLength);
    // The root as it is named, followed wherever it leads: it is trusted.
    Handle root(CreateFileW(longPath(walked).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!root.valid())
        return failedWith(GetLastError());
    QString final = finalPath(root.get());
    chain->folders.push_back(std::move(root));
    const QStringList names = clean.mid(rootLength).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!allFolders && names.isEmpty())
        return { Walk::Failed, ERROR_DIRECTORY }; // a root is never a file to work on
    const qsizetype folders = allFolders ? names.size() : names.size() - 1;
    for (qsizetype i = 0; i < folders; ++i) {
        if (!walked.endsWith(QLatin1Char('/')))
            walked += QLatin1Char('/');
        walked += names.at(i);
        // FILE_LIST_DIRECTORY takes part in sharing, so that the share mode without
        // FILE_SHARE_DELETE keeps the folder from being renamed or deleted while it is held; a
        // handle asking for its attributes alone would not.
        Handle folder = openName(walked, folderAccess, OPEN_EXISTING, 0);
        if (!folder.valid() && create && (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND)) {
            if (CreateDirectoryW(longPath(walked).c_str(), nullptr)) {
                if (made)
                    *made << QDir::toNativeSeparators(walked);
            } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
                return failedWith(GetLastError());
            }
            folder = openName(walked, folderAccess, OPEN_EXISTING, 0);
        }
        if (!folder.valid())
            return failedWith(GetLastError());
        const Kind kind = kindOf(folder.get());
        if (!kind.ok)
            return failedWith(GetLastError());
        if (kind.reparse || !kind.folder) {
            refuse(refusal, walked, kind.reparse);
            return { Walk::Refused, 0 };
        }
        // A folder that was empty could have become a mount point between its open and its
        // check: its final name tells where the walk really is.
        const QString folderFinal = finalPath(folder.get());
        if (!final.isEmpty() && !folderFinal.isEmpty()
            && !WindowsPath::samePath(folderFinal, final + QLatin1Char('\\') + names.at(i))) {
            refuse(refusal, walked, true);
            return { Walk::Refused, 0 };
        }
        final = folderFinal;
        chain->folders.push_back(std::move(folder));
    }
    chain->parentFinal = final;
    if (!allFolders)
        chain->leaf = clean;
    return {};
}

// Whether the file behind `handle` is the one of that name in the walked folder, not one
// reached through a link made after the walk.
bool inItsFolder(const Chain &chain, HANDLE handle)
{
    const QString final = finalPath(handle);
    return chain.parentFinal.isEmpty() || final.isEmpty()
        || WindowsPath::samePath(final, chain.parentFinal + QLatin1Char('\\') + QFileInfo(chain.leaf).fileName());
}

bool writeAll(HANDLE handle, QByteArrayView bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        DWORD n = 0;
        const DWORD chunk = DWORD(qMin<qsizetype>(bytes.size() - written, 1 << 24));
        if (!WriteFile(handle, bytes.data() + written, chunk, &n, nullptr))
            return false;
        if (n == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        written += n;
    }
    return true;
}

// Deletes what the handle is open on, by the handle.
bool deleteByHandle(HANDLE handle)
{
    FILE_DISPOSITION_INFO disposition = { TRUE };
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition);
}

} // namespace

QString SafeFiles::errorText(int error)
{
    // English where the system has it, as the example texts of Windows' documentation read;
    // else in the system's own language.
    for (const DWORD language : { DWORD(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)), DWORD(0) }) {
        wchar_t *text = nullptr;
        const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                            nullptr, DWORD(error), language, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
        if (length > 0 && text) {
            const QString message = QString::fromWCharArray(text, int(length)).trimmed();
            LocalFree(text);
            if (!message.isEmpty())
                return message;
        }
    }
    return QStringLiteral("error %1").arg(error);
}

QString SafeFiles::linkOnTheWay(const QString &path)
{
    Chain chain;
    Refusal refusal;
    const Walked walked = walk(path, false, false, &chain, &refusal);
    if (walked.walk == Walk::Refused)
        return refusal.path;
    if (walked.walk != Walk::Ok)
        return QString();
    Handle file = openName(chain.leaf, FILE_READ_ATTRIBUTES, OPEN_EXISTING, 0);
    const Kind kind = file.valid() ? kindOf(file.get()) : Kind();
    return kind.reparse ? QDir::toNativeSeparators(chain.leaf) : QString();
}

bool SafeFiles::nameTaken(const QString &path)
{
    Chain chain;
    const Walked walked = walk(path, false, false, &chain, nullptr);
    if (walked.walk == Walk::Refused)
        return true;
    return walked.walk == Walk::Ok && GetFileAttributesW(longPath(chain.leaf).c_str()) != INVALID_FILE_ATTRIBUTES;
}

SafeFiles::Result SafeFiles::read(const QString &path, QByteArray *bytes, Refusal *refusal)
{
    Chain chain;
    const Walked walked = walk(path, false, false, &chain, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    Handle file = openName(chain.leaf, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file.valid())
        return failed();
    const Kind kind = kindOf(file.get());
    if (!kind.ok)
        return failed();
    if (kind.reparse || kind.folder || GetFileType(file.get()) != FILE_TYPE_DISK || !inItsFolder(chain, file.get())) {
        refuse(refusal, chain.leaf, !kind.folder);
        return refused();
    }
    LARGE_INTEGER size = {};
    GetFileSizeEx(file.get(), &size);
    QByteArray content(qsizetype(qMax<LONGLONG>(size.QuadPart, 0)) + 1, Qt::Uninitialized);
    qsizetype total = 0;
    for (;;) {
        if (total == content.size())
            content.resize(content.size() * 2);
        DWORD n = 0;
        if (!ReadFile(file.get(), content.data() + total, DWORD(qMin<qsizetype>(content.size() - total, 1 << 24)), &n, nullptr))
            return failed();
        if (n == 0)
            break;
        total += n;
    }
    content.resize(total);
    *bytes = content;
    return done();
}

SafeFiles::Result SafeFiles::createNew(const QString &path, QByteArrayView bytes, const QString &, Refusal *refusal)
{
    // The new file takes the rights its folder gives, as every file the program makes there.
    Chain chain;
    const Walked walked = walk(path, false, false, &chain, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    // CREATE_NEW: a name that exists, a link included, is never written through.
    Handle file(CreateFileW(longPath(chain.leaf).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid())
        return failed();
    if (!inItsFolder(chain, file.get())) {
        deleteByHandle(file.get());
        refuse(refusal, chain.leaf, true);
        return refused();
    }
    if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
        const DWORD error = GetLastError();
        deleteByHandle(file.get());
        return failed(error);
    }
    return done();
}

SafeFiles::Result SafeFiles::replace(const QString &path, const std::function<bool(QIODevice &)> &write, Refusal *refusal)
{
    Chain chain;
    const Walked walked = walk(path, false, false, &chain, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    Handle old = openName(chain.leaf, FILE_READ_ATTRIBUTES, OPEN_EXISTING, 0);
    if (old.valid()) {
        const Kind kind = kindOf(old.get());
        if (!kind.ok)
            return failed();
        if (kind.reparse || kind.folder) {
            refuse(refusal, chain.leaf, kind.reparse);
            return refused();
        }
        old.reset(); // the rename below needs the name free of our own handle
    }
    const QString folder = QFileInfo(chain.leaf).absolutePath();
    QString temporary;
    Handle file;
    for (int attempt = 0; attempt < 16 && !file.valid(); ++attempt) {
        temporary = folder + QStringLiteral("/.iqo") + QString::number(QRandomGenerator::system()->generate64(), 16) + QStringLiteral(".tmp");
        file.reset(CreateFileW(longPath(temporary).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!file.valid() && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return failed();
    }
    if (!file.valid())
        return failed(ERROR_FILE_EXISTS);
    bool ok = inItsFolder(Chain{ {}, temporary, chain.parentFinal }, file.get());
    // What the writer failed on is the device's to say, not the system's: no code then.
    DWORD error = 0;
    if (ok) {
        // The device writes through a descriptor of its own; the handle stays ours.
        HANDLE duplicate = INVALID_HANDLE_VALUE;
        ok = DuplicateHandle(GetCurrentProcess(), file.get(), GetCurrentProcess(), &duplicate, 0, FALSE, DUPLICATE_SAME_ACCESS);
        const int descriptor = ok ? _open_osfhandle(intptr_t(duplicate), _O_WRONLY | _O_BINARY) : -1;
        if (ok && descriptor < 0) {
            CloseHandle(duplicate);
            ok = false;
        }
        if (ok) {
            QFile device;
            ok = device.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) && write(device) && device.flush();
            if (!device.isOpen())
                _close(descriptor);
        }
    }
    if (ok) {
        ok = FlushFileBuffers(file.get());
        error = ok ? 0 : GetLastError();
    }
    // Renamed by its handle, not by its name: nothing put in the temporary file's place meanwhile
    // is moved. The rename replaces the name itself, never what a link of that name points to.
    if (ok) {
        const std::wstring target = longPath(chain.leaf);
        std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t));
        auto *rename = reinterpret_cast<FILE_RENAME_INFO *>(buffer.data());
        rename->ReplaceIfExists = TRUE;
        rename->RootDirectory = nullptr;
        rename->FileNameLength = DWORD(target.size() * sizeof(wchar_t));
        memcpy(rename->FileName, target.c_str(), target.size() * sizeof(wchar_t));
        ok = SetFileInformationByHandle(file.get(), FileRenameInfo, rename, DWORD(buffer.size()));
        error = ok ? 0 : GetLastError();
    }
    if (!ok) {
        deleteByHandle(file.get());
        return failed(error);
    }
    return done();
}

SafeFiles::Result SafeFiles::remove(const QString &path, Refusal *refusal)
{
    Chain chain;
    const Walked walked = walk(path, false, false, &chain, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    Handle file(CreateFileW(longPath(chain.leaf).c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
        return failed();
    const Kind kind = kindOf(file.get());
    if (!kind.ok)
        return failed();
    if (kind.reparse || kind.folder || !inItsFolder(chain, file.get())) {
        refuse(refusal, chain.leaf, !kind.folder);
        return refused();
    }
    // A read-only file is deleted as well: the program removes only what it put there.
    FILE_BASIC_INFO basic = {};
    if (GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic) && (basic.FileAttributes & FILE_ATTRIBUTE_READONLY)) {
        basic.FileAttributes = (basic.FileAttributes & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL;
        SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof basic);
    }
    return deleteByHandle(file.get()) ? done() : failed();
}

SafeFiles::Result SafeFiles::makeFolders(const QString &path, QStringList *made, Refusal *refusal)
{
    Chain chain;
    const Walked walked = walk(path, true, true, &chain, refusal, made);
    return walked.walk == Walk::Ok ? done() : resultOf(walked);
}

SafeFiles::Result SafeFiles::removeEmptyFolder(const QString &path, Refusal *refusal)
{
    Chain chain;
    const Walked walked = walk(path, false, false, &chain, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    Handle folder(CreateFileW(longPath(chain.leaf).c_str(), DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.valid())
        return failed();
    const Kind kind = kindOf(folder.get());
    if (!kind.ok)
        return failed();
    if (kind.reparse || !kind.folder || !inItsFolder(chain, folder.get())) {
        refuse(refusal, chain.leaf, kind.folder);
        return refused();
    }
    // The system deletes only an empty folder this way.
    return deleteByHandle(folder.get()) ? done() : failed();
}

SafeFiles::Result SafeFiles::open(const QString &path, QFile &file, QIODevice::OpenMode mode, Refusal *refusal)
{
    Chain chain;
    const Walked walked = walk(path, false, false, &chain, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    const bool adding = mode & QIODevice::Append;
    const bool making = !adding && (mode & QIODevice::NewOnly);
    const bool rewriting = !adding && !making && (mode & QIODevice::WriteOnly);
    const bool writing = making || rewriting;
    // CREATE_NEW: a name that exists, a link included, is never written through.
    Handle opened(CreateFileW(longPath(chain.leaf).c_str(),
                              adding ? GENERIC_READ | FILE_APPEND_DATA : making ? GENERIC_WRITE | DELETE : rewriting ? GENERIC_WRITE : GENERIC_READ,
                              FILE_SHARE_READ | (adding || writing ? 0 : FILE_SHARE_WRITE), nullptr,
                              adding ? OPEN_ALWAYS : making ? CREATE_NEW : OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!opened.valid())
        return failed();
    const Kind kind = kindOf(opened.get());
    if (!kind.ok)
        return failed();
    if (kind.reparse || kind.folder || GetFileType(opened.get()) != FILE_TYPE_DISK || !inItsFolder(chain, opened.get())) {
        if (making)
            deleteByHandle(opened.get()); // made through a link after the walk: it goes again
        refuse(refusal, chain.leaf, kind.reparse);
        return refused();
    }
    if (rewriting) {
        FILE_END_OF_FILE_INFO end = {};
        if (!SetFileInformationByHandle(opened.get(), FileEndOfFileInfo, &end, sizeof end))
            return failed();
    }
    const int descriptor = _open_osfhandle(intptr_t(opened.get()),
                                           (adding ? _O_RDWR | _O_APPEND : writing ? _O_WRONLY : _O_RDONLY) | _O_BINARY);
    if (descriptor < 0)
        return failed(ERROR_TOO_MANY_OPEN_FILES); // the runtime's table of descriptors is full
    opened.release();
    // NewOnly has done its part in the open above; Qt would check the name again.
    if (!file.open(descriptor, mode & ~QIODevice::NewOnly, QFileDevice::AutoCloseHandle)) {
        _close(descriptor);
        return failed(0);
    }
    return done();
}

SafeFiles::Result SafeFiles::openSource(const QString &path, QFile &file, Refusal *refusal)
{
    // No folder of Windows holds a named pipe.
    return open(path, file, QIODevice::ReadOnly, refusal);
}

SafeFiles::Result SafeFiles::rename(const QString &from, const QString &to, Refusal *refusal)
{
    // Both chains of folders stay held, without FILE_SHARE_DELETE, until the name has moved:
    // neither can be swapped for a junction between the checks and the move.
    Chain fromChain;
    Walked walked = walk(from, false, false, &fromChain, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    Chain toChain;
    walked = walk(to, false, false, &toChain, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    bool folder = false;
    {
        Handle moved = openName(fromChain.leaf, FILE_READ_ATTRIBUTES, OPEN_EXISTING, 0);
        if (!moved.valid())
            return failed();
        const Kind kind = kindOf(moved.get());
        if (!kind.ok)
            return failed();
        if (kind.reparse || !inItsFolder(fromChain, moved.get())) {
            refuse(refusal, fromChain.leaf, true);
            return refused();
        }
        folder = kind.folder;
    } // the move needs the name free of our own handle
    // By name, as the system's own move is made: it replaces the name `to` itself, never what a
    // link of that name points to, and writes the change through to the disk where it replaces
    // a file, so that after a power cut the name holds the old file or the new one.
    const std::wstring target = longPath(toChain.leaf);
    // A folder replaces nothing: the system takes no replacing move for one.
    DWORD flags = folder ? 0 : MOVEFILE_REPLACE_EXISTING;
    if (!folder && GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES)
        flags |= MOVEFILE_WRITE_THROUGH;
    return MoveFileExW(longPath(fromChain.leaf).c_str(), target.c_str(), flags) ? done() : failed();
}

SafeFiles::Result SafeFiles::makeOwnFolder(const QString &path, Refusal *refusal)
{
    Chain chain;
    const Walked walked = walk(path, false, false, &chain, refusal);
    if (walked.walk != Walk::Ok)
        return resultOf(walked);
    const std::wstring name = longPath(chain.leaf);
    if (CreateDirectoryW(name.c_str(), nullptr))
        // Hidden, as its dot hides it elsewhere: should a killed run leave it, no listing of
        // the folder's own folders takes it for one of them.
        SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_HIDDEN);
    else if (GetLastError() != ERROR_ALREADY_EXISTS)
        return failed();
    // Only a plain folder: a link or junction planted under that name would lead elsewhere.
    Handle folder = openName(chain.leaf, folderAccess, OPEN_EXISTING, 0);
    if (!folder.valid())
        return failed();
    const Kind kind = kindOf(folder.get());
    if (!kind.ok)
        return failed();
    if (kind.reparse || !kind.folder || !inItsFolder(chain, folder.get())) {
        refuse(refusal, chain.leaf, kind.reparse || kind.folder);
        return refused();
    }
    return done();
}

} // namespace Platform
