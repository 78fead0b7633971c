// Pixel sizes are defined at 96 DPI and scaled to the DPI a window is shown at.
#pragma once

enum : int { kBaseDpi = 96 };

// A size defined at 96 DPI at another DPI, rounded as MulDiv rounds (half
// away from zero): 15 at 144 DPI is 23.
int scaleToDpi(int value, int dpi);
