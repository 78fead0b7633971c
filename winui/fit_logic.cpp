#include "winui/fit_logic.h"

#include <algorithm>
#include <climits>

namespace {

int keepOnAxis(int low, int high, int workLow, int workHigh) {
    if (high - low > workHigh - workLow || low < workLow)
        return workLow;
    if (high > workHigh)
        return workHigh - (high - low);
    return low;
}

bool inside(const LayoutRect& inner, const LayoutRect& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

bool besideEachOther(const LayoutRect& a, const LayoutRect& b) {
    return a.top < b.bottom && b.top < a.bottom;
}

// How far an item may widen on each side without moving anything.
struct Room {
    int left, right;
};

Room freeRoom(const std::vector<FitItem>& items, size_t at, int gap, int extentLeft,
              int extentRight) {
    const FitItem& item = items[at];
    int leftLimit = extentLeft, rightLimit = extentRight;
    for (size_t j = 0; j < items.size(); ++j) {
        const FitItem& other = items[j];
        if (j == at || !besideEachOther(item.rect, other.rect))
            continue;
        if (other.container && inside(item.rect, other.rect)) {
            leftLimit = std::max(leftLimit, other.rect.left + gap);
            rightLimit = std::min(rightLimit, other.rect.right - gap);
        } else if (item.container && inside(other.rect, item.rect)) {
            continue;
        } else if (other.rect.left >= item.rect.right) {
            rightLimit = std::min(rightLimit, other.rect.left - gap);
        } else if (other.rect.right <= item.rect.left) {
            leftLimit = std::max(leftLimit, other.rect.right + gap);
        }
    }
    return {std::max(0, item.rect.left - leftLimit), std::max(0, rightLimit - item.rect.right)};
}

// Opens a column `width` wide at x: what lies at or right of it moves,
// what lies across it or ends at it grows (right-aligned labels of one
// column keep beside their fields, a group box round its contents), and so
// does a container holding the item. A right-aligned item no further than
// `reach` left of an item that moves grows with it: a label stays beside
// its field.
void openColumn(std::vector<FitItem>& items, size_t at, int x, int width, int reach) {
    const std::vector<FitItem> before = items;
    auto moves = [&before, x](size_t j) { return before[j].rect.left >= x; };
    for (size_t j = 0; j < items.size(); ++j) {
        const LayoutRect& was = before[j].rect;
        LayoutRect& rect = items[j].rect;
        if (j == at)
            continue;
        bool grows = was.right >= x || (before[j].container && inside(before[at].rect, was));
        for (size_t k = 0; !grows && before[j].widen == Widen::Left && k < before.size(); ++k)
            grows = moves(k) && k != at && besideEachOther(was, before[k].rect) &&
                    before[k].rect.left >= was.right && before[k].rect.left - was.right <= reach;
        // ...unless something that stays lies in the way (a frame round it does not).
        for (size_t k = 0; grows && was.right < x && k < before.size(); ++k)
            grows = k == j || moves(k) || !besideEachOther(was, before[k].rect) ||
                    before[k].rect.right <= was.right ||
                    (before[k].container && inside(was, before[k].rect));
        if (moves(j)) {
            rect.left += width;
            rect.right += width;
        } else if (grows) {
            rect.right += width;
        }
    }
}

} // namespace

LayoutPoint keepInWorkArea(LayoutRect window, LayoutRect workArea) {
    return {keepOnAxis(window.left, window.right, workArea.left, workArea.right),
            keepOnAxis(window.top, window.bottom, workArea.top, workArea.bottom)};
}

int widenIntoFreeSpace(std::vector<FitItem>& items, int gap, int reach, int leftBound,
                       int rightBound) {
    if (items.empty())
        return 0;
    int extentLeft = leftBound, extentRight = INT_MIN;
    for (const FitItem& item : items) {
        extentLeft = std::min(extentLeft, item.rect.left);
        extentRight = std::max(extentRight, item.rect.right);
    }
    const int startRight = extentRight;
    extentRight = std::max(extentRight, rightBound);
    for (size_t at = 0; at < items.size(); ++at) {
        FitItem& item = items[at];
        int missing = item.needed - (item.rect.right - item.rect.left);
        if (missing <= 0)
            continue;
        const Room room = freeRoom(items, at, gap, extentLeft, extentRight);
        int toLeft = 0, toRight = 0;
        // An edge its text is anchored to stays: the column it lines up with
        // stays lined up.
        if (item.widen == Widen::Left) {
            toLeft = std::min(missing, room.left);
        } else if (item.widen == Widen::Right) {
            toRight = std::min(missing, room.right);
        } else {
            toLeft = std::min(missing / 2, room.left);
            toRight = std::min(missing - toLeft, room.right);
            toLeft = std::min(missing - toRight, room.left);
        }
        item.rect.left -= toLeft;
        item.rect.right += toRight;
        missing -= toLeft + toRight;
        if (missing > 0) {
            openColumn(items, at, item.rect.right, missing, reach);
            item.rect.right += missing;
            extentRight += missing;
        }
    }
    int endRight = INT_MIN;
    for (const FitItem& moved : items)
        endRight = std::max(endRight, moved.rect.right);
    return endRight - startRight;
}
