// POSIX stand-ins for the Windows file calls, used by the native build so the
// settings-file logic runs against real files. Backslashes in the Windows-style
// paths become slashes; the documents folder is whatever the process set.
#include "settings/file_io_posix.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
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

static FileHandle systemOpenWriteOnly(const char* path) {
    return openExisting(path, O_WRONLY);
}

static FileHandle systemCreateNew(const char* path, CreateOutcome* outcome) {
    const int fd = ::open(hostPath(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (outcome)
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

static bool systemClose(FileHandle file) {
    return ::close(static_cast<int>(file)) == 0;
}

static bool systemRemove(const char* path) {
    return ::unlink(hostPath(path).c_str()) == 0;
}

static void systemMakeDirectory(const char* path) {
    ::mkdir(hostPath(path).c_str(), 0777);
}

const FileLayer kSystemFiles = {
    systemOpenReadWrite, systemOpenWriteOnly, systemCreateNew, systemSeek,   systemLength,
    systemRead,          systemWrite,         systemClose,     systemRemove, systemMakeDirectory};

bool documentsFolder(char* buffer, size_t capacity) {
    if (g_documentsFolder.empty() || g_documentsFolder.size() + 1 > capacity)
        return false;
    std::memcpy(buffer, g_documentsFolder.c_str(), g_documentsFolder.size() + 1);
    return true;
}
