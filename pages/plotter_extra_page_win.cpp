// The plotter additional page: frame-cut margins and tools, cutting pressures
// and lengths, header and footer texts, the network host, PD optimisation and
// the shared folder. Texts the settings file cannot hold are refused before
// anything is stored.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdint>

#include "pages/length_page_win.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/record.h"
#include "settings/stored_values.h"
#include "units/units.h"
#include "winui/controls_win.h"

namespace {

// The unit the five length edits currently show.
int16_t g_pageUnit;

// Record texts are read through 127 bytes (126 bytes of text), the shared
// folder for the browser through 512 characters.
enum : int { kRecordTextReadSize = 127, kFolderBufferSize = 512 };

struct Lengths {
    int32_t top, left, right, bottom;
    int16_t pageLength;
};

void showLengths(HWND page, const Lengths& lengths) {
    showLength(page, IDC_FRAME_MARGIN_TOP, lengths.top, g_pageUnit);
    showLength(page, IDC_FRAME_MARGIN_LEFT, lengths.left, g_pageUnit);
    showLength(page, IDC_FRAME_MARGIN_RIGHT, lengths.right, g_pageUnit);
    showLength(page, IDC_FRAME_MARGIN_BOTTOM, lengths.bottom, g_pageUnit);
    showLength(page, IDC_ROLL_PAGE_LENGTH, lengths.pageLength, g_pageUnit);
}

Lengths readLengths(HWND page) {
    Lengths lengths;
    lengths.left = readLength(page, IDC_FRAME_MARGIN_LEFT, g_pageUnit);
    lengths.top = readLength(page, IDC_FRAME_MARGIN_TOP, g_pageUnit);
    lengths.right = readLength(page, IDC_FRAME_MARGIN_RIGHT, g_pageUnit);
    lengths.bottom = readLength(page, IDC_FRAME_MARGIN_BOTTOM, g_pageUnit);
    lengths.pageLength = lowSixteenBits(readLength(page, IDC_ROLL_PAGE_LENGTH, g_pageUnit));
    return lengths;
}

// The four text edits and the record fields they show.
struct TextField {
    int id;
    char (PlotterRecord::*field)[kTextFieldSize];
};
const TextField kTextFields[] = {
    {IDC_HEADER_STRING, &PlotterRecord::headerString},
    {IDC_FOOTER_STRING, &PlotterRecord::footerString},
    {IDC_HOST_ADDRESS, &PlotterRecord::hostAddress},
    {IDC_SHARED_FOLDER, &PlotterRecord::sharedFolder},
};

void showTextField(HWND page, int id, const char* field) {
    char text[kTextShowSize];
    textFieldToShow(field, text);
    setItemText(page, id, text);
}

// What the field would store from its edit; false for a character the file
// cannot hold. The record still holds what the edit was filled from.
bool readTextField(HWND page, int id, const char* field, char (&text)[kRecordTextReadSize]) {
    char shown[kTextShowSize];
    textFieldToShow(field, shown);
    return readStoredText(page, id, shown, text, sizeof text);
}

// A text that cannot be stored leaves its field as it was; the sheet asks
// the operator before it saves, so this is only a safeguard.
void storeEditedText(HWND page, int id, char* field) {
    char text[kRecordTextReadSize];
    if (readTextField(page, id, field, text))
        storeTextField(field, text);
}

void selectTool(HWND page, int listId, int16_t toolNumber) {
    selectListPosition(page, listId, toolListPosition(toolNumber));
}

int16_t selectedTool(HWND page, int listId) {
    return toolNumberAt(selectedListPosition(page, listId));
}

void showPdOptimisation(HWND page) {
    g_plotterRecord.pdOptimize = pdOptimizeInEffect(g_plotterRecord.pdOptimize);
    const int32_t word = g_plotterRecord.pdOptimize;
    setCheck(page, IDC_PD_ENABLED, pdEnabled(word) != 0);
    showInteger(page, IDC_PD_ANGLE, static_cast<int32_t>(pdAngle(word)));
    showInteger(page, IDC_PD_VERTEX_COUNT, static_cast<int32_t>(pdVertexCount(word)));
}

void initialise(HWND page) {
    const PlotterRecord& r = g_plotterRecord;
    g_pageUnit = showStoredUnit(page, IDC_EXTRA_UNIT);
    showLengths(page, {r.frameMarginTop, r.frameMarginLeft, r.frameMarginRight, r.frameMarginBottom,
                       r.rollPageLength});

    fillListFromStrings(page, IDC_FRAME_CUT_TOOL, IDS_CUT_TOOL_FIRST, kToolCount);
    selectTool(page, IDC_FRAME_CUT_TOOL, r.frameCutTool);
    fillListFromStrings(page, IDC_CUT_TOOL, IDS_CUT_TOOL_FIRST, kToolCount);
    selectTool(page, IDC_CUT_TOOL, r.cutTool);

    showInteger(page, IDC_SEGMENT_CUT_PRESSURE, r.segmentCutPressure);
    showInteger(page, IDC_GAP_CUT_PRESSURE, r.gapCutPressure);
    showInteger(page, IDC_SEGMENT_LENGTH, r.segmentLength);
    showInteger(page, IDC_GAP_LENGTH, r.gapLength);
    showInteger(page, IDC_ERROR_RANGE, r.errorRange);

    showPdOptimisation(page);

    showTextField(page, IDC_HEADER_STRING, r.headerString);
    showTextField(page, IDC_FOOTER_STRING, r.footerString);
    showTextField(page, IDC_HOST_ADDRESS, r.hostAddress);

    showInteger(page, IDC_HOST_PORT, r.hostPort);
    showInteger(page, IDC_PLOTTER_UNIT, r.plotterUnit);
    setCheck(page, IDC_DEBUG_MODE, r.debugMode != 0);
    showTextField(page, IDC_SHARED_FOLDER, r.sharedFolder);
}

// Opens the browser on the folder the edit names, when that is a folder.
int CALLBACK browserNotification(HWND browser, UINT event, LPARAM, LPARAM data) {
    if (event == BFFM_INITIALIZED && data != 0)
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

void browseForSharedFolder(HWND page) {
    wchar_t folder[kFolderBufferSize] = {};
    GetWindowTextW(dialogItem(page, IDC_SHARED_FOLDER), folder, kFolderBufferSize);

    // Owned by the sheet, which the browser's modal loop disables: neither OK
    // nor the close box can end the sheet while this handler is still running.
    BROWSEINFOW browse = {};
    browse.hwndOwner = GetAncestor(page, GA_ROOT);
    browse.pidlRoot = nullptr;
    browse.pszDisplayName = folder;
    browse.lpszTitle = L"フォルダを選択して下さい";
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = browserNotification;
    browse.lParam = reinterpret_cast<LPARAM>(folder);

    // The shell's browser needs COM on this thread; nothing else here uses it.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (chosen != nullptr) {
        // Without a file-system path the buffer holds only the display name,
        // which is no folder path: keep what the edit had.
        wchar_t path[kFolderBufferSize] = {};
        if (SHGetPathFromIDListW(chosen, path))
            SetWindowTextW(dialogItem(page, IDC_SHARED_FOLDER), path);
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
}

INT_PTR command(HWND page, int id, int) {
    if (id != IDC_BROWSE_SHARED_FOLDER)
        return FALSE;
    browseForSharedFolder(page);
    return TRUE;
}

void save(HWND page) {
    PlotterRecord& r = g_plotterRecord;

    const Lengths lengths = readLengths(page);
    r.frameMarginTop = lengths.top;
    r.frameMarginLeft = lengths.left;
    r.frameMarginRight = lengths.right;
    r.frameMarginBottom = lengths.bottom;
    r.rollPageLength = lengths.pageLength;

    r.frameCutTool = selectedTool(page, IDC_FRAME_CUT_TOOL);
    r.cutTool = selectedTool(page, IDC_CUT_TOOL);

    r.segmentCutPressure = lowSixteenBits(readInteger(page, IDC_SEGMENT_CUT_PRESSURE));
    r.gapCutPressure = lowSixteenBits(readInteger(page, IDC_GAP_CUT_PRESSURE));
    r.segmentLength = lowSixteenBits(readInteger(page, IDC_SEGMENT_LENGTH));
    r.gapLength = lowSixteenBits(readInteger(page, IDC_GAP_LENGTH));
    r.errorRange = lowSixteenBits(readInteger(page, IDC_ERROR_RANGE));

    r.pdOptimize = packPdOptimize(readInteger(page, IDC_PD_VERTEX_COUNT),
                                  readInteger(page, IDC_PD_ANGLE), isChecked(page, IDC_PD_ENABLED));

    for (const TextField& t : kTextFields)
        storeEditedText(page, t.id, r.*t.field);

    r.hostPort = lowSixteenBits(readInteger(page, IDC_HOST_PORT));
    r.plotterUnit = lowSixteenBits(readInteger(page, IDC_PLOTTER_UNIT));
    r.debugMode = isChecked(page, IDC_DEBUG_MODE) ? 1 : 0;
}

// The text edits are checked before any page stores anything.
int validate(HWND page) {
    for (const TextField& t : kTextFields) {
        char text[kRecordTextReadSize];
        if (!readTextField(page, t.id, g_plotterRecord.*t.field, text))
            return t.id;
    }
    return 0;
}

void unitChange(HWND page, int unit) {
    changeLengthUnit(page, unit, &g_pageUnit, readLengths, showLengths);
}

} // namespace

const PageDef kPlotterExtraPage = {
    .initialise = initialise,
    .command = command,
    .save = save,
    .validate = validate,
    .unitList = IDC_EXTRA_UNIT,
    .unitChange = unitChange,
};
