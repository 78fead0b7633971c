// The floor of the start-up benchmark: the very same resources (sheet, five
// page templates, strings, manifest), with dialog procedures that do nothing
// but create the pages. What any program showing this window must pay.
//
// Started with "shown" it also does what the window needs to look as users
// see it, and nothing of the program's own work: the dialogs in an installed
// face, the tab labels from the strings, cut texts widened, the sheet grown
// to its pages, the first page placed and shown over the tab's body, the
// swatch lists measured, and the sheet centred inside the work area.
// That second figure tells the window's own price from the program's.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "pages/pages.h"
#include "pages/tool_logic.h"
#include "resources/resource_ids.h"
#include "winui/dialog_face_win.h"
#include "winui/dpi_logic.h"
#include "winui/dpi_win.h"
#include "winui/tabbed_dialog_win.h"

static HINSTANCE g_floorInstance;
static bool g_asShown;

static INT_PTR CALLBACK floorPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_MEASUREITEM && g_asShown && lParam != 0) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        const int dpi = windowDpi(page);
        item->itemWidth = static_cast<UINT>(scaleToDpi(kSwatchWidth, dpi));
        item->itemHeight = static_cast<UINT>(scaleToDpi(kSwatchHeight, dpi));
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

static HWND createFloorPage(HWND sheet, int id) {
    if (!g_asShown)
        return CreateDialogParamW(g_floorInstance, MAKEINTRESOURCEW(id), sheet, floorPageProc, 0);
    return createTabPage(g_floorInstance, id, sheet, floorPageProc);
}

static void showAsUsersSeeIt(HWND sheet, HWND* pages) {
    HWND tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
    insertTabs(tabs, g_floorInstance, kPageCount, [](int i) {
        static const UINT labels[kPageCount] = {IDS_TAB_PAPER, IDS_TAB_PLOTTER_ENV,
                                                IDS_TAB_PLOTTER_EXTRA, IDS_TAB_TOOL,
                                                IDS_TAB_CATALOGUE};
        return labels[i];
    });
    // The window as the program shows it: grown to its pages, then centred.
    layOutTabbedDialog(sheet, tabs, pages, kPageCount, windowDpi(sheet));
    ShowWindow(pages[0], SW_SHOW);
    centreOnDesktop(sheet);
}

static INT_PTR CALLBACK floorSheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        const int pages[kPageCount] = {IDD_PAPER_PAGE, IDD_PLOTTER_ENV_PAGE, IDD_PLOTTER_EXTRA_PAGE,
                                       IDD_TOOL_PAGE, IDD_CATALOGUE_PAGE};
        if (g_asShown)
            takeOverLayout(sheet, g_floorInstance, IDD_SHEET);
        HWND created[kPageCount] = {};
        for (int i = 0; i < kPageCount; ++i)
            created[i] = createFloorPage(sheet, pages[i]);
        if (g_asShown && created[0])
            showAsUsersSeeIt(sheet, created);
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
    if (g_asShown)
        dialogBoxInInstalledFace(instance, IDD_SHEET, nullptr, floorSheetProc);
    else
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SHEET), nullptr, floorSheetProc, 0);
    return 0;
}
