#include "pages/pages.h"
#include "settings/catalogue.h"
#include "settings/settings_file.h"

HWND g_cataloguePage;

INT_PTR CALLBACK cataloguePageProc(HWND page, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        g_cataloguePage = page;
        return TRUE;
    }
    return FALSE;
}

bool saveCataloguePage(HWND) {
    return savePaperCatalogue(&g_paperCatalogue);
}

void cataloguePageUnitChange(HWND, int) {}
