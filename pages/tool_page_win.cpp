// The tool page: ten pen rows, each a tool list, a thickness edit and a list
// of painted colour swatches. It is filled once when created and reacts to no
// command; everything is read back on OK.
#include <windows.h>

#include "pages/pages.h"
#include "pages/tool_logic.h"
#include "resources/resource_ids.h"
#include "settings/record.h"
#include "settings/settings_file.h"
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

void fillColourList(HWND page, int listId) {
    HWND list = dialogItem(page, listId);
    beginListFill(list);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    // Without item texts the list keeps the inserted value as the item data.
    for (int i = 0; i < kColourItemCount; ++i) {
        SendMessageW(list, CB_INSERTSTRING, static_cast<WPARAM>(i), static_cast<LPARAM>(i));
        SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(i));
    }
    endListFill(list);
}

void showPenRow(HWND page, int row, const PenSlot& slot) {
    fillListFromStrings(page, toolListId(row), IDS_TOOL_PENCIL, kToolItemCount);
    fillColourList(page, colourListId(row));
    const PenRow shown = penRowForSlot(slot);
    selectListPosition(page, toolListId(row), shown.toolPosition);
    setItemText(page, thicknessEditId(row), shown.thickness);
    selectListPosition(page, colourListId(row), shown.colourPosition);
}

void initialiseToolPage(HWND page) {
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
void insetOnce(RECT* rect, int line) {
    InflateRect(rect, -line, -line);
}

void frameAndInset(HDC dc, RECT* rect, HBRUSH brush, int line) {
    for (int i = 0; i < line; ++i) {
        FrameRect(dc, rect, brush);
        insetOnce(rect, 1);
    }
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

// Paints one swatch: a black frame (doubled for a selection change, inside a
// white frame with the focus rectangle for a focus change) around the colour.
// Returns false for a drawing action it does not paint.
bool paintSwatch(const DRAWITEMSTRUCT& item) {
    const UINT action = item.itemAction;
    if (action != ODA_DRAWENTIRE && action != ODA_SELECT && action != ODA_FOCUS)
        return false;
    // The empty selection field comes as item -1 and paints white.
    const int position = static_cast<int>(item.itemID);
    const SwatchColour colour = swatchColour(position);
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    HBRUSH swatch = CreateSolidBrush(RGB(colour.red, colour.green, colour.blue));
    HDC dc = item.hDC;
    const int line = scaleToDpi(1, windowDpi(item.hwndItem));
    RECT rect = item.rcItem;
    insetOnce(&rect, line);
    if (action == ODA_FOCUS) {
        const RECT focus = rect;
        frameAndInset(dc, &rect, white, line);
        DrawFocusRect(dc, &focus);
    } else if (action == ODA_SELECT) {
        frameAndInset(dc, &rect, black, line);
    }
    frameAndInset(dc, &rect, black, line);
    FillRect(dc, &rect, swatch);
    if (position == kNoColourPosition)
        drawDiagonal(dc, rect, line);
    DeleteObject(swatch);
    DeleteObject(black);
    DeleteObject(white);
    return true;
}

} // namespace

INT_PTR CALLBACK toolPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
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
    case WM_INITDIALOG:
        initialiseToolPage(page);
        return TRUE;
    }
    return FALSE;
}

void remeasureColourLists(HWND page) {
    if (page == nullptr || !IsWindow(page))
        return;
    const int height = scaleToDpi(kSwatchHeight, windowDpi(page));
    for (int row = 0; row < kPenSlotCount; ++row) {
        // -1 is the selection field, 0 the items of the open list.
        sendToItem(page, colourListId(row), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
        sendToItem(page, colourListId(row), CB_SETITEMHEIGHT, 0, height);
    }
}

bool saveToolPage(HWND page) {
    // Without its window there is nothing to read back; reading the missing
    // controls would turn every pen into the first tool.
    if (page != nullptr && IsWindow(page))
        for (int row = 0; row < kPenSlotCount; ++row)
            readPenRow(page, row, &g_plotterRecord.penSlots[row]);
    // The record also carries what the plotter additional page stored in it.
    return savePlotterSettings(&g_plotterRecord);
}
