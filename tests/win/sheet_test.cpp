// The real sheet, run modally and acted on as a user would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/record.h"
#include "sheet_driver.h"

namespace {

int visiblePage() {
    int shown = -1;
    for (int i = 0; i < kPageCount; ++i)
        if (sheetPage(i) && IsWindowVisible(sheetPage(i))) {
            if (shown != -1)
                return -2; // more than one
            shown = i;
        }
    return shown;
}

class Sheet : public ::testing::Test {
  protected:
    void SetUp() override { freshSettings(); }
};

TEST_F(Sheet, ResultsOfOkCancelAndCloseBox) {
    struct Case {
        const char* name;
        SheetStep action;
        INT_PTR result;
        bool writes;
    } cases[] = {
        {"OK",
         [](HWND s) {
             clickButton(s, IDOK);
             return true;
         },
         1, true},
        {"Cancel",
         [](HWND s) {
             clickButton(s, IDCANCEL);
             return true;
         },
         2, false},
        {"close box",
         [](HWND s) {
             closeWithCloseBox(s);
             return true;
         },
         0, false},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshSettings();
        // The record on disk scribbled over, the sheet's the defaults: only a
        // save puts them on disk.
        changeSettingsFile([](Bytes& b) {
            for (size_t i = 2; i < 758; ++i)
                b[i] = 0xEE;
        });
        recordDefaults(&g_plotterRecord);
        const auto scribbled = readFileBytes(settingsPath());

        EXPECT_EQ(runSheetWith({c.action}), c.result);
        const auto after = readFileBytes(settingsPath());
        ASSERT_EQ(after.size(), 17922u);
        if (c.writes) {
            EXPECT_EQ(le16(after, 2), 301);
            EXPECT_EQ(le32(after, 6), 15);
            EXPECT_EQ(le16(after, 1538), 11);
        } else {
            EXPECT_EQ(after, scribbled);
        }
    }
}

// Where it opens on the screen: WorkArea.TheSheetOpensCentredAndInsideTheWorkArea.
TEST_F(Sheet, OpensOnThePaperTabWithFiveTabs) {
    const wchar_t* const tabTexts[5] = {L"用紙サイズ", L"プロッタ環境設定", L"プロッタ追加設定",
                                        L"ツール環境設定", L"用紙設定"};
    runSheetWith({[&](HWND sheet) -> bool {
        EXPECT_EQ(windowText(sheet), L"Tervikon(HP-GL)のプロパティ");
        EXPECT_EQ(windowText(GetDlgItem(sheet, IDCANCEL)), L"ｷｬﾝｾﾙ");

        HWND tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
        EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 5);
        for (int i = 0; i < 5; ++i) {
            wchar_t text[64] = {};
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 64;
            SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
            EXPECT_STREQ(text, tabTexts[i]);
        }
        EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(visiblePage(), 0);

        // Every page fills the tab's display area, widened by 2 to the left
        // and 1 at the bottom.
        RECT area;
        GetClientRect(tabs, &area);
        SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        MapWindowPoints(tabs, sheet, reinterpret_cast<POINT*>(&area), 2);
        for (int i = 0; i < kPageCount; ++i) {
            HWND page = sheetPage(i);
            EXPECT_NE(page, nullptr);
            if (page == nullptr)
                continue;
            EXPECT_EQ(GetParent(page), sheet);
            RECT placed;
            GetWindowRect(page, &placed);
            MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&placed), 2);
            EXPECT_EQ(placed.left, area.left - 2);
            EXPECT_EQ(placed.top, area.top);
            EXPECT_EQ(placed.right, area.right);
            EXPECT_EQ(placed.bottom, area.bottom + 1);
        }
        clickButton(sheet, IDCANCEL);
        return true;
    }});
}

TEST_F(Sheet, ClickingATabShowsItsPageOnly) {
    std::vector<SheetStep> steps;
    for (int tab : {3, 1, 4, 2, 0, 4}) {
        steps.push_back([tab](HWND sheet) {
            clickTab(sheet, tab);
            EXPECT_EQ(SendMessageW(GetDlgItem(sheet, IDC_SHEET_TABS), TCM_GETCURSEL, 0, 0), tab);
            EXPECT_EQ(visiblePage(), tab) << "after clicking tab " << tab;
            return true;
        });
    }
    steps.push_back([](HWND sheet) {
        clickButton(sheet, IDCANCEL);
        return true;
    });
    EXPECT_EQ(runSheetWith(steps), 2);
}

TEST_F(Sheet, OkThatCannotWriteKeepsTheSheetOpenAndSays) {
    // One plain OK first, so the file already holds what an OK stores and
    // any later difference can only come from a write that should not be.
    ASSERT_EQ(runSheetWith({[](HWND s) {
                  clickButton(s, IDOK);
                  return true;
              }}),
              1);
    const std::string path = settingsPath();
    const auto before = readFileBytes(path);
    HANDLE holder = INVALID_HANDLE_VALUE;
    std::wstring shown;
    const INT_PTR result = runSheetWith({
        [&](HWND sheet) {
            // Another program holds the file without sharing it.
            holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
            EXPECT_NE(holder, INVALID_HANDLE_VALUE);
            postClick(sheet, IDOK);
            return true;
        },
        answerMessageBox(&shown),
        [&](HWND sheet) {
            EXPECT_TRUE(IsWindowVisible(sheet)); // still open, nothing lost
            CloseHandle(holder);
            holder = INVALID_HANDLE_VALUE;
            clickButton(sheet, IDOK);
            return true;
        },
    });
    if (holder != INVALID_HANDLE_VALUE)
        CloseHandle(holder);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(showsMessage(shown, IDS_SAVE_FAILED));
    wchar_t widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    EXPECT_NE(shown.find(widePath), std::wstring::npos) << "the message names the file";
    EXPECT_EQ(readFileBytes(path), before);
}

} // namespace
