#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "pages/tool_logic.h"
#include "settings/stored_values.h"

namespace {

std::string shown(int16_t thickness) {
    char text[16];
    thicknessToText(thickness, text, sizeof text);
    return text;
}

TEST(ToolLogic, ToolTypeToListPositionAndBack) {
    struct Case {
        int toolType, position;
        int16_t stored; // what OK stores from that position
    } cases[] = {
        {-3, 11, 0},  {0, 11, 0},  {1, 0, 1},   {3, 2, 3},      {9, 8, 9},
        {11, 10, 11}, {12, 11, 0}, {13, -1, 0}, {32767, -1, 0},
    };
    for (const Case& c : cases) {
        const int position = toolPositionForType(c.toolType);
        EXPECT_EQ(position, c.position) << c.toolType;
        EXPECT_EQ(toolTypeForItem(position), c.stored) << c.toolType;
    }
}

TEST(ToolLogic, EveryStoredThicknessShowsAndReadsBackExactly) {
    for (int32_t t = INT16_MIN; t <= INT16_MAX; ++t) {
        const std::string text = shown(static_cast<int16_t>(t));
        ASSERT_EQ(thicknessFromText(text.c_str()), t) << text;
    }
    EXPECT_EQ(shown(0), "0.00");
    EXPECT_EQ(shown(50), "0.50");
    EXPECT_EQ(shown(1235), "12.35");
    EXPECT_EQ(shown(32767), "327.67");
    EXPECT_EQ(shown(-32768), "-327.68");
}

TEST(ToolLogic, TypedThicknessIsRoundedAndClampedToTheField) {
    struct Case {
        const char* text;
        int16_t stored;
    } cases[] = {
        {"0.5", 50},
        {"12.345", 1235},
        {"0.005", 1},
        {"0.004", 0},
        {"", 0},
        {"abc", 0},
        {"327.67", 32767},
        {"327.68", 32767},
        {"1000", 32767},
        {"-327.68", -32768},
        {"-327.69", -32768},
        {"99999999999999", 32767},
        {"-99999999999999", -32768},
    };
    for (const Case& c : cases)
        EXPECT_EQ(thicknessFromText(c.text), c.stored) << c.text;
}

TEST(ToolLogic, ColourPositionOfAStoredSlot) {
    struct Case {
        int16_t red, green, blue, colorSet;
        int position;
    } cases[] = {
        {0, 0, 0, 1, 0},         {10000, 0, 0, 1, 1},         {0, 10000, 0, 1, 2},
        {0, 0, 10000, 1, 3},     {10000, 10000, 0, 1, 4},     {0, 10000, 10000, 1, 5},
        {10000, 0, 10000, 1, 6}, {10000, 10000, 10000, 1, 7}, {0, 0, 0, 0, 8},
        {10000, 0, 10000, 0, 8}, {5000, 0, 0, 1, 0},          {-10000, 0, 0, 1, 0},
        {10000, 0, 0, 2, 1},
    };
    for (const Case& c : cases) {
        PenSlot slot = {3, 0, c.red, c.green, c.blue, c.colorSet};
        EXPECT_EQ(colourPositionForSlot(slot), c.position)
            << c.red << "," << c.green << "," << c.blue << " set " << c.colorSet;
    }
}

TEST(ToolLogic, ColourPositionStoresItsComponents) {
    struct Case {
        int position;
        int16_t red, green, blue, colorSet;
        uint8_t r, g, b; // swatch
    } cases[] = {
        {-1, 0, 0, 0, 1, 255, 255, 255},
        {0, 0, 0, 0, 1, 0, 0, 0},
        {1, 10000, 0, 0, 1, 255, 0, 0},
        {2, 0, 10000, 0, 1, 0, 255, 0},
        {3, 0, 0, 10000, 1, 0, 0, 255},
        {4, 10000, 10000, 0, 1, 255, 255, 0},
        {5, 0, 10000, 10000, 1, 0, 255, 255},
        {6, 10000, 0, 10000, 1, 255, 0, 255},
        {7, 10000, 10000, 10000, 1, 255, 255, 255},
        {8, 0, 0, 0, 0, 255, 255, 255},
    };
    for (const Case& c : cases) {
        const PenColour colour = colourForPosition(c.position);
        EXPECT_EQ(colour.red, c.red) << c.position;
        EXPECT_EQ(colour.green, c.green) << c.position;
        EXPECT_EQ(colour.blue, c.blue) << c.position;
        EXPECT_EQ(colour.colorSet, c.colorSet) << c.position;
        const SwatchColour swatch = swatchColour(c.position);
        EXPECT_EQ(swatch.red, c.r) << c.position;
        EXPECT_EQ(swatch.green, c.g) << c.position;
        EXPECT_EQ(swatch.blue, c.b) << c.position;
    }
}

} // namespace
