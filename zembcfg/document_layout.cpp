#include "zembcfg/document_layout.h"

#include <cstring>

#include "settings/catalogue.h"
#include "settings/cp932_text.h"
#include "settings/record.h"
#include "settings/settings_file.h"
#include "zembcfg/values.h"
#include "zembcfg/zembcfg.h"

namespace {

// The pages store at most 126 bytes of a record text (Plotter additional
// page) and 63 of a paper name.
uint32_t maxTextOf(const FieldDesc& desc) {
    if (desc.kind != FieldKind::Text)
        return 0;
    return desc.width == kPaperNameSize ? uint32_t{kPaperNameMaxBytes} : desc.width - 2;
}

const FieldDesc& slotsOf(const FieldTable& table) {
    for (int i = 0; i < table.count; ++i)
        if (table.fields[i].kind == FieldKind::Slots)
            return table.fields[i];
    return table.fields[0];
}

// The plain fields of a table at base, leaving out slot arrays and one name.
std::vector<DocField> plainFields(const FieldTable& table, uint32_t base,
                                  std::string_view skip = {}) {
    std::vector<DocField> fields;
    for (int i = 0; i < table.count; ++i) {
        const FieldDesc& desc = table.fields[i];
        if (desc.kind != FieldKind::Slots && skip != desc.name)
            fields.push_back({&desc, desc.name, base + desc.offset, maxTextOf(desc)});
    }
    return fields;
}

} // namespace

const std::vector<DocField>& recordDocFields() {
    static const std::vector<DocField> fields = plainFields(kRecordFields, kRecordOffset);
    return fields;
}

const std::vector<DocField>& penDocFields() {
    static const std::vector<DocField> fields =
        plainFields(kPenSlotFields, kRecordOffset + slotsOf(kRecordFields).offset);
    return fields;
}

const std::vector<DocField>& catalogueDocFields() {
    static const std::vector<DocField> fields =
        plainFields(kCatalogueFields, kCatalogueOffset, countDocField().key);
    return fields;
}

const std::vector<DocField>& entryDocFields() {
    static const std::vector<DocField> fields =
        plainFields(kPaperEntryFields, kCatalogueOffset + slotsOf(kCatalogueFields).offset);
    return fields;
}

const DocField& versionDocField() {
    static const DocField field = [] {
        const FieldRef version = settingsFields(0).front();
        return DocField{version.desc, version.desc->name, version.fileOffset, 0};
    }();
    return field;
}

const DocField& countDocField() {
    static const DocField field = [] {
        const FieldDesc* desc = findField(kCatalogueFields, "count");
        return DocField{desc, desc->name, kCatalogueOffset + desc->offset, 0};
    }();
    return field;
}

uint32_t penSlotStride() {
    return kPenSlotFields.size;
}

uint32_t entryStride() {
    return kPaperEntryFields.size;
}

uint32_t entriesEnd() {
    const FieldDesc& slots = slotsOf(kCatalogueFields);
    return kCatalogueOffset + slots.offset + slots.width;
}

const DocField* findDocField(const std::vector<DocField>& fields, std::string_view key) {
    for (const DocField& field : fields)
        if (key == field.key)
            return &field;
    return nullptr;
}

bool isTextField(const DocField& field) {
    return field.desc->kind == FieldKind::Text;
}

// A field's bytes; those beyond the end of a short file read as zero, as the
// loader leaves them.
static std::vector<unsigned char> fieldBytes(const std::vector<unsigned char>& image,
                                             const DocField& field, uint32_t shift) {
    std::vector<unsigned char> bytes(field.desc->width, 0);
    for (uint32_t i = 0; i < field.desc->width; ++i)
        if (size_t{field.offset} + shift + i < image.size())
            bytes[i] = image[field.offset + shift + i];
    return bytes;
}

int64_t readDocInteger(const std::vector<unsigned char>& image, const DocField& field,
                       uint32_t shift) {
    int64_t value = 0;
    readFieldInt(fieldBytes(image, field, shift), 0, field.desc->width, field.desc->isSigned,
                 &value);
    return value;
}

void writeDocInteger(std::vector<unsigned char>* image, const DocField& field, uint32_t shift,
                     int64_t value) {
    const uint64_t word = static_cast<uint64_t>(value);
    for (uint32_t i = 0; i < field.desc->width; ++i)
        if (size_t{field.offset} + shift + i < image->size())
            (*image)[field.offset + shift + i] = static_cast<unsigned char>(word >> (8 * i));
}

std::string refusedInteger(const DocField& field, int64_t value) {
    const unsigned bits = 8 * field.desc->width;
    const int64_t least = field.desc->isSigned ? -(int64_t{1} << (bits - 1)) : 0;
    const int64_t most =
        field.desc->isSigned ? (int64_t{1} << (bits - 1)) - 1 : (int64_t{1} << bits) - 1;
    if (value < least || value > most)
        return std::to_string(value) + " is outside " + std::to_string(least) + ".." +
               std::to_string(most) + ", what " + std::to_string(bits) + " bits hold";
    if (field.desc->list == &kLengthUnitList && listPositionOf(kLengthUnitList, value) < 0)
        return "length unit " + std::to_string(value) + " is outside 0.." +
               std::to_string(kLengthUnitList.count - 1);
    if (field.desc == countDocField().desc && (value < 0 || value > kMaxPaperEntries))
        return "count " + std::to_string(value) + " is outside 0.." +
               std::to_string(kMaxPaperEntries);
    return "";
}

bool fieldTextToUtf8(const std::vector<unsigned char>& image, const DocField& field, uint32_t shift,
                     std::string* utf8, size_t* length, std::string* why) {
    const FieldValue value = readFieldValue(*field.desc, fieldBytes(image, field, shift), 0);
    *length = value.bytes.size();
    *utf8 = value.utf8;
    if (!value.terminated) {
        *why = "no terminator within its " + std::to_string(field.desc->width) + " bytes";
        return false;
    }
    if (!value.validText) {
        *why = "not valid code page 932";
        return false;
    }
    std::string again;
    if (!utf8ToFieldText(*utf8, field, &again, why))
        return false;
    if (again != value.bytes) {
        // Code page 932 has some characters twice (NEC and IBM rows); those
        // bytes survive only as bytes.
        *why = "does not convert back to the same code page 932 bytes";
        return false;
    }
    return true;
}

bool utf8ToFieldText(std::string_view utf8, const DocField& field, std::string* bytes,
                     std::string* why) {
    std::u16string wide;
    if (!utf8ToUtf16(utf8, &wide)) {
        *why = "not valid UTF-8";
        return false;
    }
    if (wide.find(u'\0') != std::u16string::npos) {
        *why = "contains a NUL character, which would end the text";
        return false;
    }
    if (!utf16ToCp932(wide, bytes)) {
        *why = "has a character that code page 932 lacks";
        return false;
    }
    if (bytes->size() > field.maxText) {
        *why = "is " + std::to_string(bytes->size()) + " bytes in code page 932; the field holds " +
               std::to_string(field.maxText);
        return false;
    }
    return true;
}
