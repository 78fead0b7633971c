// The five property pages. Each has a dialog procedure, which fills the page
// from the in-memory settings when the page is created, and a save routine
// that stores the page back on OK. A save returns false only when it had to
// write the settings file and could not.
#pragma once

#include <windows.h>

extern HWND g_paperPage;
extern HWND g_plotterEnvPage;
extern HWND g_plotterExtraPage;
extern HWND g_toolPage;
extern HWND g_cataloguePage;

INT_PTR CALLBACK paperPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK plotterEnvPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK plotterExtraPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK toolPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK cataloguePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

bool savePaperPage(HWND page);
bool savePlotterEnvPage(HWND page);
bool savePlotterExtraPage(HWND page);
bool saveToolPage(HWND page);
bool saveCataloguePage(HWND page);
