#pragma once

#include <windows.h>

// The title of messages shown before or beside the sheet, with no window of
// their own to take one from.
inline constexpr wchar_t kProgramCaption[] = L"Tervikon(HP-GL)";

// Runs the modal sheet; 1 OK, 2 Cancel, 0 close box, -1 when it cannot be created.
INT_PTR runPropertySheet();

// OK's one write of the settings file, after every page has stored itself.
// A file that another program changed since start-up is saved over only when
// the operator says yes, its version kept beside it first. False, with the
// operator told why, when nothing was saved.
bool saveSettingsAskingFirst(HWND sheet);

// One sheet per user session: the sheet carries a mark a second start finds
// it by, and comes forward when that start asks it to.
void markSessionSheet(HWND sheet);
void unmarkSessionSheet(HWND sheet);
// True when the message was that request (and has been answered).
bool comeForwardIfAsked(HWND sheet, UINT message);
// A second start: brings the session's sheet forward and returns once the
// first start has finished, having written RetVal.
void waitForSessionSheet(HANDLE lock);
// A second start beside a sheet it cannot reach (an administrator's): says
// so, then waits for it when the lock lets it (lock may be null).
void waitForElevatedSheet(HANDLE lock);

// Every page shows the in-memory settings anew, its length unit included:
// what changed in memory shows everywhere. Pages not shown do nothing.
void showSettingsOnEveryPage();

// What OK does before it saves: every page checked, then every page stored
// in memory in tab order, so that later pages see what earlier ones stored.
// A page with a text the settings file cannot hold has its tab selected and
// the operator told; nothing is stored then, and the result is false.
bool storeEveryPage(HWND sheet);

// The sheet's page at a tab index (kPaperPageIndex...), or null when the
// sheet is not shown.
HWND sheetPage(int index);

// A length page converted itself to a unit the operator confirmed: bring the
// other length pages to the same unit, in tab order, and make it the stored
// length unit.
void synchroniseUnits(int sourcePageIndex, int unit);

// The お気に入り dialog, modal over the sheet: presets applied to the pages
// (written only by OK), registered from them, deleted, exported and read in.
void runPresetDialog(HWND sheet);
