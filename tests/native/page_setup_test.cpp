#include <gtest/gtest.h>

#include <cstring>

#include "settings/page_setup.h"
#include "settings/record.h"

namespace {

PlotterRecord marginsRecord(int32_t leaf[4], int32_t roll[4]) {
    PlotterRecord record;
    std::memset(&record, 0, sizeof record);
    record.leafMarginTop = leaf[0];
    record.leafMarginLeft = leaf[1];
    record.leafMarginRight = leaf[2];
    record.leafMarginBottom = leaf[3];
    record.rollMarginTop = roll[0];
    record.rollMarginLeft = roll[1];
    record.rollMarginRight = roll[2];
    record.rollMarginBottom = roll[3];
    return record;
}

TEST(PageSetup, Defaults) {
    PageSetup setup;
    std::memset(&setup, 0x7F, sizeof setup);
    pageSetupDefaults(&setup);
    const uint32_t expected[16] = {0, 601, 0, 0, 10000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(pageSetupValue(setup, i), expected[i]) << kPageSetupValueNames[i];
}

TEST(PageSetup, RectanglesFromOrientationRollAndMargins) {
    struct Case {
        int32_t orientation, roll, width, height;
        int32_t leaf[4], rollMargins[4]; // top, left, right, bottom
        PageRect paper, page;
    } cases[] = {
        // Portrait leaf, all margins 15.
        {0, 0, 210, 297, {15, 15, 15, 15}, {1, 2, 3, 4}, {-15, -15, 195, 282}, {0, 0, 180, 267}},
        // Landscape leaf: top 10, left 20, right 30, bottom 40.
        {1, 0, 210, 297, {10, 20, 30, 40}, {1, 2, 3, 4}, {-10, -20, 287, 190}, {0, 0, 247, 160}},
        // Any non-zero orientation is landscape.
        {-7, 0, 210, 297, {10, 20, 30, 40}, {1, 2, 3, 4}, {-10, -20, 287, 190}, {0, 0, 247, 160}},
        // Roll paper takes the roll margins.
        {0, 1, 1000, 3000, {15, 15, 15, 15}, {5, 6, 7, 8}, {-6, -5, 994, 2995}, {0, 0, 987, 2987}},
        {1, 2, 1000, 3000, {15, 15, 15, 15}, {5, 6, 7, 8}, {-5, -6, 2995, 994}, {0, 0, 2987, 987}},
        // Margins wider than the paper give negative extents, written as they are.
        {0, 0, 20, 20, {15, 15, 15, 15}, {0, 0, 0, 0}, {-15, -15, 5, 5}, {0, 0, -10, -10}},
    };
    for (const Case& c : cases) {
        PageSetup setup;
        pageSetupDefaults(&setup);
        setup.Orientation = c.orientation;
        setup.pisroll = c.roll;
        setup.Width = c.width;
        setup.Height = c.height;
        int32_t leaf[4], roll[4];
        std::memcpy(leaf, c.leaf, sizeof leaf);
        std::memcpy(roll, c.rollMargins, sizeof roll);
        computePageRects(&setup, marginsRecord(leaf, roll));
        EXPECT_EQ(setup.rPaper.left, c.paper.left);
        EXPECT_EQ(setup.rPaper.top, c.paper.top);
        EXPECT_EQ(setup.rPaper.right, c.paper.right);
        EXPECT_EQ(setup.rPaper.bottom, c.paper.bottom);
        EXPECT_EQ(setup.rPage.left, 0);
        EXPECT_EQ(setup.rPage.top, 0);
        EXPECT_EQ(setup.rPage.right, c.page.right) << c.orientation << "/" << c.roll;
        EXPECT_EQ(setup.rPage.bottom, c.page.bottom) << c.orientation << "/" << c.roll;
    }
}

TEST(PageSetup, PrintRangeUsesTheLow16BitsAndSignExtends) {
    PageSetup setup;
    pageSetupDefaults(&setup);
    setPageSetupValue(&setup, 14, 0xFFFF0005u);
    EXPECT_EQ(setup.iFstPage, 5);
    setPageSetupValue(&setup, 15, 0x0000FFFFu);
    EXPECT_EQ(setup.iLstPage, -1);
    EXPECT_EQ(pageSetupValue(setup, 15), 0xFFFFFFFFu);
    setPageSetupValue(&setup, 1, 0xFFFFFFFFu);
    EXPECT_EQ(setup.Size, -1);
    EXPECT_STREQ(kPageSetupValueNames[6], "rPage.left");
    EXPECT_STREQ(kPageSetupValueNames[13], "rPaper.bottom");
}

} // namespace
