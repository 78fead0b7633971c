// The one walk over the stored fields that show, check, diff, export and
// import share: the field tables in file order, each array as itself followed
// by the fields of its slots. What an array counts and what a value's range
// is come from the tables' own facts, never from a field's name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/record_fields.h"

struct FieldRef {
    std::string path; // "record.penSlots[3].red", "catalogue.entries[0].name"
    const FieldDesc* desc;
    uint32_t fileOffset; // absolute offset in the settings file
    int slot = -1;       // within the innermost array; -1 outside arrays
    bool counts = false; // the field counts an array's slots in use
    // In a counted array (and for the array itself): the field that counts it.
    const FieldDesc* counter = nullptr;
    uint32_t counterOffset = 0;

    bool isArray() const { return desc->kind == FieldKind::Slots; }
    bool inArray() const { return slot >= 0; }
};

// How many slots of a counted array to walk, given its counter's field and
// file offset; arrays nothing counts are walked whole.
using SlotsToWalk = std::function<int(const FieldDesc& counter, uint32_t counterOffset)>;

// The slots in use in an image: the counter's value taken into its range,
// 0 when the image ends before it.
int slotsInUse(const std::vector<unsigned char>& image, const FieldDesc& counter,
               uint32_t counterOffset);
SlotsToWalk inUseIn(const std::vector<unsigned char>& image);
// Every slot, as the layout has them.
int everySlot(const FieldDesc& counter, uint32_t counterOffset);

// The fields of a table at base (a file offset), paths under prefix.
std::vector<FieldRef> walkTable(const FieldTable& table, uint32_t base, const std::string& prefix,
                                const SlotsToWalk& slots);
// The whole file: the version word, then each block a table describes.
std::vector<FieldRef> walkFile(const SlotsToWalk& slots);
