// How the settings program shows each stored field: which page (tab) shows
// it, under which group and label, on which control, and with which list
// texts. The tables run parallel to the storage tables of
// settings/record_fields.h and are checked against them when compiled.
//
// Labels and list texts are UTF-8, exactly as the page templates and string
// tables have them (mnemonics included), so that zembcfg can show them
// without the Windows resources; the Windows tests compare them with those.
#pragma once

#include <string>
#include <string_view>

#include "settings/record_fields.h"

// Tab indexes, in the order the sheet creates its pages; -1 for no page.
enum : int { kNoPage = -1, kPageTitleCount = 5 };
extern const char* const kPageTitles[kPageTitleCount];

// The texts of a list, in list order, taken from consecutive string table
// entries (firstStringId) or, for radio buttons, consecutive controls
// (firstControlId).
struct ListLabels {
    const char* const* texts;
    int count;
    int firstStringId;
    int firstControlId;
};

// A part of a packed word (pdOptimize).
struct PartLabels {
    const char* name;
    const char* label;
    int controlId; // 0 when a static label names it
};

struct FieldLabels {
    const char* name;  // the stored field's name (null for page-setup words)
    int page;          // tab index of the page that shows it, kNoPage for none
    int controlId;     // the control whose own text is the label, 0 for a static label
    const char* group; // the frame or heading around the field, or null
    const char* label; // the label beside or on the control, or null
    const ListLabels* list;
    const PartLabels* parts = nullptr; // the PD word's parts
    // A bounded value, as check and the import name it when it lies outside.
    const char* damageName = nullptr;
    const char* refusalName = nullptr;
};

// The labels of a field of any storage table; a field on no page for one the
// tables do not hold (the version word).
const FieldLabels& labelsOf(const FieldDesc& field);

extern const ListLabels kLengthUnitLabels;
// The colour list paints swatches and has no texts: these name them.
extern const char* const kColourNames[kColourItemCount];
extern const char kCustomSizeText[]; // the size list's item after the catalogue names

// The text without its mnemonic marker ("(&N)" shows as "(N)").
std::string withoutMnemonic(std::string_view text);
