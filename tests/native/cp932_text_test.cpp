#include <gtest/gtest.h>

#include "settings/cp932_text.h"

namespace {

TEST(Cp932Text, FitLengthKeepsWholeCharacters) {
    struct Case {
        const char* text;
        size_t maxBytes;
        size_t kept;
    } const cases[] = {
        {"A1(\x89\xA1)", 63, 6}, {"A1(\x89\xA1)", 4, 3},  {"\xB6\xC0\xB6\xC5", 3, 3}, // katakana
        {"ab\x82", 63, 2},       {"\x82\xA0\x82", 63, 2}, {"", 63, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cp932FitLength(c.text, c.maxBytes), c.kept) << c.text;
    char field[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(storedTextLength(field, sizeof field), 4u);
}

TEST(Cp932Text, ConvertsWithCodePage932) {
    std::u16string wide;
    EXPECT_TRUE(cp932ToUtf16("A1(\x89\xA1)", &wide));
    EXPECT_EQ(wide, u"A1(横)");
    EXPECT_TRUE(cp932ToUtf16("\xB6\xDE\x82\xA0", &wide));
    EXPECT_EQ(wide, u"ｶﾞあ");
    EXPECT_FALSE(cp932ToUtf16("ab\x82", &wide)); // cut in half

    std::string bytes;
    EXPECT_TRUE(utf16ToCp932(u"共有フォルダ", &bytes));
    EXPECT_EQ(bytes, "\x8B\xA4\x97\x4C\x83\x74\x83\x48\x83\x8B\x83\x5F");
    EXPECT_FALSE(utf16ToCp932(u"é", &bytes)); // no cp932 form

    EXPECT_EQ(utf16ToUtf8(u"A1(横)"), "A1(\xE6\xA8\xAA)");
    EXPECT_TRUE(utf8ToUtf16("\xF0\x9F\x98\x80", &wide));
    EXPECT_EQ(wide, u"\U0001F600");
    EXPECT_FALSE(utf8ToUtf16("\xC0\xAF", &wide)); // overlong
}

} // namespace
