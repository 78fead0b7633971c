// The settings file through kernel32's wide calls, so that a documents folder
// named in any script works, whatever the system code page.
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "settings/cp932_text.h"
#include "settings/file_io.h"

// A path as the wide calls take it. Beyond MAX_PATH only in its verbatim
// form (\\?\ before the full path), which every Windows since XP accepts.
static std::wstring wide(const char* utf8) {
    std::u16string text;
    utf8ToUtf16(utf8, &text);
    std::wstring path(text.begin(), text.end());
    if (path.size() < MAX_PATH - 12 || path.rfind(L"\\\\?\\", 0) == 0)
        return path;
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    if (full.rfind(L"\\\\", 0) == 0) // \\server\share
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

static FileHandle fromHandle(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(handle);
}

static HANDLE toHandle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

static FileHandle openExisting(const char* path, DWORD access, DWORD sharing) {
    return fromHandle(CreateFileW(wide(path).c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Reading and writing shared as the classic compatibility mode shared them.
static FileHandle systemOpenReadWrite(const char* path) {
    return openExisting(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

static FileHandle systemOpenWriteShared(const char* path) {
    return openExisting(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

static FileHandle systemOpenRead(const char* path, OpenFailure* failure) {
    const FileHandle file =
        openExisting(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (file != kNoFile)
        return file;
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        *failure = OpenFailure::Missing;
        break;
    case ERROR_ACCESS_DENIED:
        *failure = OpenFailure::Denied;
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        *failure = OpenFailure::InUse;
        break;
    default:
        *failure = OpenFailure::Other;
    }
    return kNoFile;
}

static FileHandle systemCreateNew(const char* path, CreateOutcome* outcome) {
    const HANDLE handle = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        *outcome = CreateOutcome::Created;
        return fromHandle(handle);
    }
    const DWORD error = GetLastError();
    *outcome = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                   ? CreateOutcome::AlreadyExists
                   : CreateOutcome::Failed;
    return kNoFile;
}

static bool systemSeek(FileHandle file, uint32_t offset) {
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return SetFilePointerEx(toHandle(file), to, nullptr, FILE_BEGIN) != FALSE;
}

static bool systemLength(FileHandle file, uint32_t* out) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(toHandle(file), &size) || size.QuadPart > 0x7FFFFFFF)
        return false;
    *out = static_cast<uint32_t>(size.QuadPart);
    return true;
}

static size_t systemRead(FileHandle file, void* buffer, size_t size) {
    DWORD got = 0;
    if (size > 0x7FFFFFFF ||
        !ReadFile(toHandle(file), buffer, static_cast<DWORD>(size), &got, nullptr))
        return 0;
    return got;
}

static size_t systemWrite(FileHandle file, const void* data, size_t size) {
    DWORD put = 0;
    if (size > 0x7FFFFFFF ||
        !WriteFile(toHandle(file), data, static_cast<DWORD>(size), &put, nullptr))
        return 0;
    return put;
}

static bool systemFlush(FileHandle file) {
    return FlushFileBuffers(toHandle(file)) != FALSE;
}

static bool systemClose(FileHandle file) {
    return CloseHandle(toHandle(file)) != FALSE;
}

static bool systemRemove(const char* path) {
    return DeleteFileW(wide(path).c_str()) != FALSE;
}

// A refused replace: held when another program's open handle stands in the
// way (it lacks delete sharing), anything else otherwise.
static ReplaceOutcome refusal(const std::wstring& target) {
    const HANDLE probe =
        CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return ReplaceOutcome::Failed;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
               ? ReplaceOutcome::Held
               : ReplaceOutcome::Failed;
}

// The target's access list, as it is stored (inherited entries included).
static bool fileSecurity(const std::wstring& path, std::vector<BYTE>* descriptor) {
    DWORD needed = 0;
    GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed == 0)
        return false;
    descriptor->resize(needed);
    return GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor->data(), needed,
                            &needed) != FALSE;
}

static bool unsupported(DWORD error) {
    return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED ||
           error == ERROR_INVALID_FUNCTION || error == ERROR_CALL_NOT_IMPLEMENTED;
}

// Renamed over the target by handle. The first word of FILE_RENAME_INFO is
// the flags of FileRenameInfoEx and the ReplaceIfExists of FileRenameInfo.
static bool renameByHandle(HANDLE file, const std::wstring& target, FILE_INFO_BY_HANDLE_CLASS kind,
                           DWORD flags) {
    const DWORD nameBytes = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    std::vector<BYTE> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    static_assert(offsetof(FILE_RENAME_INFO, RootDirectory) >= sizeof flags);
    std::memcpy(buffer.data(), &flags, sizeof flags);
    info->RootDirectory = nullptr;
    info->FileNameLength = nameBytes;
    std::memcpy(info->FileName, target.c_str(), nameBytes);
    return SetFileInformationByHandle(file, kind, info, static_cast<DWORD>(buffer.size())) != FALSE;
}

// The new file takes the old one's attributes and access list before it
// takes its place; a read-only settings file is not replaced at all. Then, by
// what the system offers:
// - a rename with POSIX semantics (Windows 10 1607 and later, on NTFS): a
//   reader that shares deletion goes on reading the old file;
// - the classic rename that replaces (Wine, older Windows, FAT): atomic too,
//   refused while a reader holds the file without delete sharing. Preferred
//   to ReplaceFileW, which under Wine moves the old file away first, so that
//   for a moment there is none, and leaves an empty file behind when refused;
// - ReplaceFileW, where a file system knows neither rename by handle.
static ReplaceOutcome systemReplace(const char* from, const char* to) {
    const std::wstring source = wide(from), target = wide(to);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    std::vector<BYTE> security;
    if (exists) {
        if (refusal(target) == ReplaceOutcome::Held)
            return ReplaceOutcome::Held;
        if ((attributes & FILE_ATTRIBUTE_READONLY) || !fileSecurity(target, &security))
            return ReplaceOutcome::Failed;
        const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        SetFileAttributesW(source.c_str(),
                           (attributes & kept) ? attributes & kept : FILE_ATTRIBUTE_NORMAL);
    }
    // Opened for deletion before its access list changes, which could
    // deny that to this very program.
    const HANDLE file = CreateFileW(source.c_str(), DELETE | WRITE_DAC | SYNCHRONIZE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ReplaceOutcome::Failed;
    if (exists && !SetKernelObjectSecurity(file, DACL_SECURITY_INFORMATION, security.data())) {
        CloseHandle(file);
        return ReplaceOutcome::Failed;
    }
    const auto renameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22); // FileRenameInfoEx
    const DWORD replaceIfExists = 0x1, posixSemantics = 0x2;
    bool renamed = renameByHandle(file, target, renameInfoEx, replaceIfExists | posixSemantics);
    DWORD error = renamed ? ERROR_SUCCESS : GetLastError();
    if (!renamed && unsupported(error)) {
        renamed = renameByHandle(file, target, FileRenameInfo, TRUE);
        error = renamed ? ERROR_SUCCESS : GetLastError();
    }
    CloseHandle(file);
    if (renamed)
        return ReplaceOutcome::Replaced;
    if (!unsupported(error))
        return refusal(target);
    const BOOL replaced =
        exists ? ReplaceFileW(target.c_str(), source.c_str(), nullptr, 0, nullptr, nullptr)
               : MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    return replaced ? ReplaceOutcome::Replaced : refusal(target);
}

static void systemMakeDirectory(const char* path) {
    CreateDirectoryW(wide(path).c_str(), nullptr);
}

static void systemPause(unsigned milliseconds) {
    Sleep(milliseconds);
}

const FileLayer kSystemFiles = {
    .openReadWrite = systemOpenReadWrite,
    .openWriteShared = systemOpenWriteShared,
    .openRead = systemOpenRead,
    .createNew = systemCreateNew,
    .seek = systemSeek,
    .length = systemLength,
    .read = systemRead,
    .write = systemWrite,
    .flush = systemFlush,
    .close = systemClose,
    .remove = systemRemove,
    .replace = systemReplace,
    .createDirectory = systemMakeDirectory,
    .pause = systemPause,
};

// The shell's answer does not change while the program runs, and asking costs
// far more than the file work itself (every load and save needs the path).
// A folder that is missing is still named, so that what fails later can say
// which path it was.
static bool queryDocumentsFolder(std::string* path) {
    PWSTR folder = nullptr;
    const bool found = SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DONT_VERIFY,
                                                      nullptr, &folder)) &&
                       folder && folder[0] != L'\0';
    if (found)
        *path = utf16ToUtf8(
            std::u16string_view(reinterpret_cast<const char16_t*>(folder), wcslen(folder)));
    CoTaskMemFree(folder);
    return found;
}

bool documentsFolder(std::string* path) {
    static std::string cached;
    static bool known = false;
    if (!known)
        known = queryDocumentsFolder(&cached);
    if (!known)
        return false;
    *path = cached;
    return true;
}
