#include "documents/field_walk.h"

#include <algorithm>

int slotsInUse(const std::vector<unsigned char>& image, const FieldDesc& counter,
               uint32_t counterOffset) {
    int64_t count = 0;
    if (!readFieldInt(image, counterOffset, counter.width, counter.isSigned, &count))
        return 0;
    return static_cast<int>(std::clamp<int64_t>(count, counter.least, counter.most));
}

SlotsToWalk inUseIn(const std::vector<unsigned char>& image) {
    return [&image](const FieldDesc& counter, uint32_t offset) {
        return slotsInUse(image, counter, offset);
    };
}

int everySlot(const FieldDesc& counter, uint32_t) {
    return counter.most;
}

static void addTable(const FieldTable& table, uint32_t base, const std::string& prefix, int slot,
                     const FieldRef* array, const SlotsToWalk& slots, std::vector<FieldRef>* out) {
    for (int i = 0; i < table.count; ++i) {
        const FieldDesc& field = table.fields[i];
        FieldRef ref{prefix + field.name, &field, base + field.offset, slot};
        if (array) {
            ref.counter = array->counter;
            ref.counterOffset = array->counterOffset;
        }
        for (int k = 0; k < table.count; ++k)
            ref.counts = ref.counts || table.fields[k].countedBy == i;
        if (field.kind != FieldKind::Slots) {
            out->push_back(ref);
            continue;
        }
        int walked = field.slotCount;
        if (field.countedBy >= 0) {
            ref.counter = &table.fields[field.countedBy];
            ref.counterOffset = base + ref.counter->offset;
            walked = std::min(walked, slots(*ref.counter, ref.counterOffset));
        }
        out->push_back(ref);
        const FieldRef arrayRef = ref;
        for (int s = 0; s < walked; ++s)
            addTable(*field.slots, ref.fileOffset + static_cast<uint32_t>(s) * field.slots->size,
                     ref.path + "[" + std::to_string(s) + "].", s, &arrayRef, slots, out);
    }
}

std::vector<FieldRef> walkTable(const FieldTable& table, uint32_t base, const std::string& prefix,
                                const SlotsToWalk& slots) {
    std::vector<FieldRef> out;
    addTable(table, base, prefix, -1, nullptr, slots, &out);
    return out;
}

std::vector<FieldRef> walkFile(const SlotsToWalk& slots) {
    std::vector<FieldRef> out{{kVersionField.name, &kVersionField, kVersionField.offset}};
    for (const FileBlock& block : kFileBlocks)
        if (block.fields)
            addTable(*block.fields, block.offset, std::string(block.name) + ".", -1, nullptr, slots,
                     &out);
    return out;
}
