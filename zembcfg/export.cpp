// zembcfg export: the whole settings file as one readable TOML document.
#include <CLI/CLI.hpp>

#include <memory>

#include "documents/export_document.h"
#include "storage/settings_commit.h"
#include "zembcfg/zembcfg.h"

namespace {

struct ExportOptions {
    std::string file;
    std::string output;
};

int runExport(const ExportOptions& options, Io& io) {
    SettingsImage image;
    if (loadSettingsImage(options.file, &image, io) != ReadOutcome::Read)
        return kExitUsage;
    if (image.bytes.size() > kMaxDocumentFileSize) {
        io.err += "zembcfg: " + image.path + ": too large to export\n";
        return kExitUsage;
    }
    StoredPageSetup pageSetup;
    const bool registry = readStoredPageSetup(&pageSetup);
    const std::string document = exportDocument(image.bytes, registry ? &pageSetup : nullptr);
    if (options.output.empty()) {
        io.out += document;
        return kExitDone;
    }
    // Replaced whole in one step, so that an interrupted export never leaves
    // half a document where the last one was.
    CommitRequest request;
    request.path = options.output;
    request.build = [&document](const FileBytes*, FileBytes* bytes) {
        bytes->assign(document.begin(), document.end());
        return true;
    };
    if (commitFile(request).outcome != CommitOutcome::Saved) {
        io.err += "zembcfg: " + options.output + ": cannot be written\n";
        return kExitUsage;
    }
    return kExitDone;
}

} // namespace

void addExportCommand(CLI::App& app, Io& io, int* status) {
    CLI::App* command = app.add_subcommand(
        "export", "Write every setting as one TOML document (UTF-8) that import reads back.");
    auto options = std::make_shared<ExportOptions>();
    addFileOption(command, &options->file);
    command->add_option("-o,--output", options->output,
                        "file to write (replaced whole); standard output without it");
    command->callback([options, &io, status] { *status = runExport(*options, io); });
}
