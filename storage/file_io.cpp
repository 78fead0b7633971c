// The one way into the file layer: dispatches to the table in use and counts
// calls so a test can make any one of them fail. What to do with the
// system's errors is decided here, in portable code, so that the tests'
// model of Windows file systems runs the very decisions Windows meets.
#include "storage/file_io.h"

static const FileLayer* g_layer = &kSystemFiles;
static unsigned g_calls = 0;
static unsigned g_faultAt = 0;
static FileFault g_faultKind = FileFault::Fail;

// What an injected failure answers: nothing the program could take for
// "missing", "in use" or "not supported".
constexpr FileError kInjected = kErrorNotReady;

void useFileLayer(const FileLayer* layer) {
    g_layer = layer ? layer : &kSystemFiles;
}

void injectFileFault(unsigned call, FileFault kind) {
    g_calls = 0;
    g_faultAt = call;
    g_faultKind = kind;
}

unsigned fileCallsMade() {
    return g_calls;
}

bool isMissing(FileError error) {
    return error == kErrorFileNotFound || error == kErrorPathNotFound;
}

// Access denied too: the classic rename and FAT refuse a target with any
// open handle so, whatever its sharing.
const char* readFailureWords(ReadOutcome outcome, const char* tooLarge) {
    switch (outcome) {
    case ReadOutcome::Missing:
        return "no such file";
    case ReadOutcome::Denied:
        return "access denied";
    case ReadOutcome::InUse:
        return "held by another program (sharing violation)";
    case ReadOutcome::TooLarge:
        return tooLarge;
    default:
        return "cannot be read";
    }
}

bool isInUse(FileError error) {
    return error == kErrorAccessDenied || error == kErrorSharingViolation ||
           error == kErrorLockViolation;
}

static bool unsupported(FileError error) {
    return error == kErrorInvalidParameter || error == kErrorNotSupported ||
           error == kErrorInvalidFunction || error == kErrorCallNotImplemented;
}

// True when this call is the one to fail in the given way.
static bool faultDue(FileFault kind) {
    ++g_calls;
    return g_calls == g_faultAt && g_faultKind == kind;
}

FileHandle openFile(const char* path, OpenMode mode, FileError* error) {
    FileError ignored;
    if (error == nullptr)
        error = &ignored;
    *error = kFileOk;
    if (faultDue(FileFault::Fail)) {
        *error = kInjected;
        return kNoFile;
    }
    return g_layer->open(path, mode, error);
}

FileHandle openFileWriteShared(const char* path) {
    return openFile(path, OpenMode::WriteShared);
}

FileHandle openFileRead(const char* path, ReadOutcome* outcome) {
    FileError error = kFileOk;
    const FileHandle file = openFile(path, OpenMode::Read, &error);
    if (outcome != nullptr)
        *outcome = file != kNoFile               ? ReadOutcome::Read
                   : isMissing(error)            ? ReadOutcome::Missing
                   : error == kErrorAccessDenied ? ReadOutcome::Denied
                   : isInUse(error)              ? ReadOutcome::InUse
                                                 : ReadOutcome::Failed;
    return file;
}

FileHandle createNewFile(const char* path, CreateOutcome* outcome, FileError* error) {
    CreateOutcome ignoredOutcome;
    FileError ignoredError;
    if (outcome == nullptr)
        outcome = &ignoredOutcome;
    if (error == nullptr)
        error = &ignoredError;
    *error = kFileOk;
    const FileHandle file = faultDue(FileFault::Fail) ? kNoFile : g_layer->createNew(path, error);
    if (file == kNoFile && *error == kFileOk)
        *error = kInjected;
    *outcome = file != kNoFile ? CreateOutcome::Created
               : *error == kErrorFileExists || *error == kErrorAlreadyExists
                   ? CreateOutcome::AlreadyExists
                   : CreateOutcome::Failed;
    return file;
}

bool seekFile(FileHandle file, uint32_t offset) {
    return !faultDue(FileFault::Fail) && g_layer->seek(file, offset);
}

bool fileLength(FileHandle file, uint32_t* length) {
    return !faultDue(FileFault::Fail) && g_layer->length(file, length);
}

size_t readFile(FileHandle file, void* buffer, size_t size) {
    return faultDue(FileFault::Fail) ? 0 : g_layer->read(file, buffer, size);
}

size_t writeFile(FileHandle file, const void* data, size_t size) {
    ++g_calls;
    if (g_calls == g_faultAt)
        return g_faultKind == FileFault::Fail ? 0 : g_layer->write(file, data, size / 2);
    return g_layer->write(file, data, size);
}

bool flushFile(FileHandle file) {
    return !faultDue(FileFault::Fail) && g_layer->flush(file);
}

bool closeFile(FileHandle file) {
    if (file == kNoFile)
        return true;
    const bool fault = faultDue(FileFault::Fail);
    return g_layer->close(file) && !fault; // the handle must go even so
}

bool removeFile(const char* path) {
    return !faultDue(FileFault::Fail) && g_layer->remove(path) == kFileOk;
}

FileError fileAttributes(const char* path, bool* readOnly) {
    *readOnly = false;
    return faultDue(FileFault::Fail) ? kInjected : g_layer->attributes(path, readOnly);
}

static FileError takeSecurity(FileHandle file, const char* from, const char* to) {
    return faultDue(FileFault::Fail) ? kInjected : g_layer->takeSecurity(file, from, to);
}

static FileError renameFile(FileHandle file, const char* from, const char* to, RenameKind kind) {
    return faultDue(FileFault::Fail) ? kInjected : g_layer->rename(file, from, to, kind);
}

// A scanner or an indexer may open the new file the moment it is closed,
// without delete sharing, for about as long as it takes to read it.
enum : unsigned { kNewFileAttempts = 20, kNewFilePauseMs = 100 };

// The new file opened to be renamed, with its access list writable where
// the system allows that (a share with "Change" permission does not).
static FileHandle openForReplace(const char* from, FileError* error) {
    for (unsigned attempt = 1;; ++attempt) {
        FileHandle file = openFile(from, OpenMode::ReplaceSecurity, error);
        if (file == kNoFile && *error == kErrorAccessDenied)
            file = openFile(from, OpenMode::Replace, error);
        if (file != kNoFile || !isInUse(*error) || *error == kErrorAccessDenied ||
            attempt == kNewFileAttempts)
            return file;
        pauseBeforeRetry(kNewFilePauseMs);
    }
}

// By the best rename the file system offers: with POSIX semantics (Windows
// 10 1607 and later on NTFS) a reader that shares deletion goes on reading
// the old file; the classic rename (older Windows, FAT, network shares, Wine)
// is refused while any handle is open on the target; by name where neither
// rename by handle is known. ReplaceFileW is not used: where it fails it can
// leave no file under the target's name (its errors 1176 and 1177).
ReplaceOutcome replaceFile(const char* from, const char* to) {
    bool readOnly = false;
    const FileError state = fileAttributes(to, &readOnly);
    if (state != kFileOk && !isMissing(state))
        return ReplaceOutcome::Failed;
    const bool exists = state == kFileOk;
    if (readOnly)
        return ReplaceOutcome::ReadOnly;
    FileError error = kFileOk;
    const FileHandle file = openForReplace(from, &error);
    if (file == kNoFile)
        return ReplaceOutcome::Failed;
    // Refused (no WRITE_DAC, no access lists at all), the new file keeps
    // the folder's inherited list: still atomic, which matters more.
    if (exists)
        takeSecurity(file, from, to);
    error = renameFile(file, from, to, RenameKind::Posix);
    if (unsupported(error))
        error = renameFile(file, from, to, RenameKind::Classic);
    closeFile(file);
    if (unsupported(error))
        error = renameFile(kNoFile, from, to, RenameKind::ByName);
    if (error == kFileOk)
        return ReplaceOutcome::Replaced;
    return exists && isInUse(error) ? ReplaceOutcome::Held : ReplaceOutcome::Failed;
}

// Not counted: its failure is never reported, the open that follows tells.
void createDirectory(const char* path) {
    g_layer->createDirectory(path);
}

void pauseBeforeRetry(unsigned milliseconds) {
    g_layer->pause(milliseconds);
}
