#include "settings/catalogue.h"

#include <cstring>

PaperCatalogue g_paperCatalogue;

int PaperCount(const PaperCatalogue& catalogue) {
    const int count = catalogue.count;
    if (count < 0)
        return 0;
    return count > kMaxPaperEntries ? kMaxPaperEntries : count;
}

size_t PaperNameLength(const char* name) {
    size_t n = 0;
    while (n < kPaperNameMaxBytes && name[n] != '\0')
        ++n;
    return n;
}

// Copies the name up to and including its terminator and nothing after it:
// the tail of a longer name previously in the slot stays as it was.
static void storeName(char* slot, const char* name) {
    const size_t n = name ? PaperNameLength(name) : 0;
    if (n > 0)
        std::memmove(slot, name, n);
    slot[n] = '\0';
}

static void copyEntry(PaperCatalogue* catalogue, int to, int from) {
    PaperEntry& dst = catalogue->entries[to];
    const PaperEntry& src = catalogue->entries[from];
    storeName(dst.name, src.name);
    dst.width = src.width;
    dst.length = src.length;
    dst.roll = src.roll;
}

static void storeEntry(PaperCatalogue* catalogue, int index, const char* name, int16_t width,
                       int16_t length, int16_t roll) {
    PaperEntry& entry = catalogue->entries[index];
    storeName(entry.name, name);
    entry.width = width;
    entry.length = length;
    entry.roll = roll;
}

int GetPaperSize(const PaperCatalogue& catalogue, int index, int16_t* width, int16_t* length,
                 int16_t* roll) {
    const bool valid = index >= 0 && index < PaperCount(catalogue);
    const PaperEntry* entry = valid ? &catalogue.entries[index] : nullptr;
    if (width)
        *width = entry ? entry->width : 0;
    if (length)
        *length = entry ? entry->length : 0;
    if (roll)
        *roll = entry ? entry->roll : 0;
    return valid ? 1 : 0;
}

int GetPaperEntry(const PaperCatalogue& catalogue, int index, char* name, size_t nameSize,
                  int16_t* width, int16_t* length, int16_t* roll) {
    const int found = GetPaperSize(catalogue, index, width, length, roll);
    if (name != nullptr && nameSize > 0) {
        size_t n = found ? PaperNameLength(catalogue.entries[index].name) : 0;
        if (n > nameSize - 1)
            n = nameSize - 1;
        if (n > 0)
            std::memcpy(name, catalogue.entries[index].name, n);
        name[n] = '\0';
    }
    return found;
}

int ReplacePaperEntry(PaperCatalogue* catalogue, int index, const char* name, int16_t width,
                      int16_t length, int16_t roll) {
    if (index < 0 || index >= PaperCount(*catalogue))
        return 0;
    storeEntry(catalogue, index, name, width, length, roll);
    return 1;
}

int InsertPaperEntry(PaperCatalogue* catalogue, int index, const char* name, int16_t width,
                     int16_t length, int16_t roll) {
    const int count = PaperCount(*catalogue);
    if (index < 0 || index > count || count >= kMaxPaperEntries)
        return 0;
    // Work from the top so every entry moves before its slot is overwritten.
    for (int k = count; k > index; --k)
        copyEntry(catalogue, k, k - 1);
    storeEntry(catalogue, index, name, width, length, roll);
    catalogue->count = static_cast<int16_t>(count + 1);
    return 1;
}

int RemovePaperEntry(PaperCatalogue* catalogue, int index) {
    const int count = PaperCount(*catalogue);
    if (index < 0 || index >= count)
        return 0;
    for (int i = index; i < count - 1; ++i)
        copyEntry(catalogue, i, i + 1);
    catalogue->count = static_cast<int16_t>(count - 1);
    return 1;
}

void ResetPaperCatalogue(PaperCatalogue* catalogue) {
    static const struct {
        const char* name;
        int16_t width, length, roll;
    } kDefaults[] = {
        {"A0", 841, 1190, 0},          {"A1", 594, 841, 0},
        {"A1(\x89\xA1)", 841, 594, 0}, // "横" in code page 932
        {"A2", 420, 594, 0},           {"A2(\x89\xA1)", 594, 420, 0},
        {"A3", 297, 420, 0},           {"A3(\x89\xA1)", 420, 297, 0},
        {"Roll(1020)", 1020, 3000, 1}, {"Roll(1000)", 1000, 3000, 1},
        {"Roll(950)", 950, 3000, 1},   {"Roll(920)", 920, 3000, 1},
    };
    std::memset(catalogue, 0, sizeof *catalogue);
    int index = 0;
    for (const auto& d : kDefaults)
        storeEntry(catalogue, index++, d.name, d.width, d.length, d.roll);
    catalogue->count = static_cast<int16_t>(index);
}

int PaperCount() {
    return PaperCount(g_paperCatalogue);
}
int GetPaperSize(int index, int16_t* width, int16_t* length, int16_t* roll) {
    return GetPaperSize(g_paperCatalogue, index, width, length, roll);
}
int GetPaperEntry(int index, char* name, size_t nameSize, int16_t* width, int16_t* length,
                  int16_t* roll) {
    return GetPaperEntry(g_paperCatalogue, index, name, nameSize, width, length, roll);
}
int ReplacePaperEntry(int index, const char* name, int16_t width, int16_t length, int16_t roll) {
    return ReplacePaperEntry(&g_paperCatalogue, index, name, width, length, roll);
}
int InsertPaperEntry(int index, const char* name, int16_t width, int16_t length, int16_t roll) {
    return InsertPaperEntry(&g_paperCatalogue, index, name, width, length, roll);
}
int RemovePaperEntry(int index) {
    return RemovePaperEntry(&g_paperCatalogue, index);
}
void ResetPaperCatalogue() {
    ResetPaperCatalogue(&g_paperCatalogue);
}
