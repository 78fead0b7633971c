// zembcfg as a user runs it: arguments in, exit status and printed text out,
// on real files whose bytes are set at literal offsets.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bytes.h"
#include "temp_folder.h"
#include "storage/file_io_posix.h"
#include "storage/settings_file.h"
#include "zemb_version.h"
#include "zembcfg/zembcfg.h"

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome zembcfg(const std::vector<std::string>& args) {
    Io io;
    const int status = runZembcfg(args, io);
    return {status, io.out, io.err};
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class Zembcfg : public TempFolder {
  protected:
    Bytes fresh; // a settings file as the settings program creates it

    void SetUp() override {
        TempFolder::SetUp();
        setDocumentsFolder(folder.c_str());
        ASSERT_EQ(loadSettings(), LoadStatus::Created);
        fresh = readAll(folder / "Adobe" / "Illustrator" / "KELDORIX.INI");
        ASSERT_EQ(fresh.size(), 17922u);
    }
    // A copy of the fresh file with some bytes changed.
    std::string changedCopy(const std::string& name, void (*change)(Bytes&)) {
        Bytes bytes = fresh;
        change(bytes);
        return write(name, bytes);
    }
    std::string write(const std::string& name, const Bytes& bytes) {
        writeAll(folder / name, bytes);
        return (folder / name).string();
    }
};

// Code page 932 bytes of the texts the tests store.
const std::string kA2Kai = "A2 \x89\xFC";    // "A2 改"
const std::string kHost = "\x83z\x83X\x83g"; // "ホスト"

void putText(Bytes& bytes, size_t offset, const std::string& text, size_t field) {
    std::fill(bytes.begin() + offset, bytes.begin() + offset + field, 0);
    std::memcpy(bytes.data() + offset, text.data(), text.size());
}

TEST_F(Zembcfg, ShowsAFreshFilePageByPage) {
    const Outcome run = zembcfg({"show", "--file", write("fresh.ini", fresh)});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // Tab order, each page by its own title.
    size_t at = 0;
    for (const char* title : {"\n用紙サイズ\n", "\nプロッタ環境設定\n", "\nプロッタ追加設定\n",
                              "\nツール環境設定\n", "\n用紙設定\n"}) {
        const size_t found = run.out.find(title, at);
        ASSERT_NE(found, std::string::npos) << title;
        at = found;
    }
    for (const char* line : {
             "registry of the Windows machine",
             "  stored length unit inch  [catalogue.lengthUnit 0]\n",
             "  余白設定（リーフ紙／ロール紙） 上： 15 mm (0.591 inch)  [record.leafMarginTop "
             "15]\n",
             "  通信ポート： COM1  [record.commPort 0]\n",
             "  漢字コード： GRAPHTEC(CA101 + JIS)  [record.kanjiCode 2]\n",
             "  sortMode オブジェクトソート(O)  [record.sortMode 1]\n",
             "  ペン順に出力する(P) [x]  [record.penOrderOff 0]\n",
             "  誤差調整(E) [ ]  [record.errorAdjust 0]\n",
             "  ロール紙ページ長さ： 3000 mm (118.110 inch)  [record.rollPageLength 3000]\n",
             "  フッタ文字列： \"PG;\"  [record.footerString \"PG;\"]\n",
             "ＰＤ最適化 [ ]  角度： 30  頂点数： 512 (unset)  [record.pdOptimize 0]\n",
             "  1    水性ボールペン / 0.00 / red\n",
             "  5    プラスチックペン / 0.50 / none\n",
             "  8    ペン型カッター / 0.00 / none\n",
             "  11 paper sizes  [catalogue.count 11]\n",
             "  2   \"A1(横)\"  841 × 594 mm  [ ]\n",
             "  10  \"Roll(920)\"  920 × 3000 mm  [x]\n",
             "  reserved46 40  [record.reserved46 40]\n",
         })
        EXPECT_TRUE(contains(run.out, line)) << line << "\n" << run.out;
    EXPECT_FALSE(contains(run.out, "(!)")) << run.out;
}

TEST_F(Zembcfg, ShowsEveryFieldAsItsPageDoes) {
    struct Case {
        size_t offset;
        int width; // 2 or 4
        int32_t value;
        const char* shown;
    } cases[] = {
        {8472, 2, 2, "  stored length unit pixel  [catalogue.lengthUnit 2]\n"},
        {4, 2, 7, "  アウトライン： 未使用  [record.outlineSize 7]\n"},
        {6, 4, 20, "上： 20 mm (56.69 pixel)  [record.leafMarginTop 20]\n"},
        {38, 2, 2, "  sortMode ベクトルソート(V)  [record.sortMode 2]\n"},
        {40, 2, 0, "  パスの重なりを認識(U) [ ]  [record.recognizePathOverlap 0]\n"},
        {42, 2, 1, "  ペン順に出力する(P) [ ]  [record.penOrderOff 1]\n"},
        {44, 2, 1, "  漢字コード： MIMAKI(JK + 区点)  [record.kanjiCode 1]\n"},
        {46, 2, 1, "  用紙原点： 用紙左下  [record.paperOrigin 1]\n"},
        {48, 2, 41, "  reserved46 41  [record.reserved46 41]\n"},
        {50, 2, 1, "  デバグモード [x]  [record.debugMode 1]\n"},
        {52, 2, 1, "  ライン最適化(L) [ ]  [record.lineOptimizeOff 1]\n"},
        {58 + 12 * 9, 2, 11, "  10   両刃カッター / 1.25 / magenta\n"},
        {60 + 12 * 9, 2, 125, nullptr},
        {62 + 12 * 9, 2, 10000, nullptr},
        {66 + 12 * 9, 2, 10000, nullptr},
        {68 + 12 * 9, 2, 1, nullptr},
        {180, 2, 10, "  ツール(枠切り)： 10  [record.frameCutTool 10]\n"},
        {198, 2, 1000,
         "  ロール紙ページ長さ： 1000 mm (2834.65 pixel)  [record.rollPageLength 1000]\n"},
        {214, 2, -1, "  通信ポート： TCP/IP(PRICOM 3100)  [record.commPort -1]\n"},
        {216, 2, 8, "  通信速度： 57600 bps  [record.baudRate 8]\n"},
        {224, 2, 2, "  フロー制御： CTS/DTR(ハード)  [record.flowControl 2]\n"},
        {354, 4, -25536, "  接続先(ホスト)： ： -25536  [record.hostPort -25536]\n"},
        {366, 4, 19726436,
         "ＰＤ最適化 [x]  角度： 45  頂点数： 100  [record.pdOptimize 19726436]\n"},
        {1538, 2, 4, "  4 paper sizes  [catalogue.count 4]\n"},
        {1540 + 70 * 3 + 68, 2, 1, "  3   \"A2 改\"  420 × 594 mm  [x]\n"},
    };
    Bytes bytes = fresh;
    for (const Case& c : cases)
        c.width == 2 ? put16(bytes, c.offset, static_cast<int16_t>(c.value))
                     : put32(bytes, c.offset, c.value);
    putText(bytes, 1540 + 70 * 3, kA2Kai, 64);
    putText(bytes, 226, kHost, 128);
    const Outcome run = zembcfg({"show", "--file", write("changed.ini", bytes)});
    EXPECT_EQ(run.status, 0);
    for (const Case& c : cases) {
        if (c.shown) {
            EXPECT_TRUE(contains(run.out, c.shown)) << c.shown << "\n" << run.out;
        }
    }
    EXPECT_TRUE(
        contains(run.out, "  接続先(ホスト)： \"ホスト\"  [record.hostAddress \"ホスト\"]\n"));
    EXPECT_FALSE(contains(run.out, "\"Roll(920)\"")) << "only the entries in use";
    EXPECT_FALSE(contains(run.out, "(!)")) << run.out;
}

TEST_F(Zembcfg, ShowMarksWhatThePagesCannotShow) {
    Bytes bytes = fresh;
    put16(bytes, 214, 9);                                       // commPort: no such port
    put16(bytes, 58, 13);                                       // pen 1 tool
    put16(bytes, 62, 5000);                                     // pen 1 red
    put16(bytes, 40, 2);                                        // a check box field
    put16(bytes, 8472, 7);                                      // stored unit
    std::fill(bytes.begin() + 1540, bytes.begin() + 1604, 'A'); // name without terminator
    const Outcome run = zembcfg({"show", "--file", write("damaged.ini", bytes)});
    EXPECT_EQ(run.status, 0);
    for (const char* line : {
             "  通信ポート： 9 (!)  [record.commPort 9]\n",
             "  stored length unit 7 (!)  [catalogue.lengthUnit 7]\n",
             "上： 15 mm  [record.leafMarginTop 15]\n", // an unknown unit shows mm only
             "  1    13 (!) / 0.00 / black (!) [red 5000 green 0 blue 0 colorSet 1]\n",
             "  パスの重なりを認識(U) [x] (!)  [record.recognizePathOverlap 2]\n",
             "  0   \"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\" (!)",
             "\n(!) a value the settings program cannot show as stored; see zembcfg check\n",
         })
        EXPECT_TRUE(contains(run.out, line)) << line << "\n" << run.out;

    // A short file: what lies beyond its end is said to be missing.
    const Outcome shortRun =
        zembcfg({"show", "--file", write("short.ini", Bytes(fresh.begin(), fresh.begin() + 100))});
    EXPECT_EQ(shortRun.status, 0);
    EXPECT_TRUE(contains(shortRun.out, "  100 bytes, version word 302\n"));
    EXPECT_TRUE(contains(shortRun.out, "[record.hostPort (beyond the end of the file)]"))
        << shortRun.out;
    EXPECT_TRUE(contains(shortRun.out, "  0 paper sizes (!)"));
}

// The JSON holds every field under the code's name with the stored value.
TEST_F(Zembcfg, JsonEqualsTheFileAtLiteralOffsets) {
    Bytes bytes = fresh;
    put16(bytes, 214, -3);
    put32(bytes, 366, 19726436);
    put16(bytes, 56, 7);    // reserved54
    put16(bytes, 8470, -2); // catalogue.reserved6932
    putText(bytes, 1540 + 70 * 3, kA2Kai, 64);
    putText(bytes, 226, kHost, 128);
    const Outcome run = zembcfg({"show", "--json", "--file", write("j.ini", bytes)});
    ASSERT_EQ(run.status, 0);
    const nlohmann::json doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["size"], 17922);
    EXPECT_EQ(doc["version"], 302);
    const auto& r = doc["record"];
    struct Int {
        const char* key;
        size_t offset;
        int width;
    } ints[] = {
        {"recordVersion", 2, 2},     {"outlineSize", 4, 2},    {"leafMarginTop", 6, 4},
        {"rollMarginBottom", 34, 4}, {"penOrderOff", 42, 2},   {"reserved46", 48, 2},
        {"reserved54", 56, 2},       {"frameCutTool", 180, 2}, {"frameMarginBottom", 194, 4},
        {"rollPageLength", 198, 2},  {"reserved210", 212, 2},  {"commPort", 214, 2},
        {"flowControl", 224, 2},     {"hostPort", 354, 4},     {"errorRange", 362, 4},
        {"pdOptimize", 366, 4},      {"reserved368", 370, 4}};
    for (const Int& f : ints)
        EXPECT_EQ(r[f.key].get<int64_t>(),
                  f.width == 2 ? le16(bytes.data(), f.offset) : le32(bytes.data(), f.offset))
            << f.key;
    EXPECT_EQ(r.size(), 50u) << "every record field, reserved ones included";
    EXPECT_EQ(r["hostAddress"], "ホスト");
    EXPECT_EQ(r["footerString"], "PG;");
    ASSERT_EQ(r["penSlots"].size(), 10u);
    for (int pen = 0; pen < 10; ++pen) {
        const size_t base = 58 + 12 * static_cast<size_t>(pen);
        const char* keys[] = {"toolType", "thickness", "red", "green", "blue", "colorSet"};
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(r["penSlots"][pen][keys[k]].get<int>(), le16(bytes.data(), base + 2 * k));
    }
    const auto& c = doc["catalogue"];
    EXPECT_EQ(c["count"], 11);
    EXPECT_EQ(c["lengthUnit"], le16(bytes.data(), 8472));
    EXPECT_EQ(c["reserved6932"], -2);
    EXPECT_EQ(c["reserved6936"], 0);
    ASSERT_EQ(c["entries"].size(), 11u);
    EXPECT_EQ(c["entries"][3]["name"], "A2 改");
    EXPECT_EQ(c["entries"][0]["length"], 1190);
    EXPECT_EQ(c["entries"][7]["roll"], 1);
    EXPECT_FALSE(doc.contains("pageSetup")) << "the registry is on Windows only";
}

TEST_F(Zembcfg, CheckReportsEachKindOfDamage) {
    struct Case {
        const char* name;
        void (*damage)(Bytes&);
        const char* line;
    } cases[] = {
        {"version", [](Bytes& b) { put16(b, 0, 301); },
         "offset 0 version: version word 301, not 302"},
        {"short", [](Bytes& b) { b.resize(100); },
         "offset 100 file: 100 bytes, shorter than 17922\noffset 2 record: incomplete, 98 of 756 "
         "bytes\noffset 758 gap758: missing\noffset 1538 catalogue: missing\n"},
        {"count high, the 99th entry still read",
         [](Bytes& b) {
             put16(b, 1538, 100);
             put16(b, 8400, 0x4085); // a code page 932 lead byte with no character
         },
         "offset 1538 catalogue.count: paper count 100, outside 0..99\nnote: offset 8400 "
         "catalogue.entries[98].name: not valid code-page-932 text"},
        {"count negative", [](Bytes& b) { put16(b, 1538, -1); },
         "offset 1538 catalogue.count: paper count -1, outside 0..99"},
        {"name", [](Bytes& b) { std::fill(b.begin() + 1610, b.begin() + 1674, 'N'); },
         "offset 1610 catalogue.entries[1].name: no terminator within its 64 bytes"},
        {"text", [](Bytes& b) { std::fill(b.begin() + 502, b.begin() + 630, 'x'); },
         "offset 502 record.footerString: no terminator within its 128 bytes"},
        {"unit", [](Bytes& b) { put16(b, 8472, 3); },
         "offset 8472 catalogue.lengthUnit: stored length unit 3, outside 0..2"},
        {"outlineSize", [](Bytes& b) { put16(b, 4, 8); },
         "offset 4 record.outlineSize: 8 is no item of its list"},
        {"kanjiCode", [](Bytes& b) { put16(b, 44, 3); }, "offset 44 record.kanjiCode: 3 is no"},
        {"paperOrigin", [](Bytes& b) { put16(b, 46, -1); }, "offset 46 record.paperOrigin: -1 is"},
        {"commPort", [](Bytes& b) { put16(b, 214, 7); }, "offset 214 record.commPort: 7 is no"},
        {"commPort -5", [](Bytes& b) { put16(b, 214, -5); }, "offset 214 record.commPort: -5 is"},
        {"baudRate", [](Bytes& b) { put16(b, 216, 9); }, "offset 216 record.baudRate: 9 is no"},
        {"dataBits", [](Bytes& b) { put16(b, 218, 2); }, "offset 218 record.dataBits: 2 is no"},
        {"stopBits", [](Bytes& b) { put16(b, 220, 3); }, "offset 220 record.stopBits: 3 is no"},
        {"parity", [](Bytes& b) { put16(b, 222, 3); }, "offset 222 record.parity: 3 is no"},
        {"flowControl", [](Bytes& b) { put16(b, 224, 3); }, "offset 224 record.flowControl: 3 is"},
        {"sortMode", [](Bytes& b) { put16(b, 38, 3); }, "offset 38 record.sortMode: 3 is no"},
        {"frameCutTool", [](Bytes& b) { put16(b, 180, 0); }, "offset 180 record.frameCutTool: 0"},
        {"cutTool", [](Bytes& b) { put16(b, 202, 11); }, "offset 202 record.cutTool: 11 is no"},
        {"toolType", [](Bytes& b) { put16(b, 58 + 36, 12); },
         "offset 94 record.penSlots[3].toolType: 12 is no item of its list"},
        {"component", [](Bytes& b) { put16(b, 58 + 12 + 6, 5000); },
         "offset 76 record.penSlots[1].green: colour component 5000, not 0 or 10000"},
        {"colorSet", [](Bytes& b) { put16(b, 58 + 10, 2); },
         "offset 68 record.penSlots[0].colorSet: 2, not 0 or 1"},
        {"check box", [](Bytes& b) { put16(b, 40, 2); },
         "offset 40 record.recognizePathOverlap: 2, not 0 or 1"},
        {"inverted check box", [](Bytes& b) { put16(b, 52, -1); },
         "offset 52 record.lineOptimizeOff: -1, not 0 or 1"},
        {"roll", [](Bytes& b) { put16(b, 1540 + 68, 3); },
         "offset 1608 catalogue.entries[0].roll: 3, not 0 or 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = changedCopy("damaged.ini", c.damage);
        const Outcome run = zembcfg({"check", "--file", path});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(contains(run.out, c.line)) << run.out;
        EXPECT_TRUE(contains(run.out, path + ": 1 problem\n") || std::string(c.name) == "short")
            << run.out;
    }
}

TEST_F(Zembcfg, CheckPassesSoundFilesWithNotes) {
    const std::string path = write("fresh.ini", fresh);
    const Outcome run = zembcfg({"check", "--file", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "note: offset 366 record.pdOptimize: 0 is unset: the settings program shows "
                       "it as not enabled, angle 30 and 512 vertices, and stores that after OK\n" +
                           path + ": sound\n");

    Bytes longer = fresh;
    longer.resize(18000, 0xAB);
    const Outcome longRun = zembcfg({"check", "--file", write("long.ini", longer)});
    EXPECT_EQ(longRun.status, 0);
    EXPECT_TRUE(contains(longRun.out, "note: offset 17922 file: 78 bytes beyond offset 17921"));

    const Outcome missing = zembcfg({"check", "--file", (folder / "none.ini").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(contains(missing.out, "offset 0 file: missing: " + (folder / "none.ini").string()));
}

TEST_F(Zembcfg, DiffNamesEachChangedFieldAndUncoveredBytes) {
    const std::string original = write("a.ini", fresh);
    const Outcome same = zembcfg({"diff", original, write("b.ini", fresh)});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");

    struct Case {
        const char* name;
        void (*change)(Bytes&);
        const char* lines;
    } cases[] = {
        {"record field", [](Bytes& b) { put32(b, 6, 20); }, "record.leafMarginTop: 15 → 20\n"},
        {"pen", [](Bytes& b) { put16(b, 58 + 36 + 4, 10000); },
         "record.penSlots[3].red: 0 → 10000\n"},
        {"catalogue name", [](Bytes& b) { putText(b, 1540 + 70 * 3, kA2Kai, 64); },
         "catalogue.entries[3].name: \"A2\" → \"A2 改\"\n"},
        {"carried region", [](Bytes& b) { b[9800] = 7, b[9801] = 8; },
         "bytes 9800..9801 (carried): differ\n"},
        {"after a terminator", [](Bytes& b) { b[1540 + 3] = 'X'; },
         "bytes 1543..1543 (catalogue): differ\n"},
        {"new entry",
         [](Bytes& b) {
             put16(b, 1538, 12);
             putText(b, 1540 + 70 * 11, "A4", 64);
         },
         "catalogue.count: 11 → 12\ncatalogue.entries[11].name: (free slot) → \"A4\"\n"
         "catalogue.entries[11].width: (free slot) → 0\n"
         "catalogue.entries[11].length: (free slot) → 0\n"
         "catalogue.entries[11].roll: (free slot) → 0\n"},
        {"longer", [](Bytes& b) { b.resize(17930, 1); },
         "size: 17922 → 17930 bytes\nbytes 17922..17929 (beyond offset 17921): only in B\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string changed = changedCopy("b.ini", c.change);
        const Outcome run = zembcfg({"diff", original, changed});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "--- " + original + "\n+++ " + changed + "\n" + c.lines);
    }
}

TEST_F(Zembcfg, UsageAndUnreadableFilesExitTwo) {
    const std::string missing = (folder / "none.ini").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"show"}, 2, "", "zembcfg: no settings file given: use --file PATH\n"},
        {{"show", "--file", missing}, 2, "", "none.ini: no such file\n"},
        {{"diff", missing, missing}, 2, "", "none.ini: no such file\n"},
        {{"diff", missing}, 2, "", "B is required"},
        {{"show", "--bogus"}, 2, "", "--bogus"},
        {{}, 2, "", "A subcommand is required"},
        {{"--help"}, 0, "Subcommands:\n  show", ""},
        {{"check", "--help"}, 0, "--file", ""},
        {{"--version"}, 0, "zembcfg " ZEMB_VERSION_TEXT "\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0] + " " + std::to_string(c.args.size()));
        const Outcome run = zembcfg(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(contains(run.out, c.out)) << run.out;
        EXPECT_TRUE(contains(run.err, c.err)) << run.err;
        if (c.status == 2) {
            EXPECT_EQ(run.out, "");
        }
    }
}

} // namespace
