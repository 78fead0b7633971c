#include "winui/messages_win.h"

#include <cstdio>

#include "settings/cp932_text.h"
#include "winui/instance_win.h"

int showMessage(HWND owner, const wchar_t* caption, UINT stringId, const wchar_t* argument,
                UINT style) {
    wchar_t pattern[768] = {};
    LoadStringW(g_instance, stringId, pattern, 768);
    wchar_t text[2048];
    _snwprintf(text, 2048, pattern, argument ? argument : L"");
    text[2047] = L'\0';
    return MessageBoxW(owner, text, caption, style);
}

int showMessage(HWND owner, const wchar_t* caption, UINT stringId, const char* utf8Argument,
                UINT style) {
    std::u16string argument;
    utf8ToUtf16(utf8Argument ? utf8Argument : "", &argument);
    return showMessage(owner, caption, stringId, reinterpret_cast<const wchar_t*>(argument.c_str()),
                       style);
}
