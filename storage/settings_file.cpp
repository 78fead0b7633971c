#include "storage/settings_file.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "settings/catalogue.h"
#include "settings/default_image.h"
#include "settings/le_bytes.h"
#include "settings/record.h"
#include "storage/file_io.h"
#include "storage/settings_commit.h"

// Loaded like the other two blocks, so a file unreadable there is reported
// the same way, and kept as this program read it; nothing reads it, and a save
// keeps the region's bytes as the file itself holds them, never these.
unsigned char g_carriedRegion[kCarriedSize];

bool settingsFolder(std::string* folder, bool createFolders) {
    std::string path;
    if (!documentsFolder(&path) || path.empty())
        return false;
    if (path.back() == '\\') // a documents folder at the root of a drive
        path.pop_back();
    for (const char* name : kSettingsFolders) {
        path = path + "\\" + name;
        if (createFolders)
            createDirectory(path.c_str());
    }
    *folder = path;
    return true;
}

bool settingsFilePath(std::string* path, bool createFolders) {
    std::string folder;
    if (!settingsFolder(&folder, createFolders))
        return false;
    *path = folder + "\\" + kSettingsFileName;
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

// The default image over the file's first 17922 bytes; bytes beyond that
// stay. Memory gets the defaults even when the file refuses them.
static bool initialiseSettingsFile(FileHandle file) {
    const FileBytes image = defaultSettingsImage();
    std::memcpy(&g_plotterRecord, &image[kRecordOffset], kRecordSize);
    std::memcpy(&g_paperCatalogue, &image[kCatalogueOffset], kCatalogueSize);
    return writeAt(file, 0, image.data(), image.size());
}

static std::string g_backupPath;

const char* settingsBackupPath() {
    return g_backupPath.c_str();
}

// A file without version 302 is initialised, but one with anything in it
// only once a whole copy of it is kept, and a read-only one not at all.
// length receives the file's length as the read that follows finds it.
static LoadStatus checkVersion(FileHandle file, const std::string& path, bool writable,
                               uint32_t* length) {
    if (!fileLength(file, length) || *length > kLargestFile)
        return LoadStatus::Unreadable;
    unsigned char version[2] = {};
    if (*length >= sizeof version) {
        if (readAt(file, 0, version, sizeof version) != sizeof version)
            return LoadStatus::Unreadable; // unread is not foreign
        uint32_t word = 0;
        if (loadLe(version, sizeof version, 0, sizeof version, &word) && word == kSettingsVersion)
            return LoadStatus::Loaded;
    }
    bool readOnly = false;
    if (!writable || fileAttributes(path.c_str(), &readOnly) != kFileOk || readOnly)
        return LoadStatus::Unreadable;
    LoadStatus status = LoadStatus::Loaded; // an empty file holds nothing to keep
    if (*length > 0) {
        FileBytes old(*length);
        if (readAt(file, 0, old.data(), *length) != *length)
            return LoadStatus::NotBackedUp;
        g_backupPath = keepBesideFile(path, old);
        if (g_backupPath.empty())
            return LoadStatus::NotBackedUp;
        status = LoadStatus::Replaced;
    }
    if (!initialiseSettingsFile(file))
        return LoadStatus::Unavailable;
    *length = std::max<uint32_t>(*length, kSettingsFileSize);
    return status;
}

// The file as start-up found it (created or initialised first where it had
// to be), and as the last save that found it changed saw it; none when there
// was no file to read.
static std::optional<FileBytes> g_loaded;
static std::optional<FileBytes> g_seen;

// One block; with image, from the whole file, which *image receives.
static LoadStatus loadBlock(uint32_t offset, uint32_t size, void* destination, FileBytes* image) {
    std::string path;
    if (!settingsFilePath(&path))
        return LoadStatus::Unavailable;
    LoadStatus status;
    uint32_t length = kSettingsFileSize;
    FileError error = kFileOk;
    FileHandle file = openFile(path.c_str(), OpenMode::ReadWrite, &error);
    bool writable = file != kNoFile, readOnly = false;
    // Windows opens a read-only file for reading only: its settings show,
    // and OK says it cannot save them.
    if (error == kErrorAccessDenied && fileAttributes(path.c_str(), &readOnly) == kFileOk &&
        readOnly)
        file = openFile(path.c_str(), OpenMode::Read, &error);
    if (file != kNoFile) {
        status = checkVersion(file, path, writable, &length);
    } else if (!isMissing(error)) {
        // A server that is down or a folder that refuses access is no
        // missing file: defaults would later be saved over the real one.
        return LoadStatus::Unreadable;
    } else {
        CreateOutcome outcome;
        file = createNewFile(path.c_str(), &outcome);
        if (outcome == CreateOutcome::AlreadyExists)
            return LoadStatus::Unreadable;
        if (file == kNoFile)
            return LoadStatus::Unavailable;
        status = initialiseSettingsFile(file) ? LoadStatus::Created : LoadStatus::Unavailable;
    }
    if (status >= LoadStatus::Unavailable) {
        closeFile(file);
        return status;
    }
    // A file that ends early leaves the rest of the destination as it was;
    // fewer bytes than the file holds there is a failed read.
    const uint32_t held = length > offset ? std::min(size, length - offset) : 0;
    if (image == nullptr) {
        if (readAt(file, offset, destination, size) < held)
            status = LoadStatus::Unreadable;
    } else {
        image->resize(length);
        if (length > 0 && readAt(file, 0, image->data(), length) != length) {
            image->clear();
            status = LoadStatus::Unreadable;
        } else if (held > 0) {
            std::memcpy(destination, image->data() + offset, held);
        }
    }
    // Defaults just written may not have reached the file.
    if (!closeFile(file) && status != LoadStatus::Loaded && status != LoadStatus::Unreadable)
        status = LoadStatus::Unavailable;
    return status;
}

LoadStatus loadSettings() {
    g_backupPath.clear();
    g_loaded.reset();
    g_seen.reset();
    FileBytes image;
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
        // What the sheet starts from is the file as the first load read it:
        // any change after that counts as another program's.
        const LoadStatus status =
            loadBlock(block.offset, block.size, block.block, g_loaded ? nullptr : &image);
        if (status > worst)
            worst = status;
        if (status >= LoadStatus::Unavailable)
            break;
        if (!g_loaded)
            g_loaded = std::move(image);
    }
    if (worst >= LoadStatus::Unavailable)
        g_loaded.reset();
    // Defaults this program failed to write whole are its own doing, not
    // another program's: OK saves over them without asking.
    std::string path;
    if (worst == LoadStatus::Unavailable && settingsFilePath(&path, false) &&
        readWholeFile(path, &image) == ReadOutcome::Read)
        g_loaded = std::move(image);
    return worst;
}

static void putBlock(FileBytes* image, uint32_t offset, const void* block, uint32_t size) {
    if (image->size() < offset + size)
        image->resize(offset + size, 0); // as a write beyond the end grows a file
    std::memcpy(image->data() + offset, block, size);
}

// The blocks this program owns, from memory, over a file's bytes.
static void putOwnBlocks(FileBytes* image) {
    putBlock(image, kRecordOffset, &g_plotterRecord, kRecordSize);
    putBlock(image, kCatalogueOffset, &g_paperCatalogue, kCatalogueSize);
}

bool settingsImageToSave(std::vector<unsigned char>* image) {
    if (!g_loaded)
        return false;
    *image = *g_loaded;
    putOwnBlocks(image);
    return true;
}

static std::string g_savedBackupPath;

const char* savedBackupPath() {
    return g_savedBackupPath.c_str();
}

SaveOutcome saveSettings(bool keepChangedFile) {
    g_savedBackupPath.clear();
    CommitRequest request;
    if (!settingsFilePath(&request.path))
        return SaveOutcome::Unavailable;
    request.compare = true;
    const std::optional<FileBytes>& expected = keepChangedFile ? g_seen : g_loaded;
    request.expected = expected ? &*expected : nullptr;
    request.keepCurrent = keepChangedFile;
    // A file removed meanwhile is saved as start-up found it.
    request.build = [](const FileBytes* current, FileBytes* image) {
        if (current == nullptr && !g_loaded)
            return false;
        *image = current ? *current : *g_loaded;
        putOwnBlocks(image);
        return true;
    };
    CommitResult result = commitFile(request);
    switch (result.outcome) {
    case CommitOutcome::Saved:
        g_loaded = std::move(result.image);
        g_seen.reset();
        g_savedBackupPath = result.backup;
        return SaveOutcome::Saved;
    case CommitOutcome::Changed:
        if (result.read == ReadOutcome::Read)
            g_seen = std::move(result.current);
        else
            g_seen.reset();
        return SaveOutcome::Changed;
    case CommitOutcome::Unreadable:
        return SaveOutcome::Unreadable;
    case CommitOutcome::NotBackedUp:
        return SaveOutcome::NotBackedUp;
    case CommitOutcome::NotBuilt:
        return SaveOutcome::Unavailable;
    case CommitOutcome::ReadOnly:
        return SaveOutcome::ReadOnly;
    case CommitOutcome::Failed:
        break;
    }
    return result.read == ReadOutcome::Missing ? SaveOutcome::Unavailable : SaveOutcome::Failed;
}
