#include <windows.h>

#include "app/app.h"
#include "pages/pages.h"

void synchroniseUnits(int sourcePageIndex, int unit) {
    for (int index = 0; index < kPageCount; ++index)
        if (index != sourcePageIndex)
            pageFollowUnit(sheetPage(index), unit);
    storeLengthUnit(unit);
}
