// Keys as the keyboard delivers them (SendInput), through the sheet's own
// modal loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "sheet_driver.h"

namespace {

int currentTab(HWND sheet) {
    return static_cast<int>(SendDlgItemMessageW(sheet, IDC_SHEET_TABS, TCM_GETCURSEL, 0, 0));
}

TEST(Keyboard, CtrlTabMovesBetweenTabsBothWays) {
    freshSettings();
    struct Press {
        std::initializer_list<WORD> held;
        WORD key;
        int tab;
    };
    const Press presses[] = {
        {{VK_CONTROL}, VK_TAB, 1},           {{VK_CONTROL}, VK_TAB, 2},
        {{VK_CONTROL, VK_SHIFT}, VK_TAB, 1}, {{VK_CONTROL, VK_SHIFT}, VK_TAB, 0},
        {{VK_CONTROL, VK_SHIFT}, VK_TAB, 4}, {{VK_CONTROL}, VK_TAB, 0},
        {{VK_CONTROL}, VK_NEXT, 1},          {{VK_CONTROL}, VK_PRIOR, 0},
    };
    std::vector<SheetStep> steps;
    steps.push_back([](HWND sheet) {
        SetForegroundWindow(sheet);
        SetFocus(GetDlgItem(sheet, IDOK));
        return GetForegroundWindow() == sheet;
    });
    for (const Press& p : presses) {
        steps.push_back([&p](HWND) {
            pressKeys(p.held, p.key);
            return true;
        });
        steps.push_back([&p](HWND sheet) {
            EXPECT_EQ(currentTab(sheet), p.tab);
            return true;
        });
    }
    steps.push_back([](HWND) {
        pressKeys({}, VK_ESCAPE); // Esc is Cancel
        return true;
    });
    EXPECT_EQ(runSheetWith(steps), 2);
}

TEST(Keyboard, EnterIsOk) {
    freshSettings();
    EXPECT_EQ(runSheetWith({[](HWND sheet) {
                                SetForegroundWindow(sheet);
                                SetFocus(GetDlgItem(sheet, IDC_SHEET_TABS));
                                return GetForegroundWindow() == sheet;
                            },
                            [](HWND) {
                                pressKeys({}, VK_RETURN);
                                return true;
                            }}),
              1);
}

// Every mnemonic works with Alt on its own page: radio buttons and check
// boxes change, the catalogue buttons act.
TEST(Keyboard, MnemonicsWorkWithAltOnTheirPage) {
    freshSettings();
    struct Mnemonic {
        int tab;
        WORD letter;
        int id;            // the control that must change
        bool radio;        // checked afterwards (else toggled)
        int catalogueStep; // for the catalogue buttons: change in the entry count
    };
    const Mnemonic mnemonics[] = {
        {0, 'L', IDC_PAPER_LANDSCAPE, true, 0},
        {0, 'P', IDC_PAPER_PORTRAIT, true, 0},
        {0, 'R', IDC_PAPER_ROLL, false, 0},
        {1, 'N', IDC_ENV_SORT_NONE, true, 0},
        {1, 'V', IDC_ENV_SORT_VECTOR, true, 0},
        {1, 'O', IDC_ENV_SORT_OBJECT, true, 0},
        {1, 'U', IDC_ENV_PATH_OVERLAP, false, 0},
        {1, 'P', IDC_ENV_PEN_ORDER, false, 0},
        {1, 'F', IDC_ENV_FRAME_CUT, false, 0},
        {1, 'L', IDC_ENV_LINE_OPTIMIZE, false, 0},
        {1, 'E', IDC_ENV_ERROR_ADJUST, false, 0},
        {1, 'H', IDC_ENV_DOTTED_CUT, false, 0},
        {4, 'N', 0, false, +1},
        {4, 'D', 0, false, -1},
        {4, 'E', 0, false, 0},
    };
    std::vector<SheetStep> steps;
    steps.push_back([](HWND sheet) {
        SetForegroundWindow(sheet);
        return GetForegroundWindow() == sheet;
    });
    struct State {
        bool wasChecked = false;
        int count = 0;
    };
    static State state;
    for (const Mnemonic& m : mnemonics) {
        steps.push_back([&m](HWND sheet) {
            clickTab(sheet, m.tab);
            HWND page = sheetPage(m.tab);
            // Start from a control that is not the target.
            SetFocus(GetNextDlgTabItem(page, nullptr, FALSE));
            state.wasChecked = m.id && checked(page, m.id);
            state.count = PaperCount();
            pressKeys({VK_MENU}, m.letter);
            return true;
        });
        steps.push_back([&m](HWND) {
            HWND page = sheetPage(m.tab);
            const char letter[2] = {static_cast<char>(m.letter), 0};
            if (m.id == 0)
                EXPECT_EQ(PaperCount(), state.count + m.catalogueStep) << "Alt+" << letter;
            else if (m.radio)
                EXPECT_TRUE(checked(page, m.id)) << "Alt+" << letter << " on tab " << m.tab;
            else
                EXPECT_NE(checked(page, m.id), state.wasChecked)
                    << "Alt+" << letter << " on tab " << m.tab;
            return true;
        });
    }
    steps.push_back([](HWND sheet) {
        clickButton(sheet, IDCANCEL);
        return true;
    });
    EXPECT_EQ(runSheetWith(steps, 30000), 2);
}

// Tab walks the visible page in its template order (a radio group is one stop,
// at its checked button), then the sheet's own controls, and Shift+Tab walks
// back the same way. Fresh settings: object sort and portrait are checked.
std::vector<int> tabStops(int tab) {
    std::vector<int> stops;
    for (const TemplateControl& c : dialogTemplate(pageTemplate(tab)).controls) {
        const bool radio = c.cls == L"BUTTON" && (c.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
        if ((c.style & (WS_TABSTOP | WS_VISIBLE)) == (WS_TABSTOP | WS_VISIBLE) &&
            (!radio || c.id == IDC_PAPER_PORTRAIT || c.id == IDC_ENV_SORT_OBJECT))
            stops.push_back(c.id);
    }
    return stops;
}

TEST(Keyboard, TabFollowsEachTemplateOrder) {
    freshSettings();
    std::vector<int> cycles[5];
    std::vector<SheetStep> steps;
    for (int tab = 0; tab < 5; ++tab) {
        // The whole cycle: the page, the sheet's buttons and tabs, the page again.
        std::vector<int>& cycle = cycles[tab];
        cycle = tabStops(tab);
        ASSERT_GT(cycle.size(), 8u);
        cycle.insert(cycle.end(),
                     {IDC_SHEET_PRESETS, IDOK, IDCANCEL, IDC_SHEET_TABS, cycle.front()});
        steps.push_back([tab](HWND sheet) {
            SetForegroundWindow(sheet);
            clickTab(sheet, tab);
            SetFocus(GetNextDlgTabItem(sheetPage(tab), nullptr, FALSE));
            return GetForegroundWindow() == sheet;
        });
        for (size_t i = 1; i < cycle.size(); ++i) {
            steps.push_back([](HWND) {
                pressKeys({}, VK_TAB);
                return true;
            });
            steps.push_back([&cycle, tab, i](HWND) {
                EXPECT_EQ(GetDlgCtrlID(GetFocus()), cycle[i]) << "tab " << tab << ", Tab " << i;
                return true;
            });
        }
        for (size_t i = cycle.size() - 1; i-- > 0;) {
            steps.push_back([](HWND) {
                pressKeys({VK_SHIFT}, VK_TAB);
                return true;
            });
            steps.push_back([&cycle, tab, i](HWND) {
                EXPECT_EQ(GetDlgCtrlID(GetFocus()), cycle[i])
                    << "tab " << tab << ", Shift+Tab back to " << i;
                return true;
            });
        }
    }
    steps.push_back([](HWND sheet) {
        clickButton(sheet, IDCANCEL);
        return true;
    });
    EXPECT_EQ(runSheetWith(steps, 120000), 2);
}

} // namespace
