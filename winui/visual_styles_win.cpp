#include "winui/visual_styles_win.h"

#include <uxtheme.h>

namespace {

// uxtheme.dll is not one of Windows' known DLLs: imported by name, it would be
// searched for in the program's folder first, where a downloaded file of that
// name could be waiting. Loaded from System32 alone, once.
void* uxthemeFunction(const char* name) {
    static const HMODULE module =
        LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

} // namespace

void paintLikeTabBody(HWND page) {
    static const auto enable = reinterpret_cast<HRESULT(WINAPI*)(HWND, DWORD)>(
        uxthemeFunction("EnableThemeDialogTexture"));
    if (enable)
        enable(page, ETDT_ENABLETAB);
}
