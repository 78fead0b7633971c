#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "winui/fit_logic.h"

namespace {

TEST(FitLogic, WindowMovesTheLeastDistanceIntoTheWorkArea) {
    struct Case {
        LayoutRect window, work;
        int x, y;
    } cases[] = {
        {{100, 100, 500, 600}, {0, 0, 1280, 984}, 100, 100},   // inside: stays centred
        {{437, 13, 1483, 1067}, {0, 0, 1920, 1000}, 437, 0},   // taller: top at the top
        {{117, -15, 1163, 1039}, {0, 0, 1280, 944}, 117, 0},   // caption above the screen
        {{900, 500, 1300, 900}, {0, 0, 1280, 984}, 880, 500},  // out at the right
        {{100, 700, 500, 1100}, {0, 0, 1280, 984}, 100, 584},  // under the taskbar
        {{-30, -20, 370, 380}, {0, 40, 1280, 1024}, 0, 40},    // taskbar at the top
        {{-30, 100, 1400, 500}, {60, 0, 1280, 1024}, 60, 100}, // wider, taskbar at the left
        {{10, 10, 20, 20}, {10, 10, 20, 20}, 10, 10},          // exactly the work area
    };
    for (const Case& c : cases) {
        const LayoutPoint at = keepInWorkArea(c.window, c.work);
        EXPECT_EQ(at.x, c.x) << c.window.left << "," << c.window.top;
        EXPECT_EQ(at.y, c.y) << c.window.left << "," << c.window.top;
    }
}

FitItem item(int left, int top, int right, int bottom, int needed = 0, Widen widen = Widen::Right,
             bool container = false) {
    return {{left, top, right, bottom}, needed, widen, container};
}

struct WidenCase {
    const char* what;
    std::vector<FitItem> before;
    std::vector<LayoutRect> after;
    int growth;
    int leftBound = 0;
};

TEST(FitLogic, CutItemsWidenIntoFreeSpaceThenOpenAColumn) {
    const WidenCase cases[] = {
        {"right-aligned label takes the room at its left",
         {item(50, 0, 100, 14, 70, Widen::Left), item(104, 0, 200, 22)},
         {{30, 0, 100, 14}, {104, 0, 200, 22}},
         0},
        {"label between a check box and its list: the lists' column moves right, an edit "
         "across the new column grows",
         {item(0, 0, 40, 14), item(45, 0, 100, 14, 80, Widen::Left), item(104, 0, 200, 22),
          item(104, 30, 200, 52), item(0, 60, 180, 82)},
         {{0, 0, 40, 14},
          {42, 0, 122, 14},
          {126, 0, 222, 22},
          {126, 30, 222, 52},
          {0, 60, 202, 82}},
         22},
        {"check box inside a group box: the frame grows with it, as does what lies across",
         {item(10, 0, 110, 60, 0, Widen::Right, true), item(20, 20, 60, 34, 100),
          item(20, 70, 300, 90)},
         {{10, 0, 122, 60}, {20, 20, 120, 34}, {20, 70, 312, 90}},
         12},
        {"centred text takes both sides",
         {item(0, 0, 50, 14), item(60, 0, 80, 14, 30, Widen::Both), item(90, 0, 200, 14)},
         {{0, 0, 50, 14}, {55, 0, 85, 14}, {90, 0, 200, 14}},
         0},
        {"items of other rows are no obstacle; the left bound is, where nothing reaches past it",
         {item(10, 40, 60, 54), item(50, 0, 100, 14, 100, Widen::Left), item(104, 0, 200, 14)},
         {{10, 40, 60, 54}, {10, 0, 110, 14}, {114, 0, 210, 14}},
         10,
         30},
        {"a list at the extent's right edge keeps its left edge; the extent grows, and what "
         "ends where the list ends grows along",
         {item(0, 0, 200, 14), item(100, 20, 200, 42, 150), item(0, 50, 180, 64)},
         {{0, 0, 250, 14}, {100, 20, 250, 42}, {0, 50, 180, 64}},
         50},
        {"a label in another row stays beside its field when the field moves",
         {item(0, 0, 52, 14, 82), item(54, 0, 120, 14), item(30, 20, 50, 34, 0, Widen::Left),
          item(54, 20, 120, 34), item(30, 40, 50, 54, 0, Widen::Right), item(54, 40, 120, 54)},
         {{0, 0, 82, 14},
          {84, 0, 150, 14},
          {30, 20, 80, 34},
          {84, 20, 150, 34},
          {30, 40, 50, 54},
          {84, 40, 150, 54}},
         30},
        {"whole already: nothing moves",
         {item(0, 0, 50, 14, 50, Widen::Left), item(52, 0, 80, 14, 10)},
         {{0, 0, 50, 14}, {52, 0, 80, 14}},
         0},
    };
    for (const WidenCase& c : cases) {
        std::vector<FitItem> items = c.before;
        EXPECT_EQ(widenIntoFreeSpace(items, 2, 6, c.leftBound, 0), c.growth) << c.what;
        for (size_t i = 0; i < items.size(); ++i) {
            const LayoutRect& r = items[i].rect;
            const LayoutRect& e = c.after[i];
            EXPECT_TRUE(r.left == e.left && r.top == e.top && r.right == e.right &&
                        r.bottom == e.bottom)
                << c.what << ": item " << i << " at " << r.left << "," << r.top << "-" << r.right
                << "," << r.bottom;
        }
    }
}

bool overlap(const LayoutRect& a, const LayoutRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Rows of items with random widths and needs: afterwards every item is as
// wide as it needs and no two lie on one another.
TEST(FitLogic, EveryItemGetsItsWidthWithoutOverlapping) {
    uint32_t seed = 12345;
    auto next = [&seed](int below) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<uint32_t>(below));
    };
    for (int layout = 0; layout < 300; ++layout) {
        std::vector<FitItem> items;
        for (int row = 0; row < 4; ++row) {
            int x = next(20);
            for (int column = 0; column < 3; ++column) {
                const int width = 10 + next(60);
                const Widen widen = static_cast<Widen>(next(3));
                items.push_back(item(x, row * 20, x + width, row * 20 + 14, next(100), widen));
                x += width + 2 + next(30);
            }
        }
        widenIntoFreeSpace(items, 2, 6, 0, 150);
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_GE(items[i].rect.right - items[i].rect.left, items[i].needed)
                << "layout " << layout << " item " << i;
            for (size_t j = i + 1; j < items.size(); ++j)
                EXPECT_FALSE(overlap(items[i].rect, items[j].rect))
                    << "layout " << layout << " items " << i << " and " << j;
        }
    }
}

} // namespace
