#include <windows.h>

#include "settings/settings_file.h"

HINSTANCE g_instance;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_instance = instance;
    loadSettings();
    return 0;
}
