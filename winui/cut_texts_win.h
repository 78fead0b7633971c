// Controls whose text is cut in the font they got: what each needs to show
// its text whole, and widening them into the free space beside them.
#pragma once

#include <windows.h>

#include <vector>

#include "winui/fit_logic.h"

// A control and where it stands (or would stand) in its dialog's client area.
struct ControlRect {
    HWND control;
    LayoutRect rect;
};

// What each control needs to show its text whole at `dpi` and which way it
// widens: static texts, buttons, check boxes, radio buttons, group boxes,
// and closed drop-down lists too narrow for an item. Texts are measured in
// `font`, or in each control's own font when null. Other controls, and all
// of them when the dialog gives no device context, need nothing.
std::vector<FitItem> measureTextNeeds(HWND dialog, const std::vector<ControlRect>& controls,
                                      int dpi, HFONT font);

// Widens every item whose text is cut into free space (widenIntoFreeSpace,
// with the gaps and margins of `dpi`) in a client area `clientWidth` wide.
// Returns the client width the items need now: never less than
// `clientWidth`, more where widening pushed items past it.
int widenCutTexts(std::vector<FitItem>& items, int clientWidth, int dpi);

// A drop-down list whose items are the operator's own texts (any length)
// keeps its closed width; its open list still shows every item whole.
void keepClosedWidth(HWND list);

// Whether the window is of the window class `name` (any case).
bool isOfClass(HWND window, const wchar_t* name);
