// zembcfg on POSIX systems: plain files and streams; there is no documents
// folder of the settings program and no session of it.
#include <cstdio>

#include "zembcfg/console.h"
#include "zembcfg/zembcfg.h"

bool defaultSettingsPath(std::string*) {
    return false;
}

bool settingsProgramOpen() {
    return false;
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return args;
}

static void writeAll(FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

void writeStandardOutput(std::string_view text) {
    writeAll(stdout, text);
}

void writeStandardError(std::string_view text) {
    writeAll(stderr, text);
}
