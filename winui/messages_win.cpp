#include "winui/messages_win.h"

#include <cstdio>

#include "winui/instance_win.h"

int showMessage(HWND owner, const wchar_t* caption, UINT stringId, const wchar_t* argument,
                UINT style) {
    wchar_t pattern[768] = {};
    LoadStringW(g_instance, stringId, pattern, 768);
    wchar_t text[1024];
    _snwprintf(text, 1024, pattern, argument ? argument : L"");
    text[1023] = L'\0';
    return MessageBoxW(owner, text, caption, style);
}

int showMessage(HWND owner, const wchar_t* caption, UINT stringId, const char* ansiArgument,
                UINT style) {
    wchar_t argument[MAX_PATH * 2] = {};
    if (ansiArgument)
        MultiByteToWideChar(CP_ACP, 0, ansiArgument, -1, argument, MAX_PATH * 2);
    argument[MAX_PATH * 2 - 1] = L'\0';
    return showMessage(owner, caption, stringId, argument, style);
}
