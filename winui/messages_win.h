// Messages to the operator: string resources with one %s filled in, as
// UTF-16 so they read right whatever the system code page.
#pragma once

#include <windows.h>

// A message box with the string resource's text, its %s filled with the
// argument; returns the button pressed, as MessageBox does. A char argument
// is in the system code page, as file paths are.
int showMessage(HWND owner, const wchar_t* caption, UINT stringId, const wchar_t* argument,
                UINT style);
int showMessage(HWND owner, const wchar_t* caption, UINT stringId, const char* ansiArgument,
                UINT style);
