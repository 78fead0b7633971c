// zembcfg export and import against the settings program itself: what one
// machine exports, another imports, and the program then shows and stores
// exactly what it showed and stored before.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/cp932_text.h"
#include "settings/page_setup.h"
#include "storage/registry_win.h"
#include "storage/settings_file.h"
#include "sheet_driver.h"
#include "zembcfg/zembcfg.h"

namespace {

int zembcfg(const std::vector<std::string>& args, std::string* err = nullptr,
            std::string* out = nullptr) {
    Io io;
    const int status = runZembcfg(args, io);
    if (err)
        *err = io.err;
    if (out)
        *out = io.out;
    return status;
}

// What a user sees of a page: every control's text, tick and selection.
BOOL CALLBACK describeControl(HWND control, LPARAM param) {
    auto* view = reinterpret_cast<std::vector<std::wstring>*>(param);
    wchar_t cls[32] = {};
    GetClassNameW(control, cls, 32);
    std::wstring line = std::to_wstring(GetDlgCtrlID(control)) + L" " + windowText(control);
    if (lstrcmpiW(cls, L"Button") == 0)
        line += L" check " + std::to_wstring(SendMessageW(control, BM_GETCHECK, 0, 0));
    if (lstrcmpiW(cls, L"ComboBox") == 0)
        line += L" item " + std::to_wstring(SendMessageW(control, CB_GETCURSEL, 0, 0));
    if (lstrcmpiW(cls, L"ListBox") == 0)
        for (LRESULT i = 0, n = SendMessageW(control, LB_GETCOUNT, 0, 0); i < n; ++i) {
            wchar_t item[256] = {};
            if (SendMessageW(control, LB_GETTEXTLEN, i, 0) < 255)
                SendMessageW(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
            line += L" | " + std::wstring(item);
        }
    view->push_back(line);
    return TRUE;
}

std::vector<std::wstring> describePages() {
    std::vector<std::wstring> view;
    for (HWND page : {sheetPage(kPaperPageIndex), sheetPage(kPlotterEnvPageIndex),
                      sheetPage(kPlotterExtraPageIndex), sheetPage(kToolPageIndex),
                      sheetPage(kCataloguePageIndex)}) {
        view.push_back(L"page");
        EnumChildWindows(page, describeControl, reinterpret_cast<LPARAM>(&view));
    }
    return view;
}

// Start-up around the sheet: load, show every page, OK, store the page setup.
std::vector<std::wstring> openAndConfirm() {
    EXPECT_EQ(loadSettings(), LoadStatus::Loaded);
    LoadPageSetup();
    std::vector<std::wstring> view;
    const INT_PTR result = runSheetWith({[&](HWND sheet) {
        for (int tab = 0; tab < 5; ++tab)
            clickTab(sheet, tab);
        view = describePages();
        clickButton(sheet, IDOK);
        return true;
    }});
    EXPECT_EQ(result, IDOK);
    SavePageSetup();
    return view;
}

std::vector<DWORD> registryValues() {
    std::vector<DWORD> values;
    for (const char* name : kPageSetupValueNames) {
        DWORD value = 0xDEADBEEF;
        EXPECT_TRUE(readProgramDword(name, &value)) << name;
        values.push_back(value);
    }
    return values;
}

std::string exportPath() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "zembcfg-transfer.toml";
}

// Settings that differ from the defaults on every page.
void startWithOwnSettings() {
    freshSettings();
    deleteProgramKeys();
    changeSettingsFile([](Bytes& b) {
        put32(b, 2 + 4, 21);                      // leaf margin top
        put16(b, 2 + 212, -2);                    // port TCP/IP(AXIS LPT1)
        put16(b, 2 + 214, 6);                     // 28800 bps
        put16(b, 2 + 40, 1);                      // pen order unticked
        put32(b, 2 + 180, 7);                     // frame margin top
        put32(b, 2 + 364, 0x01280300);            // PD optimisation on, 40 degrees, 768 vertices
        const char header[] = "ヘッダ\x81\x40PG"; // cp932 as the page stores it
        std::copy(header, header + sizeof header - 1, b.begin() + 2 + 372);
        put16(b, 2 + 56 + 12 * 2, 9); // pen 3: pen-type cutter
        put16(b, 2 + 56 + 12 * 2 + 4, 10000);
        put16(b, 1538, 12); // a twelfth paper size
        const char name[] = "B1";
        std::copy(name, name + 2, b.begin() + 1540 + 70 * 11);
        put16(b, 1540 + 70 * 11 + 64, 728);
        put16(b, 1540 + 70 * 11 + 66, 1030);
        put16(b, kStoredUnitAt, 1);      // unit mm
        b[9730] = 0x11, b[17653] = 0x22; // carried bytes
        b[1000] = 0x33;                  // a gap
    });
    const DWORD values[][2] = {{1, 1}, {603, 0}, {420, 0}, {594, 0}, {5000, 0}};
    const char* names[] = {"Orientation", "Size", "Width", "Height", "Scale"};
    for (int i = 0; i < 5; ++i)
        setProgramValue(names[i], REG_DWORD, &values[i][0], 4);
    const DWORD lastPage = 4;
    setProgramValue("iLstPage", REG_DWORD, &lastPage, 4);
}

void replaceText(std::string* text, const std::string& from, const std::string& to) {
    const size_t at = text->find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text->replace(at, from.size(), to);
}

void writeText(const std::string& path, const std::string& text) {
    writeFileBytes(path, Bytes(text.begin(), text.end()));
}

// One machine's export imported on another: the script that runs the two
// halves, each in a Wine prefix of its own, names the Unix folder they share
// (drive Z: is the Unix root).
std::string sharedFolder() {
    const char* folder = std::getenv("ZEMB_TRANSFER_DIR");
    if (folder == nullptr || *folder == '\0')
        return {};
    std::string path = std::string("Z:") + folder + "/";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string pagesText(const std::vector<std::wstring>& view) {
    std::string text;
    for (const std::wstring& line : view)
        text += utf16ToUtf8(std::u16string(line.begin(), line.end())) + "\n";
    return text;
}

std::string registryText() {
    std::string text;
    const std::vector<DWORD> values = registryValues();
    for (size_t i = 0; i < values.size(); ++i)
        text += std::string(kPageSetupValueNames[i]) + " " + std::to_string(values[i]) + "\n";
    return text;
}

// Own settings through the program, then what it showed and stored beside the export.
TEST(ZembcfgTransfer, ExportHalf) {
    const std::string shared = sharedFolder();
    if (shared.empty())
        GTEST_SKIP() << "run by tests/e2e/transfer_two_prefixes.sh";
    startWithOwnSettings();
    writeText(shared + "pages.txt", pagesText(openAndConfirm()));
    writeText(shared + "registry.txt", registryText());
    writeFileBytes(shared + "KELDORIX.INI", readFileBytes(settingsPath()));
    const Ran exported = zembcfgExe(L"export -o \"" + wide(shared) + L"export.toml\"");
    ASSERT_EQ(exported.status, 0u) << exported.err;
}

// On a fresh machine: the import stores what the other machine stored, the
// program shows the same on every page, and OK changes nothing.
TEST(ZembcfgTransfer, ImportHalf) {
    const std::string shared = sharedFolder();
    if (shared.empty())
        GTEST_SKIP() << "run by tests/e2e/transfer_two_prefixes.sh";
    // Finding the path makes its folders; a fresh machine has them empty at most.
    const std::string path = settingsPath();
    const std::string illustrator = path.substr(0, path.rfind('\\'));
    ASSERT_TRUE(RemoveDirectoryA(illustrator.c_str()));
    ASSERT_TRUE(RemoveDirectoryA(illustrator.substr(0, illustrator.rfind('\\')).c_str()));
    ASSERT_FALSE(programKeyExists());
    const Bytes file = readFileBytes(shared + "KELDORIX.INI");
    const std::string registry = fileText(wide(shared) + L"registry.txt");
    ASSERT_EQ(file.size(), 17922u);

    const Ran imported = zembcfgExe(L"import \"" + wide(shared) + L"export.toml\"");
    ASSERT_EQ(imported.status, 0u) << imported.err;
    EXPECT_EQ(readFileBytes(path), file);
    EXPECT_EQ(registryText(), registry);

    EXPECT_EQ(pagesText(openAndConfirm()), fileText(wide(shared) + L"pages.txt"));
    EXPECT_EQ(readFileBytes(path), file);
    EXPECT_EQ(registryText(), registry);
}

// An export edited by hand: a margin, a paper size added, a pen's colour and
// the scale. The sheet then shows exactly those; a refused document after it
// changes neither the file nor the registry.
TEST(ZembcfgTransfer, HandEditedExportIsWhatTheSheetShows) {
    freshSettings();
    deleteProgramKeys();
    openAndConfirm();
    std::string document;
    ASSERT_EQ(zembcfg({"export"}, nullptr, &document), 0);
    replaceText(&document, "leafMarginTop = 15", "leafMarginTop = 27");
    replaceText(&document, "red = 10000\ngreen = 0\nblue = 0", "red = 0\ngreen = 0\nblue = 10000");
    replaceText(&document, "# 用紙サイズ\n[pageSetup]",
                "[[catalogue.entries]]\nname = \"B1(横)\"\nwidth = 1030\nlength = 728\nroll = 0\n\n"
                "# 用紙サイズ\n[pageSetup]");
    replaceText(&document, "Scale = 10000", "Scale = 5000");
    writeText(exportPath(), document);
    std::string err;
    ASSERT_EQ(zembcfg({"import", exportPath()}, &err), 0) << err;

    EXPECT_EQ(loadSettings(), LoadStatus::Loaded);
    LoadPageSetup();
    runSheetWith({[](HWND sheet) {
        EXPECT_EQ(controlText(sheetPage(kPlotterEnvPageIndex), IDC_ENV_LEAF_TOP),
                  L"1.063"); // 27 mm in inch
        EXPECT_EQ(controlText(sheetPage(kPlotterEnvPageIndex), IDC_ENV_LEAF_LEFT), L"0.591");
        EXPECT_EQ(listSelection(sheetPage(kToolPageIndex), 306), 3) << "pen 1 blue";
        EXPECT_EQ(listItemText(sheetPage(kPaperPageIndex), IDC_PAPER_SIZE, 11), L"B1(横)");
        EXPECT_EQ(controlText(sheetPage(kPaperPageIndex), IDC_PAPER_SCALE), L"50%");
        // Twelve sizes and the line for a new one.
        EXPECT_EQ(SendDlgItemMessageW(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_LIST,
                                      LB_GETCOUNT, 0, 0),
                  13);
        clickButton(sheet, IDCANCEL);
        return true;
    }});

    const Bytes file = readFileBytes(settingsPath());
    const std::vector<DWORD> registry = registryValues();
    writeText(exportPath(), "[record]\nleafMarginTop = 30\n[pageSetup]\nScale = 3333\nScael = 1\n");
    EXPECT_EQ(zembcfg({"import", exportPath()}, &err), 1);
    EXPECT_NE(err.find(":5: pageSetup.Scael: unknown key"), std::string::npos) << err;
    EXPECT_EQ(readFileBytes(settingsPath()), file);
    EXPECT_EQ(registryValues(), registry);
    DeleteFileA((settingsPath() + ".bak").c_str());
    DeleteFileA(exportPath().c_str());
}

// Held by a driver without any sharing: left as it was, exit 2. Held by one
// that lets others read and write (but not replace) it: written in place,
// whole, with the old file kept beside it. No new file is left either way.
TEST(ZembcfgTransfer, SettingsFileHeldOpenIsLeftWholeOrWrittenInPlace) {
    const struct {
        DWORD share;
        int status;
        const char* said;
    } cases[] = {
        {0, 2, "held by another program"},
        {FILE_SHARE_READ | FILE_SHARE_WRITE, 0, "written into the file itself"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.share);
        freshSettings();
        const std::string path = settingsPath();
        const Bytes before = readFileBytes(path);
        const std::string folder = path.substr(0, path.rfind('\\'));
        writeFileBytes(exportPath(),
                       Bytes{'[', 'r', 'e', 'c', 'o', 'r', 'd', ']', '\n', 'd', 'e', 'b',
                             'u', 'g', 'M', 'o', 'd', 'e', ' ', '=', ' ',  '1', '\n'});
        const HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, c.share,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        std::string err, out;
        EXPECT_EQ(zembcfg({"import", exportPath()}, &err, &out), c.status);
        EXPECT_NE((err + out).find(c.said), std::string::npos) << err << out;
        CloseHandle(holder);
        const Bytes after = readFileBytes(path);
        EXPECT_EQ(after.size(), before.size());
        EXPECT_EQ(le16(after, 2 + 48), c.status == 0 ? 1 : 0);
        EXPECT_EQ(readFileBytes(path + ".bak"), c.status == 0 ? before : Bytes{});
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        int files = 0;
        do
            files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        while (FindNextFileA(search, &found));
        FindClose(search);
        EXPECT_EQ(files, c.status == 0 ? 2 : 1) << "no new file left behind";
        DeleteFileA((path + ".bak").c_str());
    }
    DeleteFileA(exportPath().c_str());
}

} // namespace
