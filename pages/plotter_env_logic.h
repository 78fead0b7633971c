// Window-free rule of the plotter environment page: the sort mode its radio
// buttons store. Ports and check boxes follow the stored values' meaning.
#pragma once

#include <cstdint>

#include "settings/stored_values.h"
#include "units/units.h"

// Sort mode from the three radio buttons (no sort, object, vector); with none
// ticked the mode the record already holds is kept.
int16_t sortModeFromRadios(bool noSort, bool objectSort, bool vectorSort, int16_t current);
