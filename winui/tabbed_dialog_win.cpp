#include "winui/tabbed_dialog_win.h"

#include <commctrl.h>

#include <algorithm>

#include "winui/dialog_face_win.h"
#include "winui/dpi_logic.h"
#include "winui/dpi_win.h"
#include "winui/layout_at_dpi_win.h"
#include "winui/tabbed_dialog_logic.h"
#include "winui/visual_styles_win.h"
#include "winui/work_area_win.h"

namespace {

LayoutRect displayArea(HWND sheet, HWND tabs) {
    RECT area;
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    MapWindowPoints(tabs, sheet, reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right, area.bottom};
}

// The window's client area made `client` large, its frame that of `dpi`.
void resizeClient(HWND window, SIZE client, int dpi) {
    RECT outer;
    GetWindowRect(window, &outer);
    const SIZE size = windowSizeForClient(window, client, dpi);
    if (outer.right - outer.left == size.cx && outer.bottom - outer.top == size.cy)
        return;
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void growWindow(HWND window, LayoutSize growth) {
    RECT rect;
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left + growth.width,
                 rect.bottom - rect.top + growth.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The buttons below the tab control go down with the bottom edge, and those
// in its right half (OK, Cancel) also right with the right edge; one at the
// left stays at the left.
void moveButtonRow(HWND sheet, HWND tabs, LayoutSize growth) {
    RECT tabsRect;
    GetWindowRect(tabs, &tabsRect);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&tabsRect), 2);
    const LONG middle = (tabsRect.left + tabsRect.right) / 2;
    for (HWND child = GetWindow(sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 16);
        if (lstrcmpiW(kind, L"Button") != 0)
            continue;
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&rect), 2);
        const int right = rect.left >= middle ? growth.width : 0;
        SetWindowPos(child, nullptr, rect.left + right, rect.top + growth.height, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// How much wider the tab control must be for all its tabs to stand in one
// row without scroll arrows; 0 when they do.
int tabRowShortfall(HWND tabs, int dpi) {
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    // Tabs scrolled out of view still tell their rectangles (though not that
    // they are shown), offset by the scrolling: their widths add up all the same.
    int row = 0;
    for (int i = 0; i < count; ++i) {
        RECT item = {};
        SendMessageW(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
        row += item.right - item.left;
    }
    RECT client = {};
    GetClientRect(tabs, &client);
    // The row starts a little in, and the selected tab stands out a little.
    return std::max<LONG>(0, row + scaleToDpi(6, dpi) - client.right);
}

// A hidden copy of the tab control at `rect`, in `font`, with the same
// tabs: what the tab control would measure in that font, asked without
// touching it.
HWND twinOfTabs(HWND sheet, HWND tabs, const RECT& rect, HFONT font) {
    HWND twin = CreateWindowExW(
        static_cast<DWORD>(GetWindowLongW(tabs, GWL_EXSTYLE)) | WS_EX_NOPARENTNOTIFY,
        WC_TABCONTROLW, L"", static_cast<DWORD>(GetWindowLongW(tabs, GWL_STYLE)) & ~WS_VISIBLE,
        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, sheet, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(sheet, GWLP_HINSTANCE)), nullptr);
    if (!twin)
        return nullptr;
    SendMessageW(twin, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        item.pszText = text;
        SendMessageW(twin, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    return twin;
}

// How much the tab control and the sheet grow beyond the sheet's own
// layout, for a tab control that is `tabs` or its twin.
LayoutSize tabGrowth(HWND sheet, HWND tabs, LayoutSize largest, int dpi) {
    const LayoutRect area = displayArea(sheet, tabs);
    LayoutSize growth =
        displayAreaGrowth({area.right - area.left, area.bottom - area.top}, largest);
    growth.width = std::max(growth.width, tabRowShortfall(tabs, dpi));
    return growth;
}

// The size the largest page needs at `dpi`, laid out or only measured.
LayoutSize largestPage(const HWND* pages, int count, int dpi, bool apply) {
    LayoutSize largest = {0, 0};
    for (int i = 0; i < count; ++i) {
        if (!pages[i])
            continue;
        const SIZE needed = apply ? layOutDialogAt(pages[i], dpi) : measureDialogAt(pages[i], dpi);
        largest.width = std::max<int>(largest.width, needed.cx);
        largest.height = std::max<int>(largest.height, needed.cy);
    }
    return largest;
}

} // namespace

SIZE measureTabbedDialog(HWND sheet, HWND tabs, const HWND* pages, int count, int dpi) {
    if (!sheet || !tabs)
        return {0, 0};
    RECT tabsRect = {};
    const SIZE client = measureDialogAt(sheet, dpi, tabs, &tabsRect);
    const LayoutSize largest = largestPage(pages, count, dpi, false);
    bool deleteFont = false;
    HFONT font = dialogFontAt(sheet, dpi, &deleteFont);
    HWND twin = twinOfTabs(sheet, tabs, tabsRect, font);
    const LayoutSize growth = twin ? tabGrowth(sheet, twin, largest, dpi) : LayoutSize{0, 0};
    if (twin)
        DestroyWindow(twin);
    if (deleteFont)
        DeleteObject(font);
    if (!twin || client.cx <= 0)
        return {0, 0};
    const SIZE window = windowSizeForClient(sheet, client, dpi);
    return {window.cx + growth.width, window.cy + growth.height};
}

void layOutTabbedDialog(HWND sheet, HWND tabs, const HWND* pages, int count, int dpi) {
    if (!sheet || !tabs)
        return;
    resizeClient(sheet, layOutDialogAt(sheet, dpi), dpi);
    const LayoutSize growth = tabGrowth(sheet, tabs, largestPage(pages, count, dpi, true), dpi);
    if (growth.width != 0 || growth.height != 0) {
        moveButtonRow(sheet, tabs, growth);
        growWindow(tabs, growth);
        growWindow(sheet, growth);
    }
    placePagesInTabs(sheet, tabs, pages, count);
}

void takeOverLayout(HWND dialog, HINSTANCE module, int id) {
    scaleDialogOurselves(dialog);
    keepFirstLayout(dialog, dialogTemplatePointSize(module, id));
}

HWND createTabPage(HINSTANCE module, int id, HWND sheet, DLGPROC proc) {
    HWND page = createDialogInInstalledFace(module, id, sheet, proc);
    if (page) {
        takeOverLayout(page, module, id);
        paintLikeTabBody(page);
    }
    return page;
}

void insertTabs(HWND tabs, HINSTANCE module, int count, UINT (*labelId)(int index)) {
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        LoadStringW(module, labelId(i), text, 64);
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

void placePagesInTabs(HWND sheet, HWND tabs, const HWND* pages, int count) {
    const LayoutRect placed = pagePlacement(displayArea(sheet, tabs));
    for (int i = 0; i < count; ++i)
        if (pages[i])
            MoveWindow(pages[i], placed.left, placed.top, placed.right - placed.left,
                       placed.bottom - placed.top, FALSE);
}

void centreOnDesktop(HWND sheet) {
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(sheet, &own);
    const LayoutPoint origin =
        centredOrigin(desktop.right, desktop.bottom, {own.right - own.left, own.bottom - own.top});
    SetWindowPos(sheet, nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    keepInsideWorkArea(sheet);
}
