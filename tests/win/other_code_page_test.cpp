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

// What a page shows or says as text, child by child in template order:
// labels (the hidden ones too, which screen readers read), buttons and boxes
// by their text, a list by its items joined with '|' (the colour lists' too:
// the names screen readers say). Edits (values) and icons are left out.
Texts shownTexts(HWND page) {
    Texts texts;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(c, cls, 32);
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        std::wstring text;
        if (lstrcmpiW(cls, L"ComboBox") == 0)
            text = joined(c, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
        else if (lstrcmpiW(cls, L"ListBox") == 0)
            text = joined(c, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
        else if ((lstrcmpiW(cls, L"Static") == 0 && (style & SS_TYPEMASK) != SS_ICON) ||
                 lstrcmpiW(cls, L"Button") == 0)
            text = windowText(c);
        if (!text.empty())
            texts.push_back(text);
    }
    return texts;
}

const std::wstring kUnits = L"inch|mm|pixel";
const std::wstring kNames = L"A0|A1|A1(横)|A2|A2(横)|A3|A3(横)|Roll(1020)|Roll(1000)|Roll(950)|"
                            L"Roll(920)";
const std::wstring kCutTools = L"1|2|3|4|5|6|7|8|9|10";
const std::wstring kTools = L"ノック式ペンシル|加圧式油圧ボールペン|水性ボールペン|セラミックペン|"
                            L"プラスチックペン|製図用ペン|スクライブ|針 (CF-70)|ペン型カッター|"
                            L"片刃カッター|両刃カッター|未使用";

Texts toolPageTexts() {
    Texts texts = {L"Tool Type", L"Thick", L"Color"};
    for (int pen = 1; pen <= 10; ++pen) {
        const std::wstring n = std::to_wstring(pen);
        texts.insert(texts.end(),
                     {n, L"ペン " + n + L" のツール：", kTools, L"ペン " + n + L" の太さ：",
                      L"ペン " + n + L" の色：", L"黒|赤|緑|青|黄|シアン|マゼンタ|白|なし"});
    }
    return texts;
}

const Texts kPageTexts[5] = {
    {L"Tervikon Ver5.510J", L"用紙サイズ：", kNames + L"|カスタム", L"用紙単位：", kUnits,
     L"用紙幅：", L"用紙長：", L"縮小/拡大率：",
     L"1000%|500%|400%|300%|200%|150%|100%|75%|50%|33.33%|25%|10%", L"用紙サイズ...", L"印刷方向",
     L"縦(&P)", L"横(&L)", L"ロール紙(&R)", L"印刷範囲：", L"～", L"終了ページ："},
    {L"余白単位：",
     kUnits,
     L"余白設定（リーフ紙／ロール紙）",
     L"上：",
     L"下：",
     L"左：",
     L"右：",
     L"上：",
     L"下：",
     L"左：",
     L"右：",
     L"ソート無し(&N)",
     L"オブジェクトソート(&O)",
     L"ベクトルソート(&V)",
     L"パスの重なりを認識(&U)",
     L"ペン順に出力する(&P)",
     L"枠切りを行う(&F)",
     L"ライン最適化(&L)",
     L"誤差調整(&E)",
     L"点線カットを利用(&H)",
     L"漢字コード：",
     L"無し|MIMAKI(JK + 区点)|GRAPHTEC(CA101 + JIS)",
     L"アウトライン：",
     L"6 pt|10 pt|12 pt|14 pt|18 pt|24 pt|48 pt|未使用",
     L"用紙原点：",
     L"用紙中央|用紙左下",
     L"通信ポート：",
     L"COM1|COM2|COM3|COM4|COM5|LPT1|LPT2|TCP/IP(PRICOM 3100)|TCP/IP(AXIS LPT1)|"
     L"TCP/IP(AXIS USB1)|共有フォルダ(Tervikon Server)",
     L"通信速度：",
     L"300 bps|1200 bps|2400 bps|4800 bps|9600 bps|19200 bps|28800 bps|38400 bps|57600 bps",
     L"データビット：",
     L"7 ビット|8 ビット",
     L"ストップビット：",
     L"1.0 ビット|1.5 ビット|2.0 ビット",
     L"パリティチェック：",
     L"なし|奇数|偶数",
     L"フロー制御：",
     L"なし|XON/XOFF(ソフト)|CTS/DTR(ハード)"},
    {L"余白設定(枠切り)",
     L"g",
     L"g",
     L"PU",
     L"PU",
     L"余白単位：",
     kUnits,
     L"上：",
     L"下：",
     L"左：",
     L"右：",
     L"ツール(枠切り)：",
     kCutTools,
     L"ロール紙ページ長さ：",
     L"誤差範囲：",
     L"PU",
     L"カットツール：",
     kCutTools,
     L"線分カット圧：",
     L"余白カット圧：",
     L"線分長さ：",
     L"余白長さ：",
     L"ヘッダ文字列：",
     L"フッタ文字列：",
     L"接続先(ホスト)：",
     L"：",
     L"接続先(ポート)：",
     L"プロッタ単位：",
     L"デバグモード",
     L"ＰＤ最適化",
     L"角度：",
     L"頂点数：",
     L"共有フォルダ：",
     L"..."},
    toolPageTexts(),
    {L"用紙の一覧：", kNames + L"|", L"用紙名：", L"単位：", kUnits, L"用紙幅：", L"用紙長：",
     L"ロール紙(&R)", L"新規(&N)", L"削除(&D)", L"修正(&E)"},
};

class OtherCodePage : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 1252u) << "this group must run where the system code page is 1252";
        freshSettings();
    }
};

TEST_F(OtherCodePage, EverythingTheProgramShowsReadsAsItsJapanese) {
    runSheetWith({[](HWND sheet) {
        EXPECT_EQ(windowText(sheet), L"Tervikon(HP-GL)のプロパティ");
        EXPECT_EQ(controlText(sheet, IDOK), L"OK");
        EXPECT_EQ(controlText(sheet, IDCANCEL), L"ｷｬﾝｾﾙ");
        const wchar_t* tabs[5] = {L"用紙サイズ", L"プロッタ環境設定", L"プロッタ追加設定",
                                  L"ツール環境設定", L"用紙設定"};
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(i);
            wchar_t text[64] = {};
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 64;
            SendDlgItemMessageW(sheet, IDC_SHEET_TABS, TCM_GETITEMW, i,
                                reinterpret_cast<LPARAM>(&item));
            EXPECT_EQ(std::wstring(text), tabs[i]);
            EXPECT_EQ(shownTexts(sheetPage(i)), kPageTexts[i]);
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
            PostMessageW(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
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
    EXPECT_NE(shown.find(L"「é」は設定ファイルに保存できない文字です。"), std::wstring::npos)
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
    std::wstring shown;
    std::wstring listed;
    runSheetWith({
        [](HWND sheet) {
            clickTab(sheet, kCataloguePageIndex);
            typeText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NAME, L"Größe");
            PostMessageW(GetDlgItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NEW), BM_CLICK, 0,
                         0);
            return true;
        },
        answerMessageBox(&shown),
        [&](HWND sheet) {
            listed = shownTexts(sheetPage(kCataloguePageIndex))[1];
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
    EXPECT_EQ(listed.substr(listed.find(L'|')), kNames.substr(2) + L"|") << "nothing added";
    const Bytes after = readFileBytes(settingsPath());
    EXPECT_EQ(le16(after, kBlock), 11);
    EXPECT_EQ(std::string(after.begin() + kBlock + 2, after.begin() + kBlock + 6),
              std::string("\x85\x40X\0", 4));
    EXPECT_EQ(le16(after, kBlock + 2 + 64), 25) << "1 inch";
}

} // namespace
