// Arbitrary settings-file contents through the real loader, then every
// catalogue operation on whatever block came out of it, then OK's save. The
// file lives in memory behind the file layer, so each input costs no system
// call.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/catalogue.h"
#include "storage/file_io.h"
#include "storage/file_io_posix.h"
#include "fuzz/memory_files.h"
#include "storage/settings_file.h"
#include "units/units.h"

namespace {

std::string g_settingsPath;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setDocumentsFolder("C:\\fuzz");
    useFileLayer(&memory_files::kLayer);
    if (!settingsFilePath(&g_settingsPath))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    memory_files::reset();
    memory_files::File* file = memory_files::put(g_settingsPath.c_str(), data, size);
    if (loadSettings() > LoadStatus::Replaced || !memory_files::allClosed())
        std::abort();

    // A foreign file is kept whole before anything is written over it, and
    // the part beyond the layout survives in place.
    const std::vector<unsigned char> after = file->bytes;
    const bool sound = size >= 2 && (data[0] | (data[1] << 8)) == kSettingsVersion;
    const bool kept = settingsBackupPath()[0] != '\0';
    const memory_files::File* backup = kept ? memory_files::find(settingsBackupPath()) : nullptr;
    if (kept != (!sound && size > 0) || (kept && backup == nullptr))
        std::abort();
    const auto same = [](const std::vector<unsigned char>& bytes, const uint8_t* expected,
                         size_t from, size_t to) {
        return bytes.size() >= to &&
               (to == from || std::memcmp(bytes.data() + from, expected + from, to - from) == 0);
    };
    if (kept && (backup->bytes.size() != size || !same(backup->bytes, data, 0, size) ||
                 !same(after, data, std::min<size_t>(size, kSettingsFileSize), size)))
        std::abort();
    if (sound && (after.size() != size || !same(after, data, 0, size)))
        std::abort();

    char name[kPaperNameSize] = "";
    int16_t w, l, r;
    for (int i = -1; i <= kMaxPaperEntries; ++i) {
        if (!GetPaperEntry(i, name, sizeof name, &w, &l, &r))
            continue;
        char text[64];
        lengthToText(w, g_paperCatalogue.lengthUnit, text, sizeof text);
        if (textToLength(text, g_paperCatalogue.lengthUnit) != w)
            std::abort();
    }
    InsertPaperEntry(0, name, 1, 2, 0);
    ReplacePaperEntry(PaperCount() - 1, name, 3, 4, 1);
    RemovePaperEntry(PaperCount() / 2);
    // OK: the file as loaded with the two blocks put in, and nothing else.
    if (saveSettings(false) != SaveOutcome::Saved || !memory_files::allClosed())
        std::abort();
    const std::vector<unsigned char>& saved = memory_files::find(g_settingsPath.c_str())->bytes;
    if (saved.size() != std::max<size_t>(after.size(), kCatalogueOffset + kCatalogueSize) ||
        std::memcmp(saved.data() + kCatalogueOffset, &g_paperCatalogue, kCatalogueSize) != 0 ||
        std::memcmp(saved.data() + kCarriedOffset, after.data() + kCarriedOffset,
                    std::min<size_t>(after.size(), kCarriedOffset + kCarriedSize) -
                        std::min<size_t>(after.size(), kCarriedOffset)) != 0)
        std::abort();
    return 0;
}
