// Rules for texts that go from the window into the settings file, on top of
// the platform's code-page-932 conversion (so this lives with it, not in the
// core).
#include "storage/cp932_convert.h"

namespace {

// UTF-16 units of the character that starts at i.
size_t characterUnits(std::u16string_view text, size_t i) {
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

} // namespace

size_t cp932FitUnits(std::u16string_view text, size_t maxBytes) {
    size_t units = 0, bytes = 0;
    std::string one;
    while (units < text.size()) {
        const size_t width = characterUnits(text, units);
        const bool exact = utf16ToCp932(text.substr(units, width), &one);
        const size_t size = exact ? one.size() : 1;
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        units += width;
    }
    return units;
}

size_t firstNonCp932(std::u16string_view text, size_t* units) {
    std::string one;
    for (size_t i = 0; i < text.size();) {
        const size_t width = characterUnits(text, i);
        if (!utf16ToCp932(text.substr(i, width), &one)) {
            if (units)
                *units = width;
            return i;
        }
        i += width;
    }
    if (units)
        *units = 0;
    return text.size();
}

bool textToStore(std::u16string_view text, std::string_view shown, std::string* out) {
    if (out == nullptr)
        return false;
    std::u16string shownText;
    cp932ToUtf16(shown, &shownText);
    if (text == shownText) {
        out->assign(shown);
        return true;
    }
    return utf16ToCp932(text, out);
}
