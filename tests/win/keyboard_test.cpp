// Keys as the keyboard delivers them (SendInput), through the sheet's own
// modal loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

#include "resources/resource_ids.h"
#include "sheet_driver.h"

namespace {

void pressKeys(std::initializer_list<WORD> held, WORD key) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    for (WORD vk : held)
        add(vk, false);
    add(key, false);
    add(key, true);
    for (auto it = held.end(); it != held.begin();)
        add(*--it, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

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

} // namespace
