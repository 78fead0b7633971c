#include <gtest/gtest.h>

#include "storage/cp932_convert.h"

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

TEST(Cp932Text, WideTextsAreMeasuredAndCheckedByCharacter) {
    struct Case {
        std::u16string text;
        size_t maxBytes, fitUnits, bad, badUnits;
    } const cases[] = {
        {u"abc", 2, 2, 3, 0},
        {u"aあい", 4, 2, 3, 0},        // い would need bytes 4 and 5
        {u"ｶﾞｶ", 2, 2, 3, 0},          // half-width katakana: one byte each
        {u"Caf\u00E9", 4, 4, 3, 1},    // é has no form, counted as its '?'
        {u"x\U0001F600y", 2, 3, 1, 2}, // a pair is one character: never split
        {u"a\xD800"
         u"b",
         63, 3, 1, 1}, // a lone surrogate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf16ToUtf8(c.text));
        EXPECT_EQ(cp932FitUnits(c.text, c.maxBytes), c.fitUnits);
        size_t units = 99;
        EXPECT_EQ(firstNonCp932(c.text, &units), c.bad);
        EXPECT_EQ(units, c.badUnits);
    }
}

TEST(Cp932Text, UntouchedTextKeepsItsStoredBytes) {
    struct Case {
        std::string shown;
        const char16_t* typed; // null: left as the window shows `shown`
        bool storable;
        std::string stored;
    } const cases[] = {
        {"A1(\x89\xA1)", nullptr, true, "A1(\x89\xA1)"},
        {"A1(\x89\xA1)", u"A1(横長)", true, "A1(\x89\xA1\x92\xB7)"},
        // bytes no code page can show survive while the text is left alone
        {"\x85\x40x", nullptr, true, "\x85\x40x"},
        {"\x85\x40x", u"\uFFFD@", false, ""}, // edited: the replacement has no form
        {"", u"Caf\u00E9", false, ""},
        {"PG;", u"", true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        std::u16string text;
        cp932ToUtf16(c.shown, &text);
        if (c.typed)
            text = c.typed;
        std::string out = "unchanged";
        EXPECT_EQ(textToStore(text, c.shown, &out), c.storable);
        if (c.storable) {
            EXPECT_EQ(out, c.stored);
        }
    }
}
