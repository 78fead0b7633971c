#include "winui/tabbed_dialog_logic.h"

namespace {

int growthFor(int available, int needed) {
    return needed > available ? needed - available : 0;
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
