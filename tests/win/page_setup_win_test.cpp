// Page-setup values and RetVal in the real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "settings/page_setup.h"
#include "settings/record.h"
#include "storage/registry_win.h"
#include "sheet_driver.h"

namespace {

class PageSetupRegistry : public ::testing::Test {
  protected:
    void SetUp() override { deleteProgramKeys(); }
    void TearDown() override { deleteProgramKeys(); }
};

TEST_F(PageSetupRegistry, MissingKeyIsCreatedAndDefaultsStay) {
    std::memset(&g_pageSetup, 0x55, sizeof g_pageSetup);
    LoadPageSetup();
    EXPECT_TRUE(programKeyExists());
    EXPECT_EQ(g_pageSetup.Size, 601);
    EXPECT_EQ(g_pageSetup.Scale, 10000);
    EXPECT_EQ(g_pageSetup.iFstPage, 1);
    EXPECT_EQ(g_pageSetup.iLstPage, 1);
    EXPECT_EQ(g_pageSetup.Orientation | g_pageSetup.Width | g_pageSetup.Height |
                  g_pageSetup.pisroll | g_pageSetup.rPage.right | g_pageSetup.rPaper.left,
              0);
}

TEST_F(PageSetupRegistry, ValuesOfOddTypesAndSizes) {
    const DWORD scale = 3333;
    setProgramValue("Scale", REG_DWORD, &scale, 4);
    const unsigned char binaryWidth[4] = {0x10, 0x02, 0, 0}; // 528, 4 bytes of another type
    setProgramValue("Width", REG_BINARY, binaryWidth, 4);
    setProgramValue("Height", REG_SZ, "12345678", 9); // longer than 4 bytes: ignored
    const DWORD page = 0xFFFF0005;
    setProgramValue("iFstPage", REG_DWORD, &page, 4);
    const unsigned char shortSize[2] = {0x5B, 0x02}; // 603, zero-extended
    setProgramValue("Size", REG_BINARY, shortSize, 2);
    const DWORD minusOne = 0xFFFFFFFF;
    setProgramValue("iLstPage", REG_DWORD, &minusOne, 4);

    LoadPageSetup();
    EXPECT_EQ(g_pageSetup.Scale, 3333);
    EXPECT_EQ(g_pageSetup.Width, 528);
    EXPECT_EQ(g_pageSetup.Height, 0);
    EXPECT_EQ(g_pageSetup.iFstPage, 5);
    EXPECT_EQ(g_pageSetup.Size, 603);
    EXPECT_EQ(g_pageSetup.iLstPage, -1);
}

TEST_F(PageSetupRegistry, SaveWritesSixteenDwordsWithFreshRectangles) {
    const DWORD stale = 777;
    setProgramValue("rPage.right", REG_DWORD, &stale, 4);
    LoadPageSetup();
    g_pageSetup.Orientation = 1;
    g_pageSetup.Width = 210;
    g_pageSetup.Height = 297;
    g_pageSetup.iLstPage = -1;
    recordDefaults(&g_plotterRecord);
    g_plotterRecord.leafMarginTop = 10;
    g_plotterRecord.leafMarginLeft = 20;
    g_plotterRecord.leafMarginRight = 30;
    g_plotterRecord.leafMarginBottom = 40;
    SavePageSetup();

    struct Expected {
        const char* name;
        DWORD value;
    } expected[] = {
        {"Orientation", 1},
        {"Size", 601},
        {"Width", 210},
        {"Height", 297},
        {"Scale", 10000},
        {"pisroll", 0},
        {"rPage.left", 0},
        {"rPage.top", 0},
        {"rPage.right", 247},
        {"rPage.bottom", 160},
        {"rPaper.left", DWORD(-10)},
        {"rPaper.top", DWORD(-20)},
        {"rPaper.right", 287},
        {"rPaper.bottom", 190},
        {"iFstPage", 1},
        {"iLstPage", 0xFFFFFFFF},
    };
    for (const Expected& e : expected) {
        DWORD value = 0xDEADBEEF;
        EXPECT_TRUE(readProgramDword(e.name, &value)) << e.name;
        EXPECT_EQ(value, e.value) << e.name;
    }
}

TEST_F(PageSetupRegistry, RetValHoldsTheSheetResult) {
    for (int32_t result : {1, 2, 0, -1}) {
        writeRetVal(result);
        DWORD value = 12345;
        ASSERT_TRUE(readProgramDword("RetVal", &value));
        EXPECT_EQ(value, static_cast<DWORD>(result));
    }
}

} // namespace
