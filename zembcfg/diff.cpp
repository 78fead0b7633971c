#include <CLI/CLI.hpp>

#include "zembcfg/zembcfg.h"

void addDiffCommand(CLI::App& app, Io& io, int* status) {
    CLI::App* command = app.add_subcommand("diff", "");
    (void)command;
    (void)io;
    (void)status;
}
