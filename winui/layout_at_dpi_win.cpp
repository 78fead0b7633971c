#include "winui/layout_at_dpi_win.h"

#include <algorithm>
#include <vector>

#include "winui/cut_texts_win.h"
#include "winui/dpi_win.h"
#include "winui/fit_logic.h"

namespace {

// A control where the dialog manager first put it. A drop-down list's
// window height counts its open list too, which lies over other controls
// only while open: `closedBox` is the closed box, `fullHeight` the whole.
struct FirstPlacement {
    HWND control;
    LayoutRect closedBox;
    int fullHeight;
};

// A dialog as the dialog manager first made it, and the DPI and font it is
// shown in now.
struct FirstLayout {
    HWND dialog;
    int madeAtDpi;
    int templatePointSize;
    SIZE client;
    LOGFONTW font;
    int shownDpi;
    HFONT fontForShownDpi; // made here for shownDpi; null at madeAtDpi
    std::vector<FirstPlacement> controls;
};

std::vector<FirstLayout> g_firstLayouts;

FirstLayout* firstLayoutOf(HWND dialog) {
    for (FirstLayout& layout : g_firstLayouts)
        if (layout.dialog == dialog)
            return &layout;
    return nullptr;
}

LayoutRect rectInParent(HWND parent, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

FirstPlacement placementNow(HWND parent, HWND control) {
    FirstPlacement placement = {control, rectInParent(parent, control), 0};
    placement.fullHeight = placement.closedBox.bottom - placement.closedBox.top;
    RECT open = {};
    if (isOfClass(control, L"ComboBox") &&
        SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&open))) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&open), 2);
        if (open.bottom > placement.closedBox.bottom)
            placement.fullHeight = open.bottom - placement.closedBox.top;
    }
    return placement;
}

int scaled(int value, int to, int from) {
    return MulDiv(value, to, from);
}

LayoutRect scaled(const LayoutRect& rect, int to, int from) {
    return {scaled(rect.left, to, from), scaled(rect.top, to, from), scaled(rect.right, to, from),
            scaled(rect.bottom, to, from)};
}

// The dialog's font at `dpi`: its own at the DPI it was made at, else one
// made here for the caller to delete.
HFONT fontAtDpi(const FirstLayout& layout, int dpi) {
    if (dpi == layout.madeAtDpi)
        return reinterpret_cast<HFONT>(SendMessageW(layout.dialog, WM_GETFONT, 0, 0));
    LOGFONTW font = layout.font;
    if (layout.templatePointSize > 0)
        font.lfHeight = -MulDiv(layout.templatePointSize, dpi, 72);
    else
        font.lfHeight = scaled(font.lfHeight, dpi, layout.madeAtDpi);
    return CreateFontIndirectW(&font);
}

// Puts the controls where the dialog manager would have at `dpi`, in the
// font for it; what is there already stays.
void scaleControls(FirstLayout& layout, int dpi) {
    const bool newFont = dpi != layout.shownDpi;
    HFONT font = newFont ? fontAtDpi(layout, dpi) : nullptr;
    for (const FirstPlacement& c : layout.controls) {
        if (newFont)
            SendMessageW(c.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const LayoutRect want = scaled(c.closedBox, dpi, layout.madeAtDpi);
        const LayoutRect now = rectInParent(layout.dialog, c.control);
        if (newFont || now.left != want.left || now.top != want.top || now.right != want.right ||
            now.bottom != want.bottom)
            MoveWindow(c.control, want.left, want.top, want.right - want.left,
                       scaled(c.fullHeight, dpi, layout.madeAtDpi), FALSE);
    }
    if (!newFont)
        return;
    if (layout.fontForShownDpi && layout.fontForShownDpi != font)
        DeleteObject(layout.fontForShownDpi);
    layout.fontForShownDpi = dpi == layout.madeAtDpi ? nullptr : font;
    layout.shownDpi = dpi;
}

// Lays the dialog out at `dpi`; with `apply` false only works out what that
// would do, in a font made for `dpi`, and changes nothing: the sheet's
// answer to a coming DPI change must match the layout that follows it.
// `watched`, when given, gets where that control goes.
SIZE layOut(FirstLayout& layout, int dpi, bool apply, HWND watched, RECT* watchedRect) {
    HFONT measuredIn = nullptr;
    if (apply)
        scaleControls(layout, dpi);
    else if (dpi != layout.shownDpi)
        measuredIn = fontAtDpi(layout, dpi);
    std::vector<ControlRect> shown;
    std::vector<const FirstPlacement*> shownPlacements;
    for (const FirstPlacement& c : layout.controls) {
        const LayoutRect rect = scaled(c.closedBox, dpi, layout.madeAtDpi);
        if (c.control == watched && watchedRect)
            *watchedRect = {rect.left, rect.top, rect.right, rect.bottom};
        if (!(GetWindowLongW(c.control, GWL_STYLE) & WS_VISIBLE))
            continue;
        shown.push_back({c.control, rect});
        shownPlacements.push_back(&c);
    }
    std::vector<FitItem> items = measureTextNeeds(layout.dialog, shown, dpi, measuredIn);
    if (measuredIn &&
        measuredIn != reinterpret_cast<HFONT>(SendMessageW(layout.dialog, WM_GETFONT, 0, 0)))
        DeleteObject(measuredIn);
    const SIZE client = {scaled(layout.client.cx, dpi, layout.madeAtDpi),
                         scaled(layout.client.cy, dpi, layout.madeAtDpi)};
    const int width = widenCutTexts(items, client.cx, dpi);
    for (size_t i = 0; i < items.size(); ++i) {
        const LayoutRect& now = items[i].rect;
        const LayoutRect& was = shown[i].rect;
        if (shown[i].control == watched && watchedRect)
            *watchedRect = {now.left, now.top, now.right, now.bottom};
        if (apply && (now.left != was.left || now.right != was.right))
            MoveWindow(shown[i].control, now.left, now.top, now.right - now.left,
                       scaled(shownPlacements[i]->fullHeight, dpi, layout.madeAtDpi), FALSE);
    }
    return {width, client.cy};
}

} // namespace

// These run inside window procedures, which no exception may leave: short
// of memory, the dialog stays as the dialog manager laid it out.
void keepFirstLayout(HWND dialog, int templatePointSize) try {
    g_firstLayouts.erase(std::remove_if(g_firstLayouts.begin(), g_firstLayouts.end(),
                                        [dialog](const FirstLayout& layout) {
                                            return layout.dialog == dialog ||
                                                   !IsWindow(layout.dialog);
                                        }),
                         g_firstLayouts.end());
    FirstLayout layout = {dialog, windowDpi(dialog), templatePointSize, {}, {}, 0, nullptr, {}};
    layout.shownDpi = layout.madeAtDpi;
    RECT client;
    GetClientRect(dialog, &client);
    layout.client = {client.right, client.bottom};
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!font || !GetObjectW(font, sizeof layout.font, &layout.font))
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof layout.font, &layout.font);
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (!isOfClass(c, L"#32770"))
            layout.controls.push_back(placementNow(dialog, c));
    g_firstLayouts.push_back(std::move(layout));
} catch (...) {
}

SIZE layOutDialogAt(HWND dialog, int dpi) try {
    FirstLayout* layout = firstLayoutOf(dialog);
    return layout ? layOut(*layout, dpi, true, nullptr, nullptr) : SIZE{0, 0};
} catch (...) {
    return {0, 0};
}

SIZE measureDialogAt(HWND dialog, int dpi, HWND control, RECT* controlRect) try {
    FirstLayout* layout = firstLayoutOf(dialog);
    return layout ? layOut(*layout, dpi, false, control, controlRect) : SIZE{0, 0};
} catch (...) {
    return {0, 0};
}

HFONT dialogFontAt(HWND dialog, int dpi, bool* callerDeletes) {
    *callerDeletes = false;
    FirstLayout* layout = firstLayoutOf(dialog);
    if (layout && dpi != layout->shownDpi) {
        HFONT font = fontAtDpi(*layout, dpi);
        *callerDeletes = dpi != layout->madeAtDpi;
        return font;
    }
    if (layout && layout->fontForShownDpi)
        return layout->fontForShownDpi;
    return reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
}
