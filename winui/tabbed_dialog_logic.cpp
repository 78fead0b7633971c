#include "winui/tabbed_dialog_logic.h"

#include <cstdint>

namespace {

int growthFor(int available, int needed) {
    return needed > available ? needed - available : 0;
}

int le16At(const unsigned char* bytes, size_t at) {
    return static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8));
}

} // namespace

LayoutSize displayAreaGrowth(LayoutSize area, LayoutSize page) {
    return {growthFor(area.width, page.width), growthFor(area.height, page.height)};
}

LayoutRect pagePlacement(LayoutRect area) {
    return {area.left - 2, area.top, area.right, area.bottom + 1};
}

LayoutPoint centredOrigin(int desktopRight, int desktopBottom, LayoutSize window) {
    return {desktopRight / 2 - window.width / 2, desktopBottom / 2 - window.height / 2};
}

bool dialogTemplateExtent(const unsigned char* bytes, size_t size, LayoutSize* extent) {
    if (bytes == nullptr || extent == nullptr || size < 4)
        return false;
    // DIALOGEX: dlgVer 1 and signature 0xFFFF, then help id, styles and
    // item count before x, y, cx, cy. DIALOG: styles and count first.
    const bool extended = bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    const size_t at = extended ? 22 : 14;
    if (size < at + 4)
        return false;
    *extent = {le16At(bytes, at), le16At(bytes, at + 2)};
    return true;
}
