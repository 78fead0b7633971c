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

// The length units "inch", "mm", "pixel", shared by the four pages that show lengths.
#define IDS_UNIT_FIRST 16101

// Messages of the program itself (not page texts)
#define IDS_TAB_PAPER 17001
#define IDS_TAB_PLOTTER_ENV 17002
#define IDS_TAB_PLOTTER_EXTRA 17003
#define IDS_TAB_TOOL 17004
#define IDS_TAB_CATALOGUE 17005
#define IDS_SAVE_FAILED 17010
#define IDS_LOAD_FAILED 17011
#define IDS_SETTINGS_REPLACED 17012
#define IDS_BACKUP_FAILED 17013
#define IDS_PAGE_SETUP_NOT_SAVED 17014
#define IDS_TEXT_NOT_STORABLE 17015
#define IDS_FILE_CHANGED 17016
#define IDS_CHANGED_NOT_KEPT 17017
#define IDS_PATH_UNUSABLE 17018
#define IDS_READ_ONLY 17019
#define IDS_SHEET_ELSEWHERE 17020

// Paper page (template 110) controls, icons and strings
// -- paper page ids --
#define IDC_PAPER_SIZE 101
#define IDC_PAPER_UNITS 102
#define IDC_PAPER_WIDTH 103
#define IDC_PAPER_LENGTH 104
#define IDC_PAPER_SCALE 106
#define IDC_PAPER_SIZE_BUTTON 108
#define IDC_PAPER_ORIENTATION 109
#define IDC_PAPER_PORTRAIT 110
#define IDC_PAPER_LANDSCAPE 111
#define IDC_PAPER_PORTRAIT_ICON 112
#define IDC_PAPER_LANDSCAPE_ICON 113
#define IDC_PAPER_ROLL 114
#define IDC_PAPER_FIRST_PAGE 115
#define IDC_PAPER_LAST_PAGE 116
#define IDI_PAPER_PORTRAIT 1001
#define IDI_PAPER_LANDSCAPE 1002
#define IDS_PAPER_SCALE_FIRST 16531

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
#define IDC_EXTRA_UNIT 501
#define IDC_FRAME_MARGIN_TOP 502
#define IDC_FRAME_MARGIN_BOTTOM 503
#define IDC_FRAME_MARGIN_LEFT 504
#define IDC_FRAME_MARGIN_RIGHT 505
#define IDC_FRAME_CUT_TOOL 506
#define IDC_ROLL_PAGE_LENGTH 507
#define IDC_ERROR_RANGE 508
#define IDC_CUT_TOOL 509
#define IDC_SEGMENT_CUT_PRESSURE 510
#define IDC_GAP_CUT_PRESSURE 511
#define IDC_SEGMENT_LENGTH 512
#define IDC_GAP_LENGTH 513
#define IDC_HEADER_STRING 514
#define IDC_FOOTER_STRING 515
#define IDC_HOST_ADDRESS 516
#define IDC_HOST_PORT 517
#define IDC_PLOTTER_UNIT 518
#define IDC_DEBUG_MODE 519
#define IDC_PD_ENABLED 520
#define IDC_PD_ANGLE 521
#define IDC_PD_VERTEX_COUNT 522
#define IDC_SHARED_FOLDER 523
#define IDC_BROWSE_SHARED_FOLDER 524
// Tool numbers "1" to "10" of the frame-cut and cut tool lists
#define IDS_CUT_TOOL_FIRST 16511

// Tool page (template 112) controls and strings
// -- tool page ids --
// Row r (from 0) of the pen table uses IDC_PEN1_* + 3 * r.
#define IDC_PEN1_TOOL 304
#define IDC_PEN1_THICKNESS 305
#define IDC_PEN1_COLOUR 306
#define IDC_PEN2_TOOL 307
#define IDC_PEN2_THICKNESS 308
#define IDC_PEN2_COLOUR 309
#define IDC_PEN3_TOOL 310
#define IDC_PEN3_THICKNESS 311
#define IDC_PEN3_COLOUR 312
#define IDC_PEN4_TOOL 313
#define IDC_PEN4_THICKNESS 314
#define IDC_PEN4_COLOUR 315
#define IDC_PEN5_TOOL 316
#define IDC_PEN5_THICKNESS 317
#define IDC_PEN5_COLOUR 318
#define IDC_PEN6_TOOL 319
#define IDC_PEN6_THICKNESS 320
#define IDC_PEN6_COLOUR 321
#define IDC_PEN7_TOOL 322
#define IDC_PEN7_THICKNESS 323
#define IDC_PEN7_COLOUR 324
#define IDC_PEN8_TOOL 325
#define IDC_PEN8_THICKNESS 326
#define IDC_PEN8_COLOUR 327
#define IDC_PEN9_TOOL 328
#define IDC_PEN9_THICKNESS 329
#define IDC_PEN9_COLOUR 330
#define IDC_PEN10_TOOL 331
#define IDC_PEN10_THICKNESS 332
#define IDC_PEN10_COLOUR 333
// Tool list texts, in list order.
#define IDS_TOOL_PENCIL 16201
#define IDS_TOOL_OIL_BALLPOINT 16202
#define IDS_TOOL_WATER_BALLPOINT 16203
#define IDS_TOOL_CERAMIC_PEN 16204
#define IDS_TOOL_PLASTIC_PEN 16205
#define IDS_TOOL_DRAFTING_PEN 16206
#define IDS_TOOL_SCRIBE 16207
#define IDS_TOOL_NEEDLE 16208
#define IDS_TOOL_PEN_CUTTER 16209
#define IDS_TOOL_SINGLE_EDGE_CUTTER 16210
#define IDS_TOOL_DOUBLE_EDGE_CUTTER 16211
#define IDS_TOOL_NOT_USED 16212
// Colour names of the colour lists, in list order (black to none).
#define IDS_COLOUR_FIRST 16221

// Paper catalogue page (template 113) controls
// -- paper catalogue page ids --
#define IDC_CATALOGUE_LIST 401
#define IDC_CATALOGUE_NAME 402
#define IDC_CATALOGUE_UNIT 403
#define IDC_CATALOGUE_WIDTH 404
#define IDC_CATALOGUE_LENGTH 405
#define IDC_CATALOGUE_ROLL 406
#define IDC_CATALOGUE_NEW 407
#define IDC_CATALOGUE_DELETE 408
#define IDC_CATALOGUE_MODIFY 409
