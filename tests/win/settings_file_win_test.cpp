// The settings file under Wine: the real shell folder and kernel32 calls.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include <string>
#include <vector>

#include "settings/catalogue.h"
#include "settings/record.h"
#include "storage/settings_file.h"
#include "sheet_driver.h"

namespace {

TEST(SettingsFileWin, LivesInAdobeIllustratorUnderTheDocumentsFolder) {
    char documents[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)));
    std::string expected = documents;
    if (expected.back() != '\\')
        expected += '\\';
    expected += "Adobe\\Illustrator\\KELDORIX.INI";
    EXPECT_EQ(settingsPath(), expected);
}

TEST(SettingsFileWin, CreatedWithDefaultsWhenMissing) {
    DeleteFileA(settingsPath().c_str());
    EXPECT_EQ(loadSettings(), LoadStatus::Created);
    const auto bytes = readFileBytes(settingsPath());
    ASSERT_EQ(bytes.size(), 17922u);
    EXPECT_EQ(bytes[0], 0x2E);
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_EQ(bytes[2] | (bytes[3] << 8), 301);
    EXPECT_EQ(bytes[1538] | (bytes[1539] << 8), 11);
    EXPECT_EQ(bytes[1540], 'A');
    EXPECT_EQ(bytes[1541], '0');
    EXPECT_EQ(loadSettings(), LoadStatus::Loaded);
}

TEST(SettingsFileWin, FileHeldExclusivelyIsLeftByteForByte) {
    const std::string path = settingsPath();
    DeleteFileA(path.c_str());
    // A foreign file: wrong version, odd length, so any rewrite would show.
    std::vector<unsigned char> original(5000);
    for (size_t i = 0; i < original.size(); ++i)
        original[i] = static_cast<unsigned char>(i * 13 + 5);
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD put = 0;
        WriteFile(file, original.data(), static_cast<DWORD>(original.size()), &put, nullptr);
        CloseHandle(file);
    }
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::memset(&g_plotterRecord, 0, sizeof g_plotterRecord);
    EXPECT_EQ(loadSettings(), LoadStatus::Unreadable);
    EXPECT_EQ(saveSettings(false), SaveOutcome::Unreadable);
    EXPECT_EQ(g_plotterRecord.recordVersion, 0); // nothing loaded, no defaults either
    CloseHandle(holder);
    EXPECT_EQ(readFileBytes(path), original);

    // Once released, the foreign file is kept aside and taken over.
    EXPECT_EQ(loadSettings(), LoadStatus::Replaced);
    EXPECT_EQ(readFileBytes(path).size(), 17922u);
    EXPECT_EQ(std::string(settingsBackupPath()), path + ".bak");
    EXPECT_EQ(readFileBytes(path + ".bak"), original);
    DeleteFileA(settingsBackupPath());
}

} // namespace
