// The paper catalogue block: 6938 bytes at offset 1538 of the settings file.
// Besides up to 99 named sizes it carries the stored length unit, which every
// page that shows lengths starts with.
#pragma once

#include <cstddef>
#include <cstdint>

enum : int { kPaperNameSize = 64, kPaperNameMaxBytes = 63, kMaxPaperEntries = 99 };

#pragma pack(push, 1)

struct PaperEntry {
    char name[kPaperNameSize]; // cp932, terminated; bytes after the NUL mean nothing
    int16_t width;             // mm
    int16_t length;            // mm
    int16_t roll;              // 1 roll paper, 0 leaf
};

struct PaperCatalogue {
    int16_t count;
    PaperEntry entries[kMaxPaperEntries];
    int16_t reserved6932;
    int16_t lengthUnit;
    int16_t reserved6936;
};

#pragma pack(pop)

static_assert(sizeof(PaperEntry) == 70, "paper entry layout");
static_assert(offsetof(PaperEntry, width) == 64 && offsetof(PaperEntry, length) == 66 &&
                  offsetof(PaperEntry, roll) == 68,
              "paper entry layout");
static_assert(sizeof(PaperCatalogue) == 6938, "catalogue layout");
static_assert(offsetof(PaperCatalogue, count) == 0, "catalogue layout");
static_assert(offsetof(PaperCatalogue, entries) == 2, "catalogue layout");
static_assert(offsetof(PaperCatalogue, reserved6932) == 6932, "catalogue layout");
static_assert(offsetof(PaperCatalogue, lengthUnit) == 6934, "catalogue layout");
static_assert(offsetof(PaperCatalogue, reserved6936) == 6936, "catalogue layout");

extern PaperCatalogue g_paperCatalogue;

// The operations work on the one catalogue unless given another block.

// The number of usable entries: a damaged count from the file is taken as
// 0..99 so that no operation reaches outside the slots.
int PaperCount(const PaperCatalogue& catalogue);
int PaperCount();

// Each returns 1 on success and 0 on refusal; a refusal changes nothing.
// Names longer than 63 bytes are cut at 63 bytes.
int GetPaperSize(const PaperCatalogue& catalogue, int index, int16_t* width, int16_t* length,
                 int16_t* roll);
int GetPaperSize(int index, int16_t* width, int16_t* length, int16_t* roll);
int GetPaperEntry(const PaperCatalogue& catalogue, int index, char* name, size_t nameSize,
                  int16_t* width, int16_t* length, int16_t* roll);
int GetPaperEntry(int index, char* name, size_t nameSize, int16_t* width, int16_t* length,
                  int16_t* roll);
int ReplacePaperEntry(PaperCatalogue* catalogue, int index, const char* name, int16_t width,
                      int16_t length, int16_t roll);
int ReplacePaperEntry(int index, const char* name, int16_t width, int16_t length, int16_t roll);
int InsertPaperEntry(PaperCatalogue* catalogue, int index, const char* name, int16_t width,
                     int16_t length, int16_t roll);
int InsertPaperEntry(int index, const char* name, int16_t width, int16_t length, int16_t roll);
int RemovePaperEntry(PaperCatalogue* catalogue, int index);
int RemovePaperEntry(int index);
void ResetPaperCatalogue(PaperCatalogue* catalogue);
void ResetPaperCatalogue();

// Length of a name as stored: at most 63 bytes, even without a terminator.
size_t PaperNameLength(const char* name);
