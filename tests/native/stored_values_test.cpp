#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "settings/stored_values.h"
#include "units/units.h"

namespace {

TEST(PlotterExtraLogic, PdWordInEffectAndItsParts) {
    const struct {
        int32_t stored, inEffect;
        uint32_t vertices, angle, enabled;
    } cases[] = {
        {0, 1966592, 512, 30, 0},
        {-1, 1966592, 512, 30, 0},
        {INT_MIN, 1966592, 512, 30, 0},
        {19726436, 19726436, 100, 45, 1},
        {INT_MAX, INT_MAX, 65535, 255, 127},
        {0x00FF0001, 0x00FF0001, 1, 255, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        const int32_t word = pdOptimizeInEffect(c.stored);
        EXPECT_EQ(word, c.inEffect);
        EXPECT_EQ(pdVertexCount(word), c.vertices);
        EXPECT_EQ(pdAngle(word), c.angle);
        EXPECT_EQ(pdEnabled(word), c.enabled);
    }
}

TEST(PlotterExtraLogic, PdWordPacksTypedValuesIntoTheirBits) {
    const struct {
        int32_t vertices, angle;
        bool enabled;
        int32_t packed;
    } cases[] = {
        {100, 45, true, 19726436},  {0, 0, false, 0},
        {512, 30, false, 1966592},  {70000, 300, false, 2888048},
        {-1, -1, true, 0x01FFFFFF}, {INT_MIN, INT_MAX, false, 0x00FF0000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(packPdOptimize(c.vertices, c.angle, c.enabled), c.packed)
            << c.vertices << "/" << c.angle;
}

TEST(PlotterExtraLogic, ToolsMapToPositions) {
    const int tools[][2] = {{1, 0}, {8, 7}, {10, 9}, {0, -1}, {11, -1}, {-3, -1}};
    for (const auto& t : tools) {
        EXPECT_EQ(toolListPosition(t[0]), t[1]) << t[0];
        EXPECT_EQ(toolNumberAt(t[1]), t[1] < 0 ? 0 : t[0]) << t[1];
    }
    EXPECT_EQ(toolNumberAt(10), 0);
}

TEST(PlotterExtraLogic, TextFieldKeeps126BytesWithoutHalfCharacters) {
    std::string kana = "a"; // then 70 あ: the 63rd would straddle byte 126
    for (int i = 0; i < 70; ++i)
        kana += "\x82\xA0";
    const struct {
        std::string text;
        size_t kept;
    } cases[] = {
        {"", 0},
        {"PG;", 3},
        {std::string(200, 'f'), 126},
        {kana, 125},
        {kana.substr(1), 126},
        {"abc\x82", 3},                  // second byte missing
        {std::string(130, '\xB1'), 126}, // half-width katakana
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        char field[128];
        std::memset(field, 0x5A, sizeof field);
        storeTextField(field, c.text.c_str());
        const std::string want = c.text.substr(0, c.kept) + std::string(128 - c.kept, '\0');
        EXPECT_EQ(std::string(field, 128), want);
    }
}

TEST(PlotterExtraLogic, ShownTextStopsAtTheFieldsEnd) {
    char field[128] = "10.0.0.5";
    char out[kTextShowSize];
    textFieldToShow(field, out);
    EXPECT_STREQ(out, "10.0.0.5");
    std::memset(field, 'q', sizeof field); // damaged: no terminator
    textFieldToShow(field, out);
    EXPECT_EQ(std::string(out), std::string(128, 'q'));
}

} // namespace
