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
    EXPECT_EQ(cut(repeat(kA, 3), 4), kA);   // 3 bytes of room hold one character
    EXPECT_EQ(cut("ab\x82", 64), "ab\x82"); // a lone lead byte is one byte
}

TEST(CatalogueLogic, GeneratedNameAndLengthRules) {
    char name[64];
    generatedPaperName(500, 3000, name, sizeof name);
    EXPECT_STREQ(name, "CUST(500*3000)");
    generatedPaperName(-2147483647 - 1, 7, name, sizeof name);
    EXPECT_STREQ(name, "CUST(-2147483648*7)");
    generatedPaperName(500, 3000, name, 6);
    EXPECT_STREQ(name, "CUST(");

    EXPECT_EQ(zeroMeansDefaultLength(0.0f), 3000.0f);
    EXPECT_EQ(zeroMeansDefaultLength(-0.0f), 3000.0f);
    EXPECT_EQ(zeroMeansDefaultLength(0.4f), 0.4f); // rounds to 0 later but is not 0
    EXPECT_EQ(toCatalogueLength(40000), -25536);
    EXPECT_EQ(toCatalogueLength(-32768), -32768);
    EXPECT_EQ(toCatalogueLength(65536 + 12), 12);
}

TEST(CatalogueLogic, ReadingTheFields) {
    struct Case {
        std::string name, width, length;
        int unit;
        bool roll;
        std::string storedName;
        int width16, length16, roll16;
    } cases[] = {
        {"", "500", "", kUnitMm, false, "CUST(500*3000)", 500, 3000, 0},
        {"", "", "", kUnitInch, true, "CUST(3000*3000)", 3000, 3000, 1},
        {"B4", "10.118", "14.331", kUnitInch, false, "B4", 257, 364, 0},
        {"", "10.4", "0.4", kUnitMm, false, "CUST(10*0)", 10, 0, 0},
        {"P", "595.28", "abc", kUnitPixel, false, "P", 210, 3000, 0},
        {"", "40000", "-5", kUnitMm, false, "CUST(40000*-5)", -25536, -5, 0},
        {repeat(kA, 40), "1", "1", kUnitMm, false, repeat(kA, 31), 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width + " / " + c.length);
        const CatalogueFields f =
            readCatalogueFields(c.name.c_str(), c.width.c_str(), c.length.c_str(), c.unit, c.roll);
        EXPECT_EQ(std::string(f.name), c.storedName);
        EXPECT_EQ(f.width, c.width16);
        EXPECT_EQ(f.length, c.length16);
        EXPECT_EQ(f.roll, c.roll16);
    }
}

} // namespace
