#include "winui/instance_win.h"

HINSTANCE g_instance;
