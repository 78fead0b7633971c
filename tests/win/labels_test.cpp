// What a screen reader names each edit, drop-down list and list box of the
// five pages by: the static text just before it in its template (the window
// before it among the page's children), shown, or hidden where the design
// has no text for it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "sheet_driver.h"

namespace {

struct Label {
    int page, id;
    std::wstring text;
    bool shown;
};

std::vector<Label> expectedLabels() {
    // clang-format off
    std::vector<Label> labels = {
        {0, IDC_PAPER_SIZE, L"用紙サイズ：", true}, {0, IDC_PAPER_UNITS, L"用紙単位：", true},
        {0, IDC_PAPER_WIDTH, L"用紙幅：", true}, {0, IDC_PAPER_LENGTH, L"用紙長：", true},
        {0, IDC_PAPER_SCALE, L"縮小/拡大率：", true}, {0, IDC_PAPER_FIRST_PAGE, L"印刷範囲：", true},
        {0, IDC_PAPER_LAST_PAGE, L"終了ページ：", false},
        {1, IDC_ENV_MARGIN_UNIT, L"余白単位：", true}, {1, IDC_ENV_LEAF_TOP, L"上：", true},
        {1, IDC_ENV_LEAF_BOTTOM, L"下：", true}, {1, IDC_ENV_LEAF_LEFT, L"左：", true},
        {1, IDC_ENV_LEAF_RIGHT, L"右：", true}, {1, IDC_ENV_ROLL_TOP, L"上：", true},
        {1, IDC_ENV_ROLL_BOTTOM, L"下：", true}, {1, IDC_ENV_ROLL_LEFT, L"左：", true},
        {1, IDC_ENV_ROLL_RIGHT, L"右：", true}, {1, IDC_ENV_KANJI_CODE, L"漢字コード：", true},
        {1, IDC_ENV_OUTLINE, L"アウトライン：", true}, {1, IDC_ENV_PAPER_ORIGIN, L"用紙原点：", true},
        {1, IDC_ENV_PORT, L"通信ポート：", true}, {1, IDC_ENV_BAUD_RATE, L"通信速度：", true},
        {1, IDC_ENV_DATA_BITS, L"データビット：", true}, {1, IDC_ENV_STOP_BITS, L"ストップビット：", true},
        {1, IDC_ENV_PARITY, L"パリティチェック：", true}, {1, IDC_ENV_FLOW_CONTROL, L"フロー制御：", true},
        {2, IDC_EXTRA_UNIT, L"余白単位：", true}, {2, IDC_FRAME_MARGIN_TOP, L"上：", true},
        {2, IDC_FRAME_MARGIN_BOTTOM, L"下：", true}, {2, IDC_FRAME_MARGIN_LEFT, L"左：", true},
        {2, IDC_FRAME_MARGIN_RIGHT, L"右：", true}, {2, IDC_FRAME_CUT_TOOL, L"ツール(枠切り)：", true},
        {2, IDC_ROLL_PAGE_LENGTH, L"ロール紙ページ長さ：", true}, {2, IDC_ERROR_RANGE, L"誤差範囲：", true},
        {2, IDC_CUT_TOOL, L"カットツール：", true}, {2, IDC_SEGMENT_CUT_PRESSURE, L"線分カット圧：", true},
        {2, IDC_GAP_CUT_PRESSURE, L"余白カット圧：", true}, {2, IDC_SEGMENT_LENGTH, L"線分長さ：", true},
        {2, IDC_GAP_LENGTH, L"余白長さ：", true}, {2, IDC_HEADER_STRING, L"ヘッダ文字列：", true},
        {2, IDC_FOOTER_STRING, L"フッタ文字列：", true}, {2, IDC_HOST_ADDRESS, L"接続先(ホスト)：", true},
        {2, IDC_HOST_PORT, L"接続先(ポート)：", false}, {2, IDC_PLOTTER_UNIT, L"プロッタ単位：", true},
        {2, IDC_PD_ANGLE, L"角度：", true}, {2, IDC_PD_VERTEX_COUNT, L"頂点数：", true},
        {2, IDC_SHARED_FOLDER, L"共有フォルダ：", true},
        {4, IDC_CATALOGUE_LIST, L"用紙の一覧：", false}, {4, IDC_CATALOGUE_NAME, L"用紙名：", true},
        {4, IDC_CATALOGUE_UNIT, L"単位：", true}, {4, IDC_CATALOGUE_WIDTH, L"用紙幅：", true},
        {4, IDC_CATALOGUE_LENGTH, L"用紙長：", true},
    };
    // clang-format on
    const int step = IDC_PEN2_TOOL - IDC_PEN1_TOOL;
    for (int row = 0; row < 10; ++row) {
        const std::wstring pen = L"ペン " + std::to_wstring(row + 1);
        labels.push_back({3, IDC_PEN1_TOOL + step * row, pen + L" のツール：", false});
        labels.push_back({3, IDC_PEN1_THICKNESS + step * row, pen + L" の太さ：", false});
        labels.push_back({3, IDC_PEN1_COLOUR + step * row, pen + L" の色：", false});
    }
    return labels;
}

std::wstring className(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

bool isInput(HWND window) {
    const std::wstring kind = className(window);
    return kind == L"Edit" || kind == L"ComboBox" || kind == L"ListBox";
}

// A static control that shows (or would show) its text.
bool isTextStatic(HWND window) {
    const LONG type = GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK;
    return className(window) == L"Static" &&
           (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP);
}

void expectLabelled(HWND input, int page, const std::vector<Label>& labels) {
    const int id = GetDlgCtrlID(input);
    SCOPED_TRACE("page " + std::to_string(page) + " control " + std::to_string(id));
    const Label* want = nullptr;
    for (const Label& label : labels)
        if (label.page == page && label.id == id)
            want = &label;
    ASSERT_NE(want, nullptr) << "an input the table does not know";
    HWND before = GetWindow(input, GW_HWNDPREV);
    ASSERT_TRUE(before && isTextStatic(before)) << "no label just before it";
    EXPECT_EQ(windowText(before), want->text);
    EXPECT_EQ((GetWindowLongW(before, GWL_STYLE) & WS_VISIBLE) != 0, want->shown);
}

TEST(Labels, EveryInputFollowsItsLabel) {
    freshSettings();
    const std::vector<Label> labels = expectedLabels();
    runSheetWith({[&labels](HWND sheet) {
        for (int page = 0; page < kPageCount; ++page) {
            int inputs = 0, listed = 0;
            for (const Label& label : labels)
                listed += label.page == page;
            for (HWND c = GetWindow(sheetPage(page), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                if (isInput(c)) {
                    ++inputs;
                    expectLabelled(c, page, labels);
                }
            EXPECT_EQ(inputs, listed) << "page " << page;
        }
        clickButton(sheet, IDCANCEL);
        return true;
    }});
}

} // namespace
