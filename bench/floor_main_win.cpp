// The floor of the start-up benchmark: the very same resources (sheet, five
// page templates, strings, manifest), with dialog procedures that do nothing
// but create the pages. What any program showing this window must pay.
//
// Started with "shown" it also does what the window needs to look as users
// see it, and nothing of the program's own work: the tab labels from the
// strings, the first page placed and shown, and the swatch lists measured.
// That second figure tells the window's own price from the program's.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "resources/resource_ids.h"

static HINSTANCE g_floorInstance;
static bool g_asShown;

static INT_PTR CALLBACK floorPageProc(HWND, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_MEASUREITEM && g_asShown && lParam != 0) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        item->itemWidth = 60;
        item->itemHeight = 15;
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

static void showAsUsersSeeIt(HWND sheet, HWND firstPage) {
    HWND tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
    const UINT labels[5] = {IDS_TAB_PAPER, IDS_TAB_PLOTTER_ENV, IDS_TAB_PLOTTER_EXTRA, IDS_TAB_TOOL,
                            IDS_TAB_CATALOGUE};
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64] = {};
        LoadStringW(g_floorInstance, labels[i], text, 64);
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    RECT area;
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    MapWindowPoints(tabs, sheet, reinterpret_cast<POINT*>(&area), 2);
    MoveWindow(firstPage, area.left, area.top, area.right - area.left, area.bottom - area.top,
               FALSE);
    ShowWindow(firstPage, SW_SHOW);
}

static INT_PTR CALLBACK floorSheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        const int pages[5] = {IDD_PAPER_PAGE, IDD_PLOTTER_ENV_PAGE, IDD_PLOTTER_EXTRA_PAGE,
                              IDD_TOOL_PAGE, IDD_CATALOGUE_PAGE};
        HWND firstPage = nullptr;
        for (int id : pages) {
            HWND page =
                CreateDialogParamW(g_floorInstance, MAKEINTRESOURCEW(id), sheet, floorPageProc, 0);
            if (!firstPage)
                firstPage = page;
        }
        if (g_asShown && firstPage)
            showAsUsersSeeIt(sheet, firstPage);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(sheet, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(sheet, 0);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    g_floorInstance = instance;
    g_asShown = commandLine && std::strstr(commandLine, "shown") != nullptr;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SHEET), nullptr, floorSheetProc, 0);
    return 0;
}
