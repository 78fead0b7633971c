#include <windows.h>

#include <cstdio>

#include "app/app.h"
#include "resources/resource_ids.h"
#include "settings/page_setup.h"
#include "settings/registry_win.h"
#include "settings/settings_file.h"
#include "winui/instance_win.h"
#include "winui/messages_win.h"

// Messages before and after the sheet have no window to take a title from.
static int showMessage(UINT stringId, const char* argument, UINT style) {
    return showMessage(nullptr, L"Tervikon(HP-GL)", stringId, argument, style);
}

// A settings file that exists but cannot be opened (held by the driver, access
// denied), or a foreign one that cannot be kept aside first, must never be
// replaced by defaults: ask, and leave it alone.
static bool loadSettingsOrGiveUp() {
    for (;;) {
        const LoadStatus status = loadSettings();
        if (settingsBackupPath()[0] != '\0')
            showMessage(IDS_SETTINGS_REPLACED, settingsBackupPath(), MB_OK | MB_ICONINFORMATION);
        if (status != LoadStatus::Unreadable && status != LoadStatus::NotBackedUp)
            return true;
        char path[kPathBufferSize] = "KELDORIX.INI";
        buildSettingsPath(path, sizeof path);
        const UINT text = status == LoadStatus::Unreadable ? IDS_LOAD_FAILED : IDS_BACKUP_FAILED;
        if (showMessage(text, path, MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY)
            return false;
    }
}

// The driver reads the paper from the registry: it must be told when the
// values written after OK did not arrive.
static void savePageSetupOrSay() {
    if (SavePageSetup())
        return;
    char key[128];
    std::snprintf(key, sizeof key, "HKEY_CURRENT_USER\\%s\\%s", kCompanyKeyPath, kProgramSubkey);
    showMessage(IDS_PAGE_SETUP_NOT_SAVED, key, MB_OK | MB_ICONWARNING);
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
        savePageSetupOrSay();
    writeRetVal(static_cast<int32_t>(result));
    return 0;
}
