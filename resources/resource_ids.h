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

// Plotter additional page (template 114) controls and strings
// -- plotter additional page ids --

// Tool page (template 112) controls and strings
// -- tool page ids --

// Paper catalogue page (template 113) controls
// -- paper catalogue page ids --
#define IDC_CATALOGUE_LIST 401
#define IDC_CATALOGUE_NAME 402
#ifdef RC_INVOKED
// The code takes the unit lists' ids from pages/pages.h.
#define IDC_CATALOGUE_UNIT 403
#endif
#define IDC_CATALOGUE_WIDTH 404
#define IDC_CATALOGUE_LENGTH 405
#define IDC_CATALOGUE_ROLL 406
#define IDC_CATALOGUE_NEW 407
#define IDC_CATALOGUE_DELETE 408
#define IDC_CATALOGUE_MODIFY 409
