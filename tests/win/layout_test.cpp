// Every page whole and legible at the DPI of the test prefix (96, and 144 in
// its own ctest entry; each also without the dialogs' face, see
// scripts/wine-setup) and at the DPI of a monitor the sheet is moved to:
// what the sheet shows of each page, whether each text fits its box on one
// line, tabs in one row, lists whole open and closed, and the sizes the
// program sets in pixels; the face they are laid out in and their background.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "sheet_driver.h"

namespace {

// The DPI the sheet is shown at: the screen's, or the one a DPI change told it.
int g_shownDpi;

int shownDpi() {
    return g_shownDpi ? g_shownDpi : screenDpi();
}

int metricAt(int metric, int dpi) {
    using ForDpi = int(WINAPI*)(int, UINT);
    static const auto forDpi = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    return forDpi ? forDpi(metric, static_cast<UINT>(dpi)) : GetSystemMetrics(metric);
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
        return client.right - (12 * shownDpi() / 96 + 1) - digit / 2;
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

// All five tabs stand in one row: none hides behind scroll arrows.
void expectTabsInOneRow(HWND sheet) {
    HWND tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
    RECT client, last;
    GetClientRect(tabs, &client);
    ASSERT_TRUE(
        SendMessageW(tabs, TCM_GETITEMRECT, kPageCount - 1, reinterpret_cast<LPARAM>(&last)));
    EXPECT_LE(last.right, client.right) << "the last tab ends outside the tab control";
    for (HWND c = GetWindow(tabs, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        EXPECT_FALSE(className(c) == L"msctls_updown32" && IsWindowVisible(c)) << "the tabs scroll";
}

// Calls check(list, item, text width) for every item of every drop-down
// list with texts on the page, measured in the list's font.
void forEachListItem(HWND page, const std::function<void(HWND, int, int)>& check) {
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
            check(c, i, size.cx);
        }
        SelectObject(dc, previous);
        ReleaseDC(c, dc);
    }
}

// Every item of a drop-down list shows whole in its closed box; but for the
// paper sizes, whose names are the operator's own and may be 63 bytes long.
void expectClosedListsShowEveryItem(HWND page) {
    forEachListItem(page, [page](HWND list, int item, int width) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        if ((page == sheetPage(kPaperPageIndex) && GetDlgCtrlID(list) == IDC_PAPER_SIZE) ||
            !GetComboBoxInfo(list, &info))
            return;
        // The text starts a pixel into the box.
        EXPECT_GE(info.rcItem.right - info.rcItem.left, width + 2)
            << describe(list) << " cuts item " << item;
    });
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
            expectClosedListsShowEveryItem(sheetPage(tab));
            return true;
        });
    steps.push_back([](HWND sheet) {
        expectTabsInOneRow(sheet);
        // The sheet's own buttons stay inside it and clear of the tabs.
        RECT client, tabs = screenRect(GetDlgItem(sheet, IDC_SHEET_TABS));
        GetClientRect(sheet, &client);
        MapWindowPoints(sheet, nullptr, reinterpret_cast<POINT*>(&client), 2);
        for (int id : {IDC_SHEET_PRESETS, IDOK, IDCANCEL}) {
            const RECT r = screenRect(GetDlgItem(sheet, id)), b = r;
            RECT both;
            EXPECT_FALSE(IntersectRect(&both, &b, &tabs)) << id;
            EXPECT_TRUE(r.right <= client.right && r.bottom <= client.bottom) << id;
            expectTextFits(GetDlgItem(sheet, id));
        }
        const RECT presets = screenRect(GetDlgItem(sheet, IDC_SHEET_PRESETS)),
                   ok = screenRect(GetDlgItem(sheet, IDOK));
        EXPECT_LT(presets.right, ok.left) << "the presets button runs into OK";
        EXPECT_LE(presets.left, tabs.left + MulDiv(8, shownDpi(), 96))
            << "the presets button left the left edge";
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
        if (sizes.dpi == shownDpi())
            return sizes;
    return {shownDpi(), -1, -1};
}

int expectedColourItemHeight() {
    return expectedSizes().colourItem;
}

void expectIconsSized(HWND page) {
    const int size = expectedSizes().icon;
    for (int id : {IDC_PAPER_PORTRAIT_ICON, IDC_PAPER_LANDSCAPE_ICON}) {
        ICONINFO info = {};
        HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageW(page, id, STM_GETICON, 0, 0));
        // After a DPI change, loaded for the control alone: a shared icon comes
        // back at whatever size was asked first.
        if (shownDpi() != screenDpi()) {
            EXPECT_NE(icon, LoadImageW(GetModuleHandleW(nullptr),
                                       MAKEINTRESOURCEW(id == IDC_PAPER_PORTRAIT_ICON
                                                            ? IDI_PAPER_PORTRAIT
                                                            : IDI_PAPER_LANDSCAPE),
                                       IMAGE_ICON, size, size, LR_SHARED))
                << id << " is a shared icon";
        }
        ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << id;
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size) << id;
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
    forEachListItem(page, [](HWND list, int item, int width) {
        EXPECT_GE(SendMessageW(list, CB_GETDROPPEDWIDTH, 0, 0),
                  width + metricAt(SM_CXVSCROLL, shownDpi()) + 2 * metricAt(SM_CXEDGE, shownDpi()))
            << describe(list) << " item " << item;
    });
}

void expectSheetIconsSized(HWND sheet) {
    const struct {
        WPARAM which;
        int metric;
    } icons[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
    for (const auto& icon : icons) {
        ICONINFO info = {};
        HICON shown = reinterpret_cast<HICON>(SendMessageW(sheet, WM_GETICON, icon.which, 0));
        ASSERT_TRUE(shown && GetIconInfo(shown, &info)) << "icon " << icon.which;
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, metricAt(icon.metric, shownDpi())) << "icon " << icon.which;
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST(Layout, ColourItemsIconsAndOpenListsAreSizedForTheDpi) {
    freshSettings();
    runSheetWith({[](HWND sheet) {
        expectColourItemsSized(sheetPage(kToolPageIndex));
        expectIconsSized(sheetPage(kPaperPageIndex));
        expectSheetIconsSized(sheet);
        for (int i = 0; i < kPageCount; ++i)
            expectOpenListsFitTheirItems(sheetPage(i));
        clickButton(sheet, IDCANCEL);
        return true;
    }});
}

// Tells the sheet of a DPI change with this suggested rectangle; returns
// where the sheet then is.
RECT changeDpi(HWND sheet, int dpi, RECT suggested) {
    SendMessageW(sheet, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    g_shownDpi = dpi;
    return screenRect(sheet);
}

// What Windows asks before it moves the sheet to a monitor of `dpi`: its
// size there, given the size scaled linearly.
SIZE askedSize(HWND sheet, int dpi) {
    const RECT now = screenRect(sheet);
    SIZE size = {MulDiv(now.right - now.left, dpi, shownDpi()),
                 MulDiv(now.bottom - now.top, dpi, shownDpi())};
    EXPECT_TRUE(SendMessageW(sheet, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)));
    return size;
}

// As Windows moves the sheet to a monitor of `dpi`: asks its size there,
// then suggests a rectangle of that size where it stands.
void tellDpi(HWND sheet, int dpi) {
    const RECT now = screenRect(sheet);
    const SIZE size = askedSize(sheet, dpi);
    changeDpi(sheet, dpi, {now.left, now.top, now.left + size.cx, now.top + size.cy});
}

// The size the sheet answers for a DPI is the one its layout takes there: a
// suggestion too small to hold it leaves the sheet at that size; and it
// takes the whole rectangle Windows then suggests, larger ones too.
TEST(Layout, TheSizeAnsweredForADpiIsTheSizeTheSheetTakes) {
    freshSettings();
    runSheetWith({[](HWND sheet) {
        for (int dpi : {screenDpi() + 48, screenDpi() * 2, screenDpi() + 24, screenDpi()}) {
            SCOPED_TRACE(std::to_string(dpi) + " DPI");
            const SIZE answered = askedSize(sheet, dpi);
            const RECT now = screenRect(sheet);
            const RECT small =
                changeDpi(sheet, dpi, {now.left, now.top, now.left + 1, now.top + 1});
            EXPECT_EQ(small.right - small.left, answered.cx);
            EXPECT_EQ(small.bottom - small.top, answered.cy);
            // At the work area's corner, where keeping the sheet inside moves nothing.
            RECT work;
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
            const RECT taken = {work.left, work.top, work.left + answered.cx + 20,
                                work.top + answered.cy + 8};
            const RECT got = changeDpi(sheet, dpi, taken);
            EXPECT_TRUE(EqualRect(&got, &taken))
                << got.left << "," << got.top << "-" << got.right << "," << got.bottom;
        }
        clickButton(sheet, IDCANCEL);
        return true;
    }});
    g_shownDpi = 0;
}

// Tabs whose texts take more room than the pages (a wide face, a large
// font): laid out again, the sheet grows until all stand in one row.
TEST(Layout, TabsStayInOneRowWhateverTheirTexts) {
    freshSettings();
    runSheetWith({[](HWND sheet) {
                      HWND tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
                      wchar_t text[] = L"プロッタ環境設定プロッタ環境設定プロッタ環境設定";
                      TCITEMW item = {};
                      item.mask = TCIF_TEXT;
                      item.pszText = text;
                      SendMessageW(tabs, TCM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item));
                      tellDpi(sheet, screenDpi());
                      return true;
                  },
                  [](HWND sheet) {
                      expectTabsInOneRow(sheet);
                      clickButton(sheet, IDCANCEL);
                      return true;
                  }});
    g_shownDpi = 0;
}

// Where every control of the sheet and its pages is, and its font's height.
struct Placed {
    HWND window;
    RECT rect;
    LONG fontHeight;
};

std::vector<Placed> placedControls(HWND sheet) {
    std::vector<Placed> placed;
    std::vector<HWND> parents = {sheet};
    for (int i = 0; i < kPageCount; ++i)
        parents.push_back(sheetPage(i));
    for (HWND parent : parents)
        for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            LOGFONTW font = {};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            placed.push_back({c, screenRect(c), font.lfHeight});
            OffsetRect(&placed.back().rect, -screenRect(sheet).left, -screenRect(sheet).top);
        }
    return placed;
}

// Moved to a monitor of another DPI, the sheet is laid out for it: fonts of
// the new size, icons loaded at it, lists measured afresh, every page whole
// again; moved back, everything is where and as large as it was.
TEST(Layout, ADpiChangeLaysTheSheetOutAgain) {
    freshSettings();
    // A paper name longer than its closed box: only the open list shows it
    // whole, and only when measured again in the new font.
    changeSettingsFile([](Bytes& b) {
        const char name[] = "Operator's own roll of tracing paper, 914 mm wide, matt";
        std::copy(name, name + sizeof name, b.begin() + 1538 + 2);
    });
    const int newDpi = screenDpi() + 48;
    std::vector<Placed> before;
    runSheetWith({[&before, newDpi](HWND sheet) {
                      before = placedControls(sheet);
                      tellDpi(sheet, newDpi);
                      return true;
                  },
                  [newDpi](HWND sheet) {
                      expectColourItemsSized(sheetPage(kToolPageIndex));
                      expectIconsSized(sheetPage(kPaperPageIndex));
                      expectSheetIconsSized(sheet);
                      LOGFONTW font = {};
                      for (int i = 0; i < kPageCount; ++i) {
                          HWND first = GetWindow(sheetPage(i), GW_CHILD);
                          GetObjectW(reinterpret_cast<HFONT>(SendMessageW(first, WM_GETFONT, 0, 0)),
                                     sizeof font, &font);
                          EXPECT_EQ(font.lfHeight, -MulDiv(10, newDpi, 72)) << "page " << i;
                          expectOpenListsFitTheirItems(sheetPage(i));
                      }
                      expectTabsInOneRow(sheet);
                      for (int tab = 0; tab < kPageCount; ++tab) {
                          clickTab(sheet, tab);
                          SCOPED_TRACE("tab " + std::to_string(tab) + " told " +
                                       std::to_string(newDpi) + " DPI");
                          expectPageWhole(sheet, tab);
                          expectClosedListsShowEveryItem(sheetPage(tab));
                      }
                      clickTab(sheet, 0);
                      tellDpi(sheet, screenDpi());
                      return true;
                  },
                  [&before](HWND sheet) {
                      const std::vector<Placed> after = placedControls(sheet);
                      EXPECT_EQ(after.size(), before.size());
                      for (size_t i = 0; i < after.size() && i < before.size(); ++i) {
                          const RECT& a = after[i].rect;
                          const RECT& b = before[i].rect;
                          // Wine makes a swatch list's selection field, set by
                          // CB_SETITEMHEIGHT, a pixel lower than it measured it at first;
                          // a list box takes a height of whole lines, and at first it took
                          // them in the font it had before the dialog's.
                          const std::wstring kind = className(after[i].window);
                          const LONG style = GetWindowLongW(after[i].window, GWL_STYLE);
                          int lower = 0;
                          if (kind == L"ComboBox" && (style & CBS_OWNERDRAWFIXED))
                              lower = 1;
                          else if (kind == L"ListBox" && !(style & LBS_NOINTEGRALHEIGHT))
                              lower = static_cast<int>(
                                          SendMessageW(after[i].window, LB_GETITEMHEIGHT, 0, 0)) -
                                      1;
                          EXPECT_TRUE(a.left == b.left && a.top == b.top && a.right == b.right &&
                                      b.bottom - a.bottom <= lower && a.bottom <= b.bottom &&
                                      after[i].fontHeight == before[i].fontHeight)
                              << describe(after[i].window) << " at " << a.left << "," << a.top
                              << "-" << a.right << "," << a.bottom << " was at " << b.left << ","
                              << b.top << "-" << b.right << "," << b.bottom;
                      }
                      expectIconsSized(sheetPage(kPaperPageIndex));
                      clickButton(sheet, IDCANCEL);
                      return true;
                  }});
    g_shownDpi = 0;
}

std::wstring faceOf(HWND window, TEXTMETRICW* metrics) {
    HDC dc = GetDC(window);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    GetTextMetricsW(dc, metrics);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return face;
}

// The templates name "ＭＳ Ｐゴシック". Mapped, it is there; unmapped, the
// first installed face of the program's list is IPAPGothic; with no
// proportional Japanese face at all, the template keeps its face and Wine
// gives it the fixed-pitch IPAGothic. (Wine names a face in English or in
// Japanese.)
TEST(Layout, DialogsAreLaidOutInAnInstalledFace) {
    const char* set = std::getenv("ZEMB_TEST_FONTS");
    const std::string fonts = set && *set ? set : "mapped";
    const std::wstring expected[2] = {fonts == "unmapped"  ? L"IPAPGothic"
                                      : fonts == "missing" ? L"IPAGothic"
                                                           : L"ＭＳ Ｐゴシック",
                                      fonts == "unmapped"  ? L"IPA Pゴシック"
                                      : fonts == "missing" ? L"IPAゴシック"
                                                           : L"ＭＳ Ｐゴシック"};
    freshSettings();
    runSheetWith({[&expected](HWND sheet) {
        HWND shown[1 + kPageCount] = {sheet};
        for (int i = 0; i < kPageCount; ++i)
            shown[1 + i] = sheetPage(i);
        for (int i = 0; i <= kPageCount; ++i) {
            TEXTMETRICW metrics = {};
            const std::wstring face = faceOf(shown[i], &metrics);
            EXPECT_TRUE(face == expected[0] || face == expected[1])
                << "window " << i << " (0 the sheet, 1 to 5 the pages) is laid out in " << face;
        }
        clickButton(sheet, IDCANCEL);
        return true;
    }});
}

// With visual styles the pages show the tab body's background, not the
// dialog colour over it.
TEST(Layout, PagesTakeTheTabBodysBackground) {
    freshSettings();
    runSheetWith({[](HWND sheet) {
        for (int i = 0; i < kPageCount; ++i)
            EXPECT_TRUE(IsThemeDialogTextureEnabled(sheetPage(i))) << "page " << i;
        clickButton(sheet, IDCANCEL);
        return true;
    }});
}

// The presets dialog and its name prompt: every control inside the
// client area, every text on one line, no two controls on one another.
void expectDialogWhole(HWND dialog) {
    ASSERT_NE(dialog, nullptr);
    RECT client;
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c))
            continue;
        const RECT r = screenRect(c);
        RECT inside;
        IntersectRect(&inside, &r, &client);
        EXPECT_TRUE(EqualRect(&inside, &r)) << describe(c) << " is outside the dialog";
        expectTextFits(c);
        for (HWND o = GetWindow(c, GW_HWNDNEXT); o; o = GetWindow(o, GW_HWNDNEXT)) {
            RECT other = screenRect(o), both;
            if (IsWindowVisible(o) && IntersectRect(&both, &r, &other))
                ADD_FAILURE() << describe(c) << " overlaps " << describe(o);
        }
    }
}

TEST(Layout, PresetDialogAndNamePromptShowWhole) {
    freshSettings();
    std::vector<SheetStep> steps = {
        [](HWND sheet) {
            PostMessageW(GetDlgItem(sheet, IDC_SHEET_PRESETS), BM_CLICK, 0, 0);
            return true;
        },
        [](HWND) {
            HWND dialog = findDialogWith(IDC_PRESET_LIST);
            if (!dialog)
                return false;
            SCOPED_TRACE("presets at " + std::to_string(screenDpi()) + " DPI");
            expectDialogWhole(dialog);
            // A text longer than its button, laid out again as at a DPI change.
            SetDlgItemTextW(dialog, IDC_PRESET_EXPORT, L"書き出し(&E)...書き出し(&E)...");
            RECT at = screenRect(dialog);
            SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(screenDpi(), screenDpi()),
                         reinterpret_cast<LPARAM>(&at));
            expectDialogWhole(dialog);
            PostMessageW(GetDlgItem(dialog, IDC_PRESET_REGISTER), BM_CLICK, 0, 0);
            return true;
        },
        [](HWND) {
            HWND prompt = findDialogWith(IDC_PRESET_NAME);
            if (!prompt)
                return false;
            SCOPED_TRACE("name prompt at " + std::to_string(screenDpi()) + " DPI");
            expectDialogWhole(prompt);
            clickButton(prompt, IDCANCEL);
            clickButton(findDialogWith(IDC_PRESET_LIST), IDCANCEL);
            return true;
        },
        [](HWND sheet) {
            if (findDialogWith(IDC_PRESET_LIST))
                return false;
            clickButton(sheet, IDCANCEL);
            return true;
        }};
    EXPECT_EQ(runSheetWith(steps), 2);
}

} // namespace
