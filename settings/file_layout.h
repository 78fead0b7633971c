// Where each block lies in KELDORIX.INI, a fixed binary layout shared with
// the plotter driver.
#pragma once

#include <cstdint>

#include "settings/catalogue.h"
#include "settings/record.h"

// The record's and the catalogue's sizes are their structures' (record.h and
// catalogue.h state them).
enum : uint32_t {
    kSettingsFileSize = 17922,
    kSettingsVersion = 302,
    kRecordOffset = 2,
    kRecordSize = sizeof(PlotterRecord),
    kCatalogueOffset = 1538,
    kCatalogueSize = sizeof(PaperCatalogue),
    kCarriedOffset = 9730,
    kCarriedSize = 7924,
};
