#include "documents/field_labels.h"

#include <iterator>

#include "resources/resource_ids.h"

namespace {

#define ZEMB_LIST(texts, firstString, firstControl)                                                \
    ListLabels {                                                                                   \
        texts, static_cast<int>(std::size(texts)), firstString, firstControl                       \
    }

constexpr const char* kUnitTexts[] = {"inch", "mm", "pixel"};
constexpr const char* kOutlineTexts[] = {"6 pt",  "10 pt", "12 pt", "14 pt",
                                         "18 pt", "24 pt", "48 pt", "未使用"};
constexpr const char* kKanjiTexts[] = {"無し", "MIMAKI(JK + 区点)", "GRAPHTEC(CA101 + JIS)"};
constexpr const char* kOriginTexts[] = {"用紙中央", "用紙左下"};
constexpr const char* kSortTexts[] = {"ソート無し(&N)", "オブジェクトソート(&O)",
                                      "ベクトルソート(&V)"};
constexpr const char* kPortTexts[] = {"COM1",
                                      "COM2",
                                      "COM3",
                                      "COM4",
                                      "COM5",
                                      "LPT1",
                                      "LPT2",
                                      "TCP/IP(PRICOM 3100)",
                                      "TCP/IP(AXIS LPT1)",
                                      "TCP/IP(AXIS USB1)",
                                      "共有フォルダ(Tervikon Server)"};
constexpr const char* kBaudTexts[] = {"300 bps",   "1200 bps",  "2400 bps",  "4800 bps", "9600 bps",
                                      "19200 bps", "28800 bps", "38400 bps", "57600 bps"};
constexpr const char* kDataBitsTexts[] = {"7 ビット", "8 ビット"};
constexpr const char* kStopBitsTexts[] = {"1.0 ビット", "1.5 ビット", "2.0 ビット"};
constexpr const char* kParityTexts[] = {"なし", "奇数", "偶数"};
constexpr const char* kFlowTexts[] = {"なし", "XON/XOFF(ソフト)", "CTS/DTR(ハード)"};
constexpr const char* kCutToolTexts[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
constexpr const char* kToolTexts[] = {"ノック式ペンシル", "加圧式油圧ボールペン", "水性ボールペン",
                                      "セラミックペン",   "プラスチックペン",     "製図用ペン",
                                      "スクライブ",       "針 (CF-70)",           "ペン型カッター",
                                      "片刃カッター",     "両刃カッター",         "未使用"};
constexpr const char* kScaleTexts[] = {"1000%", "500%", "400%", "300%",   "200%", "150%",
                                       "100%",  "75%",  "50%",  "33.33%", "25%",  "10%"};
constexpr const char* kOrientationTexts[] = {"縦(&P)", "横(&L)"};

constexpr ListLabels kOutlineLabels = ZEMB_LIST(kOutlineTexts, IDS_ENV_OUTLINE_FIRST, 0);
constexpr ListLabels kKanjiLabels = ZEMB_LIST(kKanjiTexts, IDS_ENV_KANJI_FIRST, 0);
constexpr ListLabels kOriginLabels = ZEMB_LIST(kOriginTexts, IDS_ENV_ORIGIN_FIRST, 0);
constexpr ListLabels kSortLabels = ZEMB_LIST(kSortTexts, 0, IDC_ENV_SORT_NONE);
constexpr ListLabels kPortLabels = ZEMB_LIST(kPortTexts, IDS_ENV_PORT_FIRST, 0);
constexpr ListLabels kBaudLabels = ZEMB_LIST(kBaudTexts, IDS_ENV_BAUD_FIRST, 0);
constexpr ListLabels kDataBitsLabels = ZEMB_LIST(kDataBitsTexts, IDS_ENV_DATA_BITS_FIRST, 0);
constexpr ListLabels kStopBitsLabels = ZEMB_LIST(kStopBitsTexts, IDS_ENV_STOP_BITS_FIRST, 0);
constexpr ListLabels kParityLabels = ZEMB_LIST(kParityTexts, IDS_ENV_PARITY_FIRST, 0);
constexpr ListLabels kFlowLabels = ZEMB_LIST(kFlowTexts, IDS_ENV_FLOW_FIRST, 0);
constexpr ListLabels kCutToolLabels = ZEMB_LIST(kCutToolTexts, IDS_CUT_TOOL_FIRST, 0);
constexpr ListLabels kToolLabels = ZEMB_LIST(kToolTexts, IDS_TOOL_PENCIL, 0);
constexpr ListLabels kScaleLabels = ZEMB_LIST(kScaleTexts, IDS_PAPER_SCALE_FIRST, 0);
constexpr ListLabels kOrientationLabels = ZEMB_LIST(kOrientationTexts, 0, IDC_PAPER_PORTRAIT);

constexpr PartLabels kPdPartLabels[] = {
    {"pdEnabled", "ＰＤ最適化", IDC_PD_ENABLED},
    {"pdAngle", "角度：", 0},
    {"pdVertexCount", "頂点数：", 0},
};

// Tab indexes (kPageTitles).
constexpr int kPaper = 0;
constexpr int kEnv = 1;
constexpr int kExtra = 2;
constexpr int kTool = 3;
constexpr int kCatalogue = 4;
constexpr const char kLeafRollMargins[] = "余白設定（リーフ紙／ロール紙）";
constexpr const char kFrameMargins[] = "余白設定(枠切り)";
constexpr const char kTop[] = "上：";
constexpr const char kLeft[] = "左：";
constexpr const char kRight[] = "右：";
constexpr const char kBottom[] = "下：";

constexpr FieldLabels kPenSlotLabels[] = {
    {"toolType", kTool, 0, nullptr, "Tool Type", &kToolLabels},
    {"thickness", kTool, 0, nullptr, "Thick", nullptr},
    {"red", kTool, 0, nullptr, "Color", nullptr},
    {"green", kTool, 0, nullptr, "Color", nullptr},
    {"blue", kTool, 0, nullptr, "Color", nullptr},
    {"colorSet", kTool, 0, nullptr, "Color", nullptr},
};

constexpr FieldLabels kPaperEntryLabels[] = {
    {"name", kCatalogue, 0, nullptr, "用紙名：", nullptr},
    {"width", kCatalogue, 0, nullptr, "用紙幅：", nullptr},
    {"length", kCatalogue, 0, nullptr, "用紙長：", nullptr},
    {"roll", kCatalogue, IDC_CATALOGUE_ROLL, nullptr, "ロール紙(&R)", nullptr},
};

constexpr FieldLabels kRecordLabels[] = {
    {"recordVersion", kNoPage, 0, nullptr, nullptr, nullptr},
    {"outlineSize", kEnv, 0, nullptr, "アウトライン：", &kOutlineLabels},
    {"leafMarginTop", kEnv, 0, kLeafRollMargins, kTop, nullptr},
    {"leafMarginLeft", kEnv, 0, kLeafRollMargins, kLeft, nullptr},
    {"leafMarginRight", kEnv, 0, kLeafRollMargins, kRight, nullptr},
    {"leafMarginBottom", kEnv, 0, kLeafRollMargins, kBottom, nullptr},
    {"rollMarginTop", kEnv, 0, kLeafRollMargins, kTop, nullptr},
    {"rollMarginLeft", kEnv, 0, kLeafRollMargins, kLeft, nullptr},
    {"rollMarginRight", kEnv, 0, kLeafRollMargins, kRight, nullptr},
    {"rollMarginBottom", kEnv, 0, kLeafRollMargins, kBottom, nullptr},
    {"sortMode", kEnv, 0, nullptr, nullptr, &kSortLabels},
    {"recognizePathOverlap", kEnv, IDC_ENV_PATH_OVERLAP, nullptr, "パスの重なりを認識(&U)",
     nullptr},
    {"penOrderOff", kEnv, IDC_ENV_PEN_ORDER, nullptr, "ペン順に出力する(&P)", nullptr},
    {"kanjiCode", kEnv, 0, nullptr, "漢字コード：", &kKanjiLabels},
    {"paperOrigin", kEnv, 0, nullptr, "用紙原点：", &kOriginLabels},
    {"reserved46", kNoPage, 0, nullptr, nullptr, nullptr},
    {"debugMode", kExtra, IDC_DEBUG_MODE, nullptr, "デバグモード", nullptr},
    {"lineOptimizeOff", kEnv, IDC_ENV_LINE_OPTIMIZE, nullptr, "ライン最適化(&L)", nullptr},
    {"errorAdjust", kEnv, IDC_ENV_ERROR_ADJUST, nullptr, "誤差調整(&E)", nullptr},
    {"reserved54", kNoPage, 0, nullptr, nullptr, nullptr},
    {"penSlots", kTool, 0, nullptr, nullptr, nullptr},
    {"frameCut", kEnv, IDC_ENV_FRAME_CUT, nullptr, "枠切りを行う(&F)", nullptr},
    {"frameCutTool", kExtra, 0, nullptr, "ツール(枠切り)：", &kCutToolLabels},
    {"frameMarginTop", kExtra, 0, kFrameMargins, kTop, nullptr},
    {"frameMarginLeft", kExtra, 0, kFrameMargins, kLeft, nullptr},
    {"frameMarginRight", kExtra, 0, kFrameMargins, kRight, nullptr},
    {"frameMarginBottom", kExtra, 0, kFrameMargins, kBottom, nullptr},
    {"rollPageLength", kExtra, 0, nullptr, "ロール紙ページ長さ：", nullptr},
    {"dottedLineCut", kEnv, IDC_ENV_DOTTED_CUT, nullptr, "点線カットを利用(&H)", nullptr},
    {"cutTool", kExtra, 0, nullptr, "カットツール：", &kCutToolLabels},
    {"segmentCutPressure", kExtra, 0, nullptr, "線分カット圧：", nullptr},
    {"gapCutPressure", kExtra, 0, nullptr, "余白カット圧：", nullptr},
    {"segmentLength", kExtra, 0, nullptr, "線分長さ：", nullptr},
    {"gapLength", kExtra, 0, nullptr, "余白長さ：", nullptr},
    {"reserved210", kNoPage, 0, nullptr, nullptr, nullptr},
    {"commPort", kEnv, 0, nullptr, "通信ポート：", &kPortLabels},
    {"baudRate", kEnv, 0, nullptr, "通信速度：", &kBaudLabels},
    {"dataBits", kEnv, 0, nullptr, "データビット：", &kDataBitsLabels},
    {"stopBits", kEnv, 0, nullptr, "ストップビット：", &kStopBitsLabels},
    {"parity", kEnv, 0, nullptr, "パリティチェック：", &kParityLabels},
    {"flowControl", kEnv, 0, nullptr, "フロー制御：", &kFlowLabels},
    {"hostAddress", kExtra, 0, nullptr, "接続先(ホスト)：", nullptr},
    {"hostPort", kExtra, 0, "接続先(ホスト)：", "：", nullptr},
    {"plotterUnit", kExtra, 0, nullptr, "プロッタ単位：", nullptr},
    {"errorRange", kExtra, 0, nullptr, "誤差範囲：", nullptr},
    {"pdOptimize", kExtra, 0, nullptr, nullptr, nullptr, kPdPartLabels},
    {"reserved368", kNoPage, 0, nullptr, nullptr, nullptr},
    {"headerString", kExtra, 0, nullptr, "ヘッダ文字列：", nullptr},
    {"footerString", kExtra, 0, nullptr, "フッタ文字列：", nullptr},
    {"sharedFolder", kExtra, 0, nullptr, "共有フォルダ：", nullptr},
};

} // namespace

constexpr ListLabels kLengthUnitLabels = ZEMB_LIST(kUnitTexts, IDS_UNIT_FIRST, 0);

namespace {

constexpr FieldLabels kCatalogueLabels[] = {
    {"count", kCatalogue, 0, nullptr, nullptr, nullptr, nullptr, "paper count", "count"},
    {"entries", kCatalogue, 0, nullptr, nullptr, nullptr},
    {"reserved6932", kNoPage, 0, nullptr, nullptr, nullptr},
    {"lengthUnit", kCatalogue, 0, nullptr, "単位：", &kLengthUnitLabels, nullptr,
     "stored length unit", "length unit"},
    {"reserved6936", kNoPage, 0, nullptr, nullptr, nullptr},
};

// Page-setup values, in registry order.
constexpr FieldLabels kPageSetupLabels[] = {
    {nullptr, kPaper, 0, "印刷方向", nullptr, &kOrientationLabels},
    {nullptr, kPaper, 0, nullptr, "用紙サイズ：", nullptr},
    {nullptr, kPaper, 0, nullptr, "用紙幅：", nullptr},
    {nullptr, kPaper, 0, nullptr, "用紙長：", nullptr},
    {nullptr, kPaper, 0, nullptr, "縮小/拡大率：", &kScaleLabels},
    {nullptr, kPaper, IDC_PAPER_ROLL, nullptr, "ロール紙(&R)", nullptr},
    {nullptr, kNoPage, 0, nullptr, nullptr, nullptr},
    {nullptr, kNoPage, 0, nullptr, nullptr, nullptr},
    {nullptr, kNoPage, 0, nullptr, nullptr, nullptr},
    {nullptr, kNoPage, 0, nullptr, nullptr, nullptr},
    {nullptr, kNoPage, 0, nullptr, nullptr, nullptr},
    {nullptr, kNoPage, 0, nullptr, nullptr, nullptr},
    {nullptr, kNoPage, 0, nullptr, nullptr, nullptr},
    {nullptr, kNoPage, 0, nullptr, nullptr, nullptr},
    {nullptr, kPaper, 0, nullptr, "印刷範囲：", nullptr},
    {nullptr, kPaper, 0, nullptr, "～", nullptr},
};

#undef ZEMB_LIST

constexpr bool sameName(const char* a, const char* b) {
    if (a == nullptr || b == nullptr)
        return a == b;
    while (*a != '\0' && *a == *b)
        ++a, ++b;
    return *a == *b;
}

// Each row names the storage field at its index, lists have as many texts as
// the field has stored values, packed parts are named in the same order, and
// a bounded field has the names its range messages use.
// The storage pointers are only followed where the kind says they are set:
// UBSan builds cannot compare them with null at compile time.
template <size_t N, size_t M>
constexpr bool parallel(const FieldDesc (&fields)[N], const FieldLabels (&labels)[M]) {
    if (N != M)
        return false;
    for (size_t i = 0; i < N; ++i) {
        const FieldDesc& f = fields[i];
        const FieldLabels& l = labels[i];
        const bool list = f.kind == FieldKind::List;
        const bool parts = f.kind == FieldKind::PdOptimize;
        if (!sameName(f.name, l.name) || list != (l.list != nullptr) ||
            (list && f.list->count != l.list->count) || parts != (l.parts != nullptr) ||
            f.bounded != (l.damageName != nullptr) || f.bounded != (l.refusalName != nullptr))
            return false;
        for (int p = 0; parts && p < f.partCount; ++p)
            if (!sameName(f.parts[p].name, l.parts[p].name))
                return false;
    }
    return true;
}

static_assert(parallel(kPenSlotArray, kPenSlotLabels), "pen slot labels");
static_assert(parallel(kPaperEntryArray, kPaperEntryLabels), "paper entry labels");
static_assert(parallel(kRecordArray, kRecordLabels), "record labels");
static_assert(parallel(kCatalogueArray, kCatalogueLabels), "catalogue labels");
static_assert(parallel(kPageSetupArray, kPageSetupLabels), "page-setup labels");
static_assert(std::size(kPdPartLabels) == std::size(kPdParts), "PD parts");

struct Presented {
    const FieldTable* table;
    const FieldLabels* labels;
};
constexpr Presented kPresented[] = {
    {&kRecordFields, kRecordLabels},       {&kPenSlotFields, kPenSlotLabels},
    {&kCatalogueFields, kCatalogueLabels}, {&kPaperEntryFields, kPaperEntryLabels},
    {&kPageSetupFields, kPageSetupLabels},
};

constexpr FieldLabels kNoLabels = {nullptr, kNoPage, 0, nullptr, nullptr, nullptr};

} // namespace

const char* const kPageTitles[kPageTitleCount] = {"用紙サイズ", "プロッタ環境設定",
                                                  "プロッタ追加設定", "ツール環境設定", "用紙設定"};

const char* const kColourNames[] = {"black", "red",     "green", "blue", "yellow",
                                    "cyan",  "magenta", "white", "none"};
constexpr char kCustomSizeText[] = "カスタム";

const FieldLabels& labelsOf(const FieldDesc& field) {
    for (const Presented& presented : kPresented)
        for (int i = 0; i < presented.table->count; ++i)
            if (&presented.table->fields[i] == &field)
                return presented.labels[i];
    return kNoLabels;
}

std::string withoutMnemonic(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '&' || (i + 1 < text.size() && text[i + 1] == '&' && ++i))
            out += text[i];
    return out;
}
