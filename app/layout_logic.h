// Window geometry that needs no window: how much the sheet grows so its
// pages show whole, where the pages go in the tab's display area, where the
// sheet is centred, and sizes defined at 96 DPI scaled to a window's DPI.
#pragma once

#include <cstddef>
#include <cstdint>

enum : int { kBaseDpi = 96 };

struct LayoutRect {
    int left, top, right, bottom;
};

struct LayoutSize {
    int width, height;
};

// How much the tab control and the sheet must grow so that a display area
// of the given size holds a page of the given extent; 0 where it fits.
LayoutSize displayAreaGrowth(LayoutSize area, LayoutSize page);

// Where a page goes in the display area: 2 more to the left and 1 more at
// the bottom, so the page's edge covers the tab control's inner border.
LayoutRect pagePlacement(LayoutRect area);

// Top-left of a window of this size centred on the desktop, each halving an
// integer division toward zero.
struct LayoutPoint {
    int x, y;
};
LayoutPoint centredOrigin(int desktopRight, int desktopBottom, LayoutSize window);

// A size defined at 96 DPI at another DPI, rounded as MulDiv rounds (half
// away from zero): 15 at 144 DPI is 23.
int scaleToDpi(int value, int dpi);

// Width and height, in dialog units, of a dialog template (DIALOG or
// DIALOGEX) as the resource holds it; false for bytes too short to be one.
bool dialogTemplateExtent(const unsigned char* bytes, size_t size, LayoutSize* extent);
