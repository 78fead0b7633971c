// Presets: whole or partial sets of settings kept under a name, for an
// operator who switches between plotters or materials. A preset is a zembcfg
// export document (UTF-8 TOML) in a file NAME.toml, in the operator's own
// folder or in the workstation's shared one, which the program only reads.
// One implementation for the sheet's dialog and for zembcfg preset. Paths are
// UTF-8, Windows-style, as the file layer takes them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "documents/export_document.h"
#include "settings/page_setup.h"

// ---- folders -------------------------------------------------------------

struct PresetFolders {
    std::string own;    // %APPDATA%\Calderwick\ZEMBSerConfig\Presets; "" for none
    std::string shared; // %ProgramData%\Calderwick\ZEMBSerConfig\Presets; "" for none
};

// This user's and this machine's folders; false where the system has no
// such folders (not Windows) or cannot name them. Nothing is created.
bool systemPresetFolders(PresetFolders* folders);

// ---- names ---------------------------------------------------------------

enum : int { kPresetNameMax = 64 }; // characters (UTF-16 units)

// The built-in entry: the settings of a new settings file and the registry.
extern const char kDefaultsPresetName[]; // "標準設定"

enum class NameProblem {
    None,
    Empty,
    TooLong,          // more than kPresetNameMax characters
    ForbiddenChar,    // one of \ / : * ? " < > |
    ControlChar,      // below U+0020 or U+007F
    TrailingDotSpace, // ends in '.' or ' '
    DeviceName,       // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without extension
    NotText,          // not valid UTF-8
    Reserved,         // the built-in entry's name
};

NameProblem checkPresetName(std::string_view name);
// Why a name cannot be used, for zembcfg (English) and the dialog (Japanese,
// UTF-8); "" for None.
const char* nameProblemEnglish(NameProblem problem);
const char* nameProblemJapanese(NameProblem problem);

// Names compare without regard to case: each UTF-16 unit upper-cased by the
// simple mappings of the Unicode character database (a superset of NTFS's
// upper-case table), so two names one file system takes for the same file
// are the same preset here too.
std::u16string foldPresetName(std::string_view name);
bool samePresetName(std::string_view a, std::string_view b);

// ---- the list ------------------------------------------------------------

enum class PresetKind { Defaults, Shared, Own };

enum : uint32_t { kPresetMaxBytes = 1u << 20 }; // a larger file is listed unreadable

struct Preset {
    std::string name; // without .toml
    PresetKind kind = PresetKind::Own;
    std::string path;      // the file; "" for the defaults
    bool readable = false; // false: listed, never applied
    std::string reason;    // why not: a read failure, or "NAME.toml:LINE: key: what"
    std::string text;      // the document as read
};

struct PresetList {
    std::vector<Preset> presets; // defaults, shared by name, own by name
    // A folder that exists but cannot be read, with the reason.
    std::vector<std::string> folderProblems;
};

// Every file NAME.toml in both folders, each read and checked once, whole, as
// zembcfg import checks a document. A missing folder lists nothing.
PresetList listPresets(const PresetFolders& folders);

// The first preset of that name in list order; null when there is none.
const Preset* findPreset(const PresetList& list, std::string_view name);

// ---- apply, save, delete -------------------------------------------------

// Settings as the sheet holds them: the settings file's bytes and the
// page-setup values.
struct PresetSettings {
    std::vector<unsigned char> image;
    PageSetup pageSetup;
};

struct PresetApplied {
    PresetSettings settings; // rPage and rPaper computed as after OK
    // The page-setup values the preset gives (value index, word), as
    // zembcfg import stores them.
    std::vector<std::pair<int, uint32_t>> pageSetupGiven;
    std::vector<std::string> problems; // "NAME.toml:LINE: key: what"; empty when applied
};

// The preset over current (null: no settings file yet, so over the defaults),
// checked whole; a partial preset changes only what it names. The defaults
// replace the record, the catalogue and the page-setup values and keep the
// rest of the file (the region carried for the driver). Nothing is written.
PresetApplied applyPreset(const Preset& preset, const PresetSettings* current);

enum class PresetStatus {
    Done,
    BadName,      // nameProblem says why
    NotFound,     // no preset of that name
    Exists,       // saving over an own preset not asked for: ask, then replace
    Shared,       // a shared preset (or the defaults): never written or deleted
    FolderFailed, // the own folder cannot be created or used; path names it
    WriteFailed,  // the file cannot be written or removed; path names it
    NoFolder,     // no own folder is known
};

struct PresetResult {
    PresetStatus status = PresetStatus::Done;
    std::string path; // the file or folder concerned
    NameProblem nameProblem = NameProblem::None;
};

// One line for zembcfg (English) and the dialog (Japanese, UTF-8), naming
// the preset, and the folder or file where one failed.
std::string presetMessageEnglish(const PresetResult& result, std::string_view name);
std::string presetMessageJapanese(const PresetResult& result, std::string_view name);

// The export document of image and pageSetup (null: no registry values)
// written as the operator's preset NAME.toml, with the settings file's atomic
// commit; the folder is created first when missing. An own preset of that
// name (in any case) is replaced only with replace, keeping its spelling.
PresetResult savePreset(const PresetFolders& folders, std::string_view name,
                        const std::vector<unsigned char>& image, const StoredPageSetup* pageSetup,
                        bool replace);

// Removes the operator's own preset NAME; shared presets stay.
PresetResult deletePreset(const PresetFolders& folders, std::string_view name);
