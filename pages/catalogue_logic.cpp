#include "pages/catalogue_logic.h"

#include <cstdio>
#include <cstring>

#include "units/units.h"

namespace {

// Lead bytes of code page 932 double-byte characters. Half-width katakana
// (0xA1..0xDF) are single bytes.
bool isCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

float readMillimetres(const char* text, int unit) {
    return zeroMeansDefaultLength(unitToMm(parseNumber(text ? text : ""), unit));
}

} // namespace

size_t cp932FitLength(const char* text, size_t maxBytes) {
    if (text == nullptr)
        return 0;
    size_t kept = 0;
    while (text[kept] != '\0') {
        // A lead byte with nothing after it is kept as the lone byte it is.
        const size_t width =
            isCp932LeadByte(static_cast<unsigned char>(text[kept])) && text[kept + 1] != '\0' ? 2
                                                                                              : 1;
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

void generatedPaperName(int32_t width, int32_t length, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    std::snprintf(out, size, "CUST(%ld*%ld)", static_cast<long>(width), static_cast<long>(length));
}

CatalogueFields readCatalogueFields(const char* name, const char* widthText, const char* lengthText,
                                    int unit, bool roll) {
    CatalogueFields fields = {};
    const int32_t width = roundToInt(readMillimetres(widthText, unit));
    const int32_t length = roundToInt(readMillimetres(lengthText, unit));
    cutCp932(name ? name : "", fields.name, sizeof fields.name);
    if (fields.name[0] == '\0')
        generatedPaperName(width, length, fields.name, sizeof fields.name);
    fields.width = lowSixteenBits(width);
    fields.length = lowSixteenBits(length);
    fields.roll = roll ? 1 : 0;
    return fields;
}
