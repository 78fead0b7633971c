// zembcfg import: a document checked whole, then the settings file replaced
// in one step with the old one kept, and on Windows the page-setup values.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>

#include "settings/page_setup.h"
#include "settings/settings_file.h"
#include "zembcfg/import_document.h"
#include "zembcfg/import_files.h"
#include "zembcfg/zembcfg.h"

namespace {

struct ImportOptions {
    std::string input;
    std::string file;
    bool dryRun = false;
};

bool readDocument(const std::string& path, std::string* text, Io& io) {
    std::vector<unsigned char> bytes;
    std::string reason;
    if (readFileBytes(path, &bytes, &reason) != ReadFailure::None) {
        io.err += "zembcfg: " + path + ": " + reason + "\n";
        return false;
    }
    text->assign(bytes.begin(), bytes.end());
    return true;
}

// What the import would change, in the form of diff.
void printDryRun(const SettingsImage& current, const ImportPlan& plan, Io& io) {
    io.out += "--- " + current.path + "\n+++ " + current.path + " (imported)\n" +
              compareImages(current.bytes, plan.image);
    StoredPageSetup stored;
    const bool registry = readStoredPageSetup(&stored);
    for (const auto& [index, word] : plan.pageSetup) {
        const int32_t after = static_cast<int32_t>(word);
        const int32_t before = static_cast<int32_t>(pageSetupValue(stored.values, index));
        if (registry && stored.stored[index] && before == after)
            continue;
        io.out += std::string("pageSetup.") + kPageSetupValueNames[index] + ": " +
                  (registry && stored.stored[index] ? std::to_string(before) : "(none)") + " → " +
                  std::to_string(after) + "\n";
    }
}

int runImport(const ImportOptions& options, Io& io) {
    std::string text;
    if (!readDocument(options.input, &text, io))
        return kExitUsage;
    SettingsImage current;
    current.path = options.file;
    if (current.path.empty() && !defaultSettingsPath(&current.path)) {
        io.err += "zembcfg: no settings file given: use --file PATH\n";
        return kExitUsage;
    }
    std::string reason;
    const ReadFailure failure = readFileBytes(current.path, &current.bytes, &reason);
    if (failure != ReadFailure::None && failure != ReadFailure::Missing) {
        io.err += "zembcfg: " + current.path + ": " + reason + "; nothing changed\n";
        return kExitUsage;
    }
    const bool exists = failure == ReadFailure::None;

    const ImportPlan plan = planImport(text, options.input, exists ? &current.bytes : nullptr);
    if (!plan.problems.empty()) {
        for (const ImportProblem& problem : plan.problems)
            io.err += formatProblem(options.input, problem) + "\n";
        io.err += "zembcfg: " + options.input + ": " + std::to_string(plan.problems.size()) +
                  (plan.problems.size() == 1 ? " problem" : " problems") + "; nothing written\n";
        return kExitFound;
    }
    if (options.dryRun) {
        if (!exists)
            io.out += "(" + current.path + " does not exist yet)\n";
        printDryRun(current, plan, io);
        return kExitDone;
    }
    if (!exists && options.file.empty()) {
        // The settings program's own folders, created as the program does.
        char folder[kPathBufferSize];
        resolveSettingsFolder(folder, sizeof folder - 1);
    }
    const Replacement replaced =
        replaceFile(current.path, plan.image, exists ? &current.bytes : nullptr);
    if (replaced.status != FileStatus::Done) {
        io.err += "zembcfg: " + current.path + ": " + fileStatusText(replaced.status) +
                  "; nothing changed\n";
        return kExitUsage;
    }
    io.out +=
        "imported " + options.input + " into " + current.path +
        (replaced.backup.empty() ? "" : " (the old file is kept as " + replaced.backup + ")") +
        "\n";
    if (!storePageSetup(plan.pageSetup, plan.image) && !plan.pageSetup.empty())
        io.err += "zembcfg: the page-setup values live in the registry of the Windows machine; "
                  "they were not written\n";
    return kExitDone;
}

} // namespace

void addImportCommand(CLI::App& app, Io& io, int* status) {
    CLI::App* command = app.add_subcommand(
        "import", "Check a document whole, then write it to the settings file (the old file is "
                  "kept beside it); a document without [file] changes only what it names.");
    auto options = std::make_shared<ImportOptions>();
    command->add_option("IN", options->input, "document to import (TOML, as export writes it)")
        ->required();
    addFileOption(command, &options->file);
    command->add_flag("--dry-run", options->dryRun,
                      "check and print what would change, in the form of diff; write nothing");
    command->callback([options, &io, status] { *status = runImport(*options, io); });
}
