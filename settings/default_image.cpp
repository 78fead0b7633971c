#include "settings/default_image.h"

#include <cstring>

#include "settings/catalogue.h"
#include "settings/le_bytes.h"
#include "settings/record.h"
#include "settings/file_layout.h"

std::vector<unsigned char> defaultSettingsImage() {
    std::vector<unsigned char> image(kSettingsFileSize, 0);
    storeU16(&image, 0, kSettingsVersion);
    PlotterRecord record;
    recordDefaults(&record);
    std::memcpy(&image[kRecordOffset], &record, kRecordSize);
    PaperCatalogue catalogue;
    ResetPaperCatalogue(&catalogue);
    std::memcpy(&image[kCatalogueOffset], &catalogue, kCatalogueSize);
    return image;
}
