// There is no registry on POSIX systems: an import writes the file only.
#include "zembcfg/import_files.h"

PageSetupStore storePageSetup(const std::vector<std::pair<int, uint32_t>>&,
                              const std::vector<unsigned char>&) {
    return {};
}
