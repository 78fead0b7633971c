// The paper page through the real sheet, with start-up's registry load and
// save around it, checked in the registry and in the settings file's bytes.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "settings/page_setup.h"
#include "storage/registry_win.h"
#include "storage/settings_file.h"
#include "sheet_driver.h"

namespace {

using Values = std::vector<std::pair<const char*, DWORD>>;
using Action = std::function<void(HWND page)>;

DWORD stored(const char* name) {
    DWORD value = 0xBAADF00D;
    readProgramDword(name, &value);
    return value;
}

// A fresh settings file in `unit` (0..255) and these registry values, then
// what start-up does around the sheet: load, run, and store after OK.
INT_PTR runPaperPage(const Values& registry, int unit, const Action& act, int button = IDOK) {
    freshSettings();
    deleteProgramKeys();
    for (const auto& [name, value] : registry)
        setProgramValue(name, REG_DWORD, &value, 4);
    changeSettingsFile(
        [&](Bytes& bytes) { bytes[kStoredUnitAt] = static_cast<unsigned char>(unit); });
    LoadPageSetup();
    const INT_PTR result = onPage(kPaperPageIndex, act, button);
    if (result == IDOK)
        SavePageSetup();
    return result;
}

void expectFields(HWND page, const wchar_t* width, const wchar_t* length, bool roll = false) {
    EXPECT_EQ(controlText(page, IDC_PAPER_WIDTH), width);
    EXPECT_EQ(controlText(page, IDC_PAPER_LENGTH), length);
    EXPECT_EQ(checked(page, IDC_PAPER_ROLL), roll);
}

void expectStored(const Values& values) {
    for (const auto& [name, value] : values)
        EXPECT_EQ(stored(name), value) << name;
}

class PaperPage : public ::testing::Test {
  protected:
    void TearDown() override { deleteProgramKeys(); }
};

TEST_F(PaperPage, FirstStartShowsA0InInch) {
    runPaperPage({}, 0, [](HWND p) {
        EXPECT_EQ(listItemText(p, IDC_PAPER_SIZE, 11), L"カスタム");
        EXPECT_EQ(listItemText(p, IDC_PAPER_SCALE, 9), L"33.33%");
        EXPECT_EQ(listSelection(p, IDC_PAPER_SIZE), 0);
        EXPECT_EQ(listSelection(p, IDC_PAPER_SCALE), 6);
        expectFields(p, L"33.110", L"46.850");
        EXPECT_TRUE(checked(p, IDC_PAPER_PORTRAIT) && !checked(p, IDC_PAPER_LANDSCAPE));
        EXPECT_EQ(controlText(p, IDC_PAPER_FIRST_PAGE) + controlText(p, IDC_PAPER_LAST_PAGE),
                  L"11");
    });
    expectStored({{"Width", 841},
                  {"Height", 1190},
                  {"Size", 601},
                  {"Scale", 10000},
                  {"pisroll", 0},
                  {"Orientation", 0},
                  {"iFstPage", 1},
                  {"iLstPage", 1}});
}

TEST_F(PaperPage, CatalogueAndCustomSizes) {
    runPaperPage({}, 1, [](HWND p) {
        chooseListItem(p, IDC_PAPER_SIZE, 8);
        expectFields(p, L"1000", L"3000", true);
    });
    expectStored({{"Size", 609}, {"Width", 1000}, {"Height", 3000}, {"pisroll", 1}});

    runPaperPage({}, 1, [](HWND p) { typeText(p, IDC_PAPER_WIDTH, L"842"); });
    expectStored({{"Size", 999}, {"Width", 842}});
    runPaperPage({}, 1, [](HWND p) { clickButton(p, IDC_PAPER_ROLL); });
    expectStored({{"Size", 999}, {"pisroll", 1}});
    runPaperPage({}, 0, [](HWND p) {
        typeText(p, IDC_PAPER_LENGTH, L"40");
        typeText(p, IDC_PAPER_LENGTH, L"46.85"); // back to the entry's 1190 mm
    });
    expectStored({{"Size", 601}, {"Height", 1190}});

    runPaperPage({}, 1, [](HWND p) {
        typeText(p, IDC_PAPER_WIDTH, L"");
        chooseListItem(p, IDC_PAPER_SIZE, 11);
        expectFields(p, L"3000", L"1190");
    });
    expectStored({{"Size", 999}, {"Width", 3000}, {"Height", 1190}});

    runPaperPage({}, 1, [](HWND p) {
        InsertPaperEntry(0, "B1", 728, 1030, 0); // as the catalogue page's button does
        chooseListItem(p, IDC_PAPER_SIZE, 11);   // still the custom item
        expectFields(p, L"841", L"1190");
    });
    expectStored({{"Size", 999}, {"Width", 841}});
}

TEST_F(PaperPage, SizeCodesAtStart) {
    struct Case {
        DWORD size;
        int selected;
        const wchar_t *width, *length;
        bool roll;
        Values after;
    } const cases[] = {
        {999, 11, L"500", L"700", true, {{"Size", 999}, {"Width", 500}, {"pisroll", 1}}},
        {612, 11, L"0", L"0", false, {{"Size", 999}, {"Width", 3000}, {"Height", 3000}}},
        {650, -1, L"0", L"0", false, {{"Size", 999}, {"Width", 3000}, {"Height", 3000}}},
        {700, 11, L"500", L"700", true, {{"Size", 999}, {"Height", 700}}},
        {603, 2, L"841", L"594", false, {{"Size", 603}, {"Width", 841}, {"pisroll", 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        runPaperPage({{"Size", c.size}, {"Width", 500}, {"Height", 700}, {"pisroll", 1}}, 1,
                     [&](HWND p) {
                         EXPECT_EQ(listSelection(p, IDC_PAPER_SIZE), c.selected);
                         expectFields(p, c.width, c.length, c.roll);
                     });
        expectStored(c.after);
    }
}

TEST_F(PaperPage, ScaleOrientationAndPrintRange) {
    runPaperPage({{"Scale", 12345}, {"Orientation", 7}, {"iLstPage", DWORD(-2)}}, 0, [](HWND p) {
        EXPECT_EQ(listSelection(p, IDC_PAPER_SCALE), 6);
        EXPECT_TRUE(checked(p, IDC_PAPER_LANDSCAPE));
        EXPECT_EQ(controlText(p, IDC_PAPER_LAST_PAGE), L"-2");
        typeText(p, IDC_PAPER_FIRST_PAGE, L"2.5");
        typeText(p, IDC_PAPER_LAST_PAGE, L"");
    });
    expectStored({{"Scale", 10000}, {"Orientation", 7}, {"iFstPage", 3}, {"iLstPage", 0}});

    runPaperPage({}, 0, [](HWND p) {
        chooseListItem(p, IDC_PAPER_SCALE, 9);
        clickButton(p, IDC_PAPER_LANDSCAPE);
        EXPECT_FALSE(checked(p, IDC_PAPER_PORTRAIT));
    });
    expectStored({{"Scale", 3333}, {"Orientation", 1}});
}

TEST_F(PaperPage, UnitsConvertThroughWholeMillimetres) {
    runPaperPage({}, 1, [](HWND p) {
        typeText(p, IDC_PAPER_WIDTH, L"10.4");
        chooseListItem(p, IDC_PAPER_UNITS, 1); // the unit in use: nothing converts
        EXPECT_EQ(controlText(p, IDC_PAPER_WIDTH), L"10.4");
        chooseListItem(p, IDC_PAPER_UNITS, 0);
        expectFields(p, L"0.394", L"46.850");
        typeText(p, IDC_PAPER_LENGTH, L"");
        synchroniseUnits(kPlotterEnvPageIndex, 2); // as another page's choice
        EXPECT_EQ(listSelection(p, IDC_PAPER_UNITS), 2);
        expectFields(p, L"28.35", L"8503.94");
    });
    expectStored({{"Width", 10}, {"Height", 3000}, {"Size", 999}});
    EXPECT_EQ(le16(readFileBytes(settingsPath()), kStoredUnitAt), 2);

    runPaperPage({}, 5, [](HWND p) { // a damaged stored unit shows and reads mm
        EXPECT_EQ(listSelection(p, IDC_PAPER_UNITS), -1);
        expectFields(p, L"841", L"1190");
    });
    expectStored({{"Width", 841}, {"Height", 1190}, {"Size", 601}});
}

TEST_F(PaperPage, CancelLeavesTheRegistryAsItWas) {
    const Values registry = {{"Size", 603}, {"Orientation", 0}, {"Scale", 3333}};
    const INT_PTR result = runPaperPage(
        registry, 0,
        [](HWND p) {
            clickButton(p, IDC_PAPER_LANDSCAPE);
            chooseListItem(p, IDC_PAPER_SIZE, 8);
            typeText(p, IDC_PAPER_FIRST_PAGE, L"9");
        },
        IDCANCEL);
    EXPECT_EQ(result, IDCANCEL);
    expectStored(registry);
    expectStored({{"iFstPage", 0xBAADF00D}, {"Width", 0xBAADF00D}, {"rPage.right", 0xBAADF00D}});
}

} // namespace
