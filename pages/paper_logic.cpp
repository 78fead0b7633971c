#include "pages/paper_logic.h"

#include "settings/catalogue.h"
#include "settings/page_setup.h"
#include "units/units.h"

namespace {

const int32_t kScales[kScaleCount] = {100000, 50000, 40000, 30000, 20000, 15000,
                                      10000,  7500,  5000,  3333,  2500,  1000};

} // namespace

int16_t paperLengthFromText(const char* text, int unit) {
    return clampToInt16(roundToInt(zeroMeansDefaultLength(unitToMm(parseNumber(text), unit))));
}

int16_t printPageFromText(const char* text) {
    return clampToInt16(roundToInt(parseNumber(text)));
}

int32_t scaleAtPosition(int position) {
    if (position < 0 || position >= kScaleCount)
        return kDefaultScale;
    return kScales[position];
}

int scalePositionOf(int32_t scale) {
    for (int i = 0; i < kScaleCount; ++i)
        if (kScales[i] == scale)
            return i;
    return kDefaultScalePosition;
}

int catalogueSlotOfSize(int32_t size) {
    // Range-checked before subtracting, so no code can overflow.
    const int32_t first = kFirstCatalogueSize;
    if (size < first || size > first + kLastCatalogueSlot)
        return -1;
    return static_cast<int>(size - first);
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
