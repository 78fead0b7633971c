// What the four length pages share: their lengths start in the stored length
// unit, and they change unit one way.
#pragma once

#include <windows.h>

#include <cstdint>

#include "units/units.h"

// Fills the page's unit list and selects the stored length unit, which the
// page then shows its lengths in.
int16_t showStoredUnit(HWND page, int unitList);

// The page's lengths read in the unit they show, through whole millimetres
// exactly as OK would store them, then shown in `unit`, which becomes the
// shown unit. The unit in use changes nothing, so typed fractions stay.
template <class Lengths>
void changeLengthUnit(HWND page, int unit, int16_t* shownUnit, Lengths (*read)(HWND),
                      void (*show)(HWND, const Lengths&)) {
    const int16_t newUnit = lowSixteenBits(unit);
    if (newUnit == *shownUnit)
        return;
    const Lengths lengths = read(page);
    *shownUnit = newUnit;
    show(page, lengths);
}
