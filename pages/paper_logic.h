// The paper page's rules that need no window: how typed text becomes a
// stored paper length and which size code the page-setup values end up with.
// Scales and size codes follow the stored values' meaning.
#pragma once

#include <cstdint>

#include "settings/stored_values.h"

struct PaperFields {
    int16_t width;  // mm
    int16_t length; // mm
    int16_t roll;   // 1 roll paper, 0 leaf
};

// A width or length typed in `unit` as whole millimetres. A text that reads
// as exactly nothing (empty, no digits) means "no size given" and becomes
// 3000 mm; a tiny value that only rounds to 0 stays 0.
int16_t paperLengthFromText(const char* text, int unit);

// A print-range page number as typed.
int16_t printPageFromText(const char* text);

// The size code to store on OK: a catalogue code stays only while that entry
// still exists and still matches what the page shows; anything else is a
// custom size.
int32_t sizeCodeOnSave(int32_t size, const PaperFields& shown);
