// What the paper catalogue page does with its entry fields, apart from the
// window: reading the typed texts into a catalogue entry, the name a nameless
// entry gets, and keeping names within the 63 bytes a catalogue slot holds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/cp932_text.h"

// An entry as read from the page's fields. The name is always terminated
// and never longer than 63 bytes.
struct CatalogueFields {
    char name[64];
    int16_t width;  // mm
    int16_t length; // mm
    int16_t roll;   // 1 roll paper, 0 leaf
};

// The name of an entry stored without one: "CUST(width*length)" in mm.
void generatedPaperName(int32_t width, int32_t length, char* out, size_t size);

// The entry the page's fields describe, in the page's length unit.
CatalogueFields readCatalogueFields(const char* name, const char* widthText, const char* lengthText,
                                    int unit, bool roll);
