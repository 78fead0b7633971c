#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "bytes.h"
#include "settings/record.h"

namespace {

TEST(Record, DefaultsAtLiteralOffsets) {
    PlotterRecord record;
    std::memset(&record, 0xAB, sizeof record);
    recordDefaults(&record);
    unsigned char b[756];
    static_assert(sizeof record == sizeof b);
    std::memcpy(b, &record, sizeof b);

    struct Field {
        size_t offset;
        int width;
        int32_t value;
    } fields[] = {
        {0, 2, 301},  {2, 2, 0},     {4, 4, 15},     {8, 4, 15},  {12, 4, 15},    {16, 4, 15},
        {20, 4, 15},  {24, 4, 15},   {28, 4, 15},    {32, 4, 15}, {36, 2, 1},     {38, 2, 1},
        {40, 2, 0},   {42, 2, 2},    {44, 2, 0},     {46, 2, 40}, {48, 2, 0},     {50, 2, 0},
        {52, 2, 0},   {54, 2, 0},    {176, 2, 0},    {178, 2, 8}, {180, 4, 5},    {184, 4, 5},
        {188, 4, 5},  {192, 4, 5},   {196, 2, 3000}, {198, 2, 0}, {200, 2, 8},    {202, 2, 50},
        {204, 2, 20}, {206, 2, 150}, {208, 2, 30},   {210, 2, 0}, {212, 2, 0},    {214, 2, 4},
        {216, 2, 1},  {218, 2, 0},   {220, 2, 0},    {222, 2, 1}, {352, 4, 1024}, {356, 4, 40},
        {360, 4, 2},  {364, 4, 0},   {368, 4, 0},
    };
    for (const Field& f : fields)
        EXPECT_EQ(f.width == 2 ? le16(b, f.offset) : le32(b, f.offset), f.value)
            << "offset " << f.offset;

    // Pen slots: toolType, thickness, red, green, blue, colorSet.
    const int16_t pens[10][6] = {
        {3, 0, 10000, 0, 0, 1}, {3, 0, 0, 10000, 0, 1}, {3, 0, 0, 0, 10000, 1}, {3, 0, 0, 0, 0, 1},
        {5, 50, 0, 0, 0, 0},    {5, 30, 0, 0, 0, 0},    {0, 0, 0, 0, 0, 0},     {9, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, 0},     {0, 0, 0, 0, 0, 0},
    };
    for (int slot = 0; slot < 10; ++slot)
        for (int field = 0; field < 6; ++field)
            EXPECT_EQ(le16(b, 56 + 12 * slot + 2 * field), pens[slot][field])
                << "slot " << slot << " field " << field;

    // Text fields: terminated, zero after the terminator.
    const std::string host = cstr(b, 224, 128);
    EXPECT_EQ(host, kDefaultHostAddress);
    EXPECT_EQ(cstr(b, 372, 128), "");
    EXPECT_EQ(cstr(b, 500, 128), "PG;");
    EXPECT_EQ(cstr(b, 628, 128), "");
    for (size_t i = 224 + host.size(); i < 352; ++i)
        ASSERT_EQ(b[i], 0) << i;
    for (size_t i = 503; i < 628; ++i)
        ASSERT_EQ(b[i], 0) << i;
}

TEST(Record, DefaultHostIsAPrivateDottedIPv4Address) {
    unsigned a, b, c, d;
    char tail;
    ASSERT_EQ(std::sscanf(kDefaultHostAddress, "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail), 4);
    EXPECT_TRUE(a == 10 || (a == 172 && b >= 16 && b <= 31) || (a == 192 && b == 168));
    EXPECT_LE(c, 255u);
    EXPECT_LE(d, 255u);
}

TEST(Record, SetPenSlotRoundsThicknessAndScalesPercent) {
    PlotterRecord record{};
    setPenSlot(&record, 9, 11, 1.234, 100, 50, 0, 1);
    EXPECT_EQ(record.penSlots[9].toolType, 11);
    EXPECT_EQ(record.penSlots[9].thickness, 123);
    EXPECT_EQ(record.penSlots[9].red, 10000);
    EXPECT_EQ(record.penSlots[9].green, 5000);
    EXPECT_EQ(record.penSlots[9].blue, 0);
    EXPECT_EQ(record.penSlots[9].colorSet, 1);
    setPenSlot(&record, 10, 1, 0, 0, 0, 0, 0); // out of range: ignored
    setPenSlot(&record, -1, 1, 0, 0, 0, 0, 0);
    EXPECT_EQ(record.penSlots[0].toolType, 0);
}

} // namespace
