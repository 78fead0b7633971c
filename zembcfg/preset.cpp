// zembcfg preset: the presets of the sheet's お気に入り dialog, from the
// console: the same folders, names and checks (presets/), and apply is the
// import's path.
#include <CLI/CLI.hpp>

#include <cstdlib>
#include <memory>

#include "presets/presets.h"
#include "zembcfg/zembcfg.h"

namespace {

struct PresetOptions {
    std::string name;
    std::string file;
    std::string own;
    std::string shared;
    bool replace = false;
};

// Windows: the shell's folders. Elsewhere there are none: the options, else
// ZEMBCFG_PRESETS and ZEMBCFG_SHARED_PRESETS. An option names a folder on
// Windows too.
PresetFolders presetFolders(const PresetOptions& options) {
    PresetFolders folders;
    if (!systemPresetFolders(&folders)) {
        if (const char* own = std::getenv("ZEMBCFG_PRESETS"))
            folders.own = own;
        if (const char* shared = std::getenv("ZEMBCFG_SHARED_PRESETS"))
            folders.shared = shared;
    }
    if (!options.own.empty())
        folders.own = options.own;
    if (!options.shared.empty())
        folders.shared = options.shared;
    return folders;
}

const char* kindText(const Preset& preset) {
    switch (preset.kind) {
    case PresetKind::Defaults:
        return "built-in";
    case PresetKind::Shared:
        return "shared";
    default:
        return "own";
    }
}

int runList(const PresetOptions& options, Io& io) {
    const PresetList list = listPresets(presetFolders(options));
    for (const Preset& preset : list.presets) {
        io.out += preset.name + "\t" + kindText(preset);
        if (!preset.readable)
            io.out += "\tunreadable: " + preset.reason;
        io.out += "\n";
    }
    for (const std::string& problem : list.folderProblems)
        io.err += "zembcfg: " + problem + "\n";
    return list.folderProblems.empty() ? kExitDone : kExitUsage;
}

// The named preset of the list, or a message.
const Preset* namedPreset(const PresetList& list, const std::string& name, Io& io, int* status) {
    *status = kExitUsage;
    const Preset* preset = findPreset(list, name);
    if (preset == nullptr) {
        PresetResult missing;
        missing.status = PresetStatus::NotFound;
        io.err += "zembcfg: " + presetMessageEnglish(missing, name) + "\n";
    } else if (!preset->readable) {
        io.err += "zembcfg: " + preset->reason + "\n";
        // A document refused by the import's checks, as import refuses it.
        *status = preset->text.empty() ? kExitUsage : kExitFound;
        preset = nullptr;
    }
    return preset;
}

int runShow(const PresetOptions& options, Io& io) {
    const PresetList list = listPresets(presetFolders(options));
    int refused = kExitUsage;
    const Preset* preset = namedPreset(list, options.name, io, &refused);
    if (preset == nullptr)
        return refused;
    if (preset->kind != PresetKind::Defaults) {
        io.out += preset->text;
        return kExitDone;
    }
    const PresetApplied defaults = applyPreset(*preset, nullptr);
    StoredPageSetup pageSetup{defaults.settings.pageSetup, {}, true};
    for (bool& stored : pageSetup.stored)
        stored = true;
    io.out += exportDocument(defaults.settings.image, &pageSetup);
    return kExitDone;
}

int runSave(const PresetOptions& options, Io& io) {
    SettingsImage image;
    if (loadSettingsImage(options.file, &image, io) != ReadOutcome::Read)
        return kExitUsage;
    if (image.bytes.size() > kMaxDocumentFileSize) {
        io.err += "zembcfg: " + image.path + ": too large to export\n";
        return kExitUsage;
    }
    StoredPageSetup pageSetup;
    const bool registry = readStoredPageSetup(&pageSetup);
    const PresetResult saved = savePreset(presetFolders(options), options.name, image.bytes,
                                          registry ? &pageSetup : nullptr, options.replace);
    if (saved.status != PresetStatus::Done) {
        io.err += "zembcfg: " + presetMessageEnglish(saved, options.name) + "\n";
        return kExitUsage;
    }
    io.out += "saved " + image.path + " as preset \"" + options.name + "\" (" + saved.path + ")\n";
    return kExitDone;
}

int runApply(const PresetOptions& options, Io& io) {
    const PresetList list = listPresets(presetFolders(options));
    int refused = kExitUsage;
    const Preset* preset = namedPreset(list, options.name, io, &refused);
    if (preset == nullptr)
        return refused;
    ImportSource source;
    source.label = "preset \"" + preset->name + "\"";
    source.plan = [preset](const std::vector<unsigned char>* current,
                           std::vector<std::string>* problems) {
        PresetSettings settings;
        if (current != nullptr)
            settings.image = *current;
        pageSetupDefaults(&settings.pageSetup); // only the values given are stored
        PresetApplied applied = applyPreset(*preset, current ? &settings : nullptr);
        *problems = std::move(applied.problems);
        ImportPlan plan;
        plan.image = std::move(applied.settings.image);
        plan.pageSetup = std::move(applied.pageSetupGiven);
        return plan;
    };
    return importFrom(source, options.file, false, io);
}

int runDelete(const PresetOptions& options, Io& io) {
    const PresetResult deleted = deletePreset(presetFolders(options), options.name);
    if (deleted.status != PresetStatus::Done) {
        io.err += "zembcfg: " + presetMessageEnglish(deleted, options.name) + "\n";
        return kExitUsage;
    }
    io.out += "deleted preset \"" + options.name + "\" (" + deleted.path + ")\n";
    return kExitDone;
}

} // namespace

void addPresetCommand(CLI::App& app, Io& io, int* status) {
    CLI::App* preset = app.add_subcommand(
        "preset", "Saved settings under a name, as the settings program's お気に入り keeps them "
                  "(yours, and the workstation's shared ones, which are never written).");
    preset->require_subcommand(1, 1);
    auto options = std::make_shared<PresetOptions>();
    auto folderOptions = [options](CLI::App* command) {
        command
            ->add_option("--presets", options->own,
                         "your presets folder (default on Windows: "
                         "%APPDATA%\\Calderwick\\ZEMBSerConfig\\Presets; elsewhere "
                         "$ZEMBCFG_PRESETS)")
            ->type_name("DIR");
        command
            ->add_option("--shared-presets", options->shared,
                         "the shared presets folder (default on Windows: "
                         "%ProgramData%\\Calderwick\\ZEMBSerConfig\\Presets; elsewhere "
                         "$ZEMBCFG_SHARED_PRESETS)")
            ->type_name("DIR");
    };
    auto command = [&, preset, options, folderOptions](const char* name, const char* what,
                                                       int (*run)(const PresetOptions&, Io&)) {
        CLI::App* sub = preset->add_subcommand(name, what);
        folderOptions(sub);
        sub->callback([options, &io, status, run] { *status = run(*options, io); });
        return sub;
    };
    command("list", "List the presets: 標準設定, the shared ones, yours.", runList);
    command("show", "Print a preset's document.", runShow)
        ->add_option("NAME", options->name, "preset name")
        ->required();
    CLI::App* save = command("save",
                             "Save the settings file and (on Windows) the registry's page-setup "
                             "values as your preset NAME.",
                             runSave);
    save->add_option("NAME", options->name, "preset name")->required();
    addFileOption(save, &options->file);
    save->add_flag("--replace", options->replace, "replace your preset of that name");
    CLI::App* apply =
        command("apply",
                "Apply a preset as import does: checked whole, the old file kept beside it; a "
                "partial preset changes only what it names.",
                runApply);
    apply->add_option("NAME", options->name, "preset name")->required();
    addFileOption(apply, &options->file);
    command("delete", "Delete your preset NAME (shared ones stay).", runDelete)
        ->add_option("NAME", options->name, "preset name")
        ->required();
}
