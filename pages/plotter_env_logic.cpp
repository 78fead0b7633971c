#include "pages/plotter_env_logic.h"

int portListPositionForCode(int code) {
    if (code >= -4 && code <= -1)
        return kFirstNetworkPortPosition - 1 - code;
    if (code >= 0 && code < kFirstNetworkPortPosition)
        return code;
    return kNoListSelection;
}

int portCodeForListPosition(int position) {
    if (position >= kFirstNetworkPortPosition && position < kPortListCount)
        return kFirstNetworkPortPosition - 1 - position;
    return position;
}

bool boxTickedForField(int16_t field, bool inverted) {
    return inverted ? field == 0 : field != 0;
}

int16_t fieldForBox(bool ticked, bool inverted) {
    return ticked != inverted ? 1 : 0;
}

int16_t sortModeFromRadios(bool noSort, bool objectSort, bool vectorSort, int16_t current) {
    if (noSort)
        return 0;
    if (objectSort)
        return 1;
    if (vectorSort)
        return 2;
    return current;
}
