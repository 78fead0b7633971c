// What a screen reader names each edit, drop-down list and list box of the
// five pages by: the static text just before it among the page's children,
// as in its template (shown, or hidden where the design has no text for it:
// the templates test holds which, the resources the texts).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "pages/pages.h"
#include "sheet_driver.h"

namespace {

TEST(Labels, EveryInputFollowsItsLabel) {
    freshSettings();
    runSheetWith({[](HWND sheet) {
        for (int page = 0; page < kPageCount; ++page) {
            const std::vector<TemplateControl> controls =
                dialogTemplate(pageTemplate(page)).controls;
            int inputs = 0;
            for (size_t i = 1; i < controls.size(); ++i) {
                const TemplateControl& input = controls[i];
                if (input.cls != L"EDIT" && input.cls != L"COMBOBOX" && input.cls != L"LISTBOX")
                    continue;
                ++inputs;
                SCOPED_TRACE("page " + std::to_string(page) + " control " +
                             std::to_string(input.id));
                const TemplateControl& label = controls[i - 1];
                const DWORD type = label.style & SS_TYPEMASK;
                EXPECT_TRUE(label.cls == L"STATIC" && !label.text.empty() &&
                            (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT))
                    << "no label just before it";
                HWND before = GetWindow(GetDlgItem(sheetPage(page), input.id), GW_HWNDPREV);
                EXPECT_EQ(windowText(before), label.text);
                EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(before, GWL_STYLE)) & WS_VISIBLE,
                          label.style & WS_VISIBLE);
            }
            EXPECT_GE(inputs, 5) << "page " << page;
        }
        clickButton(sheet, IDCANCEL);
        return true;
    }});
}

} // namespace
