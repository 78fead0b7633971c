// The plotter additional page keeps no rules of its own: the PD word, the tool
// lists and the text fields are the stored values' meaning.
#pragma once

#include "settings/stored_values.h"
