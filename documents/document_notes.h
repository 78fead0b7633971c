// The comments of an export document: which page a group of values belongs
// to and what a coded value means, in the pages' own Japanese (UTF-8).
#pragma once

#include <cstdint>
#include <string>

struct FieldDesc;

// The page's tab title, for the comment before its group (kNoPage too).
std::string pageTitle(int page);
// What a value means where it is coded (a list item, a check box, a packed
// word), else "".
std::string valueNote(const FieldDesc& desc, int64_t value);
