// An import's page-setup values into the registry, each write checked.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "settings/page_setup.h"
#include "settings/record.h"
#include "settings/registry_win.h"
#include "settings/settings_file.h"
#include "zembcfg/import_files.h"
#include "zembcfg/zembcfg.h"

static bool setDword(HKEY key, int index, uint32_t word) {
    const BYTE data[4] = {static_cast<BYTE>(word), static_cast<BYTE>(word >> 8),
                          static_cast<BYTE>(word >> 16), static_cast<BYTE>(word >> 24)};
    return RegSetValueExA(key, kPageSetupValueNames[index], 0, REG_DWORD, data, sizeof data) ==
           ERROR_SUCCESS;
}

PageSetupStore storePageSetup(const std::vector<std::pair<int, uint32_t>>& given,
                              const std::vector<unsigned char>& image) {
    StoredPageSetup stored;
    readStoredPageSetup(&stored);
    PageSetup values = stored.values;
    for (const auto& [index, word] : given)
        setPageSetupValue(&values, index, word);
    PlotterRecord record = {};
    if (image.size() > kRecordOffset)
        std::memcpy(&record, image.data() + kRecordOffset,
                    std::min<size_t>(kRecordSize, image.size() - kRecordOffset));
    computePageRects(&values, record);
    // The rectangles follow everything else, as after the sheet's OK.
    std::vector<std::pair<int, uint32_t>> writes = given;
    for (int i = 0; i < kPageSetupValueCount; ++i)
        if (std::strncmp(kPageSetupValueNames[i], "rPage.", 6) == 0 ||
            std::strncmp(kPageSetupValueNames[i], "rPaper.", 7) == 0)
            writes.emplace_back(i, pageSetupValue(values, i));
    PageSetupStore store;
    store.registry = true;
    ProgramKey key;
    const bool opened = openProgramKey(&key);
    for (const auto& [index, word] : writes)
        if (!opened || !setDword(key.key, index, word))
            store.notWritten.push_back(kPageSetupValueNames[index]);
    if (opened)
        closeProgramKey(&key);
    return store;
}
