// The program as Windows starts it. Windows looks for a program's imported DLLs in the program's
// folder before System32, and the program often runs elevated from a folder that others may write
// (Downloads): a version.dll put there would run with administrator rights. So the program
// itself lives in a DLL, and this launcher, which imports only Known DLLs (kernel32, msvcrt;
// Windows never takes those from the program's folder), first narrows the search to System32,
// then loads the program's own DLLs by their full paths, each after the DLLs it imports. A
// system DLL (by the list the package is checked against) is then found in System32 only, and
// ours are already loaded when a DLL imports them by name.
//
// The program's own DLLs are taken from the launcher's folder, or, when one is not there (the
// build tree, where Qt's DLLs stay in Qt's folder), from an absolute folder on PATH. No name is
// ever looked for in the current folder.
#include "common/exitcodes.h"

#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

const wchar_t programLibrary[] = L"InstallQuorOlmaApp.dll";
const char programEntry[] = "iqoRunProgram";

// Generated from the list the package's imports are checked against.
const wchar_t *const systemDlls[] = { IQO_SYSTEM_DLL_NAMES };

const int maxModules = 64;
const int maxDepth = 16;

wchar_t programFolder[MAX_PATH];
wchar_t failure[2 * MAX_PATH + 200];

bool sameTextIgnoringCase(const wchar_t *a, const wchar_t *b, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (towlower(a[i]) != towlower(b[i]))
            return false;
        if (!a[i])
            return true;
    }
    return true;
}

bool isSystemDll(const wchar_t *name)
{
    if (sameTextIgnoringCase(name, L"api-ms-win-", 11) || sameTextIgnoringCase(name, L"ext-ms-win-", 11))
        return true;
    const size_t length = wcslen(name);
    if (length < 5 || !sameTextIgnoringCase(name + length - 4, L".dll", 4))
        return false;
    for (const wchar_t *system : systemDlls) {
        if (wcslen(system) == length - 4 && sameTextIgnoringCase(name, system, length - 4))
            return true;
    }
    return false;
}

// A file mapped for reading, closed with the object.
struct MappedFile
{
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE mapping = nullptr;
    const unsigned char *bytes = nullptr;
    unsigned long long size = 0;

    explicit MappedFile(const wchar_t *path)
    {
        file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        LARGE_INTEGER length;
        if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &length) || length.QuadPart <= 0)
            return;
        mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping)
            bytes = static_cast<const unsigned char *>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
        if (bytes)
            size = static_cast<unsigned long long>(length.QuadPart);
    }
    ~MappedFile()
    {
        if (bytes)
            UnmapViewOfFile(bytes);
        if (mapping)
            CloseHandle(mapping);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    bool holds(unsigned long long offset, unsigned long long length) const
    {
        return offset <= size && length <= size - offset;
    }
};

// The names a PE32+ image imports, each offered to `visit` until it answers false. Every offset
// is checked against the file: a damaged or hostile file gives an error, never a read outside.
template<typename Visit>
bool forEachImport(const MappedFile &image, Visit visit)
{
    if (!image.holds(0, sizeof(IMAGE_DOS_HEADER)))
        return false;
    IMAGE_DOS_HEADER dos;
    memcpy(&dos, image.bytes, sizeof dos);
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0 || !image.holds(dos.e_lfanew, sizeof(IMAGE_NT_HEADERS64)))
        return false;
    IMAGE_NT_HEADERS64 nt;
    memcpy(&nt, image.bytes + dos.e_lfanew, sizeof nt);
    if (nt.Signature != IMAGE_NT_SIGNATURE || nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        return false;
    if (nt.OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT)
        return true;
    const IMAGE_DATA_DIRECTORY directory = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0)
        return true;
    const unsigned long long sectionTable = static_cast<unsigned long long>(dos.e_lfanew)
        + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
    const unsigned sections = nt.FileHeader.NumberOfSections;
    if (!image.holds(sectionTable, static_cast<unsigned long long>(sections) * sizeof(IMAGE_SECTION_HEADER)))
        return false;
    // The file offset of an address of the loaded image, or 0 when no section holds it.
    auto offsetOf = [&](unsigned long long rva) -> unsigned long long {
        for (unsigned i = 0; i < sections; ++i) {
            IMAGE_SECTION_HEADER section;
            memcpy(&section, image.bytes + sectionTable + i * sizeof section, sizeof section);
            if (rva >= section.VirtualAddress && rva - section.VirtualAddress < section.SizeOfRawData)
                return section.PointerToRawData + (rva - section.VirtualAddress);
        }
        return 0;
    };
    unsigned long long entry = offsetOf(directory.VirtualAddress);
    for (int count = 0;; ++count, entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        if (entry == 0 || count > 4096 || !image.holds(entry, sizeof(IMAGE_IMPORT_DESCRIPTOR)))
            return false;
        IMAGE_IMPORT_DESCRIPTOR descriptor;
        memcpy(&descriptor, image.bytes + entry, sizeof descriptor);
        if (descriptor.Name == 0)
            return true;
        const unsigned long long name = offsetOf(descriptor.Name);
        wchar_t wide[MAX_PATH];
        size_t length = 0;
        for (; name && image.holds(name + length, 1) && image.bytes[name + length] && length + 1 < MAX_PATH; ++length) {
            const unsigned char c = image.bytes[name + length];
            // A plain file name: nothing that could name another folder.
            if (c < 0x21 || c > 0x7e || strchr("\\/:*?\"<>|", c))
                return false;
            wide[length] = c;
        }
        if (length == 0 || !image.holds(name + length, 1) || image.bytes[name + length] != 0)
            return false;
        wide[length] = 0;
        if (!visit(wide))
            return false;
    }
}

// A file, not a link: a reparse point counts as one only when it stands for another name (a
// symbolic link, a junction); a cloud placeholder (a package in a synchronised Downloads) is a file.
bool isFile(const wchar_t *path)
{
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return !IsReparseTagNameSurrogate(found.dwReserved0);
}

bool join(wchar_t *path, const wchar_t *folder, size_t folderLength, const wchar_t *name)
{
    const size_t nameLength = wcslen(name);
    if (folderLength == 0 || folderLength + 1 + nameLength >= MAX_PATH)
        return false;
    wmemcpy(path, folder, folderLength);
    size_t at = folderLength;
    if (path[at - 1] != L'\\' && path[at - 1] != L'/')
        path[at++] = L'\\';
    wmemcpy(path + at, name, nameLength + 1);
    return true;
}

// Beside the launcher, or else in an absolute folder on PATH.
bool locate(const wchar_t *name, wchar_t *path)
{
    if (join(path, programFolder, wcslen(programFolder), name) && isFile(path))
        return true;
    static wchar_t searchPath[32768];
    const DWORD length = GetEnvironmentVariableW(L"PATH", searchPath, sizeof searchPath / sizeof *searchPath);
    if (length == 0 || length >= sizeof searchPath / sizeof *searchPath)
        return false;
    for (wchar_t *folder = searchPath; *folder;) {
        wchar_t *end = wcschr(folder, L';');
        const size_t folderLength = end ? size_t(end - folder) : wcslen(folder);
        const bool absolute = folderLength > 2
            && ((folder[1] == L':' && (folder[2] == L'\\' || folder[2] == L'/')) || (folder[0] == L'\\' && folder[1] == L'\\'));
        if (absolute && join(path, folder, folderLength, name) && isFile(path))
            return true;
        if (!end)
            break;
        folder = end + 1;
    }
    return false;
}

wchar_t loadedNames[maxModules][MAX_PATH];
int loadedCount = 0;

bool alreadyTaken(const wchar_t *name)
{
    for (int i = 0; i < loadedCount; ++i) {
        if (sameTextIgnoringCase(loadedNames[i], name, MAX_PATH))
            return true;
    }
    return false;
}

// Loads one of the program's own DLLs after every one of ours that it imports.
bool loadOwn(const wchar_t *name, int depth)
{
    if (alreadyTaken(name))
        return true;
    if (depth > maxDepth || loadedCount == maxModules) {
        swprintf(failure, sizeof failure / sizeof *failure, L"%ls imports too many libraries.", name);
        return false;
    }
    wcscpy(loadedNames[loadedCount++], name); // taken now, so that a loop of imports ends
    wchar_t path[MAX_PATH];
    if (!locate(name, path)) {
        swprintf(failure, sizeof failure / sizeof *failure, L"%ls is missing beside the program (%ls).", name, programFolder);
        return false;
    }
    {
        const MappedFile image(path);
        const bool read = image.bytes && forEachImport(image, [&](const wchar_t *import) {
            return isSystemDll(import) || loadOwn(import, depth + 1);
        });
        if (!read) {
            if (!failure[0])
                swprintf(failure, sizeof failure / sizeof *failure, L"%ls could not be read: it is damaged.", path);
            return false;
        }
    }
    if (!LoadLibraryExW(path, nullptr, 0)) {
        swprintf(failure, sizeof failure / sizeof *failure, L"%ls could not be loaded (error %lu).", path, GetLastError());
        return false;
    }
    return true;
}

void tell(int argc)
{
    // With arguments the run may be unattended (no desktop to show a box on): its error stream.
    if (argc > 1) {
        AttachConsole(ATTACH_PARENT_PROCESS);
        fwprintf(stderr, L"InstallQuorOlma cannot start: %ls\n", failure);
        fflush(stderr);
        return;
    }
    using MessageBoxFunction = int(WINAPI *)(HWND, LPCWSTR, LPCWSTR, UINT);
    const HMODULE user32 = LoadLibraryExW(L"user32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const auto show = user32 ? reinterpret_cast<MessageBoxFunction>(reinterpret_cast<void *>(GetProcAddress(user32, "MessageBoxW"))) : nullptr;
    if (show)
        show(nullptr, failure, L"InstallQuorOlma cannot start", MB_OK | MB_ICONERROR);
}

} // namespace

// A program that cannot be loaded answers as an unattended run that misses a file of its own.
int main(int argc, char **argv)
{
    // From here on every library without a path comes from System32 alone.
    if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        swprintf(failure, sizeof failure / sizeof *failure, L"Windows refused to load libraries from its system folder only (error %lu).", GetLastError());
        tell(argc);
        return ExitPackageIncomplete;
    }
    const DWORD length = GetModuleFileNameW(nullptr, programFolder, MAX_PATH);
    wchar_t *slash = length && length < MAX_PATH ? wcsrchr(programFolder, L'\\') : nullptr;
    if (!slash) {
        swprintf(failure, sizeof failure / sizeof *failure, L"the program's folder has too long a name.");
        tell(argc);
        return ExitPackageIncomplete;
    }
    *slash = 0;
    if (!loadOwn(programLibrary, 0)) {
        tell(argc);
        return ExitPackageIncomplete;
    }
    using Entry = int (*)(int *, char **);
    const auto run = reinterpret_cast<Entry>(reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(programLibrary), programEntry)));
    if (!run) {
        swprintf(failure, sizeof failure / sizeof *failure, L"%ls is not this program's library.", programLibrary);
        tell(argc);
        return ExitPackageIncomplete;
    }
    return run(&argc, argv);
}
