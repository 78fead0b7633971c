// The five property pages. Each has a dialog procedure, which fills the page
// from the in-memory settings when the page is created, and a save routine
// that stores the page back on OK. A save returns false only when it had to
// write the settings file and could not.
#pragma once

#include <windows.h>

INT_PTR CALLBACK paperPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK plotterEnvPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK plotterExtraPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK toolPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK cataloguePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

bool savePaperPage(HWND page);
bool savePlotterEnvPage(HWND page);
bool savePlotterExtraPage(HWND page);
bool saveToolPage(HWND page);
bool saveCataloguePage(HWND page);

// The id of the first text edit of the plotter additional page that holds a
// character the settings file cannot store, or 0 when all can be stored.
int plotterExtraPageUnstorableText(HWND page);

// At the page's DPI, and again after a move to a monitor of another DPI:
// the paper page's orientation icons and the tool page's swatch items.
void showOrientationIcons(HWND page);
void remeasureColourLists(HWND page);

// Unit change of a length page: with a unit other than its current one it
// reads the page's lengths in the old unit and shows them in the new one.
// It neither synchronises other pages nor touches the stored length unit.
void paperPageUnitChange(HWND page, int unit);
void plotterEnvPageUnitChange(HWND page, int unit);
void plotterExtraPageUnitChange(HWND page, int unit);
void cataloguePageUnitChange(HWND page, int unit);

// Tab indexes of the pages (the tool page, 3, shows no lengths).
enum : int {
    kPaperPageIndex = 0,
    kPlotterEnvPageIndex = 1,
    kPlotterExtraPageIndex = 2,
    kToolPageIndex = 3,
    kCataloguePageIndex = 4,
    kPageCount = 5,
};

// Sent by a length page to its parent, the sheet, when the operator confirmed
// a unit and the page shows its lengths in it: wParam is the page's tab
// index, lParam the unit. The sheet brings its other pages to that unit.
enum : UINT { kUnitChosenMessage = WM_APP + 1 };

// The operator confirmed a choice in the page's unit list: with a unit
// selected, the page converts its own lengths and tells the sheet.
void unitConfirmed(HWND page, int pageIndex, int unitList, void (*unitChange)(HWND, int));
