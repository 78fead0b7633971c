// The five pages' templates as linked into the program: each control's id,
// class and style in template order, which is the order Tab takes (the
// keyboard test walks it with the keys) and the one screen readers go by
// (they name a control after the static text just before it). The texts are
// the resources' own; what the pages show of them is the other code page
// test's, where they sit the layout test's.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "pages/pages.h"
#include "sheet_driver.h"

namespace {

struct Kind {
    const wchar_t* cls;
    DWORD style; // besides WS_CHILD
};
constexpr Kind shown(const wchar_t* cls, DWORD style) {
    return {cls, WS_VISIBLE | style};
}
constexpr Kind hidden(Kind kind) {
    return {kind.cls, kind.style & ~WS_VISIBLE};
}
const wchar_t S[] = L"STATIC", E[] = L"EDIT", C[] = L"COMBOBOX", B[] = L"BUTTON";
const Kind label = shown(S, SS_RIGHT | WS_GROUP), leftLabel = shown(S, SS_LEFT | WS_GROUP);
const Kind centred = shown(S, SS_CENTER | WS_GROUP), ungrouped = shown(S, SS_RIGHT);
const Kind list = shown(C, CBS_DROPDOWNLIST | WS_TABSTOP);
const Kind longList = shown(C, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
// Most edits take only what fits their box; a few scroll.
const Kind edit = shown(E, WS_BORDER | WS_TABSTOP);
const Kind scrolled = shown(E, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
const Kind check = shown(B, BS_AUTOCHECKBOX | WS_TABSTOP), button = shown(B, WS_TABSTOP);
const Kind radio = shown(B, BS_AUTORADIOBUTTON | WS_TABSTOP);
const Kind radioInGroup = shown(B, BS_AUTORADIOBUTTON), group = shown(B, BS_GROUPBOX);

struct Control {
    int id;
    Kind kind;
};
using Controls = std::vector<Control>;

// clang-format off
const Controls kPaper = {
    {-1, label}, {-1, label}, {101, longList}, {-1, label}, {102, longList}, {-1, label},
    {103, edit}, {-1, label}, {104, edit}, {-1, label}, {106, longList}, {108, hidden(button)},
    {109, group}, {110, shown(B, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP)}, {111, radioInGroup},
    // WS_GROUP on the first icon ends the radio group: arrows stay on the two buttons.
    {112, shown(S, SS_ICON | WS_GROUP)}, {113, shown(S, SS_ICON)}, {114, check}, {-1, label},
    {115, edit}, {-1, centred}, {-1, hidden(ungrouped)}, {116, edit}};
const Controls kPlotterEnv = {
    {-1, label}, {201, list}, {-1, group}, {-1, shown(S, SS_GRAYRECT)},
    {-1, label}, {202, scrolled}, {-1, label}, {204, scrolled}, {-1, label}, {203, scrolled},
    {-1, label}, {205, scrolled}, {-1, label}, {206, scrolled}, {-1, label}, {208, scrolled},
    {-1, label}, {207, scrolled}, {-1, label}, {209, scrolled},
    {210, radio}, {211, radio}, {212, radioInGroup}, {213, check}, {214, check}, {215, check},
    {216, check}, {217, check}, {218, check}, {-1, label}, {219, list}, {-1, label}, {220, list},
    {-1, label}, {221, list}, {-1, label}, {222, longList}, {-1, label}, {223, longList},
    {-1, label}, {224, longList}, {-1, label}, {225, longList}, {-1, label}, {226, longList},
    {-1, label}, {227, longList}};
const Controls kPlotterExtra = {
    {-1, leftLabel}, {-1, leftLabel}, {-1, leftLabel}, {-1, leftLabel}, {-1, leftLabel},
    {-1, label}, {501, list}, {-1, label}, {502, edit}, {-1, label}, {503, edit}, {-1, label},
    {504, edit}, {-1, label}, {505, edit}, {-1, label}, {506, list}, {-1, label}, {507, edit},
    {-1, label}, {508, edit}, {-1, leftLabel}, {-1, label}, {509, list}, {-1, label}, {510, edit},
    {-1, label}, {511, edit}, {-1, label}, {512, edit}, {-1, label}, {513, edit}, {-1, label},
    {514, edit}, {-1, label}, {515, edit}, {-1, label}, {516, scrolled}, {-1, label},
    {-1, hidden(ungrouped)}, {517, edit}, {-1, label}, {518, edit}, {519, check}, {520, check},
    {-1, label}, {521, edit}, {-1, label}, {522, edit}, {-1, label}, {523, scrolled},
    {524, button}};
const Controls kCatalogue = {
    {-1, shown(S, SS_BLACKFRAME)}, {-1, hidden(ungrouped)},
    {401, shown(L"LISTBOX", LBS_NOTIFY | LBS_DISABLENOSCROLL | WS_BORDER | WS_VSCROLL | WS_TABSTOP)},
    {-1, ungrouped}, {402, edit}, {-1, ungrouped}, {403, longList}, {-1, ungrouped}, {404, edit},
    {-1, ungrouped}, {405, edit}, {406, check}, {407, button}, {408, button}, {409, button}};
// clang-format on

// Ten rows of pen number, then tool, thickness and colour, each after its
// hidden label.
Controls toolPage() {
    Controls controls = {{-1, centred}, {-1, centred}, {-1, centred}};
    const Kind hiddenLabel = hidden(shown(S, SS_LEFT));
    const Kind swatches =
        shown(C, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_TABSTOP);
    for (int id = 304; id < 334; id += 3)
        controls.insert(controls.end(), {{-1, centred},
                                         {-1, hiddenLabel},
                                         {id, longList},
                                         {-1, hiddenLabel},
                                         {id + 1, edit},
                                         {-1, hiddenLabel},
                                         {id + 2, swatches}});
    return controls;
}

TEST(Templates, EveryPageHoldsItsControlsInKeyboardOrder) {
    const Controls pages[kPageCount] = {kPaper, kPlotterEnv, kPlotterExtra, toolPage(), kCatalogue};
    for (int page = 0; page < kPageCount; ++page) {
        const DialogTemplate dialog = dialogTemplate(pageTemplate(page));
        SCOPED_TRACE("page " + std::to_string(page));
        // Placed by the sheet, within it, in the dialogs' face.
        EXPECT_EQ(dialog.style, static_cast<DWORD>(DS_SETFONT | DS_CONTROL | WS_CHILD));
        EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_CONTROLPARENT));
        EXPECT_EQ(dialog.width * 1000 + dialog.height, 251241);
        EXPECT_EQ(dialog.face, L"ＭＳ Ｐゴシック");
        EXPECT_EQ(dialog.points, 10);
        EXPECT_EQ(dialog.controls.size(), pages[page].size());
        for (size_t i = 0; i < std::min(dialog.controls.size(), pages[page].size()); ++i) {
            const TemplateControl& got = dialog.controls[i];
            const Control& want = pages[page][i];
            SCOPED_TRACE(testing::Message() << "control " << i << ", id " << want.id);
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.cls, want.kind.cls);
            EXPECT_EQ(got.style, WS_CHILD | want.kind.style);
            EXPECT_EQ(got.exStyle | got.helpId, 0u);
        }
    }
}

} // namespace
