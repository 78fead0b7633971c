// Any typed text: the parser must stay defined, and its result must format
// without overrunning the caller's buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "units/units.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const float value = parseNumber(text.c_str());
    char small[8];
    for (int decimals = 0; decimals <= 3; ++decimals) {
        formatFixed(value, decimals, small, sizeof small);
        if (std::strlen(small) >= sizeof small)
            std::abort();
    }
    for (int unit = -1; unit <= 3; ++unit)
        textToLength(text.c_str(), unit);
    roundToInt(value);
    return 0;
}
