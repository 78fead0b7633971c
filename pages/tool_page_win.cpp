#include "pages/pages.h"
#include "settings/record.h"
#include "settings/settings_file.h"

HWND g_toolPage;

INT_PTR CALLBACK toolPageProc(HWND page, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        g_toolPage = page;
        return TRUE;
    }
    return FALSE;
}

bool saveToolPage(HWND) {
    return savePlotterSettings(&g_plotterRecord);
}
