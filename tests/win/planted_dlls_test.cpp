// Both programs unpacked into a folder that already holds DLLs named like
// those they and the shell load, as a Downloads folder may after a drive-by
// download: the sheet and the folder browser open, zembcfg runs, and none of
// those DLLs is loaded.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resources/resource_ids.h"
#include "sheet_driver.h"

namespace {

// Planted: the programs' imports and what the shell loads by name for the
// folder browser. Windows takes its known DLLs from System32 whatever the
// folder holds; every other name it searches for in the program's folder
// first, unless the program said otherwise. Wine's loader knows no known
// DLLs: it is told to search the folder for the other names only (NAME=n,b).
// uxtheme cannot be among those under Wine, whose own user32 loads it by name
// as the process starts, before the program's first instruction; the import
// check in scripts/test keeps the programs from importing it.
struct Planted {
    const wchar_t* name;
    bool searched;
};
const Planted kPlanted[] = {
    {L"advapi32", false}, {L"gdi32", false},   {L"kernel32", false},     {L"msvcrt", false},
    {L"ole32", false},    {L"shell32", false}, {L"user32", false},       {L"uxtheme", false},
    {L"comctl32", true},  {L"dwmapi", true},   {L"propsys", true},       {L"cryptbase", true},
    {L"profapi", true},   {L"ntmarta", true},  {L"edputil", true},       {L"linkinfo", true},
    {L"ntshrui", true},   {L"cscapi", true},   {L"srvcli", true},        {L"netutils", true},
    {L"sspicli", true},   {L"wintypes", true}, {L"explorerframe", true}, {L"windows.storage", true},
};

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder, the programs in it and one planted DLL per name.
std::wstring plantedFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"zemb-planted\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* program : {L"ZEMBSerConfig.exe", L"zembcfg.exe"})
        CopyFileW(besideTests(program).c_str(), (folder + program).c_str(), FALSE);
    for (const Planted& planted : kPlanted) {
        const std::wstring dll = folder + planted.name + L".dll";
        CopyFileW(besideTests(L"zemb_planted.dll").c_str(), dll.c_str(), FALSE);
        DeleteFileW((dll + L".loaded").c_str());
    }
    return folder;
}

// The override, for both programs.
struct SearchedAsWindowsDoes {
    const wchar_t* const keys[2] = {L"Software\\Wine\\AppDefaults\\ZEMBSerConfig.exe\\DllOverrides",
                                    L"Software\\Wine\\AppDefaults\\zembcfg.exe\\DllOverrides"};
    SearchedAsWindowsDoes() {
        for (const wchar_t* path : keys) {
            HKEY key;
            if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &key, nullptr) != ERROR_SUCCESS)
                continue;
            const wchar_t order[] = L"native,builtin";
            for (const Planted& planted : kPlanted)
                if (planted.searched)
                    RegSetValueExW(key, planted.name, 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(order), sizeof order);
            RegCloseKey(key);
        }
    }
    ~SearchedAsWindowsDoes() {
        for (const wchar_t* path : keys)
            RegDeleteTreeW(HKEY_CURRENT_USER, path);
    }
};

HWND pageWith(HWND sheet, int id) {
    for (HWND child = GetWindow(sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgItem(child, id))
            return child;
    return nullptr;
}

} // namespace

TEST(PlantedDlls, MarkItWhenLoaded) {
    const std::wstring probe = besideTests(L"zemb_planted.dll");
    DeleteFileW((probe + L".loaded").c_str());
    HMODULE loaded = LoadLibraryW(probe.c_str());
    ASSERT_NE(loaded, nullptr);
    FreeLibrary(loaded);
    EXPECT_TRUE(exists(probe + L".loaded"));
    DeleteFileW((probe + L".loaded").c_str());
}

TEST(PlantedDlls, NoneIsLoadedBySheetBrowserOrZembcfg) {
    const std::wstring folder = plantedFolder();
    SearchedAsWindowsDoes searched;
    {
        Program program(folder + L"ZEMBSerConfig.exe");
        ASSERT_TRUE(program.started());
        HWND sheet = program.waitForWindow(true);
        ASSERT_NE(sheet, nullptr) << "the sheet did not open";
        // What the "..." button sends when clicked.
        HWND page = pageWith(sheet, IDC_BROWSE_SHARED_FOLDER);
        ASSERT_NE(page, nullptr);
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_BROWSE_SHARED_FOLDER, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_BROWSE_SHARED_FOLDER)));
        HWND browser = program.waitForWindow(false);
        EXPECT_NE(browser, nullptr) << "the folder browser did not open";
        PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
        for (int i = 0; i < 100 && IsWindow(browser); ++i)
            Sleep(50);
        PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(program.waitForExit(), 0);
    }
    const Ran ran = zembcfgExe(L"--version", folder + L"zembcfg.exe");
    EXPECT_EQ(ran.status, 0u);
    EXPECT_EQ(ran.out.rfind("zembcfg ", 0), 0u) << ran.out;
    for (const Planted& planted : kPlanted)
        EXPECT_FALSE(exists(folder + planted.name + L".dll.loaded"))
            << "loaded the planted " << planted.name;
}
