#include "pages/catalogue_logic.h"

#include <cstdio>

#include "pages/paper_logic.h"

void generatedPaperName(int32_t width, int32_t length, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    std::snprintf(out, size, "CUST(%ld*%ld)", static_cast<long>(width), static_cast<long>(length));
}

CatalogueFields readCatalogueFields(const char* name, const char* widthText, const char* lengthText,
                                    int unit, bool roll) {
    CatalogueFields fields = {};
    // Pinned as the paper page pins them (a wrapped 40000 mm would reach the
    // driver as -25536 mm); a generated name tells the sizes stored.
    fields.width = paperLengthFromText(widthText, unit);
    fields.length = paperLengthFromText(lengthText, unit);
    cutCp932(name ? name : "", fields.name, sizeof fields.name);
    if (fields.name[0] == '\0')
        generatedPaperName(fields.width, fields.length, fields.name, sizeof fields.name);
    fields.roll = roll ? 1 : 0;
    return fields;
}
