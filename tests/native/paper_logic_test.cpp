// The paper page's rules that need no window.
#include <gtest/gtest.h>

#include "pages/paper_logic.h"
#include "settings/catalogue.h"
#include "settings/stored_values.h"

namespace {

TEST(PaperLogic, TypedLengthsAndPrintPages) {
    struct Case {
        const char* text;
        int unit;
        int16_t mm;
    } const cases[] = {
        {"", 1, 3000},       {"abc", 2, 3000}, {"0.000", 0, 3000},  {"-0", 1, 3000},
        {"0.3", 1, 0},       {"0.001", 0, 0},  {"33.110", 0, 841},  {"10.5", 1, 11},
        {"2260.63", 2, 798}, {"-5", 1, -5},    {"40000", 1, 32767}, {"-40000", 1, -32768},
        {"5", 7, 5}, // a damaged unit reads as mm
    };
    for (const Case& c : cases)
        EXPECT_EQ(paperLengthFromText(c.text, c.unit), c.mm) << '"' << c.text << "\" in " << c.unit;

    EXPECT_EQ(printPageFromText("2.5"), 3);
    EXPECT_EQ(printPageFromText(""), 0);
    EXPECT_EQ(printPageFromText("-4"), -4);
    EXPECT_EQ(printPageFromText("70000"), 32767);
    EXPECT_EQ(printPageFromText("-70000"), -32768);
}

TEST(PaperLogic, ScalesAndPositions) {
    const int32_t listed[] = {100000, 50000, 40000, 30000, 20000, 15000,
                              10000,  7500,  5000,  3333,  2500,  1000};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(scaleAtPosition(i), listed[i]);
        EXPECT_EQ(scalePositionOf(listed[i]), i);
    }
    EXPECT_EQ(scaleAtPosition(-1), 10000);
    EXPECT_EQ(scaleAtPosition(12), 10000);
    EXPECT_EQ(scalePositionOf(12345), 6);
}

TEST(PaperLogic, SizeCodeKeptOnlyWhileItsEntryMatches) {
    ResetPaperCatalogue();
    struct Case {
        int32_t size;
        PaperFields shown;
        int32_t stored;
    } const cases[] = {
        {601, {841, 1190, 0}, 601},  {609, {1000, 3000, 1}, 609}, {609, {1001, 3000, 1}, 999},
        {609, {1000, 2999, 1}, 999}, {609, {1000, 3000, 0}, 999}, {999, {841, 1190, 0}, 999},
        {612, {0, 0, 0}, 999}, // no entry 11: zeros must not keep a code that names nothing
        {699, {0, 0, 0}, 999},       {700, {0, 0, 0}, 999},       {INT32_MIN, {0, 0, 0}, 999},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sizeCodeOnSave(c.size, c.shown), c.stored) << c.size;

    ASSERT_EQ(RemovePaperEntry(0), 1); // 601 now names "A1"
    EXPECT_EQ(sizeCodeOnSave(601, {841, 1190, 0}), 999);
    EXPECT_EQ(sizeCodeOnSave(601, {594, 841, 0}), 601);
}

} // namespace
