#include <windows.h>

#include "app/app.h"
#include "resources/resource_ids.h"
#include "settings/page_setup.h"
#include "settings/registry_win.h"
#include "settings/settings_file.h"

// A settings file that exists but cannot be opened (held by the driver, access
// denied) must never be replaced by defaults: ask, and leave it alone.
static bool loadSettingsOrGiveUp() {
    for (;;) {
        if (loadSettings() != LoadStatus::Unreadable)
            return true;
        char path[kPathBufferSize] = "KELDORIX.INI";
        buildSettingsPath(path, sizeof path);
        wchar_t text[1024];
        formatMessage(IDS_LOAD_FAILED, path, text, 1024);
        if (MessageBoxW(nullptr, text, L"Tervikon(HP-GL)", MB_RETRYCANCEL | MB_ICONWARNING) !=
            IDRETRY)
            return false;
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_instance = instance;
    if (!loadSettingsOrGiveUp()) {
        writeRetVal(IDCANCEL);
        return 0;
    }
    LoadPageSetup();
    const INT_PTR result = runPropertySheet();
    if (result == IDOK)
        SavePageSetup();
    writeRetVal(static_cast<int32_t>(result));
    return 0;
}
