// The few file operations the settings file needs. The Windows build uses
// kernel32's wide calls; the native build maps them onto POSIX so the real
// load and save code can be tested on real files, and the tests put a model
// of Windows' file systems in their place.
//
// Paths are Windows-style (backslash separators) in UTF-8, of any length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

using FileHandle = intptr_t;
constexpr FileHandle kNoFile = -1;

// What the system answered when a call failed, in Windows' numbers. The
// POSIX build and the tests' model answer in the same numbers, so what the
// program decides on them here and in the commit is what runs on Windows.
using FileError = uint32_t;
enum : FileError {
    kFileOk = 0,
    kErrorInvalidFunction = 1,
    kErrorFileNotFound = 2,
    kErrorPathNotFound = 3,
    kErrorAccessDenied = 5,
    kErrorNotReady = 21,
    kErrorSharingViolation = 32,
    kErrorLockViolation = 33,
    kErrorNotSupported = 50,
    kErrorBadNetPath = 53,
    kErrorFileExists = 80,
    kErrorInvalidParameter = 87,
    kErrorCallNotImplemented = 120,
    kErrorAlreadyExists = 183,
};

// The file or a folder on its way does not exist: the one failure that
// lets the program create it.
bool isMissing(FileError error);
// Another program's open handle stands in the way, for a while.
bool isInUse(FileError error);

enum class CreateOutcome { Created, AlreadyExists, Failed };
// How a whole file could be read: opened (Read), or why not. TooLarge and a
// Failed read come after the open.
enum class ReadOutcome { Read, Missing, Denied, InUse, TooLarge, Failed };
// Why a whole file could not be read, in the console's words; tooLarge says
// what the reader's size limit stands for.
const char* readFailureWords(ReadOutcome outcome, const char* tooLarge);
enum class ReplaceOutcome {
    Replaced,
    Held,     // another program has the file open without letting it be replaced
    ReadOnly, // the file is marked read-only: left alone
    Failed    // anything else (folder refused, ...)
};

enum class OpenMode {
    Read,        // reading; others may do anything meanwhile, even replace it
    ReadWrite,   // reading and writing; others may read and write
    WriteShared, // writing; others may read and write (a driver that keeps it open)
    // The new file, to put it in place: deletion and its attributes, and
    // with ...Security its access list too; others may do anything.
    ReplaceSecurity,
    Replace,
};

enum class RenameKind {
    Posix,   // by handle, over a target that readers hold with delete sharing
    Classic, // by handle, over a target no handle holds
    ByName,  // by name (MoveFileExW), where a file system knows no rename by handle
};

// Open an existing file; none of them ever creates one.
FileHandle openFile(const char* path, OpenMode mode, FileError* error = nullptr);
FileHandle openFileWriteShared(const char* path);
FileHandle openFileRead(const char* path, ReadOutcome* outcome);

// Creates the file only when it does not exist yet, so a file that merely
// could not be opened (locked, access denied) is never emptied.
FileHandle createNewFile(const char* path, CreateOutcome* outcome, FileError* error = nullptr);

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
// Whether an existing file is marked read-only; an error when it cannot be
// told (kErrorFileNotFound when there is no file).
FileError fileAttributes(const char* path, bool* readOnly);
// Puts the file `from` in place of `to` in one step, so that a reader finds
// either the old file or the new one, never a mixture or nothing; `to` keeps
// its attributes and, where the system lets it be copied, its access list.
// `to` need not exist.
ReplaceOutcome replaceFile(const char* from, const char* to);

// Create a directory; failure (including "already exists") is not reported
// because the open that follows tells whether the folder is usable.
void createDirectory(const char* path);

// Waits before a refused call is tried again.
void pauseBeforeRetry(unsigned milliseconds);

// The user's documents folder, without guarantee of a trailing backslash.
// False when it cannot be resolved.
bool documentsFolder(std::string* path);

// Every call above but documentsFolder goes through one table: the system's,
// unless a test or the fuzzer puts its own in place. Each failing call says
// why in *error.
struct FileLayer {
    FileHandle (*open)(const char* path, OpenMode mode, FileError* error);
    FileHandle (*createNew)(const char* path, FileError* error);
    bool (*seek)(FileHandle file, uint32_t offset);
    bool (*length)(FileHandle file, uint32_t* length);
    size_t (*read)(FileHandle file, void* buffer, size_t size);
    size_t (*write)(FileHandle file, const void* data, size_t size);
    bool (*flush)(FileHandle file);
    bool (*close)(FileHandle file);
    FileError (*remove)(const char* path);
    FileError (*attributes)(const char* path, bool* readOnly);
    // The attributes and access list of `to` given to the new file, open
    // as OpenMode::Replace... at `from`.
    FileError (*takeSecurity)(FileHandle file, const char* from, const char* to);
    // ByName renames `from`; the others the open file.
    FileError (*rename)(FileHandle file, const char* from, const char* to, RenameKind kind);
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
