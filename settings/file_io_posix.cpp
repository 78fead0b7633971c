// POSIX stand-ins for the Windows file calls, used by the native build so the
// settings-file logic runs against real files. Backslashes in the Windows-style
// paths become slashes; the documents folder is whatever the process set.
#include "settings/file_io_posix.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "settings/file_io.h"

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

static FileHandle openExisting(const char* path, int mode) {
    const int fd = ::open(hostPath(path).c_str(), mode | O_CLOEXEC);
    return fd < 0 ? kNoFile : fd;
}

static FileHandle systemOpenReadWrite(const char* path) {
    return openExisting(path, O_RDWR);
}

static FileHandle systemOpenWriteShared(const char* path) {
    return openExisting(path, O_WRONLY);
}

// Only regular files: a folder opens for reading on POSIX, not on Windows.
static FileHandle systemOpenRead(const char* path, OpenFailure* failure) {
    const int fd = ::open(hostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *failure = errno == ENOENT || errno == ENOTDIR ? OpenFailure::Missing
                   : errno == EACCES || errno == EPERM ? OpenFailure::Denied
                                                       : OpenFailure::Other;
        return kNoFile;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        *failure = OpenFailure::Other;
        return kNoFile;
    }
    return fd;
}

static FileHandle systemCreateNew(const char* path, CreateOutcome* outcome) {
    const int fd = ::open(hostPath(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    *outcome = fd >= 0           ? CreateOutcome::Created
               : errno == EEXIST ? CreateOutcome::AlreadyExists
                                 : CreateOutcome::Failed;
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

static bool systemRemove(const char* path) {
    return ::unlink(hostPath(path).c_str()) == 0;
}

// The new file takes the old one's permissions (and owner, where allowed)
// first; the folder is flushed after the rename so that the rename itself
// survives a power cut.
static ReplaceOutcome systemReplace(const char* from, const char* to) {
    const std::string source = hostPath(from), target = hostPath(to);
    struct stat old;
    if (::stat(target.c_str(), &old) == 0) {
        if (::chmod(source.c_str(), old.st_mode & 07777) != 0)
            return ReplaceOutcome::Failed;
        if (::chown(source.c_str(), old.st_uid, old.st_gid) != 0) {
            // Only the superuser may give a file away; the permissions stay.
        }
    }
    if (::rename(source.c_str(), target.c_str()) != 0)
        return errno == EBUSY || errno == ETXTBSY ? ReplaceOutcome::Held : ReplaceOutcome::Failed;
    const size_t slash = target.find_last_of('/');
    const int folder =
        ::open(slash == std::string::npos ? "." : target.substr(0, slash + 1).c_str(),
               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return ReplaceOutcome::Replaced;
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

bool documentsFolder(std::string* path) {
    if (g_documentsFolder.empty())
        return false;
    *path = g_documentsFolder;
    return true;
}
