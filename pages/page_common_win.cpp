#include "pages/page_common_win.h"

#include "app/app.h"
#include "units/units.h"

void beginListFill(HWND list) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
}

void endListFill(HWND list) {
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    if (IsWindowVisible(list))
        InvalidateRect(list, nullptr, TRUE);
}

void checkOneOf(HWND page, int firstId, int lastId, int checkedId) {
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(page, id, id == checkedId ? BST_CHECKED : BST_UNCHECKED);
}

void fillListFromStrings(HWND page, int listId, UINT firstStringId, int count) {
    HWND list = GetDlgItem(page, listId);
    beginListFill(list);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        LoadStringA(g_instance, firstStringId + static_cast<UINT>(i), text, 255);
        SendMessageA(list, CB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(i));
    }
    endListFill(list);
}

void selectListPosition(HWND page, int listId, int position) {
    // CB_SETCURSEL with an index the list lacks clears the selection.
    SendDlgItemMessageA(page, listId, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int selectedListData(HWND page, int listId) {
    const LRESULT position = SendDlgItemMessageA(page, listId, CB_GETCURSEL, 0, 0);
    if (position == CB_ERR)
        return -1;
    return static_cast<int>(SendDlgItemMessageA(page, listId, CB_GETITEMDATA, position, 0));
}

void readControlText(HWND page, int id, char* buffer, size_t size) {
    if (buffer == nullptr || size == 0)
        return;
    buffer[0] = '\0';
    const int capacity = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(size);
    GetDlgItemTextA(page, id, buffer, capacity);
    buffer[size - 1] = '\0';
}

void showLength(HWND page, int id, int32_t mm, int unit) {
    char text[64];
    lengthToText(mm, unit, text, sizeof text);
    SetDlgItemTextA(page, id, text);
}

int32_t readLength(HWND page, int id, int unit) {
    char text[kNumberTextBufferSize];
    readControlText(page, id, text, sizeof text);
    return textToLength(text, unit);
}

void showInteger(HWND page, int id, int32_t value) {
    char text[32];
    formatFixed(static_cast<float>(value), 0, text, sizeof text);
    SetDlgItemTextA(page, id, text);
}

int32_t readInteger(HWND page, int id) {
    char text[kNumberTextBufferSize];
    readControlText(page, id, text, sizeof text);
    return roundToInt(parseNumber(text));
}

void setCheck(HWND page, int id, bool checked) {
    CheckDlgButton(page, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool isChecked(HWND page, int id) {
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}
