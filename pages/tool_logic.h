// The pen rows of the tool page, without any window: which list positions and
// edit text a stored pen slot shows, and what a row stores back. The driver
// reads the slots byte for byte, so a row that is shown and stored unchanged
// must give back the very same slot.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/record.h"

enum : int {
    kToolItemCount = 12,
    kNotUsedToolPosition = 11, // "未使用", stored as toolType 0
    kColourItemCount = 9,
    kNoColourPosition = 8, // white with a diagonal line, stored as colorSet 0
    kThicknessDecimals = 2,
    // A colour item at 96 DPI, in pixels; scaled with the window's DPI.
    kSwatchWidth = 60,
    kSwatchHeight = 15,
};

// Tool list position for a stored toolType; -1 (no selection) for a type
// the list does not have.
int toolPositionForType(int toolType);

// toolType for the item data of the chosen tool (-1 when none is chosen).
int16_t toolTypeForItem(int itemData);

// Thickness is stored in hundredths and shown with two decimals.
void thicknessToText(int16_t thickness, char* out, size_t size);
// Read leniently; a value beyond the 16-bit field is clamped to its nearest
// end rather than wrapped into a different thickness.
int16_t thicknessFromText(const char* text);

// Colour list position for a stored slot: the none entry when no colour is
// set, else the entry with the same components, else black.
int colourPositionForSlot(const PenSlot& slot);

struct PenColour {
    int16_t red, green, blue, colorSet;
};
// What a colour list position stores; -1 (nothing chosen) stores black.
PenColour colourForPosition(int position);

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
