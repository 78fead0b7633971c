#include "pages/tool_logic.h"

#include "units/units.h"

namespace {

const int16_t kFull = 10000; // a component that is present

// Stored components of the eight real colours, by list position.
const PenColour kColours[8] = {
    {0, 0, 0, 1},         {kFull, 0, 0, 1},     {0, kFull, 0, 1},     {0, 0, kFull, 1},
    {kFull, kFull, 0, 1}, {0, kFull, kFull, 1}, {kFull, 0, kFull, 1}, {kFull, kFull, kFull, 1},
};

// Brushes of the swatches that are painted in a colour; the white entry, the
// none entry and the empty field all paint white.
const SwatchColour kSwatches[7] = {
    {0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {255, 0, 255},
};

} // namespace

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

void thicknessToText(int16_t thickness, char* out, size_t size) {
    const float hundredths = static_cast<float>(thickness);
    formatFixed(hundredths / 100.0f, kThicknessDecimals, out, size);
}

int16_t thicknessFromText(const char* text) {
    return clampToInt16(roundToInt(parseNumber(text) * 100.0f));
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

SwatchColour swatchColour(int position) {
    if (position >= 0 && position < 7)
        return kSwatches[position];
    return SwatchColour{255, 255, 255};
}

PenRow penRowForSlot(const PenSlot& slot) {
    PenRow row = {};
    row.toolPosition = toolPositionForType(slot.toolType);
    thicknessToText(slot.thickness, row.thickness, sizeof row.thickness);
    row.colourPosition = colourPositionForSlot(slot);
    return row;
}

void storePenRow(PenSlot* slot, int toolItemData, const char* thicknessText, int colourPosition) {
    if (slot == nullptr)
        return;
    slot->toolType = toolTypeForItem(toolItemData);
    slot->thickness = thicknessFromText(thicknessText);
    const PenColour colour = colourForPosition(colourPosition);
    slot->red = colour.red;
    slot->green = colour.green;
    slot->blue = colour.blue;
    slot->colorSet = colour.colorSet;
}
