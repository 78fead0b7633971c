#include "settings/record_fields.h"

#include <iterator>
#include <type_traits>

#include "resources/resource_ids.h"
#include "settings/catalogue.h"
#include "settings/cp932_text.h"
#include "settings/page_setup.h"
#include "settings/record.h"
#include "settings/settings_file.h"
#include "settings/stored_values.h"

namespace {

// Stored values of list items where they are not the position; the pages'
// own rules, so the tables cannot disagree with what the pages store.
int cutToolAt(int position) {
    return toolNumberAt(position);
}
int penToolAt(int position) {
    return toolTypeForItem(position);
}
int scaleAt(int position) {
    return scaleAtPosition(position);
}

#define ZEMB_LIST(texts, firstString, firstControl, valueAt)                                       \
    FieldList {                                                                                    \
        texts, static_cast<int>(std::size(texts)), firstString, firstControl, valueAt              \
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
// The colour list paints swatches and has no texts: these name them.
constexpr const char* kColourTexts[] = {"black", "red",     "green", "blue", "yellow",
                                        "cyan",  "magenta", "white", "none"};
constexpr const char* kScaleTexts[] = {"1000%", "500%", "400%", "300%",   "200%", "150%",
                                       "100%",  "75%",  "50%",  "33.33%", "25%",  "10%"};
constexpr const char* kOrientationTexts[] = {"縦(&P)", "横(&L)"};

constexpr FieldList kOutlineList = ZEMB_LIST(kOutlineTexts, IDS_ENV_OUTLINE_FIRST, 0, nullptr);
constexpr FieldList kKanjiList = ZEMB_LIST(kKanjiTexts, IDS_ENV_KANJI_FIRST, 0, nullptr);
constexpr FieldList kOriginList = ZEMB_LIST(kOriginTexts, IDS_ENV_ORIGIN_FIRST, 0, nullptr);
constexpr FieldList kSortList = ZEMB_LIST(kSortTexts, 0, IDC_ENV_SORT_NONE, nullptr);
constexpr FieldList kBaudList = ZEMB_LIST(kBaudTexts, IDS_ENV_BAUD_FIRST, 0, nullptr);
constexpr FieldList kDataBitsList = ZEMB_LIST(kDataBitsTexts, IDS_ENV_DATA_BITS_FIRST, 0, nullptr);
constexpr FieldList kStopBitsList = ZEMB_LIST(kStopBitsTexts, IDS_ENV_STOP_BITS_FIRST, 0, nullptr);
constexpr FieldList kParityList = ZEMB_LIST(kParityTexts, IDS_ENV_PARITY_FIRST, 0, nullptr);
constexpr FieldList kFlowList = ZEMB_LIST(kFlowTexts, IDS_ENV_FLOW_FIRST, 0, nullptr);
constexpr FieldList kCutToolList = ZEMB_LIST(kCutToolTexts, IDS_CUT_TOOL_FIRST, 0, cutToolAt);
constexpr FieldList kToolList = ZEMB_LIST(kToolTexts, IDS_TOOL_PENCIL, 0, penToolAt);
constexpr FieldList kScaleList = ZEMB_LIST(kScaleTexts, IDS_PAPER_SCALE_FIRST, 0, scaleAt);
constexpr FieldList kOrientationList = ZEMB_LIST(kOrientationTexts, 0, IDC_PAPER_PORTRAIT, nullptr);

constexpr FieldPart kPdParts[] = {
    {"pdEnabled", "ＰＤ最適化", IDC_PD_ENABLED, FieldKind::Flag, pdEnabled},
    {"pdAngle", "角度：", 0, FieldKind::Integer, pdAngle},
    {"pdVertexCount", "頂点数：", 0, FieldKind::Integer, pdVertexCount},
};

template <typename T> constexpr bool kSignedMember = std::is_signed_v<T>;

// Offset, width and signedness come from the structure itself; the checks
// below make sure the table leaves no byte of it out.
#define ZEMB_FIELD(S, member, kind, page, control, group, label, list)                             \
    FieldDesc {                                                                                    \
#member, offsetof(S, member), sizeof(S::member), kSignedMember < decltype(S::member)>,     \
            FieldKind::kind, page, control, group, label, list, nullptr, 0, nullptr, 0             \
    }
#define ZEMB_SLOTS(S, member, page, table)                                                         \
    FieldDesc {                                                                                    \
#member, offsetof(S, member), sizeof(S::member), false, FieldKind::Slots, page, 0,         \
            nullptr, nullptr, nullptr, &table,                                                     \
            static_cast < int>(sizeof(S::member) / sizeof(S::member[0])), nullptr, 0               \
    }

// Tab indexes, in the order the sheet creates its pages (kPageTitles).
constexpr int kPaper = 0;
constexpr int kEnv = 1;
constexpr int kExtra = 2;
constexpr int kTool = 3;
constexpr int kCatalogue = 4;
constexpr int kNoPage = -1;
constexpr const char kLeafRollMargins[] = "余白設定（リーフ紙／ロール紙）";
constexpr const char kFrameMargins[] = "余白設定(枠切り)";
constexpr const char kTop[] = "上：";
constexpr const char kLeft[] = "左：";
constexpr const char kRight[] = "右：";
constexpr const char kBottom[] = "下：";

constexpr FieldDesc kPenSlotArray[] = {
    ZEMB_FIELD(PenSlot, toolType, List, kTool, 0, nullptr, "Tool Type", &kToolList),
    ZEMB_FIELD(PenSlot, thickness, Hundredths, kTool, 0, nullptr, "Thick", nullptr),
    ZEMB_FIELD(PenSlot, red, Component, kTool, 0, nullptr, "Color", nullptr),
    ZEMB_FIELD(PenSlot, green, Component, kTool, 0, nullptr, "Color", nullptr),
    ZEMB_FIELD(PenSlot, blue, Component, kTool, 0, nullptr, "Color", nullptr),
    ZEMB_FIELD(PenSlot, colorSet, Flag, kTool, 0, nullptr, "Color", nullptr),
};

constexpr FieldDesc kPaperEntryArray[] = {
    ZEMB_FIELD(PaperEntry, name, Text, kCatalogue, 0, nullptr, "用紙名：", nullptr),
    ZEMB_FIELD(PaperEntry, width, Length, kCatalogue, 0, nullptr, "用紙幅：", nullptr),
    ZEMB_FIELD(PaperEntry, length, Length, kCatalogue, 0, nullptr, "用紙長：", nullptr),
    ZEMB_FIELD(PaperEntry, roll, Flag, kCatalogue, IDC_CATALOGUE_ROLL, nullptr, "ロール紙(&R)",
               nullptr),
};

} // namespace

constexpr FieldTable kPenSlotFields = {kPenSlotArray, static_cast<int>(std::size(kPenSlotArray)),
                                       sizeof(PenSlot)};
constexpr FieldTable kPaperEntryFields = {
    kPaperEntryArray, static_cast<int>(std::size(kPaperEntryArray)), sizeof(PaperEntry)};
constexpr FieldList kLengthUnitList = ZEMB_LIST(kUnitTexts, IDS_UNIT_FIRST, 0, nullptr);
constexpr FieldList kColourList = ZEMB_LIST(kColourTexts, 0, 0, nullptr);
constexpr FieldList kCommPortList =
    ZEMB_LIST(kPortTexts, IDS_ENV_PORT_FIRST, 0, portCodeForListPosition);
constexpr char kCustomSizeText[] = "カスタム";

namespace {

constexpr FieldDesc kRecordArray[] = {
    ZEMB_FIELD(PlotterRecord, recordVersion, Reserved, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_FIELD(PlotterRecord, outlineSize, List, kEnv, 0, nullptr, "アウトライン：", &kOutlineList),
    ZEMB_FIELD(PlotterRecord, leafMarginTop, Length, kEnv, 0, kLeafRollMargins, kTop, nullptr),
    ZEMB_FIELD(PlotterRecord, leafMarginLeft, Length, kEnv, 0, kLeafRollMargins, kLeft, nullptr),
    ZEMB_FIELD(PlotterRecord, leafMarginRight, Length, kEnv, 0, kLeafRollMargins, kRight, nullptr),
    ZEMB_FIELD(PlotterRecord, leafMarginBottom, Length, kEnv, 0, kLeafRollMargins, kBottom,
               nullptr),
    ZEMB_FIELD(PlotterRecord, rollMarginTop, Length, kEnv, 0, kLeafRollMargins, kTop, nullptr),
    ZEMB_FIELD(PlotterRecord, rollMarginLeft, Length, kEnv, 0, kLeafRollMargins, kLeft, nullptr),
    ZEMB_FIELD(PlotterRecord, rollMarginRight, Length, kEnv, 0, kLeafRollMargins, kRight, nullptr),
    ZEMB_FIELD(PlotterRecord, rollMarginBottom, Length, kEnv, 0, kLeafRollMargins, kBottom,
               nullptr),
    ZEMB_FIELD(PlotterRecord, sortMode, List, kEnv, 0, nullptr, nullptr, &kSortList),
    ZEMB_FIELD(PlotterRecord, recognizePathOverlap, Flag, kEnv, IDC_ENV_PATH_OVERLAP, nullptr,
               "パスの重なりを認識(&U)", nullptr),
    ZEMB_FIELD(PlotterRecord, penOrderOff, InvertedFlag, kEnv, IDC_ENV_PEN_ORDER, nullptr,
               "ペン順に出力する(&P)", nullptr),
    ZEMB_FIELD(PlotterRecord, kanjiCode, List, kEnv, 0, nullptr, "漢字コード：", &kKanjiList),
    ZEMB_FIELD(PlotterRecord, paperOrigin, List, kEnv, 0, nullptr, "用紙原点：", &kOriginList),
    ZEMB_FIELD(PlotterRecord, reserved46, Reserved, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_FIELD(PlotterRecord, debugMode, Flag, kExtra, IDC_DEBUG_MODE, nullptr, "デバグモード",
               nullptr),
    ZEMB_FIELD(PlotterRecord, lineOptimizeOff, InvertedFlag, kEnv, IDC_ENV_LINE_OPTIMIZE, nullptr,
               "ライン最適化(&L)", nullptr),
    ZEMB_FIELD(PlotterRecord, errorAdjust, Flag, kEnv, IDC_ENV_ERROR_ADJUST, nullptr,
               "誤差調整(&E)", nullptr),
    ZEMB_FIELD(PlotterRecord, reserved54, Reserved, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_SLOTS(PlotterRecord, penSlots, kTool, kPenSlotFields),
    ZEMB_FIELD(PlotterRecord, frameCut, Flag, kEnv, IDC_ENV_FRAME_CUT, nullptr, "枠切りを行う(&F)",
               nullptr),
    ZEMB_FIELD(PlotterRecord, frameCutTool, List, kExtra, 0, nullptr, "ツール(枠切り)：",
               &kCutToolList),
    ZEMB_FIELD(PlotterRecord, frameMarginTop, Length, kExtra, 0, kFrameMargins, kTop, nullptr),
    ZEMB_FIELD(PlotterRecord, frameMarginLeft, Length, kExtra, 0, kFrameMargins, kLeft, nullptr),
    ZEMB_FIELD(PlotterRecord, frameMarginRight, Length, kExtra, 0, kFrameMargins, kRight, nullptr),
    ZEMB_FIELD(PlotterRecord, frameMarginBottom, Length, kExtra, 0, kFrameMargins, kBottom,
               nullptr),
    ZEMB_FIELD(PlotterRecord, rollPageLength, Length, kExtra, 0, nullptr, "ロール紙ページ長さ：",
               nullptr),
    ZEMB_FIELD(PlotterRecord, dottedLineCut, Flag, kEnv, IDC_ENV_DOTTED_CUT, nullptr,
               "点線カットを利用(&H)", nullptr),
    ZEMB_FIELD(PlotterRecord, cutTool, List, kExtra, 0, nullptr, "カットツール：", &kCutToolList),
    ZEMB_FIELD(PlotterRecord, segmentCutPressure, Integer, kExtra, 0, nullptr, "線分カット圧：",
               nullptr),
    ZEMB_FIELD(PlotterRecord, gapCutPressure, Integer, kExtra, 0, nullptr, "余白カット圧：",
               nullptr),
    ZEMB_FIELD(PlotterRecord, segmentLength, Integer, kExtra, 0, nullptr, "線分長さ：", nullptr),
    ZEMB_FIELD(PlotterRecord, gapLength, Integer, kExtra, 0, nullptr, "余白長さ：", nullptr),
    ZEMB_FIELD(PlotterRecord, reserved210, Reserved, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_FIELD(PlotterRecord, commPort, List, kEnv, 0, nullptr, "通信ポート：", &kCommPortList),
    ZEMB_FIELD(PlotterRecord, baudRate, List, kEnv, 0, nullptr, "通信速度：", &kBaudList),
    ZEMB_FIELD(PlotterRecord, dataBits, List, kEnv, 0, nullptr, "データビット：", &kDataBitsList),
    ZEMB_FIELD(PlotterRecord, stopBits, List, kEnv, 0, nullptr, "ストップビット：", &kStopBitsList),
    ZEMB_FIELD(PlotterRecord, parity, List, kEnv, 0, nullptr, "パリティチェック：", &kParityList),
    ZEMB_FIELD(PlotterRecord, flowControl, List, kEnv, 0, nullptr, "フロー制御：", &kFlowList),
    ZEMB_FIELD(PlotterRecord, hostAddress, Text, kExtra, 0, nullptr, "接続先(ホスト)：", nullptr),
    ZEMB_FIELD(PlotterRecord, hostPort, Integer, kExtra, 0, "接続先(ホスト)：", "：", nullptr),
    ZEMB_FIELD(PlotterRecord, plotterUnit, Integer, kExtra, 0, nullptr, "プロッタ単位：", nullptr),
    ZEMB_FIELD(PlotterRecord, errorRange, Integer, kExtra, 0, nullptr, "誤差範囲：", nullptr),
    FieldDesc{"pdOptimize", offsetof(PlotterRecord, pdOptimize), sizeof(PlotterRecord::pdOptimize),
              true, FieldKind::PdOptimize, kExtra, 0, nullptr, nullptr, nullptr, nullptr, 0,
              kPdParts, static_cast<int>(std::size(kPdParts))},
    ZEMB_FIELD(PlotterRecord, reserved368, Reserved, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_FIELD(PlotterRecord, headerString, Text, kExtra, 0, nullptr, "ヘッダ文字列：", nullptr),
    ZEMB_FIELD(PlotterRecord, footerString, Text, kExtra, 0, nullptr, "フッタ文字列：", nullptr),
    ZEMB_FIELD(PlotterRecord, sharedFolder, Text, kExtra, 0, nullptr, "共有フォルダ：", nullptr),
};

constexpr FieldDesc kCatalogueArray[] = {
    ZEMB_FIELD(PaperCatalogue, count, Integer, kCatalogue, 0, nullptr, nullptr, nullptr),
    ZEMB_SLOTS(PaperCatalogue, entries, kCatalogue, kPaperEntryFields),
    ZEMB_FIELD(PaperCatalogue, reserved6932, Reserved, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_FIELD(PaperCatalogue, lengthUnit, List, kCatalogue, 0, nullptr, "単位：",
               &kLengthUnitList),
    ZEMB_FIELD(PaperCatalogue, reserved6936, Reserved, kNoPage, 0, nullptr, nullptr, nullptr),
};

// Page-setup values: one 32-bit word each, in registry order.
#define ZEMB_WORD(index, kind, page, control, group, label, list)                                  \
    FieldDesc {                                                                                    \
        nullptr, 4 * (index), 4, true, FieldKind::kind, page, control, group, label, list,         \
            nullptr, 0, nullptr, 0                                                                 \
    }
constexpr FieldDesc kPageSetupArray[] = {
    ZEMB_WORD(0, List, kPaper, 0, "印刷方向", nullptr, &kOrientationList),
    ZEMB_WORD(1, PaperSize, kPaper, 0, nullptr, "用紙サイズ：", nullptr),
    ZEMB_WORD(2, Length, kPaper, 0, nullptr, "用紙幅：", nullptr),
    ZEMB_WORD(3, Length, kPaper, 0, nullptr, "用紙長：", nullptr),
    ZEMB_WORD(4, List, kPaper, 0, nullptr, "縮小/拡大率：", &kScaleList),
    ZEMB_WORD(5, Flag, kPaper, IDC_PAPER_ROLL, nullptr, "ロール紙(&R)", nullptr),
    ZEMB_WORD(6, Integer, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_WORD(7, Integer, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_WORD(8, Integer, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_WORD(9, Integer, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_WORD(10, Integer, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_WORD(11, Integer, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_WORD(12, Integer, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_WORD(13, Integer, kNoPage, 0, nullptr, nullptr, nullptr),
    ZEMB_WORD(14, Integer, kPaper, 0, nullptr, "印刷範囲：", nullptr),
    ZEMB_WORD(15, Integer, kPaper, 0, nullptr, "～", nullptr),
};
static_assert(std::size(kPageSetupArray) == kPageSetupValueCount, "one entry per value");

constexpr uint32_t fieldBytes(const FieldDesc& field) {
    return field.kind == FieldKind::Slots ? field.slots->size * field.slotCount : field.width;
}

// Every byte of the structure belongs to exactly one field, in order, and
// each field has a width its kind can have.
constexpr bool coversExactly(const FieldDesc* fields, size_t count, uint32_t size) {
    uint32_t at = 0;
    for (size_t i = 0; i < count; ++i) {
        const FieldDesc& f = fields[i];
        if (f.offset != at || fieldBytes(f) != f.width)
            return false;
        const bool integer = f.width == 2 || f.width == 4;
        if (f.kind == FieldKind::Text ? f.isSigned || f.width < 2
                                      : f.kind != FieldKind::Slots && (!integer || !f.isSigned))
            return false;
        if (f.kind == FieldKind::List && f.list == nullptr)
            return false;
        at += f.width;
    }
    return at == size;
}

static_assert(coversExactly(kPenSlotArray, std::size(kPenSlotArray), sizeof(PenSlot)),
              "pen slot table");
static_assert(coversExactly(kPaperEntryArray, std::size(kPaperEntryArray), sizeof(PaperEntry)),
              "paper entry table");
static_assert(coversExactly(kRecordArray, std::size(kRecordArray), sizeof(PlotterRecord)),
              "record table");
static_assert(sizeof(PlotterRecord) == kRecordSize, "record block");
static_assert(coversExactly(kCatalogueArray, std::size(kCatalogueArray), sizeof(PaperCatalogue)),
              "catalogue table");
static_assert(sizeof(PaperCatalogue) == kCatalogueSize, "catalogue block");
static_assert(coversExactly(kPageSetupArray, std::size(kPageSetupArray), 4 * kPageSetupValueCount),
              "page-setup table");

constexpr FieldDesc kVersionField = {"version", 0, 2,       false,   FieldKind::Integer,
                                     kNoPage,   0, nullptr, nullptr, nullptr,
                                     nullptr,   0, nullptr, 0};

} // namespace

constexpr FieldTable kRecordFields = {kRecordArray, static_cast<int>(std::size(kRecordArray)),
                                      sizeof(PlotterRecord)};
constexpr FieldTable kCatalogueFields = {
    kCatalogueArray, static_cast<int>(std::size(kCatalogueArray)), sizeof(PaperCatalogue)};
constexpr FieldTable kPageSetupFields = {
    kPageSetupArray, static_cast<int>(std::size(kPageSetupArray)), 4 * kPageSetupValueCount};

constexpr FileBlock kFileBlocks[kFileBlockCount] = {
    {"version", 0, kRecordOffset, nullptr},
    {"record", kRecordOffset, kRecordSize, &kRecordFields},
    {"gap758", kRecordOffset + kRecordSize, kCatalogueOffset - (kRecordOffset + kRecordSize),
     nullptr},
    {"catalogue", kCatalogueOffset, kCatalogueSize, &kCatalogueFields},
    {"gap8476", kCatalogueOffset + kCatalogueSize,
     kCarriedOffset - (kCatalogueOffset + kCatalogueSize), nullptr},
    {"carried", kCarriedOffset, kCarriedSize, nullptr},
    {"tail", kCarriedOffset + kCarriedSize, kSettingsFileSize - (kCarriedOffset + kCarriedSize),
     nullptr},
};

namespace {
constexpr bool blocksCoverFile() {
    uint32_t at = 0;
    for (const FileBlock& block : kFileBlocks) {
        if (block.offset != at || (block.fields && block.fields->size != block.size))
            return false;
        at += block.size;
    }
    return at == kSettingsFileSize;
}
static_assert(blocksCoverFile(), "file blocks");
static_assert(kFileBlocks[2].offset == 758 && kFileBlocks[4].offset == 8476 &&
                  kFileBlocks[6].offset == 17654,
              "file layout");
} // namespace

const char* const kPageTitles[kPageCount] = {"用紙サイズ", "プロッタ環境設定", "プロッタ追加設定",
                                             "ツール環境設定", "用紙設定"};

const FileBlock* fileBlock(std::string_view name) {
    for (const FileBlock& block : kFileBlocks)
        if (name == block.name)
            return &block;
    return nullptr;
}

const FieldDesc* findField(const FieldTable& table, std::string_view name) {
    for (int i = 0; i < table.count; ++i)
        if (table.fields[i].name && name == table.fields[i].name)
            return &table.fields[i];
    return nullptr;
}

int listPositionOf(const FieldList& list, int64_t value) {
    for (int i = 0; i < list.count; ++i)
        if ((list.valueAt ? list.valueAt(i) : i) == value)
            return i;
    return -1;
}

std::string withoutMnemonic(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '&' || (i + 1 < text.size() && text[i + 1] == '&' && ++i))
            out += text[i];
    return out;
}

static void addFields(const FieldTable& table, const std::string& prefix, uint32_t base,
                      int entryCount, int entry, std::vector<FieldRef>* out) {
    for (int i = 0; i < table.count; ++i) {
        const FieldDesc& field = table.fields[i];
        const std::string path = prefix + field.name;
        if (field.kind != FieldKind::Slots) {
            out->push_back({path, &field, base + field.offset, entry});
            continue;
        }
        const bool entries = field.slots == &kPaperEntryFields;
        const int slots = entries ? entryCount : field.slotCount;
        for (int s = 0; s < slots && s < field.slotCount; ++s)
            addFields(*field.slots, path + "[" + std::to_string(s) + "].",
                      base + field.offset + static_cast<uint32_t>(s) * field.slots->size,
                      entryCount, entries ? s : entry, out);
    }
}

std::vector<FieldRef> settingsFields(int entryCount) {
    std::vector<FieldRef> out;
    out.push_back({"version", &kVersionField, 0, -1});
    for (const FileBlock& block : kFileBlocks)
        if (block.fields)
            addFields(*block.fields, std::string(block.name) + ".", block.offset, entryCount, -1,
                      &out);
    return out;
}

bool readFieldInt(const std::vector<unsigned char>& image, uint32_t offset, uint32_t width,
                  bool isSigned, int64_t* value) {
    if (width == 0 || width > 4 || offset > image.size() || image.size() - offset < width)
        return false;
    uint32_t word = 0;
    for (uint32_t i = 0; i < width; ++i)
        word |= static_cast<uint32_t>(image[offset + i]) << (8 * i);
    int64_t v = word;
    const uint32_t signBit = 1u << (8 * width - 1);
    if (isSigned && (word & signBit))
        v -= int64_t{1} << (8 * width);
    *value = v;
    return true;
}

bool readFieldText(const std::vector<unsigned char>& image, uint32_t offset, uint32_t width,
                   std::string* bytes, bool* terminated) {
    if (offset > image.size() || image.size() - offset < width)
        return false;
    const char* field = reinterpret_cast<const char*>(image.data() + offset);
    const size_t length = storedTextLength(field, width);
    bytes->assign(field, length);
    if (terminated)
        *terminated = length < width;
    return true;
}
