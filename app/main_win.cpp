#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/app.h"
#include "resources/resource_ids.h"
#include "settings/page_setup.h"
#include "storage/registry_win.h"
#include "storage/settings_file.h"
#include "storage/sheet_lock_win.h"
#include "winui/instance_win.h"
#include "winui/messages_win.h"

// The default handler for an uncaught exception demangles the exception's type
// to print it on stderr, which a windowed program does not have; its
// demangler alone was an eighth of the executable. Ending at once is all the
// handler can usefully do here.
#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
#endif

// Messages before and after the sheet have no window to take a title from.
static int showMessage(UINT stringId, const char* argument, UINT style) {
    return showMessage(nullptr, kProgramCaption, stringId, argument, style);
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
        std::string path;
        if (!settingsFilePath(&path, false))
            path = kSettingsFileName;
        const UINT text = status == LoadStatus::Unreadable ? IDS_LOAD_FAILED : IDS_BACKUP_FAILED;
        if (showMessage(text, path.c_str(), MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY)
            return false;
    }
}

// The driver reads the paper from the registry: it must be told when the
// values written after OK did not arrive.
static void savePageSetupOrSay() {
    if (SavePageSetup())
        return;
    showMessage(IDS_PAGE_SETUP_NOT_SAVED, kProgramKeyName, MB_OK | MB_ICONWARNING);
}

// Start-up, the sheet, the page setup after OK (after the file, which OK
// saved), then RetVal last.
static void run() {
    if (!loadSettingsOrGiveUp()) {
        writeRetVal(IDCANCEL);
        return;
    }
    LoadPageSetup();
    const INT_PTR result = runPropertySheet();
    if (result == IDOK)
        savePageSetupOrSay();
    writeRetVal(static_cast<int32_t>(result));
}

// A second start while this user session has a sheet open writes nothing:
// a caller waiting on it finds the first sheet's RetVal once it returns.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Operators start the program from wherever they unpacked it, a Downloads
    // folder too: whatever is loaded by name from now on (the shell's folder
    // browser loads many) comes from System32, never from beside the program.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    g_instance = instance;
    SheetLock state = SheetLock::First;
    const HANDLE lock = takeSheetLock(&state);
    if (state == SheetLock::First)
        run();
    else if (state == SheetLock::Second)
        waitForSessionSheet(lock);
    else
        waitForElevatedSheet(lock);
    if (lock) {
        ReleaseMutex(lock);
        CloseHandle(lock);
    }
    return 0;
}
