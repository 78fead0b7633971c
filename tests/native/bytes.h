// Little-endian field access at literal offsets, so layout tests never lean
// on the structures they check. The native and the Windows tests share it.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

inline int16_t le16(const unsigned char* p, size_t offset) {
    return static_cast<int16_t>(p[offset] | (p[offset + 1] << 8));
}

inline int32_t le32(const unsigned char* p, size_t offset) {
    const uint32_t v =
        static_cast<uint32_t>(p[offset]) | (static_cast<uint32_t>(p[offset + 1]) << 8) |
        (static_cast<uint32_t>(p[offset + 2]) << 16) | (static_cast<uint32_t>(p[offset + 3]) << 24);
    int32_t out;
    std::memcpy(&out, &v, sizeof out);
    return out;
}

inline std::string cstr(const unsigned char* p, size_t offset, size_t max) {
    const char* s = reinterpret_cast<const char*>(p + offset);
    size_t n = 0;
    while (n < max && s[n] != '\0')
        ++n;
    return std::string(s, n);
}

inline int16_t le16(const std::vector<unsigned char>& bytes, size_t offset) {
    return le16(bytes.data(), offset);
}
inline int32_t le32(const std::vector<unsigned char>& bytes, size_t offset) {
    return le32(bytes.data(), offset);
}

// The low 16 or 32 bits of value.
inline void put16(std::vector<unsigned char>& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 2; ++i)
        bytes[offset + i] = static_cast<unsigned char>(static_cast<uint32_t>(value) >> (8 * i));
}
inline void put32(std::vector<unsigned char>& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<unsigned char>(static_cast<uint32_t>(value) >> (8 * i));
}
