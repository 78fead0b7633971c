// Where an import's page-setup values go: the registry of the Windows
// machine, as the settings program writes them after OK.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct PageSetupStore {
    bool registry = false;               // false where there is no registry
    std::vector<std::string> notWritten; // the values the registry refused
};

// The page-setup values a document gives, as given, then rPage and rPaper
// as the settings program computes them after OK from the resulting paper,
// orientation, roll flag and the image's margins. Every write is checked.
PageSetupStore storePageSetup(const std::vector<std::pair<int, uint32_t>>& given,
                              const std::vector<unsigned char>& image);
