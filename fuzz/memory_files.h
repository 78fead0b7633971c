// Files in memory behind the file layer, behaving as a Windows file system
// does where the save depends on it: the fuzzers' files at no system call's
// cost, and the tests' stand-in for the Windows file systems that Wine does
// not reproduce (POSIX rename on NTFS, FAT, SMB shares, scanners, ...).
// Names point at files; a handle keeps its file, as Windows' do, after the
// name has gone to another. A few files and handles, reused from input to
// input so that no input pays for fresh memory. A handle used after it was
// closed, or one that was never opened, stops the run.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "storage/file_io.h"

namespace memory_files {

// Where Windows' file systems differ, as far as the save meets it.
struct Behaviour {
    const char* name;
    bool posixRename = true;    // FileRenameInfoEx with POSIX semantics (NTFS, 1607+)
    bool renameByHandle = true; // the classic FileRenameInfo
    bool accessLists = true;    // false: FAT and exFAT keep none
    bool writeDac = true;       // false: a share with "Change" permission
    unsigned scannerOpens = 0;  // a new file, once closed, refuses that many opens (32)
    bool deletePending = false; // the first temporary name is deleted but not yet gone
    bool readOnly = false;      // the settings file is marked read-only
};

inline Behaviour g_behaviour = {"NTFS"};

// What a file created here gets; the tests give the settings file another.
enum : int { kInheritedAccessList = 1 };

struct File {
    std::string path;
    std::vector<unsigned char> bytes;
    bool exists = false; // has a name
    bool readOnly = false;
    bool deletePending = false;
    int accessList = kInheritedAccessList;
    bool fresh = false; // created, not yet closed
    unsigned scannerOpens = 0;
};

struct Handle {
    File* file = nullptr;
    size_t position = 0;
    bool program = true; // opened through the layer; else a test's reader
    bool sharesDelete = true;
    bool writeDac = false;
    unsigned lettingGoAfter = 0; // a reader: pauses until it closes
};

enum { kFiles = 12, kHandles = 8 };
inline File g_files[kFiles];
inline Handle g_handles[kHandles];

// A crash after call n of the layer: no call after it has any effect.
inline unsigned g_calls = 0, g_crashAfter = 0;
// Every image the readers saw through their handles.
inline std::vector<std::vector<unsigned char>> g_readerSaw;
// Set when a backup (.bak) is removed while the file `g_watched` is missing.
inline std::string g_watched;
inline bool g_backupRemovedWhileMissing = false;

// Every file gone, every handle closed, no crash planned.
inline void reset(const Behaviour& behaviour = {"NTFS"}) {
    g_behaviour = behaviour;
    for (File& file : g_files)
        file = File{};
    for (Handle& handle : g_handles)
        handle.file = nullptr;
    g_calls = g_crashAfter = 0;
    g_readerSaw.clear();
    g_backupRemovedWhileMissing = false;
}

inline File* find(const char* path) {
    for (File& file : g_files)
        if (file.exists && file.path == path)
            return &file;
    return nullptr;
}

inline bool inUse(const File* file) {
    for (const Handle& handle : g_handles)
        if (handle.file == file)
            return true;
    return false;
}

inline File* put(const char* path, const void* data, size_t size) {
    File* file = find(path);
    for (File& free : g_files)
        if (file == nullptr && !free.exists && !inUse(&free))
            file = &free;
    if (file == nullptr)
        std::abort(); // more files than any save makes
    *file = File{};
    file->path = path;
    file->bytes.assign(static_cast<const unsigned char*>(data),
                       static_cast<const unsigned char*>(data) + size);
    file->exists = true;
    return file;
}

inline Handle& handleOf(FileHandle handle) {
    if (handle < 0 || handle >= kHandles || g_handles[handle].file == nullptr ||
        !g_handles[handle].program)
        std::abort();
    return g_handles[handle];
}

inline FileHandle open(File* file, bool program = true) {
    for (FileHandle i = 0; i < kHandles; ++i)
        if (g_handles[i].file == nullptr) {
            g_handles[i] = {file, 0, program};
            return i;
        }
    std::abort(); // a handle left open
}

// False once the crash has come: the call then has no effect.
inline bool happens() {
    return g_crashAfter == 0 || ++g_calls <= g_crashAfter;
}

inline bool isWrite(OpenMode mode) {
    return mode == OpenMode::ReadWrite || mode == OpenMode::WriteShared;
}

inline FileHandle openExisting(const char* path, OpenMode mode, FileError* error) {
    if (!happens()) {
        *error = kErrorNotReady;
        return kNoFile;
    }
    File* file = find(path);
    *error = file == nullptr                                              ? kErrorFileNotFound
             : file->deletePending || (file->readOnly && isWrite(mode))   ? kErrorAccessDenied
             : mode == OpenMode::ReplaceSecurity && !g_behaviour.writeDac ? kErrorAccessDenied
                                                                          : kFileOk;
    if (*error == kFileOk && file->scannerOpens > 0 &&
        (mode == OpenMode::Replace || mode == OpenMode::ReplaceSecurity)) {
        --file->scannerOpens;
        *error = kErrorSharingViolation;
    }
    if (*error != kFileOk)
        return kNoFile;
    const FileHandle handle = open(file);
    g_handles[handle].writeDac = mode == OpenMode::ReplaceSecurity;
    return handle;
}

inline FileHandle createNew(const char* path, FileError* error) {
    if (!happens()) {
        *error = kErrorNotReady;
        return kNoFile;
    }
    if (const File* file = find(path)) {
        *error = file->deletePending ? kErrorAccessDenied : kErrorFileExists;
        return kNoFile;
    }
    File* file = put(path, nullptr, 0);
    file->fresh = true;
    return open(file);
}

inline bool seek(FileHandle handle, uint32_t offset) {
    if (!happens())
        return false;
    handleOf(handle).position = offset;
    return true;
}

inline bool length(FileHandle handle, uint32_t* out) {
    if (!happens())
        return false;
    *out = static_cast<uint32_t>(handleOf(handle).file->bytes.size());
    return true;
}

inline size_t read(FileHandle handle, void* buffer, size_t size) {
    if (!happens())
        return 0;
    Handle& h = handleOf(handle);
    const std::vector<unsigned char>& bytes = h.file->bytes;
    const size_t n = h.position < bytes.size() ? std::min(size, bytes.size() - h.position) : 0;
    if (n > 0)
        std::memcpy(buffer, bytes.data() + h.position, n);
    h.position += n;
    return n;
}

inline size_t write(FileHandle handle, const void* data, size_t size) {
    if (!happens())
        return 0;
    Handle& h = handleOf(handle);
    std::vector<unsigned char>& bytes = h.file->bytes;
    if (bytes.size() < h.position + size)
        bytes.resize(h.position + size);
    if (size > 0)
        std::memcpy(bytes.data() + h.position, data, size);
    h.position += size;
    return size;
}

inline bool flush(FileHandle handle) {
    return happens() && handleOf(handle).file != nullptr;
}

// A new file meets the scanner once it is closed.
inline bool close(FileHandle handle) {
    Handle& h = handleOf(handle);
    if (!happens())
        return false;
    if (h.file->fresh)
        h.file->scannerOpens = g_behaviour.scannerOpens;
    h.file->fresh = false;
    h.file = nullptr;
    return true;
}

inline FileError remove(const char* path) {
    if (!happens())
        return kErrorNotReady;
    File* file = find(path);
    if (file == nullptr)
        return kErrorFileNotFound;
    if (file->deletePending)
        return kErrorAccessDenied;
    for (const Handle& handle : g_handles)
        if (handle.file == file && handle.program)
            std::abort(); // removed while this program has it open
        else if (handle.file == file && !handle.sharesDelete)
            return kErrorSharingViolation;
    const std::string name = path;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bak") == 0 &&
        find(g_watched.c_str()) == nullptr)
        g_backupRemovedWhileMissing = true;
    file->exists = false;
    return kFileOk;
}

inline FileError attributes(const char* path, bool* readOnly) {
    if (!happens())
        return kErrorNotReady;
    const File* file = find(path);
    if (file == nullptr)
        return kErrorFileNotFound;
    *readOnly = file->readOnly;
    return file->deletePending ? kErrorAccessDenied : kFileOk;
}

inline FileError takeSecurity(FileHandle handle, const char*, const char* to) {
    if (!happens())
        return kErrorNotReady;
    Handle& h = handleOf(handle);
    const File* target = find(to);
    if (target == nullptr)
        return kErrorFileNotFound;
    if (!g_behaviour.accessLists)
        return kErrorNotSupported;
    if (!h.writeDac)
        return kErrorAccessDenied;
    h.file->accessList = target->accessList;
    return kFileOk;
}

// The POSIX rename needs every handle on the target to share deletion; the
// classic one and the rename by name need none to be open at all.
inline FileError rename(FileHandle handle, const char* from, const char* to, RenameKind kind) {
    if (!happens())
        return kErrorNotReady;
    if ((kind == RenameKind::Posix && !g_behaviour.posixRename) ||
        (kind == RenameKind::Classic && !g_behaviour.renameByHandle))
        return kErrorInvalidParameter;
    File* source = kind == RenameKind::ByName ? find(from) : handleOf(handle).file;
    if (source == nullptr || !source->exists)
        return kErrorFileNotFound;
    if (kind == RenameKind::ByName && inUse(source))
        return kErrorSharingViolation;
    if (File* target = find(to)) {
        if (target->readOnly)
            return kErrorAccessDenied;
        for (const Handle& open : g_handles)
            if (open.file == target && (kind != RenameKind::Posix || !open.sharesDelete))
                return kind == RenameKind::Posix ? kErrorSharingViolation : kErrorAccessDenied;
        target->exists = false;
    }
    source->path = to;
    return kFileOk;
}

inline void makeDirectory(const char*) {}

// A reader reads what its handle shows at every pause, and lets go when
// its time is up.
inline void pause(unsigned) {
    for (Handle& handle : g_handles)
        if (handle.file != nullptr && !handle.program) {
            g_readerSaw.push_back(handle.file->bytes);
            if (--handle.lettingGoAfter == 0)
                handle.file = nullptr;
        }
}

// Another program holding the file from now on, for that many pauses.
inline void holdFile(const char* path, bool sharesDelete, unsigned pauses) {
    const FileHandle handle = open(find(path), false);
    g_handles[handle].sharesDelete = sharesDelete;
    g_handles[handle].lettingGoAfter = pauses;
    g_readerSaw.push_back(find(path)->bytes);
}

// What a crash leaves: this program's handles gone, the readers' not.
inline void crash() {
    for (Handle& handle : g_handles)
        if (handle.program)
            handle.file = nullptr;
}

inline const FileLayer kLayer = {
    .open = openExisting,
    .createNew = createNew,
    .seek = seek,
    .length = length,
    .read = read,
    .write = write,
    .flush = flush,
    .close = close,
    .remove = remove,
    .attributes = attributes,
    .takeSecurity = takeSecurity,
    .rename = rename,
    .createDirectory = makeDirectory,
    .pause = pause,
};

// True when no handle of this program is left open: every save and load
// closes what it opens.
inline bool allClosed() {
    for (const Handle& handle : g_handles)
        if (handle.file != nullptr && handle.program)
            return false;
    return true;
}

} // namespace memory_files
