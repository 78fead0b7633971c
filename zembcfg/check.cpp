#include <CLI/CLI.hpp>

#include "zembcfg/zembcfg.h"

void addCheckCommand(CLI::App& app, Io& io, int* status) {
    CLI::App* command = app.add_subcommand("check", "");
    static std::string file;
    addFileOption(command, &file);
    command->callback([&io, status] {
        SettingsImage image;
        if (loadSettingsImage(file, &image, io) != ReadFailure::None) {
            *status = kExitUsage;
            return;
        }
        *status = kExitDone;
    });
}
