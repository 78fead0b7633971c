// zembcfg.exe preset as an operator runs it: the shell's application-data
// folder (pointed into a folder of the test's own), save, list, apply.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "sheet_driver.h"

namespace {

const wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// The roaming application-data folder the shell reports to the programs
// started meanwhile.
class AppDataFolder {
  public:
    explicit AppDataFolder(const std::wstring& folder) {
        RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_ALL_ACCESS, &key_);
        DWORD size = sizeof before_;
        RegQueryValueExW(key_, L"AppData", nullptr, nullptr, reinterpret_cast<BYTE*>(before_),
                         &size);
        set(folder.c_str());
    }
    ~AppDataFolder() {
        set(before_);
        RegCloseKey(key_);
    }

  private:
    void set(const wchar_t* folder) {
        RegSetValueExW(key_, L"AppData", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder),
                       static_cast<DWORD>((wcslen(folder) + 1) * sizeof(wchar_t)));
    }
    HKEY key_ = nullptr;
    wchar_t before_[MAX_PATH] = {};
};

bool has(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

TEST(ZembcfgPreset, SaveListApplyInTheOperatorsAppDataFolder) {
    const std::wstring appData = besideTests(L"preset-appdata");
    const std::wstring presets = appData + L"\\Calderwick\\ZEMBSerConfig\\Presets";
    CreateDirectoryW(appData.c_str(), nullptr);
    const AppDataFolder redirected(appData);
    deleteProgramKeys();
    freshSettings();
    changeSettingsFile([](Bytes& bytes) { put32(bytes, 6, 21); });
    const DWORD scale = 5000;
    setProgramValue("Scale", REG_DWORD, &scale, sizeof scale);
    const Bytes saved = readFileBytes(settingsPath());

    const Ran save = zembcfgExe(L"preset save Cutter");
    EXPECT_EQ(save.status, 0u) << save.err;
    const std::string document = fileText(presets + L"\\Cutter.toml");
    EXPECT_TRUE(has(document, "\nleafMarginTop = 21")) << document;
    EXPECT_TRUE(has(document, "\nScale = 5000")) << document;

    changeSettingsFile([](Bytes& bytes) { put32(bytes, 6, 3); });
    const Ran list = zembcfgExe(L"preset list");
    EXPECT_EQ(list.out, "標準設定\tbuilt-in\nCutter\town\n") << list.err;
    const Ran apply = zembcfgExe(L"preset apply cutter");
    EXPECT_EQ(apply.status, 0u) << apply.err;
    EXPECT_EQ(readFileBytes(settingsPath()), saved);
    EXPECT_EQ(le32(readFileBytes(settingsFolder() + "KELDORIX.INI.bak"), 6), 3);

    removeBesideSettings();
    DeleteFileW((presets + L"\\Cutter.toml").c_str());
    for (const wchar_t* sub : {L"\\Calderwick\\ZEMBSerConfig\\Presets",
                               L"\\Calderwick\\ZEMBSerConfig", L"\\Calderwick", L""})
        RemoveDirectoryW((appData + sub).c_str());
}

} // namespace
