// Code page 932 through the C library's iconv, which knows it as CP932.
#include <iconv.h>

#include <cerrno>

#include "storage/cp932_convert.h"

namespace {

// Converts with iconv, putting replacement for each input unit it cannot
// convert; false when any was replaced.
template <typename In, typename Out>
bool convert(const char* to, const char* from, std::basic_string_view<In> input,
             std::basic_string<Out>* out, Out replacement) {
    out->clear();
    if (input.empty())
        return true;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        out->assign(input.size(), replacement);
        return false;
    }
    bool exact = true;
    char* in = const_cast<char*>(reinterpret_cast<const char*>(input.data()));
    size_t inLeft = input.size() * sizeof(In);
    Out buffer[256];
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out->append(buffer, (sizeof buffer - outLeft) / sizeof(Out));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL (cut short): skip one unit of the input.
            exact = false;
            out->push_back(replacement);
            const size_t skip = inLeft < sizeof(In) ? inLeft : sizeof(In);
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return exact;
}

} // namespace

bool cp932ToUtf16(std::string_view bytes, std::u16string* out) {
    return out != nullptr && convert<char, char16_t>("UTF-16LE", "CP932", bytes, out, u'\uFFFD');
}

bool utf16ToCp932(std::u16string_view text, std::string* out) {
    return out != nullptr && convert<char16_t, char>("CP932", "UTF-16LE", text, out, '?');
}
