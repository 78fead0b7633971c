// One sheet per user session. The first start holds the session's lock
// (storage/sheet_lock_win.h) and marks its sheet; a second start shows no
// window of its own: it brings that sheet forward and waits for it.
#include <windows.h>

#include <string>

#include "app/app.h"
#include "resources/resource_ids.h"
#include "storage/sheet_lock_win.h"
#include "winui/messages_win.h"

namespace {

const wchar_t kComeForward[] = L"ZEMBSerConfig.ComeForward";

// The mark carries the lock's name, and so the user: another user's sheet
// on the same desktop (run as) is not this one's.
const std::wstring& markName() {
    static const std::wstring name = sheetLockName();
    return name;
}

BOOL CALLBACK findMarked(HWND window, LPARAM found) {
    if (GetPropW(window, markName().c_str()) == nullptr)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The sheet's process may take the foreground, which a program the
// operator did not just start is not allowed to; the sheet then takes it.
bool bringSheetForward() {
    HWND sheet = nullptr;
    EnumWindows(findMarked, reinterpret_cast<LPARAM>(&sheet));
    if (sheet == nullptr)
        return false;
    DWORD process = 0;
    GetWindowThreadProcessId(sheet, &process);
    AllowSetForegroundWindow(process);
    PostMessageW(sheet, RegisterWindowMessageW(kComeForward), 0, 0);
    return true;
}

} // namespace

void markSessionSheet(HWND sheet) {
    SetPropW(sheet, markName().c_str(), reinterpret_cast<HANDLE>(1));
}

void unmarkSessionSheet(HWND sheet) {
    RemovePropW(sheet, markName().c_str());
}

bool comeForwardIfAsked(HWND sheet, UINT message) {
    static const UINT comeForward = RegisterWindowMessageW(kComeForward);
    if (message != comeForward)
        return false;
    if (IsIconic(sheet))
        ShowWindow(sheet, SW_RESTORE);
    // A message box of the sheet (the question at OK) stays in front of it.
    SetForegroundWindow(GetLastActivePopup(sheet));
    return true;
}

// Until the first start has closed its sheet and written RetVal, which it
// does before it lets the lock go; the sheet is found once it is shown.
void waitForSessionSheet(HANDLE lock) {
    bool broughtForward = false;
    for (;;) {
        if (!broughtForward)
            broughtForward = bringSheetForward();
        const DWORD waited = WaitForSingleObject(lock, 100);
        if (waited != WAIT_TIMEOUT)
            return; // now this start's to let go
    }
}

// Its window cannot be brought forward from here (a window of higher
// integrity ignores this start's messages), so the operator is told.
void waitForElevatedSheet(HANDLE lock) {
    showMessage(nullptr, kProgramCaption, IDS_SHEET_ELSEWHERE, L"", MB_OK | MB_ICONINFORMATION);
    if (lock != nullptr)
        WaitForSingleObject(lock, INFINITE);
}
