#pragma once

#include <windows.h>

extern HINSTANCE g_instance;

// Runs the modal sheet; 1 OK, 2 Cancel, 0 close box, -1 when it cannot be created.
INT_PTR runPropertySheet();

// The text of a string resource with one %s filled in, as UTF-16 so messages
// read right whatever the system code page. A char argument is in the system
// code page, as file paths are.
void formatMessage(UINT stringId, const wchar_t* argument, wchar_t* out, int outChars);
void formatMessage(UINT stringId, const char* ansiArgument, wchar_t* out, int outChars);
