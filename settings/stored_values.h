// What the stored numbers mean: which list position stands for which stored
// value and back, the packed PD-optimisation word, pen colours and thickness,
// the page-setup scale and size codes, and the record's 128-byte text fields.
// The pages store through these rules and zembcfg reads through them, so the
// two cannot disagree about a byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/record.h"

// Lists use -1 for "nothing chosen".
enum : int { kNoListSelection = -1 };

// Tool lists (cut tools) hold the tools 1 to 10 at positions 0 to 9. A stored
// tool with no position gives -1 (no selection); no selection stores 0.
enum : int { kToolCount = 10 };
int toolListPosition(int32_t toolNumber);
int16_t toolNumberAt(int listPosition);

// Pen tool types: position i stores type i + 1, "未使用" (the last) stores 0.
enum : int {
    kToolItemCount = 12,
    kNotUsedToolPosition = 11,
};
// Tool list position for a stored toolType; -1 (no selection) for a type
// the list does not have.
int toolPositionForType(int toolType);
// toolType for the item data of the chosen tool (-1 when none is chosen).
int16_t toolTypeForItem(int itemData);

// Ports: positions 7..10 of the port list are the network and shared-folder
// ports, stored as -1..-4 so that 0..6 can stay the serial/parallel ports.
enum : int {
    kPortListCount = 11,
    kFirstNetworkPortPosition = 7,
};
// Stored port code -> port list position; a code the list has no item for
// gives no selection.
int portListPositionForCode(int code);
// Port list position (or -1 for none) -> stored port code.
int portCodeForListPosition(int position);

// Page-setup scale in hundredths of a percent, by scale list position.
enum : int {
    kScaleCount = 12,
    kDefaultScalePosition = 6, // "100%"
};
enum : int32_t { kDefaultScale = 10000 };
// No selection or a position the list does not have gives 100 %.
int32_t scaleAtPosition(int position);
// The position showing `scale`; an unlisted scale shows as 100 %.
int scalePositionOf(int32_t scale);

// Page-setup size codes: 601 + catalogue slot, or the custom code 999.
enum : int { kLastCatalogueSlot = 98 };
// Catalogue slot named by a size code, or -1 for the custom code and for any
// code outside the catalogue's range.
int catalogueSlotOfSize(int32_t size);

// Check boxes. Two fields store "off" flags, so their boxes show the inverse.
bool boxTickedForField(int16_t field, bool inverted);
int16_t fieldForBox(bool ticked, bool inverted);

// pdOptimize: bits 0-15 vertex count, 16-23 angle, 24-31 enabled.
// A word of 0 or less means "never set"; it takes effect as not enabled,
// angle 30, 512 vertices.
enum : int32_t { kPdOptimizeUnset = 0x1E0200 };
int32_t pdOptimizeInEffect(int32_t stored);
uint32_t pdVertexCount(int32_t packed);
uint32_t pdAngle(int32_t packed);
uint32_t pdEnabled(int32_t packed);
// Typed values keep only the bits their part of the word has room for.
int32_t packPdOptimize(int32_t vertexCount, int32_t angle, bool enabled);

// Pen colours, by colour list position: eight colours, then "none".
enum : int {
    kColourItemCount = 9,
    kNoColourPosition = 8, // stored as colorSet 0
};
// Colour list position for a stored slot: the none entry when no colour is
// set, else the entry with the same components, else black.
int colourPositionForSlot(const PenSlot& slot);
struct PenColour {
    int16_t red, green, blue, colorSet;
};
// What a colour list position stores; -1 (nothing chosen) stores black.
PenColour colourForPosition(int position);

// Pen thickness is stored in hundredths and shown with two decimals.
enum : int { kThicknessDecimals = 2 };
void thicknessToText(int16_t thickness, char* out, size_t size);
// Read leniently; a value beyond the 16-bit field is clamped to its nearest
// end rather than wrapped into a different thickness.
int16_t thicknessFromText(const char* text);

// Text fields: 128 bytes, at most 126 bytes of text, zero after it.
enum : size_t { kTextFieldSize = 128, kTextFieldMaxBytes = 126 };
// Clears the field and copies as much of text as fits in 126 bytes of whole
// code-page-932 characters: the driver reads the field in that code page, and
// half a character would swallow the terminator after it.
void storeTextField(char* field, const char* text);
// The text a field shows: up to its first NUL, and never more than its 128
// bytes even when a damaged file left it unterminated. out must hold 129.
enum : size_t { kTextShowSize = kTextFieldSize + 1 };
void textFieldToShow(const char* field, char* out);
