// zembcfg: reads, checks and compares settings files without the window.
// Each command lives in its own file and registers itself with the command
// line; everything a command prints goes through Io so that the tests can run
// the whole program in-process.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "documents/export_document.h"
#include "documents/import_plan.h"
#include "settings/page_setup.h"
#include "storage/settings_commit.h"

namespace CLI {
class App;
}

// What the program prints: UTF-8 text for standard output and standard error.
struct Io {
    std::string out;
    std::string err;
};

// Exit statuses.
enum : int { kExitDone = 0, kExitFound = 1, kExitUsage = 2 };

extern const char kZembcfgVersion[];

// The whole program: arguments (UTF-8, without the program name) to exit status.
int runZembcfg(const std::vector<std::string>& args, Io& io);

// Command registration: each adds its subcommand; when the subcommand runs it
// stores its exit status in *status.
void addShowCommand(CLI::App& app, Io& io, int* status);
void addCheckCommand(CLI::App& app, Io& io, int* status);
void addDiffCommand(CLI::App& app, Io& io, int* status);
void addExportCommand(CLI::App& app, Io& io, int* status);
void addImportCommand(CLI::App& app, Io& io, int* status);
void addPresetCommand(CLI::App& app, Io& io, int* status);

// zembcfg import INPUT --file FILE [--dry-run] without the command line, as
// the fuzz target runs it for every input.
int importCommand(const std::string& input, const std::string& file, bool dryRun, Io& io);

// The import's path for any document: plan gives the new image and the
// page-setup values from the file as it is (null: none yet), or the problems
// (one line each) that refuse it; then the file is replaced in one step, the
// old one kept beside it, the sheet warned, the page-setup values stored.
// label names the document in the messages.
struct ImportSource {
    std::string label;
    std::function<ImportPlan(const std::vector<unsigned char>* current,
                             std::vector<std::string>* problems)>
        plan;
};
int importFrom(const ImportSource& source, const std::string& file, bool dryRun, Io& io);

// --file PATH, shared by the commands that read one settings file.
void addFileOption(CLI::App* command, std::string* path);

// ---- settings file images -------------------------------------------------

// A settings file as its bytes, whatever its length.
struct SettingsImage {
    std::string path; // as given or resolved, UTF-8
    std::vector<unsigned char> bytes;
};

// Reads a whole file; on failure *reason says why in words.
ReadOutcome readFileBytes(const std::string& path, std::vector<unsigned char>* bytes,
                          std::string* reason);

// The settings program's own file, found the way the program finds it but
// without creating any folder; false where there is none (not Windows).
bool defaultSettingsPath(std::string* path);

// Loads the file that --file names, or the default. On failure prints
// "zembcfg: PATH: reason" to io.err and returns the failure; Failed when no
// --file is given and this system has no default.
ReadOutcome loadSettingsImage(const std::string& fileOption, SettingsImage* image, Io& io);

// True while the settings program's sheet is open in this user session.
bool settingsProgramOpen();

// The page-setup values in the registry (StoredPageSetup), read without
// creating the key; false where there is no registry (not Windows).
bool readStoredPageSetup(StoredPageSetup* setup);

// Where an import's page-setup values went.
struct PageSetupStore {
    bool registry = false;               // false where there is no registry
    std::vector<std::string> notWritten; // the values the registry refused
};
// The page-setup values a document gives, as given, then rPage and rPaper
// as the settings program computes them after OK from the resulting paper,
// orientation, roll flag and the image's margins. Every write is checked.
PageSetupStore storePageSetup(const std::vector<std::pair<int, uint32_t>>& given,
                              const std::vector<unsigned char>& image);
// Value i of the page-setup table's image (little-endian words).
std::vector<unsigned char> pageSetupImage(const PageSetup& values);

// One line per differing field ("record.leafMarginTop: 15 → 20") and per range
// of differing bytes that no field covers; empty when the images are equal.
std::string compareImages(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b);
