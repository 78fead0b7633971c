#include <windows.h>

#include <cstdint>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "winui/controls_win.h"

void synchroniseUnits(int sourcePageIndex, int unit) {
    struct Follower {
        int pageIndex;
        int unitList;
        void (*unitChange)(HWND, int);
    };
    const Follower followers[] = {
        {kPaperPageIndex, IDC_PAPER_UNITS, paperPageUnitChange},
        {kPlotterEnvPageIndex, IDC_ENV_MARGIN_UNIT, plotterEnvPageUnitChange},
        {kPlotterExtraPageIndex, IDC_EXTRA_UNIT, plotterExtraPageUnitChange},
        {kCataloguePageIndex, IDC_CATALOGUE_UNIT, cataloguePageUnitChange},
    };
    for (const Follower& f : followers) {
        HWND page = sheetPage(f.pageIndex);
        if (page == nullptr || f.pageIndex == sourcePageIndex)
            continue;
        // Selecting from the program sends no CBN_SELENDOK, so this never
        // starts another synchronisation.
        selectListPosition(page, f.unitList, unit);
        f.unitChange(page, unit);
    }
    g_paperCatalogue.lengthUnit = static_cast<int16_t>(unit);
}
