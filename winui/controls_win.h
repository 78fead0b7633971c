// Helpers for the controls of a dialog: lists filled from the string table,
// number and length text in edits. Controls get and give UTF-16, so they read right
// whatever the system code page; texts passed here as char are code-page-932
// bytes, as the settings file stores them (plain ASCII is the same in it).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

// Unit lists hold "inch", "mm", "pixel" at positions 0..2.
enum : int { kUnitCount = 3 };

// The control with this id on the page, like GetDlgItem. Under Wine every
// GetDlgItem asks the window server for the page's whole child list, and the
// pages look controls up hundreds of times while they are filled and read
// back, so found handles are remembered. A remembered handle is used only
// while it is still a window on that page with that id; otherwise the
// control is looked up afresh.
HWND dialogItem(HWND page, int id);

// SendDlgItemMessage and SetDlgItemText through dialogItem.
LRESULT sendToItem(HWND page, int id, UINT message, WPARAM wParam, LPARAM lParam);
void setItemText(HWND page, int id, const char* text);

// A message whose lParam is a text (WM_SETTEXT, LB_ADDSTRING,
// CB_INSERTSTRING...), with the text given in code page 932.
LRESULT sendText(HWND window, UINT message, WPARAM wParam, const char* text);

// The control's whole text.
std::u16string itemTextUtf16(HWND page, int id);

// Lists are filled with their redrawing off: otherwise each added item
// updates the scroll bar and invalidates the list, which makes creating the
// pages noticeably slower. The end of a fill repaints a list already shown.
void beginListFill(HWND list);
void endListFill(HWND list);

// Checks the button with checkedId and clears the others of first..last.
// Unlike CheckRadioButton it does not walk every window of the page.
void checkOneOf(HWND page, int firstId, int lastId, int checkedId);

// Clears the drop-down list and fills positions 0..count-1 from consecutive
// string-table entries, with item data equal to the position.
void fillListFromStrings(HWND page, int listId, UINT firstStringId, int count);

// Selects a position; one the list does not have leaves no selection.
void selectListPosition(HWND page, int listId, int position);

// Position of the selected item, or -1 when nothing is selected.
int selectedListPosition(HWND page, int listId);

// Item data of the selected item, or -1 when nothing is selected.
int selectedListData(HWND page, int listId);

// Text of an edit into a bounded buffer (always terminated), in code page
// 932 and cut by whole characters; a character it lacks becomes '?'.
void readControlText(HWND page, int id, char* buffer, size_t size);

// Text of an edit that was filled from the stored bytes `shown`, as the bytes
// to store (see textToStore: untouched text keeps those bytes), cut like
// readControlText. False when the operator typed a character that code page
// 932 lacks; the buffer is then empty.
bool readStoredText(HWND page, int id, const char* shown, char* buffer, size_t size);

// Tells the operator that control id holds a character the settings file
// cannot hold, then selects that character so it can be replaced.
void reportUnstorableText(HWND owner, HWND page, int id);

// Typed numbers are read through 80 bytes: at most 79 characters count.
enum : size_t { kNumberTextBufferSize = 80 };

// A whole-millimetre length shown in a length unit, and read back.
void showLength(HWND page, int id, int32_t mm, int unit);
int32_t readLength(HWND page, int id, int unit);

// A plain integer shown and read with the lenient number parser.
void showInteger(HWND page, int id, int32_t value);
int32_t readInteger(HWND page, int id);

void setCheck(HWND page, int id, bool checked);
bool isChecked(HWND page, int id);
