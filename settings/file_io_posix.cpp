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

FileHandle openFileReadWrite(const char* path) {
    return openExisting(path, O_RDWR);
}

FileHandle openFileWriteOnly(const char* path) {
    return openExisting(path, O_WRONLY);
}

FileHandle createNewFile(const char* path, CreateOutcome* outcome) {
    const int fd = ::open(hostPath(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (outcome)
        *outcome = fd >= 0           ? CreateOutcome::Created
                   : errno == EEXIST ? CreateOutcome::AlreadyExists
                                     : CreateOutcome::Failed;
    return fd < 0 ? kNoFile : fd;
}

bool seekFile(FileHandle file, uint32_t offset) {
    return ::lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) ==
           static_cast<off_t>(offset);
}

size_t readFile(FileHandle file, void* buffer, size_t size) {
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

size_t writeFile(FileHandle file, const void* data, size_t size) {
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

void closeFile(FileHandle file) {
    if (file != kNoFile)
        ::close(static_cast<int>(file));
}

void createDirectory(const char* path) {
    ::mkdir(hostPath(path).c_str(), 0777);
}

bool documentsFolder(char* buffer, size_t capacity) {
    if (g_documentsFolder.empty() || g_documentsFolder.size() + 1 > capacity)
        return false;
    std::memcpy(buffer, g_documentsFolder.c_str(), g_documentsFolder.size() + 1);
    return true;
}
