#include "storage/registry_win.h"

#include "settings/le_bytes.h"
#include "settings/page_setup.h"
#include "settings/record.h"

ProgramKey::ProgramKey(Access access) {
    HKEY key = nullptr;
    // Creating a path makes every missing key along it.
    const LSTATUS status =
        access == Create
            ? RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKeyPath, 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr)
            : RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKeyPath, 0, KEY_READ, &key);
    if (status == ERROR_SUCCESS)
        key_ = key;
}

ProgramKey::~ProgramKey() {
    if (key_)
        RegCloseKey(key_);
}

bool ProgramKey::read(const char* name, unsigned char (&data)[4], size_t* size) const {
    // Longer data fails with ERROR_MORE_DATA.
    DWORD got = sizeof data;
    if (key_ == nullptr ||
        RegQueryValueExA(key_, name, nullptr, nullptr, data, &got) != ERROR_SUCCESS)
        return false;
    *size = got;
    return true;
}

bool ProgramKey::writeDword(const char* name, uint32_t value) const {
    BYTE data[4] = {};
    storeLe(data, sizeof data, 0, sizeof data, value);
    return key_ != nullptr &&
           RegSetValueExA(key_, name, 0, REG_DWORD, data, sizeof data) == ERROR_SUCCESS;
}

void LoadPageSetup() {
    pageSetupDefaults(&g_pageSetup);
    const ProgramKey key(ProgramKey::Create);
    for (int i = 0; i < kPageSetupValueCount; ++i) {
        unsigned char data[4] = {};
        size_t size = 0;
        if (key.read(kPageSetupValueNames[i], data, &size))
            readPageSetupValue(&g_pageSetup, i, data, size);
    }
}

bool SavePageSetup() {
    computePageRects(&g_pageSetup, g_plotterRecord);
    const ProgramKey key(ProgramKey::Create);
    if (!key.opened())
        return false;
    // A failed value does not stop the others: the driver gets what can be written.
    bool written = true;
    for (int i = 0; i < kPageSetupValueCount; ++i)
        if (!key.writeDword(kPageSetupValueNames[i], pageSetupValue(g_pageSetup, i)))
            written = false;
    return written;
}

void writeRetVal(int32_t result) {
    ProgramKey(ProgramKey::Create).writeDword("RetVal", static_cast<uint32_t>(result));
}
