// The tool page in the real sheet: what it shows for stored pen slots, what
// OK writes to the settings file, and how it paints the colour swatches.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>

#include "app/app.h"
#include "pages/pages.h"
#include "storage/settings_file.h"
#include "sheet_driver.h"

namespace {

// toolType, thickness, red, green, blue, colorSet
using Slot = std::array<int16_t, 6>;

// File offset of pen slot r: record at file offset 2, slots at record offset 56.
size_t slotAt(int row) {
    return 58 + 12 * static_cast<size_t>(row);
}
int toolId(int row) {
    return 304 + 3 * row;
}
int thickId(int row) {
    return 305 + 3 * row;
}
int colourId(int row) {
    return 306 + 3 * row;
}

Slot slotInFile(const std::vector<unsigned char>& bytes, int row) {
    Slot s;
    for (int i = 0; i < 6; ++i)
        s[i] = le16(bytes, slotAt(row) + 2 * i);
    return s;
}

// Puts the slots into the settings file and loads it, as start-up does.
void startWith(const std::vector<Slot>& slots) {
    changeSettingsFile([&](Bytes& bytes) {
        for (size_t r = 0; r < slots.size(); ++r)
            for (size_t i = 0; i < 6; ++i)
                put16(bytes, slotAt(static_cast<int>(r)) + 2 * i, slots[r][i]);
    });
}

std::wstring shownTool(HWND page, int row) {
    return listItemText(page, toolId(row), listSelection(page, toolId(row)));
}

class ToolPage : public ::testing::Test {
  protected:
    void SetUp() override { freshSettings(); }
};

// Controls of the extended dialog template 112 as linked into the program:
// id, class atom, style, x, y, cx, cy and text, one line each.
std::vector<std::wstring> templateControls(std::wstring* header) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(112), MAKEINTRESOURCEW(5));
    const WORD* p = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
    std::vector<std::wstring> lines;
    if (p == nullptr || p[1] != 0xFFFF)
        return lines;
    auto skip = [](const WORD* w) {
        if (*w == 0xFFFF)
            return w + 2;
        while (*w++)
            ;
        return w;
    };
    const WORD* w = skip(skip(skip(p + 13))); // menu, class, caption
    *header = std::to_wstring(p[11]) + L"x" + std::to_wstring(p[12]) + L" " +
              std::to_wstring(w[0]) + L" " + reinterpret_cast<const wchar_t*>(w + 3);
    w = skip(w + 3);
    for (int i = 0; i < p[8]; ++i) {
        w = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(w) + 3) & ~UINT_PTR(3));
        const DWORD* d = reinterpret_cast<const DWORD*>(w);
        std::wstring line = std::to_wstring(static_cast<int>(d[5])) + L" " +
                            std::to_wstring(w[12] == 0xFFFF ? w[13] : 0) + L" " +
                            std::to_wstring(d[2]);
        for (int k = 6; k < 10; ++k)
            line += L" " + std::to_wstring(w[k]);
        w = skip(w + 12);
        line += L" " + std::wstring(*w == 0xFFFF ? L"" : reinterpret_cast<const wchar_t*>(w));
        w = skip(w);
        w = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(w + 1) + *w);
        lines.push_back(line);
    }
    return lines;
}

TEST_F(ToolPage, TemplateHoldsTheRowsInKeyboardOrder) {
    auto line = [](int id, int atom, DWORD style, int x, int y, int cx, int cy,
                   const std::wstring& text, bool shown = true) {
        style |= WS_CHILD | (shown ? WS_VISIBLE : 0);
        return std::to_wstring(id) + L" " + std::to_wstring(atom) + L" " + std::to_wstring(style) +
               L" " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" " + std::to_wstring(cx) +
               L" " + std::to_wstring(cy) + L" " + text;
    };
    const DWORD label = SS_CENTER | WS_GROUP; // static 0x82, edit 0x81, combo box 0x85
    std::vector<std::wstring> want;
    want.push_back(line(-1, 0x82, label, 33, 28, 122, 8, L"Tool Type"));
    want.push_back(line(-1, 0x82, label, 158, 28, 24, 8, L"Thick"));
    want.push_back(line(-1, 0x82, label, 185, 28, 38, 8, L"Color"));
    // Each control after its hidden label (for screen readers).
    auto hidden = [&line](int x, int y, int cx, int cy, const std::wstring& text) {
        return line(-1, 0x82, SS_LEFT, x, y, cx, cy, text, false);
    };
    for (int r = 0; r < 10; ++r) {
        const int y = 37 + 15 * r;
        const std::wstring pen = L"ペン " + std::to_wstring(r + 1);
        // The pen numbers are wide enough for "10", centred at 28 as ever.
        want.push_back(line(-1, 0x82, label, 23, 40 + 15 * r, 10, 9, std::to_wstring(r + 1)));
        want.push_back(hidden(33, y, 121, 12, pen + L" のツール："));
        want.push_back(line(toolId(r), 0x85, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 33, y, 121,
                            255, L""));
        want.push_back(hidden(157, y, 24, 13, pen + L" の太さ："));
        want.push_back(line(thickId(r), 0x81, WS_BORDER | WS_TABSTOP, 157, y, 24, 13, L""));
        want.push_back(hidden(184, y, 40, 12, pen + L" の色："));
        want.push_back(line(colourId(r), 0x85,
                            CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_TABSTOP,
                            184, y, 40, 255, L""));
    }
    std::wstring header;
    const auto got = templateControls(&header);
    EXPECT_EQ(header, L"251x241 10 ＭＳ Ｐゴシック");
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(got[i], want[i]) << "control " << i;
}

TEST_F(ToolPage, DefaultRecordShowsTheDefaultPens) {
    const wchar_t* const tools[12] = {
        L"ノック式ペンシル", L"加圧式油圧ボールペン", L"水性ボールペン", L"セラミックペン",
        L"プラスチックペン", L"製図用ペン",           L"スクライブ",     L"針 (CF-70)",
        L"ペン型カッター",   L"片刃カッター",         L"両刃カッター",   L"未使用"};
    const struct {
        int tool;
        const wchar_t* thick;
        int colour;
    } rows[10] = {{2, L"0.00", 1},  {2, L"0.00", 2}, {2, L"0.00", 3},  {2, L"0.00", 0},
                  {4, L"0.50", 8},  {4, L"0.30", 8}, {11, L"0.00", 8}, {8, L"0.00", 8},
                  {11, L"0.00", 8}, {11, L"0.00", 8}};
    onPage(
        kToolPageIndex,
        [&](HWND page) {
            for (int r = 0; r < 10; ++r) {
                SCOPED_TRACE("pen " + std::to_string(r + 1));
                EXPECT_EQ(shownTool(page, r), tools[rows[r].tool]);
                EXPECT_EQ(controlText(page, thickId(r)), rows[r].thick);
                EXPECT_EQ(listSelection(page, colourId(r)), rows[r].colour);
                for (int i = 0; i < 12; ++i) {
                    EXPECT_EQ(listItemText(page, toolId(r), i), tools[i]);
                    EXPECT_EQ(SendDlgItemMessageW(page, toolId(r), CB_GETITEMDATA, i, 0), i);
                }
                EXPECT_EQ(SendDlgItemMessageW(page, colourId(r), CB_GETCOUNT, 0, 0), 9);
                EXPECT_EQ(SendDlgItemMessageW(page, colourId(r), CB_GETITEMHEIGHT, 0, 0), 15);
                for (int i = 0; i < 9; ++i)
                    EXPECT_EQ(SendDlgItemMessageW(page, colourId(r), CB_GETITEMDATA, i, 0), i);
                // Tab moves along the row, then down.
                HWND next = GetDlgItem(page, toolId(r));
                for (int id : {thickId(r), colourId(r), toolId((r + 1) % 10)}) {
                    next = GetNextDlgTabItem(page, next, FALSE);
                    EXPECT_EQ(GetDlgCtrlID(next), id);
                }
            }
        },
        IDCANCEL);
}

TEST_F(ToolPage, StoredSlotsShowAndComeBackOnOk) {
    const struct {
        Slot stored;
        const wchar_t* tool; // nullptr: no selection
        const wchar_t* thick;
        int colour;
        Slot written;
    } rows[10] = {
        {{1, 32767, 0, 10000, 10000, 1},
         L"ノック式ペンシル",
         L"327.67",
         5,
         {1, 32767, 0, 10000, 10000, 1}},
        {{11, 1, 10000, 0, 10000, 1}, L"両刃カッター", L"0.01", 6, {11, 1, 10000, 0, 10000, 1}},
        {{0, 12345, 10000, 10000, 10000, 1},
         L"未使用",
         L"123.45",
         7,
         {0, 12345, 10000, 10000, 10000, 1}},
        {{6, 99, 10000, 10000, 0, 1}, L"製図用ペン", L"0.99", 4, {6, 99, 10000, 10000, 0, 1}},
        {{12, 0, 0, 0, 0, 0}, L"未使用", L"0.00", 8, {0, 0, 0, 0, 0, 0}},
        {{13, 0, 0, 0, 0, 0}, nullptr, L"0.00", 8, {0, 0, 0, 0, 0, 0}},
        {{-4, 0, 0, 0, 0, 0}, L"未使用", L"0.00", 8, {0, 0, 0, 0, 0, 0}},
        {{3, 0, 5000, 0, 0, 1}, L"水性ボールペン", L"0.00", 0, {3, 0, 0, 0, 0, 1}},
        {{3, 0, 10000, 0, 10000, 0}, L"水性ボールペン", L"0.00", 8, {3, 0, 0, 0, 0, 0}},
        {{8, -250, 0, 0, 10000, 1}, L"針 (CF-70)", L"-2.50", 3, {8, -250, 0, 0, 10000, 1}},
    };
    std::vector<Slot> stored;
    for (const auto& row : rows)
        stored.push_back(row.stored);
    startWith(stored);
    EXPECT_EQ(onPage(kToolPageIndex,
                     [&](HWND page) {
                         for (int r = 0; r < 10; ++r) {
                             SCOPED_TRACE("pen " + std::to_string(r + 1));
                             if (rows[r].tool)
                                 EXPECT_EQ(shownTool(page, r), rows[r].tool);
                             else
                                 EXPECT_EQ(listSelection(page, toolId(r)), CB_ERR);
                             EXPECT_EQ(controlText(page, thickId(r)), rows[r].thick);
                             EXPECT_EQ(listSelection(page, colourId(r)), rows[r].colour);
                         }
                     }),
              1);
    const auto bytes = readFileBytes(settingsPath());
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(slotInFile(bytes, r), rows[r].written) << "pen " << r + 1;
}

TEST_F(ToolPage, TypedThicknessIsStoredInHundredthsAndShownNextTime) {
    const struct {
        const wchar_t* typed;
        int16_t stored;
        const wchar_t* shownNext;
    } cases[] = {
        {L"0.5", 50, L"0.50"},         {L"12.345", 1235, L"12.35"}, {L"0.005", 1, L"0.01"},
        {L"0.004", 0, L"0.00"},        {L"", 0, L"0.00"},           {L"500", 32767, L"327.67"},
        {L"-500", -32768, L"-327.68"},
    };
    onPage(kToolPageIndex, [&](HWND page) {
        for (int r = 0; r < 7; ++r)
            typeText(page, thickId(r), cases[r].typed);
        // Wider than the edit takes from the keyboard in this font; what
        // matters here is how the text reads.
        SetDlgItemTextW(page, thickId(1), cases[1].typed);
    });
    const auto bytes = readFileBytes(settingsPath());
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(le16(bytes, slotAt(r) + 2), cases[r].stored) << "typed " << cases[r].typed;
    ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
    onPage(
        kToolPageIndex,
        [&](HWND page) {
            for (int r = 0; r < 7; ++r)
                EXPECT_EQ(controlText(page, thickId(r)), cases[r].shownNext);
        },
        IDCANCEL);
}

TEST_F(ToolPage, ChosenToolsAndColoursAreStored) {
    onPage(kToolPageIndex, [](HWND page) {
        chooseListItem(page, toolId(0), 11);  // 未使用
        chooseListItem(page, colourId(1), 8); // none
        chooseListItem(page, colourId(2), 0); // black
        chooseListItem(page, colourId(4), 6); // magenta
        chooseListItem(page, toolId(6), 10);  // 両刃カッター
        chooseListItem(page, colourId(6), 7); // white
        chooseListItem(page, toolId(7), 0);   // ノック式ペンシル
    });
    const auto bytes = readFileBytes(settingsPath());
    EXPECT_EQ(slotInFile(bytes, 0), (Slot{0, 0, 10000, 0, 0, 1}));
    EXPECT_EQ(slotInFile(bytes, 1), (Slot{3, 0, 0, 0, 0, 0}));
    EXPECT_EQ(slotInFile(bytes, 2), (Slot{3, 0, 0, 0, 0, 1}));
    EXPECT_EQ(slotInFile(bytes, 4), (Slot{5, 50, 10000, 0, 10000, 1}));
    EXPECT_EQ(slotInFile(bytes, 6), (Slot{11, 0, 10000, 10000, 10000, 1}));
    EXPECT_EQ(slotInFile(bytes, 7), (Slot{1, 0, 0, 0, 0, 0}));
}

TEST_F(ToolPage, ColourListsNameTheirColoursForScreenReaders) {
    const wchar_t* const names[9] = {L"黒",     L"赤",       L"緑", L"青",  L"黄",
                                     L"シアン", L"マゼンタ", L"白", L"なし"};
    onPage(
        kToolPageIndex,
        [&](HWND page) {
            for (int r = 0; r < 10; ++r)
                for (int i = 0; i < 9; ++i) {
                    EXPECT_EQ(listItemText(page, colourId(r), i), names[i]) << "pen " << r + 1;
                    EXPECT_EQ(SendDlgItemMessageW(page, colourId(r), CB_GETITEMDATA, i, 0), i);
                }
        },
        IDCANCEL);
}

// Paints one item through the page's draw request into a 64 x 19 bitmap
// whose pixels (0x00RRGGBB) start as kUntouched; the item is (2,2)-(62,17).
const DWORD kUntouched = 0x123456, kBlack = 0, kWhite = 0xFFFFFF;
INT_PTR paint(HWND page, int position, UINT action, UINT state, DWORD (&pixels)[19][64]) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -19, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    DWORD* bits = nullptr;
    HBITMAP bitmap =
        CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::fill(bits, bits + 64 * 19, kUntouched);
    DRAWITEMSTRUCT item = {ODT_COMBOBOX,
                           static_cast<UINT>(colourId(0)),
                           static_cast<UINT>(position),
                           action,
                           state,
                           GetDlgItem(page, colourId(0)),
                           dc,
                           {2, 2, 62, 17},
                           0};
    const INT_PTR handled =
        pageProc(page, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    GdiFlush();
    for (int i = 0; i < 64 * 19; ++i)
        pixels[i / 64][i % 64] = bits[i] & 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return handled;
}

// Colours on the frame of the item rectangle inset `ring` times.
std::vector<DWORD> ring(const DWORD (&px)[19][64], int ring) {
    std::vector<DWORD> seen;
    const int l = 2 + ring, t = 2 + ring, r = 61 - ring, b = 16 - ring;
    for (int x = l; x <= r; ++x)
        seen.insert(seen.end(), {px[t][x], px[b][x]});
    for (int y = t; y <= b; ++y)
        seen.insert(seen.end(), {px[y][l], px[y][r]});
    return seen;
}

long count(const std::vector<DWORD>& seen, DWORD colour) {
    return std::count(seen.begin(), seen.end(), colour);
}

// A colour scheme of four colours unlike each other and the swatches, as a
// high-contrast theme sets them; the system's own come back afterwards.
class ColourScheme {
  public:
    static const int kCount = 4;
    const int elements[kCount] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT,
                                  COLOR_HIGHLIGHTTEXT};
    const COLORREF colours[kCount] = {RGB(0x20, 0x10, 0x40), RGB(0xE0, 0xD0, 0x30),
                                      RGB(0x1A, 0xEB, 0xFF), RGB(0x60, 0x00, 0x20)};
    ColourScheme() {
        for (int i = 0; i < kCount; ++i)
            previous_[i] = GetSysColor(elements[i]);
        SetSysColors(kCount, elements, colours);
    }
    ~ColourScheme() { SetSysColors(kCount, elements, previous_); }
    // As a pixel of the bitmap (0x00RRGGBB).
    DWORD pixel(int element) const {
        const COLORREF c = GetSysColor(element);
        return static_cast<DWORD>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }

  private:
    COLORREF previous_[kCount];
};

TEST_F(ToolPage, SwatchesArePaintedInTheSystemColoursByTheirState) {
    const DWORD fills[10] = {kWhite,   0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                             0xFFFF00, 0x00FFFF, 0xFF00FF, kWhite,   kWhite}; // from -1
    onPage(
        kToolPageIndex,
        [&](HWND page) {
            MEASUREITEMSTRUCT measure = {ODT_COMBOBOX, 999, 0, 1, 1, 0};
            EXPECT_TRUE(pageProc(page, WM_MEASUREITEM, 999, reinterpret_cast<LPARAM>(&measure)));
            EXPECT_EQ(measure.itemWidth * 100 + measure.itemHeight, 6015u);

            const ColourScheme scheme;
            ASSERT_EQ(GetSysColor(COLOR_HIGHLIGHT), scheme.colours[2]) << "the scheme was not set";
            DWORD px[19][64];
            for (UINT state :
                 {0u, 0u + ODS_SELECTED, 0u + ODS_FOCUS, 0u + ODS_SELECTED + ODS_FOCUS})
                for (int position = -1; position <= 8; ++position)
                    for (UINT action : {ODA_DRAWENTIRE, ODA_SELECT, ODA_FOCUS}) {
                        SCOPED_TRACE("state " + std::to_string(state) + " position " +
                                     std::to_string(position) + " action " +
                                     std::to_string(action));
                        const bool selected = state & ODS_SELECTED;
                        const DWORD ground =
                            scheme.pixel(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
                        const DWORD text =
                            scheme.pixel(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
                        ASSERT_TRUE(paint(page, position, action, state, px));
                        EXPECT_EQ(count(ring(px, -1), kUntouched), long(ring(px, -1).size()));
                        // The focus dotted on the ground's outer ring, in the text colour.
                        const auto outer = ring(px, 0);
                        EXPECT_EQ(count(outer, ground) + count(outer, text), long(outer.size()));
                        EXPECT_EQ(count(outer, text) > 0, (state & ODS_FOCUS) != 0);
                        EXPECT_EQ(count(ring(px, 1), ground), long(ring(px, 1).size()));
                        EXPECT_EQ(count(ring(px, 2), text), long(ring(px, 2).size()));
                        // The swatch; the none entry has a black line from its
                        // top-left corner, one pixel per column, its end left out.
                        std::vector<DWORD> fill;
                        for (int y = 5; y < 14; ++y)
                            fill.insert(fill.end(), px[y] + 5, px[y] + 59);
                        const long line = position == 8 ? 53 : 0;
                        EXPECT_EQ(count(fill, fills[position + 1]), long(fill.size()) - line);
                        if (position == 8) {
                            EXPECT_EQ(count(fill, kBlack), line);
                            EXPECT_EQ(px[5][5], kBlack);
                        }
                    }
            // Any other drawing action paints nothing and is left to the list.
            EXPECT_FALSE(paint(page, 1, 0x0008, ODS_SELECTED, px));
            EXPECT_EQ(px[9][30], kUntouched);
            EXPECT_EQ(px[2][2], kUntouched);
        },
        IDCANCEL);
}

} // namespace
