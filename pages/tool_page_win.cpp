// The tool page: ten pen rows, each a tool list, a thickness edit and a list
// of painted colour swatches. It is filled once when created and reacts to no
// command; everything is read back on OK.
#include <windows.h>

#include "pages/page_common_win.h"
#include "pages/pages.h"
#include "pages/tool_logic.h"
#include "resources/resource_ids.h"
#include "settings/record.h"
#include "settings/settings_file.h"

HWND g_toolPage;

namespace {

const int kRowStep = IDC_PEN2_TOOL - IDC_PEN1_TOOL;
const int kSwatchWidth = 60;
const int kSwatchHeight = 15;

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
    g_toolPage = page;
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
void measureSwatch(MEASUREITEMSTRUCT* item) {
    item->itemWidth = kSwatchWidth;
    item->itemHeight = kSwatchHeight;
}

void insetOnce(RECT* rect) {
    InflateRect(rect, -1, -1);
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
    RECT rect = item.rcItem;
    insetOnce(&rect);
    if (action == ODA_FOCUS) {
        FrameRect(dc, &rect, white);
        DrawFocusRect(dc, &rect);
        insetOnce(&rect);
    } else if (action == ODA_SELECT) {
        FrameRect(dc, &rect, black);
        insetOnce(&rect);
    }
    FrameRect(dc, &rect, black);
    insetOnce(&rect);
    FillRect(dc, &rect, swatch);
    if (position == kNoColourPosition) {
        MoveToEx(dc, rect.left, rect.top, nullptr);
        LineTo(dc, rect.right - 1, rect.bottom - 1);
    }
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
        measureSwatch(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
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

bool saveToolPage(HWND page) {
    // Without its window there is nothing to read back; reading the missing
    // controls would turn every pen into the first tool.
    if (page != nullptr && IsWindow(page))
        for (int row = 0; row < kPenSlotCount; ++row)
            readPenRow(page, row, &g_plotterRecord.penSlots[row]);
    // The record also carries what the plotter additional page stored in it.
    return savePlotterSettings(&g_plotterRecord);
}
