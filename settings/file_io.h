// The few file operations the settings file needs. The Windows build uses the
// classic kernel32 file calls; the native build maps them onto POSIX so the
// real load and save code can be tested on real files.
//
// Paths are Windows-style (backslash separators, system code page).
#pragma once

#include <cstddef>
#include <cstdint>

using FileHandle = intptr_t;
constexpr FileHandle kNoFile = -1;

enum class CreateOutcome { Created, AlreadyExists, Failed };

// Open an existing file; neither ever creates one.
FileHandle openFileReadWrite(const char* path);
FileHandle openFileWriteOnly(const char* path);

// Creates the file only when it does not exist yet, so a file that merely
// could not be opened (locked, access denied) is never emptied.
FileHandle createNewFile(const char* path, CreateOutcome* outcome);

bool seekFile(FileHandle file, uint32_t offset);
// The file's length; false when it cannot be told or exceeds 2 GiB - 1.
bool fileLength(FileHandle file, uint32_t* length);
// Both return the number of bytes transferred (0 on failure).
size_t readFile(FileHandle file, void* buffer, size_t size);
size_t writeFile(FileHandle file, const void* data, size_t size);
// False when the system reports that what was written may not have reached
// the file; the handle is gone either way.
bool closeFile(FileHandle file);
bool removeFile(const char* path);

// Create a directory; failure (including "already exists") is not reported
// because the open that follows tells whether the folder is usable.
void createDirectory(const char* path);

// The user's documents folder, without guarantee of a trailing backslash.
// False when it cannot be resolved or does not fit.
bool documentsFolder(char* buffer, size_t capacity);

// Every call above but documentsFolder goes through one table: the system's,
// unless a test or the fuzzer puts its own in place (an in-memory file).
struct FileLayer {
    FileHandle (*openReadWrite)(const char* path);
    FileHandle (*openWriteOnly)(const char* path);
    FileHandle (*createNew)(const char* path, CreateOutcome* outcome);
    bool (*seek)(FileHandle file, uint32_t offset);
    bool (*length)(FileHandle file, uint32_t* length);
    size_t (*read)(FileHandle file, void* buffer, size_t size);
    size_t (*write)(FileHandle file, const void* data, size_t size);
    bool (*close)(FileHandle file);
    bool (*remove)(const char* path);
    void (*createDirectory)(const char* path);
};

extern const FileLayer kSystemFiles;

// nullptr puts the system's table back.
void useFileLayer(const FileLayer* layer);

// Fault injection: call number `call` of those above but createDirectory and
// documentsFolder (counted from 1 since the last injectFileFault) fails as the system would report
// it, or, for ShortWrite, a write puts only half the bytes asked (other calls are then left alone).
// Call 0 injects nothing; fileCallsMade counts either way.
enum class FileFault { Fail, ShortWrite };
void injectFileFault(unsigned call, FileFault kind);
unsigned fileCallsMade();
