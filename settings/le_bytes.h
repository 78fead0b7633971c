// Stored numbers are little-endian whatever the machine: every read and write
// of one goes through these, bounded by the buffer it lies in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The unsigned value of `width` bytes (1 to 4) at offset; false, leaving
// *word as it was, when the buffer ends before the value does.
inline bool loadLe(const unsigned char* data, size_t size, size_t offset, unsigned width,
                   uint32_t* word) {
    if (width == 0 || width > 4 || offset > size || size - offset < width)
        return false;
    uint32_t value = 0;
    for (unsigned i = 0; i < width; ++i)
        value |= static_cast<uint32_t>(data[offset + i]) << (8 * i);
    *word = value;
    return true;
}

// The low `width` bytes (1 to 4) of word at offset; false, writing nothing,
// when the buffer ends before they do.
inline bool storeLe(unsigned char* data, size_t size, size_t offset, unsigned width,
                    uint32_t word) {
    if (width == 0 || width > 4 || offset > size || size - offset < width)
        return false;
    for (unsigned i = 0; i < width; ++i)
        data[offset + i] = static_cast<unsigned char>(word >> (8 * i));
    return true;
}

// A `width`-byte word (1 to 4) read as a two's-complement number.
inline int64_t signedLe(uint32_t word, unsigned width) {
    const uint32_t sign = uint32_t{1} << (8 * width - 1);
    return (word & sign) ? int64_t{word} - (int64_t{1} << (8 * width)) : int64_t{word};
}

// Fixed widths into a byte vector.
inline bool storeU16(std::vector<unsigned char>* bytes, size_t offset, uint16_t value) {
    return storeLe(bytes->data(), bytes->size(), offset, 2, value);
}
inline bool storeU32(std::vector<unsigned char>* bytes, size_t offset, uint32_t value) {
    return storeLe(bytes->data(), bytes->size(), offset, 4, value);
}
