// The settings file a first start creates, as its bytes.
#pragma once

#include <vector>

// The version word, the default record and catalogue, zeros elsewhere: the
// whole layout, 17922 bytes.
std::vector<unsigned char> defaultSettingsImage();
