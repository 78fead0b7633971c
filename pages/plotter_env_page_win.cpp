#include "pages/pages.h"
#include "settings/record.h"
#include "settings/settings_file.h"

HWND g_plotterEnvPage;

INT_PTR CALLBACK plotterEnvPageProc(HWND page, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        g_plotterEnvPage = page;
        return TRUE;
    }
    return FALSE;
}

bool savePlotterEnvPage(HWND) {
    return savePlotterSettings(&g_plotterRecord);
}

void plotterEnvPageUnitChange(HWND, int) {}
