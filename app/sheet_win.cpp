// The sheet: an ordinary modal dialog that manages a tab control and five
// child-dialog pages itself.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "storage/settings_file.h"
#include "winui/controls_win.h"
#include "winui/dialog_face_win.h"
#include "winui/dpi_win.h"
#include "winui/instance_win.h"
#include "winui/messages_win.h"
#include "winui/tabbed_dialog_win.h"
#include "winui/work_area_win.h"

namespace {

struct SheetPage {
    const PageDef* def;
    UINT tabTextId;
    int templateId;
};

// In tab order, which is also the order the pages are created, checked and
// saved in.
const SheetPage kPages[kPageCount] = {
    {&kPaperPage, IDS_TAB_PAPER, IDD_PAPER_PAGE},
    {&kPlotterEnvPage, IDS_TAB_PLOTTER_ENV, IDD_PLOTTER_ENV_PAGE},
    {&kPlotterExtraPage, IDS_TAB_PLOTTER_EXTRA, IDD_PLOTTER_EXTRA_PAGE},
    {&kToolPage, IDS_TAB_TOOL, IDD_TOOL_PAGE},
    {&kCataloguePage, IDS_TAB_CATALOGUE, IDD_CATALOGUE_PAGE},
};

HWND g_sheet;
HWND g_tabs;
HWND g_pages[kPageCount];
HHOOK g_keyboardHook;
// The sheet's own icons, loaded at the sizes of its DPI.
HICON g_bigIcon;
HICON g_smallIcon;
// While the operator drags the sheet, where it goes is theirs to say.
bool g_beingMoved;
bool g_keepInsideWhenMoved;

// The pages' dialog units (10 point) are wider than the sheet's (9 point):
// the sheet grows until its tab's display area holds a whole page, with
// every text whole and the tabs in one row.
void layOutSheet(HWND sheet, int dpi) {
    layOutTabbedDialog(sheet, g_tabs, g_pages, kPageCount, dpi);
}

// The caption's and the task bar's icons at the sizes the DPI asks for; the
// dialog has none of its own, and one scaled from another size is blurred.
void setIconsForDpi(HWND sheet, int dpi) {
    const struct {
        WPARAM which;
        int width, height;
        HICON* kept;
    } icons[] = {{ICON_BIG, SM_CXICON, SM_CYICON, &g_bigIcon},
                 {ICON_SMALL, SM_CXSMICON, SM_CYSMICON, &g_smallIcon}};
    for (const auto& icon : icons) {
        HANDLE loaded = LoadImageW(g_instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                   systemMetricForDpi(icon.width, dpi),
                                   systemMetricForDpi(icon.height, dpi), 0);
        if (!loaded)
            continue;
        SendMessageW(sheet, WM_SETICON, icon.which, reinterpret_cast<LPARAM>(loaded));
        if (*icon.kept)
            DestroyIcon(*icon.kept);
        *icon.kept = static_cast<HICON>(loaded);
    }
}

void destroyIcons() {
    for (HICON* icon : {&g_bigIcon, &g_smallIcon}) {
        if (*icon)
            DestroyIcon(*icon);
        *icon = nullptr;
    }
}

// Windows asks, before it moves the sheet to a monitor of another DPI, how
// large it will be there, and then suggests a rectangle of that size: the
// answer is a dry run of the layout that the DPI change then makes, so the
// sheet keeps its place under the cursor while it is dragged across.
bool answerDpiScaledSize(HWND sheet, int dpi, SIZE* size) {
    const SIZE needed = measureTabbedDialog(sheet, g_tabs, g_pages, kPageCount, dpi);
    if (needed.cx <= 0 || needed.cy <= 0)
        return false;
    *size = needed;
    return true;
}

// The dialog manager would scale the sheet and its pages itself, each from
// its own template, and so undo the widening; the sheet lays everything out
// anew at the DPI it was told, from where it stood at the start.
void followNewDpi(HWND sheet, int dpi, const RECT* suggested) {
    followDpiChange(sheet, dpi);
    layOutSheet(sheet, dpi);
    for (HWND page : g_pages)
        pageFollowDpi(page);
    setIconsForDpi(sheet, dpi);
    // The suggestion is the size answered to WM_GETDPISCALEDSIZE; should it
    // ever be less than the layout needs, the sheet keeps what it needs.
    if (suggested) {
        RECT laidOut;
        GetWindowRect(sheet, &laidOut);
        SetWindowPos(sheet, nullptr, suggested->left, suggested->top,
                     std::max(suggested->right - suggested->left, laidOut.right - laidOut.left),
                     std::max(suggested->bottom - suggested->top, laidOut.bottom - laidOut.top),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (g_beingMoved)
        g_keepInsideWhenMoved = true;
    else
        keepInsideWorkArea(sheet);
    RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void showPage(int index) {
    if (index < 0 || index >= kPageCount)
        return;
    for (int i = 0; i < kPageCount; ++i)
        if (g_pages[i])
            ShowWindow(g_pages[i], i == index ? SW_SHOW : SW_HIDE);
}

// Selecting a tab from the keyboard: the page follows and takes the focus, as
// in the platform's own property sheets.
void selectTab(int index) {
    if (index < 0 || index >= kPageCount)
        return;
    TabCtrl_SetCurSel(g_tabs, index);
    showPage(index);
    if (g_pages[index]) {
        HWND first = GetNextDlgTabItem(g_pages[index], nullptr, FALSE);
        SetFocus(first ? first : g_tabs);
    }
}

// The dialog manager knows no Ctrl+Tab; users of tabbed dialogs expect it
// (and Ctrl+PageUp/PageDown) to move between the tabs from any control.
LRESULT CALLBACK sheetKeyboardFilter(int code, WPARAM wParam, LPARAM lParam) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg->message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 &&
        g_sheet && (msg->hwnd == g_sheet || IsChild(g_sheet, msg->hwnd))) {
        int step = 0;
        if (msg->wParam == VK_TAB)
            step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        else if (msg->wParam == VK_NEXT)
            step = 1;
        else if (msg->wParam == VK_PRIOR)
            step = -1;
        if (step != 0) {
            const int current = TabCtrl_GetCurSel(g_tabs);
            selectTab(((current < 0 ? 0 : current) + step + kPageCount) % kPageCount);
            return TRUE;
        }
    }
    return CallNextHookEx(g_keyboardHook, code, wParam, lParam);
}

void initialiseSheet(HWND sheet) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    g_tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
    takeOverLayout(sheet, g_instance, IDD_SHEET);
    insertTabs(g_tabs, g_instance, kPageCount, [](int i) { return kPages[i].tabTextId; });
    for (int index = 0; index < kPageCount; ++index)
        g_pages[index] =
            createPage(g_instance, kPages[index].templateId, sheet, *kPages[index].def);
    layOutSheet(sheet, windowDpi(sheet));
    setIconsForDpi(sheet, windowDpi(sheet));
    showPage(0);
    centreOnDesktop(sheet); // on the size the pages need
    g_sheet = sheet;
    markSessionSheet(sheet);
    g_keyboardHook =
        SetWindowsHookExW(WH_MSGFILTER, sheetKeyboardFilter, nullptr, GetCurrentThreadId());
}

// The file is saved once, after every page stored itself. The sheet closes
// only when it was.
void applyAndClose(HWND sheet) {
    if (storeEveryPage(sheet) && saveSettingsAskingFirst(sheet))
        EndDialog(sheet, 1);
}

// The page that sent a unit choice, as its tab index.
int pageIndexOf(HWND page) {
    for (int i = 0; i < kPageCount; ++i)
        if (g_pages[i] == page)
            return i;
    return -1;
}

// Unit synchronisation and the tests must never reach a page that is gone.
void forgetPages() {
    for (HWND& page : g_pages)
        page = nullptr;
}

void closeFromCloseBox(HWND sheet) {
    for (HWND page : g_pages)
        if (page)
            DestroyWindow(page);
    forgetPages();
    EndDialog(sheet, 0);
}

INT_PTR CALLBACK sheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
    if (comeForwardIfAsked(sheet, message))
        return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        initialiseSheet(sheet);
        return FALSE; // the focus was not set here
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == g_tabs && header->code == TCN_SELCHANGE)
            showPage(TabCtrl_GetCurSel(g_tabs));
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            applyAndClose(sheet);
            break;
        case IDCANCEL:
            EndDialog(sheet, 2);
            break;
        case IDC_SHEET_PRESETS:
            runPresetDialog(sheet);
            break;
        }
        return TRUE;
    case WM_CLOSE:
        closeFromCloseBox(sheet);
        return TRUE;
    case WM_DESTROY: // before the pages, its children, are destroyed
        forgetPages();
        unmarkSessionSheet(sheet);
        return FALSE;
    case WM_GETDPISCALEDSIZE:
        if (!answerDpiScaledSize(sheet, static_cast<int>(wParam), reinterpret_cast<SIZE*>(lParam)))
            return FALSE;
        SetWindowLongPtrW(sheet, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_DPICHANGED:
        followNewDpi(sheet, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_ENTERSIZEMOVE:
        g_beingMoved = true;
        return FALSE;
    case WM_EXITSIZEMOVE:
        g_beingMoved = false;
        if (g_keepInsideWhenMoved)
            keepInsideWorkArea(sheet);
        g_keepInsideWhenMoved = false;
        return FALSE;
    case kUnitChosenMessage:
        synchroniseUnits(pageIndexOf(reinterpret_cast<HWND>(wParam)), static_cast<int>(lParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR runPropertySheet() {
    const INT_PTR result = dialogBoxInInstalledFace(g_instance, IDD_SHEET, nullptr, sheetProc);
    followDpiChange(nullptr, 0);
    destroyIcons();
    g_beingMoved = g_keepInsideWhenMoved = false;
    if (g_keyboardHook)
        UnhookWindowsHookEx(g_keyboardHook);
    g_keyboardHook = nullptr;
    g_sheet = nullptr;
    g_tabs = nullptr;
    return result;
}

HWND sheetPage(int index) {
    return index >= 0 && index < kPageCount ? g_pages[index] : nullptr;
}

void showSettingsOnEveryPage() {
    for (HWND page : g_pages)
        pageInitialise(page);
}

bool storeEveryPage(HWND sheet) {
    // A typed text the settings file cannot hold is caught before any page
    // stores anything.
    for (int i = 0; i < kPageCount; ++i) {
        const int unstorable = pageValidate(g_pages[i]);
        if (unstorable != 0) {
            selectTab(i);
            reportUnstorableText(sheet, g_pages[i], unstorable);
            return false;
        }
    }
    // In the fixed order, so that later pages see what earlier ones stored.
    for (HWND page : g_pages)
        pageSave(page);
    return true;
}
