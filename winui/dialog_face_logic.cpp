#include "winui/dialog_face_logic.h"

#include <cstdint>

#include "settings/le_bytes.h"

namespace {

const uint32_t kSetFont = 0x40; // DS_SETFONT, also part of DS_SHELLFONT

// Where the face name lies in a template, and where its controls begin.
struct FaceAt {
    size_t pointSizeAt, faceAt, faceEnd, itemsAt;
};

struct Reader {
    const unsigned char* bytes;
    size_t size;
    size_t at;
    bool ok;

    uint32_t read(unsigned width) {
        uint32_t value = 0;
        ok = ok && loadLe(bytes, size, at, width, &value);
        at += width;
        return ok ? value : 0;
    }
    unsigned word() { return read(2); }
    uint32_t dword() { return read(4); }
    void skip(size_t count) {
        if (at + count > size)
            ok = false;
        at += count;
    }
    void skipString() {
        while (ok && word() != 0) {
        }
    }
    // A menu or class: none (0), an ordinal (0xFFFF and a number) or a name.
    void skipNameOrOrdinal() {
        const unsigned first = word();
        if (first == 0xFFFF)
            word();
        else if (first != 0)
            skipString();
    }
};

bool findFace(const unsigned char* bytes, size_t size, FaceAt* found) {
    if (bytes == nullptr)
        return false;
    Reader in = {bytes, size, 0, true};
    const bool extended =
        size >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    uint32_t style = 0;
    if (extended) {
        in.skip(12); // version, signature, help id, extended styles
        style = in.dword();
    } else {
        style = in.dword();
        in.skip(4); // extended styles
    }
    in.skip(2 + 8);         // control count, x, y, cx, cy
    in.skipNameOrOrdinal(); // menu
    in.skipNameOrOrdinal(); // class
    in.skipString();        // title
    if (!in.ok || !(style & kSetFont))
        return false;
    found->pointSizeAt = in.at;
    in.skip(extended ? 6 : 2); // point size, and weight, italic, charset
    found->faceAt = in.at;
    in.skipString();
    found->faceEnd = in.at;
    found->itemsAt = (in.at + 3) & ~static_cast<size_t>(3);
    return in.ok;
}

} // namespace

bool dialogTemplateFont(const unsigned char* bytes, size_t size, TemplateFont* font) {
    FaceAt at;
    if (font == nullptr || !findFace(bytes, size, &at))
        return false;
    uint32_t unit = 0;
    loadLe(bytes, size, at.pointSizeAt, 2, &unit);
    font->pointSize = static_cast<int>(unit);
    font->face.clear();
    for (size_t i = at.faceAt; i + 2 < at.faceEnd && loadLe(bytes, size, i, 2, &unit); i += 2)
        font->face.push_back(static_cast<char16_t>(unit));
    return true;
}

std::vector<unsigned char> withDialogFace(const unsigned char* bytes, size_t size,
                                          const std::u16string& face) {
    FaceAt at;
    if (!findFace(bytes, size, &at))
        return {};
    std::vector<unsigned char> out(bytes, bytes + at.faceAt);
    // The face and its terminator, one 16-bit unit each.
    out.resize(out.size() + 2 * (face.size() + 1), 0);
    for (size_t i = 0; i < face.size(); ++i)
        storeLe(out.data(), out.size(), at.faceAt + 2 * i, 2, face[i]);
    // Every control starts on a four-byte boundary of the template.
    while (out.size() % 4 != 0)
        out.push_back(0);
    if (at.itemsAt < size)
        out.insert(out.end(), bytes + at.itemsAt, bytes + size);
    return out;
}
