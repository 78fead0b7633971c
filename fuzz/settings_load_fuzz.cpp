// Arbitrary settings-file contents through the real loader, then every
// catalogue operation on whatever block came out of it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "settings/catalogue.h"
#include "settings/file_io_posix.h"
#include "settings/settings_file.h"
#include "units/units.h"

static std::string g_settings;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char templ[] = "/tmp/zemb-fuzz-XXXXXX";
    if (mkdtemp(templ) == nullptr)
        std::abort();
    setDocumentsFolder(templ);
    g_settings = std::string(templ) + "/Adobe/Illustrator/KELDORIX.INI";
    loadSettings(); // creates the folders
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(g_settings.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);

    loadSettings();
    char name[kPaperNameSize];
    int16_t w, l, r;
    for (int i = -1; i <= kMaxPaperEntries; ++i) {
        GetPaperEntry(i, name, sizeof name, &w, &l, &r);
        char text[64];
        lengthToText(w, g_paperCatalogue.lengthUnit, text, sizeof text);
        if (textToLength(text, g_paperCatalogue.lengthUnit) != w)
            std::abort();
    }
    InsertPaperEntry(0, name, 1, 2, 0);
    ReplacePaperEntry(PaperCount() - 1, name, 3, 4, 1);
    RemovePaperEntry(PaperCount() / 2);
    savePaperCatalogue(&g_paperCatalogue);
    return 0;
}
