#include <CLI/CLI.hpp>

#include <sstream>

#include "zemb_version.h"
#include "zembcfg/zembcfg.h"

const char kZembcfgVersion[] = "zembcfg " ZEMB_VERSION_TEXT;

void addFileOption(CLI::App* command, std::string* path) {
    command
        ->add_option("--file", *path,
                     "settings file to read (default on Windows: the settings program's own "
                     "Documents\\Adobe\\Illustrator\\KELDORIX.INI)")
        ->type_name("PATH");
}

int runZembcfg(const std::vector<std::string>& args, Io& io) {
    CLI::App app{"Reads, checks, compares, exports and imports the plotter driver's settings file "
                 "KELDORIX.INI, and keeps presets of it.",
                 "zembcfg"};
    app.set_version_flag("--version", kZembcfgVersion);
    app.require_subcommand(1, 1);
    app.footer("Exit status: 0 done (sound, identical), 1 damage or differences found or a "
               "document refused, 2 usage error or a file that cannot be read or replaced.");
    int status = kExitDone;
    addShowCommand(app, io, &status);
    addCheckCommand(app, io, &status);
    addDiffCommand(app, io, &status);
    addExportCommand(app, io, &status);
    addImportCommand(app, io, &status);
    addPresetCommand(app, io, &status);

    std::vector<const char*> argv{"zembcfg"};
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    std::ostringstream out, err;
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& e) {
        // Help and version are "errors" with status 0 that print to out.
        const int code = app.exit(e, out, err);
        io.out += out.str();
        io.err += err.str();
        return code == 0 ? kExitDone : kExitUsage;
    }
    return status;
}
