#include "pages/paper_logic.h"

#include "settings/catalogue.h"
#include "settings/page_setup.h"
#include "units/units.h"

int16_t paperLengthFromText(const char* text, int unit) {
    return clampToInt16(roundToInt(zeroMeansDefaultLength(unitToMm(parseNumber(text), unit))));
}

int16_t printPageFromText(const char* text) {
    return clampToInt16(roundToInt(parseNumber(text)));
}

int32_t sizeCodeOnSave(int32_t size, const PaperFields& shown) {
    const int slot = catalogueSlotOfSize(size);
    if (slot < 0)
        return kCustomPaperSize;
    int16_t width = 0, length = 0, roll = 0;
    if (!GetPaperSize(slot, &width, &length, &roll))
        return kCustomPaperSize;
    if (width != shown.width || length != shown.length || roll != shown.roll)
        return kCustomPaperSize;
    return size;
}
