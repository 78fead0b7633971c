#include "documents/document_layout.h"

#include <cstring>

#include "settings/catalogue.h"
#include "storage/cp932_convert.h"
#include "settings/le_bytes.h"
#include "settings/record.h"
#include "settings/file_layout.h"
#include "documents/field_walk.h"
#include "documents/values.h"

namespace {

DocField docField(const FieldRef& ref) {
    const bool text = ref.desc->kind == FieldKind::Text;
    return {ref.desc, ref.desc->name, ref.fileOffset, text ? uint32_t(ref.desc->most) : 0};
}

DocTable tableOf(const FileBlock& block) {
    DocTable table{block.name, {}, {}};
    for (const FieldRef& ref :
         walkTable(*block.fields, block.offset, std::string(block.name) + ".", everySlot)) {
        if (ref.inArray()) {
            if (ref.slot == 0)
                table.array.fields.push_back(docField(ref));
        } else if (ref.isArray()) {
            const FieldDesc& desc = *ref.desc;
            // The counter comes first in its table.
            table.array = {.desc = &desc,
                           .key = desc.name,
                           .fields = {},
                           .stride = desc.slots->size,
                           .slotCount = desc.slotCount,
                           .end = ref.fileOffset + desc.width,
                           .counted = ref.counter != nullptr,
                           .counter = table.array.counter};
        } else if (ref.counts) {
            table.array.counter = docField(ref);
        } else {
            table.fields.push_back(docField(ref));
        }
    }
    return table;
}

} // namespace

const std::vector<DocTable>& docTables() {
    static const std::vector<DocTable> tables = [] {
        std::vector<DocTable> tables;
        for (const FileBlock& block : kFileBlocks)
            if (block.fields)
                tables.push_back(tableOf(block));
        return tables;
    }();
    return tables;
}

const DocField& versionDocField() {
    static const DocField field = docField(walkFile(everySlot).front());
    return field;
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
    storeLe(image->data(), image->size(), size_t{field.offset} + shift, field.desc->width,
            static_cast<uint32_t>(value));
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
