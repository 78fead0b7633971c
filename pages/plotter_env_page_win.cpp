// Plotter environment page: output margins for leaf and roll paper, sorting
// and optimisation switches, kanji code, outline, origin, and the output
// port with its serial-line settings. Filled once when the sheet creates it;
// stored into the record and written to the settings file on OK.
#include <windows.h>

#include <cstdint>

#include "pages/pages.h"
#include "pages/plotter_env_logic.h"
#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "settings/record.h"
#include "storage/settings_file.h"
#include "units/units.h"
#include "winui/controls_win.h"

namespace {

// The unit the margin edits currently show; starts as the stored unit.
int16_t s_marginUnit;

// Eight margins in record order: leaf top, left, right, bottom, then roll.
enum : int { kMarginCount = 8 };
using Margins = int32_t[kMarginCount];

// Edit of each margin, in the same order as Margins.
const int kMarginEdits[kMarginCount] = {
    IDC_ENV_LEAF_TOP, IDC_ENV_LEAF_LEFT, IDC_ENV_LEAF_RIGHT, IDC_ENV_LEAF_BOTTOM,
    IDC_ENV_ROLL_TOP, IDC_ENV_ROLL_LEFT, IDC_ENV_ROLL_RIGHT, IDC_ENV_ROLL_BOTTOM,
};

int32_t PlotterRecord::*const kMarginFields[kMarginCount] = {
    &PlotterRecord::leafMarginTop,   &PlotterRecord::leafMarginLeft,
    &PlotterRecord::leafMarginRight, &PlotterRecord::leafMarginBottom,
    &PlotterRecord::rollMarginTop,   &PlotterRecord::rollMarginLeft,
    &PlotterRecord::rollMarginRight, &PlotterRecord::rollMarginBottom,
};

struct CheckBox {
    int id;
    int16_t PlotterRecord::*field;
    bool inverted; // the field says "off" while the box says "on"
};

const CheckBox kCheckBoxes[] = {
    {IDC_ENV_PATH_OVERLAP, &PlotterRecord::recognizePathOverlap, false},
    {IDC_ENV_PEN_ORDER, &PlotterRecord::penOrderOff, true},
    {IDC_ENV_FRAME_CUT, &PlotterRecord::frameCut, false},
    {IDC_ENV_LINE_OPTIMIZE, &PlotterRecord::lineOptimizeOff, true},
    {IDC_ENV_ERROR_ADJUST, &PlotterRecord::errorAdjust, false},
    {IDC_ENV_DOTTED_CUT, &PlotterRecord::dottedLineCut, false},
};

// Lists whose stored value is simply the item position. The port list is
// separate because of its negative codes.
struct PlainList {
    int id;
    UINT firstString;
    int count;
    int16_t PlotterRecord::*field;
};

const PlainList kOutputLists[] = {
    {IDC_ENV_KANJI_CODE, IDS_ENV_KANJI_FIRST, 3, &PlotterRecord::kanjiCode},
    {IDC_ENV_OUTLINE, IDS_ENV_OUTLINE_FIRST, 8, &PlotterRecord::outlineSize},
    {IDC_ENV_PAPER_ORIGIN, IDS_ENV_ORIGIN_FIRST, 2, &PlotterRecord::paperOrigin},
};

const PlainList kLineLists[] = {
    {IDC_ENV_BAUD_RATE, IDS_ENV_BAUD_FIRST, 9, &PlotterRecord::baudRate},
    {IDC_ENV_DATA_BITS, IDS_ENV_DATA_BITS_FIRST, 2, &PlotterRecord::dataBits},
    {IDC_ENV_STOP_BITS, IDS_ENV_STOP_BITS_FIRST, 3, &PlotterRecord::stopBits},
    {IDC_ENV_PARITY, IDS_ENV_PARITY_FIRST, 3, &PlotterRecord::parity},
    {IDC_ENV_FLOW_CONTROL, IDS_ENV_FLOW_FIRST, 3, &PlotterRecord::flowControl},
};

void showMargins(HWND page, const Margins margins) {
    for (int i = 0; i < kMarginCount; ++i)
        showLength(page, kMarginEdits[i], margins[i], s_marginUnit);
}

void readMargins(HWND page, Margins margins) {
    for (int i = 0; i < kMarginCount; ++i)
        margins[i] = readLength(page, kMarginEdits[i], s_marginUnit);
}

void marginsFromRecord(Margins margins) {
    for (int i = 0; i < kMarginCount; ++i)
        margins[i] = g_plotterRecord.*kMarginFields[i];
}

void marginsToRecord(const Margins margins) {
    for (int i = 0; i < kMarginCount; ++i)
        g_plotterRecord.*kMarginFields[i] = margins[i];
}

void fillAndSelect(HWND page, const PlainList& list) {
    fillListFromStrings(page, list.id, list.firstString, list.count);
    selectListPosition(page, list.id, g_plotterRecord.*list.field);
}

void storeSelection(HWND page, const PlainList& list) {
    g_plotterRecord.*list.field = lowSixteenBits(selectedListData(page, list.id));
}

void initialisePage(HWND page) {
    fillListFromStrings(page, IDC_ENV_MARGIN_UNIT, IDS_UNIT_FIRST, kUnitCount);
    s_marginUnit = g_paperCatalogue.lengthUnit;
    selectListPosition(page, IDC_ENV_MARGIN_UNIT, s_marginUnit);
    Margins margins;
    marginsFromRecord(margins);
    showMargins(page, margins);

    // An id outside the range leaves all three cleared.
    checkOneOf(page, IDC_ENV_SORT_NONE, IDC_ENV_SORT_VECTOR,
               IDC_ENV_SORT_NONE + g_plotterRecord.sortMode);
    for (const CheckBox& box : kCheckBoxes)
        setCheck(page, box.id, boxTickedForField(g_plotterRecord.*box.field, box.inverted));

    for (const PlainList& list : kOutputLists)
        fillAndSelect(page, list);
    fillListFromStrings(page, IDC_ENV_PORT, IDS_ENV_PORT_FIRST, kPortListCount);
    selectListPosition(page, IDC_ENV_PORT, portListPositionForCode(g_plotterRecord.commPort));
    for (const PlainList& list : kLineLists)
        fillAndSelect(page, list);
}

INT_PTR onCommand(HWND page, int id, int notification) {
    if (id != IDC_ENV_MARGIN_UNIT)
        return FALSE;
    // Only a confirmed choice converts; browsing the open list does not.
    if (notification == CBN_SELENDOK)
        unitConfirmed(page, kPlotterEnvPageIndex, IDC_ENV_MARGIN_UNIT, plotterEnvPageUnitChange);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK plotterEnvPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initialisePage(page);
        return TRUE;
    case WM_COMMAND:
        return onCommand(page, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

void plotterEnvPageUnitChange(HWND page, int unit) {
    const int16_t newUnit = lowSixteenBits(unit);
    if (newUnit == s_marginUnit)
        return;
    // Through whole millimetres, exactly as OK would store them.
    Margins margins;
    readMargins(page, margins);
    s_marginUnit = newUnit;
    showMargins(page, margins);
}

void savePlotterEnvPage(HWND page) {
    // Without its window the page has nothing to copy; reading absent
    // controls would zero every margin and switch.
    if (IsWindow(page)) {
        Margins margins;
        readMargins(page, margins);
        marginsToRecord(margins);

        g_plotterRecord.sortMode = sortModeFromRadios(
            isChecked(page, IDC_ENV_SORT_NONE), isChecked(page, IDC_ENV_SORT_OBJECT),
            isChecked(page, IDC_ENV_SORT_VECTOR), g_plotterRecord.sortMode);
        for (const CheckBox& box : kCheckBoxes)
            g_plotterRecord.*box.field = fieldForBox(isChecked(page, box.id), box.inverted);

        for (const PlainList& list : kOutputLists)
            storeSelection(page, list);
        g_plotterRecord.commPort =
            lowSixteenBits(portCodeForListPosition(selectedListData(page, IDC_ENV_PORT)));
        for (const PlainList& list : kLineLists)
            storeSelection(page, list);
    }
}
