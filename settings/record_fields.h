// One description of every stored field: where it lies, how wide and signed
// it is, which page shows it, under which label and with which list texts.
// Tools that read, check, compare, export or import settings walk these
// tables instead of knowing the layout themselves; the tables are checked
// against the packed structures when they are compiled.
//
// Labels and list texts are UTF-8, exactly as the page templates and string
// tables have them (mnemonics included), so that a program without the
// Windows resources can still show them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class FieldKind : uint8_t {
    Integer,      // a plain number
    Length,       // whole millimetres, shown in the page's length unit
    Flag,         // check box: 1 ticked, 0 cleared
    InvertedFlag, // check box: 0 ticked, 1 cleared
    List,         // the stored value of a list item (or radio button)
    Text,         // code-page-932 bytes, terminated within the field
    Reserved,     // on no page; carried unchanged
    Hundredths,   // pen thickness: shown divided by 100, two decimals
    Component,    // colour component: 0 or 10000
    PdOptimize,   // packed word, see its parts
    PaperSize,    // page-setup size code: 601 + catalogue index, or 999
    Slots,        // an array of records described by a table of its own
};

// The items of a list, in list order. Texts come from consecutive string
// table entries (firstStringId) or, for radio buttons, from consecutive
// controls (firstControlId).
struct FieldList {
    const char* const* texts;
    int count;
    int firstStringId;
    int firstControlId;
    // The stored value of the item at a position; null: the position itself.
    int (*valueAt)(int position);
};

// One value packed into part of a word (pdOptimize).
struct FieldPart {
    const char* name;
    const char* label;
    int controlId; // 0 when a static label names it
    FieldKind kind;
    uint32_t (*valueOf)(int32_t word);
};

struct FieldTable;

struct FieldDesc {
    const char* name; // the code's name; null in the page-setup table (see below)
    uint32_t offset;  // within the block the table describes
    uint32_t width;   // bytes: 2 or 4 for integers, the field size for texts
    bool isSigned;
    FieldKind kind;
    int page;          // tab index of the page that shows it, -1 for none
    int controlId;     // the control whose own text is the label, 0 for a static label
    const char* group; // the frame or heading around the field, or null
    const char* label; // the label beside or on the control, or null
    const FieldList* list;
    const FieldTable* slots; // Slots: the element's fields
    int slotCount;
    const FieldPart* parts; // PdOptimize: its packed values
    int partCount;
};

struct FieldTable {
    const FieldDesc* fields;
    int count;
    uint32_t size; // bytes of one block (one element for slot tables)
};

extern const FieldTable kRecordFields;    // PlotterRecord, 756 bytes
extern const FieldTable kPenSlotFields;   // PenSlot, 12 bytes
extern const FieldTable kCatalogueFields; // PaperCatalogue, 6938 bytes
extern const FieldTable kPaperEntryFields;
// The sixteen page-setup registry values as an image of little-endian words,
// value i at offset 4 i; names are kPageSetupValueNames[i].
extern const FieldTable kPageSetupFields;

// The regions of the settings file, in file order, covering it exactly.
struct FileBlock {
    const char* name;
    uint32_t offset;
    uint32_t size;
    const FieldTable* fields; // null for the version word and uninterpreted bytes
};
enum : int { kFileBlockCount = 7 };
extern const FileBlock kFileBlocks[kFileBlockCount];
const FileBlock* fileBlock(std::string_view name);

// Tab labels, by page index.
enum : int { kPageCount = 5 };
extern const char* const kPageTitles[kPageCount];

// Lists shared by several fields or by the tools.
extern const FieldList kLengthUnitList;
extern const FieldList kColourList; // by colour list position; no texts on the page
extern const FieldList kCommPortList;
extern const char kCustomSizeText[]; // the size list's item after the catalogue names

// The field of a table with that name, or null.
const FieldDesc* findField(const FieldTable& table, std::string_view name);

// The position of a stored value in a list, or -1 when no item has it.
int listPositionOf(const FieldList& list, int64_t value);
// The text without its mnemonic marker ("(&N)" shows as "(N)").
std::string withoutMnemonic(std::string_view text);

// One stored value, found by walking the tables over a file image.
struct FieldRef {
    std::string path; // "record.penSlots[3].red", "catalogue.entries[0].name"
    const FieldDesc* desc;
    uint32_t fileOffset; // absolute offset in the settings file
    int entry;           // the catalogue entry it belongs to, or -1
};

// Every leaf field of the settings file, in file order: the version word, the
// record (pen slots expanded), the catalogue (entries 0..entryCount - 1, where
// entryCount is clamped to 0..99 by the caller) and its unit and reserved words.
std::vector<FieldRef> settingsFields(int entryCount);

// Little-endian integer of a field at an absolute offset of an image; false
// when the image ends before the field does.
bool readFieldInt(const std::vector<unsigned char>& image, uint32_t offset, uint32_t width,
                  bool isSigned, int64_t* value);
// The bytes of a text field up to its terminator (all of them without one);
// false when the image ends before the field does.
bool readFieldText(const std::vector<unsigned char>& image, uint32_t offset, uint32_t width,
                   std::string* bytes, bool* terminated);
