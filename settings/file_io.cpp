// The one way into the file layer: dispatches to the table in use and counts
// calls so a test can make any one of them fail.
#include "settings/file_io.h"

static const FileLayer* g_layer = &kSystemFiles;
static unsigned g_calls = 0;
static unsigned g_faultAt = 0;
static FileFault g_faultKind = FileFault::Fail;

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

// True when this call is the one to fail in the given way.
static bool faultDue(FileFault kind) {
    ++g_calls;
    return g_calls == g_faultAt && g_faultKind == kind;
}

FileHandle openFileReadWrite(const char* path) {
    return faultDue(FileFault::Fail) ? kNoFile : g_layer->openReadWrite(path);
}

FileHandle openFileWriteShared(const char* path) {
    return faultDue(FileFault::Fail) ? kNoFile : g_layer->openWriteShared(path);
}

FileHandle openFileRead(const char* path, OpenFailure* failure) {
    OpenFailure ignored;
    if (failure == nullptr)
        failure = &ignored;
    if (faultDue(FileFault::Fail)) {
        *failure = OpenFailure::Other;
        return kNoFile;
    }
    *failure = OpenFailure::None;
    return g_layer->openRead(path, failure);
}

FileHandle createNewFile(const char* path, CreateOutcome* outcome) {
    CreateOutcome ignored;
    if (outcome == nullptr)
        outcome = &ignored;
    if (faultDue(FileFault::Fail)) {
        *outcome = CreateOutcome::Failed;
        return kNoFile;
    }
    return g_layer->createNew(path, outcome);
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
    return !faultDue(FileFault::Fail) && g_layer->remove(path);
}

ReplaceOutcome replaceFile(const char* from, const char* to) {
    return faultDue(FileFault::Fail) ? ReplaceOutcome::Failed : g_layer->replace(from, to);
}

// Not counted: its failure is never reported, the open that follows tells.
void createDirectory(const char* path) {
    g_layer->createDirectory(path);
}

void pauseBeforeRetry(unsigned milliseconds) {
    g_layer->pause(milliseconds);
}
