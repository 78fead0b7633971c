// Files in memory behind the file layer, so that a fuzz input costs no
// system call: a few named files and handles into them, reused from input to
// input so that no input pays for fresh memory. A handle used after it was
// closed, or one that was never opened, stops the run.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/file_io.h"

namespace memory_files {

struct File {
    std::string path;
    std::vector<unsigned char> bytes;
    bool exists = false;
};

struct Handle {
    File* file = nullptr;
    size_t position = 0;
};

enum { kFiles = 8, kHandles = 8 };
inline File g_files[kFiles];
inline Handle g_handles[kHandles];

// Every file gone, every handle closed.
inline void reset() {
    for (File& file : g_files)
        file.exists = false;
    for (Handle& handle : g_handles)
        handle.file = nullptr;
}

inline File* find(const char* path) {
    for (File& file : g_files)
        if (file.exists && file.path == path)
            return &file;
    return nullptr;
}

inline File* put(const char* path, const void* data, size_t size) {
    File* file = find(path);
    for (File& free : g_files)
        if (file == nullptr && !free.exists)
            file = &free;
    if (file == nullptr)
        std::abort(); // more files than any save makes
    file->path = path;
    file->bytes.assign(static_cast<const unsigned char*>(data),
                       static_cast<const unsigned char*>(data) + size);
    file->exists = true;
    return file;
}

inline Handle& handleOf(FileHandle handle) {
    if (handle < 0 || handle >= kHandles || g_handles[handle].file == nullptr)
        std::abort();
    return g_handles[handle];
}

inline FileHandle open(File* file) {
    if (file == nullptr)
        return kNoFile;
    for (FileHandle i = 0; i < kHandles; ++i)
        if (g_handles[i].file == nullptr) {
            g_handles[i] = {file, 0};
            return i;
        }
    std::abort(); // a handle left open
}

inline FileHandle openExisting(const char* path) {
    return open(find(path));
}

inline FileHandle openRead(const char* path, OpenFailure* failure) {
    const FileHandle handle = open(find(path));
    if (handle == kNoFile)
        *failure = OpenFailure::Missing;
    return handle;
}

inline FileHandle createNew(const char* path, CreateOutcome* outcome) {
    if (find(path)) {
        *outcome = CreateOutcome::AlreadyExists;
        return kNoFile;
    }
    *outcome = CreateOutcome::Created;
    return open(put(path, nullptr, 0));
}

inline bool seek(FileHandle handle, uint32_t offset) {
    handleOf(handle).position = offset;
    return true;
}

inline bool length(FileHandle handle, uint32_t* out) {
    *out = static_cast<uint32_t>(handleOf(handle).file->bytes.size());
    return true;
}

inline size_t read(FileHandle handle, void* buffer, size_t size) {
    Handle& h = handleOf(handle);
    const std::vector<unsigned char>& bytes = h.file->bytes;
    const size_t n = h.position < bytes.size() ? std::min(size, bytes.size() - h.position) : 0;
    if (n > 0)
        std::memcpy(buffer, bytes.data() + h.position, n);
    h.position += n;
    return n;
}

inline size_t write(FileHandle handle, const void* data, size_t size) {
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
    return handleOf(handle).file != nullptr;
}

inline bool close(FileHandle handle) {
    handleOf(handle).file = nullptr;
    return true;
}

inline bool remove(const char* path) {
    File* file = find(path);
    if (file == nullptr)
        return false;
    for (const Handle& handle : g_handles)
        if (handle.file == file)
            std::abort(); // removed while open
    file->exists = false;
    return true;
}

inline ReplaceOutcome replace(const char* from, const char* to) {
    File* source = find(from);
    if (source == nullptr)
        return ReplaceOutcome::Failed;
    if (File* target = find(to)) {
        target->bytes.swap(source->bytes);
        source->exists = false;
    } else {
        source->path = to;
    }
    return ReplaceOutcome::Replaced;
}

inline void makeDirectory(const char*) {}
inline void pause(unsigned) {}

inline const FileLayer kLayer = {
    .openReadWrite = openExisting,
    .openWriteShared = openExisting,
    .openRead = openRead,
    .createNew = createNew,
    .seek = seek,
    .length = length,
    .read = read,
    .write = write,
    .flush = flush,
    .close = close,
    .remove = remove,
    .replace = replace,
    .createDirectory = makeDirectory,
    .pause = pause,
};

// True when no handle is left open: every save and load closes what it opens.
inline bool allClosed() {
    for (const Handle& handle : g_handles)
        if (handle.file != nullptr)
            return false;
    return true;
}

} // namespace memory_files
