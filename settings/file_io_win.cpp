// The settings file through the classic kernel32 file calls, which the
// plotter driver's side has always used on this file.
#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "settings/file_io.h"

static FileHandle fromHfile(HFILE file) {
    return file == HFILE_ERROR ? kNoFile : static_cast<FileHandle>(file);
}

// No sharing flags: the file is opened in compatibility mode, as before.
static FileHandle systemOpenReadWrite(const char* path) {
    return fromHfile(_lopen(path, OF_READWRITE));
}

static FileHandle systemOpenWriteOnly(const char* path) {
    return fromHfile(_lopen(path, OF_WRITE));
}

static FileHandle systemCreateNew(const char* path, CreateOutcome* outcome) {
    // _lcreat would empty a file that exists but is locked; CREATE_NEW never
    // touches an existing one. The handle is used with the _l calls, which
    // take kernel handles as HFILE values just as _lcreat returns them.
    HANDLE handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (outcome)
            *outcome = (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                           ? CreateOutcome::AlreadyExists
                           : CreateOutcome::Failed;
        return kNoFile;
    }
    if (outcome)
        *outcome = CreateOutcome::Created;
    return static_cast<FileHandle>(HandleToLong(handle));
}

static bool systemSeek(FileHandle file, uint32_t offset) {
    return _llseek(static_cast<HFILE>(file), static_cast<LONG>(offset), FILE_BEGIN) ==
           static_cast<LONG>(offset);
}

// Told by seeking to the end, as the _l calls allow; every reader seeks first.
static bool systemLength(FileHandle file, uint32_t* out) {
    const LONG end = _llseek(static_cast<HFILE>(file), 0, FILE_END);
    if (end < 0)
        return false;
    *out = static_cast<uint32_t>(end);
    return true;
}

static size_t systemRead(FileHandle file, void* buffer, size_t size) {
    const UINT got = _lread(static_cast<HFILE>(file), buffer, static_cast<UINT>(size));
    return got == static_cast<UINT>(HFILE_ERROR) ? 0 : got;
}

static size_t systemWrite(FileHandle file, const void* data, size_t size) {
    const UINT put =
        _lwrite(static_cast<HFILE>(file), static_cast<LPCCH>(data), static_cast<UINT>(size));
    return put == static_cast<UINT>(HFILE_ERROR) ? 0 : put;
}

static bool systemClose(FileHandle file) {
    return _lclose(static_cast<HFILE>(file)) != HFILE_ERROR;
}

static bool systemRemove(const char* path) {
    return DeleteFileA(path) != FALSE;
}

static void systemMakeDirectory(const char* path) {
    CreateDirectoryA(path, nullptr);
}

const FileLayer kSystemFiles = {
    systemOpenReadWrite, systemOpenWriteOnly, systemCreateNew, systemSeek,   systemLength,
    systemRead,          systemWrite,         systemClose,     systemRemove, systemMakeDirectory};

// The shell's answer does not change while the program runs, and asking costs
// far more than the file work itself (every load and save needs the path).
static bool queryDocumentsFolder(char (&path)[MAX_PATH]) {
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || allocator == nullptr)
        return false;
    LPITEMIDLIST items = nullptr;
    bool found = false;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &items)) && items) {
        found = SHGetPathFromIDListA(items, path) != FALSE;
        allocator->Free(items);
    }
    allocator->Release();
    return found && path[0] != '\0';
}

bool documentsFolder(char* buffer, size_t capacity) {
    static char cached[MAX_PATH];
    static bool known = false;
    if (!known)
        known = queryDocumentsFolder(cached);
    const size_t length = known ? std::strlen(cached) : 0;
    if (length == 0 || length + 1 > capacity)
        return false;
    std::memcpy(buffer, cached, length + 1);
    return true;
}
