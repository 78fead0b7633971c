// zembcfg export: the whole settings file as one readable TOML document.
#include <CLI/CLI.hpp>

#include <memory>

#include "zembcfg/export_document.h"
#include "zembcfg/import_files.h"
#include "zembcfg/zembcfg.h"

namespace {

struct ExportOptions {
    std::string file;
    std::string output;
};

int runExport(const ExportOptions& options, Io& io) {
    SettingsImage image;
    if (loadSettingsImage(options.file, &image, io) != ReadFailure::None)
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
    const std::vector<unsigned char> bytes(document.begin(), document.end());
    const FileStatus status = replaceFile(options.output, bytes, nullptr).status;
    if (status != FileStatus::Done) {
        io.err += "zembcfg: " + options.output + ": " + fileStatusText(status) + "\n";
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
