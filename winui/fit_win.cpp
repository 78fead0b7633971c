#include "winui/fit_win.h"

#include <algorithm>
#include <vector>

#include "winui/dpi_logic.h"
#include "winui/dpi_win.h"
#include "winui/fit_logic.h"
#include "winui/list_width_win.h"

namespace {

// Sizes at 96 DPI: space kept between controls and inside frames, the
// dialog's own margin, and what a control needs beside its text.
const int kGap = 3;
// How far left of its field a label may stand and still belong to it.
const int kReach = 12;
const int kMargin = 6;
const int kListTextMargin = 2;
const int kButtonTextMargin = 6;
const int kGroupCaption = 18;

// Kept in the list's own user data: no property to remove before it goes.
const LONG_PTR kKeepClosedWidth = 0x4B435744; // "KCWD"

// A control as the dialog manager put it. A drop-down list's window height
// counts its open list too, which lies over other controls only while open:
// `rect` is the closed box, `height` the whole.
struct Designed {
    HWND window;
    LayoutRect rect;
    int height;
};

struct Remembered {
    HWND dialog;
    int dpi;
    int pointSize;
    SIZE client;
    LOGFONTW font;
    HFONT made; // the font made for `shownDpi`, null at `dpi`
    int shownDpi;
    std::vector<Designed> controls;
};

std::vector<Remembered> g_remembered;

Remembered* remembered(HWND dialog) {
    for (Remembered& r : g_remembered)
        if (r.dialog == dialog)
            return &r;
    return nullptr;
}

bool isClass(HWND window, const wchar_t* name) {
    wchar_t found[32] = {};
    return GetClassNameW(window, found, 32) > 0 && lstrcmpiW(found, name) == 0;
}

// Where the control stands in its parent's client area.
LayoutRect placed(HWND parent, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

Designed designed(HWND parent, HWND control) {
    Designed made = {control, placed(parent, control), 0};
    made.height = made.rect.bottom - made.rect.top;
    RECT open = {};
    if (isClass(control, L"ComboBox") &&
        SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&open))) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&open), 2);
        if (open.bottom > made.rect.bottom)
            made.height = open.bottom - made.rect.top;
    }
    return made;
}

int scaled(int value, int to, int from) {
    return MulDiv(value, to, from);
}

LayoutRect scaled(const LayoutRect& rect, int to, int from) {
    return {scaled(rect.left, to, from), scaled(rect.top, to, from), scaled(rect.right, to, from),
            scaled(rect.bottom, to, from)};
}

// Text width in the control's font, as a single line.
struct Measurer {
    HDC dc;
    HGDIOBJ original;
    HFONT selected;
    HFONT instead; // the font every control is measured in, when not its own

    // The font a control's text is measured in.
    HFONT fontOf(HWND control) const {
        return instead ? instead : reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    }
    void use(HWND control) {
        HFONT font = fontOf(control);
        if (font != selected) {
            SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
            selected = font;
        }
    }
    int text(const wchar_t* text, bool prefixes) {
        RECT needed = {0, 0, 0, 0};
        DrawTextW(dc, text, -1, &needed,
                  DT_CALCRECT | DT_SINGLELINE | (prefixes ? 0u : static_cast<UINT>(DT_NOPREFIX)));
        return needed.right;
    }
    int digitWidth() {
        INT width = 0;
        GetCharWidth32W(dc, L'0', L'0', &width);
        return width;
    }
};

// What the control needs to show its text whole, and which way it widens.
FitItem fitItem(HWND control, const LayoutRect& rect, int dpi, Measurer& measure) {
    FitItem item = {rect, 0, Widen::Right, false};
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    wchar_t text[256] = {};
    if (isClass(control, L"Static")) {
        const LONG type = style & SS_TYPEMASK;
        item.container = type == SS_BLACKFRAME || type == SS_GRAYFRAME || type == SS_WHITEFRAME ||
                         type == SS_ETCHEDFRAME;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_SIMPLE &&
            type != SS_LEFTNOWORDWRAP)
            return item;
        item.widen = type == SS_RIGHT    ? Widen::Left
                     : type == SS_CENTER ? Widen::Both
                                         : Widen::Right;
        GetWindowTextW(control, text, 256);
        measure.use(control);
        item.needed = text[0] ? measure.text(text, !(style & SS_NOPREFIX)) : 0;
    } else if (isClass(control, L"Button")) {
        GetWindowTextW(control, text, 256);
        if (!text[0])
            return item;
        measure.use(control);
        const int width = measure.text(text, true);
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX:
            item.container = true;
            item.needed = width + scaleToDpi(kGroupCaption, dpi);
            break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE: {
            const int box =
                std::max(systemMetricForDpi(SM_CXMENUCHECK, dpi), scaleToDpi(12, dpi) + 1);
            item.needed = width + box + measure.digitWidth() / 2 + scaleToDpi(kGap, dpi);
            break;
        }
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            item.widen = Widen::Both;
            item.needed = width + 2 * (systemMetricForDpi(SM_CXEDGE, dpi) +
                                       scaleToDpi(kButtonTextMargin, dpi));
            break;
        }
    } else if (isListWithTexts(control) &&
               GetWindowLongPtrW(control, GWLP_USERDATA) != kKeepClosedWidth) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        if (!GetComboBoxInfo(control, &info))
            return item;
        // Arrow and borders, as the list has them now (before a dry run
        // of another DPI too).
        RECT box;
        GetWindowRect(control, &box);
        const int chrome = (box.right - box.left) - (info.rcItem.right - info.rcItem.left);
        item.needed = widestListItem(control, measure.fontOf(control)) + chrome +
                      2 * scaleToDpi(kListTextMargin, dpi);
    }
    return item;
}

HFONT fontFor(Remembered& r, int dpi) {
    if (dpi == r.dpi)
        return reinterpret_cast<HFONT>(SendMessageW(r.dialog, WM_GETFONT, 0, 0));
    LOGFONTW font = r.font;
    if (r.pointSize > 0)
        font.lfHeight = -MulDiv(r.pointSize, dpi, 72);
    else
        font.lfHeight = scaled(font.lfHeight, dpi, r.dpi);
    return CreateFontIndirectW(&font);
}

// Puts the controls where the dialog manager would have at `dpi`, in the
// font for it; what is there already stays.
void scaleControls(Remembered& r, int dpi) {
    const bool newFont = dpi != r.shownDpi;
    HFONT font = newFont ? fontFor(r, dpi) : nullptr;
    for (const Designed& c : r.controls) {
        if (newFont)
            SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const LayoutRect want = scaled(c.rect, dpi, r.dpi);
        const LayoutRect now = placed(r.dialog, c.window);
        if (newFont || now.left != want.left || now.top != want.top || now.right != want.right ||
            now.bottom != want.bottom)
            MoveWindow(c.window, want.left, want.top, want.right - want.left,
                       scaled(c.height, dpi, r.dpi), FALSE);
    }
    if (!newFont)
        return;
    if (r.made && r.made != font)
        DeleteObject(r.made);
    r.made = dpi == r.dpi ? nullptr : font;
    r.shownDpi = dpi;
}

} // namespace

// Both run inside window procedures, which no exception may leave: short of
// memory, the dialog stays as the dialog manager laid it out.
void rememberLayout(HWND dialog, int pointSize) try {
    g_remembered.erase(std::remove_if(g_remembered.begin(), g_remembered.end(),
                                      [dialog](const Remembered& r) {
                                          return r.dialog == dialog || !IsWindow(r.dialog);
                                      }),
                       g_remembered.end());
    Remembered r = {dialog, windowDpi(dialog), pointSize, {}, {}, nullptr, 0, {}};
    r.shownDpi = r.dpi;
    RECT client;
    GetClientRect(dialog, &client);
    r.client = {client.right, client.bottom};
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!font || !GetObjectW(font, sizeof r.font, &r.font))
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof r.font, &r.font);
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (!isClass(c, L"#32770"))
            r.controls.push_back(designed(dialog, c));
    g_remembered.push_back(std::move(r));
} catch (...) {
}

namespace {

// Lays the dialog out at `dpi`; with `apply` false only works out what that
// would do, in a font made for `dpi`, and changes nothing. `watched`, when
// given, gets where that control goes.
SIZE layOut(Remembered& r, int dpi, bool apply, HWND watched, RECT* watchedRect) {
    HFONT instead = nullptr;
    if (apply)
        scaleControls(r, dpi);
    else if (dpi != r.shownDpi)
        instead = fontFor(r, dpi);
    std::vector<FitItem> items;
    std::vector<const Designed*> shown;
    HDC dc = GetDC(r.dialog);
    Measurer measure = {dc, dc ? SelectObject(dc, GetStockObject(SYSTEM_FONT)) : nullptr, nullptr,
                        instead};
    for (const Designed& c : r.controls) {
        const LayoutRect rect = scaled(c.rect, dpi, r.dpi);
        if (c.window == watched && watchedRect)
            *watchedRect = {rect.left, rect.top, rect.right, rect.bottom};
        if (!(GetWindowLongW(c.window, GWL_STYLE) & WS_VISIBLE))
            continue;
        items.push_back(dc ? fitItem(c.window, rect, dpi, measure)
                           : FitItem{rect, 0, Widen::Right, false});
        shown.push_back(&c);
    }
    if (dc) {
        SelectObject(dc, measure.original);
        ReleaseDC(r.dialog, dc);
    }
    if (instead && instead != reinterpret_cast<HFONT>(SendMessageW(r.dialog, WM_GETFONT, 0, 0)))
        DeleteObject(instead);
    const std::vector<FitItem> before = items;
    const SIZE client = {scaled(r.client.cx, dpi, r.dpi), scaled(r.client.cy, dpi, r.dpi)};
    const int margin = scaleToDpi(kMargin, dpi);
    widenIntoFreeSpace(items, scaleToDpi(kGap, dpi), scaleToDpi(kReach, dpi), margin,
                       client.cx - margin);
    int right = 0, designedRight = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const LayoutRect& now = items[i].rect;
        const LayoutRect& was = before[i].rect;
        right = std::max(right, now.right);
        designedRight = std::max(designedRight, was.right);
        if (shown[i]->window == watched && watchedRect)
            *watchedRect = {now.left, now.top, now.right, now.bottom};
        if (apply && (now.left != was.left || now.right != was.right))
            MoveWindow(shown[i]->window, now.left, now.top, now.right - now.left,
                       scaled(shown[i]->height, dpi, r.dpi), FALSE);
    }
    // The dialog's own right margin, where it kept less than ours.
    const int rightMargin = std::min<int>(margin, client.cx - designedRight);
    return {std::max<LONG>(client.cx, right + rightMargin), client.cy};
}

} // namespace

SIZE layOutDialogAt(HWND dialog, int dpi) try {
    Remembered* r = remembered(dialog);
    return r ? layOut(*r, dpi, true, nullptr, nullptr) : SIZE{0, 0};
} catch (...) {
    return {0, 0};
}

SIZE measureDialogAt(HWND dialog, int dpi, HWND control, RECT* controlRect) try {
    Remembered* r = remembered(dialog);
    return r ? layOut(*r, dpi, false, control, controlRect) : SIZE{0, 0};
} catch (...) {
    return {0, 0};
}

HFONT dialogFontAt(HWND dialog, int dpi, bool* made) {
    *made = false;
    Remembered* r = remembered(dialog);
    if (r && dpi != r->shownDpi) {
        HFONT font = fontFor(*r, dpi);
        *made = dpi != r->dpi;
        return font;
    }
    if (r && r->made)
        return r->made;
    return reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
}

void keepClosedWidth(HWND list) {
    SetWindowLongPtrW(list, GWLP_USERDATA, kKeepClosedWidth);
}

void keepInsideWorkArea(HWND window) {
    RECT own;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetWindowRect(window, &own) ||
        !GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const LayoutPoint at = keepInWorkArea({own.left, own.top, own.right, own.bottom},
                                          {work.left, work.top, work.right, work.bottom});
    if (at.x != own.left || at.y != own.top)
        SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
