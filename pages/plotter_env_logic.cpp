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

int16_t lowSixteenBits(int32_t value) {
    const uint16_t low = static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu);
    // Two's complement by hand: converting 0x8000..0xFFFF straight to int16_t
    // is only implementation-defined before C++20, so stay explicit.
    return low < 0x8000u ? static_cast<int16_t>(low)
                         : static_cast<int16_t>(static_cast<int32_t>(low) - 0x10000);
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
