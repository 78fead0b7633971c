// Plotter environment page: output margins for leaf and roll paper, sorting
// and optimisation switches, kanji code, outline, origin, and the output
// port with its serial-line settings, shown from the record and stored back
// into it on OK.
#include <windows.h>

#include <cstdint>

#include "pages/length_page_win.h"
#include "pages/pages.h"
#include "pages/plotter_env_logic.h"
#include "resources/resource_ids.h"
#include "settings/record.h"
#include "storage/settings_file.h"
#include "units/units.h"
#include "winui/controls_win.h"

namespace {

// The unit the margin edits currently show; starts as the stored unit.
int16_t s_marginUnit;

// Eight margins in record order: leaf top, left, right, bottom, then roll.
enum : int { kMarginCount = 8 };
struct Margins {
    int32_t mm[kMarginCount];
};

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

void showMargins(HWND page, const Margins& margins) {
    for (int i = 0; i < kMarginCount; ++i)
        showLength(page, kMarginEdits[i], margins.mm[i], s_marginUnit);
}

Margins readMargins(HWND page) {
    Margins margins;
    for (int i = 0; i < kMarginCount; ++i)
        margins.mm[i] = readLength(page, kMarginEdits[i], s_marginUnit);
    return margins;
}

Margins marginsFromRecord() {
    Margins margins;
    for (int i = 0; i < kMarginCount; ++i)
        margins.mm[i] = g_plotterRecord.*kMarginFields[i];
    return margins;
}

void marginsToRecord(const Margins& margins) {
    for (int i = 0; i < kMarginCount; ++i)
        g_plotterRecord.*kMarginFields[i] = margins.mm[i];
}

void fillAndSelect(HWND page, const PlainList& list) {
    fillListFromStrings(page, list.id, list.firstString, list.count);
    selectListPosition(page, list.id, g_plotterRecord.*list.field);
}

void storeSelection(HWND page, const PlainList& list) {
    g_plotterRecord.*list.field = lowSixteenBits(selectedListData(page, list.id));
}

void initialise(HWND page) {
    s_marginUnit = showStoredUnit(page, IDC_ENV_MARGIN_UNIT);
    showMargins(page, marginsFromRecord());

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

void save(HWND page) {
    marginsToRecord(readMargins(page));

    g_plotterRecord.sortMode =
        sortModeFromRadios(isChecked(page, IDC_ENV_SORT_NONE), isChecked(page, IDC_ENV_SORT_OBJECT),
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

void unitChange(HWND page, int unit) {
    changeLengthUnit(page, unit, &s_marginUnit, readMargins, showMargins);
}

} // namespace

const PageDef kPlotterEnvPage = {
    .initialise = initialise,
    .save = save,
    .unitList = IDC_ENV_MARGIN_UNIT,
    .unitChange = unitChange,
};
