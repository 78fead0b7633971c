// The paper page's rules that need no window: how typed text becomes a
// stored paper length, which scale a list position stands for, and which
// size code the page-setup values end up with.
#pragma once

#include <cstdint>

struct PaperFields {
    int16_t width;  // mm
    int16_t length; // mm
    int16_t roll;   // 1 roll paper, 0 leaf
};

enum : int {
    kScaleCount = 12,
    kDefaultScalePosition = 6, // "100%"
    kLastCatalogueSlot = 98,
};
enum : int32_t { kDefaultScale = 10000 };

// A width or length typed in `unit` as whole millimetres. A text that reads
// as exactly nothing (empty, no digits) means "no size given" and becomes
// 3000 mm; a tiny value that only rounds to 0 stays 0.
int16_t paperLengthFromText(const char* text, int unit);

// A print-range page number as typed.
int16_t printPageFromText(const char* text);

// Scale in hundredths of a percent for a position of the scale list; no
// selection or a position the list does not have gives 100 %.
int32_t scaleAtPosition(int position);
// The position showing `scale`; an unlisted scale shows as 100 %.
int scalePositionOf(int32_t scale);

// Catalogue slot named by a size code (601 + slot), or -1 for the custom
// code and for any code outside the catalogue's range.
int catalogueSlotOfSize(int32_t size);

// The size code to store on OK: a catalogue code stays only while that entry
// still exists and still matches what the page shows; anything else is a
// custom size.
int32_t sizeCodeOnSave(int32_t size, const PaperFields& shown);
