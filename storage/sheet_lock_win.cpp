#include "storage/sheet_lock_win.h"

#include <sddl.h>

#include <vector>

std::wstring sheetLockName() {
    std::wstring name = L"Local\\ZEMBSerConfig.Sheet";
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return name;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size); // from the heap, so aligned for TOKEN_USER
    wchar_t* sid = nullptr;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        name = name + L"." + sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return name;
}

// CreateMutexW asks for full access to an existing mutex; an elevated
// sheet's mutex refuses that to a start that is not, which is no first start.
HANDLE takeSheetLock(SheetLock* state) {
    const std::wstring name = sheetLockName();
    HANDLE lock = CreateMutexW(nullptr, TRUE, name.c_str());
    const DWORD error = GetLastError();
    *state = SheetLock::First;
    if (lock != nullptr && error == ERROR_ALREADY_EXISTS) {
        *state = SheetLock::Second;
    } else if (lock == nullptr && error == ERROR_ACCESS_DENIED) {
        *state = SheetLock::Elsewhere;
        lock = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
    }
    return lock;
}

bool sheetIsOpen() {
    const HANDLE lock = OpenMutexW(SYNCHRONIZE, FALSE, sheetLockName().c_str());
    if (lock == nullptr)
        return GetLastError() == ERROR_ACCESS_DENIED;
    CloseHandle(lock);
    return true;
}
