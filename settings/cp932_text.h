// Texts stored in the settings file (paper names, header, footer, host,
// shared folder) are code-page-932 bytes whatever the system's own code page
// is: the driver and the defaults assume it. This is the one place that cuts
// them and converts them to and from what the window and the console show.
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

// Conversions with code page 932 itself, never the system's ANSI code page.
// Decoding stops at the end of the view (not at a NUL). Each returns false
// when the input has no exact form on the other side (an invalid byte
// sequence; a character that code page 932 lacks); out then holds a best
// effort (U+FFFD or '?' in place of what failed).
bool cp932ToUtf16(std::string_view bytes, std::u16string* out);
bool utf16ToCp932(std::u16string_view text, std::string* out);

// How many UTF-16 units of text, whole characters, have a code-page-932 form
// within maxBytes. A character with no such form counts as the one byte it
// would be replaced by, so it stays where the operator can see it.
size_t cp932FitUnits(std::u16string_view text, size_t maxBytes);

// Where the first character of text that code page 932 lacks starts, and
// how many UTF-16 units it has (0 when every character has a form).
size_t firstNonCp932(std::u16string_view text, size_t* units);

// The bytes to store for a text that was shown from the stored bytes `shown`
// and now reads `text`. While the text is still exactly what `shown` shows,
// `shown` itself: an OK must not alter bytes the operator left alone, even
// ones no code page can show. Otherwise text in code page 932; false, with
// nothing usable in out, when it has a character code page 932 lacks.
bool textToStore(std::u16string_view text, std::string_view shown, std::string* out);

// UTF-8, for the console and the export formats. False on malformed input.
std::string utf16ToUtf8(std::u16string_view text);
bool utf8ToUtf16(std::string_view text, std::u16string* out);
