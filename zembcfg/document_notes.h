// The comments of an export document: which page a value belongs to and what
// a coded value means, in the pages' own Japanese (UTF-8).
#pragma once

#include <cstdint>
#include <string>

struct DocField;

enum : int { kNoPage = -1 };

// The page (tab index 0 to 4) that shows a record field, or kNoPage.
int docFieldPage(const DocField& field);
// The page's tab title, for the comment before its group.
std::string pageTitle(int page);
// What a value means where it is coded (a list item, a tick box), else "".
std::string valueNote(const DocField& field, int64_t value);
