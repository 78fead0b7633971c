// Presets as the dialog and zembcfg preset meet them: names, the list with
// bad files, apply, save and delete, on real folders.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bytes.h"
#include "presets/presets.h"
#include "settings/default_image.h"
#include "temp_folder.h"
#include "zembcfg/zembcfg.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct NameCase {
    const char* name;
    NameProblem problem;
};

const NameCase kNames[] = {
    {"vinyl", NameProblem::None},
    {"ペンプロッタ 朝", NameProblem::None},
    {"a.b", NameProblem::None},
    {"CON1", NameProblem::None},
    {"COM0", NameProblem::None},
    {"1234567890123456789012345678901234567890123456789012345678901234", NameProblem::None},
    {"12345678901234567890123456789012345678901234567890123456789012345", NameProblem::TooLong},
    {"", NameProblem::Empty},
    {"a/b", NameProblem::ForbiddenChar},
    {"a\\b", NameProblem::ForbiddenChar},
    {"a:b", NameProblem::ForbiddenChar},
    {"a*", NameProblem::ForbiddenChar},
    {"a?", NameProblem::ForbiddenChar},
    {"\"a\"", NameProblem::ForbiddenChar},
    {"<a>", NameProblem::ForbiddenChar},
    {"a|b", NameProblem::ForbiddenChar},
    {"a\tb", NameProblem::ControlChar},
    {"a.", NameProblem::TrailingDotSpace},
    {"a ", NameProblem::TrailingDotSpace},
    {"con", NameProblem::DeviceName},
    {"Nul.txt", NameProblem::DeviceName},
    {"COM9", NameProblem::DeviceName},
    {"lpt1.a", NameProblem::DeviceName},
    {"\xff", NameProblem::NotText},
    {"標準設定", NameProblem::Reserved},
};

TEST(PresetNames, TableOfGoodAndBadNames) {
    for (const NameCase& c : kNames)
        EXPECT_EQ(checkPresetName(c.name), c.problem) << c.name;
}

TEST(PresetNames, CaseIsFoldedBeyondAscii) {
    EXPECT_TRUE(samePresetName("Vinyl", "VINYL"));
    EXPECT_TRUE(samePresetName("ｖｉｎｙｌ", "ＶＩＮＹＬ")); // full-width
    EXPECT_TRUE(samePresetName("éπж", "ÉΠЖ"));
    EXPECT_FALSE(samePresetName("vinyl", "ｖｉｎｙｌ"));
}

class Presets : public TempFolder {
  protected:
    PresetFolders folders;
    fs::path own, shared;

    void SetUp() override {
        TempFolder::SetUp();
        own = folder / "AppData" / "Calderwick" / "ZEMBSerConfig" / "Presets";
        shared = folder / "ProgramData" / "Presets";
        folders = {own.string(), shared.string()};
    }
    void put(const fs::path& dir, const std::string& name, const std::string& text) {
        writeAll(dir / (name + ".toml"), Bytes(text.begin(), text.end()));
    }
    std::string listed() {
        std::string text;
        for (const Preset& preset : listPresets(folders).presets)
            text += preset.name + (preset.readable ? "" : " ! " + preset.reason) + "\n";
        return text;
    }
};

TEST_F(Presets, BadFilesAreListedUnreadableWithTheirLine) {
    put(shared, "zeta", "[record]\nleafMarginTop = 5\n");
    put(shared, "Alpha", "[record]\n");
    put(own, "damaged", "[record]\nleafMarginTop = = 3\n");
    put(own, "wrong type", "[record]\n\ncommPort = \"serial\"\n");
    put(own, "big", "[record]\n" + std::string(kPresetMaxBytes, '#'));
    put(own, "Beta", "[record]\n");
    writeAll(own / "notes.txt", {'x'});
    EXPECT_EQ(listed(), "標準設定\n"
                        "Alpha\n"
                        "zeta\n"
                        "Beta\n"
                        "big ! big.toml: larger than 1 MiB\n"
                        "damaged ! damaged.toml:2: syntax: Error while parsing value: could "
                        "not determine value type\n"
                        "wrong type ! wrong type.toml:3: record.commPort: must be an integer\n");
}

TEST_F(Presets, PartialPresetChangesOnlyWhatItNames) {
    put(own, "top", "[record]\nleafMarginTop = 10\n[pageSetup]\nScale = 5000\n");
    const PresetList list = listPresets(folders);
    PresetSettings current{defaultSettingsImage(), {}};
    put16(current.image, 212, -1); // the network port
    current.image[9730] = 0x5A;    // carried for the driver
    pageSetupDefaults(&current.pageSetup);
    current.pageSetup.Orientation = 1;
    const PresetApplied applied = applyPreset(*findPreset(list, "TOP"), &current);
    ASSERT_TRUE(applied.problems.empty()) << applied.problems[0];
    Bytes expected = current.image;
    put32(expected, 6, 10);
    EXPECT_EQ(applied.settings.image, expected);
    PageSetup pageSetup = current.pageSetup;
    pageSetup.Scale = 5000;
    EXPECT_EQ(pageSetupValue(applied.settings.pageSetup, 4), 5000u);
    for (int i = 0; i < kPageSetupValueCount; ++i)
        if (i != 4 && !pageSetupValueComputed(i))
            EXPECT_EQ(pageSetupValue(applied.settings.pageSetup, i), pageSetupValue(pageSetup, i));
}

TEST_F(Presets, SharedPresetsAreNeverWrittenOrDeleted) {
    put(shared, "Cutter", "[record]\n");
    const Bytes before = readAll(shared / "Cutter.toml");
    EXPECT_EQ(savePreset(folders, "cutter", defaultSettingsImage(), nullptr, true).status,
              PresetStatus::Shared);
    EXPECT_EQ(deletePreset(folders, "CUTTER").status, PresetStatus::Shared);
    EXPECT_EQ(deletePreset(folders, "標準設定").status, PresetStatus::Shared);
    EXPECT_EQ(readAll(shared / "Cutter.toml"), before);
    EXPECT_FALSE(fs::exists(own));
}

TEST_F(Presets, ExistingNameIsReportedThenReplacedInItsSpelling) {
    const Bytes image = defaultSettingsImage();
    ASSERT_EQ(savePreset(folders, "Vinyl", image, nullptr, false).status, PresetStatus::Done);
    const PresetResult again = savePreset(folders, "VINYL", image, nullptr, false);
    EXPECT_EQ(again.status, PresetStatus::Exists);
    EXPECT_EQ(again.path, (own / "Vinyl.toml").string());
    EXPECT_EQ(savePreset(folders, "VINYL", image, nullptr, true).status, PresetStatus::Done);
    EXPECT_EQ(listed(), "標準設定\nVinyl\n");
    EXPECT_EQ(deletePreset(folders, "vinyl").status, PresetStatus::Done);
    EXPECT_EQ(listed(), "標準設定\n");
}

TEST_F(Presets, FolderThatCannotBeCreatedIsNamed) {
    writeAll(folder / "AppData", {'x'}); // a file where a folder should be
    const PresetResult saved = savePreset(folders, "x", defaultSettingsImage(), nullptr, false);
    EXPECT_EQ(saved.status, PresetStatus::FolderFailed);
    EXPECT_EQ(saved.path, own.string());
    EXPECT_NE(presetMessageJapanese(saved, "x").find(own.string()), std::string::npos);
}

// zembcfg preset save, list and apply against zembcfg import of the same document.
TEST_F(Presets, SaveListApplyEqualsImportOfTheSameDocument) {
    Bytes source = defaultSettingsImage();
    put32(source, 6, 12);
    put16(source, 212, -1);
    writeAll(folder / "source.ini", source);
    Io io;
    const std::vector<std::string> where = {"--presets", own.string(), "--shared-presets",
                                            shared.string()};
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.end(), where.begin(), where.end());
        io = {};
        return runZembcfg(args, io);
    };
    ASSERT_EQ(run({"preset", "save", "net", "--file", (folder / "source.ini").string()}), 0)
        << io.err;
    ASSERT_EQ(run({"preset", "list"}), 0);
    EXPECT_EQ(io.out, "標準設定\tbuilt-in\nnet\town\n");
    writeAll(folder / "a.ini", defaultSettingsImage());
    writeAll(folder / "b.ini", defaultSettingsImage());
    ASSERT_EQ(run({"preset", "apply", "NET", "--file", (folder / "a.ini").string()}), 0) << io.err;
    EXPECT_NE(io.out.find("a.ini.bak"), std::string::npos);
    ASSERT_EQ(
        runZembcfg({"import", (own / "net.toml").string(), "--file", (folder / "b.ini").string()},
                   io),
        0);
    EXPECT_EQ(readAll(folder / "a.ini"), readAll(folder / "b.ini"));
    EXPECT_EQ(readAll(folder / "a.ini"), source);
}

} // namespace
