#include <gtest/gtest.h>

#include <string>

#include "pages/catalogue_logic.h"
#include "units/units.h"

namespace {

std::string cut(const std::string& text, size_t size = 64) {
    char out[128];
    cutCp932(text.c_str(), out, size);
    return out;
}

std::string repeat(const std::string& piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i)
        s += piece;
    return s;
}

const std::string kA = "\x82\xA0"; // あ
const std::string kKana = "\xB1";  // half-width ｱ, one byte

TEST(CatalogueLogic, NamesAreCutAt63BytesByWholeCharacters) {
    struct Case {
        std::string text, kept;
    } cases[] = {
        {repeat("a", 70), repeat("a", 63)},
        {repeat(kA, 35), repeat(kA, 31)},             // 70 bytes: 62 kept
        {"a" + repeat(kA, 35), "a" + repeat(kA, 31)}, // exactly 63
        {repeat("a", 62) + kA, repeat("a", 62)},      // would end on a lead byte
        {repeat(kKana, 70), repeat(kKana, 63)},       // katakana are single bytes
        {repeat(kA, 31) + "b", repeat(kA, 31) + "b"}, // 63 bytes stay whole
        {"A1(\x89\xA1)", "A1(\x89\xA1)"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cut(c.text), c.kept) << c.text.size() << " bytes";
    EXPECT_EQ(cut(repeat(kA, 3), 4), kA); // 3 bytes of room hold one character
    EXPECT_EQ(cut("ab\x82", 64), "ab");   // half a character is dropped
}

TEST(CatalogueLogic, GeneratedNameAndLengthRules) {
    char name[64];
    generatedPaperName(500, 3000, name, sizeof name);
    EXPECT_STREQ(name, "CUST(500*3000)");
    generatedPaperName(-2147483647 - 1, 7, name, sizeof name);
    EXPECT_STREQ(name, "CUST(-2147483648*7)");
    generatedPaperName(500, 3000, name, 6);
    EXPECT_STREQ(name, "CUST(");

    EXPECT_EQ(zeroMeansDefaultLength(-0.0f), 3000.0f);
}

TEST(CatalogueLogic, ReadingTheFields) {
    struct Case {
        std::string name, width, length;
        int unit;
        bool roll;
        std::string stored;
        int width16, length16, roll16;
    } cases[] = {
        {"", "500", "", kUnitMm, false, "CUST(500*3000)", 500, 3000, 0},
        {"B4", "10.118", "0.4", kUnitInch, true, "B4", 257, 10, 1},
        {"", "10.4", "0.4", kUnitMm, false, "CUST(10*0)", 10, 0, 0}, // 0.4 is not exactly 0
        {"", "40000", "abc", kUnitPixel, false, "CUST(14111*3000)", 14111, 3000, 0},
        {repeat(kA, 40), "99999", "-5", kUnitMm, false, repeat(kA, 31), 32767, -5, 0},
        // pinned, not wrapped to -25536, and the name tells the stored size
        {"", "40000", "-40000", kUnitMm, false, "CUST(32767*-32768)", 32767, -32768, 0},
    };
    for (const Case& c : cases) {
        const CatalogueFields f =
            readCatalogueFields(c.name.c_str(), c.width.c_str(), c.length.c_str(), c.unit, c.roll);
        EXPECT_EQ(std::string(f.name) + " " + std::to_string(f.width) + "x" +
                      std::to_string(f.length) + " " + std::to_string(f.roll),
                  c.stored + " " + std::to_string(c.width16) + "x" + std::to_string(c.length16) +
                      " " + std::to_string(c.roll16));
    }
}

} // namespace
