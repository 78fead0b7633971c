#include "settings/record_fields.h"

#include "settings/cp932_text.h"
#include "settings/le_bytes.h"
#include "settings/file_layout.h"

namespace {

constexpr uint32_t fieldBytes(const FieldDesc& field) {
    return field.kind == FieldKind::Slots ? field.slots->size * field.slotCount : field.width;
}

// Every byte of the structure belongs to exactly one field, in order, and
// each field has a width its kind can have.
constexpr bool coversExactly(const FieldDesc* fields, size_t count, uint32_t size) {
    uint32_t at = 0;
    for (size_t i = 0; i < count; ++i) {
        const FieldDesc& f = fields[i];
        if (f.offset != at || fieldBytes(f) != f.width)
            return false;
        const bool integer = f.width == 2 || f.width == 4;
        if (f.kind == FieldKind::Text ? f.isSigned || f.width < 2 || f.most <= 0 ||
                                            static_cast<uint32_t>(f.most) >= f.width
                                      : f.kind != FieldKind::Slots && (!integer || !f.isSigned))
            return false;
        // A list without its values fails here as a null dereference; no
        // null comparison, which UBSan builds cannot evaluate at compile time.
        if (f.kind == FieldKind::List && f.list->count <= 0)
            return false;
        if ((f.kind == FieldKind::PaperSize && f.numbers->count <= 0) ||
            (f.holdsLengthUnit && f.kind != FieldKind::List))
            return false;
        // A bounded list's range is its items; a counter's bounds its slots.
        if (f.bounded && f.kind == FieldKind::List &&
            (f.least != 0 || f.most != f.list->count - 1 || f.list->valueAt))
            return false;
        if (f.countedBy >= 0) {
            const FieldDesc& counter = fields[f.countedBy];
            if (static_cast<size_t>(f.countedBy) >= count || !counter.bounded ||
                counter.least != 0 || counter.most != f.slotCount)
                return false;
        }
        at += f.width;
    }
    return at == size;
}

static_assert(coversExactly(kPenSlotArray, std::size(kPenSlotArray), sizeof(PenSlot)),
              "pen slot table");
static_assert(coversExactly(kPaperEntryArray, std::size(kPaperEntryArray), sizeof(PaperEntry)),
              "paper entry table");
static_assert(coversExactly(kRecordArray, std::size(kRecordArray), sizeof(PlotterRecord)),
              "record table");
static_assert(coversExactly(kCatalogueArray, std::size(kCatalogueArray), sizeof(PaperCatalogue)),
              "catalogue table");
static_assert(coversExactly(kPageSetupArray, std::size(kPageSetupArray), 4 * kPageSetupValueCount),
              "page-setup table");

} // namespace

constexpr FieldDesc kVersionField = {"version", 0,       2, false,   FieldKind::Version,
                                     nullptr,   nullptr, 0, nullptr, 0};

constexpr FileBlock kFileBlocks[kFileBlockCount] = {
    {"version", 0, kRecordOffset, nullptr},
    {"record", kRecordOffset, kRecordSize, &kRecordFields},
    {"gap758", kRecordOffset + kRecordSize, kCatalogueOffset - (kRecordOffset + kRecordSize),
     nullptr},
    {"catalogue", kCatalogueOffset, kCatalogueSize, &kCatalogueFields},
    {"gap8476", kCatalogueOffset + kCatalogueSize,
     kCarriedOffset - (kCatalogueOffset + kCatalogueSize), nullptr},
    {"carried", kCarriedOffset, kCarriedSize, nullptr},
    {"tail", kCarriedOffset + kCarriedSize, kSettingsFileSize - (kCarriedOffset + kCarriedSize),
     nullptr},
};

namespace {
constexpr bool blocksCoverFile() {
    uint32_t at = 0;
    for (const FileBlock& block : kFileBlocks) {
        if (block.offset != at)
            return false;
        at += block.size;
    }
    return at == kSettingsFileSize;
}
static_assert(blocksCoverFile(), "file blocks");
// A table's size is its structure's, so this holds the structures to the blocks.
static_assert(kFileBlocks[1].fields->size == kFileBlocks[1].size &&
                  kFileBlocks[3].fields->size == kFileBlocks[3].size,
              "the blocks the tables describe");
static_assert(kFileBlocks[2].offset == 758 && kFileBlocks[4].offset == 8476 &&
                  kFileBlocks[6].offset == 17654,
              "file layout");
} // namespace

int listPositionOf(const FieldList& list, int64_t value) {
    for (int i = 0; i < list.count; ++i)
        if ((list.valueAt ? list.valueAt(i) : i) == value)
            return i;
    return -1;
}

bool readFieldInt(const std::vector<unsigned char>& image, uint32_t offset, uint32_t width,
                  bool isSigned, int64_t* value) {
    uint32_t word = 0;
    if (!loadLe(image.data(), image.size(), offset, width, &word))
        return false;
    *value = isSigned ? signedLe(word, width) : int64_t{word};
    return true;
}

bool readFieldText(const std::vector<unsigned char>& image, uint32_t offset, uint32_t width,
                   std::string* bytes, bool* terminated) {
    if (offset > image.size() || image.size() - offset < width)
        return false;
    const char* field = reinterpret_cast<const char*>(image.data() + offset);
    const size_t length = storedTextLength(field, width);
    bytes->assign(field, length);
    if (terminated)
        *terminated = length < width;
    return true;
}
