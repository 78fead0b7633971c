#include "winui/cut_texts_win.h"

#include <algorithm>

#include "winui/dpi_logic.h"
#include "winui/dpi_win.h"
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

// Single-line text widths in a device context, each in the font its
// control is measured in.
struct TextMeasurer {
    HDC dc;
    HGDIOBJ original;
    HFONT selected;
    HFONT common; // the font every control is measured in, when not its own

    HFONT fontOf(HWND control) const {
        return common ? common : reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
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
FitItem textNeed(HWND control, const LayoutRect& rect, int dpi, TextMeasurer& measure) {
    FitItem item = {rect, 0, Widen::Right, false};
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    wchar_t text[256] = {};
    if (isOfClass(control, L"Static")) {
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
    } else if (isOfClass(control, L"Button")) {
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

} // namespace

bool isOfClass(HWND window, const wchar_t* name) {
    wchar_t found[32] = {};
    return GetClassNameW(window, found, 32) > 0 && lstrcmpiW(found, name) == 0;
}

std::vector<FitItem> measureTextNeeds(HWND dialog, const std::vector<ControlRect>& controls,
                                      int dpi, HFONT font) {
    std::vector<FitItem> items;
    items.reserve(controls.size());
    HDC dc = GetDC(dialog);
    if (!dc) {
        for (const ControlRect& c : controls)
            items.push_back({c.rect, 0, Widen::Right, false});
        return items;
    }
    TextMeasurer measure = {dc, SelectObject(dc, GetStockObject(SYSTEM_FONT)), nullptr, font};
    for (const ControlRect& c : controls)
        items.push_back(textNeed(c.control, c.rect, dpi, measure));
    SelectObject(dc, measure.original);
    ReleaseDC(dialog, dc);
    return items;
}

int widenCutTexts(std::vector<FitItem>& items, int clientWidth, int dpi) {
    int rightBeforeWidening = 0;
    for (const FitItem& item : items)
        rightBeforeWidening = std::max(rightBeforeWidening, item.rect.right);
    const int margin = scaleToDpi(kMargin, dpi);
    widenIntoFreeSpace(items, scaleToDpi(kGap, dpi), scaleToDpi(kReach, dpi), margin,
                       clientWidth - margin);
    int right = 0;
    for (const FitItem& item : items)
        right = std::max(right, item.rect.right);
    // The dialog's own right margin, where it kept less than ours.
    const int rightMargin = std::min(margin, clientWidth - rightBeforeWidening);
    return std::max(clientWidth, right + rightMargin);
}

void keepClosedWidth(HWND list) {
    SetWindowLongPtrW(list, GWLP_USERDATA, kKeepClosedWidth);
}
