#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bytes.h"
#include "settings/catalogue.h"

namespace {

std::vector<unsigned char> blockBytes() {
    std::vector<unsigned char> b(sizeof g_paperCatalogue);
    std::memcpy(b.data(), &g_paperCatalogue, b.size());
    return b;
}

std::string nameAt(int index) {
    char name[64];
    GetPaperEntry(index, name, sizeof name, nullptr, nullptr, nullptr);
    return name;
}

std::vector<std::string> names() {
    std::vector<std::string> out;
    for (int i = 0; i < PaperCount(); ++i)
        out.push_back(nameAt(i));
    return out;
}

class Catalogue : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(&g_paperCatalogue, 0x5A, sizeof g_paperCatalogue);
        ResetPaperCatalogue();
    }
};

TEST_F(Catalogue, DefaultsAtLiteralOffsets) {
    const auto b = blockBytes();
    ASSERT_EQ(b.size(), 6938u);
    EXPECT_EQ(le16(b.data(), 0), 11);
    struct Entry {
        const char* name;
        int16_t width, length, roll;
    } expected[] = {
        {"A0", 841, 1190, 0},          {"A1", 594, 841, 0},           {"A1(\x89\xA1)", 841, 594, 0},
        {"A2", 420, 594, 0},           {"A2(\x89\xA1)", 594, 420, 0}, {"A3", 297, 420, 0},
        {"A3(\x89\xA1)", 420, 297, 0}, {"Roll(1020)", 1020, 3000, 1}, {"Roll(1000)", 1000, 3000, 1},
        {"Roll(950)", 950, 3000, 1},   {"Roll(920)", 920, 3000, 1},
    };
    for (int i = 0; i < 11; ++i) {
        const size_t at = 2 + 70 * static_cast<size_t>(i);
        EXPECT_EQ(cstr(b.data(), at, 64), expected[i].name) << i;
        EXPECT_EQ(le16(b.data(), at + 64), expected[i].width) << i;
        EXPECT_EQ(le16(b.data(), at + 66), expected[i].length) << i;
        EXPECT_EQ(le16(b.data(), at + 68), expected[i].roll) << i;
        for (size_t k = at + std::strlen(expected[i].name); k < at + 64; ++k)
            ASSERT_EQ(b[k], 0) << "entry " << i << " byte " << k;
    }
    // "A1(横)" holds the code page 932 bytes of 横.
    EXPECT_EQ(b[2 + 140 + 3], 0x89);
    EXPECT_EQ(b[2 + 140 + 4], 0xA1);
    for (size_t k = 2 + 70 * 11; k < 6938; ++k)
        ASSERT_EQ(b[k], 0) << k; // free slots, reserved words and the unit (inch)
}

TEST_F(Catalogue, LookupsOutsideTheEntriesYieldZeros) {
    for (int index : {-1, 11, 98, 99, 32767}) {
        int16_t w = 7, l = 7, r = 7;
        EXPECT_EQ(GetPaperSize(index, &w, &l, &r), 0) << index;
        EXPECT_EQ(w, 0);
        EXPECT_EQ(l, 0);
        EXPECT_EQ(r, 0);
        char name[64] = "junk";
        w = l = r = 7;
        EXPECT_EQ(GetPaperEntry(index, name, sizeof name, &w, &l, &r), 0) << index;
        EXPECT_STREQ(name, "");
        EXPECT_EQ(w + l + r, 0);
    }
    int16_t w, l, r;
    EXPECT_EQ(GetPaperSize(10, &w, &l, &r), 1);
    EXPECT_EQ(w, 920);
    EXPECT_EQ(l, 3000);
    EXPECT_EQ(r, 1);
}

TEST_F(Catalogue, InsertAtBothEndsKeepsOrder) {
    ASSERT_EQ(InsertPaperEntry(11, "END", 1, 2, 0), 1);
    ASSERT_EQ(InsertPaperEntry(0, "FIRST", 3, 4, 1), 1);
    const auto list = names();
    ASSERT_EQ(list.size(), 13u);
    EXPECT_EQ(list.front(), "FIRST");
    EXPECT_EQ(list[1], "A0");
    EXPECT_EQ(list[11], "Roll(920)");
    EXPECT_EQ(list.back(), "END");
    int16_t w, l, r;
    GetPaperSize(0, &w, &l, &r);
    EXPECT_EQ(w * 100 + l * 10 + r, 341);
    GetPaperSize(2, &w, &l, &r);
    EXPECT_EQ(w, 594); // A1 moved up by one with its values
}

TEST_F(Catalogue, RefusalsChangeNothing) {
    const auto before = blockBytes();
    EXPECT_EQ(InsertPaperEntry(12, "X", 1, 1, 0), 0);
    EXPECT_EQ(InsertPaperEntry(-1, "X", 1, 1, 0), 0);
    EXPECT_EQ(ReplacePaperEntry(11, "X", 1, 1, 0), 0);
    EXPECT_EQ(ReplacePaperEntry(-1, "X", 1, 1, 0), 0);
    EXPECT_EQ(RemovePaperEntry(11), 0);
    EXPECT_EQ(RemovePaperEntry(-1), 0);
    EXPECT_EQ(blockBytes(), before);

    while (PaperCount() < 99)
        ASSERT_EQ(InsertPaperEntry(PaperCount(), "F", 1, 1, 0), 1);
    const auto full = blockBytes();
    EXPECT_EQ(InsertPaperEntry(0, "X", 1, 1, 0), 0);
    EXPECT_EQ(InsertPaperEntry(99, "X", 1, 1, 0), 0);
    EXPECT_EQ(blockBytes(), full);
    EXPECT_EQ(ReplacePaperEntry(98, "LAST", 5, 5, 1), 1);
    EXPECT_EQ(RemovePaperEntry(98), 1);
    EXPECT_EQ(PaperCount(), 98);
}

TEST_F(Catalogue, RemoveAtBothEnds) {
    ASSERT_EQ(RemovePaperEntry(10), 1);
    EXPECT_EQ(PaperCount(), 10);
    EXPECT_EQ(nameAt(9), "Roll(950)");
    ASSERT_EQ(RemovePaperEntry(0), 1);
    const auto list = names();
    ASSERT_EQ(list.size(), 9u);
    EXPECT_EQ(list.front(), "A1");
    EXPECT_EQ(list.back(), "Roll(950)");
}

TEST_F(Catalogue, ShortNameOverLongLeavesTailAndUnitUntouched) {
    g_paperCatalogue.lengthUnit = 2;
    g_paperCatalogue.reserved6932 = 0x1234;
    g_paperCatalogue.reserved6936 = -7;
    ASSERT_EQ(ReplacePaperEntry(7, "R", 10, 20, 0), 1);
    const auto b = blockBytes();
    const size_t at = 2 + 70 * 7;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[at]), 11),
              std::string("R\0ll(1020)\0", 11));
    EXPECT_EQ(le16(b.data(), 6932), 0x1234);
    EXPECT_EQ(le16(b.data(), 6934), 2);
    EXPECT_EQ(le16(b.data(), 6936), -7);
    InsertPaperEntry(3, "N", 1, 1, 0);
    RemovePaperEntry(0);
    EXPECT_EQ(g_paperCatalogue.lengthUnit, 2);
    EXPECT_EQ(g_paperCatalogue.reserved6932, 0x1234);
    EXPECT_EQ(g_paperCatalogue.reserved6936, -7);
}

TEST_F(Catalogue, NamesAreAtMost63Bytes) {
    const std::string name63(63, 'n');
    ASSERT_EQ(ReplacePaperEntry(0, name63.c_str(), 1, 1, 0), 1);
    EXPECT_EQ(nameAt(0), name63);
    const std::string name70(70, 'x');
    ASSERT_EQ(InsertPaperEntry(0, name70.c_str(), 1, 1, 0), 1);
    EXPECT_EQ(nameAt(0), std::string(63, 'x'));
    EXPECT_EQ(g_paperCatalogue.entries[0].name[63], '\0');
}

TEST_F(Catalogue, DamagedBlockStaysWithinTheSlots) {
    // An unterminated name reads as its first 63 bytes.
    std::memset(g_paperCatalogue.entries[0].name, 'z', 64);
    EXPECT_EQ(nameAt(0), std::string(63, 'z'));
    InsertPaperEntry(0, "new", 1, 1, 0);
    EXPECT_EQ(nameAt(1), std::string(63, 'z'));

    for (int16_t count : {int16_t(-5), int16_t(150), int16_t(32767)}) {
        g_paperCatalogue.count = count;
        const int expected = count < 0 ? 0 : 99;
        EXPECT_EQ(PaperCount(), expected);
        int16_t w, l, r;
        EXPECT_EQ(GetPaperSize(expected, &w, &l, &r), 0);
        EXPECT_EQ(InsertPaperEntry(0, "x", 1, 1, 0), count < 0 ? 1 : 0);
        if (count >= 0) {
            EXPECT_EQ(RemovePaperEntry(98), 1);
            EXPECT_EQ(g_paperCatalogue.count, 98);
        } else {
            EXPECT_EQ(g_paperCatalogue.count, 1);
        }
    }
}

} // namespace
