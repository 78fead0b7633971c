#include <gtest/gtest.h>

#include <vector>

#include "winui/dpi_logic.h"
#include "winui/tabbed_dialog_logic.h"

namespace {

TEST(LayoutLogic, SheetGrowsOnlyByWhatThePageLacks) {
    struct Case {
        LayoutSize area, page, growth;
    } cases[] = {
        {{380, 400}, {380, 400}, {0, 0}},  // fits exactly
        {{400, 420}, {380, 400}, {0, 0}},  // room to spare: nothing moves
        {{358, 400}, {380, 392}, {22, 0}}, // only too narrow
        {{380, 350}, {376, 392}, {0, 42}}, // only too low
        {{358, 350}, {380, 392}, {22, 42}}, {{0, 0}, {1, 1}, {1, 1}},
    };
    for (const Case& c : cases) {
        const LayoutSize growth = displayAreaGrowth(c.area, c.page);
        EXPECT_EQ(growth.width, c.growth.width) << c.area.width << " " << c.page.width;
        EXPECT_EQ(growth.height, c.growth.height) << c.area.height << " " << c.page.height;
    }
}

TEST(LayoutLogic, PageCoversTheDisplayAreaLeftAndBottomEdge) {
    const LayoutRect placed = pagePlacement({6, 25, 386, 417});
    EXPECT_EQ(placed.left, 4);
    EXPECT_EQ(placed.top, 25);
    EXPECT_EQ(placed.right, 386);
    EXPECT_EQ(placed.bottom, 418);
}

TEST(LayoutLogic, CentredByTruncatingHalves) {
    struct Case {
        int desktopRight, desktopBottom;
        LayoutSize window;
        int x, y;
    } cases[] = {
        {1280, 1024, {400, 500}, 440, 262},
        {1281, 1023, {401, 499}, 440, 262}, // 640 - 200, 511 - 249
        {100, 100, {301, 301}, -100, -100},
    };
    for (const Case& c : cases) {
        const LayoutPoint origin = centredOrigin(c.desktopRight, c.desktopBottom, c.window);
        EXPECT_EQ(origin.x, c.x);
        EXPECT_EQ(origin.y, c.y);
    }
}

TEST(LayoutLogic, SizesScaleFromNinetySixDpiRoundingHalfAway) {
    struct Case {
        int value, dpi, scaled;
    } cases[] = {
        {15, 96, 15},  {60, 96, 60}, {1, 96, 1},    {15, 144, 23},   {60, 144, 90}, {1, 144, 2},
        {15, 192, 30}, {1, 120, 1},  {15, 120, 19}, {-15, 144, -23}, {7, 0, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
}

} // namespace
