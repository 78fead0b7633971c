// The plotter additional page, used through the real sheet. Its fields reach
// the file with the tool page's write on OK, so the checks read the file.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>

#include "app/app.h"
#include "pages/pages.h"
#include "settings/catalogue.h"
#include "storage/settings_file.h"
#include "sheet_driver.h"

namespace {

const size_t R = 2; // record offset in the file

// A 128-byte text field of the file, and what it should hold.
std::string field(const Bytes& b, size_t at) {
    return std::string(b.begin() + at, b.begin() + at + 128);
}
std::string padded(const std::string& text) {
    return text + std::string(128 - text.size(), '\0');
}

class PlotterExtraPage : public ::testing::Test {
  protected:
    void SetUp() override { freshSettings(); }
};

TEST_F(PlotterExtraPage, ShowsTheDefaults) {
    const struct {
        int id;
        const wchar_t* text;
    } shown[] = {
        // clang-format off
        {501, L"inch"}, {502, L"0.197"}, {503, L"0.197"}, {504, L"0.197"}, {505, L"0.197"},
        {506, L"8"},    {507, L"118.110"}, {508, L"2"},   {509, L"8"},     {510, L"50"},
        {511, L"20"},   {512, L"150"},   {513, L"30"},    {514, L""},      {515, L"PG;"},
        {517, L"1024"}, {518, L"40"},    {521, L"30"},    {522, L"512"},   {523, L""},
        // clang-format on
    };
    onPage(
        kPlotterExtraPageIndex,
        [&](HWND page) {
            for (const auto& c : shown)
                EXPECT_EQ(controlText(page, c.id), c.text) << c.id;
            EXPECT_FALSE(checked(page, 519) || checked(page, 520));
        },
        IDCANCEL);
}

TEST_F(PlotterExtraPage, TypedValuesReachTheFileReducedToTheirFields) {
    const struct {
        int id;
        const wchar_t* typed;
        size_t offset;
        int width;
        int32_t stored;
    } cases[] = {
        // clang-format off
        {502, L"0.5", 180, 4, 13},       {504, L"1", 184, 4, 25},         {505, L"2.54", 188, 4, 65},
        {503, L"0", 192, 4, 0},          {507, L"1575", 196, 2, -25531},  {508, L"-7", 360, 4, -7},
        {510, L"70000", 202, 2, 4464},   {511, L"12.6", 204, 2, 13},      {512, L"abc", 206, 2, 0},
        {513, L"1,234", 208, 2, 1234},   {517, L"40000", 352, 4, -25536}, {518, L"65535", 356, 4, -1},
        // angle 300 keeps 44, 70000 vertices keep 4464
        {521, L"300", 364, 4, 2888048},  {522, L"70000", 364, 4, 2888048},
        // clang-format on
    };
    onPage(kPlotterExtraPageIndex, [&](HWND page) {
        for (const auto& c : cases)
            typeText(page, c.id, c.typed);
        typeText(page, 514, L"IN;SP1;");
        typeText(page, 515, L"");
        typeText(page, 516, L"plotter.example");
        clickButton(page, 519);
    });
    const Bytes b = readFileBytes(settingsPath());
    for (const auto& c : cases)
        EXPECT_EQ(c.width == 2 ? le16(b, R + c.offset) : le32(b, R + c.offset), c.stored) << c.id;
    EXPECT_EQ(le16(b, R + 48), 1);
    EXPECT_EQ(field(b, R + 372), padded("IN;SP1;"));
    EXPECT_EQ(field(b, R + 500), padded(""));
    EXPECT_EQ(field(b, R + 224), padded("plotter.example"));
}

TEST_F(PlotterExtraPage, PdOptimisationPacking) {
    const struct {
        int32_t stored;
        bool shownOn;
        const wchar_t *shownAngle, *shownVertices;
        bool click;
        const wchar_t *angle, *vertices;
        int32_t saved;
    } cases[] = {
        {0, false, L"30", L"512", false, nullptr, nullptr, 1966592},
        {0, false, L"30", L"512", true, L"45", L"100", 19726436},
        {19726436, true, L"45", L"100", true, L"255", L"65535", 0x00FFFFFF},
        {-5, false, L"30", L"512", false, L"0", L"0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        changeSettingsFile([&](Bytes& b) { put32(b, R + 364, c.stored); });
        onPage(kPlotterExtraPageIndex, [&](HWND page) {
            EXPECT_EQ(checked(page, 520), c.shownOn);
            EXPECT_EQ(controlText(page, 521), c.shownAngle);
            EXPECT_EQ(controlText(page, 522), c.shownVertices);
            if (c.click)
                clickButton(page, 520);
            if (c.angle) {
                typeText(page, 521, c.angle);
                typeText(page, 522, c.vertices);
            }
        });
        EXPECT_EQ(le32(readFileBytes(settingsPath()), R + 364), c.saved);
    }
    // The stored 0 opens unset again.
    ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
    onPage(
        kPlotterExtraPageIndex, [](HWND page) { EXPECT_EQ(controlText(page, 522), L"512"); },
        IDCANCEL);
}

TEST_F(PlotterExtraPage, ToolNumbersOutsideTheListShowNoSelection) {
    changeSettingsFile([](Bytes& b) {
        put16(b, R + 178, 0);  // frameCutTool
        put16(b, R + 200, 11); // cutTool
    });
    onPage(kPlotterExtraPageIndex, [](HWND page) {
        EXPECT_EQ(listSelection(page, 506), -1);
        EXPECT_EQ(listSelection(page, 509), -1);
        chooseListItem(page, 509, 9);
    });
    const Bytes b = readFileBytes(settingsPath());
    EXPECT_EQ(le16(b, R + 178), 0);
    EXPECT_EQ(le16(b, R + 200), 10);
}

TEST_F(PlotterExtraPage, TextsKeepAtMost126BytesAndNeverHalfACharacter) {
    std::wstring path = L"C:\\";
    while (path.size() < 200)
        path += L"folder\\";
    path.resize(200);
    std::wstring japanese = L"a";
    japanese.append(70, L'あ'); // byte 126 would split the 63rd あ
    onPage(kPlotterExtraPageIndex, [&](HWND page) {
        typeText(page, 523, path.c_str());
        typeText(page, 516, japanese.c_str());
    });
    const Bytes b = readFileBytes(settingsPath());
    EXPECT_EQ(field(b, R + 628), padded(std::string(path.begin(), path.begin() + 126)));
    std::string sjis = "a";
    for (int i = 0; i < 62; ++i)
        sjis += "\x82\xA0";
    EXPECT_EQ(field(b, R + 224), padded(sjis));
}

TEST_F(PlotterExtraPage, DamagedOrUnknownValuesComeBackUnchanged) {
    changeSettingsFile([](Bytes& b) {
        put16(b, R + 46, -1234); // reserved46, 54, 210, 368
        put16(b, R + 54, 777);
        put16(b, R + 210, -2);
        put32(b, R + 368, 0x12345678);
        put16(b, kStoredUnitAt, 7);
        memset(&b[R + 372], 'H', 128); // header without its terminator
    });
    for (size_t headerShown : {128, 126}) // then as the first OK stored it
        onPage(kPlotterExtraPageIndex, [&](HWND page) {
            EXPECT_EQ(listSelection(page, 501), -1);
            EXPECT_EQ(controlText(page, 502), L"5");
            EXPECT_EQ(controlText(page, 514), std::wstring(headerShown, L'H'));
            EXPECT_EQ(controlText(page, 515), L"PG;");
        });
    const Bytes b = readFileBytes(settingsPath());
    EXPECT_EQ(le16(b, R + 46), -1234);
    EXPECT_EQ(le16(b, R + 54), 777);
    EXPECT_EQ(le16(b, R + 210), -2);
    EXPECT_EQ(le32(b, R + 368), 0x12345678);
    EXPECT_EQ(le32(b, R + 180), 5);
    EXPECT_EQ(field(b, R + 372), padded(std::string(126, 'H')));
}

TEST_F(PlotterExtraPage, UnitChangeRoundsTheLengthsOnly) {
    onPage(kPlotterExtraPageIndex, [](HWND page) {
        typeText(page, 502, L"0.5");
        typeText(page, 510, L"12.6");
        chooseListItem(page, 501, 1);
        EXPECT_EQ(controlText(page, 502), L"13");
        EXPECT_EQ(controlText(page, 504), L"5");
        EXPECT_EQ(controlText(page, 507), L"3000");
        EXPECT_EQ(controlText(page, 510), L"12.6");
        EXPECT_EQ(g_paperCatalogue.lengthUnit, 1) << "synchronised as the stored unit";
        typeText(page, 503, L"10.4");
        typeText(page, 505, L"10.5");
        // Another page's choice reaches this one through synchronisation.
        synchroniseUnits(kPaperPageIndex, 2);
        EXPECT_EQ(listSelection(page, 501), 2);
        EXPECT_EQ(controlText(page, 502), L"36.85");
        EXPECT_EQ(controlText(page, 505), L"31.18");
    });
    const Bytes b = readFileBytes(settingsPath());
    EXPECT_EQ(le32(b, R + 180), 13);
    EXPECT_EQ(le32(b, R + 192), 10);
    EXPECT_EQ(le32(b, R + 188), 11);
    EXPECT_EQ(le16(b, R + 202), 13);
    EXPECT_EQ(le16(b, kStoredUnitAt), 2);
}

// The browser runs its own modal loop, so the click is posted and the next
// steps act on the browser from inside that loop.
// The selected folder's name in the browser's tree ("" before it has one).
std::wstring browserSelection(HWND browser) {
    HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
    const LPARAM item = tree ? SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) : 0;
    if (item == 0)
        return L"";
    wchar_t text[MAX_PATH] = {};
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = reinterpret_cast<HTREEITEM>(item);
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

// What the operator met while browsing: the browser's title, and whether the
// sheet could still be used while the browser was open and after it closed.
struct Browsing {
    bool titled = false, ownedBySheet = false, sheetUsableMeanwhile = true,
         sheetUsableAfter = false;
};

// waitForSelection: a user confirms only once the browser shows the folder it
// opened on; the tree may fill after the window appears.
std::wstring browse(const std::wstring& typed, int browserButton,
                    const std::wstring& waitForSelection = L"", Browsing* met = nullptr) {
    std::wstring after;
    Browsing seen;
    bool& titled = seen.titled;
    runSheetWith({[&](HWND sheet) {
                      clickTab(sheet, kPlotterExtraPageIndex);
                      typeText(sheetPage(kPlotterExtraPageIndex), 523, typed.c_str());
                      postClick(sheetPage(kPlotterExtraPageIndex), 524);
                      return true;
                  },
                  [&](HWND sheet) {
                      HWND browser = findMessageBox();
                      if (browser == nullptr)
                          return false;
                      if (!waitForSelection.empty() &&
                          browserSelection(browser) != waitForSelection)
                          return false;
                      seen.ownedBySheet = GetWindow(browser, GW_OWNER) == sheet;
                      seen.sheetUsableMeanwhile = IsWindowEnabled(sheet) != FALSE;
                      for (HWND c = GetWindow(browser, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                          titled = titled || windowText(c) == L"フォルダを選択して下さい";
                      clickButton(browser, browserButton);
                      return true;
                  },
                  [&](HWND sheet) {
                      if (findMessageBox() != nullptr)
                          return false;
                      seen.sheetUsableAfter = IsWindowEnabled(sheet) != FALSE;
                      after = controlText(sheetPage(kPlotterExtraPageIndex), 523);
                      clickButton(sheet, IDCANCEL);
                      return true;
                  }},
                 30000);
    EXPECT_TRUE(titled);
    if (met)
        *met = seen;
    return after;
}

// Owned by the sheet and modal: OK and the close box cannot end the sheet
// while the page is still inside its button handler.
TEST_F(PlotterExtraPage, TheBrowserDisablesTheSheetWhileItIsOpen) {
    Browsing met;
    browse(L"C:\\", IDCANCEL, L"", &met);
    EXPECT_TRUE(met.ownedBySheet);
    EXPECT_FALSE(met.sheetUsableMeanwhile);
    EXPECT_TRUE(met.sheetUsableAfter);
}

TEST_F(PlotterExtraPage, BrowserCancelledLeavesTheFolderAlone) {
    EXPECT_EQ(browse(L"Q:\\no such folder\\", IDCANCEL), L"Q:\\no such folder\\");
}

TEST_F(PlotterExtraPage, BrowserOpensOnTheTypedFolderAndReturnsIt) {
    // A plain folder at the drive's root: the user folders of a test prefix
    // are links out of it, which the browser walks less reliably.
    const std::string folder = "C:\\zemb-shared";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::wstring wide(folder.begin(), folder.end());
    EXPECT_EQ(browse(wide, IDOK, L"zemb-shared"), wide);
    RemoveDirectoryA(folder.c_str());
}

} // namespace
