// Window-free rules of the plotter environment page: how stored codes map to
// list positions and check marks, and how list positions are narrowed to the
// record's 16-bit fields.
#pragma once

#include <cstdint>

#include "units/units.h"

enum : int {
    kNoListSelection = -1,
    kPortListCount = 11,
    // Positions 7..10 of the port list are the network and shared-folder
    // ports, stored as -1..-4 so that 0..6 can stay the serial/parallel ports.
    kFirstNetworkPortPosition = 7,
};

// Stored port code -> port list position; a code the list has no item for
// gives no selection.
int portListPositionForCode(int code);

// Port list position (or -1 for none) -> stored port code.
int portCodeForListPosition(int position);

// Check boxes. Two fields store "off" flags, so their boxes show the inverse.
bool boxTickedForField(int16_t field, bool inverted);
int16_t fieldForBox(bool ticked, bool inverted);

// Sort mode from the three radio buttons (no sort, object, vector); with none
// ticked the mode the record already holds is kept.
int16_t sortModeFromRadios(bool noSort, bool objectSort, bool vectorSort, int16_t current);
