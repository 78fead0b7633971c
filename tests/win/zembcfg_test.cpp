// zembcfg.exe beside the settings program: the field table's labels and list
// texts against the program's compiled resources, and the console program
// finding the settings program's own file and registry values.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/cp932_text.h"
#include "settings/record_fields.h"
#include "sheet_driver.h"
#include "documents/field_labels.h"

namespace {

std::wstring wide(const char* utf8) {
    std::u16string text;
    utf8ToUtf16(utf8, &text);
    return std::wstring(text.begin(), text.end());
}

std::wstring resourceString(int id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id),
                                   reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

INT_PTR CALLBACK inertPage(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// A page made from its compiled template, with no page code run on it.
struct TemplatePage {
    HWND owner = nullptr;
    HWND page = nullptr;
    std::set<std::wstring> texts;

    explicit TemplatePage(int templateId) {
        owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
        page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                                  inertPage, 0);
        EnumChildWindows(page, collect, reinterpret_cast<LPARAM>(this));
    }
    ~TemplatePage() { DestroyWindow(owner); }
    static BOOL CALLBACK collect(HWND child, LPARAM self) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        reinterpret_cast<TemplatePage*>(self)->texts.insert(text);
        return TRUE;
    }
    std::wstring controlText(int id) const {
        wchar_t text[256] = {};
        GetDlgItemTextW(page, id, text, 256);
        return text;
    }
};

const int kTemplates[kPageTitleCount] = {IDD_PAPER_PAGE, IDD_PLOTTER_ENV_PAGE,
                                         IDD_PLOTTER_EXTRA_PAGE, IDD_TOOL_PAGE, IDD_CATALOGUE_PAGE};

void expectLabel(const TemplatePage& page, const char* text, int controlId, const char* what) {
    if (text == nullptr)
        return;
    if (controlId != 0) {
        EXPECT_EQ(page.controlText(controlId), wide(text)) << what << " control " << controlId;
    } else {
        EXPECT_EQ(page.texts.count(wide(text)), 1u) << what << ": no label " << text;
    }
}

void expectList(const TemplatePage& page, const ListLabels& list, const char* what) {
    for (int i = 0; i < list.count; ++i) {
        if (list.firstStringId) {
            EXPECT_EQ(resourceString(list.firstStringId + i), wide(list.texts[i]))
                << what << " item " << i;
        } else if (list.firstControlId) {
            EXPECT_EQ(page.controlText(list.firstControlId + i), wide(list.texts[i]))
                << what << " item " << i;
        }
    }
}

void expectTable(const FieldTable& table, int* checked) {
    for (int i = 0; i < table.count; ++i) {
        const FieldDesc& field = table.fields[i];
        if (field.kind == FieldKind::Slots)
            expectTable(*field.slots, checked);
        const FieldLabels& labels = labelsOf(field);
        if (labels.page < 0)
            continue;
        const TemplatePage page(kTemplates[labels.page]);
        ASSERT_NE(page.page, nullptr) << "template of page " << labels.page;
        const char* what = field.name ? field.name : "page-setup value";
        expectLabel(page, labels.group, 0, what);
        expectLabel(page, labels.label, labels.controlId, what);
        for (int p = 0; labels.parts && p < field.partCount; ++p)
            expectLabel(page, labels.parts[p].label, labels.parts[p].controlId,
                        labels.parts[p].name);
        if (labels.list)
            expectList(page, *labels.list, what);
        ++*checked;
    }
}

// zembcfg may not include the pages, so its titles are counted on their own.
static_assert(int{kPageTitleCount} == int{kPageCount}, "one title per page of the sheet");

TEST(ZembcfgTable, LabelsAndListTextsAreThoseOfTheResources) {
    for (int i = 0; i < kPageTitleCount; ++i)
        EXPECT_EQ(resourceString(IDS_TAB_PAPER + i), wide(kPageTitles[i])) << "tab " << i;
    int checked = 0;
    for (const FieldTable* table : {&kRecordFields, &kCatalogueFields, &kPageSetupFields})
        expectTable(*table, &checked);
    EXPECT_GT(checked, 60);
}

// ---- the programs as their own processes -----------------------------------

// The settings program, confirmed with OK as soon as its sheet shows.
DWORD runSettingsProgramWithOk() {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + besideTests(L"ZEMBSerConfig.exe") + L"\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 9999;
    if (HWND sheet = waitForProcessSheet(process, 20000))
        PostMessageW(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
    DWORD status = 9999;
    if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &status);
    else
        TerminateProcess(process.hProcess, 9999);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

bool has(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

TEST(ZembcfgExe, ShowFindsTheSettingsProgramsFileAndRegistryValuesAfterOk) {
    deleteProgramKeys();
    const std::string path = settingsPath();
    DeleteFileA(path.c_str());

    // Before the settings program ever ran: nothing to read, and reading
    // creates neither the file nor the registry key.
    const Ran before = zembcfgExe(L"show");
    EXPECT_EQ(before.status, 2u);
    EXPECT_TRUE(has(before.err, "KELDORIX.INI: no such file")) << before.err;
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(programKeyExists());
    // Nor does looking for the page setup beside a file.
    freshSettings();
    EXPECT_EQ(zembcfgExe(L"show").status, 0u);
    EXPECT_FALSE(programKeyExists());

    ASSERT_EQ(runSettingsProgramWithOk(), 0u);
    const Ran shown = zembcfgExe(L"show");
    EXPECT_EQ(shown.status, 0u) << shown.err;
    EXPECT_TRUE(has(shown.out, ("Settings file: " + path + "\n").c_str())) << shown.out;
    // Japanese reaches a redirected output as UTF-8.
    for (const char* line :
         {"\nプロッタ環境設定\n", "  用紙サイズ： \"A0\"  [Size 601]\n",
          "  用紙幅： 841 mm (33.110 inch)  [Width 841]\n", "  縮小/拡大率： 100%  [Scale 10000]\n",
          "  rPaper.left -15  [rPaper.left -15]\n", "  通信ポート： COM1  [record.commPort 0]\n",
          "  0   \"A0\"  841 × 1190 mm  [ ]\n"})
        EXPECT_TRUE(has(shown.out, line)) << line << "\n" << shown.out;
    EXPECT_FALSE(has(shown.out, "not stored")) << "every value was written after OK";

    const Ran json = zembcfgExe(L"show --json");
    EXPECT_EQ(json.status, 0u);
    EXPECT_TRUE(has(json.out, "\"pageSetup\": {\n    \"Orientation\": 0,\n    \"Size\": 601,"))
        << json.out;

    // A file the driver holds open without sharing is named as such.
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const Ran held = zembcfgExe(L"check");
    CloseHandle(holder);
    EXPECT_EQ(held.status, 2u);
    EXPECT_TRUE(has(held.err, "held by another program")) << held.err;
    EXPECT_EQ(held.out, "");

    const Ran checked = zembcfgExe(L"check");
    EXPECT_EQ(checked.status, 0u) << checked.out;
    EXPECT_TRUE(has(checked.out, ": sound\n")) << checked.out;
}

} // namespace
