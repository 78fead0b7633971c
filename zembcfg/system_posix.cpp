// zembcfg on POSIX systems: plain files and streams; there is no documents
// folder of the settings program and no registry.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "zembcfg/console.h"
#include "zembcfg/zembcfg.h"

// Far beyond any settings file (17922 bytes), small enough to hold in memory.
static const off_t kLargestFile = 16 * 1024 * 1024;

ReadFailure readFileBytes(const std::string& path, std::vector<unsigned char>* bytes,
                          std::string* reason) {
    bytes->clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        *reason = std::strerror(error);
        if (error == ENOENT || error == ENOTDIR)
            return ReadFailure::Missing;
        return error == EACCES || error == EPERM ? ReadFailure::AccessDenied : ReadFailure::Other;
    }
    struct stat info = {};
    ReadFailure failure = ReadFailure::None;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *reason = "not a regular file";
        failure = ReadFailure::Other;
    } else if (info.st_size > kLargestFile) {
        *reason = "too large to be a settings file";
        failure = ReadFailure::TooLarge;
    } else {
        unsigned char buffer[4096];
        for (;;) {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                *reason = std::strerror(errno);
                failure = ReadFailure::Other;
                break;
            }
            if (got == 0)
                break;
            if (bytes->size() + static_cast<size_t>(got) > static_cast<size_t>(kLargestFile)) {
                *reason = "too large to be a settings file";
                failure = ReadFailure::TooLarge;
                break;
            }
            bytes->insert(bytes->end(), buffer, buffer + got);
        }
    }
    close(fd);
    if (failure != ReadFailure::None)
        bytes->clear();
    return failure;
}

bool defaultSettingsPath(std::string*) {
    return false;
}

bool readStoredPageSetup(StoredPageSetup*) {
    return false;
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return args;
}

static void writeAll(FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

void writeStandardOutput(std::string_view text) {
    writeAll(stdout, text);
}

void writeStandardError(std::string_view text) {
    writeAll(stderr, text);
}
