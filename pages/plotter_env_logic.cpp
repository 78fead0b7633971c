#include "pages/plotter_env_logic.h"

int16_t sortModeFromRadios(bool noSort, bool objectSort, bool vectorSort, int16_t current) {
    if (noSort)
        return 0;
    if (objectSort)
        return 1;
    if (vectorSort)
        return 2;
    return current;
}
