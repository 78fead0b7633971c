// Where each key of an export document lives in the settings file: the
// tables' fields, their arrays and the version word, all taken from the one
// walk of the field tables. Export and import both go through these lists.
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

// An array of a table: as many [[table.key]] tables as slots.
struct DocArray {
    const FieldDesc* desc;
    const char* key;
    std::vector<DocField> fields; // of slot 0; slot i lies stride * i further on
    uint32_t stride;
    int slotCount;
    uint32_t end; // in the file, the end of the last slot
    // A counted array's counter, which a document implies by the array's length.
    bool counted;
    DocField counter;
};

// A table of the document: one block of the file.
struct DocTable {
    const char* name;             // "record", "catalogue"
    std::vector<DocField> fields; // its keys, the array and its counter aside
    DocArray array;
};

// The document's tables in file order, taken from the one walk.
const std::vector<DocTable>& docTables();
const DocField& versionDocField();

const DocField* findDocField(const std::vector<DocField>& fields, std::string_view key);

bool isTextField(const DocField& field);
// A field's integer at offset + shift; bytes beyond the image read as zero,
// as the loader leaves them.
int64_t readDocInteger(const std::vector<unsigned char>& image, const DocField& field,
                       uint32_t shift);
void writeDocInteger(std::vector<unsigned char>* image, const DocField& field, uint32_t shift,
                     int64_t value);
// A text field at offset + shift as UTF-8, when importing that text stores
// exactly the same bytes again; otherwise false and what is wrong with it.
// length receives the stored bytes before the terminator.
bool fieldTextToUtf8(const std::vector<unsigned char>& image, const DocField& field, uint32_t shift,
                     std::string* utf8, size_t* length, std::string* why);
// UTF-8 text as the code-page-932 bytes a text field stores (without the
// terminator); false and what is wrong when the field cannot hold it.
bool utf8ToFieldText(std::string_view utf8, const DocField& field, std::string* bytes,
                     std::string* why);
