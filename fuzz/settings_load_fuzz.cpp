// Arbitrary settings-file contents through the real loader, then every
// catalogue operation on whatever block came out of it. The file lives in
// memory behind the file layer, so each input costs no system call.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/catalogue.h"
#include "settings/file_io.h"
#include "settings/file_io_posix.h"
#include "settings/settings_file.h"
#include "units/units.h"

namespace {

struct MemoryFile {
    std::string path;
    std::vector<unsigned char> bytes;
    size_t position = 0;
    bool exists = false;
};

// The settings file and the backup the loader makes beside it. Reused from
// input to input, so that no input pays for fresh memory.
MemoryFile g_files[2];

MemoryFile* fileAt(FileHandle handle) {
    return handle >= 0 && handle < 2 && g_files[handle].exists ? &g_files[handle] : nullptr;
}

FileHandle find(const char* path) {
    for (FileHandle i = 0; i < 2; ++i)
        if (g_files[i].exists && g_files[i].path == path)
            return i;
    return kNoFile;
}

FileHandle memoryOpenExisting(const char* path) {
    const FileHandle handle = find(path);
    if (handle != kNoFile)
        g_files[handle].position = 0;
    return handle;
}

FileHandle memoryCreateNew(const char* path, CreateOutcome* outcome) {
    if (find(path) != kNoFile) {
        *outcome = CreateOutcome::AlreadyExists;
        return kNoFile;
    }
    if (g_files[1].exists)
        std::abort(); // a second backup of the same file
    *outcome = CreateOutcome::Created;
    MemoryFile& file = g_files[1];
    file.path = path;
    file.bytes.clear();
    file.position = 0;
    file.exists = true;
    return 1;
}

bool memorySeek(FileHandle handle, uint32_t offset) {
    MemoryFile* file = fileAt(handle);
    if (file == nullptr)
        std::abort();
    file->position = offset;
    return true;
}

bool memoryLength(FileHandle handle, uint32_t* out) {
    *out = static_cast<uint32_t>(fileAt(handle)->bytes.size());
    return true;
}

size_t memoryRead(FileHandle handle, void* buffer, size_t size) {
    MemoryFile* file = fileAt(handle);
    const size_t available =
        file->position < file->bytes.size() ? file->bytes.size() - file->position : 0;
    const size_t n = std::min(size, available);
    if (n > 0)
        std::memcpy(buffer, file->bytes.data() + file->position, n);
    file->position += n;
    return n;
}

size_t memoryWrite(FileHandle handle, const void* data, size_t size) {
    MemoryFile* file = fileAt(handle);
    if (file->bytes.size() < file->position + size)
        file->bytes.resize(file->position + size);
    std::memcpy(file->bytes.data() + file->position, data, size);
    file->position += size;
    return size;
}

bool memoryClose(FileHandle handle) {
    return fileAt(handle) != nullptr;
}

bool memoryRemove(const char*) {
    std::abort(); // only a failed backup is removed, and memory never fails
}

void memoryMakeDirectory(const char*) {}

const FileLayer kMemoryFiles = {
    memoryOpenExisting, memoryOpenExisting, memoryCreateNew, memorySeek,   memoryLength,
    memoryRead,         memoryWrite,        memoryClose,     memoryRemove, memoryMakeDirectory};

char g_settingsPath[kPathBufferSize];

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setDocumentsFolder("C:\\fuzz");
    useFileLayer(&kMemoryFiles);
    if (!buildSettingsPath(g_settingsPath, sizeof g_settingsPath))
        std::abort();
    g_files[0].path = g_settingsPath;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    g_files[0].bytes.assign(data, data + size);
    g_files[0].exists = true;
    g_files[1].exists = false;
    if (loadSettings() > LoadStatus::Replaced)
        std::abort();

    // A foreign file is kept whole before anything is written over it, and
    // the part beyond the layout survives in place.
    const std::vector<unsigned char>& after = g_files[0].bytes;
    const bool sound = size >= 2 && (data[0] | (data[1] << 8)) == kSettingsVersion;
    const bool kept = settingsBackupPath()[0] != '\0';
    if (kept != (!sound && size > 0) || g_files[1].exists != kept)
        std::abort();
    const auto same = [](const std::vector<unsigned char>& bytes, const uint8_t* expected,
                         size_t from, size_t to) {
        return bytes.size() >= to &&
               (to == from || std::memcmp(bytes.data() + from, expected + from, to - from) == 0);
    };
    if (kept && (g_files[1].bytes.size() != size || !same(g_files[1].bytes, data, 0, size) ||
                 !same(after, data, std::min<size_t>(size, kSettingsFileSize), size)))
        std::abort();
    if (sound && (after.size() != size || !same(after, data, 0, size)))
        std::abort();

    char name[kPaperNameSize] = "";
    int16_t w, l, r;
    for (int i = -1; i <= kMaxPaperEntries; ++i) {
        if (!GetPaperEntry(i, name, sizeof name, &w, &l, &r))
            continue;
        char text[64];
        lengthToText(w, g_paperCatalogue.lengthUnit, text, sizeof text);
        if (textToLength(text, g_paperCatalogue.lengthUnit) != w)
            std::abort();
    }
    InsertPaperEntry(0, name, 1, 2, 0);
    ReplacePaperEntry(PaperCount() - 1, name, 3, 4, 1);
    RemovePaperEntry(PaperCount() / 2);
    if (!savePaperCatalogue(&g_paperCatalogue))
        std::abort();
    return 0;
}
