// Texts stored in the settings file (paper names, header, footer, host,
// shared folder) are code-page-932 bytes whatever the system's own code page
// is: the driver and the defaults assume it. This is the one place that cuts
// them; storage/cp932_convert.h converts them with the platform's tables.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Lead bytes of double-byte characters; half-width katakana (0xA1..0xDF)
// are single bytes.
bool isCp932LeadByte(unsigned char c);

// How many bytes of text, up to its terminator, form whole characters within
// maxBytes. A lead byte with no trail byte before the terminator is dropped:
// half a character is not a character, and the driver would read the
// terminator as its second byte.
size_t cp932FitLength(const char* text, size_t maxBytes);

// Copies the whole characters of text that fit size - 1 bytes, terminated.
// text and out may overlap.
void cutCp932(const char* text, char* out, size_t size);

// The stored length of a fixed-size field: up to its terminator, or all of
// it when it has none.
size_t storedTextLength(const char* field, size_t fieldSize);

// UTF-8, for the console and the export formats. False on malformed input.
std::string utf16ToUtf8(std::u16string_view text);
bool utf8ToUtf16(std::string_view text, std::u16string* out);
