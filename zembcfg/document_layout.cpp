#include "zembcfg/document_layout.h"

#include <cstring>

#include "settings/catalogue.h"
#include "settings/cp932_text.h"
#include "settings/record.h"
#include "settings/settings_file.h"

namespace {

constexpr DocKind integerKind = DocKind::Signed;

#define ZEMB_RECORD_FIELD(name, text)                                                              \
    DocField {                                                                                     \
#name, kRecordOffset + offsetof(PlotterRecord, name), sizeof(PlotterRecord::name),         \
            text ? DocKind::Text : integerKind, text ? 126u : 0u, -1                               \
    }

} // namespace

const std::vector<DocField>& recordDocFields() {
    static const std::vector<DocField> fields = {
        ZEMB_RECORD_FIELD(recordVersion, false),    ZEMB_RECORD_FIELD(outlineSize, false),
        ZEMB_RECORD_FIELD(leafMarginTop, false),    ZEMB_RECORD_FIELD(leafMarginLeft, false),
        ZEMB_RECORD_FIELD(leafMarginRight, false),  ZEMB_RECORD_FIELD(leafMarginBottom, false),
        ZEMB_RECORD_FIELD(rollMarginTop, false),    ZEMB_RECORD_FIELD(rollMarginLeft, false),
        ZEMB_RECORD_FIELD(rollMarginRight, false),  ZEMB_RECORD_FIELD(rollMarginBottom, false),
        ZEMB_RECORD_FIELD(sortMode, false),         ZEMB_RECORD_FIELD(recognizePathOverlap, false),
        ZEMB_RECORD_FIELD(penOrderOff, false),      ZEMB_RECORD_FIELD(kanjiCode, false),
        ZEMB_RECORD_FIELD(paperOrigin, false),      ZEMB_RECORD_FIELD(reserved46, false),
        ZEMB_RECORD_FIELD(debugMode, false),        ZEMB_RECORD_FIELD(lineOptimizeOff, false),
        ZEMB_RECORD_FIELD(errorAdjust, false),      ZEMB_RECORD_FIELD(reserved54, false),
        ZEMB_RECORD_FIELD(frameCut, false),         ZEMB_RECORD_FIELD(frameCutTool, false),
        ZEMB_RECORD_FIELD(frameMarginTop, false),   ZEMB_RECORD_FIELD(frameMarginLeft, false),
        ZEMB_RECORD_FIELD(frameMarginRight, false), ZEMB_RECORD_FIELD(frameMarginBottom, false),
        ZEMB_RECORD_FIELD(rollPageLength, false),   ZEMB_RECORD_FIELD(dottedLineCut, false),
        ZEMB_RECORD_FIELD(cutTool, false),          ZEMB_RECORD_FIELD(segmentCutPressure, false),
        ZEMB_RECORD_FIELD(gapCutPressure, false),   ZEMB_RECORD_FIELD(segmentLength, false),
        ZEMB_RECORD_FIELD(gapLength, false),        ZEMB_RECORD_FIELD(reserved210, false),
        ZEMB_RECORD_FIELD(commPort, false),         ZEMB_RECORD_FIELD(baudRate, false),
        ZEMB_RECORD_FIELD(dataBits, false),         ZEMB_RECORD_FIELD(stopBits, false),
        ZEMB_RECORD_FIELD(parity, false),           ZEMB_RECORD_FIELD(flowControl, false),
        ZEMB_RECORD_FIELD(hostAddress, true),       ZEMB_RECORD_FIELD(hostPort, false),
        ZEMB_RECORD_FIELD(plotterUnit, false),      ZEMB_RECORD_FIELD(errorRange, false),
        ZEMB_RECORD_FIELD(pdOptimize, false),       ZEMB_RECORD_FIELD(reserved368, false),
        ZEMB_RECORD_FIELD(headerString, true),      ZEMB_RECORD_FIELD(footerString, true),
        ZEMB_RECORD_FIELD(sharedFolder, true),
    };
    return fields;
}

#define ZEMB_PEN_FIELD(name)                                                                       \
    DocField {                                                                                     \
#name, kPenSlotOffset + offsetof(PenSlot, name), 2, DocKind::Signed, 0, -1                 \
    }

const std::vector<DocField>& penDocFields() {
    static const std::vector<DocField> fields = {
        ZEMB_PEN_FIELD(toolType), ZEMB_PEN_FIELD(thickness), ZEMB_PEN_FIELD(red),
        ZEMB_PEN_FIELD(green),    ZEMB_PEN_FIELD(blue),      ZEMB_PEN_FIELD(colorSet),
    };
    return fields;
}

#define ZEMB_CATALOGUE_FIELD(name)                                                                 \
    DocField {                                                                                     \
#name, kCatalogueOffset + offsetof(PaperCatalogue, name), 2, DocKind::Signed, 0, -1        \
    }

const std::vector<DocField>& catalogueDocFields() {
    static const std::vector<DocField> fields = {
        ZEMB_CATALOGUE_FIELD(lengthUnit),
        ZEMB_CATALOGUE_FIELD(reserved6932),
        ZEMB_CATALOGUE_FIELD(reserved6936),
    };
    return fields;
}

const std::vector<DocField>& entryDocFields() {
    static const std::vector<DocField> fields = {
        {"name", kFirstEntryOffset + offsetof(PaperEntry, name), kPaperNameSize, DocKind::Text,
         kPaperNameMaxBytes, -1},
        {"width", kFirstEntryOffset + offsetof(PaperEntry, width), 2, DocKind::Signed, 0, -1},
        {"length", kFirstEntryOffset + offsetof(PaperEntry, length), 2, DocKind::Signed, 0, -1},
        {"roll", kFirstEntryOffset + offsetof(PaperEntry, roll), 2, DocKind::Signed, 0, -1},
    };
    return fields;
}

const DocField& versionDocField() {
    static const DocField field = {"version", 0, 2, DocKind::Unsigned, 0, -1};
    return field;
}

const DocField* findDocField(const std::vector<DocField>& fields, const std::string& key) {
    for (const DocField& field : fields)
        if (key == field.key)
            return &field;
    return nullptr;
}

int64_t readDocInteger(const std::vector<unsigned char>& image, const DocField& field,
                       uint32_t shift) {
    uint64_t word = 0;
    for (uint32_t i = 0; i < field.size && i < 8; ++i) {
        const size_t at = size_t{field.offset} + shift + i;
        if (at < image.size())
            word |= uint64_t{image[at]} << (8 * i);
    }
    const unsigned bits = 8 * field.size;
    if (field.kind == DocKind::Signed && bits < 64 && (word >> (bits - 1)) & 1)
        return static_cast<int64_t>(word | (~uint64_t{0} << bits));
    return static_cast<int64_t>(word);
}

void writeDocInteger(std::vector<unsigned char>* image, const DocField& field, uint32_t shift,
                     int64_t value) {
    const uint64_t word = static_cast<uint64_t>(value);
    for (uint32_t i = 0; i < field.size && i < 8; ++i) {
        const size_t at = size_t{field.offset} + shift + i;
        if (at < image->size())
            (*image)[at] = static_cast<unsigned char>(word >> (8 * i));
    }
}

const DocField& countDocField() {
    static const DocField field = {"count", kCatalogueCountOffset, 2, DocKind::Signed, 0, -1};
    return field;
}

std::string refusedInteger(const DocField& field, int64_t value) {
    const unsigned bits = 8 * field.size;
    const int64_t least = field.kind == DocKind::Unsigned ? 0 : -(int64_t{1} << (bits - 1));
    const int64_t most =
        field.kind == DocKind::Unsigned ? (int64_t{1} << bits) - 1 : (int64_t{1} << (bits - 1)) - 1;
    if (value < least || value > most)
        return std::to_string(value) + " is outside " + std::to_string(least) + ".." +
               std::to_string(most) + ", what " + std::to_string(bits) + " bits hold";
    if (field.offset == kCatalogueOffset + offsetof(PaperCatalogue, lengthUnit) &&
        (value < 0 || value > 2))
        return "length unit " + std::to_string(value) + " is outside 0..2";
    if (&field == &countDocField() && (value < 0 || value > kMaxPaperEntries))
        return "count " + std::to_string(value) + " is outside 0..99";
    return "";
}

bool storedTextToUtf8(const std::vector<unsigned char>& image, const DocField& field,
                      uint32_t shift, std::string* utf8, size_t* length, std::string* why) {
    std::string bytes(field.size, '\0');
    for (uint32_t i = 0; i < field.size; ++i) {
        const size_t at = size_t{field.offset} + shift + i;
        if (at < image.size())
            bytes[i] = static_cast<char>(image[at]);
    }
    *length = storedTextLength(bytes.data(), bytes.size());
    if (*length == bytes.size()) {
        *why = "no terminator within its " + std::to_string(field.size) + " bytes";
        return false;
    }
    bytes.resize(*length);
    std::u16string wide;
    if (!cp932ToUtf16(bytes, &wide)) {
        *why = "not valid code page 932";
        return false;
    }
    *utf8 = utf16ToUtf8(wide);
    std::string again;
    if (!utf8ToStoredText(*utf8, field, &again, why))
        return false;
    if (again != bytes) {
        // Code page 932 has characters twice (NEC and IBM rows); such bytes
        // only survive as bytes.
        *why = "does not convert back to the same code page 932 bytes";
        return false;
    }
    return true;
}

bool utf8ToStoredText(std::string_view utf8, const DocField& field, std::string* bytes,
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
