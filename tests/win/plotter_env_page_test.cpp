// The plotter environment page in the real sheet, checked in the file bytes.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "pages/pages.h"
#include "storage/settings_file.h"
#include "sheet_driver.h"

namespace {

const size_t R = 2; // the record's offset in the file
const int kMarginEdits[8] = {202, 203, 205, 204, 206, 207, 209, 208}; // leaf t,l,r,b, roll t,l,r,b

// A settings file with some changes, loaded as start-up loads it.
void startWith(const std::function<void(Bytes&)>& change) {
    freshSettings();
    changeSettingsFile(change);
}

// Opens the page's tab, acts on it, presses OK; the file afterwards.
Bytes okAfter(const std::function<void(HWND page)>& act) {
    EXPECT_EQ(onPage(kPlotterEnvPageIndex, act), IDOK);
    return readFileBytes(settingsPath());
}

const DWORD L_ = SS_RIGHT | WS_GROUP, E_ = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
            R_ = BS_AUTORADIOBUTTON | WS_TABSTOP, C_ = BS_AUTOCHECKBOX | WS_TABSTOP,
            D_ = CBS_DROPDOWNLIST | WS_TABSTOP, S_ = D_ | WS_VSCROLL;
struct Control {
    int id;
    DWORD style; // besides WS_CHILD | WS_VISIBLE
    short x, y, w, h;
};
// clang-format off
const Control kTemplate[] = {
    {-1, L_, 138, 10, 36, 8}, {201, D_, 177, 8, 60, 68}, {-1, BS_GROUPBOX, 12, 22, 226, 50},
    {-1, SS_GRAYRECT, 124, 32, 1, 34},
    {-1, L_, 17, 36, 13, 8}, {202, E_, 32, 33, 35, 13}, {-1, L_, 17, 54, 13, 8}, {204, E_, 32, 51, 35, 13},
    {-1, L_, 69, 36, 13, 8}, {203, E_, 84, 33, 35, 13}, {-1, L_, 69, 54, 13, 8}, {205, E_, 84, 51, 35, 13},
    {-1, L_, 128, 36, 13, 8}, {206, E_, 143, 33, 35, 13}, {-1, L_, 128, 54, 13, 8}, {208, E_, 143, 51, 35, 13},
    {-1, L_, 180, 36, 13, 8}, {207, E_, 195, 33, 35, 13}, {-1, L_, 180, 54, 13, 8}, {209, E_, 195, 51, 35, 13},
    {210, R_, 12, 76, 60, 12}, {211, R_, 12, 92, 72, 12}, {212, BS_AUTORADIOBUTTON, 12, 108, 64, 12},
    {213, C_, 12, 127, 80, 10}, {214, C_, 12, 143, 80, 10}, {215, C_, 12, 159, 76, 10},
    {216, C_, 12, 175, 76, 10}, {217, C_, 12, 191, 68, 12}, {218, C_, 12, 207, 80, 12},
    {-1, L_, 91, 78, 43, 8}, {219, D_, 136, 76, 101, 68}, {-1, L_, 91, 94, 43, 8}, {220, D_, 136, 92, 101, 150},
    {-1, L_, 91, 110, 43, 8}, {221, D_, 136, 108, 101, 68}, {-1, L_, 94, 128, 40, 8}, {222, S_, 136, 126, 101, 150},
    {-1, L_, 94, 144, 40, 8}, {223, S_, 136, 142, 101, 150}, {-1, L_, 90, 160, 44, 8}, {224, S_, 136, 158, 101, 30},
    {-1, L_, 90, 176, 44, 8}, {225, S_, 136, 174, 101, 45}, {-1, L_, 82, 192, 52, 8}, {226, S_, 136, 190, 101, 45},
    {-1, L_, 94, 208, 40, 8}, {227, S_, 136, 206, 101, 45},
};
// clang-format on

// Walks the extended template the way the dialog manager reads it.
struct Reader {
    const BYTE* p;
    WORD word() { return *reinterpret_cast<const WORD*>((p += 2) - 2); }
    DWORD dword() { return *reinterpret_cast<const DWORD*>((p += 4) - 4); }
    void skipText() { // a string, or 0xFFFF and an ordinal
        const WORD first = word();
        if (first == 0xFFFF)
            word();
        else if (first != 0)
            while (word() != 0) {
            }
    }
};

TEST(PlotterEnvPage, TemplateInKeyboardOrder) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(111), MAKEINTRESOURCEW(5));
    ASSERT_NE(found, nullptr);
    Reader t{static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)))};
    ASSERT_EQ(t.dword(), 0xFFFF0001u);
    t.dword();
    EXPECT_EQ(t.dword(), static_cast<DWORD>(WS_EX_CONTROLPARENT));
    EXPECT_EQ(t.dword(), static_cast<DWORD>(DS_SETFONT | DS_CONTROL | WS_CHILD));
    ASSERT_EQ(t.word(), std::size(kTemplate));
    t.p += 8; // the page is placed by the sheet
    t.skipText(), t.skipText(), t.skipText();
    EXPECT_EQ(t.word(), 10);
    t.p += 4;
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(t.p), L"ＭＳ Ｐゴシック");
    t.skipText();
    for (const Control& c : kTemplate) {
        SCOPED_TRACE(testing::Message() << "control " << c.id << " at " << c.x << "," << c.y);
        t.p += (4 - reinterpret_cast<uintptr_t>(t.p) % 4) % 4;
        EXPECT_EQ(t.dword() | t.dword(), 0u); // help id, extended style
        EXPECT_EQ(t.dword(), WS_CHILD | WS_VISIBLE | c.style);
        const short* at = reinterpret_cast<const short*>(t.p);
        EXPECT_EQ(std::vector<short>(at, at + 4), std::vector<short>({c.x, c.y, c.w, c.h}));
        t.p += 8;
        EXPECT_EQ(static_cast<int>(t.dword()), c.id);
        t.skipText(), t.skipText();
        t.p += t.word();
    }
}

TEST(PlotterEnvPage, MarginsShownInEachUnitAndKeptByOk) {
    const int32_t margins[8] = {15, 5, 210, 1, 297, 1000, 3000, 0};
    struct Case {
        int unit;
        const wchar_t* texts[8];
    } const cases[] = {
        {0, {L"0.591", L"0.197", L"8.268", L"0.039", L"11.693", L"39.370", L"118.110", L"0.000"}},
        {1, {L"15", L"5", L"210", L"1", L"297", L"1000", L"3000", L"0"}},
        {2, {L"42.52", L"14.17", L"595.28", L"2.83", L"841.89", L"2834.65", L"8503.94", L"0.00"}},
        {7, {L"15", L"5", L"210", L"1", L"297", L"1000", L"3000", L"0"}}, // a damaged unit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "unit " << c.unit);
        startWith([&](Bytes& b) {
            put16(b, kStoredUnitAt, c.unit);
            for (int i = 0; i < 8; ++i)
                put32(b, R + 4 + 4 * i, margins[i]);
        });
        const Bytes after = okAfter([&](HWND page) {
            EXPECT_EQ(listSelection(page, 201), c.unit <= 2 ? c.unit : -1);
            for (int i = 0; i < 8; ++i)
                EXPECT_EQ(controlText(page, kMarginEdits[i]), c.texts[i]) << kMarginEdits[i];
        });
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(le32(after, R + 4 + 4 * i), margins[i]) << i;
    }
}

TEST(PlotterEnvPage, TypedMarginsStoredInWholeMillimetres) {
    const std::wstring cut = std::wstring(78, L' ') + L"12"; // the 2 is past 79 characters
    struct Case {
        int unit;
        const wchar_t* typed[8];
        int32_t stored[8];
    } const cases[] = {
        {0,
         {L"0.591", L"0.5", L"1", L"2.54", L"8.268", L"", L"-0.197", L"12."},
         {15, 13, 25, 65, 210, 0, -5, 305}},
        {1,
         {L"10.4", L"10.5", L"1,234", L"1.5mm", L"-5", L"x", cut.c_str(), L"32767"},
         {10, 11, 1234, 0, -5, 0, 1, 32767}},
        {2,
         {L"42.52", L"72", L"595.28", L"2260.63", L"14.17", L"2.83", L"-2.83", L".5"},
         {15, 25, 210, 798, 5, 1, -1, 0}},
    };
    for (const Case& c : cases) {
        startWith([&](Bytes& b) { put16(b, kStoredUnitAt, c.unit); });
        const Bytes after = okAfter([&](HWND page) {
            for (int i = 0; i < 8; ++i)
                typeText(page, kMarginEdits[i], c.typed[i]);
        });
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(le32(after, R + 4 + 4 * i), c.stored[i])
                << "unit " << c.unit << " edit " << i;
    }
}

TEST(PlotterEnvPage, UnitChoiceConvertsThroughWholeMillimetres) {
    startWith([](Bytes& b) { put16(b, kStoredUnitAt, 1); });
    const Bytes after = okAfter([](HWND page) {
        typeText(page, 202, L"10.4");
        typeText(page, 206, L"10.5");
        chooseListItem(page, 201, 1);                       // the unit in use: fractions stay
        SendDlgItemMessageW(page, 201, CB_SETCURSEL, 2, 0); // browsing converts nothing
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(201, CBN_SELCHANGE), 0);
        EXPECT_EQ(controlText(page, 202), L"10.4");
        chooseListItem(page, 201, 0);
        EXPECT_EQ(controlText(page, 202) + controlText(page, 206) + controlText(page, 203),
                  L"0.3940.4330.591");
        chooseListItem(page, 201, 1);
        EXPECT_EQ(controlText(page, 202) + controlText(page, 206), L"1011");
        synchroniseUnits(kPaperPageIndex, 2); // another page's choice
        EXPECT_EQ(listSelection(page, 201), 2);
        EXPECT_EQ(controlText(page, 209), L"42.52");
        chooseListItem(page, 201, 0);
    });
    EXPECT_EQ(le32(after, R + 4), 10);
    EXPECT_EQ(le32(after, R + 20), 11);
    EXPECT_EQ(le16(after, kStoredUnitAt), 0) << "the choice made here became the stored unit";
    EXPECT_EQ(sheetPage(kPlotterEnvPageIndex), nullptr) << "forgotten with its window";
}

TEST(PlotterEnvPage, CheckBoxesBothWaysWithTwoInverted) {
    const size_t fields[6] = {38, 40, 176, 50, 52, 198}; // behind 213..218
    const bool inverted[6] = {false, true, false, true, false, false};
    for (int value : {0, 1})
        for (bool click : {false, true}) {
            startWith([&](Bytes& b) {
                for (size_t at : fields)
                    put16(b, R + at, value);
            });
            const Bytes after = okAfter([&](HWND page) {
                for (int i = 0; i < 6; ++i) {
                    EXPECT_EQ(checked(page, 213 + i), (value == 1) != inverted[i]) << 213 + i;
                    if (click)
                        clickButton(page, 213 + i);
                }
            });
            for (int i = 0; i < 6; ++i)
                EXPECT_EQ(le16(after, R + fields[i]), click ? 1 - value : value)
                    << 213 + i << " " << click;
        }
}

TEST(PlotterEnvPage, SortModeRadioButtons) {
    struct Case {
        int stored, ticked, click, after; // ticked, click: a button id or 0
    } const cases[] = {{0, 210, 0, 0},   {1, 211, 0, 1}, {2, 212, 0, 2}, {0, 210, 212, 2},
                       {2, 212, 211, 1}, {3, 0, 0, 3},   {-1, 0, 0, -1}, {7, 0, 210, 0}};
    for (const Case& c : cases) {
        startWith([&](Bytes& b) { put16(b, R + 36, c.stored); });
        const Bytes after = okAfter([&](HWND page) {
            for (int id = 210; id <= 212; ++id)
                EXPECT_EQ(checked(page, id), id == c.ticked) << id << " for " << c.stored;
            if (c.click)
                clickButton(page, c.click);
        });
        EXPECT_EQ(le16(after, R + 36), c.after) << c.stored << " click " << c.click;
    }
}

TEST(PlotterEnvPage, PortCodesAndOutOfRangeLists) {
    struct Case {
        int stored, shown, choose, after; // choose -2: no choice
    } const cases[] = {{-1, 7, -2, -1}, {-2, 8, -2, -2},  {-3, 9, -2, -3},  {-4, 10, -2, -4},
                       {6, 6, -2, 6},   {0, 0, 10, -4},   {0, 0, 6, 6},     {-4, 10, 0, 0},
                       {7, -1, -2, -1}, {-5, -1, -2, -1}, {300, -1, -2, -1}};
    for (const Case& c : cases) {
        startWith([&](Bytes& b) { put16(b, R + 212, c.stored); });
        const Bytes after = okAfter([&](HWND page) {
            EXPECT_EQ(listSelection(page, 222), c.shown) << c.stored;
            if (c.choose != -2)
                chooseListItem(page, 222, c.choose);
        });
        EXPECT_EQ(le16(after, R + 212), c.after) << c.stored << " choose " << c.choose;
    }
    // Other lists with stored positions they lack; the port's -1 from above
    // now opens as the first network port.
    const int ids[8] = {219, 220, 221, 223, 224, 225, 226, 227};
    const size_t fields[8] = {42, 2, 44, 214, 216, 218, 220, 222};
    const int bad[8] = {3, 8, -1, 9, 2, 3, 100, -7};
    changeSettingsFile([&](Bytes& b) {
        for (int i = 0; i < 8; ++i)
            put16(b, R + fields[i], bad[i]);
    });
    Bytes b = okAfter([&](HWND page) {
        EXPECT_EQ(listItemText(page, 222, listSelection(page, 222)), L"TCP/IP(PRICOM 3100)");
        EXPECT_EQ(listItemText(page, 222, 6) + listItemText(page, 222, 10),
                  L"LPT2共有フォルダ(Tervikon Server)");
        for (int id : ids)
            EXPECT_EQ(listSelection(page, id), -1) << id;
    });
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(le16(b, R + fields[i]), -1) << ids[i];
}

TEST(PlotterEnvPage, ReservedFieldsSurviveOk) {
    startWith([](Bytes& b) {
        put16(b, R + 46, 0x1234);
        put16(b, R + 54, -7);
        put16(b, R + 210, 0x7ABC);
        put32(b, R + 368, 0x12345678);
    });
    for (int run = 0; run < 2; ++run) {
        const Bytes after = okAfter([](HWND page) { clickButton(page, 214); });
        EXPECT_EQ(le16(after, R + 46), 0x1234);
        EXPECT_EQ(le16(after, R + 54), -7);
        EXPECT_EQ(le16(after, R + 210), 0x7ABC);
        EXPECT_EQ(le32(after, R + 368), 0x12345678);
        EXPECT_EQ(le16(after, R + 40), run == 0 ? 1 : 0) << "the page did save";
    }
}

// A page's save only stores into memory; without its window it stores nothing.
TEST(PlotterEnvPage, SaveWritesNoFileAndNeedsItsWindow) {
    startWith([](Bytes& b) { put32(b, R + 4, 33); });
    const Bytes before = readFileBytes(settingsPath());
    pageSave(nullptr); // copies nothing, so zeroes nothing
    runSheetWith({[](HWND sheet) {
        typeText(sheetPage(kPlotterEnvPageIndex), 202, L"1");
        pageSave(sheetPage(kPlotterEnvPageIndex));
        clickButton(sheet, IDCANCEL);
        return true;
    }});
    EXPECT_EQ(readFileBytes(settingsPath()), before);
    EXPECT_EQ(saveSettings(false), SaveOutcome::Saved);
    EXPECT_EQ(le32(readFileBytes(settingsPath()), R + 4), 25);
}

} // namespace
