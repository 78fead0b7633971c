#pragma once

#include <windows.h>

// Runs the modal sheet; 1 OK, 2 Cancel, 0 close box, -1 when it cannot be created.
INT_PTR runPropertySheet();
