// The paper catalogue page: list 401 shows the catalogue's names with one
// blank line last, so a line's position is always its catalogue index and
// the blank line is where New appends. New, Delete and Modify change the
// in-memory catalogue at once; only Save writes it to the file.
#include <windows.h>

#include <cstdint>
#include <string>

#include "pages/catalogue_logic.h"
#include "pages/length_page_win.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "storage/cp932_convert.h"
#include "storage/settings_file.h"
#include "units/units.h"
#include "winui/controls_win.h"

namespace {

// The unit edits 404 and 405 currently show their values in.
int16_t g_pageUnit;

// Room for whatever edit 402 holds (its limit keeps it far below this), so
// names are cut by whole characters here rather than by GetWindowText.
enum : size_t { kNameReadSize = 256 };

// The stored name edit 402 was last filled with: while the operator leaves
// the text alone, those very bytes are what New and Modify store.
char g_shownName[kPaperNameSize];

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
    sendText(dialogItem(page, IDC_CATALOGUE_LIST), LB_INSERTSTRING, static_cast<WPARAM>(line),
             name);
    sendToList(page, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

void showName(HWND page, const char* name) {
    cutCp932(name, g_shownName, sizeof g_shownName);
    setItemText(page, IDC_CATALOGUE_NAME, g_shownName);
}

void showSizes(HWND page, int16_t width, int16_t length, int16_t roll) {
    showLength(page, IDC_CATALOGUE_WIDTH, width, g_pageUnit);
    showLength(page, IDC_CATALOGUE_LENGTH, length, g_pageUnit);
    setCheck(page, IDC_CATALOGUE_ROLL, roll != 0);
}

void showEntryFields(HWND page, const char* name, int16_t width, int16_t length, int16_t roll) {
    showName(page, name);
    showSizes(page, width, length, roll);
}

void clearEntryFields(HWND page) {
    showName(page, "");
    setItemText(page, IDC_CATALOGUE_WIDTH, "");
    setItemText(page, IDC_CATALOGUE_LENGTH, "");
    setCheck(page, IDC_CATALOGUE_ROLL, false);
}

// False when the name holds a character that the catalogue cannot store;
// the entry then has the generated name.
bool readEntryFields(HWND page, CatalogueFields* fields) {
    char name[kNameReadSize];
    char width[kNumberTextBufferSize];
    char length[kNumberTextBufferSize];
    const bool storable = readStoredText(page, IDC_CATALOGUE_NAME, g_shownName, name, sizeof name);
    readControlText(page, IDC_CATALOGUE_WIDTH, width, sizeof width);
    readControlText(page, IDC_CATALOGUE_LENGTH, length, sizeof length);
    *fields =
        readCatalogueFields(name, width, length, g_pageUnit, isChecked(page, IDC_CATALOGUE_ROLL));
    return storable;
}

// New and Modify store nothing from a name the catalogue cannot hold.
bool readEntryFieldsToStore(HWND page, CatalogueFields* fields) {
    if (readEntryFields(page, fields))
        return true;
    reportUnstorableText(page, page, IDC_CATALOGUE_NAME);
    return false;
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
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < PaperCount(); ++i) {
        char name[kPaperNameSize];
        GetPaperEntry(i, name, sizeof name, nullptr, nullptr, nullptr);
        sendText(list, LB_ADDSTRING, 0, name);
    }
    sendText(list, LB_ADDSTRING, 0, "");
    endListFill(list);
    SendMessageW(list, LB_SETCURSEL, 0, 0);
}

void initialise(HWND page) {
    // Counted in characters by the edit; keepNameWithinSlot counts bytes.
    sendToItem(page, IDC_CATALOGUE_NAME, EM_LIMITTEXT, kPaperNameMaxBytes, 0);
    fillCatalogueList(page);
    g_pageUnit = showStoredUnit(page, IDC_CATALOGUE_UNIT);
    showLine(page, 0); // the blank line when the catalogue is empty
}

// A slot holds 63 bytes of name: a longer text (double-byte characters, or
// a paste) is cut back at once, by whole characters, so what the user sees
// is what will be stored.
void keepNameWithinSlot(HWND page) {
    std::u16string name = itemTextUtf16(page, IDC_CATALOGUE_NAME);
    const size_t fit = cp932FitUnits(name, kPaperNameMaxBytes);
    if (fit == name.size())
        return;
    name.resize(fit);
    HWND edit = dialogItem(page, IDC_CATALOGUE_NAME);
    SetWindowTextW(edit, reinterpret_cast<const wchar_t*>(name.c_str()));
    SendMessageW(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
}

void newEntry(HWND page, int selected, int blank) {
    const int at = selected < 0 ? blank : selected;
    CatalogueFields fields;
    if (!readEntryFieldsToStore(page, &fields))
        return;
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
    CatalogueFields fields;
    if (selected < 0 || selected == blank || !readEntryFieldsToStore(page, &fields))
        return;
    if (!ReplacePaperEntry(selected, fields.name, fields.width, fields.length, fields.roll))
        return;
    sendToList(page, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    putLine(page, selected, fields.name);
}

INT_PTR command(HWND page, int id, int code) {
    const int selected = selectedLine(page);
    const int blank = blankLine(page);
    switch (id) {
    case IDC_CATALOGUE_LIST:
        if (code == LBN_SELCHANGE)
            showLine(page, selected);
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

// The page's unit is the one OK stores.
void save(HWND) {
    storeLengthUnit(g_pageUnit);
}

// The entry fields as a unit change reads them: in the old unit, an empty
// name coming back as its generated name.
struct ShownEntry {
    CatalogueFields fields;
    bool nameStorable;
};

ShownEntry readShownEntry(HWND page) {
    ShownEntry entry;
    entry.nameStorable = readEntryFields(page, &entry.fields);
    return entry;
}

void showConvertedEntry(HWND page, const ShownEntry& entry) {
    // A name the catalogue cannot hold stays as typed until New or Modify
    // asks for it to be replaced.
    if (entry.nameStorable)
        showName(page, entry.fields.name);
    showSizes(page, entry.fields.width, entry.fields.length, entry.fields.roll);
}

void unitChange(HWND page, int unit) {
    changeLengthUnit(page, unit, &g_pageUnit, readShownEntry, showConvertedEntry);
}

} // namespace

const PageDef kCataloguePage = {
    .initialise = initialise,
    .command = command,
    .save = save,
    .unitList = IDC_CATALOGUE_UNIT,
    .unitChange = unitChange,
};
