// The five property pages, all of one shape: a page is a PageDef, whose
// routines the one page dialog procedure calls. A page fills itself from the
// in-memory settings and stores itself back into them; no page writes the
// settings file: the sheet saves it once, after all five.
#pragma once

#include <windows.h>

struct PageDef {
    // Fills the controls from the in-memory settings: when the page is
    // created, and again whenever the sheet shows the settings anew.
    void (*initialise)(HWND page);
    // WM_COMMAND from a control other than the unit list; TRUE when handled.
    INT_PTR (*command)(HWND page, int id, int notification) = nullptr;
    // Stores the controls into the in-memory settings.
    void (*save)(HWND page);
    // The id of the first input the settings file cannot store, or 0.
    int (*validate)(HWND page) = nullptr;
    // Length pages only: the list the operator chooses the unit in, and the
    // page showing its lengths in another unit. It neither synchronises the
    // other pages nor touches the stored length unit.
    int unitList = 0;
    void (*unitChange)(HWND page, int unit) = nullptr;
    // After a move to a monitor of another DPI, beyond what every page does.
    void (*dpiChanged)(HWND page) = nullptr;
    // Any other message the page answers, as a dialog procedure would.
    INT_PTR (*message)(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) = nullptr;
};

extern const PageDef kPaperPage;
extern const PageDef kPlotterEnvPage;
extern const PageDef kPlotterExtraPage;
extern const PageDef kToolPage;
extern const PageDef kCataloguePage;

// Page `def` made from template `templateId` over the sheet's tab control;
// null when it cannot be made.
HWND createPage(HINSTANCE module, int templateId, HWND sheet, const PageDef& def);

// The dialog procedure of every page: the routines of the page's def.
INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// A page's routines as the sheet calls them. A page that was never created,
// or is gone, has nothing to show or store: these then do nothing, and
// pageValidate finds nothing (0).
void pageInitialise(HWND page);
void pageSave(HWND page);
int pageValidate(HWND page);
// Its own work after a DPI change, then the drop-down widths again.
void pageFollowDpi(HWND page);
// Another page's unit choice: a length page selects the unit in its list and
// shows its lengths in it; other pages have none.
void pageFollowUnit(HWND page, int unit);

// The stored length unit, which every length page starts in. Its one writer:
// the operator's confirmed choice (through the sheet's unit synchronisation)
// and OK (from the catalogue page, which shows it) both store it here.
void storeLengthUnit(int unit);

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
// a unit and the page shows its lengths in it: wParam is the page, lParam the
// unit. The sheet brings its other pages to that unit.
enum : UINT { kUnitChosenMessage = WM_APP + 1 };
