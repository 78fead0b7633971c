// The settings file through kernel32's wide calls, so that a documents folder
// named in any script works, whatever the system code page. Thin on purpose:
// what to make of the system's errors is decided in file_io.cpp, where the
// tests' model of Windows file systems reaches it.
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "settings/cp932_text.h"
#include "storage/file_io.h"

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

// A call's result as the file layer gives it: 0, or why it failed.
static FileError outcome(BOOL done) {
    return done ? FileError(kFileOk) : FileError(GetLastError());
}

static HANDLE toHandle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

// Reading shared with everything; reading and writing shared as the classic
// compatibility mode shared them; the new file opened to take the old one's
// place, for its deletion (the rename) and its attributes and access list.
static FileHandle systemOpen(const char* path, OpenMode mode, FileError* error) {
    const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    DWORD access = GENERIC_READ, sharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (mode) {
    case OpenMode::Read:
        sharing = shareAll;
        break;
    case OpenMode::ReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    case OpenMode::WriteShared:
        access = GENERIC_WRITE;
        break;
    case OpenMode::ReplaceSecurity:
    case OpenMode::Replace:
        access = DELETE | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE |
                 (mode == OpenMode::ReplaceSecurity ? WRITE_DAC : 0);
        sharing = shareAll;
        break;
    }
    const HANDLE handle = CreateFileW(wide(path).c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        *error = GetLastError();
    return fromHandle(handle);
}

static FileHandle systemCreateNew(const char* path, FileError* error) {
    const HANDLE handle = CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        *error = GetLastError();
    return fromHandle(handle);
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

static FileError systemRemove(const char* path) {
    return outcome(DeleteFileW(wide(path).c_str()));
}

static FileError systemAttributes(const char* path, bool* readOnly) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError();
    *readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    return kFileOk;
}

// The target's attributes that a user sets, then its access list as it is
// stored (inherited entries included); the error of a refusal.
static FileError systemTakeSecurity(FileHandle file, const char*, const char* to) {
    const std::wstring target = wide(to);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                       FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    FileError error = kFileOk;
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        FILE_BASIC_INFO basic = {}; // times left as they are
        basic.FileAttributes = (attributes & kept) ? attributes & kept : FILE_ATTRIBUTE_NORMAL;
        if (!SetFileInformationByHandle(toHandle(file), FileBasicInfo, &basic, sizeof basic))
            error = GetLastError();
    }
    DWORD needed = 0;
    GetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    std::vector<BYTE> descriptor(needed);
    if (needed == 0 ||
        !GetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), needed,
                          &needed) ||
        !SetKernelObjectSecurity(toHandle(file), DACL_SECURITY_INFORMATION, descriptor.data()))
        return GetLastError();
    return error;
}

// By handle, FileRenameInfoEx with POSIX semantics or the classic
// FileRenameInfo (the first word of FILE_RENAME_INFO is the flags of the one
// and ReplaceIfExists of the other); by name, MoveFileExW.
static FileError systemRename(FileHandle file, const char* from, const char* to, RenameKind kind) {
    const std::wstring target = wide(to);
    if (kind == RenameKind::ByName)
        return outcome(MoveFileExW(wide(from).c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    const auto renameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
    const DWORD replaceIfExists = 0x1, posixSemantics = 0x2;
    const DWORD flags = kind == RenameKind::Posix ? replaceIfExists | posixSemantics : TRUE;
    const DWORD nameBytes = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    std::vector<BYTE> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    static_assert(offsetof(FILE_RENAME_INFO, RootDirectory) >= sizeof flags);
    std::memcpy(buffer.data(), &flags, sizeof flags);
    info->RootDirectory = nullptr;
    info->FileNameLength = nameBytes;
    std::memcpy(info->FileName, target.c_str(), nameBytes);
    return outcome(SetFileInformationByHandle(
        toHandle(file), kind == RenameKind::Posix ? renameInfoEx : FileRenameInfo, info,
        static_cast<DWORD>(buffer.size())));
}

static void systemMakeDirectory(const char* path) {
    CreateDirectoryW(wide(path).c_str(), nullptr);
}

static void systemPause(unsigned milliseconds) {
    Sleep(milliseconds);
}

const FileLayer kSystemFiles = {
    .open = systemOpen,
    .createNew = systemCreateNew,
    .seek = systemSeek,
    .length = systemLength,
    .read = systemRead,
    .write = systemWrite,
    .flush = systemFlush,
    .close = systemClose,
    .remove = systemRemove,
    .attributes = systemAttributes,
    .takeSecurity = systemTakeSecurity,
    .rename = systemRename,
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
