#include "winui/tabbed_dialog_win.h"

#include <commctrl.h>

#include "winui/tabbed_dialog_logic.h"

namespace {

LayoutRect displayArea(HWND sheet, HWND tabs) {
    RECT area;
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    MapWindowPoints(tabs, sheet, reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right, area.bottom};
}

// The template's extent in pixels of the page's own font.
bool pageExtent(HWND page, int templateId, LayoutSize* extent) {
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId),
                                MAKEINTRESOURCEW(5)); // RT_DIALOG
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    LayoutSize units = {};
    if (!bytes || !dialogTemplateExtent(static_cast<const unsigned char*>(bytes),
                                        SizeofResource(module, found), &units))
        return false;
    RECT rect = {0, 0, units.width, units.height};
    if (!MapDialogRect(page, &rect))
        return false;
    *extent = {rect.right - rect.left, rect.bottom - rect.top};
    return true;
}

void growWindow(HWND window, LayoutSize growth) {
    RECT rect;
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left + growth.width,
                 rect.bottom - rect.top + growth.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void moveChildBy(HWND parent, int id, LayoutSize offset) {
    HWND child = GetDlgItem(parent, id);
    if (!child)
        return;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    SetWindowPos(child, nullptr, rect.left + offset.width, rect.top + offset.height, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void growSheetToPages(HWND sheet, HWND tabs, const HWND* pages, const int* templateIds, int count) {
    if (!sheet || !tabs)
        return;
    LayoutSize largest = {0, 0};
    for (int i = 0; i < count; ++i) {
        LayoutSize extent;
        if (pages[i] && pageExtent(pages[i], templateIds[i], &extent)) {
            largest.width = extent.width > largest.width ? extent.width : largest.width;
            largest.height = extent.height > largest.height ? extent.height : largest.height;
        }
    }
    const LayoutRect area = displayArea(sheet, tabs);
    const LayoutSize growth =
        displayAreaGrowth({area.right - area.left, area.bottom - area.top}, largest);
    if (growth.width == 0 && growth.height == 0)
        return;
    growWindow(tabs, growth);
    growWindow(sheet, growth);
    moveChildBy(sheet, IDOK, growth);
    moveChildBy(sheet, IDCANCEL, growth);
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
}
