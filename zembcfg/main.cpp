#include "zembcfg/console.h"
#include "zembcfg/zembcfg.h"

int main(int argc, char** argv) {
    Io io;
    const int status = runZembcfg(commandLineArguments(argc, argv), io);
    writeStandardOutput(io.out);
    writeStandardError(io.err);
    return status;
}
