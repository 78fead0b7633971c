// Where each key of an export document lives in the settings file: the
// record's fields, the pen slots, the catalogue's words and entries and the
// version word. Export and import both walk these lists, so a key and its
// bytes are described once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class DocKind : uint8_t { Signed, Unsigned, Text };

struct DocField {
    const char* key;
    uint32_t offset; // in the file
    uint32_t size;   // bytes the field occupies
    DocKind kind;
    uint32_t maxText; // for texts: bytes the import accepts before the terminator
    int recordIndex;  // row of the record's field table, or -1
};

enum : uint32_t {
    kMaxDocumentFileSize = 1u << 20, // no settings file is anywhere near this
    kCatalogueCountOffset = 1538,
    kFirstEntryOffset = 1540,
    kEntrySize = 70,
    kPenSlotOffset = 2 + 56,
    kPenSlotSize = 12,
};

// The record's own fields, the pen slots excepted, at file offsets.
const std::vector<DocField>& recordDocFields();
// The fields of pen slot 0; slot i lies kPenSlotSize * i further on.
const std::vector<DocField>& penDocFields();
// lengthUnit and the two reserved words of the catalogue block.
const std::vector<DocField>& catalogueDocFields();
// The fields of catalogue entry 0; entry i lies kEntrySize * i further on.
const std::vector<DocField>& entryDocFields();
// The version word.
const DocField& versionDocField();

const DocField* findDocField(const std::vector<DocField>& fields, const std::string& key);

// A field's value read from an image at offset + shift; bytes beyond the
// image read as zero, as the loader leaves them.
int64_t readDocInteger(const std::vector<unsigned char>& image, const DocField& field,
                       uint32_t shift);
void writeDocInteger(std::vector<unsigned char>* image, const DocField& field, uint32_t shift,
                     int64_t value);
// Why the import refuses an integer for a field (outside the field's width,
// a length unit outside 0..2), or "" when it takes it.
std::string refusedInteger(const DocField& field, int64_t value);
// The catalogue's count, implied in a document by its entries.
const DocField& countDocField();

// A text field at offset + shift as UTF-8, when importing that text stores
// exactly the same bytes again; otherwise false and what is wrong with it.
// length receives the stored bytes before the terminator.
bool storedTextToUtf8(const std::vector<unsigned char>& image, const DocField& field,
                      uint32_t shift, std::string* utf8, size_t* length, std::string* why);
// UTF-8 text as the code-page-932 bytes a text field stores (without the
// terminator); false and what is wrong when the field cannot hold it.
bool utf8ToStoredText(std::string_view utf8, const DocField& field, std::string* bytes,
                      std::string* why);
