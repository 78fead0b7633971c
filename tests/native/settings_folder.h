// A documents folder of its own for each test, and whole files as bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "settings/catalogue.h"
#include "storage/file_io_posix.h"
#include "settings/record.h"
#include "storage/settings_file.h"

namespace fs = std::filesystem;

inline std::vector<unsigned char> readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

inline void writeAll(const fs::path& path, const std::vector<unsigned char>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A pattern that no default or zero fill could produce by accident.
inline std::vector<unsigned char> pattern(size_t size, unsigned seed) {
    std::vector<unsigned char> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>((i * 7 + seed) % 251 + 1);
    return bytes;
}

class SettingsFolder : public ::testing::Test {
  protected:
    fs::path documents;
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
        char templ[] = "/tmp/zemb-settings-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        documents = templ;
        settings = documents / "Adobe" / "Illustrator" / "KELDORIX.INI";
        setDocumentsFolder(documents.c_str());
        std::memset(&g_plotterRecord, 0, sizeof g_plotterRecord);
        std::memset(&g_paperCatalogue, 0, sizeof g_paperCatalogue);
        std::memset(g_carriedRegion, 0, sizeof g_carriedRegion);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(documents, ignored);
    }
};
