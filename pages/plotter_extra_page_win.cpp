#include "pages/pages.h"

HWND g_plotterExtraPage;

INT_PTR CALLBACK plotterExtraPageProc(HWND page, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        g_plotterExtraPage = page;
        return TRUE;
    }
    return FALSE;
}

bool savePlotterExtraPage(HWND) {
    // Its fields reach the file with the tool page's write of the record.
    return true;
}

void plotterExtraPageUnitChange(HWND, int) {}
