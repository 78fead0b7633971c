// Where the sheet opens and after a DPI change (WorkArea, run by
// scripts/wine-setup on screens of several sizes with a taskbar), and the
// face the dialogs are laid out in (Layout, run in each font set-up).
#include <gtest/gtest.h>

#include <windows.h>
#include <uxtheme.h>

#include <cstdlib>
#include <string>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "sheet_driver.h"

namespace {

std::string setUp(const char* name, const char* otherwise) {
    const char* value = std::getenv(name);
    return value && *value ? value : otherwise;
}

RECT windowRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

RECT workAreaOf(HWND window) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

std::string utf8(const std::wstring& text) {
    char bytes[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof bytes - 1, nullptr, nullptr);
    return bytes;
}

std::string describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// On one axis: where a window of `size` that wanted to start at `wanted`
// ends up in the work area from `low` to `high`.
int keptOnAxis(int wanted, int size, int low, int high) {
    if (size > high - low || wanted < low)
        return low;
    return wanted + size > high ? high - size : wanted;
}

// The sheet wholly inside the work area when it fits, its top-left corner
// inside when it does not, moved no further than that from where it wanted
// to be.
void expectKeptInWorkArea(HWND sheet, POINT wanted) {
    const RECT own = windowRect(sheet), work = workAreaOf(sheet);
    const int width = own.right - own.left, height = own.bottom - own.top;
    SCOPED_TRACE("sheet " + describe(own) + ", work area " + describe(work));
    EXPECT_GE(own.left, work.left);
    EXPECT_GE(own.top, work.top);
    if (width <= work.right - work.left) {
        EXPECT_LE(own.right, work.right);
    }
    if (height <= work.bottom - work.top) {
        EXPECT_LE(own.bottom, work.bottom);
    }
    EXPECT_EQ(own.left, keptOnAxis(wanted.x, width, work.left, work.right));
    EXPECT_EQ(own.top, keptOnAxis(wanted.y, height, work.top, work.bottom));
}

// Where the sheet is first put: centred on the desktop, each halving
// truncated.
POINT centred(HWND sheet) {
    const RECT desktop = windowRect(GetDesktopWindow()), own = windowRect(sheet);
    return {desktop.right / 2 - (own.right - own.left) / 2,
            desktop.bottom / 2 - (own.bottom - own.top) / 2};
}

TEST(WorkArea, RunsOnTheScreenItsSetUpMade) {
    const std::string screen = setUp("ZEMB_TEST_SCREEN", "");
    if (screen.empty())
        GTEST_SKIP() << "not started by scripts/wine-setup --screen";
    const int width = std::atoi(screen.c_str());
    const int height = std::atoi(screen.c_str() + screen.find('x') + 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), height);
    EXPECT_EQ(screenDpi(), std::atoi(setUp("ZEMB_TEST_DPI", "96").c_str()));
    const int taskbar = std::atoi(setUp("ZEMB_TEST_TASKBAR", "0").c_str());
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.bottom, height - (taskbar * screenDpi() + 48) / 96);
}

TEST(WorkArea, TheSheetOpensCentredAndInsideTheWorkArea) {
    freshSettings();
    runSheetWith({[](HWND sheet) {
        expectKeptInWorkArea(sheet, centred(sheet));
        clickButton(sheet, IDCANCEL);
        return true;
    }});
}

// Windows tells a window moved to a monitor of another DPI the new DPI and
// a rectangle for it there; here the DPI of the screen and a half more.
TEST(WorkArea, TheSheetStaysInsideAfterADpiChange) {
    freshSettings();
    const int newDpi = screenDpi() + screenDpi() / 2;
    POINT suggested = {};
    runSheetWith({[&suggested, newDpi](HWND sheet) {
                      RECT rect = windowRect(sheet);
                      suggested = {rect.left, rect.top};
                      rect.right = rect.left + MulDiv(rect.right - rect.left, newDpi, screenDpi());
                      rect.bottom = rect.top + MulDiv(rect.bottom - rect.top, newDpi, screenDpi());
                      SendMessageW(sheet, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
                                   reinterpret_cast<LPARAM>(&rect));
                      return true;
                  },
                  [&suggested](HWND sheet) {
                      expectKeptInWorkArea(sheet, suggested);
                      clickButton(sheet, IDCANCEL);
                      return true;
                  }});
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
    const std::string fonts = setUp("ZEMB_TEST_FONTS", "mapped");
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
                << "window " << i << " (0 the sheet, 1 to 5 the pages) is laid out in "
                << utf8(face);
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

} // namespace
