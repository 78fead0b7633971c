// A documents folder of its own for each test, with the settings in memory
// cleared.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "settings/catalogue.h"
#include "storage/file_io_posix.h"
#include "settings/record.h"
#include "storage/settings_file.h"
#include "temp_folder.h"

// A pattern that no default or zero fill could produce by accident.
inline std::vector<unsigned char> pattern(size_t size, unsigned seed) {
    std::vector<unsigned char> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>((i * 7 + seed) % 251 + 1);
    return bytes;
}

class SettingsFolder : public TempFolder {
  protected:
    fs::path settings;

    // Every file in the settings folder but the settings file.
    std::vector<fs::path> besideSettings() const {
        std::vector<fs::path> others;
        for (const auto& entry : fs::directory_iterator(settings.parent_path()))
            if (entry.path() != settings)
                others.push_back(entry.path());
        return others;
    }

    void SetUp() override {
        TempFolder::SetUp();
        settings = folder / "Adobe" / "Illustrator" / "KELDORIX.INI";
        setDocumentsFolder(folder.c_str());
        std::memset(&g_plotterRecord, 0, sizeof g_plotterRecord);
        std::memset(&g_paperCatalogue, 0, sizeof g_paperCatalogue);
        std::memset(g_carriedRegion, 0, sizeof g_carriedRegion);
    }
};
