#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bytes.h"
#include "settings/catalogue.h"
#include "settings/file_io.h"
#include "settings/file_io_posix.h"
#include "settings/record.h"
#include "settings/settings_file.h"

namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const fs::path& path, const std::vector<unsigned char>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A pattern that no default or zero fill could produce by accident.
std::vector<unsigned char> pattern(size_t size, unsigned seed) {
    std::vector<unsigned char> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>((i * 7 + seed) % 251 + 1);
    return bytes;
}

class SettingsFile : public ::testing::Test {
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

TEST_F(SettingsFile, FreshFileLayout) {
    EXPECT_EQ(loadSettings(), LoadStatus::Created);
    ASSERT_TRUE(fs::is_directory(documents / "Adobe" / "Illustrator"));
    const auto f = readAll(settings);
    ASSERT_EQ(f.size(), 17922u);
    const unsigned char* b = f.data();
    EXPECT_EQ(b[0], 0x2E);
    EXPECT_EQ(b[1], 0x01);
    EXPECT_EQ(le16(b, 2), 301);
    EXPECT_EQ(le32(b, 6), 15);     // leaf margin top
    EXPECT_EQ(le16(b, 198), 3000); // roll page length
    EXPECT_EQ(cstr(b, 502, 128), "PG;");
    EXPECT_EQ(b[505], 0);
    EXPECT_EQ(le16(b, 108), 50);  // pen 5 thickness
    EXPECT_EQ(le16(b, 1538), 11); // catalogue count
    EXPECT_EQ(cstr(b, 1540, 64), "A0");
    EXPECT_EQ(le16(b, 1604), 841);
    EXPECT_EQ(le16(b, 1606), 1190);
    EXPECT_EQ(cstr(b, 1540 + 70 * 10, 64), "Roll(920)");
    EXPECT_EQ(le16(b, 1540 + 70 * 10 + 68), 1);
    EXPECT_EQ(le16(b, 8472), 0); // stored length unit: inch

    PlotterRecord defaults;
    recordDefaults(&defaults);
    EXPECT_EQ(std::memcmp(b + 2, &defaults, 756), 0);
    for (size_t i = 758; i < 1538; ++i)
        ASSERT_EQ(b[i], 0) << i;
    for (size_t i = 1540 + 70 * 11; i < 17922; ++i)
        ASSERT_EQ(b[i], 0) << i;

    // The blocks in memory are what the file holds.
    EXPECT_EQ(std::memcmp(&g_plotterRecord, b + 2, 756), 0);
    EXPECT_EQ(std::memcmp(&g_paperCatalogue, b + 1538, 6938), 0);
    for (unsigned char c : g_carriedRegion)
        ASSERT_EQ(c, 0);

    // A second start reads the same file without rewriting it.
    EXPECT_EQ(loadSettings(), LoadStatus::Loaded);
    EXPECT_EQ(readAll(settings), f);
}

TEST_F(SettingsFile, WrongVersionIsKeptAsideThenRewrittenInPlaceKeepingBytesBeyondTheLayout) {
    // Each foreign file takes the next free name; earlier backups stay as they are.
    const char* const names[] = {"KELDORIX.INI.bak", "KELDORIX.INI.1.bak", "KELDORIX.INI.2.bak",
                                 "KELDORIX.INI.3.bak"};
    std::vector<std::vector<unsigned char>> kept;
    int n = 0;
    for (int16_t version : {int16_t(301), int16_t(0), int16_t(-1), int16_t(303)}) {
        auto bytes = pattern(20000, 3);
        put16(bytes, 0, version);
        writeAll(settings, bytes);
        EXPECT_EQ(loadSettings(), LoadStatus::Replaced) << version;
        EXPECT_EQ(std::string(settingsBackupPath()),
                  documents.string() + "\\Adobe\\Illustrator\\" + names[n]);
        kept.push_back(bytes);
        EXPECT_EQ(besideSettings().size(), kept.size());
        for (size_t i = 0; i < kept.size(); ++i)
            EXPECT_EQ(readAll(settings.parent_path() / names[i]), kept[i]) << names[i];
        ++n;
        const auto f = readAll(settings);
        ASSERT_EQ(f.size(), 20000u);
        EXPECT_EQ(le16(f.data(), 0), 302);
        EXPECT_EQ(le16(f.data(), 2), 301);
        EXPECT_EQ(le16(f.data(), 1538), 11);
        for (size_t i = 9730; i < 17922; ++i)
            ASSERT_EQ(f[i], 0) << i;
        for (size_t i = 17922; i < 20000; ++i)
            ASSERT_EQ(f[i], bytes[i]) << i;
        for (unsigned char c : g_carriedRegion)
            ASSERT_EQ(c, 0);
    }
}

TEST_F(SettingsFile, TooShortForAVersionCountsAsWrong) {
    struct Case {
        std::vector<unsigned char> bytes;
        LoadStatus status;
    } cases[] = {{{0x2E}, LoadStatus::Replaced}, {{}, LoadStatus::Loaded}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        fs::remove_all(settings.parent_path());
        writeAll(settings, c.bytes);
        EXPECT_EQ(loadSettings(), c.status);
        EXPECT_EQ(readAll(settings).size(), 17922u);
        EXPECT_EQ(g_paperCatalogue.count, 11);
        // An empty file holds nothing to keep.
        EXPECT_EQ(besideSettings().size(), c.bytes.empty() ? 0u : 1u);
        if (!c.bytes.empty()) {
            EXPECT_EQ(readAll(settings.string() + ".bak"), c.bytes);
        }
    }
}

TEST_F(SettingsFile, ForeignFileWithNoFreeBackupNameIsLeftAlone) {
    writeAll(settings.string() + ".bak", {1});
    for (int i = 1; i < 100; ++i)
        writeAll(settings.string() + "." + std::to_string(i) + ".bak", {1});
    auto bytes = pattern(3000, 4);
    writeAll(settings, bytes);
    EXPECT_EQ(loadSettings(), LoadStatus::NotBackedUp);
    EXPECT_EQ(readAll(settings), bytes);
    EXPECT_EQ(besideSettings().size(), 100u);
    EXPECT_EQ(g_paperCatalogue.count, 0); // no defaults either
    fs::remove(settings.string() + ".50.bak");
    EXPECT_EQ(loadSettings(), LoadStatus::Replaced);
    EXPECT_EQ(readAll(settings.string() + ".50.bak"), bytes);
}

TEST_F(SettingsFile, ShortFileFillsWhatItHas) {
    auto bytes = pattern(100, 9);
    put16(bytes, 0, 302);
    writeAll(settings, bytes);
    EXPECT_EQ(loadSettings(), LoadStatus::Loaded);
    const auto* record = reinterpret_cast<const unsigned char*>(&g_plotterRecord);
    EXPECT_EQ(std::memcmp(record, bytes.data() + 2, 98), 0);
    for (size_t i = 98; i < 756; ++i)
        ASSERT_EQ(record[i], 0) << i;
    EXPECT_EQ(g_paperCatalogue.count, 0);
    EXPECT_EQ(PaperCount(), 0);
    EXPECT_EQ(readAll(settings), bytes); // a readable file is never rewritten
}

TEST_F(SettingsFile, SavesWriteOnlyTheirBlocks) {
    auto bytes = pattern(17922, 1);
    put16(bytes, 0, 302);
    writeAll(settings, bytes);
    ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
    EXPECT_EQ(std::memcmp(g_carriedRegion, bytes.data() + 9730, 7924), 0);

    g_plotterRecord.leafMarginTop = 0x01020304;
    g_plotterRecord.reserved46 = -2;
    g_paperCatalogue.count = 3;
    g_paperCatalogue.lengthUnit = 1;
    EXPECT_TRUE(savePlotterSettings(&g_plotterRecord));
    EXPECT_TRUE(savePaperCatalogue(&g_paperCatalogue));
    EXPECT_FALSE(savePlotterSettings(nullptr));

    auto expected = bytes;
    expected[6] = 0x04;
    expected[7] = 0x03;
    expected[8] = 0x02;
    expected[9] = 0x01;
    put16(expected, 48, -2);
    put16(expected, 1538, 3);
    put16(expected, 8472, 1);
    EXPECT_EQ(readAll(settings), expected);
}

TEST_F(SettingsFile, SavesNeverCreateTheFile) {
    ASSERT_EQ(loadSettings(), LoadStatus::Created);
    fs::remove(settings);
    EXPECT_FALSE(savePlotterSettings(&g_plotterRecord));
    EXPECT_FALSE(savePaperCatalogue(&g_paperCatalogue));
    EXPECT_FALSE(fs::exists(settings));
}

TEST_F(SettingsFile, SaveOfAnEmptiedFileKeepsItsVersionWordAlone) {
    ASSERT_EQ(loadSettings(), LoadStatus::Created);
    writeAll(settings, {});
    EXPECT_TRUE(savePaperCatalogue(&g_paperCatalogue));
    const auto f = readAll(settings);
    ASSERT_EQ(f.size(), 1538u + 6938u);
    EXPECT_EQ(le16(f.data(), 0), 0); // never repaired by a save
    EXPECT_EQ(le16(f.data(), 1538), 11);
}

TEST_F(SettingsFile, AnExistingFileThatCannotBeOpenedIsLeftAlone) {
    // A directory in the file's place cannot be opened for writing, yet exists.
    fs::create_directories(settings);
    fs::path marker = settings / "inside";
    writeAll(marker, {1, 2, 3});
    std::memset(&g_plotterRecord, 0x11, sizeof g_plotterRecord);
    EXPECT_EQ(loadSettings(), LoadStatus::Unreadable);
    EXPECT_TRUE(fs::is_directory(settings));
    EXPECT_EQ(readAll(marker), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_EQ(reinterpret_cast<unsigned char*>(&g_plotterRecord)[0], 0x11); // untouched
    EXPECT_EQ(g_paperCatalogue.count, 0);
    EXPECT_FALSE(savePlotterSettings(&g_plotterRecord));
}

TEST_F(SettingsFile, DocumentsAtTheRootGetOneBackslash) {
    setDocumentsFolder((documents.string() + "\\").c_str());
    char path[256];
    ASSERT_TRUE(buildSettingsPath(path, sizeof path));
    EXPECT_EQ(std::string(path), documents.string() + "\\Adobe\\Illustrator\\KELDORIX.INI");
    EXPECT_EQ(loadSettings(), LoadStatus::Created);
    EXPECT_TRUE(fs::exists(settings));
}

TEST_F(SettingsFile, PathsThatDoNotFitAreNeverCut) {
    // Documents folder + "\Adobe\Illustrator\KELDORIX.INI" (31 bytes) must
    // leave room for the terminator in 256 bytes.
    const std::string base = documents.string();
    struct Case {
        size_t total;
        bool fits;
    } cases[] = {{255, true}, {256, false}, {300, false}};
    for (const Case& c : cases) {
        const size_t folderLength = c.total - 31;
        std::string folder = base + "/";
        folder += std::string(folderLength - folder.size(), 'd');
        fs::create_directories(folder);
        setDocumentsFolder(folder.c_str());
        char path[256];
        EXPECT_EQ(buildSettingsPath(path, sizeof path), c.fits) << c.total;
        EXPECT_EQ(loadSettings(), c.fits ? LoadStatus::Created : LoadStatus::Unavailable)
            << c.total;
        EXPECT_EQ(fs::exists(fs::path(folder) / "Adobe" / "Illustrator" / "KELDORIX.INI"), c.fits);
    }
    setDocumentsFolder("");
    EXPECT_EQ(loadSettings(), LoadStatus::Unavailable);
    EXPECT_FALSE(savePlotterSettings(&g_plotterRecord));
}

// Start-up's loads and OK's four writes (the record three times, then the
// catalogue, as the pages do), with call n of the file layer failing or
// writing short, for every n up to the calls a clean run makes.
TEST_F(SettingsFile, EveryFailedFileCallIsCaughtAndNothingStoredIsLost) {
    const auto block = [](const std::vector<unsigned char>& f, size_t at, size_t size) {
        return std::vector<unsigned char>(f.begin() + at, f.begin() + at + size);
    };
    const auto memory = [](const void* block, size_t size) {
        const auto* p = static_cast<const unsigned char*>(block);
        return std::vector<unsigned char>(p, p + size);
    };
    const auto pressOk = [] {
        bool ok = savePlotterSettings(&g_plotterRecord);
        ok = savePlotterSettings(&g_plotterRecord) && ok;
        ok = savePlotterSettings(&g_plotterRecord) && ok;
        return savePaperCatalogue(&g_paperCatalogue) && ok;
    };
    int runs = 0;
    for (int16_t version : {int16_t(302), int16_t(301)})
        for (FileFault kind : {FileFault::Fail, FileFault::ShortWrite})
            for (unsigned n = 1;; ++n) {
                SCOPED_TRACE(testing::Message() << "version " << version << " kind "
                                                << static_cast<int>(kind) << " call " << n);
                auto original = pattern(20000, 5);
                put16(original, 0, version);
                writeAll(settings, original);
                for (const fs::path& other : besideSettings())
                    fs::remove(other);
                std::memset(&g_plotterRecord, 0, sizeof g_plotterRecord);

                injectFileFault(n, kind);
                const LoadStatus status = loadSettings();
                const unsigned loadCalls = fileCallsMade();
                const auto loaded = readAll(settings);
                const auto others = besideSettings();
                if (version == 302 || others.empty()) {
                    // Never initialised without a whole copy kept first.
                    EXPECT_EQ(loaded, original);
                    EXPECT_TRUE(others.empty());
                } else {
                    ASSERT_EQ(others.size(), 1u);
                    EXPECT_EQ(readAll(others[0]), original);
                    ASSERT_EQ(loaded.size(), original.size());
                    EXPECT_EQ(block(loaded, 17922, 2078), block(original, 17922, 2078));
                }
                if (status == LoadStatus::Loaded || status == LoadStatus::Replaced) {
                    EXPECT_EQ(memory(&g_plotterRecord, 756), block(loaded, 2, 756));
                    EXPECT_EQ(memory(&g_paperCatalogue, 6938), block(loaded, 1538, 6938));
                    EXPECT_EQ(memory(g_carriedRegion, 7924), block(loaded, 9730, 7924));
                }
                if (status >= LoadStatus::Unreadable) { // start-up asks and ends here
                    if (fileCallsMade() < n)
                        break;
                    continue;
                }

                // The operator's edits, then OK.
                std::memset(&g_plotterRecord, 0x5A, sizeof g_plotterRecord);
                g_paperCatalogue.count = static_cast<int16_t>(n);
                const bool ok = pressOk();
                const bool faultInOk = n > loadCalls && n <= fileCallsMade();
                const auto saved = readAll(settings);
                ASSERT_EQ(saved.size(), loaded.size()) << "never shortened or extended";
                EXPECT_EQ(block(saved, 0, 2), block(loaded, 0, 2));
                EXPECT_EQ(block(saved, 758, 780), block(loaded, 758, 780));
                EXPECT_EQ(block(saved, 8476, saved.size() - 8476),
                          block(loaded, 8476, loaded.size() - 8476));
                if (ok) {
                    EXPECT_EQ(block(saved, 2, 756), memory(&g_plotterRecord, 756));
                    EXPECT_EQ(block(saved, 1538, 6938), memory(&g_paperCatalogue, 6938));
                }
                if (kind == FileFault::Fail && faultInOk) {
                    EXPECT_FALSE(ok) << "a failed call reported as success";
                }
                const bool faultFired = fileCallsMade() >= n;

                // Pressed again with the fault gone, everything is stored.
                injectFileFault(0, kind);
                EXPECT_TRUE(pressOk());
                const auto again = readAll(settings);
                EXPECT_EQ(block(again, 2, 756), memory(&g_plotterRecord, 756));
                EXPECT_EQ(block(again, 1538, 6938), memory(&g_paperCatalogue, 6938));
                ++runs;
                if (!faultFired)
                    break;
            }
    EXPECT_GT(runs, 100);
}

} // namespace
