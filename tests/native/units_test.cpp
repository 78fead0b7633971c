#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "units/units.h"

namespace {

std::string show(int32_t mm, int unit) {
    char text[32];
    lengthToText(mm, unit, text, sizeof text);
    return text;
}

std::string fixed(float x, int decimals) {
    char text[32];
    formatFixed(x, decimals, text, sizeof text);
    return text;
}

TEST(Units, MmPerInchIsTheSinglePrecisionQuotient) {
    EXPECT_EQ(static_cast<double>(mmPerInch), 25.399999618530273);
}

TEST(Units, EveryWholeMillimetreReadsBackUnchanged) {
    for (int unit : {kUnitInch, kUnitMm, kUnitPixel}) {
        for (int32_t mm = 0; mm <= 32767; ++mm) {
            const std::string text = show(mm, unit);
            ASSERT_EQ(textToLength(text.c_str(), unit), mm) << "unit " << unit << " text " << text;
        }
    }
    EXPECT_EQ(show(32767, kUnitMm), "32767");
}

TEST(Units, NegativeWholeMillimetresReadBackUnchanged) {
    for (int unit : {kUnitInch, kUnitMm, kUnitPixel})
        for (int32_t mm : {-1, -5, -15, -210, -32768})
            EXPECT_EQ(textToLength(show(mm, unit).c_str(), unit), mm) << unit << " " << mm;
    EXPECT_EQ(show(-5, kUnitMm), "-5");
    EXPECT_EQ(show(-15, kUnitInch), "-0.591");
}

TEST(Units, WorkedValuesShown) {
    struct Case {
        int32_t mm;
        const char* inch;
        const char* mm_;
        const char* pixel;
    } cases[] = {
        {0, "0.000", "0", "0.00"},
        {1, "0.039", "1", "2.83"},
        {5, "0.197", "5", "14.17"},
        {15, "0.591", "15", "42.52"},
        {210, "8.268", "210", "595.28"},
        {297, "11.693", "297", "841.89"},
        {1000, "39.370", "1000", "2834.65"},
        {3000, "118.110", "3000", "8503.94"},
        {32767, "1290.039", "32767", "92882.84"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(show(c.mm, kUnitInch), c.inch) << c.mm;
        EXPECT_EQ(show(c.mm, kUnitMm), c.mm_) << c.mm;
        EXPECT_EQ(show(c.mm, kUnitPixel), c.pixel) << c.mm;
    }
}

TEST(Units, TypedTextToMillimetres) {
    struct Case {
        const char* text;
        int unit;
        int32_t mm;
    } cases[] = {
        {"8.268", kUnitInch, 210},
        {"595.28", kUnitPixel, 210},
        {"1", kUnitInch, 25},
        {"0.5", kUnitInch, 13},
        {"2.54", kUnitInch, 65},
        {"72", kUnitPixel, 25},
        {"10.4", kUnitMm, 10},
        {"10.5", kUnitMm, 11},
        {"1.5mm", kUnitMm, 0},
        // Single-precision steps give 798, where double with 25.4 gives 797.
        {"2260.63", kUnitPixel, 798},
    };
    for (const Case& c : cases)
        EXPECT_EQ(textToLength(c.text, c.unit), c.mm) << c.text << " unit " << c.unit;
}

TEST(Units, SinglePrecisionChainIsKept) {
    EXPECT_EQ(show(9656, kUnitInch), "380.158"); // double with 25.4 gives 380.157
    EXPECT_EQ(show(textToLength("1", kUnitInch), kUnitInch), "0.984");
}

TEST(Units, UnknownUnitConvertsAsMillimetresBothWays) {
    for (int unit : {-1, 3, 7, 32767}) {
        EXPECT_EQ(unitDecimals(unit), 0);
        EXPECT_EQ(show(15, unit), "15");
        EXPECT_EQ(textToLength("15", unit), 15);
    }
    EXPECT_EQ(unitDecimals(kUnitInch), 3);
    EXPECT_EQ(unitDecimals(kUnitMm), 0);
    EXPECT_EQ(unitDecimals(kUnitPixel), 2);
}

TEST(Units, FormatFixed) {
    struct Case {
        float x;
        int decimals;
        const char* text;
    } cases[] = {
        {0.05f, 3, "0.050"},  {9.999f, 2, "10.00"}, {0.0049f, 3, "0.005"},  {12345.0f, 0, "12345"},
        {1.5f, 0, "2"},       {2.5f, 0, "3"},       {0.123f, 3, "0.123"},   {0.0f, 3, "0.000"},
        {8.268f, 3, "8.268"}, {-1.5f, 2, "-1.50"},  {-0.0001f, 3, "0.000"}, {-0.05f, 3, "-0.050"},
        {-7.0f, 0, "-7"},     {0.5f, 0, "1"},       {0.25f, 1, "0.3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fixed(c.x, c.decimals), c.text) << c.x << " / " << c.decimals;
}

TEST(Units, FormatFixedStaysWithinItsBuffer) {
    char small[4] = {'x', 'x', 'x', 'x'};
    formatFixed(12345.0f, 0, small, sizeof small);
    EXPECT_STREQ(small, "123");
    // Values beyond the 32-bit range saturate rather than overflow.
    EXPECT_EQ(fixed(3e9f, 0), "2147483647");
    EXPECT_EQ(fixed(-3e9f, 0), "-2147483648");
    EXPECT_EQ(fixed(INFINITY, 3), "2147483.647");
}

TEST(Units, ParseNumber) {
    struct Case {
        const char* text;
        float value;
    } cases[] = {
        {"12.", 12.0f},
        {".5", 0.5f},
        {"1,234", 1234.0f},
        {"1.2.3", 12.3f},
        {"1.5.", 0.15f},
        {"1.5mm", 0.015f},
        {"1.25 ", 0.125f},
        {" 12", 12.0f},
        {"-1.5", -1.5f},
        {"1.5-", -0.15f},
        {"--1.5", -1.5f},
        {"1-2", -12.0f},
        {"\x82\x50\x82\x51", 0.0f}, // full-width "１２" in code page 932
        {"", 0.0f},
        {".", 0.0f},
        {"-", 0.0f},
        {"0.394", 0.394f},
        {"16777216", 16777216.0f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(Units, ParseNumberWithManyDigitsStaysDefined) {
    const float big = parseNumber("123456789012345678901234567890");
    EXPECT_TRUE(std::isfinite(big));
    EXPECT_NEAR(big / 1.2345679e29f, 1.0f, 1e-6f);
    EXPECT_NEAR(parseNumber("0.000000000001"), 1e-12f, 1e-18f);
    std::string digits(400, '9');
    EXPECT_TRUE(std::isfinite(parseNumber(digits.c_str())));
    EXPECT_EQ(parseNumber(("." + digits).c_str()), 0.0f);
    EXPECT_FALSE(std::isnan(parseNumber((digits + "." + digits).c_str())));
}

TEST(Units, RoundToInt) {
    struct Case {
        float x;
        int32_t n;
    } cases[] = {
        {0.5f, 1},         {1.4999f, 1},       {1.5f, 2},   {2.5f, 3},   {210.0072f, 210},
        {-0.5f, 0},        {-0.4f, 0},         {-5.0f, -5}, {-4.5f, -5}, {-1.2f, -1},
        {3e9f, INT32_MAX}, {-3e9f, INT32_MIN}, {NAN, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(roundToInt(c.x), c.n) << c.x;
}

TEST(Units, LowSixteenBits) {
    const int32_t typed[][2] = {{0, 0},          {-1, -1},         {32767, 32767},  {32768, -32768},
                                {40000, -25536}, {65535, -1},      {65536, 0},      {65548, 12},
                                {70000, 4464},   {-32768, -32768}, {-32769, 32767}, {INT32_MAX, -1},
                                {INT32_MIN, 0}};
    for (const auto& t : typed)
        EXPECT_EQ(lowSixteenBits(t[0]), t[1]) << t[0];
}

} // namespace
