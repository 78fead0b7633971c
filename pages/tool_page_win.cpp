// The tool page: ten pen rows, each a tool list, a thickness edit and a list
// of painted colour swatches. It reacts to no command; everything is read
// back on OK.
#include <windows.h>

#include "pages/pages.h"
#include "pages/tool_logic.h"
#include "resources/resource_ids.h"
#include "settings/record.h"
#include "storage/settings_file.h"
#include "winui/controls_win.h"
#include "winui/dpi_logic.h"
#include "winui/dpi_win.h"

namespace {

const int kRowStep = IDC_PEN2_TOOL - IDC_PEN1_TOOL;

int toolListId(int row) {
    return IDC_PEN1_TOOL + kRowStep * row;
}
int thicknessEditId(int row) {
    return IDC_PEN1_THICKNESS + kRowStep * row;
}
int colourListId(int row) {
    return IDC_PEN1_COLOUR + kRowStep * row;
}

void showPenRow(HWND page, int row, const PenSlot& slot) {
    fillListFromStrings(page, toolListId(row), IDS_TOOL_PENCIL, kToolItemCount);
    // The names are for screen readers; the items show only their swatches.
    fillListFromStrings(page, colourListId(row), IDS_COLOUR_FIRST, kColourItemCount);
    const PenRow shown = penRowForSlot(slot);
    selectListPosition(page, toolListId(row), shown.toolPosition);
    setItemText(page, thicknessEditId(row), shown.thickness);
    selectListPosition(page, colourListId(row), shown.colourPosition);
}

void initialise(HWND page) {
    for (int row = 0; row < kPenSlotCount; ++row)
        showPenRow(page, row, g_plotterRecord.penSlots[row]);
}

void readPenRow(HWND page, int row, PenSlot* slot) {
    char thickness[kNumberTextBufferSize];
    readControlText(page, thicknessEditId(row), thickness, sizeof thickness);
    storePenRow(slot, selectedListData(page, toolListId(row)), thickness,
                selectedListPosition(page, colourListId(row)));
}

// Every owner-drawn item of the page is a swatch of the same size.
void measureSwatch(HWND page, MEASUREITEMSTRUCT* item) {
    const int dpi = windowDpi(page);
    item->itemWidth = static_cast<UINT>(scaleToDpi(kSwatchWidth, dpi));
    item->itemHeight = static_cast<UINT>(scaleToDpi(kSwatchHeight, dpi));
}

// Insets, frames and the line are one pixel at 96 DPI.
void inset(RECT* rect, int by) {
    InflateRect(rect, -by, -by);
}

void frame(HDC dc, RECT rect, HBRUSH brush, int line) {
    for (int i = 0; i < line; ++i, inset(&rect, 1))
        FrameRect(dc, &rect, brush);
}

// The focus as a dotted frame in the item's text colour, not inverted
// pixels, so that it shows in that colour in every colour scheme.
void drawFocus(HDC dc, const RECT& rect, COLORREF colour, int line) {
    const LOGBRUSH solid = {BS_SOLID, colour, 0};
    HPEN dots = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &solid, 0, nullptr);
    if (!dots)
        return;
    HGDIOBJ previousPen = SelectObject(dc, dots);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RECT ring = rect;
    for (int i = 0; i < line; ++i, inset(&ring, 1))
        Rectangle(dc, ring.left, ring.top, ring.right, ring.bottom);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(dots);
}

// The none entry's diagonal, as wide as a frame.
void drawDiagonal(HDC dc, const RECT& rect, int line) {
    HPEN wide = nullptr;
    HGDIOBJ previous = nullptr;
    if (line > 1) {
        const LOGBRUSH black = {BS_SOLID, RGB(0, 0, 0), 0};
        wide = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, static_cast<DWORD>(line),
                            &black, 0, nullptr);
        if (wide)
            previous = SelectObject(dc, wide);
    }
    MoveToEx(dc, rect.left, rect.top, nullptr);
    LineTo(dc, rect.right - 1, rect.bottom - 1);
    if (wide) {
        SelectObject(dc, previous);
        DeleteObject(wide);
    }
}

// Paints one item whole, whatever the action, from its state: the ground in
// the system's window or selection colour, the focus dotted in the matching
// text colour, and inside a two-pixel margin the swatch in the pen's colour,
// framed in the text colour, so that a high-contrast scheme shows selection
// and focus like any list's. Returns false for a drawing action it does not
// paint.
bool paintSwatch(const DRAWITEMSTRUCT& item) {
    const UINT action = item.itemAction;
    if (action != ODA_DRAWENTIRE && action != ODA_SELECT && action != ODA_FOCUS)
        return false;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const int ground = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    const int text = selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    // The empty selection field comes as item -1 and paints white.
    const int position = static_cast<int>(item.itemID);
    const SwatchColour colour = swatchColour(position);
    HBRUSH swatch = CreateSolidBrush(RGB(colour.red, colour.green, colour.blue));
    HDC dc = item.hDC;
    const int line = scaleToDpi(1, windowDpi(item.hwndItem));
    RECT rect = item.rcItem;
    FillRect(dc, &rect, GetSysColorBrush(ground));
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
        drawFocus(dc, rect, GetSysColor(text), line);
    inset(&rect, 2 * line);
    frame(dc, rect, GetSysColorBrush(text), line);
    inset(&rect, line);
    FillRect(dc, &rect, swatch);
    if (position == kNoColourPosition)
        drawDiagonal(dc, rect, line);
    DeleteObject(swatch);
    return true;
}

// The swatch lists' item heights at the page's DPI, after a move to a
// monitor of another DPI.
void remeasureColourLists(HWND page) {
    const int height = scaleToDpi(kSwatchHeight, windowDpi(page));
    for (int row = 0; row < kPenSlotCount; ++row) {
        // -1 is the selection field, 0 the items of the open list.
        sendToItem(page, colourListId(row), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
        sendToItem(page, colourListId(row), CB_SETITEMHEIGHT, 0, height);
    }
}

void save(HWND page) {
    for (int row = 0; row < kPenSlotCount; ++row)
        readPenRow(page, row, &g_plotterRecord.penSlots[row]);
}

// The swatch lists' items are owner-drawn.
INT_PTR ownerDraw(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_MEASUREITEM:
        if (lParam == 0)
            return FALSE;
        measureSwatch(page, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        if (lParam == 0)
            return FALSE;
        return paintSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    }
    return FALSE;
}

} // namespace

const PageDef kToolPage = {
    .initialise = initialise,
    .save = save,
    .dpiChanged = remeasureColourLists,
    .message = ownerDraw,
};
