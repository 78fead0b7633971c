// One sheet per user session. The program holds a named mutex from start-up
// until it has written RetVal; a second start waits on it, and zembcfg only
// looks whether it exists.
#pragma once

#include <windows.h>

#include <string>

// "Local\ZEMBSerConfig.Sheet.<user SID>": Local is the session's namespace,
// and the SID keeps apart another user's sheet in the same session (run as).
std::wstring sheetLockName();

// Takes the lock; *first is false when another start of this user session
// holds it. Null (and *first true) when the mutex cannot be created at all.
HANDLE takeSheetLock(bool* first);

// True while a sheet of this user session is open.
bool sheetIsOpen();
