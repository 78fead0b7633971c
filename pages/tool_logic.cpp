#include "pages/tool_logic.h"

namespace {

// Brushes of the swatches that are painted in a colour; the white entry, the
// none entry and the empty field all paint white.
const SwatchColour kSwatches[7] = {
    {0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}, {255, 0, 255},
};

} // namespace

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
