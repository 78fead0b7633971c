// What the sheet offers beyond OK: every page shown anew from the settings in
// memory, once something other than the pages changed them.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "settings/record.h"
#include "sheet_driver.h"

namespace {

TEST(PageShape, EveryPageShowsTheSettingsInMemoryAnew) {
    freshSettings();
    onPage(
        kPlotterEnvPageIndex,
        [](HWND page) {
            g_plotterRecord.leafMarginTop = 25;
            g_paperCatalogue.lengthUnit = 1;
            showSettingsOnEveryPage();
            EXPECT_EQ(controlText(page, IDC_ENV_LEAF_TOP), L"25");
            EXPECT_EQ(listSelection(page, IDC_ENV_MARGIN_UNIT), 1);
            EXPECT_EQ(listSelection(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT), 1);
        },
        IDCANCEL);
}

} // namespace
