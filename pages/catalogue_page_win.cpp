// The paper catalogue page: list 401 shows the catalogue's names with one
// blank line last, so a line's position is always its catalogue index and
// the blank line is where New appends. New, Delete and Modify change the
// in-memory catalogue at once; only Save writes it to the file.
#include <windows.h>

#include <cstdint>

#include "pages/catalogue_logic.h"
#include "pages/page_common_win.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "settings/settings_file.h"
#include "units/units.h"

HWND g_cataloguePage;

namespace {

// The unit edits 404 and 405 currently show their values in.
int16_t g_pageUnit;

// Room for whatever edit 402 holds (its limit keeps it far below this), so
// names are cut by whole characters here rather than by GetWindowText.
enum : size_t { kNameReadSize = 256 };

LRESULT sendToList(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return sendToItem(page, IDC_CATALOGUE_LIST, message, wParam, lParam);
}

// -1 when no line is selected.
int selectedLine(HWND page) {
    return static_cast<int16_t>(sendToList(page, LB_GETCURSEL, 0, 0));
}

int blankLine(HWND page) {
    return static_cast<int>(sendToList(page, LB_GETCOUNT, 0, 0)) - 1;
}

void putLine(HWND page, int line, const char* name) {
    sendToList(page, LB_INSERTSTRING, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(name));
    sendToList(page, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

void showEntryFields(HWND page, const char* name, int16_t width, int16_t length, int16_t roll) {
    setItemText(page, IDC_CATALOGUE_NAME, name);
    showLength(page, IDC_CATALOGUE_WIDTH, width, g_pageUnit);
    showLength(page, IDC_CATALOGUE_LENGTH, length, g_pageUnit);
    setCheck(page, IDC_CATALOGUE_ROLL, roll != 0);
}

void clearEntryFields(HWND page) {
    setItemText(page, IDC_CATALOGUE_NAME, "");
    setItemText(page, IDC_CATALOGUE_WIDTH, "");
    setItemText(page, IDC_CATALOGUE_LENGTH, "");
    setCheck(page, IDC_CATALOGUE_ROLL, false);
}

CatalogueFields readEntryFields(HWND page) {
    char name[kNameReadSize];
    char width[kNumberTextBufferSize];
    char length[kNumberTextBufferSize];
    readControlText(page, IDC_CATALOGUE_NAME, name, sizeof name);
    readControlText(page, IDC_CATALOGUE_WIDTH, width, sizeof width);
    readControlText(page, IDC_CATALOGUE_LENGTH, length, sizeof length);
    return readCatalogueFields(name, width, length, g_pageUnit,
                               isChecked(page, IDC_CATALOGUE_ROLL));
}

// The blank line has no entry, so its fields are empty.
void showLine(HWND page, int line) {
    char name[kPaperNameSize];
    int16_t width, length, roll;
    if (GetPaperEntry(line, name, sizeof name, &width, &length, &roll))
        showEntryFields(page, name, width, length, roll);
    else
        clearEntryFields(page);
}

void fillCatalogueList(HWND page) {
    HWND list = dialogItem(page, IDC_CATALOGUE_LIST);
    beginListFill(list);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < PaperCount(); ++i) {
        char name[kPaperNameSize];
        GetPaperEntry(i, name, sizeof name, nullptr, nullptr, nullptr);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
    endListFill(list);
    SendMessageA(list, LB_SETCURSEL, 0, 0);
}

void initialise(HWND page) {
    g_cataloguePage = page;
    // Counted in characters by the edit; keepNameWithinSlot counts bytes.
    sendToItem(page, IDC_CATALOGUE_NAME, EM_LIMITTEXT, kPaperNameMaxBytes, 0);
    fillCatalogueList(page);
    fillListFromStrings(page, IDC_CATALOGUE_UNIT, IDS_UNIT_FIRST, kUnitCount);
    g_pageUnit = g_paperCatalogue.lengthUnit;
    selectListPosition(page, IDC_CATALOGUE_UNIT, g_pageUnit);
    if (PaperCount() > 0)
        showLine(page, 0);
}

// A slot holds 63 bytes of name: a longer text (double-byte characters, or
// a paste) is cut back at once, by whole characters, so what the user sees
// is what will be stored.
void keepNameWithinSlot(HWND page) {
    char name[kNameReadSize];
    readControlText(page, IDC_CATALOGUE_NAME, name, sizeof name);
    const size_t fit = cp932FitLength(name, kPaperNameMaxBytes);
    if (name[fit] == '\0')
        return;
    name[fit] = '\0';
    HWND edit = dialogItem(page, IDC_CATALOGUE_NAME);
    SetWindowTextA(edit, name);
    SendMessageA(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
}

void newEntry(HWND page, int selected, int blank) {
    const int at = selected < 0 ? blank : selected;
    const CatalogueFields fields = readEntryFields(page);
    if (!InsertPaperEntry(at, fields.name, fields.width, fields.length, fields.roll))
        return; // full: list and fields stay as they are
    putLine(page, at, fields.name);
}

void deleteEntry(HWND page, int selected, int blank) {
    if (selected < 0 || selected == blank || !RemovePaperEntry(selected))
        return;
    sendToList(page, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    sendToList(page, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    showLine(page, selected);
}

void modifyEntry(HWND page, int selected, int blank) {
    if (selected < 0 || selected == blank)
        return;
    const CatalogueFields fields = readEntryFields(page);
    if (!ReplacePaperEntry(selected, fields.name, fields.width, fields.length, fields.roll))
        return;
    sendToList(page, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    putLine(page, selected, fields.name);
}

void unitChosen(HWND page) {
    const int unit = selectedListData(page, IDC_CATALOGUE_UNIT);
    if (unit < 0)
        return; // no unit to convert to; never make "nothing" the stored unit
    cataloguePageUnitChange(page, unit);
    synchroniseUnits(kCataloguePageIndex, unit);
}

INT_PTR onCommand(HWND page, int id, int code) {
    const int selected = selectedLine(page);
    const int blank = blankLine(page);
    switch (id) {
    case IDC_CATALOGUE_LIST:
        if (code == LBN_SELCHANGE)
            showLine(page, selected);
        return TRUE;
    case IDC_CATALOGUE_UNIT:
        if (code == CBN_SELENDOK)
            unitChosen(page);
        return TRUE;
    case IDC_CATALOGUE_NEW:
        newEntry(page, selected, blank);
        return TRUE;
    case IDC_CATALOGUE_DELETE:
        deleteEntry(page, selected, blank);
        return TRUE;
    case IDC_CATALOGUE_MODIFY:
        modifyEntry(page, selected, blank);
        return TRUE;
    case IDC_CATALOGUE_NAME:
        if (code == EN_CHANGE)
            keepNameWithinSlot(page);
        return FALSE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK cataloguePageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initialise(page);
        return TRUE;
    case WM_COMMAND:
        return onCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
        // Unit synchronisation must not reach a page that is gone.
        if (g_cataloguePage == page)
            g_cataloguePage = nullptr;
        return FALSE;
    }
    return FALSE;
}

bool saveCataloguePage(HWND page) {
    // A page that was never created has no unit of its own to store.
    if (page != nullptr)
        g_paperCatalogue.lengthUnit = g_pageUnit;
    return savePaperCatalogue(&g_paperCatalogue);
}

void cataloguePageUnitChange(HWND page, int unit) {
    if (page == nullptr || lowSixteenBits(unit) == g_pageUnit)
        return;
    // Read in the old unit; an empty name comes back as its generated name.
    const CatalogueFields fields = readEntryFields(page);
    g_pageUnit = lowSixteenBits(unit);
    showEntryFields(page, fields.name, fields.width, fields.length, fields.roll);
}
