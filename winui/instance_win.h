// The module whose resources (templates, strings, icons) every window loads.
#pragma once

#include <windows.h>

// Set once at start-up, before any window is made.
extern HINSTANCE g_instance;
