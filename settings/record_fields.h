// One description of every stored field: where it lies, how wide and signed
// it is, what kind of value it holds and, for lists, which stored values it
// can have. Tools that read, check, compare, export or import settings walk
// these tables instead of knowing the layout themselves; the tables are
// checked against the packed structures when they are compiled.
//
// The tables are defined here, as constants, so that a table of how the
// fields are shown can be checked against them at compile time too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "settings/catalogue.h"
#include "settings/page_setup.h"
#include "settings/record.h"
#include "settings/stored_values.h"

enum class FieldKind : uint8_t {
    Integer,      // a plain number
    Length,       // whole millimetres
    Flag,         // check box: 1 ticked, 0 cleared
    InvertedFlag, // check box: 0 ticked, 1 cleared
    List,         // the stored value of a list item (or radio button)
    Text,         // code-page-932 bytes, terminated within the field
    Reserved,     // no meaning known; carried unchanged
    Hundredths,   // pen thickness in hundredths
    Component,    // colour component: 0 or 10000
    PdOptimize,   // packed word, see its parts
    PaperSize,    // page-setup size code: 601 + catalogue index, or 999
    Slots,        // an array of records described by a table of its own
    Version,      // the layout's version word: anything but 302 is another layout
};

// The stored values a list (or a group of radio buttons) can hold, in list
// order.
struct FieldList {
    int count;
    // The stored value of the item at a position; null: the position itself.
    int (*valueAt)(int position);
};

// One value packed into part of a word (pdOptimize).
struct FieldPart {
    const char* name;
    FieldKind kind;
    uint32_t (*valueOf)(int32_t word);
};

struct FieldTable;

struct FieldDesc {
    const char* name; // the code's name; null in the page-setup table (see there)
    uint32_t offset;  // within the block the table describes
    uint32_t width;   // bytes: 2 or 4 for integers, the field size for texts
    bool isSigned;
    FieldKind kind;
    const FieldList* list;
    const FieldTable* slots; // Slots: the element's fields
    int slotCount;
    const FieldPart* parts; // PdOptimize: its packed values
    int partCount;
    // A value outside least..most is damage, and the import refuses it.
    // Texts: most is the bytes the pages store before the terminator.
    bool bounded = false;
    int32_t least = 0, most = 0;
    // Slots: the field of the same table that counts the slots in use (its
    // range bounds them); -1 when every slot is in use.
    int countedBy = -1;
    // The length unit every Length field is shown and entered in.
    bool holdsLengthUnit = false;
    // PaperSize: the array whose slots its codes number.
    const FieldTable* numbers = nullptr;
};

struct FieldTable {
    const FieldDesc* fields;
    int count;
    uint32_t size; // bytes of one block (one element for slot tables)
};

// Stored values of list items where they are not the position: the stored
// values' own rules, so the tables cannot disagree with what the pages store.
namespace field_values {
inline int cutToolAt(int position) {
    return toolNumberAt(position);
}
inline int penToolAt(int position) {
    return toolTypeForItem(position);
}
inline int scaleAt(int position) {
    return scaleAtPosition(position);
}
} // namespace field_values

inline constexpr FieldList kOutlineList = {8, nullptr};
inline constexpr FieldList kKanjiList = {3, nullptr};
inline constexpr FieldList kOriginList = {2, nullptr};
inline constexpr FieldList kSortList = {3, nullptr};
inline constexpr FieldList kCommPortList = {kPortListCount, portCodeForListPosition};
inline constexpr FieldList kBaudList = {9, nullptr};
inline constexpr FieldList kDataBitsList = {2, nullptr};
inline constexpr FieldList kStopBitsList = {3, nullptr};
inline constexpr FieldList kParityList = {3, nullptr};
inline constexpr FieldList kFlowList = {3, nullptr};
inline constexpr FieldList kCutToolList = {kToolCount, field_values::cutToolAt};
inline constexpr FieldList kToolList = {kToolItemCount, field_values::penToolAt};
inline constexpr FieldList kLengthUnitList = {3, nullptr};
inline constexpr FieldList kScaleList = {kScaleCount, field_values::scaleAt};
inline constexpr FieldList kOrientationList = {2, nullptr};

inline constexpr FieldPart kPdParts[] = {
    {"pdEnabled", FieldKind::Flag, pdEnabled},
    {"pdAngle", FieldKind::Integer, pdAngle},
    {"pdVertexCount", FieldKind::Integer, pdVertexCount},
};

constexpr FieldDesc holdingLengthUnit(FieldDesc field) {
    field.holdsLengthUnit = true;
    return field;
}
constexpr FieldDesc numbering(FieldDesc field, const FieldTable& slots) {
    field.numbers = &slots;
    return field;
}

// Offset, width and signedness come from the structure itself; record_fields.cpp
// checks that the tables leave no byte of it out.
#define ZEMB_FIELD(S, member, kind, list)                                                          \
    FieldDesc {                                                                                    \
#member, offsetof(S, member), sizeof(S::member), std::is_signed_v < decltype(S::member)>,  \
            FieldKind::kind, list, nullptr, 0, nullptr, 0                                          \
    }
#define ZEMB_BOUNDED(S, member, kind, list, least, most)                                           \
    FieldDesc {                                                                                    \
#member, offsetof(S, member), sizeof(S::member), std::is_signed_v < decltype(S::member)>,  \
            FieldKind::kind, list, nullptr, 0, nullptr, 0, true, least, most                       \
    }
#define ZEMB_TEXT(S, member, maxBytes)                                                             \
    FieldDesc {                                                                                    \
#member, offsetof(S, member), sizeof(S::member), false, FieldKind::Text, nullptr, nullptr, \
            0, nullptr, 0, false, 0, maxBytes                                                      \
    }
#define ZEMB_SLOTS(S, member, table, countedBy)                                                    \
    FieldDesc {                                                                                    \
#member, offsetof(S, member), sizeof(S::member), false, FieldKind::Slots, nullptr, &table, \
            static_cast < int>(sizeof(S::member) / sizeof(S::member[0])), nullptr, 0, false, 0, 0, \
            countedBy                                                                              \
    }

inline constexpr FieldDesc kPenSlotArray[] = {
    ZEMB_FIELD(PenSlot, toolType, List, &kToolList),
    ZEMB_FIELD(PenSlot, thickness, Hundredths, nullptr),
    ZEMB_FIELD(PenSlot, red, Component, nullptr),
    ZEMB_FIELD(PenSlot, green, Component, nullptr),
    ZEMB_FIELD(PenSlot, blue, Component, nullptr),
    ZEMB_FIELD(PenSlot, colorSet, Flag, nullptr),
};
inline constexpr FieldTable kPenSlotFields = {
    kPenSlotArray, static_cast<int>(std::size(kPenSlotArray)), sizeof(PenSlot)};

inline constexpr FieldDesc kPaperEntryArray[] = {
    ZEMB_TEXT(PaperEntry, name, kPaperNameMaxBytes),
    ZEMB_FIELD(PaperEntry, width, Length, nullptr),
    ZEMB_FIELD(PaperEntry, length, Length, nullptr),
    ZEMB_FIELD(PaperEntry, roll, Flag, nullptr),
};
inline constexpr FieldTable kPaperEntryFields = {
    kPaperEntryArray, static_cast<int>(std::size(kPaperEntryArray)), sizeof(PaperEntry)};

// PlotterRecord, 756 bytes.
inline constexpr FieldDesc kRecordArray[] = {
    ZEMB_FIELD(PlotterRecord, recordVersion, Reserved, nullptr),
    ZEMB_FIELD(PlotterRecord, outlineSize, List, &kOutlineList),
    ZEMB_FIELD(PlotterRecord, leafMarginTop, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, leafMarginLeft, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, leafMarginRight, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, leafMarginBottom, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, rollMarginTop, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, rollMarginLeft, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, rollMarginRight, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, rollMarginBottom, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, sortMode, List, &kSortList),
    ZEMB_FIELD(PlotterRecord, recognizePathOverlap, Flag, nullptr),
    ZEMB_FIELD(PlotterRecord, penOrderOff, InvertedFlag, nullptr),
    ZEMB_FIELD(PlotterRecord, kanjiCode, List, &kKanjiList),
    ZEMB_FIELD(PlotterRecord, paperOrigin, List, &kOriginList),
    ZEMB_FIELD(PlotterRecord, reserved46, Reserved, nullptr),
    ZEMB_FIELD(PlotterRecord, debugMode, Flag, nullptr),
    ZEMB_FIELD(PlotterRecord, lineOptimizeOff, InvertedFlag, nullptr),
    ZEMB_FIELD(PlotterRecord, errorAdjust, Flag, nullptr),
    ZEMB_FIELD(PlotterRecord, reserved54, Reserved, nullptr),
    ZEMB_SLOTS(PlotterRecord, penSlots, kPenSlotFields, -1),
    ZEMB_FIELD(PlotterRecord, frameCut, Flag, nullptr),
    ZEMB_FIELD(PlotterRecord, frameCutTool, List, &kCutToolList),
    ZEMB_FIELD(PlotterRecord, frameMarginTop, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, frameMarginLeft, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, frameMarginRight, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, frameMarginBottom, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, rollPageLength, Length, nullptr),
    ZEMB_FIELD(PlotterRecord, dottedLineCut, Flag, nullptr),
    ZEMB_FIELD(PlotterRecord, cutTool, List, &kCutToolList),
    ZEMB_FIELD(PlotterRecord, segmentCutPressure, Integer, nullptr),
    ZEMB_FIELD(PlotterRecord, gapCutPressure, Integer, nullptr),
    ZEMB_FIELD(PlotterRecord, segmentLength, Integer, nullptr),
    ZEMB_FIELD(PlotterRecord, gapLength, Integer, nullptr),
    ZEMB_FIELD(PlotterRecord, reserved210, Reserved, nullptr),
    ZEMB_FIELD(PlotterRecord, commPort, List, &kCommPortList),
    ZEMB_FIELD(PlotterRecord, baudRate, List, &kBaudList),
    ZEMB_FIELD(PlotterRecord, dataBits, List, &kDataBitsList),
    ZEMB_FIELD(PlotterRecord, stopBits, List, &kStopBitsList),
    ZEMB_FIELD(PlotterRecord, parity, List, &kParityList),
    ZEMB_FIELD(PlotterRecord, flowControl, List, &kFlowList),
    ZEMB_TEXT(PlotterRecord, hostAddress, kTextFieldMaxBytes),
    ZEMB_FIELD(PlotterRecord, hostPort, Integer, nullptr),
    ZEMB_FIELD(PlotterRecord, plotterUnit, Integer, nullptr),
    ZEMB_FIELD(PlotterRecord, errorRange, Integer, nullptr),
    FieldDesc{"pdOptimize", offsetof(PlotterRecord, pdOptimize), sizeof(PlotterRecord::pdOptimize),
              true, FieldKind::PdOptimize, nullptr, nullptr, 0, kPdParts,
              static_cast<int>(std::size(kPdParts))},
    ZEMB_FIELD(PlotterRecord, reserved368, Reserved, nullptr),
    ZEMB_TEXT(PlotterRecord, headerString, kTextFieldMaxBytes),
    ZEMB_TEXT(PlotterRecord, footerString, kTextFieldMaxBytes),
    ZEMB_TEXT(PlotterRecord, sharedFolder, kTextFieldMaxBytes),
};
inline constexpr FieldTable kRecordFields = {
    kRecordArray, static_cast<int>(std::size(kRecordArray)), sizeof(PlotterRecord)};

// PaperCatalogue, 6938 bytes.
inline constexpr FieldDesc kCatalogueArray[] = {
    ZEMB_BOUNDED(PaperCatalogue, count, Integer, nullptr, 0, kMaxPaperEntries),
    ZEMB_SLOTS(PaperCatalogue, entries, kPaperEntryFields, 0),
    ZEMB_FIELD(PaperCatalogue, reserved6932, Reserved, nullptr),
    holdingLengthUnit(ZEMB_BOUNDED(PaperCatalogue, lengthUnit, List, &kLengthUnitList, 0,
                                   kLengthUnitList.count - 1)),
    ZEMB_FIELD(PaperCatalogue, reserved6936, Reserved, nullptr),
};
inline constexpr FieldTable kCatalogueFields = {
    kCatalogueArray, static_cast<int>(std::size(kCatalogueArray)), sizeof(PaperCatalogue)};

#undef ZEMB_FIELD
#undef ZEMB_BOUNDED
#undef ZEMB_TEXT
#undef ZEMB_SLOTS

// The sixteen page-setup registry values as an image of little-endian words,
// value i at offset 4 i, in registry order; names are kPageSetupValueNames[i].
#define ZEMB_WORD(index, kind, list)                                                               \
    FieldDesc {                                                                                    \
        nullptr, 4 * (index), 4, true, FieldKind::kind, list, nullptr, 0, nullptr, 0               \
    }
inline constexpr FieldDesc kPageSetupArray[] = {
    ZEMB_WORD(0, List, &kOrientationList),
    numbering(ZEMB_WORD(1, PaperSize, nullptr), kPaperEntryFields),
    ZEMB_WORD(2, Length, nullptr),
    ZEMB_WORD(3, Length, nullptr),
    ZEMB_WORD(4, List, &kScaleList),
    ZEMB_WORD(5, Flag, nullptr),
    ZEMB_WORD(6, Integer, nullptr),
    ZEMB_WORD(7, Integer, nullptr),
    ZEMB_WORD(8, Integer, nullptr),
    ZEMB_WORD(9, Integer, nullptr),
    ZEMB_WORD(10, Integer, nullptr),
    ZEMB_WORD(11, Integer, nullptr),
    ZEMB_WORD(12, Integer, nullptr),
    ZEMB_WORD(13, Integer, nullptr),
    ZEMB_WORD(14, Integer, nullptr),
    ZEMB_WORD(15, Integer, nullptr),
};
#undef ZEMB_WORD
inline constexpr FieldTable kPageSetupFields = {
    kPageSetupArray, static_cast<int>(std::size(kPageSetupArray)), 4 * kPageSetupValueCount};

// The regions of the settings file, in file order, covering it exactly.
struct FileBlock {
    const char* name;
    uint32_t offset;
    uint32_t size;
    const FieldTable* fields; // null for the version word and uninterpreted bytes
};
enum : int { kFileBlockCount = 7 };
extern const FileBlock kFileBlocks[kFileBlockCount];

// The position of a stored value in a list, or -1 when no item has it.
int listPositionOf(const FieldList& list, int64_t value);

inline bool outsideRange(const FieldDesc& field, int64_t value) {
    return field.bounded && (value < field.least || value > field.most);
}

// The version word at the start of the file.
extern const FieldDesc kVersionField;

// Little-endian integer of a field at an absolute offset of an image; false
// when the image ends before the field does.
bool readFieldInt(const std::vector<unsigned char>& image, uint32_t offset, uint32_t width,
                  bool isSigned, int64_t* value);
// The bytes of a text field up to its terminator (all of them without one);
// false when the image ends before the field does.
bool readFieldText(const std::vector<unsigned char>& image, uint32_t offset, uint32_t width,
                   std::string* bytes, bool* terminated);
