// There is no registry on POSIX systems: an import writes the file only.
#include "zembcfg/zembcfg.h"

bool readStoredPageSetup(StoredPageSetup*) {
    return false;
}

PageSetupStore storePageSetup(const std::vector<std::pair<int, uint32_t>>&,
                              const std::vector<unsigned char>&) {
    return {};
}
