// The import's file steps on POSIX systems.
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "zembcfg/import_files.h"

static FileStatus fromErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileStatus::Missing;
    case EACCES:
    case EPERM:
    case EROFS:
        return FileStatus::Denied;
    case EBUSY:
    case ETXTBSY:
        return FileStatus::Held;
    default:
        return FileStatus::Failed;
    }
}

bool fileExists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

FileStatus writeNewFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return fromErrno(errno);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            ::close(fd);
            return fromErrno(error);
        }
        done += static_cast<size_t>(n);
    }
    const bool flushed = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    return flushed ? FileStatus::Done : fromErrno(error);
}

FileStatus renameReplacing(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? FileStatus::Done : fromErrno(errno);
}

void removeFile(const std::string& path) {
    ::unlink(path.c_str());
}

bool storePageSetup(const std::vector<std::pair<int, uint32_t>>&,
                    const std::vector<unsigned char>&) {
    return false;
}
