// Where each key of an export document lives in the settings file: the
// record's fields, the pen slots, the catalogue's words and entries and the
// version word, all taken from the one field table. Export and import both
// walk these lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/record_fields.h"

struct DocField {
    const FieldDesc* desc;
    const char* key;
    uint32_t offset;  // in the file (of slot 0 for pen slots and entries)
    uint32_t maxText; // texts: bytes the import accepts before the terminator
};

enum : uint32_t {
    kMaxDocumentFileSize = 1u << 20, // no settings file comes anywhere near this
};

// The record's fields, the pen slots excepted.
const std::vector<DocField>& recordDocFields();
// The fields of pen slot 0; slot i lies penSlotStride() * i further on.
const std::vector<DocField>& penDocFields();
// The catalogue block's words but its count.
const std::vector<DocField>& catalogueDocFields();
// The fields of catalogue entry 0; entry i lies entryStride() * i further on.
const std::vector<DocField>& entryDocFields();
const DocField& versionDocField();
// The catalogue's count, implied in a document by its entries.
const DocField& countDocField();
uint32_t penSlotStride();
uint32_t entryStride();
// The bytes from the count to the end of the last slot.
uint32_t entriesEnd();

const DocField* findDocField(const std::vector<DocField>& fields, std::string_view key);

bool isTextField(const DocField& field);
// A field's integer at offset + shift; bytes beyond the image read as zero,
// as the loader leaves them.
int64_t readDocInteger(const std::vector<unsigned char>& image, const DocField& field,
                       uint32_t shift);
void writeDocInteger(std::vector<unsigned char>* image, const DocField& field, uint32_t shift,
                     int64_t value);
// Why the import refuses an integer for a field (outside the field's width,
// a length unit outside 0..2, a count outside 0..99), or "" when it takes it.
std::string refusedInteger(const DocField& field, int64_t value);

// A text field at offset + shift as UTF-8, when importing that text stores
// exactly the same bytes again; otherwise false and what is wrong with it.
// length receives the stored bytes before the terminator.
bool fieldTextToUtf8(const std::vector<unsigned char>& image, const DocField& field, uint32_t shift,
                     std::string* utf8, size_t* length, std::string* why);
// UTF-8 text as the code-page-932 bytes a text field stores (without the
// terminator); false and what is wrong when the field cannot hold it.
bool utf8ToFieldText(std::string_view utf8, const DocField& field, std::string* bytes,
                     std::string* why);
