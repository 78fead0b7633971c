#include "winui/dpi_win.h"

#include "winui/dpi_logic.h"

namespace {

// Icons at 96 DPI, as SM_CXICON there.
const int kIconSize = 32;

// Looked up at run time: Windows before 10 (1607) lacks them, and the
// program must still start there.
template <typename Function> Function user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    void* address = user32 ? reinterpret_cast<void*>(GetProcAddress(user32, name)) : nullptr;
    return reinterpret_cast<Function>(address);
}

const auto getDpiForWindow = user32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
const auto getSystemMetricsForDpi =
    user32Function<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");

} // namespace

int windowDpi(HWND window) {
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    HDC dc = GetDC(window);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc)
        ReleaseDC(window, dc);
    return dpi > 0 ? dpi : kBaseDpi;
}

int systemMetricForDpi(int metric, int dpi) {
    return getSystemMetricsForDpi ? getSystemMetricsForDpi(metric, static_cast<UINT>(dpi))
                                  : GetSystemMetrics(metric);
}

void showIconForDpi(HWND page, int controlId, int iconId) {
    HWND control = GetDlgItem(page, controlId);
    if (!control)
        return;
    const int size = scaleToDpi(kIconSize, windowDpi(page));
    // The control takes the size of its icon: one of this size is there already.
    RECT shown;
    GetClientRect(control, &shown);
    if (shown.right == size && shown.bottom == size)
        return;
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
    HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_SHARED);
    if (icon)
        SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}
