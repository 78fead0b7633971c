#include "settings/settings_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "settings/catalogue.h"
#include "settings/file_io.h"
#include "settings/record.h"

unsigned char g_carriedRegion[kCarriedSize];

static_assert(sizeof(PlotterRecord) == kRecordSize, "record block size");
static_assert(sizeof(PaperCatalogue) == kCatalogueSize, "catalogue block size");

static bool appendText(char* buffer, size_t capacity, const char* text) {
    const size_t used = std::strlen(buffer);
    const size_t add = std::strlen(text);
    if (used + add + 1 > capacity)
        return false;
    std::memcpy(buffer + used, text, add + 1);
    return true;
}

bool resolveSettingsFolder(char* buffer, size_t capacity) {
    if (buffer == nullptr || capacity == 0)
        return false;
    buffer[0] = '\0';
    char path[kPathBufferSize] = {};
    if (!documentsFolder(path, sizeof path) || path[0] == '\0')
        return false;
    const size_t length = std::strlen(path);
    if (path[length - 1] == '\\') // a documents folder at the root of a drive
        path[length - 1] = '\0';
    for (const char* folder : kSettingsFolders) {
        if (!appendText(path, sizeof path, "\\") || !appendText(path, sizeof path, folder))
            return false;
        createDirectory(path);
    }
    // A path cut to fit would name some other folder: refuse instead.
    if (std::strlen(path) + 1 > capacity)
        return false;
    std::strcpy(buffer, path);
    return true;
}

bool buildSettingsPath(char* buffer, size_t capacity) {
    if (buffer == nullptr || capacity == 0)
        return false;
    buffer[0] = '\0';
    char folder[kPathBufferSize];
    if (!resolveSettingsFolder(folder, kPathBufferSize - 1))
        return false;
    const size_t length = std::strlen(folder);
    if (length > 0 && folder[length - 1] != '\\' && !appendText(folder, sizeof folder, "\\"))
        return false;
    if (std::strlen(folder) + 1 > capacity)
        return false;
    std::strcpy(buffer, folder);
    if (!appendText(buffer, capacity, kSettingsFileName)) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}

static bool writeAt(FileHandle file, uint32_t offset, const void* data, size_t size) {
    return seekFile(file, offset) && writeFile(file, data, size) == size;
}

static size_t readAt(FileHandle file, uint32_t offset, void* destination, size_t size) {
    if (!seekFile(file, offset))
        return 0;
    return readFile(file, destination, size);
}

// The version word, zeros up to offset 17921 and the defaults; bytes beyond
// that stay. Memory gets the defaults even when the file refuses them.
static bool initialiseSettingsFile(FileHandle file) {
    const unsigned char version[2] = {kSettingsVersion & 0xFF, kSettingsVersion >> 8};
    bool written = writeAt(file, 0, version, sizeof version);
    static const unsigned char zeros[256] = {};
    for (int i = 0; i < 70 && written; ++i)
        written = writeFile(file, zeros, sizeof zeros) == sizeof zeros;
    recordDefaults(&g_plotterRecord);
    ResetPaperCatalogue();
    return written && writeAt(file, kRecordOffset, &g_plotterRecord, kRecordSize) &&
           writeAt(file, kCatalogueOffset, &g_paperCatalogue, kCatalogueSize);
}

static char g_backupPath[kBackupPathSize];

const char* settingsBackupPath() {
    return g_backupPath;
}

bool settingsBackupName(const char* path, int n, char* out, size_t capacity) {
    const int written = n == 0 ? std::snprintf(out, capacity, "%s.bak", path)
                               : std::snprintf(out, capacity, "%s.%d.bak", path, n);
    return written > 0 && static_cast<size_t>(written) < capacity;
}

static bool copyWhole(FileHandle from, uint32_t length, FileHandle to) {
    if (!seekFile(from, 0))
        return false;
    unsigned char chunk[4096];
    for (uint32_t done = 0; done < length;) {
        const size_t part = std::min<uint32_t>(length - done, sizeof chunk);
        if (readFile(from, chunk, part) != part || writeFile(to, chunk, part) != part)
            return false;
        done += static_cast<uint32_t>(part);
    }
    return true;
}

// A whole copy of the file beside it, under a name no file has yet: an
// existing backup is somebody's settings too.
static bool backUpSettingsFile(FileHandle file, uint32_t length, const char* path) {
    for (int n = 0; n < kBackupNameCount; ++n) {
        char name[kBackupPathSize];
        if (!settingsBackupName(path, n, name, sizeof name))
            return false;
        CreateOutcome outcome;
        const FileHandle backup = createNewFile(name, &outcome);
        if (outcome == CreateOutcome::AlreadyExists)
            continue;
        if (backup == kNoFile)
            return false;
        const bool copied = copyWhole(file, length, backup);
        if (closeFile(backup) && copied) {
            std::memcpy(g_backupPath, name, sizeof name);
            return true;
        }
        removeFile(name); // a partial copy must not pass for the old file
        return false;
    }
    return false;
}

// A file without version 302 is initialised, but one with anything in it
// only once a whole copy of it is kept. length receives the file's length
// as the read that follows finds it.
static LoadStatus checkVersion(FileHandle file, const char* path, uint32_t* length) {
    if (!fileLength(file, length))
        return LoadStatus::Unreadable;
    unsigned char version[2] = {};
    if (*length >= sizeof version) {
        if (readAt(file, 0, version, sizeof version) != sizeof version)
            return LoadStatus::Unreadable; // unread is not foreign
        if ((version[0] | (version[1] << 8)) == kSettingsVersion)
            return LoadStatus::Loaded;
    }
    LoadStatus status = LoadStatus::Loaded; // an empty file holds nothing to keep
    if (*length > 0) {
        if (!backUpSettingsFile(file, *length, path))
            return LoadStatus::NotBackedUp;
        status = LoadStatus::Replaced;
    }
    if (!initialiseSettingsFile(file))
        return LoadStatus::Unavailable;
    *length = std::max<uint32_t>(*length, kSettingsFileSize);
    return status;
}

LoadStatus loadBlock(uint32_t offset, uint32_t size, void* destination) {
    char path[kPathBufferSize];
    if (!buildSettingsPath(path, sizeof path))
        return LoadStatus::Unavailable;
    LoadStatus status;
    uint32_t length = kSettingsFileSize;
    FileHandle file = openFileReadWrite(path);
    if (file == kNoFile) {
        CreateOutcome outcome;
        file = createNewFile(path, &outcome);
        if (outcome == CreateOutcome::AlreadyExists)
            return LoadStatus::Unreadable;
        if (file == kNoFile)
            return LoadStatus::Unavailable;
        status = initialiseSettingsFile(file) ? LoadStatus::Created : LoadStatus::Unavailable;
    } else {
        status = checkVersion(file, path, &length);
    }
    if (status >= LoadStatus::Unavailable) {
        closeFile(file);
        return status;
    }
    // A file that ends early leaves the rest of the destination as it was;
    // fewer bytes than the file holds there is a failed read.
    const uint32_t held = length > offset ? std::min(size, length - offset) : 0;
    if (readAt(file, offset, destination, size) < held)
        status = LoadStatus::Unreadable;
    // Defaults just written may not have reached the file.
    if (!closeFile(file) && status != LoadStatus::Loaded && status != LoadStatus::Unreadable)
        status = LoadStatus::Unavailable;
    return status;
}

LoadStatus loadSettings() {
    g_backupPath[0] = '\0';
    const struct {
        uint32_t offset, size;
        void* block;
    } blocks[] = {
        {kRecordOffset, kRecordSize, &g_plotterRecord},
        {kCatalogueOffset, kCatalogueSize, &g_paperCatalogue},
        {kCarriedOffset, kCarriedSize, g_carriedRegion},
    };
    // The worst outcome wins. After a failure the later loads are not tried:
    // the file is left as it is for the operator to decide, and a second
    // attempt must not make a second backup of the same file.
    LoadStatus worst = LoadStatus::Loaded;
    for (const auto& block : blocks) {
        const LoadStatus status = loadBlock(block.offset, block.size, block.block);
        if (status > worst)
            worst = status;
        if (status >= LoadStatus::Unavailable)
            break;
    }
    return worst;
}

static bool saveBlock(uint32_t offset, uint32_t size, const void* block) {
    if (block == nullptr)
        return false;
    char path[kPathBufferSize];
    if (!buildSettingsPath(path, sizeof path))
        return false;
    const FileHandle file = openFileWriteOnly(path);
    if (file == kNoFile)
        return false;
    const bool written = writeAt(file, offset, block, size);
    return closeFile(file) && written;
}

bool savePlotterSettings(const void* record) {
    return saveBlock(kRecordOffset, kRecordSize, record);
}

bool savePaperCatalogue(const void* catalogue) {
    return saveBlock(kCatalogueOffset, kCatalogueSize, catalogue);
}
