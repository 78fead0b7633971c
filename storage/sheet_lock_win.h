// One sheet per user session. The program holds a named mutex from start-up
// until it has written RetVal; a second start waits on it, and zembcfg only
// looks whether it exists.
#pragma once

#include <windows.h>

#include <string>

// "Local\ZEMBSerConfig.Sheet.<user SID>": Local is the session's namespace,
// and the SID keeps apart another user's sheet in the same session (run as).
std::wstring sheetLockName();

enum class SheetLock {
    First,  // this start's sheet is the session's
    Second, // another start of this user session holds it
    // Held by a start this one may not fully open (an administrator's): the
    // handle, if any, only lets this start wait for it.
    Elsewhere,
};

// Takes the lock. Null (and First) when the mutex cannot be created at all.
HANDLE takeSheetLock(SheetLock* state);

// True while a sheet of this user session is open, whoever started it.
bool sheetIsOpen();
