// One length unit for the four length pages, and the stored length unit at
// settings-file offset 1538 + 6934. The CrossPage* cases choose units on the
// paper and plotter pages, so they need those pages' unit lists.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "storage/settings_file.h"
#include "sheet_driver.h"

namespace {

struct LengthPage {
    int index;
    int list;
};
const LengthPage kLengthPages[4] = {{kPaperPageIndex, IDC_PAPER_UNITS},
                                    {kPlotterEnvPageIndex, IDC_ENV_MARGIN_UNIT},
                                    {kPlotterExtraPageIndex, IDC_EXTRA_UNIT},
                                    {kCataloguePageIndex, IDC_CATALOGUE_UNIT}};

std::vector<int> unitsShown() {
    std::vector<int> units;
    for (const LengthPage& p : kLengthPages)
        units.push_back(listSelection(sheetPage(p.index), p.list));
    return units;
}

int storedUnitInFile() {
    return le16(readFileBytes(settingsPath()), kStoredUnitAt);
}

// The file as an earlier run left it, loaded the way start-up loads it.
void startWithStoredUnit(int unit) {
    changeSettingsFile(
        [&](Bytes& bytes) { bytes[kStoredUnitAt] = static_cast<unsigned char>(unit); });
}

INT_PTR runSheet(const std::function<void(HWND sheet)>& act, int closeWith) {
    return runSheetWith({[&](HWND sheet) {
        act(sheet);
        clickButton(sheet, closeWith);
        return true;
    }});
}

std::wstring catalogueWidth() {
    return controlText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_WIDTH);
}

class UnitSync : public ::testing::Test {
  protected:
    void SetUp() override { freshSettings(); }
};
using CrossPageUnitSync = UnitSync;

TEST_F(UnitSync, CataloguePageChoiceIsStoredOnlyByOk) {
    for (int closeWith : {IDOK, IDCANCEL}) {
        freshSettings();
        runSheet(
            [](HWND) { chooseListItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT, 1); },
            closeWith);
        const int expected = closeWith == IDOK ? 1 : 0;
        EXPECT_EQ(storedUnitInFile(), expected);
        ASSERT_EQ(loadSettings(), LoadStatus::Loaded); // the next start
        runSheet(
            [&](HWND) {
                EXPECT_EQ(listSelection(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT),
                          expected);
                EXPECT_EQ(catalogueWidth(), expected == 1 ? L"841" : L"33.110");
            },
            IDCANCEL);
    }
}

TEST_F(UnitSync, ChoosingTheUnitInUseChangesNothing) {
    startWithStoredUnit(2);
    runSheet(
        [](HWND) {
            typeText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NAME, L"");
            typeText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_WIDTH, L"10.4");
            chooseListItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT, 2);
            EXPECT_EQ(controlText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NAME), L"");
            EXPECT_EQ(catalogueWidth(), L"10.4");
        },
        IDOK);
    EXPECT_EQ(storedUnitInFile(), 2);
}

// What another page's choice does to this page (the other pages' own lists
// are exercised by the CrossPage cases).
TEST_F(UnitSync, AnotherPagesChoiceConvertsTheCataloguePageButNotItsOwn) {
    struct Case {
        int source, unit, shownUnit;
        std::wstring fields;
    } cases[] = {
        {kPlotterExtraPageIndex, 1, 1, L"CUST(3000*3000)|3000|3000"},
        {kPaperPageIndex, 2, 2, L"CUST(3000*3000)|8503.94|8503.94"},
        {kCataloguePageIndex, 1, 0, L"||"}, // its own unit change has run already
    };
    for (const Case& c : cases) {
        freshSettings();
        runSheet(
            [&](HWND) {
                HWND list = GetDlgItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_LIST);
                SendMessageW(list, LB_SETCURSEL, 11, 0);
                SendMessageW(sheetPage(kCataloguePageIndex), WM_COMMAND,
                             MAKEWPARAM(IDC_CATALOGUE_LIST, LBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(list));
                synchroniseUnits(c.source, c.unit);
                EXPECT_EQ(listSelection(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT),
                          c.shownUnit);
                EXPECT_EQ(controlText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NAME) + L"|" +
                              catalogueWidth() + L"|" +
                              controlText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_LENGTH),
                          c.fields);
            },
            IDOK);
        EXPECT_EQ(storedUnitInFile(), c.shownUnit) << "the catalogue page's unit is stored";
    }
}

TEST_F(CrossPageUnitSync, PlotterAdditionalChoiceConvertsEveryPageAndTheNextStart) {
    runSheet(
        [](HWND) {
            chooseListItem(sheetPage(kPlotterExtraPageIndex), IDC_EXTRA_UNIT, 1);
            EXPECT_EQ(unitsShown(), std::vector<int>({1, 1, 1, 1}));
            EXPECT_EQ(catalogueWidth(), L"841");
        },
        IDOK);
    EXPECT_EQ(storedUnitInFile(), 1);
    ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
    runSheet([](HWND) { EXPECT_EQ(unitsShown(), std::vector<int>({1, 1, 1, 1})); }, IDCANCEL);
}

std::vector<int> g_selections; // unit lists in the order the program selected in them

LRESULT CALLBACK logSelection(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR) {
    if (message == CB_SETCURSEL)
        g_selections.push_back(static_cast<int>(id));
    return DefSubclassProc(list, message, wParam, lParam);
}

TEST_F(CrossPageUnitSync, AChoiceReachesTheOtherPagesInTabOrder) {
    struct Case {
        int source; // in kLengthPages
        std::vector<int> reached;
    } cases[] = {
        // The user's own choice first, then the program's, each page once.
        {3, {IDC_CATALOGUE_UNIT, IDC_PAPER_UNITS, IDC_ENV_MARGIN_UNIT, IDC_EXTRA_UNIT}},
        {1, {IDC_ENV_MARGIN_UNIT, IDC_PAPER_UNITS, IDC_EXTRA_UNIT, IDC_CATALOGUE_UNIT}},
    };
    for (const Case& c : cases) {
        freshSettings();
        runSheet(
            [&](HWND) {
                for (const LengthPage& p : kLengthPages)
                    SetWindowSubclass(GetDlgItem(sheetPage(p.index), p.list), logSelection, p.list,
                                      0);
                const LengthPage& source = kLengthPages[c.source];
                SendDlgItemMessageW(sheetPage(source.index), source.list, CB_SETCURSEL, 2, 0);
                g_selections.clear();
                chooseListItem(sheetPage(source.index), source.list, 2);
                EXPECT_EQ(g_selections, c.reached);
                for (const LengthPage& p : kLengthPages)
                    RemoveWindowSubclass(GetDlgItem(sheetPage(p.index), p.list), logSelection,
                                         p.list);
            },
            IDCANCEL);
    }
}

TEST_F(CrossPageUnitSync, EveryPageStartsFromTheStoredUnitAndCancelKeepsIt) {
    startWithStoredUnit(2);
    runSheet(
        [](HWND) {
            EXPECT_EQ(unitsShown(), std::vector<int>({2, 2, 2, 2}));
            typeText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_WIDTH, L"10.4");
            chooseListItem(sheetPage(kPaperPageIndex), IDC_PAPER_UNITS, 2); // the unit in use
            EXPECT_EQ(catalogueWidth(), L"10.4") << "nothing converted";
            chooseListItem(sheetPage(kPlotterEnvPageIndex), IDC_ENV_MARGIN_UNIT, 0);
            EXPECT_EQ(unitsShown(), std::vector<int>({0, 0, 0, 0}));
        },
        IDCANCEL);
    EXPECT_EQ(storedUnitInFile(), 2);
    ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
    runSheet([](HWND) { EXPECT_EQ(unitsShown(), std::vector<int>({2, 2, 2, 2})); }, IDCANCEL);
}

} // namespace
