// The few file operations the settings file needs. The Windows build uses
// kernel32's wide calls; the native build maps them onto POSIX so the real
// load and save code can be tested on real files.
//
// Paths are Windows-style (backslash separators) in UTF-8, of any length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

using FileHandle = intptr_t;
constexpr FileHandle kNoFile = -1;

enum class CreateOutcome { Created, AlreadyExists, Failed };
// Why a file could not be opened for reading.
enum class OpenFailure { None, Missing, Denied, InUse, Other };
enum class ReplaceOutcome {
    Replaced,
    Held,  // another program has the file open without letting it be replaced
    Failed // anything else (read-only file, folder refused, ...)
};

// Open an existing file; none of them ever creates one. The loads open it
// for reading and writing; openFileWriteShared lets others go on reading
// and writing the file meanwhile (a driver that keeps it open), and
// openFileRead lets them do anything, even replace it.
FileHandle openFileReadWrite(const char* path);
FileHandle openFileWriteShared(const char* path);
FileHandle openFileRead(const char* path, OpenFailure* failure);

// Creates the file only when it does not exist yet, so a file that merely
// could not be opened (locked, access denied) is never emptied.
FileHandle createNewFile(const char* path, CreateOutcome* outcome);

bool seekFile(FileHandle file, uint32_t offset);
// The file's length; false when it cannot be told or exceeds 2 GiB - 1.
bool fileLength(FileHandle file, uint32_t* length);
// Both return the number of bytes transferred (0 on failure).
size_t readFile(FileHandle file, void* buffer, size_t size);
size_t writeFile(FileHandle file, const void* data, size_t size);
// Until it returns true, what was written may not be on the disk.
bool flushFile(FileHandle file);
// False when the system reports that what was written may not have reached
// the file; the handle is gone either way.
bool closeFile(FileHandle file);
bool removeFile(const char* path);
// Puts the file `from` in place of `to` in one step, so that a reader finds
// either the old file or the new one, never a mixture or nothing; `to` keeps
// its attributes and security. `to` need not exist.
ReplaceOutcome replaceFile(const char* from, const char* to);

// Create a directory; failure (including "already exists") is not reported
// because the open that follows tells whether the folder is usable.
void createDirectory(const char* path);

// Waits before a refused replace is tried again.
void pauseBeforeRetry(unsigned milliseconds);

// The user's documents folder, without guarantee of a trailing backslash.
// False when it cannot be resolved.
bool documentsFolder(std::string* path);

// Every call above but documentsFolder goes through one table: the system's,
// unless a test or the fuzzer puts its own in place (an in-memory file).
struct FileLayer {
    FileHandle (*openReadWrite)(const char* path);
    FileHandle (*openWriteShared)(const char* path);
    FileHandle (*openRead)(const char* path, OpenFailure* failure);
    FileHandle (*createNew)(const char* path, CreateOutcome* outcome);
    bool (*seek)(FileHandle file, uint32_t offset);
    bool (*length)(FileHandle file, uint32_t* length);
    size_t (*read)(FileHandle file, void* buffer, size_t size);
    size_t (*write)(FileHandle file, const void* data, size_t size);
    bool (*flush)(FileHandle file);
    bool (*close)(FileHandle file);
    bool (*remove)(const char* path);
    ReplaceOutcome (*replace)(const char* from, const char* to);
    void (*createDirectory)(const char* path);
    void (*pause)(unsigned milliseconds);
};

extern const FileLayer kSystemFiles;

// nullptr puts the system's table back.
void useFileLayer(const FileLayer* layer);

// Fault injection: call number `call` of those above but createDirectory,
// pauseBeforeRetry and documentsFolder (counted from 1 since the last
// injectFileFault) fails as the system would report it, or, for ShortWrite,
// a write puts only half the bytes asked (other calls are then left alone).
// Call 0 injects nothing; fileCallsMade counts either way.
enum class FileFault { Fail, ShortWrite };
void injectFileFault(unsigned call, FileFault kind);
unsigned fileCallsMade();
