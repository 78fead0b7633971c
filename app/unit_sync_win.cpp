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
        HWND* page;
        int unitList;
        void (*unitChange)(HWND, int);
    };
    const Follower followers[] = {
        {kPaperPageIndex, &g_paperPage, IDC_PAPER_UNITS, paperPageUnitChange},
        {kPlotterEnvPageIndex, &g_plotterEnvPage, IDC_ENV_MARGIN_UNIT, plotterEnvPageUnitChange},
        {kPlotterExtraPageIndex, &g_plotterExtraPage, IDC_EXTRA_UNIT, plotterExtraPageUnitChange},
        {kCataloguePageIndex, &g_cataloguePage, IDC_CATALOGUE_UNIT, cataloguePageUnitChange},
    };
    for (const Follower& f : followers) {
        if (*f.page == nullptr || f.pageIndex == sourcePageIndex)
            continue;
        // Selecting from the program sends no CBN_SELENDOK, so this never
        // starts another synchronisation.
        selectListPosition(*f.page, f.unitList, unit);
        f.unitChange(*f.page, unit);
    }
    g_paperCatalogue.lengthUnit = static_cast<int16_t>(unit);
}
