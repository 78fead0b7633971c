#include "pages/pages.h"
#include "settings/record.h"
#include "settings/settings_file.h"

HWND g_paperPage;

INT_PTR CALLBACK paperPageProc(HWND page, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        g_paperPage = page;
        return TRUE;
    }
    return FALSE;
}

bool savePaperPage(HWND) {
    return savePlotterSettings(&g_plotterRecord);
}

void paperPageUnitChange(HWND, int) {}
