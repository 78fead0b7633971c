// Resource ids, shared by the .rc and the code. The numbers are part of the
// program's identity (templates, strings and icons the pages load by id).
#pragma once

#define IDI_APP 1

// Dialog templates
#define IDD_SHEET 109
#define IDD_PAPER_PAGE 110
#define IDD_PLOTTER_ENV_PAGE 111
#define IDD_TOOL_PAGE 112
#define IDD_CATALOGUE_PAGE 113
#define IDD_PLOTTER_EXTRA_PAGE 114

// Sheet controls
#define IDC_SHEET_TABS 1082

// Messages of the program itself (not page texts)
#define IDS_TAB_PAPER 17001
#define IDS_TAB_PLOTTER_ENV 17002
#define IDS_TAB_PLOTTER_EXTRA 17003
#define IDS_TAB_TOOL 17004
#define IDS_TAB_CATALOGUE 17005
#define IDS_SAVE_FAILED 17010
#define IDS_LOAD_FAILED 17011

// Paper page (template 110) controls, icons and strings
// -- paper page ids --

// Plotter environment page (template 111) controls and strings
// -- plotter environment page ids --
#define IDC_ENV_MARGIN_UNIT 201
#define IDC_ENV_LEAF_TOP 202
#define IDC_ENV_LEAF_LEFT 203
#define IDC_ENV_LEAF_BOTTOM 204
#define IDC_ENV_LEAF_RIGHT 205
#define IDC_ENV_ROLL_TOP 206
#define IDC_ENV_ROLL_LEFT 207
#define IDC_ENV_ROLL_BOTTOM 208
#define IDC_ENV_ROLL_RIGHT 209
#define IDC_ENV_SORT_NONE 210
#define IDC_ENV_SORT_OBJECT 211
#define IDC_ENV_SORT_VECTOR 212
#define IDC_ENV_PATH_OVERLAP 213
#define IDC_ENV_PEN_ORDER 214
#define IDC_ENV_FRAME_CUT 215
#define IDC_ENV_LINE_OPTIMIZE 216
#define IDC_ENV_ERROR_ADJUST 217
#define IDC_ENV_DOTTED_CUT 218
#define IDC_ENV_KANJI_CODE 219
#define IDC_ENV_OUTLINE 220
#define IDC_ENV_PAPER_ORIGIN 221
#define IDC_ENV_PORT 222
#define IDC_ENV_BAUD_RATE 223
#define IDC_ENV_DATA_BITS 224
#define IDC_ENV_STOP_BITS 225
#define IDC_ENV_PARITY 226
#define IDC_ENV_FLOW_CONTROL 227
// First string of each list; the items follow consecutively.
#define IDS_ENV_PORT_FIRST 16401
#define IDS_ENV_BAUD_FIRST 16421
#define IDS_ENV_DATA_BITS_FIRST 16431
#define IDS_ENV_STOP_BITS_FIRST 16441
#define IDS_ENV_PARITY_FIRST 16451
#define IDS_ENV_FLOW_FIRST 16461
#define IDS_ENV_KANJI_FIRST 16491
#define IDS_ENV_ORIGIN_FIRST 16501
#define IDS_ENV_OUTLINE_FIRST 16561

// Plotter additional page (template 114) controls and strings
// -- plotter additional page ids --

// Tool page (template 112) controls and strings
// -- tool page ids --

// Paper catalogue page (template 113) controls
// -- paper catalogue page ids --
