#include "winui/dpi_logic.h"

#include <cstdint>

int scaleToDpi(int value, int dpi) {
    if (dpi <= 0)
        return value;
    const int64_t scaled = static_cast<int64_t>(value) * dpi;
    const int64_t half = kBaseDpi / 2;
    const int64_t rounded = scaled >= 0 ? (scaled + half) / kBaseDpi : (scaled - half) / kBaseDpi;
    if (rounded > INT32_MAX)
        return INT32_MAX;
    if (rounded < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(rounded);
}
