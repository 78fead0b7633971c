#include <CLI/CLI.hpp>

#include "zembcfg/zembcfg.h"

void addCheckCommand(CLI::App& app, Io& io, int* status) {
    CLI::App* command = app.add_subcommand("check", "");
    (void)command;
    (void)io;
    (void)status;
}
