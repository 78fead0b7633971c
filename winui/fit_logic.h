// Keeping what a dialog shows whole, worked out without a window: where a
// window goes so that its monitor's work area holds it, and how controls
// whose text is cut widen into free space.
#pragma once

#include <vector>

#include "winui/tabbed_dialog_logic.h"

// Top-left of a window moved the least distance that puts it inside the
// work area, each axis on its own; on an axis where the window is larger
// than the work area, the work area's edge (so the caption stays in reach).
// A window already inside stays where it is.
LayoutPoint keepInWorkArea(LayoutRect window, LayoutRect workArea);

// Which way a control widens first: the side away from where its text is
// anchored (a right-aligned label to the left, a check box to the right).
enum class Widen { Left, Right, Both };

struct FitItem {
    LayoutRect rect;
    int needed;     // width its text needs; not more than its width when whole
    Widen widen;    // side it widens to first
    bool container; // a group box or frame, which others may lie inside
};

// Widens, in order, every item narrower than it needs. First into free
// space on its own side (both sides for centred text; the edge its text is
// anchored to stays): up to the next item beside it (an item inside a
// container up to the container's frame), with `gap` between, and not past
// leftBound or rightBound (nor the items' own extent, where that reaches
// further). What is still missing is made by moving everything at or right
// of the item's right edge further right, what lies across that edge
// growing with it, as does a right-aligned item no further than `reach`
// left of one that moves (a label beside its field). Items never come to
// lie over one another. Returns how far the items' right edge moved.
int widenIntoFreeSpace(std::vector<FitItem>& items, int gap, int reach, int leftBound,
                       int rightBound);
