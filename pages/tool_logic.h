// The pen rows of the tool page, without any window: which list positions and
// edit text a stored pen slot shows, and what a row stores back. The driver
// reads the slots byte for byte, so a row that is shown and stored unchanged
// must give back the very same slot.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/record.h"
#include "settings/stored_values.h"

enum : int {
    // A colour item at 96 DPI, in pixels; scaled with the window's DPI.
    kSwatchWidth = 60,
    kSwatchHeight = 15,
};

struct SwatchColour {
    uint8_t red, green, blue;
};
// Brush colour of a swatch; white for the white and none entries and for
// anything that is not an entry (the empty selection field).
SwatchColour swatchColour(int position);

// One row as the page shows it.
struct PenRow {
    int toolPosition;
    char thickness[16];
    int colourPosition;
};
PenRow penRowForSlot(const PenSlot& slot);

// Stores a row: the chosen tool's item data, the thickness text and the
// chosen colour position (-1 when nothing is chosen).
void storePenRow(PenSlot* slot, int toolItemData, const char* thicknessText, int colourPosition);
