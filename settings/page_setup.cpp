#include "settings/page_setup.h"

#include <cstring>

#include "settings/le_bytes.h"
#include "settings/record.h"
#include "units/units.h"

PageSetup g_pageSetup;

#define PROGRAM_KEY_PATH "Software\\Calderwick\\ZEMBSerConfig"
const char kProgramKeyPath[] = PROGRAM_KEY_PATH;
const char kProgramKeyName[] = "HKEY_CURRENT_USER\\" PROGRAM_KEY_PATH;
#undef PROGRAM_KEY_PATH

const char* const kPageSetupValueNames[kPageSetupValueCount] = {
    "Orientation",  "Size",          "Width",       "Height",       "Scale",       "pisroll",
    "rPage.left",   "rPage.top",     "rPage.right", "rPage.bottom", "rPaper.left", "rPaper.top",
    "rPaper.right", "rPaper.bottom", "iFstPage",    "iLstPage",
};

void pageSetupDefaults(PageSetup* setup) {
    std::memset(setup, 0, sizeof *setup);
    setup->Size = kFirstCatalogueSize;
    setup->Scale = 10000;
    setup->iFstPage = 1;
    setup->iLstPage = 1;
}

// Margins larger than the paper are written as the negative extents they give;
// wrap-around arithmetic keeps absurd stored values from being undefined.
static int32_t sub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

void computePageRects(PageSetup* setup, const PlotterRecord& record) {
    const bool portrait = setup->Orientation == 0;
    const int32_t paperWidth = portrait ? setup->Width : setup->Height;
    const int32_t paperHeight = portrait ? setup->Height : setup->Width;

    const bool roll = setup->pisroll != 0;
    const int32_t t = roll ? record.rollMarginTop : record.leafMarginTop;
    const int32_t l = roll ? record.rollMarginLeft : record.leafMarginLeft;
    const int32_t r = roll ? record.rollMarginRight : record.leafMarginRight;
    const int32_t b = roll ? record.rollMarginBottom : record.leafMarginBottom;

    // Turned a quarter: the sheet's left edge becomes the page's top edge.
    const int32_t top = portrait ? t : l;
    const int32_t left = portrait ? l : t;
    const int32_t right = portrait ? r : b;
    const int32_t bottom = portrait ? b : r;

    setup->rPaper = {sub(0, left), sub(0, top), sub(paperWidth, left), sub(paperHeight, top)};
    setup->rPage = {0, 0, sub(sub(paperWidth, left), right), sub(sub(paperHeight, top), bottom)};
}

// The fourteen 32-bit values, in registry order; iFstPage and iLstPage follow.
static int32_t* wideValue(PageSetup* setup, int i) {
    int32_t* const fields[14] = {
        &setup->Orientation,  &setup->Size,          &setup->Width,       &setup->Height,
        &setup->Scale,        &setup->pisroll,       &setup->rPage.left,  &setup->rPage.top,
        &setup->rPage.right,  &setup->rPage.bottom,  &setup->rPaper.left, &setup->rPaper.top,
        &setup->rPaper.right, &setup->rPaper.bottom,
    };
    return i >= 0 && i < 14 ? fields[i] : nullptr;
}

static int16_t* printRangeValue(PageSetup* setup, int i) {
    return i == 14 ? &setup->iFstPage : i == 15 ? &setup->iLstPage : nullptr;
}

uint32_t pageSetupValue(const PageSetup& setup, int i) {
    PageSetup copy = setup;
    if (const int32_t* wide = wideValue(&copy, i))
        return static_cast<uint32_t>(*wide);
    if (const int16_t* page = printRangeValue(&copy, i))
        return static_cast<uint32_t>(static_cast<int32_t>(*page));
    return 0;
}

bool pageSetupValueComputed(int i) {
    PageSetup setup = {};
    const int32_t* value = wideValue(&setup, i);
    return value != nullptr && value >= &setup.rPage.left && value <= &setup.rPaper.bottom;
}

void setPageSetupValue(PageSetup* setup, int i, uint32_t word) {
    int32_t value;
    std::memcpy(&value, &word, sizeof value);
    if (int32_t* wide = wideValue(setup, i))
        *wide = value;
    else if (int16_t* page = printRangeValue(setup, i))
        *page = lowSixteenBits(value); // only the low 16 bits count for the print range
}

void readPageSetupValue(PageSetup* setup, int i, const unsigned char* data, size_t size) {
    uint32_t word = 0;
    if (size > 4 || (size > 0 && (data == nullptr ||
                                  !loadLe(data, size, 0, static_cast<unsigned>(size), &word))))
        return;
    setPageSetupValue(setup, i, word);
}
