// Arbitrary documents through the real import command (without its command
// line, which costs more than the import) against a settings file: a document it takes must give a
// file that exports and imports back to itself, with the old file kept beside it; a refused one
// must leave the settings file and its folder exactly as they were. The files live in memory behind
// the file layer, so that an input costs its parsing and checks and no system call.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/memory_files.h"
#include "documents/export_document.h"
#include "settings/default_image.h"
#include "documents/import_plan.h"
#include "zembcfg/zembcfg.h"

namespace {

const char kSettings[] = "C:\\fuzz\\KELDORIX.INI";
const char kInput[] = "C:\\fuzz\\in.toml";
const char kBackup[] = "C:\\fuzz\\KELDORIX.INI.bak";
std::vector<unsigned char> g_current;

int files() {
    int count = 0;
    for (const memory_files::File& file : memory_files::g_files)
        count += file.exists;
    return count;
}

} // namespace

// Recording where each block of memory was allocated cost a tenth of every
// input. A report still shows the bad access; run the artifact again with
// ASAN_OPTIONS=malloc_context_size=30 to see where the memory came from.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=0";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    useFileLayer(&memory_files::kLayer);
    g_current = defaultSettingsImage();
    g_current[9730] = 0x5A; // carried bytes a partial import must keep
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    memory_files::reset();
    memory_files::put(kSettings, g_current.data(), g_current.size());
    memory_files::put(kInput, data, size);
    Io io;
    const int status = importCommand(kInput, kSettings, false, io);
    if (!memory_files::allClosed())
        std::abort();
    const std::vector<unsigned char>& after = memory_files::find(kSettings)->bytes;
    if (status != kExitDone) {
        if (status != kExitFound || after != g_current || files() != 2)
            std::abort();
        return 0;
    }
    const memory_files::File* backup = memory_files::find(kBackup);
    if (files() != 3 || backup == nullptr || backup->bytes != g_current)
        std::abort();
    const std::string document = exportDocument(after, nullptr);
    const ImportPlan again = planImport(document, "again.toml", nullptr);
    if (!again.problems.empty() || again.image != after ||
        exportDocument(again.image, nullptr) != document)
        std::abort();
    return 0;
}
