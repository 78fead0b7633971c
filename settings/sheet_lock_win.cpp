#include "settings/sheet_lock_win.h"

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

HANDLE takeSheetLock(bool* first) {
    const HANDLE lock = CreateMutexW(nullptr, TRUE, sheetLockName().c_str());
    *first = lock == nullptr || GetLastError() != ERROR_ALREADY_EXISTS;
    return lock;
}

bool sheetIsOpen() {
    const HANDLE lock = OpenMutexW(SYNCHRONIZE, FALSE, sheetLockName().c_str());
    if (lock == nullptr)
        return false;
    CloseHandle(lock);
    return true;
}
