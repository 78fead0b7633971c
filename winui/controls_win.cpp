#include "winui/controls_win.h"

#include <cstdint>

#include "resources/resource_ids.h"
#include "storage/cp932_convert.h"
#include "units/units.h"
#include "winui/instance_win.h"
#include "winui/list_width_win.h"
#include "winui/messages_win.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");

namespace {

struct RememberedItem {
    HWND page;
    int id;
    HWND item;
};

// Direct-mapped: a clash only costs a fresh lookup.
RememberedItem g_rememberedItems[512];

size_t rememberedSlot(HWND page, int id) {
    const uintptr_t key = reinterpret_cast<uintptr_t>(page) * 31u + static_cast<unsigned>(id);
    return static_cast<size_t>(key % (sizeof g_rememberedItems / sizeof g_rememberedItems[0]));
}

bool stillOnPage(HWND item, HWND page, int id) {
    return item != nullptr && IsWindow(item) && GetParent(item) == page && GetDlgCtrlID(item) == id;
}

} // namespace

HWND dialogItem(HWND page, int id) {
    RememberedItem& slot = g_rememberedItems[rememberedSlot(page, id)];
    if (slot.page == page && slot.id == id && stillOnPage(slot.item, page, id))
        return slot.item;
    HWND item = GetDlgItem(page, id);
    slot = {page, id, item};
    return item;
}

LRESULT sendToItem(HWND page, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(dialogItem(page, id), message, wParam, lParam);
}

void setItemText(HWND page, int id, const char* text) {
    sendText(dialogItem(page, id), WM_SETTEXT, 0, text);
}

LRESULT sendText(HWND window, UINT message, WPARAM wParam, const char* text) {
    std::u16string wide;
    cp932ToUtf16(text ? text : "", &wide);
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::u16string itemTextUtf16(HWND page, int id) {
    HWND item = dialogItem(page, id);
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, u'\0');
    const int got = GetWindowTextW(item, reinterpret_cast<wchar_t*>(text.data()),
                                   static_cast<int>(text.size()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void beginListFill(HWND list) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
}

void endListFill(HWND list) {
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    if (IsWindowVisible(list))
        InvalidateRect(list, nullptr, TRUE);
    fitDroppedWidth(list);
}

void checkOneOf(HWND page, int firstId, int lastId, int checkedId) {
    for (int id = firstId; id <= lastId; ++id)
        sendToItem(page, id, BM_SETCHECK, id == checkedId ? BST_CHECKED : BST_UNCHECKED, 0);
}

void fillListFromStrings(HWND page, int listId, UINT firstStringId, int count) {
    HWND list = dialogItem(page, listId);
    beginListFill(list);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        LoadStringW(g_instance, firstStringId + static_cast<UINT>(i), text, 255);
        SendMessageW(list, CB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(i));
    }
    endListFill(list);
}

void selectListPosition(HWND page, int listId, int position) {
    // CB_SETCURSEL with an index the list lacks clears the selection.
    sendToItem(page, listId, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int selectedListPosition(HWND page, int listId) {
    const LRESULT position = sendToItem(page, listId, CB_GETCURSEL, 0, 0);
    return position == CB_ERR ? -1 : static_cast<int>(position);
}

int selectedListData(HWND page, int listId) {
    const int position = selectedListPosition(page, listId);
    if (position < 0)
        return -1;
    return static_cast<int>(sendToItem(page, listId, CB_GETITEMDATA, position, 0));
}

void readControlText(HWND page, int id, char* buffer, size_t size) {
    if (buffer == nullptr || size == 0)
        return;
    std::string bytes;
    utf16ToCp932(itemTextUtf16(page, id), &bytes);
    cutCp932(bytes.c_str(), buffer, size);
}

bool readStoredText(HWND page, int id, const char* shown, char* buffer, size_t size) {
    if (buffer == nullptr || size == 0)
        return false;
    std::string bytes;
    const bool storable = textToStore(itemTextUtf16(page, id), shown ? shown : "", &bytes);
    cutCp932(storable ? bytes.c_str() : "", buffer, size);
    return storable;
}

void reportUnstorableText(HWND owner, HWND page, int id) {
    const std::u16string text = itemTextUtf16(page, id);
    size_t units = 0;
    const size_t at = firstNonCp932(text, &units);
    const std::u16string character = text.substr(at, units);
    wchar_t caption[128] = {};
    GetWindowTextW(GetAncestor(page, GA_ROOT), caption, 128);
    showMessage(owner, caption, IDS_TEXT_NOT_STORABLE,
                reinterpret_cast<const wchar_t*>(character.c_str()), MB_OK | MB_ICONWARNING);
    HWND edit = dialogItem(page, id);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, at, at + units);
}

void showLength(HWND page, int id, int32_t mm, int unit) {
    char text[64];
    lengthToText(mm, unit, text, sizeof text);
    setItemText(page, id, text);
}

int32_t readLength(HWND page, int id, int unit) {
    char text[kNumberTextBufferSize];
    readControlText(page, id, text, sizeof text);
    return textToLength(text, unit);
}

void showInteger(HWND page, int id, int32_t value) {
    char text[32];
    formatFixed(static_cast<float>(value), 0, text, sizeof text);
    setItemText(page, id, text);
}

int32_t readInteger(HWND page, int id) {
    char text[kNumberTextBufferSize];
    readControlText(page, id, text, sizeof text);
    return roundToInt(parseNumber(text));
}

void setCheck(HWND page, int id, bool checked) {
    sendToItem(page, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool isChecked(HWND page, int id) {
    return sendToItem(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
