// The floor of the start-up benchmark: the very same resources (sheet, five
// page templates, strings, manifest), with dialog procedures that do nothing
// but create the pages. What any program showing this window must pay.
#include <windows.h>
#include <commctrl.h>

#include "resources/resource_ids.h"

static HINSTANCE g_floorInstance;

static INT_PTR CALLBACK floorPageProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

static INT_PTR CALLBACK floorSheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        const int pages[5] = {IDD_PAPER_PAGE, IDD_PLOTTER_ENV_PAGE, IDD_PLOTTER_EXTRA_PAGE,
                              IDD_TOOL_PAGE, IDD_CATALOGUE_PAGE};
        for (int id : pages)
            CreateDialogParamA(g_floorInstance, MAKEINTRESOURCEA(id), sheet, floorPageProc, 0);
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_floorInstance = instance;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SHEET), nullptr, floorSheetProc, 0);
    return 0;
}
