#include "settings/registry_win.h"

#include <cstdint>
#include <cstring>

#include "settings/page_setup.h"
#include "settings/record.h"

const char kCompanyKeyPath[] = "Software\\Calderwick";
const char kProgramSubkey[] = "ZEMBSerConfig";

static HKEY createKey(HKEY parent, const char* name) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool openProgramKey(ProgramKey* key) {
    key->parent = createKey(HKEY_CURRENT_USER, kCompanyKeyPath);
    key->key = key->parent ? createKey(key->parent, kProgramSubkey) : nullptr;
    if (key->key == nullptr) {
        closeProgramKey(key);
        return false;
    }
    return true;
}

void closeProgramKey(ProgramKey* key) {
    if (key->key)
        RegCloseKey(key->key);
    if (key->parent)
        RegCloseKey(key->parent);
    key->key = key->parent = nullptr;
}

void LoadPageSetup() {
    pageSetupDefaults(&g_pageSetup);
    ProgramKey key;
    if (!openProgramKey(&key))
        return;
    for (int i = 0; i < kPageSetupValueCount; ++i) {
        // Data longer than the buffer fails with ERROR_MORE_DATA; the default stays.
        BYTE data[4] = {};
        DWORD size = sizeof data;
        if (RegQueryValueExA(key.key, kPageSetupValueNames[i], nullptr, nullptr, data, &size) ==
            ERROR_SUCCESS)
            readPageSetupValue(&g_pageSetup, i, data, size);
    }
    closeProgramKey(&key);
}

static bool setDword(HKEY key, const char* name, uint32_t value) {
    const BYTE data[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
                          static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)};
    return RegSetValueExA(key, name, 0, REG_DWORD, data, sizeof data) == ERROR_SUCCESS;
}

bool SavePageSetup() {
    computePageRects(&g_pageSetup, g_plotterRecord);
    ProgramKey key;
    if (!openProgramKey(&key))
        return false;
    // A failed value does not stop the others: the driver gets what can be written.
    bool written = true;
    for (int i = 0; i < kPageSetupValueCount; ++i)
        if (!setDword(key.key, kPageSetupValueNames[i], pageSetupValue(g_pageSetup, i)))
            written = false;
    closeProgramKey(&key);
    return written;
}

void writeRetVal(int32_t result) {
    ProgramKey key;
    if (!openProgramKey(&key))
        return;
    setDword(key.key, "RetVal", static_cast<uint32_t>(result));
    closeProgramKey(&key);
}
