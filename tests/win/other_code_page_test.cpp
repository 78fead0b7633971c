// The program on a Windows whose code page for non-Unicode programs is 1252
// (an English system, or another "language for non-Unicode programs"): all it
// shows still reads as its Japanese, and the Japanese texts of the settings
// file go through unchanged. ctest runs this group with such a locale.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "sheet_driver.h"

namespace {

const size_t R = 2;         // the record's offset in the file
const size_t kBlock = 1538; // the catalogue's

using Texts = std::vector<std::wstring>;

std::wstring joined(HWND list, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::wstring all;
    const int count = static_cast<int>(SendMessageW(list, countMessage, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(list, lengthMessage, i, 0)) + 1, L'\0');
        SendMessageW(list, textMessage, i, reinterpret_cast<LPARAM>(item.data()));
        all += (i ? L"|" : L"") + std::wstring(item.c_str());
    }
    return all;
}

// What a page shows or says as text, child by child: labels (the hidden ones
// too, which screen readers read), buttons and boxes by their text, a list by
// its items joined with '|' (the colour lists' too: the names screen readers
// say). Edits (values) and icons are left out.
Texts shownTexts(HWND page) {
    Texts texts;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(c, cls, 32);
        if (lstrcmpiW(cls, L"ComboBox") == 0)
            texts.push_back(joined(c, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT));
        else if (lstrcmpiW(cls, L"ListBox") == 0)
            texts.push_back(joined(c, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT));
        else if (lstrcmpiW(cls, L"Edit") != 0 &&
                 (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            texts.push_back(windowText(c));
    }
    return texts;
}

// The program's strings from `first` on, joined with '|'.
std::wstring strings(UINT first, int count) {
    std::wstring all;
    for (int i = 0; i < count; ++i)
        all += (i ? L"|" : L"") + programString(first + static_cast<UINT>(i));
    return all;
}

// The names of the loaded catalogue, as the driver reads them (code page 932).
std::wstring catalogueNames(int from = 0) {
    std::wstring all;
    for (int i = from; i < PaperCount(); ++i) {
        char name[64] = {};
        int16_t width, length, roll;
        GetPaperEntry(i, name, sizeof name, &width, &length, &roll);
        wchar_t wide[64] = {};
        MultiByteToWideChar(932, 0, name, -1, wide, 64);
        all += (i > from ? L"|" : L"") + std::wstring(wide);
    }
    return all;
}

// The items each list is filled with; the rest of what a page shows is its
// template's.
std::wstring listItems(int id) {
    const struct {
        int id;
        UINT first;
        int count;
    } lists[] = {
        {IDC_PAPER_UNITS, IDS_UNIT_FIRST, 3},
        {IDC_PAPER_SCALE, IDS_PAPER_SCALE_FIRST, 12},
        {IDC_ENV_MARGIN_UNIT, IDS_UNIT_FIRST, 3},
        {IDC_ENV_KANJI_CODE, IDS_ENV_KANJI_FIRST, 3},
        {IDC_ENV_OUTLINE, IDS_ENV_OUTLINE_FIRST, 8},
        {IDC_ENV_PAPER_ORIGIN, IDS_ENV_ORIGIN_FIRST, 2},
        {IDC_ENV_PORT, IDS_ENV_PORT_FIRST, 11},
        {IDC_ENV_BAUD_RATE, IDS_ENV_BAUD_FIRST, 9},
        {IDC_ENV_DATA_BITS, IDS_ENV_DATA_BITS_FIRST, 2},
        {IDC_ENV_STOP_BITS, IDS_ENV_STOP_BITS_FIRST, 3},
        {IDC_ENV_PARITY, IDS_ENV_PARITY_FIRST, 3},
        {IDC_ENV_FLOW_CONTROL, IDS_ENV_FLOW_FIRST, 3},
        {IDC_EXTRA_UNIT, IDS_UNIT_FIRST, 3},
        {IDC_FRAME_CUT_TOOL, IDS_CUT_TOOL_FIRST, 10},
        {IDC_CUT_TOOL, IDS_CUT_TOOL_FIRST, 10},
        {IDC_CATALOGUE_UNIT, IDS_UNIT_FIRST, 3},
    };
    for (const auto& list : lists)
        if (list.id == id)
            return strings(list.first, list.count);
    if (id == IDC_PAPER_SIZE)
        return catalogueNames() + L"|カスタム";
    if (id == IDC_CATALOGUE_LIST)
        return catalogueNames() + L"|"; // and the blank line for a new entry
    const bool tool = (id - IDC_PEN1_TOOL) % (IDC_PEN2_TOOL - IDC_PEN1_TOOL) == 0;
    return tool ? strings(IDS_TOOL_PENCIL, 12) : strings(IDS_COLOUR_FIRST, 9);
}

Texts templateTexts(int templateId) {
    Texts texts;
    for (const TemplateControl& c : dialogTemplate(templateId).controls)
        if (c.cls == L"COMBOBOX" || c.cls == L"LISTBOX")
            texts.push_back(listItems(c.id));
        else if (c.cls != L"EDIT" && (c.style & SS_TYPEMASK) != SS_ICON)
            texts.push_back(c.text);
    return texts;
}

class OtherCodePage : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 1252u) << "this group must run where the system code page is 1252";
        freshSettings();
    }
};

TEST_F(OtherCodePage, EverythingTheProgramShowsReadsAsItsJapanese) {
    runSheetWith({[](HWND sheet) {
        const DialogTemplate own = dialogTemplate(IDD_SHEET);
        EXPECT_EQ(windowText(sheet), own.caption);
        for (const TemplateControl& c : own.controls) {
            if (c.id == IDOK || c.id == IDCANCEL) {
                EXPECT_EQ(controlText(sheet, c.id), c.text);
            }
        }
        for (int i = 0; i < kPageCount; ++i) {
            SCOPED_TRACE(i);
            wchar_t text[64] = {};
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 64;
            SendDlgItemMessageW(sheet, IDC_SHEET_TABS, TCM_GETITEMW, i,
                                reinterpret_cast<LPARAM>(&item));
            EXPECT_EQ(std::wstring(text), programString(IDS_TAB_PAPER + i));
            EXPECT_EQ(shownTexts(sheetPage(i)), templateTexts(pageTemplate(i)));
        }
        clickButton(sheet, IDCANCEL);
        return true;
    }});
}

// Japanese texts as the driver reads them, in code page 932, and a footer
// with bytes no code page can show: OK stores every byte as it was.
TEST_F(OtherCodePage, JapaneseTextsGoThroughOkByteForByte) {
    auto text = [](Bytes& b, size_t at, const std::string& bytes) {
        std::fill(b.begin() + at, b.begin() + at + 128, 0);
        std::copy(bytes.begin(), bytes.end(), b.begin() + at);
    };
    changeSettingsFile([&](Bytes& b) {
        put32(b, R + 364, 1966592); // pdOptimize as the page opens it
        text(b, R + 372,
             "\x83w\x83"
             "b\x83_\x81"
             "F\x90}\x96\xCA");          // ヘッダ：図面
        text(b, R + 500, "\x85\x40PG;"); // 0x85 0x40: no character
        text(b, R + 224,
             "\x83v\x83\x8D\x83"
             "b\x83^"); // プロッタ
        text(b, R + 628, "\x5C\x5C\x83T\x81[\x83o\x5C\x8B\xA4\x97L\x83t\x83H\x83\x8B\x83_");
        const char name[] = "\x97p\x8E\x86(\x89\xA1\x92\xB7)"; // 用紙(横長)
        std::copy(name, name + sizeof name, b.begin() + kBlock + 2 + 70 * 11);
        put16(b, kBlock + 2 + 70 * 11 + 64, 500);
        put16(b, kBlock + 2 + 70 * 11 + 66, 700);
        put16(b, kBlock, 12);
    });
    const Bytes before = readFileBytes(settingsPath());
    EXPECT_EQ(onPage(kPlotterExtraPageIndex,
                     [](HWND p) {
                         EXPECT_EQ(controlText(p, 514), L"ヘッダ：図面");
                         EXPECT_EQ(controlText(p, 516), L"プロッタ");
                         EXPECT_EQ(controlText(p, 523), L"\\\\サーバ\\共有フォルダ");
                         EXPECT_EQ(listItemText(sheetPage(kPaperPageIndex), IDC_PAPER_SIZE, 11),
                                   L"用紙(横長)");
                     }),
              1);
    EXPECT_EQ(readFileBytes(settingsPath()), before);
}

// A character code page 932 lacks would reach the driver as '?': the sheet
// says so, stays open and writes nothing until the text can be stored.
TEST_F(OtherCodePage, ATypedCharacterTheFileCannotHoldIsReportedNotStored) {
    const Bytes before = readFileBytes(settingsPath());
    std::wstring shown;
    DWORD selection = 0;
    bool stillOnPage = false;
    const INT_PTR result = runSheetWith({
        [](HWND sheet) {
            clickTab(sheet, kPlotterExtraPageIndex);
            typeText(sheetPage(kPlotterExtraPageIndex), 515, L"Café 1");
            clickTab(sheet, kPaperPageIndex);
            postClick(sheet, IDOK);
            return true;
        },
        answerMessageBox(&shown),
        [&](HWND sheet) {
            EXPECT_EQ(readFileBytes(settingsPath()), before) << "nothing written";
            stillOnPage = IsWindowVisible(sheetPage(kPlotterExtraPageIndex)) != FALSE;
            selection = static_cast<DWORD>(
                SendDlgItemMessageW(sheetPage(kPlotterExtraPageIndex), 515, EM_GETSEL, 0, 0));
            typeText(sheetPage(kPlotterExtraPageIndex), 515, L"Cafe 1");
            clickButton(sheet, IDOK);
            return true;
        },
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(showsMessage(shown, IDS_TEXT_NOT_STORABLE) &&
                shown.find(L"「é」") != std::wstring::npos)
        << std::string(shown.begin(), shown.end());
    EXPECT_TRUE(stillOnPage) << "the page with the text is shown";
    EXPECT_EQ(selection, MAKELONG(3, 4)) << "the character is selected";
    const Bytes after = readFileBytes(settingsPath());
    EXPECT_EQ(std::string(after.begin() + R + 500, after.begin() + R + 507),
              std::string("Cafe 1\0", 7));
}

// New and Modify likewise refuse a name the catalogue cannot hold, and a
// name left alone keeps its bytes even when no code page can show them.
TEST_F(OtherCodePage, CatalogueNamesTheFileCannotHold) {
    changeSettingsFile([](Bytes& b) { std::copy_n("\x85\x40X", 4, b.begin() + kBlock + 2); });
    const Bytes before = readFileBytes(settingsPath());
    const std::wstring names = catalogueNames(1);
    std::wstring shown;
    std::wstring listed;
    runSheetWith({
        [](HWND sheet) {
            clickTab(sheet, kCataloguePageIndex);
            typeText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NAME, L"Größe");
            postClick(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NEW);
            return true;
        },
        answerMessageBox(&shown),
        [&](HWND sheet) {
            listed = joined(GetDlgItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_LIST),
                            LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
            // Back to entry 0 as stored; only its width changes.
            SendDlgItemMessageW(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_LIST, LB_SETCURSEL, 0,
                                0);
            SendMessageW(sheetPage(kCataloguePageIndex), WM_COMMAND,
                         MAKEWPARAM(IDC_CATALOGUE_LIST, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(
                             GetDlgItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_LIST)));
            typeText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_WIDTH, L"1");
            clickButton(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_MODIFY);
            clickButton(sheet, IDOK);
            return true;
        },
    });
    EXPECT_NE(shown.find(L"「ö」"), std::wstring::npos);
    EXPECT_EQ(listed.substr(listed.find(L'|') + 1), names + L"|") << "nothing added";
    const Bytes after = readFileBytes(settingsPath());
    EXPECT_EQ(le16(after, kBlock), 11);
    EXPECT_EQ(std::string(after.begin() + kBlock + 2, after.begin() + kBlock + 6),
              std::string("\x85\x40X\0", 4));
    EXPECT_EQ(le16(after, kBlock + 2 + 64), 25) << "1 inch";
}

} // namespace
