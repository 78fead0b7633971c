// The page-setup values in the registry: read without making the key, and an
// import's values written as the settings program writes them after OK.
#include <algorithm>
#include <cstring>

#include "settings/page_setup.h"
#include "settings/record.h"
#include "storage/registry_win.h"
#include "storage/settings_file.h"
#include "zembcfg/zembcfg.h"

bool readStoredPageSetup(StoredPageSetup* setup) {
    pageSetupDefaults(&setup->values);
    for (bool& stored : setup->stored)
        stored = false;
    const ProgramKey key(ProgramKey::Read);
    setup->keyFound = key.opened();
    for (int i = 0; i < kPageSetupValueCount; ++i) {
        unsigned char data[4] = {};
        size_t size = 0;
        if (!key.read(kPageSetupValueNames[i], data, &size))
            continue;
        readPageSetupValue(&setup->values, i, data, size);
        setup->stored[i] = true;
    }
    return true;
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
        if (pageSetupValueComputed(i))
            writes.emplace_back(i, pageSetupValue(values, i));
    PageSetupStore store;
    store.registry = true;
    const ProgramKey key(ProgramKey::Create);
    for (const auto& [index, word] : writes)
        if (!key.writeDword(kPageSetupValueNames[index], word))
            store.notWritten.push_back(kPageSetupValueNames[index]);
    return store;
}
