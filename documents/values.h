// Reading one field of an image and putting it into words: as the page shows
// it (show), as it is stored (diff), and whether it is a value the page can
// have (check).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/record_fields.h"
#include "documents/field_labels.h"

struct FieldValue {
    bool present = false;   // false when the image ends before the field does
    int64_t number = 0;     // integer fields
    std::string bytes;      // text fields: up to the terminator
    bool terminated = true; // text fields
    bool validText = true;  // text fields: valid code page 932
    std::string utf8;       // text fields, converted
};

FieldValue readFieldValue(const FieldDesc& field, const std::vector<unsigned char>& image,
                          uint32_t offset);

// The stored value: the integer, or the text in quotes.
std::string storedText(const FieldDesc& field, const FieldValue& value);

// The value as its page shows it, lengths also in `unit`. *odd is set when the
// value is one the page cannot show as it is (no list item has it, a check
// box field other than 0 and 1, a text without terminator...).
std::string shownText(const FieldDesc& field, const FieldValue& value, int unit, bool* odd);

// The label a field is shown with: its group and label without mnemonics,
// or its name where the page names it nowhere.
std::string fieldLabel(const FieldDesc& field, const char* name);

// What is wrong with a present value, or empty when nothing is.
std::string fieldDamage(const FieldDesc& field, const FieldValue& value);

// Why the import refuses an integer for a field: outside what its width
// holds, or outside a bounded field's range; "" when it takes it.
std::string refusedInteger(const FieldDesc& field, int64_t value);

// "15 mm (0.591 inch)": a stored length and, unless that is mm, the same in unit.
std::string lengthText(int64_t mm, int unit);

// A stored code-page-932 text as UTF-8; false (with U+FFFD in place of what
// failed) when the bytes are not valid code page 932.
bool storedTextToUtf8(std::string_view bytes, std::string* utf8);
