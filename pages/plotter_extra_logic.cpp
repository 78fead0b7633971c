#include "pages/plotter_extra_logic.h"

#include <cstring>

#include "settings/cp932_text.h"

int32_t pdOptimizeInEffect(int32_t stored) {
    return stored <= 0 ? kPdOptimizeUnset : stored;
}

uint32_t pdVertexCount(int32_t packed) {
    return static_cast<uint32_t>(packed) & 0xFFFFu;
}

uint32_t pdAngle(int32_t packed) {
    return (static_cast<uint32_t>(packed) >> 16) & 0xFFu;
}

uint32_t pdEnabled(int32_t packed) {
    return (static_cast<uint32_t>(packed) >> 24) & 0xFFu;
}

int32_t packPdOptimize(int32_t vertexCount, int32_t angle, bool enabled) {
    // Unsigned throughout: a negative or oversized entry must wrap into its
    // bits, not overflow a signed shift.
    const uint32_t word = (static_cast<uint32_t>(vertexCount) & 0xFFFFu) |
                          ((static_cast<uint32_t>(angle) & 0xFFu) << 16) |
                          (enabled ? 1u << 24 : 0u);
    // Bit 31 is never set, so the word fits a signed 32-bit value as it is.
    return static_cast<int32_t>(word);
}

int toolListPosition(int32_t toolNumber) {
    return toolNumber >= 1 && toolNumber <= kToolCount ? static_cast<int>(toolNumber) - 1 : -1;
}

int16_t toolNumberAt(int listPosition) {
    return listPosition >= 0 && listPosition < kToolCount ? static_cast<int16_t>(listPosition + 1)
                                                          : 0;
}

void storeTextField(char* field, const char* text) {
    std::memset(field, 0, kTextFieldSize);
    if (text != nullptr)
        std::memcpy(field, text, cp932FitLength(text, kTextFieldMaxBytes));
}

void textFieldToShow(const char* field, char* out) {
    size_t length = 0;
    while (length < kTextFieldSize && field[length] != '\0')
        ++length;
    std::memcpy(out, field, length);
    out[length] = '\0';
}
