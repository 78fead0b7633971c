// Page-setup values: what the paper page chose, kept in the registry next to
// RetVal for the plotter driver. Loaded at start-up, written after OK.
#pragma once

#include <cstddef>
#include <cstdint>

struct PlotterRecord;

struct PageRect {
    int32_t left, top, right, bottom;
};

struct PageSetup {
    int32_t Orientation; // 0 portrait, anything else landscape
    int32_t Size;        // 601 + catalogue index, or kCustomPaperSize
    int32_t Width;       // mm
    int32_t Height;      // mm
    int32_t Scale;       // hundredths of a percent
    int32_t pisroll;
    PageRect rPage;
    PageRect rPaper;
    int16_t iFstPage;
    int16_t iLstPage;
};

enum : int32_t { kFirstCatalogueSize = 601, kCustomPaperSize = 999 };

// Where the values live, a key of HKEY_CURRENT_USER, and that key in full as
// the messages name it.
extern const char kProgramKeyPath[];
extern const char kProgramKeyName[];

extern PageSetup g_pageSetup;

void pageSetupDefaults(PageSetup* setup);

// The printable area and the whole sheet, in a frame whose origin is the
// printable area's top-left corner, from orientation, roll flag and margins.
void computePageRects(PageSetup* setup, const PlotterRecord& record);

// The sixteen registry values in the order they are read and written.
enum : int { kPageSetupValueCount = 16 };
extern const char* const kPageSetupValueNames[kPageSetupValueCount];

// Value i as the 32-bit word stored for it (16-bit ones sign-extended), and
// the reverse: a word read from the registry into value i.
uint32_t pageSetupValue(const PageSetup& setup, int i);
// Whether value i is one of the rectangles computePageRects derives.
bool pageSetupValueComputed(int i);
void setPageSetupValue(PageSetup* setup, int i, uint32_t word);

// Value i from what the registry holds under its name, whatever its type:
// data of at most 4 bytes is taken zero-extended; longer data is not a
// page-setup value and leaves value i as it was.
void readPageSetupValue(PageSetup* setup, int i, const unsigned char* data, size_t size);
