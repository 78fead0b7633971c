// Remembered control lookups must answer exactly as GetDlgItem does, however
// the windows behind them change.
#include <gtest/gtest.h>

#include <windows.h>

#include "winui/controls_win.h"

namespace {

HWND makeParent() {
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND makeChild(HWND parent, int id) {
    return CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(Controls, RememberedLookupsFollowTheWindows) {
    HWND first = makeParent();
    HWND second = makeParent();
    ASSERT_TRUE(first && second);
    HWND edit = makeChild(first, 301);
    HWND twin = makeChild(second, 301);
    EXPECT_EQ(dialogItem(first, 301), edit);
    EXPECT_EQ(dialogItem(second, 301), twin);
    EXPECT_EQ(dialogItem(first, 301), edit); // remembered, still right
    EXPECT_EQ(dialogItem(first, 302), nullptr);

    struct Change {
        const char* what;
        void (*apply)(HWND parent, HWND other, HWND* child);
        bool stillFound; // or a new child stands in for it
    } const changes[] = {
        {"destroyed and made again",
         [](HWND parent, HWND, HWND* child) {
             DestroyWindow(*child);
             *child = makeChild(parent, 301);
         },
         true},
        {"given another id",
         [](HWND, HWND, HWND* child) { SetWindowLongPtrA(*child, GWLP_ID, 305); }, false},
        {"moved to the other parent",
         [](HWND, HWND other, HWND* child) { SetParent(*child, other); }, false},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        HWND child = makeChild(first, 301);
        if (dialogItem(first, 301) != child) { // an earlier case's leftover
            DestroyWindow(dialogItem(first, 301));
            ASSERT_EQ(dialogItem(first, 301), child);
        }
        change.apply(first, second, &child);
        EXPECT_EQ(dialogItem(first, 301), GetDlgItem(first, 301));
        EXPECT_EQ(dialogItem(first, 301), change.stillFound ? child : nullptr);
    }
    DestroyWindow(first);
    DestroyWindow(second);
}

} // namespace
