// A settings file as one readable TOML document that the import turns back
// into the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/page_setup.h"

// The sixteen page-setup words as the registry holds them, in table order.
struct PageSetupWords {
    uint32_t words[kPageSetupValueCount];
};

// image is the whole file as read (any length); pageSetup is null where the
// registry is not at hand.
std::string exportDocument(const std::vector<unsigned char>& image,
                           const PageSetupWords* pageSetup);
