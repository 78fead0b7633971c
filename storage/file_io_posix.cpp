// POSIX stand-ins for the Windows file calls, used by the native build so the
// settings-file logic runs against real files. Backslashes in the Windows-style
// paths become slashes; the documents folder is whatever the process set.
// Failures are told in the numbers Windows gives for the like.
#include "storage/file_io_posix.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "storage/file_io.h"

static std::string g_documentsFolder;

void setDocumentsFolder(const char* path) {
    g_documentsFolder = path ? path : "";
}

static std::string hostPath(const char* path) {
    std::string host(path);
    for (char& c : host)
        if (c == '\\')
            c = '/';
    return host;
}

static FileError lastError() {
    switch (errno) {
    case 0:
        return kFileOk;
    case ENOENT:
        return kErrorFileNotFound;
    case ENOTDIR:
        return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return kErrorAccessDenied;
    case EEXIST:
        return kErrorFileExists;
    case EBUSY:
    case ETXTBSY:
        return kErrorSharingViolation;
    default:
        return kErrorNotReady;
    }
}

// Only regular files: a folder opens for reading on POSIX, not on Windows.
static FileHandle systemOpen(const char* path, OpenMode mode, FileError* error) {
    const int flags = mode == OpenMode::ReadWrite     ? O_RDWR
                      : mode == OpenMode::WriteShared ? O_WRONLY
                                                      : O_RDONLY;
    const int fd = ::open(hostPath(path).c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        *error = lastError();
        return kNoFile;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        *error = kErrorAccessDenied;
        return kNoFile;
    }
    return fd;
}

static FileHandle systemCreateNew(const char* path, FileError* error) {
    const int fd = ::open(hostPath(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        *error = lastError();
    return fd < 0 ? kNoFile : fd;
}

static bool systemSeek(FileHandle file, uint32_t offset) {
    return ::lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) ==
           static_cast<off_t>(offset);
}

static bool systemLength(FileHandle file, uint32_t* out) {
    struct stat status;
    if (::fstat(static_cast<int>(file), &status) != 0 || status.st_size > 0x7FFFFFFF)
        return false;
    *out = static_cast<uint32_t>(status.st_size);
    return true;
}

static size_t systemRead(FileHandle file, void* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::read(static_cast<int>(file), static_cast<char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

static size_t systemWrite(FileHandle file, const void* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::write(static_cast<int>(file), static_cast<const char*>(data) + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

static bool systemFlush(FileHandle file) {
    return ::fsync(static_cast<int>(file)) == 0;
}

static bool systemClose(FileHandle file) {
    return ::close(static_cast<int>(file)) == 0;
}

static FileError systemRemove(const char* path) {
    return ::unlink(hostPath(path).c_str()) == 0 ? kFileOk : lastError();
}

// Read-only as Wine shows a file without write permission.
static FileError systemAttributes(const char* path, bool* readOnly) {
    struct stat status;
    if (::stat(hostPath(path).c_str(), &status) != 0)
        return lastError();
    *readOnly = (status.st_mode & 0222) == 0;
    return kFileOk;
}

// The permissions stand for the access list, and the owner with them where
// this process may give a file away.
static FileError systemTakeSecurity(FileHandle file, const char*, const char* to) {
    struct stat old;
    if (::stat(hostPath(to).c_str(), &old) != 0 ||
        ::fchmod(static_cast<int>(file), old.st_mode & 07777) != 0)
        return lastError();
    if (::fchown(static_cast<int>(file), old.st_uid, old.st_gid) != 0) {
        // Only the superuser may; the permissions stay.
    }
    return kFileOk;
}

// A POSIX rename is all three kinds at once. The folder is flushed after it
// so that the rename itself survives a power cut.
static FileError systemRename(FileHandle, const char* from, const char* to, RenameKind) {
    const std::string target = hostPath(to);
    if (::rename(hostPath(from).c_str(), target.c_str()) != 0)
        return lastError();
    const size_t slash = target.find_last_of('/');
    const int folder =
        ::open(slash == std::string::npos ? "." : target.substr(0, slash + 1).c_str(),
               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return kFileOk;
}

static void systemMakeDirectory(const char* path) {
    ::mkdir(hostPath(path).c_str(), 0777);
}

static void systemPause(unsigned milliseconds) {
    const timespec wait = {static_cast<time_t>(milliseconds / 1000),
                           static_cast<long>(milliseconds % 1000) * 1000000L};
    ::nanosleep(&wait, nullptr);
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

bool documentsFolder(std::string* path) {
    if (g_documentsFolder.empty())
        return false;
    *path = g_documentsFolder;
    return true;
}
