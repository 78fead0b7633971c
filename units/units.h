// Length units and number text. Lengths are stored as whole millimetres and
// shown in inch, mm or pixel (1/72 inch). Every step is single precision,
// rounded after each operation, because the stored files and the driver
// depend on exactly these results (9656 mm must show as 380.158, not 380.157).
#pragma once

#include <cstddef>
#include <cstdint>

enum LengthUnit : int16_t {
    kUnitInch = 0,
    kUnitMm = 1,
    kUnitPixel = 2,
};

// 254 / 10 in single precision: 25.399999618530273, not 25.4.
extern const float mmPerInch;

// Half-up rounding for x >= -0.5; below that, half away from zero so that a
// negative whole number survives showing and storing unchanged. Saturates at
// the int32 range; NaN gives 0.
int32_t roundToInt(float x);

// Fixed-point text with `decimals` places (clamped to 0..9). Always
// terminated; cut to fit `size` bytes.
void formatFixed(float x, int decimals, char* out, size_t size);

// Lenient parser: never fails; every digit counts wherever it stands and the
// decimal places are the bytes after the point.
float parseNumber(const char* text);

int unitDecimals(int unit);
float mmToUnit(float mm, int unit);
float unitToMm(float value, int unit);

// A value as a signed 16-bit field stores it: the low 16 bits, two's complement.
int16_t lowSixteenBits(int32_t value);

// A value for a 16-bit field where wrapping would store a different size:
// out-of-range values are pinned to the nearest end (a typed 40000 mm must not
// reach the driver as -25536 mm).
int16_t clampToInt16(int32_t value);

// A paper width or length that converts to exactly 0 mm (empty text, no
// digits) stands for the 3000 mm of a roll; a tiny value that only rounds to 0
// is not "nothing" and stays.
float zeroMeansDefaultLength(float mm);

void lengthToText(int32_t mm, int unit, char* out, size_t size);
int32_t textToLength(const char* text, int unit);
