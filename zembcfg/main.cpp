#ifdef _WIN32
#include <windows.h>
#endif

#include "zembcfg/console.h"
#include "zembcfg/zembcfg.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    // Run from the folder it was unpacked to: nothing loaded by name from there.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
#endif
    Io io;
    const int status = runZembcfg(commandLineArguments(argc, argv), io);
    writeStandardOutput(io.out);
    writeStandardError(io.err);
    return status;
}
