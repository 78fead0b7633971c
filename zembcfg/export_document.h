// A settings file as one readable TOML document that the import turns back
// into the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zembcfg/document_layout.h"

struct StoredPageSetup;

// image is the whole file as read (any length); pageSetup is null where
// there is no registry.
std::string exportDocument(const std::vector<unsigned char>& image,
                           const StoredPageSetup* pageSetup);
