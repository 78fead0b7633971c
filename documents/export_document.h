// A settings file as one readable TOML document that the import turns back
// into the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "documents/document_layout.h"

#include "settings/page_setup.h"

// The page-setup values as the registry holds them.
struct StoredPageSetup {
    PageSetup values;                  // defaults where nothing is stored
    bool stored[kPageSetupValueCount]; // whether value i was found
    bool keyFound;
};

// image is the whole file as read (any length); pageSetup is null where
// there is no registry.
std::string exportDocument(const std::vector<unsigned char>& image,
                           const StoredPageSetup* pageSetup);
