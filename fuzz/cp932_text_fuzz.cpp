// Stored texts of any bytes: cutting keeps whole characters within the bound,
// in place too, and the UTF-8 conversions stay defined and round-trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/cp932_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const size_t bound = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t length = std::strlen(text.c_str());

    const size_t kept = cp932FitLength(text.c_str(), bound);
    if (kept > bound || kept > length)
        std::abort();
    size_t whole = 0; // the kept bytes must end on a character boundary
    while (whole < kept)
        whole += isCp932LeadByte(static_cast<unsigned char>(text[whole])) ? 2 : 1;
    if (whole != kept)
        std::abort();

    std::string field = text + '\0';
    const size_t fieldSize = bound + 1 < field.size() ? bound + 1 : field.size();
    cutCp932(field.c_str(), field.data(), fieldSize);
    const size_t cut = std::strlen(field.c_str());
    if (cut != cp932FitLength(text.c_str(), fieldSize - 1) || text.compare(0, cut, field, 0, cut))
        std::abort();
    if (storedTextLength(text.data(), text.size()) != length)
        std::abort();

    // Code page 932 itself goes through the C library, too slow to take every
    // input; the UTF-8 side is the program's own code.
    std::u16string wide(text.size() / 2, u'\0');
    std::memcpy(wide.data(), text.data(), wide.size() * 2);
    std::u16string again;
    const std::string utf8 = utf16ToUtf8(wide);
    if (!utf8ToUtf16(utf8, &again) || utf16ToUtf8(again) != utf8)
        std::abort();
    utf8ToUtf16(text, &again);
    return 0;
}
