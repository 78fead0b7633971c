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
const auto adjustWindowRectExForDpi =
    user32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
// DDC_DISABLE_ALL of DIALOG_DPI_CHANGE_BEHAVIORS (Windows 10 1703).
const auto setDialogDpiChangeBehavior =
    user32Function<BOOL(WINAPI*)(HWND, int, int)>("SetDialogDpiChangeBehavior");
const int kDialogScalesNothing = 1;

HWND g_toldWindow;
int g_toldDpi;

// Icons this program loaded into a control, so they are destroyed once
// replaced; the dialog manager's own are shared and must not be.
struct LoadedIcon {
    HWND control;
    HICON icon;
};
LoadedIcon g_loadedIcons[4];

int iconWidth(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

void replaceIcon(HWND control, HICON icon) {
    const HICON previous = reinterpret_cast<HICON>(
        SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0));
    LoadedIcon* slot = nullptr;
    for (LoadedIcon& loaded : g_loadedIcons)
        if (loaded.control == control || (!slot && !IsWindow(loaded.control)))
            slot = &loaded;
    if (!slot)
        return; // more icon controls than kept: the old icon stays loaded
    if (slot->control == control && slot->icon == previous && previous)
        DestroyIcon(previous);
    *slot = {control, icon};
}

} // namespace

void followDpiChange(HWND topLevel, int dpi) {
    g_toldWindow = topLevel;
    g_toldDpi = dpi;
}

void scaleDialogOurselves(HWND dialog) {
    if (setDialogDpiChangeBehavior && dialog)
        setDialogDpiChangeBehavior(dialog, kDialogScalesNothing, kDialogScalesNothing);
}

int windowDpi(HWND window) {
    if (g_toldWindow && window && (window == g_toldWindow || IsChild(g_toldWindow, window)))
        return g_toldDpi;
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

SIZE windowSizeForClient(HWND window, SIZE client, int dpi) {
    RECT rect = {0, 0, client.cx, client.cy};
    if (adjustWindowRectExForDpi &&
        adjustWindowRectExForDpi(&rect, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
                                 GetMenu(window) != nullptr,
                                 static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)),
                                 static_cast<UINT>(dpi)))
        return {rect.right - rect.left, rect.bottom - rect.top};
    RECT outer, inner;
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    return {outer.right - outer.left - inner.right + client.cx,
            outer.bottom - outer.top - inner.bottom + client.cy};
}

void showIconForDpi(HWND page, int controlId, int iconId) {
    HWND control = GetDlgItem(page, controlId);
    if (!control)
        return;
    const int size = scaleToDpi(kIconSize, windowDpi(page));
    if (iconWidth(reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0))) == size)
        return;
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
    HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, 0);
    if (icon)
        replaceIcon(control, static_cast<HICON>(icon));
}
