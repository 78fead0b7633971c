#include <gtest/gtest.h>

#include <cstdint>

#include "pages/plotter_env_logic.h"
#include "settings/stored_values.h"

namespace {

TEST(PlotterEnvLogic, PortCodesAndListPositions) {
    const int codes[11] = {0, 1, 2, 3, 4, 5, 6, -1, -2, -3, -4}; // by position
    for (int position = 0; position < 11; ++position) {
        EXPECT_EQ(portListPositionForCode(codes[position]), position);
        EXPECT_EQ(portCodeForListPosition(position), codes[position]);
    }
    for (int code : {7, 11, 32767, -5, -32768})
        EXPECT_EQ(portListPositionForCode(code), kNoListSelection) << code;
    EXPECT_EQ(portCodeForListPosition(kNoListSelection), -1);
}

TEST(PlotterEnvLogic, CheckBoxesWithInvertedFields) {
    EXPECT_TRUE(boxTickedForField(1, false) && boxTickedForField(2, false) &&
                boxTickedForField(0, true));
    EXPECT_FALSE(boxTickedForField(0, false) || boxTickedForField(1, true) ||
                 boxTickedForField(-1, true));
    EXPECT_EQ(fieldForBox(true, false), 1);
    EXPECT_EQ(fieldForBox(false, false), 0);
    EXPECT_EQ(fieldForBox(true, true), 0);
    EXPECT_EQ(fieldForBox(false, true), 1);
}

TEST(PlotterEnvLogic, SortModeFromRadios) {
    EXPECT_EQ(sortModeFromRadios(true, false, false, 1), 0);
    EXPECT_EQ(sortModeFromRadios(false, true, false, 0), 1);
    EXPECT_EQ(sortModeFromRadios(false, false, true, 1), 2);
    EXPECT_EQ(sortModeFromRadios(false, false, false, 7), 7) << "nothing ticked keeps the mode";
}

} // namespace
