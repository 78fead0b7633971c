// The settings file KELDORIX.INI: a fixed binary layout shared with the
// plotter driver. Each load or save opens the file, handles one block and
// closes it again; nothing stays open while the sheet runs.
#pragma once

#include <cstddef>
#include <cstdint>

enum : uint32_t {
    kSettingsFileSize = 17922,
    kSettingsVersion = 302,
    kRecordOffset = 2,
    kRecordSize = 756,
    kCatalogueOffset = 1538,
    kCatalogueSize = 6938,
    kCarriedOffset = 9730,
    kCarriedSize = 7924,
};

enum : size_t {
    kPathBufferSize = 256,
    // The settings path and a backup suffix such as ".99.bak".
    kBackupPathSize = kPathBufferSize + 8,
};

// The settings folder is these folders in turn below the documents folder.
inline constexpr const char* kSettingsFolders[] = {"Adobe", "Illustrator"};
inline constexpr char kSettingsFileName[] = "KELDORIX.INI";

// Bytes of the file this program carries without interpreting.
extern unsigned char g_carriedRegion[kCarriedSize];

// Ordered from best to worst.
enum class LoadStatus {
    Loaded,      // read from an existing file (an empty one initialised first)
    Created,     // the file was missing and has been created with defaults
    Replaced,    // a foreign version was kept as settingsBackupPath(), then initialised
    Unavailable, // no usable path, the file could not be created, or writing its defaults failed
    Unreadable,  // the file exists but could not be opened or read; it was left untouched
    NotBackedUp  // a foreign version could not be kept aside; the file was left untouched
};

// Writes the settings folder (no trailing backslash) into buffer, creating
// Adobe and Illustrator on the way. False when the folder is unknown or does
// not fit capacity - 1 characters.
bool resolveSettingsFolder(char* buffer, size_t capacity);

// The full path of the settings file; false when it does not fit.
bool buildSettingsPath(char* buffer, size_t capacity);

LoadStatus loadBlock(uint32_t offset, uint32_t size, void* destination);

// Record, then catalogue, then the carried region; the worst of the three.
// Stops at the first that leaves the file untouched for the operator to decide.
LoadStatus loadSettings();

// Where the last loadSettings kept a file it had to replace; empty when none.
const char* settingsBackupPath();

// Backups of the settings file are path.bak, then path.1.bak to path.99.bak;
// n counts through them from 0. False when the name does not fit capacity.
enum : int { kBackupNameCount = 100 };
bool settingsBackupName(const char* path, int n, char* out, size_t capacity);

// True only when the whole block reached the file. A save never creates the
// file and never touches the version word.
bool savePlotterSettings(const void* record);
bool savePaperCatalogue(const void* catalogue);
