// The settings file under Wine: the real shell folder and kernel32 calls.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

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

} // namespace
