#include "winui/work_area_win.h"

#include "winui/fit_logic.h"

void keepInsideWorkArea(HWND window) {
    RECT own;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetWindowRect(window, &own) ||
        !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const LayoutPoint at = keepInWorkArea({own.left, own.top, own.right, own.bottom},
                                          {work.left, work.top, work.right, work.bottom});
    if (at.x != own.left || at.y != own.top)
        SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
