#include "settings/settings_file.h"

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
    if (!appendText(path, sizeof path, "\\Adobe"))
        return false;
    createDirectory(path);
    if (!appendText(path, sizeof path, "\\Illustrator"))
        return false;
    createDirectory(path);
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
    if (!appendText(buffer, capacity, "KELDORIX.INI")) {
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

static void initialiseSettingsFile(FileHandle file) {
    const unsigned char version[2] = {kSettingsVersion & 0xFF, kSettingsVersion >> 8};
    writeAt(file, 0, version, sizeof version);
    static const unsigned char zeros[256] = {};
    for (int i = 0; i < 70; ++i)
        writeFile(file, zeros, sizeof zeros);
    recordDefaults(&g_plotterRecord);
    writeAt(file, kRecordOffset, &g_plotterRecord, kRecordSize);
    ResetPaperCatalogue();
    writeAt(file, kCatalogueOffset, &g_paperCatalogue, kCatalogueSize);
}

static void checkVersion(FileHandle file) {
    unsigned char version[2] = {};
    const size_t got = readAt(file, 0, version, sizeof version);
    const unsigned value = version[0] | (version[1] << 8);
    if (got != sizeof version || value != kSettingsVersion)
        initialiseSettingsFile(file);
}

LoadStatus loadBlock(uint32_t offset, uint32_t size, void* destination) {
    char path[kPathBufferSize];
    if (!buildSettingsPath(path, sizeof path))
        return LoadStatus::Unavailable;
    LoadStatus status = LoadStatus::Loaded;
    FileHandle file = openFileReadWrite(path);
    if (file == kNoFile) {
        CreateOutcome outcome;
        file = createNewFile(path, &outcome);
        if (outcome == CreateOutcome::AlreadyExists)
            return LoadStatus::Unreadable;
        if (file == kNoFile)
            return LoadStatus::Unavailable;
        initialiseSettingsFile(file);
        status = LoadStatus::Created;
    }
    checkVersion(file);
    // A file that ends early leaves the rest of the destination as it was.
    readAt(file, offset, destination, size);
    closeFile(file);
    return status;
}

LoadStatus loadSettings() {
    const LoadStatus statuses[] = {
        loadBlock(kRecordOffset, kRecordSize, &g_plotterRecord),
        loadBlock(kCatalogueOffset, kCatalogueSize, &g_paperCatalogue),
        loadBlock(kCarriedOffset, kCarriedSize, g_carriedRegion),
    };
    // The worst outcome wins: a file that exists but could not be read must
    // reach the caller even when an earlier load got through.
    LoadStatus worst = LoadStatus::Loaded;
    for (LoadStatus status : statuses)
        if (static_cast<int>(status) > static_cast<int>(worst))
            worst = status;
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
    closeFile(file);
    return written;
}

bool savePlotterSettings(const void* record) {
    return saveBlock(kRecordOffset, kRecordSize, record);
}

bool savePaperCatalogue(const void* catalogue) {
    return saveBlock(kCatalogueOffset, kCatalogueSize, catalogue);
}
