// ZEMBSerConfig.exe as its own process, driven from outside the way another
// program (or a user's clicks) reaches it: cross-process window messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "sheet_driver.h"

namespace {

const wchar_t kSheetCaption[] = L"Tervikon(HP-GL)のプロパティ";

// The next message box once the one answered has gone (until then it is
// still found, or found and gone before it could be told from the next).
HWND waitForOtherBox(Program& program, HWND answered) {
    for (int i = 0; i < 400 && IsWindow(answered); ++i)
        Sleep(50);
    return program.waitForWindow(false);
}

class ProgramRun : public ::testing::Test {
  protected:
    void SetUp() override {
        deleteProgramKeys();
        freshSettings();
        removeBesideSettings();
    }
};

TEST_F(ProgramRun, OkCancelAndCloseBoxReachRetVal) {
    struct Case {
        const char* name;
        void (*close)(HWND sheet);
        DWORD retVal;
    } cases[] = {
        {"OK", [](HWND s) { postClick(s, IDOK); }, 1},
        {"Cancel", [](HWND s) { postClick(s, IDCANCEL); }, 2},
        {"close box", [](HWND s) { PostMessageW(s, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        deleteProgramKeys();
        const DWORD stale = 777;
        setProgramValue("rPage.right", REG_DWORD, &stale, 4);
        const auto before = readFileBytes(settingsPath());

        Program program;
        ASSERT_TRUE(program.started());
        HWND sheet = program.waitForWindow(true);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(windowText(sheet), kSheetCaption);
        c.close(sheet);
        EXPECT_EQ(program.waitForExit(), 0);

        DWORD retVal = 12345, rightEdge = 0;
        ASSERT_TRUE(readProgramDword("RetVal", &retVal));
        EXPECT_EQ(retVal, c.retVal);
        ASSERT_TRUE(readProgramDword("rPage.right", &rightEdge));
        if (c.retVal == 1) {
            // Written after OK: rectangles freshly computed from the paper
            // and the default 15 mm leaf margins.
            DWORD width = 0, size = 0, left = 0;
            ASSERT_TRUE(readProgramDword("Width", &width));
            ASSERT_TRUE(readProgramDword("Size", &size));
            ASSERT_TRUE(readProgramDword("rPaper.left", &left));
            EXPECT_EQ(size, 601u);
            EXPECT_EQ(static_cast<int32_t>(left), -15);
            EXPECT_EQ(static_cast<int32_t>(rightEdge), static_cast<int32_t>(width) - 30);
            EXPECT_EQ(readFileBytes(settingsPath()).size(), 17922u);
        } else {
            EXPECT_EQ(rightEdge, stale);
            DWORD size = 0;
            EXPECT_FALSE(readProgramDword("Size", &size)) << "nothing saved";
            EXPECT_EQ(readFileBytes(settingsPath()), before);
        }
    }
}

TEST_F(ProgramRun, MissingKeyAndFileAreCreated) {
    DeleteFileA(settingsPath().c_str());
    Program program;
    ASSERT_TRUE(program.started());
    HWND sheet = program.waitForWindow(true);
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(programKeyExists()); // the page-setup load creates it
    postClick(sheet, IDCANCEL);
    EXPECT_EQ(program.waitForExit(), 0);
    const auto bytes = readFileBytes(settingsPath());
    ASSERT_EQ(bytes.size(), 17922u);
    EXPECT_EQ(le16(bytes, 0), 302);
    DWORD retVal = 0;
    ASSERT_TRUE(readProgramDword("RetVal", &retVal));
    EXPECT_EQ(retVal, 2u);
}

TEST_F(ProgramRun, LockedFileAtStartUpAsksAndIsNeverOverwritten) {
    const std::string path = settingsPath();
    // A foreign version word: a load that got through would rewrite it.
    std::vector<unsigned char> original(3000);
    for (size_t i = 0; i < original.size(); ++i)
        original[i] = static_cast<unsigned char>(i * 31 + 7);
    writeFileBytes(path, original);

    for (bool retry : {false, true}) {
        SCOPED_TRACE(retry ? "Retry after release" : "Cancel");
        HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        Program program;
        ASSERT_TRUE(program.started());
        HWND box = program.waitForMessage(IDS_LOAD_FAILED, L"KELDORIX.INI");
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_NE(GetDlgItem(box, IDRETRY), nullptr);
        EXPECT_NE(GetDlgItem(box, IDCANCEL), nullptr);
        if (!retry) {
            postClick(box, IDCANCEL);
            EXPECT_EQ(program.waitForExit(), 0);
            CloseHandle(holder);
            EXPECT_EQ(readFileBytes(path), original);
        } else {
            CloseHandle(holder);
            postClick(box, IDRETRY);
            // Readable again, so the foreign file is kept aside and replaced by defaults.
            HWND notice = waitForOtherBox(program, box);
            ASSERT_NE(notice, nullptr);
            postClick(notice, IDOK);
            HWND sheet = program.waitForWindow(true);
            ASSERT_NE(sheet, nullptr);
            postClick(sheet, IDCANCEL);
            EXPECT_EQ(program.waitForExit(), 0);
            EXPECT_EQ(le16(readFileBytes(path), 0), 302);
            EXPECT_EQ(readFileBytes(path + ".bak"), original);
        }
        DWORD retVal = 0;
        ASSERT_TRUE(readProgramDword("RetVal", &retVal));
        EXPECT_EQ(retVal, 2u);
    }
}

// A file whose version this program does not know is copied whole beside
// itself (never over an existing file) before the defaults replace it, and the
// operator is told once where it went; a missing, empty or sound file brings
// no message and leaves nothing beside it.
TEST_F(ProgramRun, ForeignSettingsFileIsKeptBesideItAndTheOperatorIsTold) {
    const std::string path = settingsPath();
    const Bytes oldBackup = {'m', 'i', 'n', 'e'};
    struct Case {
        const char* name;
        int version; // -1: no file, -2: an empty file
        size_t size;
        bool oldBackupThere;
        const char* backupName; // nullptr: no message, nothing beside
    } cases[] = {
        {"version 301", 301, 17922, false, "KELDORIX.INI.bak"},
        {"existing backup", 301, 17922, true, "KELDORIX.INI.1.bak"},
        {"version 303 with a tail", 303, 18500, false, "KELDORIX.INI.bak"},
        {"missing", -1, 0, false, nullptr},
        {"empty", -2, 0, false, nullptr},
        {"sound", 302, 17922, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        removeBesideSettings();
        // The operator's own margins and paper names.
        Bytes old(c.size);
        for (size_t i = 0; i < old.size(); ++i)
            old[i] = static_cast<unsigned char>(i * 7 + 3);
        if (c.version >= 0) {
            put16(old, 0, c.version);
            put32(old, 6, 42);
            std::memcpy(&old[1540], "Operator A2", 12);
            writeFileBytes(path, old);
        } else if (c.version == -2) {
            writeFileBytes(path, {});
        } else {
            DeleteFileA(path.c_str());
        }
        if (c.oldBackupThere)
            writeFileBytes(path + ".bak", oldBackup);

        Program program;
        ASSERT_TRUE(program.started());
        if (c.backupName) {
            HWND box = program.waitForMessage(IDS_SETTINGS_REPLACED,
                                              wide(settingsFolder() + c.backupName));
            ASSERT_NE(box, nullptr) << "no message";
            EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
            EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
            EXPECT_EQ(GetDlgItem(box, IDRETRY), nullptr);
            postClick(box, IDOK);
        }
        HWND sheet = program.waitForWindow(true);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(program.waitForWindow(false, 300), nullptr) << "told only once";
        postClick(sheet, IDCANCEL);
        EXPECT_EQ(program.waitForExit(), 0);

        const Bytes now = readFileBytes(path);
        if (c.version == 302) {
            EXPECT_EQ(now, old);
            EXPECT_TRUE(besideSettings().empty());
            continue;
        }
        // Opened on the defaults: the record's and the catalogue's, as stored.
        ASSERT_EQ(now.size(), std::max<size_t>(c.size, 17922));
        EXPECT_EQ(le16(now, 0), 302);
        EXPECT_EQ(le32(now, 6), 15);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&now[1540])), "A0");
        if (old.size() > 17922) {
            EXPECT_EQ(Bytes(now.begin() + 17922, now.end()), Bytes(old.begin() + 17922, old.end()));
        }
        if (!c.backupName) {
            EXPECT_TRUE(besideSettings().empty());
            continue;
        }
        EXPECT_EQ(readFileBytes(settingsFolder() + c.backupName), old);
        if (c.oldBackupThere) {
            EXPECT_EQ(readFileBytes(path + ".bak"), oldBackup);
        }
        EXPECT_EQ(besideSettings().size(), c.oldBackupThere ? 2u : 1u);
    }
}

// When no copy can be made (here: every backup name is taken), nothing is
// initialised: the operator may retry or cancel, and Cancel leaves the file.
TEST_F(ProgramRun, ForeignFileThatCannotBeKeptIsLeftAloneOnCancel) {
    const std::string path = settingsPath();
    Bytes old(5000, 0x77);
    writeFileBytes(path, old);
    writeFileBytes(path + ".bak", {1});
    for (int i = 1; i < 100; ++i)
        writeFileBytes(path + "." + std::to_string(i) + ".bak", {1});

    Program program;
    ASSERT_TRUE(program.started());
    HWND box = program.waitForMessage(IDS_BACKUP_FAILED, wide(path));
    ASSERT_NE(box, nullptr);
    EXPECT_NE(GetDlgItem(box, IDRETRY), nullptr);
    postClick(box, IDCANCEL);
    EXPECT_EQ(program.waitForExit(), 0);
    EXPECT_EQ(readFileBytes(path), old);
    EXPECT_EQ(besideSettings().size(), 100u);
    DWORD retVal = 0;
    ASSERT_TRUE(readProgramDword("RetVal", &retVal));
    EXPECT_EQ(retVal, 2u);
    removeBesideSettings();
}

// After OK the paper reaches the driver only through the registry: when the
// values cannot be written the operator hears of it.
TEST_F(ProgramRun, PageSetupThatCannotBeWrittenIsReported) {
    const DWORD stale = 777;
    setProgramValue("Size", REG_DWORD, &stale, 4);
    // Nobody may set values or make subkeys there.
    ASSERT_TRUE(setProgramKeyAccess(L"D:(D;;0x6;;;WD)(A;;KA;;;WD)"));
    Program program;
    ASSERT_TRUE(program.started());
    HWND sheet = program.waitForWindow(true);
    ASSERT_NE(sheet, nullptr);
    postClick(sheet, IDOK);
    HWND box = program.waitForMessage(IDS_PAGE_SETUP_NOT_SAVED,
                                      L"HKEY_CURRENT_USER\\Software\\Calderwick\\ZEMBSerConfig");
    ASSERT_NE(box, nullptr) << "no message";
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    postClick(box, IDOK);
    EXPECT_EQ(program.waitForExit(), 0);
    EXPECT_TRUE(setProgramKeyAccess(L"D:(A;;KA;;;WD)"));
    DWORD size = 0;
    ASSERT_TRUE(readProgramDword("Size", &size));
    EXPECT_EQ(size, stale);
}

} // namespace
