#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bytes.h"
#include "settings/default_image.h"
#include "storage/file_io.h"
#include "storage/settings_commit.h"
#include "settings_folder.h"

namespace {

using SettingsFile = SettingsFolder;

TEST_F(SettingsFile, FreshFileLayout) {
    EXPECT_EQ(loadSettings(), LoadStatus::Created);
    ASSERT_TRUE(fs::is_directory(folder / "Adobe" / "Illustrator"));
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
    EXPECT_EQ(f, defaultSettingsImage()); // the image zembcfg starts a partial import from

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
                  folder.string() + "\\Adobe\\Illustrator\\" + names[n]);
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

TEST_F(SettingsFile, SaveWritesOnlyTheBlocksItOwns) {
    auto bytes = pattern(17922, 1);
    put16(bytes, 0, 302);
    writeAll(settings, bytes);
    ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
    EXPECT_EQ(std::memcmp(g_carriedRegion, bytes.data() + 9730, 7924), 0);

    g_plotterRecord.leafMarginTop = 0x01020304;
    g_plotterRecord.reserved46 = -2;
    g_paperCatalogue.count = 3;
    g_paperCatalogue.lengthUnit = 1;
    std::memset(g_carriedRegion, 0, sizeof g_carriedRegion); // never written
    EXPECT_EQ(saveSettings(false), SaveOutcome::Saved);

    auto expected = bytes;
    expected[6] = 0x04;
    expected[7] = 0x03;
    expected[8] = 0x02;
    expected[9] = 0x01;
    put16(expected, 48, -2);
    put16(expected, 1538, 3);
    put16(expected, 8472, 1);
    EXPECT_EQ(readAll(settings), expected);
    EXPECT_TRUE(besideSettings().empty());
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
    EXPECT_EQ(saveSettings(false), SaveOutcome::Unreadable);
    EXPECT_TRUE(fs::is_directory(settings));
}

TEST_F(SettingsFile, DocumentsAtTheRootGetOneBackslash) {
    setDocumentsFolder((folder.string() + "\\").c_str());
    std::string path;
    ASSERT_TRUE(settingsFilePath(&path));
    EXPECT_EQ(path, folder.string() + "\\Adobe\\Illustrator\\KELDORIX.INI");
    EXPECT_EQ(loadSettings(), LoadStatus::Created);
    EXPECT_TRUE(fs::exists(settings));
}

// Any length and any script: the path is never cut and never passes through
// a code page that could lack a character of it.
TEST_F(SettingsFile, LongAndUnicodeDocumentsFoldersWork) {
    const std::string base = folder.string();
    for (const std::string& folder :
         {base + "/Dokument\xc3\xab", base + "/\xe6\x9b\xb8\xe9\xa1\x9e",
          base + "/" + std::string(200, 'd') + "/" + std::string(200, 'e')}) {
        SCOPED_TRACE(folder.size());
        fs::create_directories(folder);
        setDocumentsFolder(folder.c_str());
        const fs::path file = fs::path(folder) / "Adobe" / "Illustrator" / "KELDORIX.INI";
        std::string path;
        ASSERT_TRUE(settingsFilePath(&path));
        EXPECT_EQ(path, folder + "\\Adobe\\Illustrator\\KELDORIX.INI");
        EXPECT_EQ(loadSettings(), LoadStatus::Created);
        g_plotterRecord.leafMarginTop = 44;
        EXPECT_EQ(saveSettings(false), SaveOutcome::Saved);
        EXPECT_EQ(le32(readAll(file).data(), 6), 44);
    }
    setDocumentsFolder("");
    EXPECT_EQ(loadSettings(), LoadStatus::Unavailable);
    EXPECT_EQ(saveSettings(false), SaveOutcome::Unavailable);
}

// Start-up's loads and OK's save, with call n of the file layer failing or
// writing short, for every n up to the calls a clean run makes.
TEST_F(SettingsFile, EveryFailedFileCallIsCaughtAndNothingStoredIsLost) {
    const auto block = [](const std::vector<unsigned char>& f, size_t at, size_t size) {
        return std::vector<unsigned char>(f.begin() + at, f.begin() + at + size);
    };
    const auto memory = [](const void* block, size_t size) {
        const auto* p = static_cast<const unsigned char*>(block);
        return std::vector<unsigned char>(p, p + size);
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
                if (status == LoadStatus::Unavailable) { // the defaults, refused or not
                    const auto defaults = defaultSettingsImage();
                    EXPECT_EQ(memory(&g_plotterRecord, 756), block(defaults, 2, 756));
                    EXPECT_EQ(memory(&g_paperCatalogue, 6938), block(defaults, 1538, 6938));
                }
                if (status >= LoadStatus::Unreadable) { // start-up asks and ends here
                    if (fileCallsMade() < n)
                        break;
                    continue;
                }

                // The operator's edits, then OK.
                std::memset(&g_plotterRecord, 0x5A, sizeof g_plotterRecord);
                g_paperCatalogue.count = static_cast<int16_t>(n);
                auto expected = loaded;
                std::memset(expected.data() + 2, 0x5A, 756);
                std::memcpy(expected.data() + 1538, &g_paperCatalogue, 6938);
                const SaveOutcome outcome = saveSettings(false);
                EXPECT_EQ(readAll(settings), outcome == SaveOutcome::Saved ? expected : loaded)
                    << "the old file or the new one, whole";
                EXPECT_EQ(besideSettings().size(), others.size()) << "no temporary file left";
                const bool faultFired = fileCallsMade() >= n;

                // Pressed again with the fault gone, everything is stored.
                injectFileFault(0, kind);
                EXPECT_EQ(saveSettings(false), SaveOutcome::Saved);
                EXPECT_EQ(readAll(settings), expected);
                ++runs;
                if (!faultFired)
                    break;
            }
    EXPECT_GT(runs, 100);
}

// The system's answer to the next open, whatever is there.
FileError g_openAnswer = kFileOk;
FileHandle openAnswering(const char* path, OpenMode mode, FileError* error) {
    *error = g_openAnswer;
    g_openAnswer = kFileOk; // the first open only
    return *error == kFileOk ? kSystemFiles.open(path, mode, error) : kNoFile;
}

// Only "not found" means missing: a server that is down or a folder that
// refuses access is the question that names the path, never a sheet on
// defaults that a later OK would save over the real file.
TEST_F(SettingsFile, OnlyAFileNotFoundIsCreated) {
    FileLayer answering = kSystemFiles;
    answering.open = openAnswering;
    const struct {
        FileError error;
        LoadStatus status;
    } cases[] = {
        {kErrorFileNotFound, LoadStatus::Created},
        {kErrorPathNotFound, LoadStatus::Created},
        {kErrorBadNetPath, LoadStatus::Unreadable},
        {kErrorAccessDenied, LoadStatus::Unreadable},
        {kErrorNotReady, LoadStatus::Unreadable},
        {kErrorSharingViolation, LoadStatus::Unreadable},
    };
    useFileLayer(&answering);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        fs::remove_all(settings.parent_path());
        g_openAnswer = c.error;
        EXPECT_EQ(loadSettings(), c.status);
        EXPECT_EQ(fs::exists(settings), c.status == LoadStatus::Created);
    }
    g_openAnswer = kFileOk;
    useFileLayer(nullptr);
}

// What zembcfg tells of a file it could not read rests on why the open failed.
TEST_F(SettingsFile, AWholeReadSaysWhyTheOpenFailed) {
    FileLayer answering = kSystemFiles;
    answering.open = openAnswering;
    const struct {
        FileError error;
        ReadOutcome outcome;
    } cases[] = {
        {kFileOk, ReadOutcome::Read},
        {kErrorPathNotFound, ReadOutcome::Missing},
        {kErrorAccessDenied, ReadOutcome::Denied},
        {kErrorLockViolation, ReadOutcome::InUse},
        {kErrorNotReady, ReadOutcome::Failed},
    };
    writeAll(settings, {1, 2});
    useFileLayer(&answering);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        g_openAnswer = c.error;
        FileBytes bytes;
        EXPECT_EQ(readWholeFile(settings.string(), &bytes), c.outcome);
    }
    useFileLayer(nullptr);
}

// Opened for reading only, its settings show; OK writes nothing. One of
// another version cannot be replaced by defaults: start-up asks.
TEST_F(SettingsFile, AReadOnlyFileShowsItsSettingsAndIsNeverSaved) {
    for (int16_t version : {int16_t(302), int16_t(301)}) {
        SCOPED_TRACE(version);
        auto bytes = pattern(17922, 6);
        put16(bytes, 0, version);
        writeAll(settings, bytes);
        fs::permissions(settings, fs::perms::owner_read | fs::perms::group_read);
        const bool sound = version == 302;
        std::memset(&g_plotterRecord, 0, sizeof g_plotterRecord);
        EXPECT_EQ(loadSettings(), sound ? LoadStatus::Loaded : LoadStatus::Unreadable);
        EXPECT_EQ(g_plotterRecord.leafMarginTop, sound ? le32(bytes.data(), 6) : 0);
        if (sound) {
            g_plotterRecord.leafMarginTop = 44;
            EXPECT_EQ(saveSettings(false), SaveOutcome::ReadOnly);
        }
        EXPECT_EQ(readAll(settings), bytes);
        EXPECT_TRUE(besideSettings().empty());
        fs::permissions(settings, fs::perms::owner_all);
    }
}

} // namespace
