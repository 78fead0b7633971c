#include "settings/cp932_text.h"

#include <cstring>

bool isCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

size_t cp932FitLength(const char* text, size_t maxBytes) {
    if (text == nullptr)
        return 0;
    size_t kept = 0;
    while (text[kept] != '\0') {
        const bool doubleByte = isCp932LeadByte(static_cast<unsigned char>(text[kept]));
        if (doubleByte && text[kept + 1] == '\0')
            break;
        const size_t width = doubleByte ? 2 : 1;
        if (kept + width > maxBytes)
            break;
        kept += width;
    }
    return kept;
}

void cutCp932(const char* text, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    const size_t n = cp932FitLength(text, size - 1);
    if (n > 0)
        std::memmove(out, text, n);
    out[n] = '\0';
}

size_t storedTextLength(const char* field, size_t fieldSize) {
    if (field == nullptr)
        return 0;
    const void* end = std::memchr(field, '\0', fieldSize);
    return end ? static_cast<size_t>(static_cast<const char*>(end) - field) : fieldSize;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool utf8ToUtf16(std::string_view text, std::u16string* out) {
    if (out == nullptr)
        return false;
    out->clear();
    bool exact = true;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t extra = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, c = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, c = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, c = lead & 0x07, least = 0x10000;
        } else {
            exact = false, out->push_back(u'\uFFFD'), ++i;
            continue;
        }
        size_t k = 1;
        for (; k <= extra && i + k < text.size(); ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                break;
            c = (c << 6) | (next & 0x3F);
        }
        if (k <= extra || c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            exact = false, out->push_back(u'\uFFFD'), i += k;
            continue;
        }
        i += k;
        if (c >= 0x10000) {
            c -= 0x10000;
            out->push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out->push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out->push_back(static_cast<char16_t>(c));
        }
    }
    return exact;
}
