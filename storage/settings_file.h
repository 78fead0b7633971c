// The settings file KELDORIX.INI on disk (its layout is settings/file_layout.h).
// Each load opens the file, handles one block and closes it
// again; nothing stays open while the sheet runs. OK saves the whole file in
// one step, and only over the file that start-up loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/file_layout.h"

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
    Unreadable,  // the file exists but could not be opened or read (or, read-only,
                 // holds no settings of this version), or its folder could not
                 // be opened: it was left untouched
    NotBackedUp  // a foreign version could not be kept aside; the file was left untouched
};

// The settings folder (no trailing backslash) as UTF-8, Adobe and
// Illustrator created on the way unless told not to; false when the
// documents folder is unknown.
bool settingsFolder(std::string* folder, bool createFolders = true);
// The full path of the settings file, UTF-8.
bool settingsFilePath(std::string* path, bool createFolders = true);

// Record, then catalogue, then the carried region; the worst of the three.
// Stops at the first that leaves the file untouched for the operator to decide.
LoadStatus loadSettings();

// Where the last loadSettings kept a file it had to replace; empty when none.
const char* settingsBackupPath();

enum class SaveOutcome {
    Saved,
    Changed,     // another program changed (or removed) the file since it was
                 // loaded, or since the last Changed: nothing written
    Unavailable, // no usable path, and no file to save into
    Unreadable,  // the file exists but cannot be read: nothing written
    NotBackedUp, // the changed file could not be kept aside: nothing written
    ReadOnly,    // the file is marked read-only: nothing written
    Failed,      // not written: the file is as it was
};

// OK's one write: the settings file as it is now with the in-memory record
// and catalogue block put in, in place of the file in one step; every other
// byte of the file stays as it is. With keepChangedFile, the file as the last
// Changed found it is first kept under the next backup name, then replaced.
SaveOutcome saveSettings(bool keepChangedFile);

// The settings file as OK would save it now, were nobody else to change it:
// the file as last loaded or saved, with the in-memory record and catalogue
// block put in. False before any file was read.
bool settingsImageToSave(std::vector<unsigned char>* image);

// Where saveSettings kept the changed file; "" when it kept none.
const char* savedBackupPath();
