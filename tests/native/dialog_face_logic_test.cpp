#include <gtest/gtest.h>

#include <vector>

#include "winui/dialog_face_logic.h"

namespace {

using Bytes = std::vector<unsigned char>;

void words(Bytes& b, std::initializer_list<unsigned> values) {
    for (unsigned v : values) {
        b.push_back(static_cast<unsigned char>(v & 0xFF));
        b.push_back(static_cast<unsigned char>(v >> 8));
    }
}

void text(Bytes& b, const std::u16string& s) {
    for (char16_t c : s)
        words(b, {static_cast<unsigned>(c)});
    words(b, {0});
}

// DIALOGEX with title "T", font 10 point weight 0 charset 128, and one
// button "OK"; `itemsAt` receives where the button starts.
Bytes extendedTemplate(const std::u16string& face, size_t* itemsAt) {
    Bytes b;
    words(b, {1, 0xFFFF, 0, 0, 0, 0, 0x0040, 0x4000, 1, 0, 0, 251, 241, 0, 0});
    text(b, u"T");
    words(b, {10, 0});
    b.push_back(0);
    b.push_back(128);
    text(b, face);
    while (b.size() % 4)
        b.push_back(0);
    *itemsAt = b.size();
    words(b, {0, 0, 0, 0, 1, 0x5001, 10, 20, 50, 14, 1, 0, 0xFFFF, 0x0080});
    text(b, u"OK");
    words(b, {0});
    return b;
}

TEST(DialogFace, ReadsAndReplacesTheFaceOfADialogExTemplate) {
    size_t itemsAt = 0, newItemsAt = 0;
    const Bytes original = extendedTemplate(u"ＭＳ Ｐゴシック", &itemsAt);
    TemplateFont font = {};
    ASSERT_TRUE(dialogTemplateFont(original.data(), original.size(), &font));
    EXPECT_EQ(font.pointSize, 10);
    EXPECT_EQ(font.face, u"ＭＳ Ｐゴシック");

    const Bytes patched = withDialogFace(original.data(), original.size(), u"IPAPGothic");
    EXPECT_EQ(patched, extendedTemplate(u"IPAPGothic", &newItemsAt));
    EXPECT_EQ(newItemsAt % 4, 0u);
    ASSERT_TRUE(dialogTemplateFont(patched.data(), patched.size(), &font));
    EXPECT_EQ(font.face, u"IPAPGothic");
    EXPECT_EQ(Bytes(patched.begin() + newItemsAt, patched.end()),
              Bytes(original.begin() + itemsAt, original.end()));
}

TEST(DialogFace, ReadsAPlainDialogTemplateWithMenuAndClassNames) {
    Bytes b;
    words(b, {0x0040, 0x8000, 0, 0, 0, 10, 20, 263, 295, 0xFFFF, 7});
    text(b, u"Cls");
    text(b, u"");
    words(b, {9});
    text(b, u"Face");
    TemplateFont font = {};
    ASSERT_TRUE(dialogTemplateFont(b.data(), b.size(), &font));
    EXPECT_EQ(font.pointSize, 9);
    EXPECT_EQ(font.face, u"Face");
    const Bytes patched = withDialogFace(b.data(), b.size(), u"F");
    ASSERT_TRUE(dialogTemplateFont(patched.data(), patched.size(), &font));
    EXPECT_EQ(font.face, u"F");
    EXPECT_EQ(patched.size() % 4, 0u);
}

TEST(DialogFace, NoFontOrTooFewBytesIsNoTemplateToChange) {
    size_t itemsAt = 0;
    Bytes original = extendedTemplate(u"Face", &itemsAt);
    TemplateFont font = {};
    for (size_t cut : {0, 3, 20, 40, 45})
        EXPECT_FALSE(dialogTemplateFont(original.data(), cut, &font)) << cut;
    EXPECT_TRUE(withDialogFace(original.data(), 45, u"X").empty());
    original[12] = 0; // DS_SETFONT cleared
    EXPECT_FALSE(dialogTemplateFont(original.data(), original.size(), &font));
    EXPECT_TRUE(withDialogFace(original.data(), original.size(), u"X").empty());
    EXPECT_FALSE(dialogTemplateFont(nullptr, 0, &font));
}

TEST(DialogFace, FirstInstalledOfTheCandidates) {
    const std::vector<std::u16string> candidates = {u"A", u"B", u"C"};
    EXPECT_EQ(firstInstalledFace(candidates, [](const std::u16string& f) { return f != u"A"; }),
              u"B");
    EXPECT_EQ(firstInstalledFace(candidates, [](const std::u16string&) { return false; }), u"");
}

} // namespace
