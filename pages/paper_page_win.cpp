// The paper page: size from the catalogue or typed, width and length in the
// page's own length unit, scale, orientation, roll paper and print range.
// Orientation and size take effect in the page-setup values at once; the
// rest is copied there on OK. The registry itself is written by start-up.
#include <windows.h>

#include <cstdint>

#include "pages/length_page_win.h"
#include "pages/pages.h"
#include "pages/paper_logic.h"
#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "settings/page_setup.h"
#include "settings/record.h"
#include "storage/settings_file.h"
#include "units/units.h"
#include "winui/controls_win.h"
#include "winui/cut_texts_win.h"
#include "winui/dpi_win.h"

namespace {

int16_t g_pageUnit;
// Item data of the custom item: the catalogue count when the list was filled.
int g_customItemData = -1;

// Width and length come as 32 bits: values loaded from the registry are
// shown as they stand.
void showPaperFields(HWND page, int32_t width, int32_t length, int32_t roll) {
    showLength(page, IDC_PAPER_WIDTH, width, g_pageUnit);
    showLength(page, IDC_PAPER_LENGTH, length, g_pageUnit);
    setCheck(page, IDC_PAPER_ROLL, roll != 0);
}

void showPaperFields(HWND page, const PaperFields& fields) {
    showPaperFields(page, fields.width, fields.length, fields.roll);
}

PaperFields readPaperFields(HWND page) {
    char text[kNumberTextBufferSize];
    PaperFields fields;
    readControlText(page, IDC_PAPER_WIDTH, text, sizeof text);
    fields.width = paperLengthFromText(text, g_pageUnit);
    readControlText(page, IDC_PAPER_LENGTH, text, sizeof text);
    fields.length = paperLengthFromText(text, g_pageUnit);
    fields.roll = isChecked(page, IDC_PAPER_ROLL) ? 1 : 0;
    return fields;
}

int16_t readPrintPage(HWND page, int id) {
    char text[kNumberTextBufferSize];
    readControlText(page, id, text, sizeof text);
    return printPageFromText(text);
}

void fillSizeList(HWND page) {
    HWND list = dialogItem(page, IDC_PAPER_SIZE);
    beginListFill(list);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    const int count = PaperCount();
    for (int i = 0; i < count; ++i) {
        char name[kPaperNameSize] = {};
        int16_t width, length, roll;
        GetPaperEntry(i, name, sizeof name, &width, &length, &roll);
        sendText(list, CB_INSERTSTRING, i, name);
        SendMessageW(list, CB_SETITEMDATA, i, i);
    }
    SendMessageW(list, CB_INSERTSTRING, count, reinterpret_cast<LPARAM>(L"カスタム"));
    SendMessageW(list, CB_SETITEMDATA, count, count);
    endListFill(list);
    // Names of up to 63 bytes, the operator's own: the open list shows them
    // whole, the closed box keeps its width rather than push the page wide.
    keepClosedWidth(list);
    g_customItemData = count;
}

void showOrientation(HWND page, bool portrait) {
    checkOneOf(page, IDC_PAPER_PORTRAIT, IDC_PAPER_LANDSCAPE,
               portrait ? IDC_PAPER_PORTRAIT : IDC_PAPER_LANDSCAPE);
}

// At the page's DPI, and again after a move to a monitor of another DPI.
void showOrientationIcons(HWND page) {
    showIconForDpi(page, IDC_PAPER_PORTRAIT_ICON, IDI_PAPER_PORTRAIT);
    showIconForDpi(page, IDC_PAPER_LANDSCAPE_ICON, IDI_PAPER_LANDSCAPE);
}

void initialise(HWND page) {
    fillSizeList(page);

    // A catalogue size brings its own dimensions; a custom (or unknown) code
    // keeps the values loaded from the registry.
    const int slot = catalogueSlotOfSize(g_pageSetup.Size);
    if (slot >= 0) {
        int16_t width, length, roll;
        GetPaperSize(slot, &width, &length, &roll);
        g_pageSetup.Width = width;
        g_pageSetup.Height = length;
        g_pageSetup.pisroll = roll;
        selectListPosition(page, IDC_PAPER_SIZE, slot);
    } else {
        selectListPosition(page, IDC_PAPER_SIZE, g_customItemData);
    }

    g_pageUnit = showStoredUnit(page, IDC_PAPER_UNITS);

    showPaperFields(page, g_pageSetup.Width, g_pageSetup.Height, g_pageSetup.pisroll);

    fillListFromStrings(page, IDC_PAPER_SCALE, IDS_PAPER_SCALE_FIRST, kScaleCount);
    selectListPosition(page, IDC_PAPER_SCALE, scalePositionOf(g_pageSetup.Scale));

    showOrientation(page, g_pageSetup.Orientation == 0);
    showOrientationIcons(page);
    showInteger(page, IDC_PAPER_FIRST_PAGE, g_pageSetup.iFstPage);
    showInteger(page, IDC_PAPER_LAST_PAGE, g_pageSetup.iLstPage);
}

void chooseSize(HWND page) {
    const int chosen = selectedListData(page, IDC_PAPER_SIZE);
    if (chosen < 0)
        return; // nothing chosen: keep the size and the fields as they are
    PaperFields fields;
    // The custom item stays custom even after the catalogue grew past it.
    if (chosen < PaperCount() && chosen != g_customItemData) {
        g_pageSetup.Size = kFirstCatalogueSize + chosen;
        GetPaperSize(chosen, &fields.width, &fields.length, &fields.roll);
    } else {
        g_pageSetup.Size = kCustomPaperSize;
        fields = readPaperFields(page);
    }
    showPaperFields(page, fields);
}

void chooseOrientation(HWND page, bool portrait) {
    g_pageSetup.Orientation = portrait ? 0 : 1;
    showOrientation(page, portrait);
}

INT_PTR command(HWND page, int id, int notification) {
    switch (id) {
    case IDC_PAPER_SIZE:
        if (notification == CBN_SELENDOK)
            chooseSize(page);
        return TRUE;
    case IDC_PAPER_PORTRAIT:
        chooseOrientation(page, true);
        return TRUE;
    case IDC_PAPER_LANDSCAPE:
        chooseOrientation(page, false);
        return TRUE;
    case IDC_PAPER_SIZE_BUTTON:
        return TRUE;
    }
    return FALSE;
}

void save(HWND page) {
    const PaperFields fields = readPaperFields(page);
    g_pageSetup.Scale = scaleAtPosition(selectedListPosition(page, IDC_PAPER_SCALE));
    g_pageSetup.pisroll = fields.roll;
    g_pageSetup.Height = fields.length;
    g_pageSetup.Width = fields.width;
    g_pageSetup.Size = sizeCodeOnSave(g_pageSetup.Size, fields);
    g_pageSetup.iFstPage = readPrintPage(page, IDC_PAPER_FIRST_PAGE);
    g_pageSetup.iLstPage = readPrintPage(page, IDC_PAPER_LAST_PAGE);
}

void unitChange(HWND page, int unit) {
    changeLengthUnit(page, unit, &g_pageUnit, readPaperFields, showPaperFields);
}

} // namespace

const PageDef kPaperPage = {
    .initialise = initialise,
    .command = command,
    .save = save,
    .unitList = IDC_PAPER_UNITS,
    .unitChange = unitChange,
    .dpiChanged = showOrientationIcons,
};
