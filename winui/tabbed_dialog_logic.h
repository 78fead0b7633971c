// Geometry of a dialog that shows child-dialog pages over a tab control,
// computed without a window: how much it grows so its pages show whole,
// where the pages go in the tab's display area, where it is centred.
#pragma once

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
