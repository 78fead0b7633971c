// Texts to and from code page 932 through the platform's own conversion
// (the system's on Windows, iconv natively), and the rules for texts that go
// from the window into the settings file on top of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "settings/cp932_text.h"

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
