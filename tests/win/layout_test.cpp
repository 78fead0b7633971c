// Every page whole and legible at the DPI of the test prefix (96, and 144 in
// its own ctest entry): what the sheet shows of each page, whether each text
// fits its box on one line, and the sizes the program sets in pixels.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "sheet_driver.h"

namespace {

int screenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

RECT screenRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

// The part of the page the sheet shows: the page's client area within the
// tab control's display area, on the screen.
RECT shownPart(HWND sheet, HWND page) {
    HWND tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
    RECT area, client;
    GetClientRect(tabs, &area);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&area), 2);
    GetClientRect(page, &client);
    MapWindowPoints(page, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT shown;
    IntersectRect(&shown, &area, &client);
    return shown;
}

std::string describe(HWND control) {
    char text[128] = {};
    GetWindowTextA(control, text, sizeof text);
    return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + text + "\"";
}

// Width a control's text may take: its client width, less the box and the
// gap before the text for check boxes and radio buttons (13 px and half a
// digit at 96 DPI, as the button paints them). -1 for no text control.
int textRoom(HWND control, HDC dc) {
    const std::wstring kind = className(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    RECT client;
    GetClientRect(control, &client);
    if (kind == L"Static") {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_SIMPLE &&
            type != SS_LEFTNOWORDWRAP)
            return -1;
        return client.right;
    }
    if (kind != L"Button")
        return -1;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        INT digit = 0;
        GetCharWidth32W(dc, L'0', L'0', &digit);
        return client.right - (12 * screenDpi() / 96 + 1) - digit / 2;
    }
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_GROUPBOX:
        return client.right;
    }
    return -1;
}

void expectTextFits(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const int room = textRoom(control, dc);
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    if (room >= 0 && text[0] != L'\0') {
        RECT needed = {0, 0, 0, 0};
        UINT flags = DT_CALCRECT | DT_SINGLELINE;
        if (className(control) == L"Static" && (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX))
            flags |= DT_NOPREFIX;
        DrawTextW(dc, text, -1, &needed, flags);
        EXPECT_LE(needed.right, room) << describe(control) << " is cut off";
    }
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
}

// Frames, rules and group boxes surround or separate other controls; any
// other two controls must not lie on one another.
bool mayContainOthers(HWND control) {
    const std::wstring kind = className(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (kind == L"Static") {
        const LONG type = style & SS_TYPEMASK;
        return type == SS_BLACKFRAME || type == SS_GRAYRECT;
    }
    return kind == L"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX;
}

void expectPageWhole(HWND sheet, int tab) {
    HWND page = sheetPage(tab);
    ASSERT_NE(page, nullptr);
    const RECT shown = shownPart(sheet, page);
    int checkedControls = 0;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c))
            continue;
        ++checkedControls;
        const RECT r = screenRect(c);
        EXPECT_TRUE(r.left >= shown.left && r.top >= shown.top && r.right <= shown.right &&
                    r.bottom <= shown.bottom)
            << "tab " << tab << ": " << describe(c) << " at " << r.left << "," << r.top << "-"
            << r.right << "," << r.bottom << " outside " << shown.left << "," << shown.top << "-"
            << shown.right << "," << shown.bottom;
        expectTextFits(c);
        if (mayContainOthers(c))
            continue;
        for (HWND o = GetWindow(c, GW_HWNDNEXT); o; o = GetWindow(o, GW_HWNDNEXT)) {
            RECT other = screenRect(o), both;
            if (IsWindowVisible(o) && !mayContainOthers(o) && IntersectRect(&both, &r, &other))
                ADD_FAILURE() << "tab " << tab << ": " << describe(c) << " overlaps "
                              << describe(o);
        }
    }
    EXPECT_GT(checkedControls, 10) << "tab " << tab;
}

TEST(Layout, RunsAtTheDpiItsPrefixSets) {
    const char* wanted = std::getenv("ZEMB_TEST_DPI");
    EXPECT_EQ(screenDpi(), wanted ? std::atoi(wanted) : 96);
}

TEST(Layout, EveryPageShowsWholeWithEveryTextOnOneLine) {
    freshSettings();
    std::vector<SheetStep> steps;
    for (int tab = 0; tab < 5; ++tab)
        steps.push_back([tab](HWND sheet) {
            clickTab(sheet, tab);
            SCOPED_TRACE("tab " + std::to_string(tab) + " at " + std::to_string(screenDpi()) +
                         " DPI");
            expectPageWhole(sheet, tab);
            return true;
        });
    steps.push_back([](HWND sheet) {
        // The sheet's own buttons stay inside it and clear of the tabs.
        RECT client, tabs = screenRect(GetDlgItem(sheet, IDC_SHEET_TABS));
        GetClientRect(sheet, &client);
        MapWindowPoints(sheet, nullptr, reinterpret_cast<POINT*>(&client), 2);
        for (int id : {IDOK, IDCANCEL}) {
            const RECT r = screenRect(GetDlgItem(sheet, id)), b = r;
            RECT both;
            EXPECT_FALSE(IntersectRect(&both, &b, &tabs)) << id;
            EXPECT_TRUE(r.right <= client.right && r.bottom <= client.bottom) << id;
            expectTextFits(GetDlgItem(sheet, id));
        }
        clickButton(sheet, IDCANCEL);
        return true;
    });
    EXPECT_EQ(runSheetWith(steps), 2);
}

// Colour items are 15 px and icons 32 px at 96 DPI, scaled as MulDiv scales.
struct DpiSizes {
    int dpi, colourItem, icon;
};
const DpiSizes kDpiSizes[] = {{96, 15, 32}, {120, 19, 40}, {144, 23, 48}, {192, 30, 64}};

DpiSizes expectedSizes() {
    for (const DpiSizes& sizes : kDpiSizes)
        if (sizes.dpi == screenDpi())
            return sizes;
    return {screenDpi(), -1, -1};
}

int expectedColourItemHeight() {
    return expectedSizes().colourItem;
}

void expectIconsSized(HWND page) {
    for (int id : {IDC_PAPER_PORTRAIT_ICON, IDC_PAPER_LANDSCAPE_ICON}) {
        ICONINFO info = {};
        HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageW(page, id, STM_GETICON, 0, 0));
        ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << id;
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, expectedSizes().icon) << id;
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

void expectColourItemsSized(HWND page) {
    for (int row = 0; row < 10; ++row) {
        const int id = IDC_PEN1_COLOUR + row * (IDC_PEN2_TOOL - IDC_PEN1_TOOL);
        EXPECT_EQ(SendDlgItemMessageW(page, id, CB_GETITEMHEIGHT, 0, 0), expectedColourItemHeight())
            << "pen " << row + 1;
    }
}

void expectOpenListsFitTheirItems(HWND page) {
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (className(c) != L"ComboBox" || (GetWindowLongW(c, GWL_STYLE) & CBS_OWNERDRAWFIXED))
            continue;
        HDC dc = GetDC(c);
        HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(c, WM_GETFONT, 0, 0)));
        const int count = static_cast<int>(SendMessageW(c, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            SendMessageW(c, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            SIZE size = {};
            GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
            const LRESULT dropped = SendMessageW(c, CB_GETDROPPEDWIDTH, 0, 0);
            EXPECT_GE(dropped,
                      size.cx + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE))
                << describe(c) << " item " << i;
        }
        SelectObject(dc, previous);
        ReleaseDC(c, dc);
    }
}

TEST(Layout, ColourItemsIconsAndOpenListsAreSizedForTheDpi) {
    freshSettings();
    runSheetWith({[](HWND sheet) {
        expectColourItemsSized(sheetPage(kToolPageIndex));
        expectIconsSized(sheetPage(kPaperPageIndex));
        for (int i = 0; i < kPageCount; ++i)
            expectOpenListsFitTheirItems(sheetPage(i));
        clickButton(sheet, IDCANCEL);
        return true;
    }});
}

// What the dialog manager does on a move to a monitor of another DPI: the
// sheet laid out anew from its template, the lists measured afresh.
void layOutFromTemplate(HWND sheet) {
    const struct {
        int id;
        RECT units;
    } controls[] = {{IDC_SHEET_TABS, {5, 5, 260, 270}},
                    {IDOK, {145, 275, 195, 289}},
                    {IDCANCEL, {205, 275, 255, 289}}};
    for (const auto& c : controls) {
        RECT r = c.units;
        MapDialogRect(sheet, &r);
        MoveWindow(GetDlgItem(sheet, c.id), r.left, r.top, r.right - r.left, r.bottom - r.top,
                   FALSE);
    }
    RECT client = {0, 0, 263, 295};
    MapDialogRect(sheet, &client);
    AdjustWindowRectEx(&client, GetWindowLongW(sheet, GWL_STYLE), FALSE,
                       GetWindowLongW(sheet, GWL_EXSTYLE));
    SetWindowPos(sheet, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    for (int row = 0; row < 10; ++row)
        SendDlgItemMessageW(sheetPage(kToolPageIndex),
                            IDC_PEN1_COLOUR + row * (IDC_PEN2_TOOL - IDC_PEN1_TOOL),
                            CB_SETITEMHEIGHT, 0, 5);
}

TEST(Layout, AMoveToAnotherDpiFitsThePagesAgain) {
    freshSettings();
    runSheetWith({[](HWND sheet) {
                      layOutFromTemplate(sheet);
                      RECT suggested = screenRect(sheet);
                      const int dpi = screenDpi();
                      SendMessageW(sheet, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                   reinterpret_cast<LPARAM>(&suggested));
                      return true;
                  },
                  [](HWND sheet) {
                      clickTab(sheet, 3);
                      expectColourItemsSized(sheetPage(kToolPageIndex));
                      for (int tab = 0; tab < 5; ++tab) {
                          clickTab(sheet, tab);
                          SCOPED_TRACE("tab " + std::to_string(tab));
                          expectPageWhole(sheet, tab);
                      }
                      clickButton(sheet, IDCANCEL);
                      return true;
                  }});
}

} // namespace
