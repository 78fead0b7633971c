#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bytes.h"
#include "temp_folder.h"
#include "documents/export_document.h"
#include "settings/default_image.h"
#include "documents/import_plan.h"
#include "zembcfg/zembcfg.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

void putText(Bytes& bytes, size_t offset, const std::string& text) {
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

// Files of every shape the loader takes: random values in every field,
// damaged counts and units, texts without terminator or in no valid code
// page 932, foreign bytes in the gaps and the carried region, short and long.
Bytes randomFile(std::mt19937& random) {
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    Bytes file = defaultSettingsImage();
    for (int i = 0; i < 40; ++i) // record and pen fields, any value
        file[2 + pick(224)] = static_cast<unsigned char>(random());
    for (int i = 0; i < 8; ++i) // inside the texts and after their terminators
        file[226 + pick(532)] = static_cast<unsigned char>(pick(3) == 0 ? 0 : random());
    if (pick(4) == 0) // an unterminated text
        std::fill(file.begin() + 374, file.begin() + 502, 'H');
    if (pick(4) == 0) // a lead byte with no trail byte, and a byte no character starts with
        putText(file, 502, pick(2) ? std::string("PG\x81", 4) : std::string("\xA0\xFD", 3));
    if (pick(3) == 0) // NEC and IBM rows give the same character twice
        putText(file, 630, std::string("\xED\x40\xFA\x5C", 5));
    const int16_t counts[] = {0, 1, 11, 99, 100, -1, 32767};
    put16(file, 1538, counts[pick(7)]);
    for (int i = 0; i < 20; ++i) // names, sizes and free slots
        file[1540 + pick(6930)] = static_cast<unsigned char>(random());
    if (pick(4) == 0)
        std::fill(file.begin() + 1540 + 70, file.begin() + 1540 + 70 + 64, 'N');
    const int16_t units[] = {0, 1, 2, 3, -1};
    put16(file, 8472, units[pick(5)]);
    for (int i = 0; i < 30; ++i) // the gaps, the carried region and the tail
        file[758 + pick(780)] = static_cast<unsigned char>(random()),
                   file[8476 + pick(9446)] = static_cast<unsigned char>(random());
    switch (pick(6)) {
    case 0:
        file.resize(static_cast<size_t>(pick(17922)));
        break;
    case 1:
        for (int i = pick(300); i > 0; --i)
            file.push_back(static_cast<unsigned char>(pick(2) ? random() : 0));
        break;
    }
    return file;
}

TEST(ExportImport, RoundTripOverGeneratedFiles) {
    std::mt19937 random(20261209);
    for (int run = 0; run < 250; ++run) {
        const Bytes file = randomFile(random);
        const std::string document = exportDocument(file, nullptr);
        const ImportPlan plan = planImport(document, "export.toml", nullptr);
        ASSERT_TRUE(plan.problems.empty())
            << "run " << run << ": " << formatProblem("export.toml", plan.problems[0]) << "\n"
            << document;
        ASSERT_TRUE(plan.complete);
        ASSERT_EQ(plan.image, file) << "run " << run << "\n" << document;
        ASSERT_EQ(exportDocument(plan.image, nullptr), document) << "run " << run;
    }
}

TEST(ExportImport, FreshFileHasEmptyRawAndEveryField) {
    const std::string document = exportDocument(defaultSettingsImage(), nullptr);
    const size_t raw = document.find("[raw]\n");
    ASSERT_NE(raw, std::string::npos);
    EXPECT_EQ(document.substr(raw), "[raw]\n");
    for (const char* line :
         {"version = 302\n", "size = 17922\n", "reserved46 = 40\n", "reserved368 = 0\n",
          "footerString = \"PG;\"\n", "hostAddress = \"192.168.0.100\"\n", "lengthUnit = 0",
          "reserved6932 = 0\n", "name = \"A1(横)\"\n"})
        EXPECT_NE(document.find(line), std::string::npos) << line;
}

TEST(ExportImport, DamagedValuesGoToRawWholeWithTheReason) {
    Bytes file = defaultSettingsImage();
    put16(file, 1538, 100);
    put16(file, 8472, 7);
    std::fill(file.begin() + 374, file.begin() + 502, 'H');
    const std::string document = exportDocument(file, nullptr);
    EXPECT_NE(document.find("1538 = \"6400\"  # catalogue count 100 is outside 0..99\n"),
              std::string::npos);
    EXPECT_NE(document.find("8472 = \"0700\"  # catalogue.lengthUnit: length unit 7"),
              std::string::npos);
    const std::string hs = repeated("48", 32);
    EXPECT_NE(document.find("374 = \"" + hs + "\"  # record.headerString: no terminator"),
              std::string::npos);
    EXPECT_NE(document.find("470 = \"" + hs + "\"\n"), std::string::npos);
    EXPECT_EQ(document.find("headerString ="), std::string::npos);
    EXPECT_EQ(document.find("lengthUnit ="), std::string::npos);
    EXPECT_EQ(document.find("[[catalogue.entries]]"), std::string::npos);
}

TEST(ExportImport, EmptyCatalogueIsWrittenAsNoEntries) {
    Bytes file = defaultSettingsImage();
    put16(file, 1538, 0);
    std::fill(file.begin() + 1540, file.begin() + 8470, 0);
    const std::string document = exportDocument(file, nullptr);
    EXPECT_NE(document.find("entries = []\n"), std::string::npos);
}

// Each bad document names its line and key; nothing is built.
TEST(ExportImport, BadDocumentsAreRefusedWithLineAndKey) {
    const std::string full = exportDocument(defaultSettingsImage(), nullptr);
    struct Case {
        std::string document;
        std::string expected;
    } cases[] = {
        {"[recrod]\nleafMarginTop = 1\n", "in.toml:1: recrod: unknown table"},
        {"[record]\nleafMarginTopp = 20\n", "in.toml:2: record.leafMarginTopp: unknown key"},
        {"[record]\nleafMarginTop = \"20\"\n",
         "in.toml:2: record.leafMarginTop: must be an integer"},
        {"[record]\n\nsortMode = 40000\n",
         "in.toml:3: record.sortMode: 40000 is outside -32768..32767"},
        {"[record]\nhostPort = 4294967296\n", "in.toml:2: record.hostPort: 4294967296 is outside"},
        {"[record]\nheaderString = 5\n", "in.toml:2: record.headerString: must be a string"},
        {"[record]\nheaderString = \"\xF0\x9F\x98\x80\"\n",
         "in.toml:2: record.headerString: has a character that code page 932 lacks"},
        {"[record]\nfooterString = \"" + std::string(127, 'x') + "\"\n",
         "in.toml:2: record.footerString: is 127 bytes in code page 932; the field holds 126"},
        {"[record]\nsharedFolder = \"a\\u0000b\"\n",
         "in.toml:2: record.sharedFolder: contains a NUL"},
        {"[[record.penSlots]]\nred = 1\nbleu = 2\n",
         "in.toml:3: record.penSlots[0].bleu: unknown key"},
        {"[[catalogue.entries]]\nname = \"" + repeated("横", 32) + "\"\n",
         "in.toml:2: catalogue.entries[0].name: is 64 bytes in code page 932; the field holds 63"},
        {"[[catalogue.entries]]\nname = \"" + std::string(64, 'A') + "\"\n",
         "in.toml:2: catalogue.entries[0].name: is 64 bytes in code page 932; the field holds 63"},
        {"[record]\npenSlots = [" + repeated("{red = 0},", 11) + "]\n",
         "in.toml:2: record.penSlots: 11 pen slots; the record holds 10"},
        {"[record]\npenSlots = [1]\n", "in.toml:2: record.penSlots[0]: must be a table"},
        {"[catalogue]\nlengthUnit = 3\n",
         "in.toml:2: catalogue.lengthUnit: length unit 3 is outside 0..2"},
        {"[catalogue]\nentries = [" + repeated("{width = 1},", 100) + "]\n",
         "in.toml:2: catalogue.entries: 100 entries; the catalogue holds 99"},
        {"[raw]\n17922 = \"01\"\n",
         "in.toml:2: raw.17922: bytes 17922 to 17922 lie outside the file of 17922 bytes"},
        {"[record]\nleafMarginTop = 20\n[raw]\n8 = \"01\"\n",
         "in.toml:4: raw.8: byte 8 is also set by record.leafMarginTop (line 2)"},
        {"[raw]\n9730 = \"0g\"\n", "in.toml:2: raw.9730: must be a string of hex byte pairs"},
        {"[raw]\nx9730 = \"01\"\n", "in.toml:2: raw.x9730: a raw key is a file offset in decimal"},
        {"[pageSetup]\nSize = 601\nSise = 601\n", "in.toml:3: pageSetup.Sise: unknown key"},
        {"[file]\nversion = 302\nsize = 100\n[record]\nfooterString = \"PG;\"\n",
         "in.toml:5: record.footerString: reaches byte 502, beyond the file's size 100"},
        {"[file]\nversion = 302\n", "in.toml:1: file: needs version and size"},
        {"[record\n", "in.toml:1: syntax:"},
        {"[#", "in.toml:1: syntax: Error while parsing key"},
        {"[record]\nleafMarginTop = 1\xC3\xA9\n", "in.toml:2: syntax:"},
        {"[record]\nleafMarginTop = 1\xE3\x80\x81\n", "in.toml:2: syntax:"},
        {"[record]\nleafMarginTop = 1\xEF\xBC\x81\n", "in.toml:2: syntax:"},
        {full + "[extra]\n", ": extra: unknown table"},
    };
    for (const Case& c : cases) {
        const ImportPlan plan = planImport(c.document, "in.toml", nullptr);
        EXPECT_TRUE(plan.image.empty()) << c.expected;
        std::string report;
        for (const ImportProblem& problem : plan.problems)
            report += formatProblem("in.toml", problem) + "\n";
        EXPECT_NE(report.find(c.expected), std::string::npos) << c.expected << "\ngot:\n" << report;
    }
}

TEST(ExportImport, EveryProblemIsReportedNotOnlyTheFirst) {
    const ImportPlan plan = planImport(
        "[record]\nleafMarginTop = 1.5\nkanjiCode = 99999\n[catalogue]\nlengthUnit = -1\n", "in",
        nullptr);
    ASSERT_EQ(plan.problems.size(), 3u);
    EXPECT_EQ(plan.problems[0].line, 2);
    EXPECT_EQ(plan.problems[1].line, 3);
    EXPECT_EQ(plan.problems[2].line, 5);
}

// A profile changes what it names; every other byte of the current file stays.
TEST(ExportImport, PartialDocumentKeepsWhatItDoesNotName) {
    std::mt19937 random(7);
    Bytes current = randomFile(random);
    current.resize(17922 + 10, 0x5A);
    const ImportPlan plan = planImport("[record]\nleafMarginTop = 20\nleafMarginLeft = -3\n"
                                       "rollMarginBottom = 12\ncommPort = -1\n",
                                       "profile.toml", &current);
    ASSERT_TRUE(plan.problems.empty());
    EXPECT_FALSE(plan.complete);
    Bytes expected = current;
    put32(expected, 6, 20);
    put32(expected, 10, -3);
    put32(expected, 34, 12);
    put16(expected, 214, -1);
    EXPECT_EQ(plan.image, expected);
}

TEST(ExportImport, PartialDocumentWithoutSettingsFileStartsFromDefaults) {
    const ImportPlan plan = planImport("[catalogue]\nentries = []\n", "p", nullptr);
    ASSERT_TRUE(plan.problems.empty());
    Bytes expected = defaultSettingsImage();
    std::fill(expected.begin() + 1538, expected.begin() + 8470, 0);
    EXPECT_EQ(plan.image, expected);
}

// A hand-edited export: a margin changed, a paper size added, a pen's colour.
TEST(ExportImport, HandEditedExportChangesExactlyThoseBytes) {
    const Bytes original = defaultSettingsImage();
    std::string document = exportDocument(original, nullptr);
    auto replace = [&](const std::string& from, const std::string& to) {
        const size_t at = document.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        document.replace(at, from.size(), to);
    };
    replace("leafMarginBottom = 15", "leafMarginBottom = 25");
    replace("red = 10000\ngreen = 0\nblue = 0", "red = 0\ngreen = 10000\nblue = 10000");
    replace("\n\n# Bytes that no value",
            "\n[[catalogue.entries]]\nname = \"B1(横)\"\nwidth = 1030\nlength = 728\nroll = 0\n"
            "\n# Bytes that no value");
    const ImportPlan plan = planImport(document, "edited.toml", nullptr);
    ASSERT_TRUE(plan.problems.empty()) << formatProblem("edited.toml", plan.problems[0]);
    Bytes expected = original;
    put32(expected, 18, 25);
    put16(expected, 62, 0);
    put16(expected, 64, 10000);
    put16(expected, 66, 10000);
    put16(expected, 1538, 12);
    putText(expected, 1540 + 70 * 11, "B1(\x89\xA1)");
    put16(expected, 1540 + 70 * 11 + 64, 1030);
    put16(expected, 1540 + 70 * 11 + 66, 728);
    EXPECT_EQ(plan.image, expected);
}

TEST(ExportImport, PageSetupValuesAreTakenAsGiven) {
    const ImportPlan plan =
        planImport("[pageSetup]\nSize = 999\n\"rPage.left\" = -15\niFstPage = -1\n", "p", nullptr);
    ASSERT_TRUE(plan.problems.empty());
    ASSERT_EQ(plan.pageSetup.size(), 3u);
    EXPECT_EQ(plan.pageSetup[0], (std::pair<int, uint32_t>{1, 999}));
    EXPECT_EQ(plan.pageSetup[1], (std::pair<int, uint32_t>{6, 0xFFFFFFF1u}));
    EXPECT_EQ(plan.pageSetup[2], (std::pair<int, uint32_t>{14, 0xFFFFFFFFu}));
}

class TransferFolder : public TempFolder {
  protected:
    Bytes read(const fs::path& path) {
        Bytes bytes;
        std::string reason;
        EXPECT_EQ(readFileBytes(path.string(), &bytes, &reason), ReadOutcome::Read) << path;
        return bytes;
    }
};

} // namespace

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome zembcfg(const std::vector<std::string>& args) {
    Io io;
    const int status = runZembcfg(args, io);
    return {status, io.out, io.err};
}

class TransferCommands : public TransferFolder {
  protected:
    std::string at(const std::string& name) { return (folder / name).string(); }
    void write(const std::string& name, const Bytes& bytes) {
        std::ofstream out(at(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good()) << name;
    }
    void writeText(const std::string& name, const std::string& text) {
        write(name, Bytes(text.begin(), text.end()));
    }
    size_t files() {
        return static_cast<size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
};

// Export, then import into a folder without a settings file: the same bytes.
TEST_F(TransferCommands, ExportThenImportIntoAnEmptyFolderGivesTheSameFile) {
    std::mt19937 random(42);
    for (int run = 0; run < 12; ++run) {
        const Bytes file = randomFile(random);
        fs::remove_all(folder);
        fs::create_directories(folder / "other");
        write("KELDORIX.INI", file);
        const Outcome exported =
            zembcfg({"export", "--file", at("KELDORIX.INI"), "-o", at("e.toml")});
        ASSERT_EQ(exported.status, 0) << exported.err;
        const Outcome imported =
            zembcfg({"import", at("e.toml"), "--file", at("other/KELDORIX.INI")});
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_EQ(read(folder / "other" / "KELDORIX.INI"), file) << "run " << run;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder / "other"), fs::directory_iterator()),
                  1);
        const Outcome again = zembcfg({"export", "--file", at("other/KELDORIX.INI")});
        EXPECT_EQ(Bytes(again.out.begin(), again.out.end()), read(folder / "e.toml"));
    }
}

TEST_F(TransferCommands, BadDocumentIsRefusedAndNothingIsWritten) {
    const Bytes current = [] {
        std::mt19937 random(3);
        return randomFile(random);
    }();
    write("KELDORIX.INI", current);
    writeText("bad.toml", "[record]\nleafMarginTop = 20\nleafMarginTopp = 20\n[catalogue]\n"
                          "lengthUnit = 9\n");
    const Outcome run = zembcfg({"import", at("bad.toml"), "--file", at("KELDORIX.INI")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(at("bad.toml") + ":3: record.leafMarginTopp: unknown key\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(at("bad.toml") + ":5: catalogue.lengthUnit: length unit 9"),
              std::string::npos);
    EXPECT_EQ(read(folder / "KELDORIX.INI"), current);
    EXPECT_EQ(files(), 2u);
}

TEST_F(TransferCommands, DryRunPrintsTheChangesAndWritesNothing) {
    write("KELDORIX.INI", defaultSettingsImage());
    writeText("profile.toml", "[record]\nleafMarginTop = 20\ncommPort = -1\n");
    const Outcome run =
        zembcfg({"import", at("profile.toml"), "--file", at("KELDORIX.INI"), "--dry-run"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("record.leafMarginTop: 15 → 20"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("record.commPort: 0 → -1"), std::string::npos) << run.out;
    EXPECT_EQ(read(folder / "KELDORIX.INI"), defaultSettingsImage());
    EXPECT_EQ(files(), 2u);
}

TEST_F(TransferCommands, EachImportKeepsTheFileItReplaced) {
    write("KELDORIX.INI", defaultSettingsImage());
    writeText("a.toml", "[record]\nleafMarginTop = 20\n");
    writeText("b.toml", "[record]\nleafMarginTop = 30\n");
    const Outcome first = zembcfg({"import", at("a.toml"), "--file", at("KELDORIX.INI")});
    EXPECT_NE(first.out.find("kept as " + at("KELDORIX.INI.bak")), std::string::npos);
    zembcfg({"import", at("b.toml"), "--file", at("KELDORIX.INI")});
    EXPECT_EQ(read(folder / "KELDORIX.INI.bak"), defaultSettingsImage());
    EXPECT_EQ(le32(read(folder / "KELDORIX.INI.1.bak").data(), 6), 20);
    EXPECT_EQ(le32(read(folder / "KELDORIX.INI").data(), 6), 30);
}

TEST_F(TransferCommands, UnreadableDocumentIsAUsageError) {
    const Outcome run = zembcfg({"import", at("missing.toml"), "--file", at("KELDORIX.INI")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(at("missing.toml")), std::string::npos);
    EXPECT_EQ(files(), 0u);
}

} // namespace

namespace {

TEST_F(TransferCommands, DiffTakesExportDocumentsOnEitherSide) {
    Bytes file = defaultSettingsImage();
    write("a.ini", file);
    put16(file, 2 + 212, -3);
    write("b.ini", file);
    ASSERT_EQ(zembcfg({"export", "--file", at("a.ini"), "-o", at("a.toml")}).status, 0);
    EXPECT_EQ(zembcfg({"diff", at("a.ini"), at("a.toml")}).status, 0);
    const Outcome changed = zembcfg({"diff", at("a.toml"), at("b.ini")});
    EXPECT_EQ(changed.status, 1);
    EXPECT_NE(changed.out.find("record.commPort: 0 → -3\n"), std::string::npos) << changed.out;
    writeText("bad.toml", "[record]\ncommPort = \"COM1\"\n");
    const Outcome refused = zembcfg({"diff", at("a.ini"), at("bad.toml")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find(at("bad.toml") + ":2: record.commPort: must be an integer"),
              std::string::npos);
}

} // namespace
