#include "settings/stored_values.h"

#include <cstring>

#include "settings/cp932_text.h"
#include "settings/page_setup.h"
#include "units/units.h"

namespace {

const int32_t kScales[kScaleCount] = {100000, 50000, 40000, 30000, 20000, 15000,
                                      10000,  7500,  5000,  3333,  2500,  1000};

const int16_t kFull = 10000; // a component that is present

// Stored components of the eight real colours, by list position.
const PenColour kColours[8] = {
    {0, 0, 0, 1},         {kFull, 0, 0, 1},     {0, kFull, 0, 1},     {0, 0, kFull, 1},
    {kFull, kFull, 0, 1}, {0, kFull, kFull, 1}, {kFull, 0, kFull, 1}, {kFull, kFull, kFull, 1},
};

} // namespace

int toolListPosition(int32_t toolNumber) {
    return toolNumber >= 1 && toolNumber <= kToolCount ? static_cast<int>(toolNumber) - 1 : -1;
}

int16_t toolNumberAt(int listPosition) {
    return listPosition >= 0 && listPosition < kToolCount ? static_cast<int16_t>(listPosition + 1)
                                                          : 0;
}

int toolPositionForType(int toolType) {
    if (toolType <= 0)
        return kNotUsedToolPosition;
    // 12 lands on "未使用" too; anything above has no item.
    if (toolType > kToolItemCount)
        return -1;
    return toolType - 1;
}

int16_t toolTypeForItem(int itemData) {
    // Unsigned arithmetic: the 16-bit reduction must not depend on overflow.
    const uint16_t type = static_cast<uint16_t>(static_cast<uint32_t>(itemData) + 1u);
    if (type == kToolItemCount)
        return 0;
    return static_cast<int16_t>(type);
}

int portListPositionForCode(int code) {
    if (code >= -4 && code <= -1)
        return kFirstNetworkPortPosition - 1 - code;
    if (code >= 0 && code < kFirstNetworkPortPosition)
        return code;
    return kNoListSelection;
}

int portCodeForListPosition(int position) {
    if (position >= kFirstNetworkPortPosition && position < kPortListCount)
        return kFirstNetworkPortPosition - 1 - position;
    return position;
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

bool boxTickedForField(int16_t field, bool inverted) {
    return inverted ? field == 0 : field != 0;
}

int16_t fieldForBox(bool ticked, bool inverted) {
    return ticked != inverted ? 1 : 0;
}

int32_t pdOptimizeInEffect(int32_t stored) {
    return stored <= 0 ? kPdOptimizeUnset : stored;
}

uint32_t pdVertexCount(int32_t packed) {
    return static_cast<uint32_t>(packed) & 0xFFFFu;
}

uint32_t pdAngle(int32_t packed) {
    return (static_cast<uint32_t>(packed) >> 16) & 0xFFu;
}

uint32_t pdEnabled(int32_t packed) {
    return (static_cast<uint32_t>(packed) >> 24) & 0xFFu;
}

int32_t packPdOptimize(int32_t vertexCount, int32_t angle, bool enabled) {
    // Unsigned throughout: a negative or oversized entry must wrap into its
    // bits, not overflow a signed shift.
    const uint32_t word = (static_cast<uint32_t>(vertexCount) & 0xFFFFu) |
                          ((static_cast<uint32_t>(angle) & 0xFFu) << 16) |
                          (enabled ? 1u << 24 : 0u);
    // Bit 31 is never set, so the word fits a signed 32-bit value as it is.
    return static_cast<int32_t>(word);
}

int colourPositionForSlot(const PenSlot& slot) {
    if (slot.colorSet == 0)
        return kNoColourPosition;
    for (int i = 0; i < 8; ++i)
        if (kColours[i].red == slot.red && kColours[i].green == slot.green &&
            kColours[i].blue == slot.blue)
            return i;
    return 0;
}

PenColour colourForPosition(int position) {
    if (position >= 0 && position < 8)
        return kColours[position];
    if (position < 0)
        return kColours[0];
    return PenColour{0, 0, 0, 0};
}

void thicknessToText(int16_t thickness, char* out, size_t size) {
    const float hundredths = static_cast<float>(thickness);
    formatFixed(hundredths / 100.0f, kThicknessDecimals, out, size);
}

int16_t thicknessFromText(const char* text) {
    return clampToInt16(roundToInt(parseNumber(text) * 100.0f));
}

void storeTextField(char* field, const char* text) {
    std::memset(field, 0, kTextFieldSize);
    if (text != nullptr)
        std::memcpy(field, text, cp932FitLength(text, kTextFieldMaxBytes));
}

void textFieldToShow(const char* field, char* out) {
    size_t length = 0;
    while (length < kTextFieldSize && field[length] != '\0')
        ++length;
    std::memcpy(out, field, length);
    out[length] = '\0';
}
