#include "pages/catalogue_logic.h"

#include <cstdio>
#include <cstring>

#include "units/units.h"

namespace {

float readMillimetres(const char* text, int unit) {
    return zeroMeansDefaultLength(unitToMm(parseNumber(text ? text : ""), unit));
}

} // namespace

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
