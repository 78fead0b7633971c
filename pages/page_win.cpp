// The one dialog procedure of the pages and the one guard before any page
// routine: a page that was never created, or is gone, has no def to run.
#include <windows.h>

#include <cstdint>

#include "pages/length_page_win.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "units/units.h"
#include "winui/controls_win.h"
#include "winui/list_width_win.h"
#include "winui/tabbed_dialog_win.h"

namespace {

// The def of the page being made: an owner-drawn list asks its page for its
// item size while it is created, before WM_INITDIALOG.
const PageDef* g_defBeingMade;

const PageDef* defOf(HWND page) {
    if (page == nullptr || !IsWindow(page))
        return nullptr;
    return reinterpret_cast<const PageDef*>(GetWindowLongPtrW(page, DWLP_USER));
}

// The operator confirmed a choice in the page's unit list: with a unit
// selected, the page converts its own lengths and tells the sheet.
void confirmUnit(HWND page, const PageDef& def) {
    const int unit = selectedListData(page, def.unitList);
    // A confirmation without a selection has no unit to convert to, and
    // "nothing" must never become the stored unit.
    if (unit < 0)
        return;
    def.unitChange(page, unit);
    SendMessageW(GetParent(page), kUnitChosenMessage, reinterpret_cast<WPARAM>(page),
                 static_cast<LPARAM>(unit));
}

INT_PTR command(HWND page, const PageDef& def, int id, int notification) {
    if (def.unitChange != nullptr && id == def.unitList) {
        // Only a confirmed choice converts; browsing the open list does not.
        if (notification == CBN_SELENDOK)
            confirmUnit(page, def);
        return TRUE;
    }
    return def.command ? def.command(page, id, notification) : FALSE;
}

} // namespace

HWND createPage(HINSTANCE module, int templateId, HWND sheet, const PageDef& def) {
    g_defBeingMade = &def;
    HWND page = createTabPage(module, templateId, sheet, pageProc);
    g_defBeingMade = nullptr;
    return page;
}

INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    const PageDef* def = defOf(page);
    if (def == nullptr && g_defBeingMade != nullptr) {
        def = g_defBeingMade;
        SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(def));
    }
    if (def == nullptr)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        def->initialise(page);
        return TRUE;
    case WM_COMMAND:
        return command(page, *def, LOWORD(wParam), HIWORD(wParam));
    }
    return def->message ? def->message(page, message, wParam, lParam) : FALSE;
}

void pageInitialise(HWND page) {
    if (const PageDef* def = defOf(page))
        def->initialise(page);
}

void pageSave(HWND page) {
    // Reading the controls of a page that is not there would blank what it
    // stores; without its window the page keeps the values as they are.
    if (const PageDef* def = defOf(page))
        def->save(page);
}

int pageValidate(HWND page) {
    const PageDef* def = defOf(page);
    return def && def->validate ? def->validate(page) : 0;
}

void pageFollowDpi(HWND page) {
    const PageDef* def = defOf(page);
    if (def == nullptr)
        return;
    if (def->dpiChanged)
        def->dpiChanged(page);
    fitDroppedWidths(page);
}

void pageFollowUnit(HWND page, int unit) {
    const PageDef* def = defOf(page);
    if (def == nullptr || def->unitChange == nullptr)
        return;
    // Selecting from the program sends no CBN_SELENDOK, so this never
    // starts another synchronisation.
    selectListPosition(page, def->unitList, unit);
    def->unitChange(page, unit);
}

void storeLengthUnit(int unit) {
    g_paperCatalogue.lengthUnit = lowSixteenBits(unit);
}

int16_t showStoredUnit(HWND page, int unitList) {
    fillListFromStrings(page, unitList, IDS_UNIT_FIRST, kUnitCount);
    selectListPosition(page, unitList, g_paperCatalogue.lengthUnit);
    return g_paperCatalogue.lengthUnit;
}
