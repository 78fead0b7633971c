// Where the sheet opens and after a DPI change, run by scripts/wine-setup on
// screens of several sizes with a taskbar.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "sheet_driver.h"
#include "winui/fit_logic.h"

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

std::string describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// Where the sheet is, given where it wanted to be: what the program's own
// rule (tested natively) makes of it on this screen's work area.
void expectKeptInWorkArea(HWND sheet, POINT wanted) {
    const RECT own = windowRect(sheet), work = workAreaOf(sheet);
    SCOPED_TRACE("sheet " + describe(own) + ", work area " + describe(work));
    const LayoutPoint kept = keepInWorkArea(
        {wanted.x, wanted.y, wanted.x + own.right - own.left, wanted.y + own.bottom - own.top},
        {work.left, work.top, work.right, work.bottom});
    EXPECT_EQ(own.left, kept.x);
    EXPECT_EQ(own.top, kept.y);
}

// Where the sheet is first put: centred on the desktop.
POINT centred(HWND sheet) {
    const RECT desktop = windowRect(GetDesktopWindow()), own = windowRect(sheet);
    const LayoutPoint at =
        centredOrigin(desktop.right, desktop.bottom, {own.right - own.left, own.bottom - own.top});
    return {at.x, at.y};
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

} // namespace
