// The small pieces of TOML text the export writes by hand (it writes
// comments, which no TOML serializer keeps), and the hex form of raw bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A basic string, quoted and escaped; text is UTF-8.
std::string tomlString(std::string_view text);

// Two lower-case hex digits a byte, no separators.
std::string hexBytes(const unsigned char* bytes, size_t size);
// The reverse; false on an odd length or a character that is no hex digit.
bool parseHexBytes(std::string_view text, std::vector<unsigned char>* bytes);
