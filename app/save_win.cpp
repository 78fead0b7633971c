// OK's save of the settings file, with the operator asked first when another
// program changed the file while the sheet was open.
#include <windows.h>

#include <string>

#include "app/app.h"
#include "resources/resource_ids.h"
#include "storage/settings_file.h"
#include "winui/messages_win.h"

namespace {

int say(HWND sheet, UINT stringId, UINT style) {
    std::string path;
    if (!settingsFilePath(&path, false))
        path = kSettingsFileName;
    wchar_t caption[128] = {};
    GetWindowTextW(sheet, caption, 128);
    return showMessage(sheet, caption, stringId, path.c_str(), style);
}

} // namespace

bool saveSettingsAskingFirst(HWND sheet) {
    bool keepChangedFile = false;
    for (;;) {
        switch (saveSettings(keepChangedFile)) {
        case SaveOutcome::Saved:
            return true;
        case SaveOutcome::Changed:
            // Asked again when it changed once more while the question was open.
            if (say(sheet, IDS_FILE_CHANGED, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
                return false;
            keepChangedFile = true;
            break;
        case SaveOutcome::NotBackedUp:
            say(sheet, IDS_CHANGED_NOT_KEPT, MB_OK | MB_ICONERROR);
            return false;
        case SaveOutcome::ReadOnly:
            say(sheet, IDS_READ_ONLY, MB_OK | MB_ICONERROR);
            return false;
        case SaveOutcome::Unavailable:
            say(sheet, IDS_PATH_UNUSABLE, MB_OK | MB_ICONERROR);
            return false;
        case SaveOutcome::Unreadable:
        case SaveOutcome::Failed:
            say(sheet, IDS_SAVE_FAILED, MB_OK | MB_ICONERROR);
            return false;
        }
    }
}
