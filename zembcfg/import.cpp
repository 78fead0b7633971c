// zembcfg import: a document checked whole, then the settings file replaced
// in one step as the settings program's OK replaces it, with the old one
// kept, and on Windows the page-setup values.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>

#include "settings/page_setup.h"
#include "storage/settings_commit.h"
#include "storage/settings_file.h"
#include "documents/import_plan.h"
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
    if (readFileBytes(path, &bytes, &reason) != ReadOutcome::Read) {
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

// Why a commit wrote nothing, in the words of the other messages.
std::string commitFailure(const CommitResult& result) {
    switch (result.outcome) {
    case CommitOutcome::Unreadable:
        return result.read == ReadOutcome::InUse    ? "held by another program (sharing violation)"
               : result.read == ReadOutcome::Denied ? "access denied"
                                                    : "cannot be read";
    case CommitOutcome::Changed:
        return "changed by another program while being imported into";
    case CommitOutcome::NotBackedUp:
        return "no copy of the old file could be kept beside it";
    case CommitOutcome::ReadOnly:
        return "read-only";
    default:
        return result.held ? "held by another program" : "cannot be written";
    }
}

} // namespace

int importFrom(const ImportSource& source, const std::string& file, bool dryRun, Io& io) {
    SettingsImage current;
    current.path = file;
    if (current.path.empty() && !defaultSettingsPath(&current.path)) {
        io.err += "zembcfg: no settings file given: use --file PATH\n";
        return kExitUsage;
    }
    // Planned against the file as it is; when another program changes it
    // before the new one is in place, planned again.
    CommitResult committed;
    ImportPlan plan;
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string reason;
        const ReadOutcome read = readFileBytes(current.path, &current.bytes, &reason);
        if (read != ReadOutcome::Read && read != ReadOutcome::Missing) {
            io.err += "zembcfg: " + current.path + ": " + reason + "; nothing changed\n";
            return kExitUsage;
        }
        const bool exists = read == ReadOutcome::Read;
        std::vector<std::string> problems;
        plan = source.plan(exists ? &current.bytes : nullptr, &problems);
        if (!problems.empty()) {
            for (const std::string& problem : problems)
                io.err += problem + "\n";
            io.err += "zembcfg: " + source.label + ": " + std::to_string(problems.size()) +
                      (problems.size() == 1 ? " problem" : " problems") + "; nothing written\n";
            return kExitFound;
        }
        if (attempt == 0 && settingsProgramOpen())
            io.out += "The settings program is open: its OK will ask before it saves over this "
                      "import.\n";
        if (dryRun) {
            if (!exists)
                io.out += "(" + current.path + " does not exist yet)\n";
            printDryRun(current, plan, io);
            return kExitDone;
        }
        if (!exists && file.empty()) {
            std::string folder; // the settings program's own folders, created as it does
            settingsFolder(&folder);
        }
        CommitRequest request;
        request.path = current.path;
        request.compare = true;
        request.expected = exists ? &current.bytes : nullptr;
        request.keepCurrent = true;
        request.build = [&plan](const FileBytes*, FileBytes* image) {
            *image = plan.image;
            return true;
        };
        committed = commitFile(request);
        if (committed.outcome != CommitOutcome::Changed)
            break;
    }
    if (committed.outcome != CommitOutcome::Saved) {
        io.err +=
            "zembcfg: " + current.path + ": " + commitFailure(committed) + "; nothing changed\n";
        return kExitUsage;
    }
    io.out +=
        "imported " + source.label + " into " + current.path +
        (committed.backup.empty() ? "" : " (the old file is kept as " + committed.backup + ")") +
        "\n";
    if (committed.inPlace)
        io.out += "(written into the file itself: another program holds it open)\n";
    const PageSetupStore stored = storePageSetup(plan.pageSetup, plan.image);
    if (!stored.registry && !plan.pageSetup.empty())
        io.err += "zembcfg: the page-setup values live in the registry of the Windows machine; "
                  "they were not written\n";
    if (stored.notWritten.empty())
        return kExitDone;
    std::string names;
    for (const std::string& name : stored.notWritten)
        names += (names.empty() ? "" : ", ") + name;
    io.err += std::string("zembcfg: ") + kProgramKeyName + ": not written: " + names + "\n";
    return kExitUsage;
}

namespace {

int runImport(const ImportOptions& options, Io& io) {
    std::string text;
    if (!readDocument(options.input, &text, io))
        return kExitUsage;
    ImportSource source;
    source.label = options.input;
    source.plan = [&](const std::vector<unsigned char>* current,
                      std::vector<std::string>* problems) {
        ImportPlan plan = planImport(text, options.input, current);
        for (const ImportProblem& problem : plan.problems)
            problems->push_back(formatProblem(options.input, problem));
        return plan;
    };
    return importFrom(source, options.file, options.dryRun, io);
}

} // namespace

int importCommand(const std::string& input, const std::string& file, bool dryRun, Io& io) {
    return runImport({input, file, dryRun}, io);
}

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
