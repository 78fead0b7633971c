// Arbitrary documents through the import's parser and checks, then through
// the real command against a real settings file: a document the checks pass
// must give an image that exports and imports back to itself, and a refused
// one must leave the settings file and its folder exactly as they were.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "zembcfg/export_document.h"
#include "zembcfg/import_document.h"
#include "zembcfg/zembcfg.h"

namespace fs = std::filesystem;

static fs::path g_folder;
static std::vector<unsigned char> g_current;

static void writeBytes(const fs::path& path, const void* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
}

static std::vector<unsigned char> readBytes(const fs::path& path) {
    std::vector<unsigned char> bytes;
    std::string reason;
    readFileBytes(path.string(), &bytes, &reason);
    return bytes;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char templ[] = "/tmp/zemb-import-fuzz-XXXXXX";
    if (mkdtemp(templ) == nullptr)
        std::abort();
    g_folder = templ;
    g_current = defaultSettingsImage();
    g_current[9730] = 0x5A; // carried bytes a partial import must keep
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ImportPlan plan = planImport(text, "fuzz.toml", &g_current);
    if (plan.problems.empty()) {
        const std::string document = exportDocument(plan.image, nullptr);
        const ImportPlan again = planImport(document, "again.toml", nullptr);
        if (!again.problems.empty() || again.image != plan.image ||
            exportDocument(again.image, nullptr) != document)
            std::abort();
    } else if (!plan.image.empty()) {
        std::abort();
    }

    const fs::path settings = g_folder / "KELDORIX.INI";
    const fs::path input = g_folder / "in.toml";
    fs::remove_all(g_folder);
    fs::create_directories(g_folder);
    writeBytes(settings, g_current.data(), g_current.size());
    writeBytes(input, data, size);
    Io io;
    const int status = runZembcfg({"import", input.string(), "--file", settings.string()}, io);
    const size_t files = static_cast<size_t>(
        std::distance(fs::directory_iterator(g_folder), fs::directory_iterator()));
    if (status == kExitDone) {
        if (!plan.problems.empty() || readBytes(settings) != plan.image || files != 3)
            std::abort();
    } else if (plan.problems.empty() || readBytes(settings) != g_current || files != 2) {
        std::abort();
    }
    return 0;
}
