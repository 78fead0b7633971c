#include "units/units.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

// The volatile keeps the quotient a run-time single-precision division even
// where a compiler might fold it in a wider type.
static float singleQuotient(int a, int b) {
    volatile float fa = static_cast<float>(a);
    volatile float fb = static_cast<float>(b);
    return fa / fb;
}

const float mmPerInch = singleQuotient(254, 10);
static const float kPixelsPerInch = 72.0f;

// Converting an out-of-range double to float is undefined in C++; saturate.
static float toSingle(double d) {
    if (std::isnan(d))
        return 0.0f;
    if (d > FLT_MAX)
        return FLT_MAX;
    if (d < -FLT_MAX)
        return -FLT_MAX;
    return static_cast<float>(d);
}

static int32_t truncToInt32(double d) {
    if (std::isnan(d))
        return 0;
    if (d >= 2147483647.0)
        return INT32_MAX;
    if (d <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(d);
}

static int32_t roundDouble(double x) {
    if (x >= -0.5)
        return truncToInt32(x + 0.5);
    return truncToInt32(x - 0.5);
}

int32_t roundToInt(float x) {
    return roundDouble(static_cast<double>(x));
}

void formatFixed(float x, int decimals, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    if (decimals < 0)
        decimals = 0;
    if (decimals > 9)
        decimals = 9;
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i)
        scale *= 10.0;
    const int32_t n = roundDouble(scale * static_cast<double>(x));

    // int64 so that the magnitude of INT32_MIN is representable.
    const int64_t magnitude = n < 0 ? -static_cast<int64_t>(n) : n;
    char digits[24];
    std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(magnitude));
    const size_t digitCount = std::strlen(digits);

    char text[48];
    size_t pos = 0;
    if (n < 0)
        text[pos++] = '-';
    if (decimals > 0 && digitCount <= static_cast<size_t>(decimals)) {
        text[pos++] = '0';
        text[pos++] = '.';
        for (size_t i = digitCount; i < static_cast<size_t>(decimals); ++i)
            text[pos++] = '0';
        std::memcpy(text + pos, digits, digitCount);
        pos += digitCount;
    } else if (decimals > 0) {
        const size_t whole = digitCount - static_cast<size_t>(decimals);
        std::memcpy(text + pos, digits, whole);
        pos += whole;
        text[pos++] = '.';
        std::memcpy(text + pos, digits + whole, static_cast<size_t>(decimals));
        pos += static_cast<size_t>(decimals);
    } else {
        std::memcpy(text + pos, digits, digitCount);
        pos += digitCount;
    }
    text[pos] = '\0';

    const size_t copy = pos < size - 1 ? pos : size - 1;
    std::memcpy(out, text, copy);
    out[copy] = '\0';
}

float parseNumber(const char* text) {
    if (text == nullptr)
        return 0.0f;
    const size_t length = std::strlen(text);
    int sign = 1;
    size_t point = length; // length stands for "no point taken yet"
    // Place and divisor are doubles rather than 32-bit integers: identical up
    // to nine digits, and free of overflow beyond that.
    double place = 1.0;
    float sum = 0.0f;
    for (size_t i = length; i-- > 0;) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '-') {
            if (sign == 1)
                sign = -1;
        } else if (c == '.') {
            if (point == length)
                point = i + 1;
        } else if (c >= '0' && c <= '9') {
            const int digit = c - '0';
            if (digit != 0)
                sum = toSingle(static_cast<double>(sum) + digit * place);
            place *= 10.0;
        }
    }
    double divisor = sign;
    for (size_t i = point; i < length; ++i)
        divisor *= 10.0;
    return toSingle(static_cast<double>(sum) / divisor);
}

// A unit outside 0..2 can only come from a damaged file; treating it as mm
// both ways keeps showing and reading consistent.
int unitDecimals(int unit) {
    switch (unit) {
    case kUnitInch:
        return 3;
    case kUnitPixel:
        return 2;
    default:
        return 0;
    }
}

float mmToUnit(float mm, int unit) {
    switch (unit) {
    case kUnitInch:
        return mm / mmPerInch;
    case kUnitPixel: {
        const float inches = mm / mmPerInch;
        return inches * kPixelsPerInch;
    }
    default:
        return mm;
    }
}

float unitToMm(float value, int unit) {
    switch (unit) {
    case kUnitInch:
        return value * mmPerInch;
    case kUnitPixel: {
        const float scaled = value * mmPerInch;
        return scaled / kPixelsPerInch;
    }
    default:
        return value;
    }
}

int16_t lowSixteenBits(int32_t value) {
    const uint16_t low = static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu);
    // Two's complement by hand: converting 0x8000..0xFFFF straight to int16_t
    // is only implementation-defined before C++20, so stay explicit.
    return low < 0x8000u ? static_cast<int16_t>(low)
                         : static_cast<int16_t>(static_cast<int32_t>(low) - 0x10000);
}

int16_t clampToInt16(int32_t value) {
    if (value > INT16_MAX)
        return INT16_MAX;
    if (value < INT16_MIN)
        return INT16_MIN;
    return static_cast<int16_t>(value);
}

float zeroMeansDefaultLength(float mm) {
    return mm == 0.0f ? 3000.0f : mm;
}

void lengthToText(int32_t mm, int unit, char* out, size_t size) {
    formatFixed(mmToUnit(static_cast<float>(mm), unit), unitDecimals(unit), out, size);
}

int32_t textToLength(const char* text, int unit) {
    return roundToInt(unitToMm(parseNumber(text), unit));
}
