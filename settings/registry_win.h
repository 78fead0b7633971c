// HKEY_CURRENT_USER\Software\Calderwick\ZEMBSerConfig: the page-setup values
// and RetVal, read by the plotter driver.
#pragma once

#include <windows.h>

#include <cstdint>

struct ProgramKey {
    HKEY parent = nullptr;
    HKEY key = nullptr;
};

extern const char kCompanyKeyPath[];
extern const char kProgramSubkey[];

// Opens, creating them when missing, the company key and the program key.
// False when either fails; whatever was opened is closed again.
bool openProgramKey(ProgramKey* key);
void closeProgramKey(ProgramKey* key);

void LoadPageSetup();
// False when the key could not be opened or any value was not written.
bool SavePageSetup();
void writeRetVal(int32_t result);
