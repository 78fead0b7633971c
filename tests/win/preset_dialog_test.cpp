// The お気に入り dialog, driven as an operator drives it over the real sheet:
// presets applied to the pages and saved by OK (file bytes at literal
// offsets, registry values), registered from what the pages show, replaced,
// deleted, and refused when damaged.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "pages/pages.h"
#include "presets/presets.h"
#include "resources/resource_ids.h"
#include "settings/cp932_text.h"
#include "settings/page_setup.h"
#include "storage/registry_win.h"
#include "storage/settings_file.h"
#include "sheet_driver.h"
#include "zembcfg/zembcfg.h"

namespace {

PresetFolders folders() {
    PresetFolders found;
    EXPECT_TRUE(systemPresetFolders(&found));
    return found;
}

std::wstring wideUtf8(const std::string& utf8) {
    std::u16string text;
    utf8ToUtf16(utf8, &text);
    return std::wstring(text.begin(), text.end());
}

std::wstring presetFile(const std::string& folder, const std::string& name) {
    return wideUtf8(folder + "\\" + name + ".toml");
}

// Both folders made and emptied, as on a machine that never had a preset.
void noPresets() {
    for (const std::string& folder : {folders().own, folders().shared}) {
        std::string path;
        for (size_t at = folder.find('\\', 3); at != std::string::npos;
             at = folder.find('\\', at + 1))
            CreateDirectoryW(wideUtf8(folder.substr(0, at)).c_str(), nullptr);
        CreateDirectoryW(wideUtf8(folder).c_str(), nullptr);
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((wideUtf8(folder) + L"\\*.toml").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
            DeleteFileW((wideUtf8(folder) + L"\\" + found.cFileName).c_str());
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
    }
}

void putPreset(const std::string& folder, const std::string& name, const std::string& text) {
    HANDLE file = CreateFileW(presetFile(folder, name).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    DWORD put = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
    CloseHandle(file);
}

std::string presetText(const std::string& folder, const std::string& name) {
    return fileText(presetFile(folder, name));
}

// ---- steps ------------------------------------------------------------------

HWND presetsDialog() {
    return findDialogWith(IDC_PRESET_LIST);
}

SheetStep openPresets() {
    return [](HWND sheet) {
        PostMessageW(GetDlgItem(sheet, IDC_SHEET_PRESETS), BM_CLICK, 0, 0);
        return true;
    };
}

// Once the dialog is up: the list item with this text selected, as a click does.
SheetStep choose(const std::wstring& item) {
    return [item](HWND) {
        HWND dialog = presetsDialog();
        if (!dialog)
            return false;
        HWND list = GetDlgItem(dialog, IDC_PRESET_LIST);
        const LRESULT at =
            SendMessageW(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(item.c_str()));
        EXPECT_NE(at, LB_ERR) << "no preset listed as "
                              << utf16ToUtf8(std::u16string(item.begin(), item.end()));
        SendMessageW(list, LB_SETCURSEL, at, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_PRESET_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        return true;
    };
}

// A button of the dialog pressed; what it opens runs its own modal loop.
SheetStep press(int id) {
    return [id](HWND) {
        HWND dialog = presetsDialog();
        if (!dialog)
            return false;
        PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        return true;
    };
}

SheetStep giveName(const std::wstring& name) {
    return [name](HWND) {
        HWND prompt = findDialogWith(IDC_PRESET_NAME);
        if (!prompt)
            return false;
        SetDlgItemTextW(prompt, IDC_PRESET_NAME, name.c_str());
        PostMessageW(GetDlgItem(prompt, IDOK), BM_CLICK, 0, 0);
        return true;
    };
}

// Waits for a message box, keeps its text, presses `button`; done once it is gone.
SheetStep answer(int button, std::wstring* shown = nullptr) {
    auto answered = std::make_shared<bool>(false);
    return [button, shown, answered](HWND) {
        HWND box = findMessageBox();
        if (*answered)
            return box == nullptr;
        if (box) {
            if (shown)
                *shown = messageBoxText(box);
            PostMessageW(box, WM_COMMAND, button, 0);
            *answered = true;
        }
        return false;
    };
}

// The sheet's button pressed once the presets dialog has gone.
SheetStep closeSheet(int button) {
    return [button](HWND sheet) {
        if (presetsDialog())
            return false;
        clickButton(sheet, button);
        return true;
    };
}

// ---- settings at the start --------------------------------------------------

std::vector<DWORD> registryValues() {
    std::vector<DWORD> values;
    for (const char* name : kPageSetupValueNames) {
        DWORD value = 0xDEADBEEF;
        readProgramDword(name, &value);
        values.push_back(value);
    }
    return values;
}

void setRegistryValues(const std::vector<DWORD>& values) {
    for (int i = 0; i < kPageSetupValueCount; ++i)
        setProgramValue(kPageSetupValueNames[i], REG_DWORD, &values[i], 4);
}

// What start-up does around the sheet: run it, and after OK store the
// page-setup values.
INT_PTR runSheetAndStore(std::vector<SheetStep> steps) {
    const INT_PTR result = runSheetWith(std::move(steps));
    if (result == IDOK) {
        EXPECT_TRUE(SavePageSetup());
    }
    return result;
}

// Settings of an operator's own, as the program saved them in the file and
// the registry, loaded as start-up loads them; returns the file's bytes.
Bytes ownSettings() {
    freshSettings();
    changeSettingsFile([](Bytes& b) {
        put32(b, 2 + 4, 21);  // leaf margin top
        put16(b, 2 + 214, 6); // 28800 bps
        put32(b, 2 + 180, 7); // frame margin top
        b[9730] = 0x11;       // a carried byte
    });
    deleteProgramKeys();
    LoadPageSetup();
    g_pageSetup.Scale = 5000;
    EXPECT_EQ(runSheetAndStore({closeSheet(IDOK)}), IDOK);
    EXPECT_EQ(loadSettings(), LoadStatus::Loaded);
    LoadPageSetup();
    return readFileBytes(settingsPath());
}

std::vector<SheetStep> applyAndClose(const std::wstring& item, int button) {
    return {openPresets(), choose(item), press(IDC_PRESET_APPLY), closeSheet(button)};
}

const char kPartialPreset[] = "[record]\nleafMarginTop = 25\n";

class PresetDialog : public ::testing::Test {
  protected:
    void SetUp() override { noPresets(); }
    // zembcfg preset apply keeps the file it replaced beside it.
    void TearDown() override { removeBesideSettings(); }
};

// ---- apply ------------------------------------------------------------------

TEST_F(PresetDialog, ApplyThenOkStoresWhatZembcfgPresetApplyStores) {
    const std::string preset = "[record]\nleafMarginTop = 25\nsortMode = 2\n"
                               "[catalogue]\nlengthUnit = 1\n"
                               "[pageSetup]\nOrientation = 1\nScale = 2500\n";
    putPreset(folders().own, "切り文字", preset);
    const Bytes start = ownSettings();
    const std::vector<DWORD> startRegistry = registryValues();
    EXPECT_EQ(runSheetAndStore(applyAndClose(L"切り文字", IDOK)), IDOK);
    const Bytes bySheet = readFileBytes(settingsPath());
    const std::vector<DWORD> registryBySheet = registryValues();
    EXPECT_EQ(le32(bySheet, 2 + 4), 25);
    EXPECT_EQ(le16(bySheet, kStoredUnitAt), 1);
    EXPECT_EQ(registryBySheet[4], 2500u) << "Scale";

    writeFileBytes(settingsPath(), start);
    setRegistryValues(startRegistry);
    Io io;
    ASSERT_EQ(runZembcfg({"preset", "apply", "切り文字"}, io), 0) << io.err;
    EXPECT_EQ(readFileBytes(settingsPath()), bySheet);
    EXPECT_EQ(registryValues(), registryBySheet);
}

// Only OK writes: ｷｬﾝｾﾙ after applying leaves the file as it was.
TEST_F(PresetDialog, ApplyThenCancelWritesNothing) {
    putPreset(folders().own, "部分", kPartialPreset);
    const Bytes start = ownSettings();
    EXPECT_EQ(runSheetAndStore(applyAndClose(L"部分", IDCANCEL)), IDCANCEL);
    EXPECT_EQ(readFileBytes(settingsPath()), start);
}

TEST_F(PresetDialog, APartialPresetChangesOnlyWhatItNames) {
    putPreset(folders().own, "部分", kPartialPreset);
    Bytes expected = ownSettings();
    put32(expected, 2 + 4, 25);
    EXPECT_EQ(runSheetAndStore(applyAndClose(L"部分", IDOK)), IDOK);
    EXPECT_EQ(readFileBytes(settingsPath()), expected);
}

// A preset in mm over settings shown in inch: every length page follows.
TEST_F(PresetDialog, APresetInAnotherUnitConvertsEveryLengthPage) {
    putPreset(folders().own, "ミリ", "[catalogue]\nlengthUnit = 1\n[record]\nleafMarginTop = 20\n");
    freshSettings();
    std::vector<SheetStep> steps = applyAndClose(L"ミリ", IDOK);
    steps.insert(steps.end() - 1, [](HWND) {
        if (presetsDialog())
            return false;
        const struct {
            int page, list, length;
            const wchar_t* shown;
        } pages[] = {{kPaperPageIndex, IDC_PAPER_UNITS, IDC_PAPER_WIDTH, L"841"},
                     {kPlotterEnvPageIndex, IDC_ENV_MARGIN_UNIT, IDC_ENV_LEAF_TOP, L"20"},
                     {kPlotterExtraPageIndex, IDC_EXTRA_UNIT, IDC_FRAME_MARGIN_TOP, L"5"},
                     {kCataloguePageIndex, IDC_CATALOGUE_UNIT, IDC_CATALOGUE_WIDTH, L"841"}};
        for (const auto& p : pages) {
            EXPECT_EQ(listSelection(sheetPage(p.page), p.list), 1) << "page " << p.page;
            EXPECT_EQ(controlText(sheetPage(p.page), p.length), p.shown) << "page " << p.page;
        }
        return true;
    });
    EXPECT_EQ(runSheetAndStore(steps), IDOK);
    const Bytes saved = readFileBytes(settingsPath());
    EXPECT_EQ(le16(saved, kStoredUnitAt), 1);
    EXPECT_EQ(le32(saved, 2 + 4), 20);
}

// 標準設定 over an operator's own settings gives what a first start gives.
TEST_F(PresetDialog, TheStandardSettingsGiveTheDefaults) {
    freshSettings();
    deleteProgramKeys();
    LoadPageSetup();
    EXPECT_EQ(runSheetAndStore({closeSheet(IDOK)}), IDOK);
    const Bytes defaults = readFileBytes(settingsPath());
    const std::vector<DWORD> defaultRegistry = registryValues();

    ownSettings();
    EXPECT_EQ(runSheetAndStore(applyAndClose(L"標準設定", IDOK)), IDOK);
    Bytes saved = readFileBytes(settingsPath());
    EXPECT_EQ(saved[9730], 0x11) << "the carried region is the driver's";
    saved[9730] = 0;
    EXPECT_EQ(saved, defaults);
    EXPECT_EQ(registryValues(), defaultRegistry);
}

// ---- register, replace, delete ----------------------------------------------

// What the pages show, typed and not yet saved, is what is registered: applied
// in a later run, it gives that value.
TEST_F(PresetDialog, RegistersWhatThePagesShowBeforeOk) {
    freshSettings();
    const Bytes start = readFileBytes(settingsPath());
    EXPECT_EQ(runSheetWith({[](HWND sheet) {
                                clickTab(sheet, kPlotterEnvPageIndex);
                                typeText(sheetPage(kPlotterEnvPageIndex), IDC_ENV_LEAF_TOP, L"1.5");
                                return true;
                            },
                            openPresets(), press(IDC_PRESET_REGISTER), giveName(L"作業用"),
                            press(IDCANCEL), closeSheet(IDCANCEL)}),
              IDCANCEL);
    EXPECT_EQ(readFileBytes(settingsPath()), start) << "registering writes no settings";
    EXPECT_NE(presetText(folders().own, "作業用"), "");

    freshSettings();
    EXPECT_EQ(runSheetAndStore(applyAndClose(L"作業用", IDOK)), IDOK);
    EXPECT_EQ(le32(readFileBytes(settingsPath()), 2 + 4), 38) << "1.5 inch";
}

// An own preset of that name is replaced only when the operator says yes;
// no asks for another name.
TEST_F(PresetDialog, AnExistingNameIsReplacedOnlyAfterYes) {
    for (int button : {IDYES, IDNO}) {
        SCOPED_TRACE(button == IDYES ? "yes" : "no");
        noPresets();
        putPreset(folders().own, "作業用", kPartialPreset);
        freshSettings();
        std::wstring question;
        std::vector<SheetStep> steps = {openPresets(), press(IDC_PRESET_REGISTER),
                                        giveName(L"作業用"), answer(button, &question)};
        if (button == IDNO)
            steps.push_back([](HWND) {
                HWND prompt = findDialogWith(IDC_PRESET_NAME);
                return prompt && (PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0), true);
            });
        steps.push_back(press(IDCANCEL));
        steps.push_back(closeSheet(IDCANCEL));
        runSheetWith(steps);
        EXPECT_NE(question.find(L"作業用"), std::wstring::npos);
        const std::string text = presetText(folders().own, "作業用");
        if (button == IDYES)
            EXPECT_NE(text.find("leafMarginTop = 15"), std::string::npos) << text;
        else
            EXPECT_EQ(text, kPartialPreset);
    }
}

// Only the operator's own presets are deleted, and only after yes; a shared
// one cannot be, its button disabled and its click ignored.
TEST_F(PresetDialog, OnlyOwnPresetsAreDeletedAfterYes) {
    putPreset(folders().own, "古い", kPartialPreset);
    putPreset(folders().shared, "共用", kPartialPreset);
    freshSettings();
    bool deleteEnabledForShared = true;
    runSheetWith({openPresets(), choose(L"共用（共有）"),
                  [&](HWND) {
                      deleteEnabledForShared =
                          IsWindowEnabled(GetDlgItem(presetsDialog(), IDC_PRESET_DELETE));
                      return true;
                  },
                  press(IDC_PRESET_DELETE), choose(L"古い"), press(IDC_PRESET_DELETE),
                  answer(IDYES), press(IDCANCEL), closeSheet(IDCANCEL)});
    EXPECT_FALSE(deleteEnabledForShared);
    EXPECT_EQ(presetText(folders().shared, "共用"), kPartialPreset);
    EXPECT_EQ(presetText(folders().own, "古い"), "");
}

// ---- refused ----------------------------------------------------------------

// Listed with its reason, never applied: not by its button, not by a double click.
TEST_F(PresetDialog, ADamagedPresetIsListedUnreadableAndNotApplied) {
    putPreset(folders().own, "壊れた", "[record]\nleafMarginTop = \"wide\"\n");
    const Bytes start = ownSettings();
    std::wstring about;
    bool applyEnabled = true;
    runSheetWith({openPresets(), choose(L"壊れた（読めません）"),
                  [&](HWND) {
                      HWND dialog = presetsDialog();
                      about = controlText(dialog, IDC_PRESET_ABOUT);
                      applyEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_PRESET_APPLY));
                      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_PRESET_LIST, LBN_DBLCLK),
                                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PRESET_LIST)));
                      return true;
                  },
                  press(IDCANCEL), closeSheet(IDOK)});
    EXPECT_NE(about.find(L"壊れた.toml:2"), std::wstring::npos) << "the line: " << about.size();
    EXPECT_FALSE(applyEnabled);
    EXPECT_EQ(readFileBytes(settingsPath()), start);
}

// A name the rules refuse is said why, and the prompt stays for another.
TEST_F(PresetDialog, ANameTheRulesRefuseIsAskedAgain) {
    freshSettings();
    std::wstring told;
    runSheetWith({openPresets(), press(IDC_PRESET_REGISTER), giveName(L"a/b"), answer(IDOK, &told),
                  giveName(L"ab"), press(IDCANCEL), closeSheet(IDCANCEL)});
    EXPECT_NE(told.find(wideUtf8(nameProblemJapanese(NameProblem::ForbiddenChar))),
              std::wstring::npos);
    EXPECT_EQ(presetText(folders().own, "a/b"), "");
    EXPECT_NE(presetText(folders().own, "ab"), "");
}

// ---- the file dialogs ------------------------------------------------------

// The system's Save As or Open dialog: a path typed into its file name box
// and confirmed; done once the dialog has gone.
SheetStep fileDialog(const std::wstring& path) {
    auto confirmed = std::make_shared<bool>(false);
    return [path, confirmed](HWND) {
        HWND box = findMessageBox();
        const int fileName = 0x47c; // cmb13, the file name box
        if (*confirmed)
            return box == nullptr || !GetDlgItem(box, fileName);
        if (!box || !GetDlgItem(box, fileName))
            return false;
        SetDlgItemTextW(box, fileName, path.c_str());
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        *confirmed = true;
        return false;
    };
}

// Written out and read back in, a preset is the same document; a file the
// import's checks refuse is named with its line and not added.
TEST_F(PresetDialog, ExportedAndReadInThroughTheFileDialogs) {
    putPreset(folders().own, "部分", kPartialPreset);
    const std::wstring exported = besideTests(L"preset-export.toml");
    const std::wstring damaged = besideTests(L"preset-damaged.toml");
    DeleteFileW(exported.c_str());
    const std::string bad = "[record]\nleafMarginTop = \"wide\"\n";
    HANDLE file =
        CreateFileW(damaged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(file, bad.data(), static_cast<DWORD>(bad.size()), &put, nullptr);
    CloseHandle(file);
    freshSettings();
    std::wstring refused;
    runSheetWith({openPresets(), choose(L"部分"), press(IDC_PRESET_EXPORT), fileDialog(exported),
                  press(IDC_PRESET_IMPORT), fileDialog(damaged), answer(IDOK, &refused),
                  press(IDC_PRESET_IMPORT), fileDialog(exported), giveName(L"戻り"),
                  press(IDCANCEL), closeSheet(IDCANCEL)});
    EXPECT_EQ(fileText(exported), kPartialPreset);
    EXPECT_NE(refused.find(L"preset-damaged.toml:2"), std::wstring::npos);
    EXPECT_EQ(presetText(folders().own, "preset-damaged"), "");
    EXPECT_EQ(presetText(folders().own, "戻り"), kPartialPreset);
    DeleteFileW(exported.c_str());
    DeleteFileW(damaged.c_str());
}

// ---- keyboard -----------------------------------------------------------------

// Keys as the keyboard delivers them (SendInput), as a step.
SheetStep key(std::initializer_list<WORD> held, WORD letter) {
    return [keys = std::vector<WORD>(held), letter](HWND) {
        pressKeys(keys, letter);
        return true;
    };
}

// A step done once what a key opened or closed is so.
SheetStep until(std::function<bool()> shown) {
    return [shown](HWND) { return shown(); };
}

// Alt+F opens the dialog from a page; there the list and every button
// answer their mnemonics, what they open closes with Esc (the question with
// いいえ), Alt+A applies and closes it, and Esc closes it too.
TEST_F(PresetDialog, AltFOpensItsMnemonicsReachEveryControlAndEscCloses) {
    putPreset(folders().own, "鍵", "# nothing named\n");
    freshSettings();
    auto up = [] { return presetsDialog() != nullptr; };
    auto gone = [] { return presetsDialog() == nullptr; };
    std::vector<SheetStep> steps = {
        [](HWND sheet) {
            SetForegroundWindow(sheet);
            SetFocus(GetNextDlgTabItem(sheetPage(kPaperPageIndex), nullptr, FALSE));
            return GetForegroundWindow() == sheet;
        },
        key({VK_MENU}, 'F'),
        until(up),
        key({VK_MENU}, 'L'),
        until([] { return GetFocus() == GetDlgItem(presetsDialog(), IDC_PRESET_LIST); }),
        key({}, VK_END),
        until([] { return IsWindowEnabled(GetDlgItem(presetsDialog(), IDC_PRESET_DELETE)) != 0; }),
        key({VK_MENU}, 'D'),
        answer(IDNO),
        key({VK_MENU}, 'S'),
        until([] { return findDialogWith(IDC_PRESET_NAME) != nullptr; }),
        key({}, VK_ESCAPE),
        until([] { return findDialogWith(IDC_PRESET_NAME) == nullptr; })};
    for (WORD letter : {'E', 'I'}) // the system's file dialogs
        steps.insert(steps.end(),
                     {key({VK_MENU}, letter), until([] { return findMessageBox() != nullptr; }),
                      key({}, VK_ESCAPE), until([] { return findMessageBox() == nullptr; })});
    steps.insert(steps.end(), {key({VK_MENU}, 'A'), until(gone), key({VK_MENU}, 'F'), until(up),
                               key({}, VK_ESCAPE), until(gone), key({}, VK_ESCAPE)});
    EXPECT_EQ(runSheetWith(steps, 30000), IDCANCEL);
    EXPECT_EQ(presetText(folders().own, "鍵"), "# nothing named\n") << "いいえ kept it";
}

} // namespace
