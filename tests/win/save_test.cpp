// Several programs at the settings at once: the settings program as its own
// process, driven from outside as the operator's clicks and typing reach it,
// a reader polling or holding the file in this process, and zembcfg.exe.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "resources/resource_ids.h"
#include "settings/cp932_text.h"
#include "storage/sheet_lock_win.h"
#include "sheet_driver.h"

namespace {

const wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// ---- the operator's actions on the program's windows, from outside ----

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchControl(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (GetDlgCtrlID(window) != search->id)
        return TRUE;
    search->found = window;
    return FALSE;
}

// A control of any page of the sheet (the pages' ids do not overlap).
HWND control(HWND sheet, int id) {
    ControlSearch search = {id, nullptr};
    EnumChildWindows(sheet, matchControl, reinterpret_cast<LPARAM>(&search));
    EXPECT_NE(search.found, nullptr) << "no control " << id;
    return search.found;
}

void type(HWND sheet, int id, const wchar_t* text) {
    SendMessageW(control(sheet, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void choose(HWND sheet, int id, int position) {
    HWND list = control(sheet, id);
    SendMessageW(list, CB_SETCURSEL, position, 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(list));
}

// One change, whose 25 mm at file offset 6 tells the sheet's save.
void leafTopOneInch(HWND sheet) {
    type(sheet, IDC_ENV_LEAF_TOP, L"1");
}

// Something on every page: the unit (catalogue page, the others follow),
// a margin, the header, a pen, the print range.
void changeEveryPage(HWND sheet) {
    choose(sheet, IDC_CATALOGUE_UNIT, 1); // mm
    type(sheet, IDC_ENV_LEAF_TOP, L"20");
    type(sheet, IDC_HEADER_STRING, L"HDR");
    type(sheet, IDC_PEN1_THICKNESS, L"0.70");
    type(sheet, IDC_PAPER_FIRST_PAGE, L"3");
}

void expectEveryPageSaved(const Bytes& file) {
    ASSERT_EQ(file.size(), 17922u);
    EXPECT_EQ(le16(file, kStoredUnitAt), 1);
    EXPECT_EQ(le32(file, 2 + 4), 20);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[2 + 372])), "HDR");
    EXPECT_EQ(le16(file, 60), 70);
    DWORD first = 0;
    EXPECT_TRUE(readProgramDword("iFstPage", &first));
    EXPECT_EQ(first, 3u);
}

// ---- files ----

// An import document beside the tests; its path, quoted for a command line.
std::wstring document(const std::string& text) {
    const std::wstring path = besideTests(L"save-test.toml");
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
    CloseHandle(file);
    return L"\"" + path + L"\"";
}

// Reads the whole file over and over, as fast as it can, and keeps every
// different image. It lets others do anything with the file meanwhile, so
// that the save is never held up by it: a reader that does not is the next
// test's.
class Reader {
  public:
    Reader() : thread_([this] { poll(); }) {}
    ~Reader() { stop(); }
    void stop() {
        stopping_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    // Every different image read, as text (an ordered set of byte vectors
    // trips a false bounds warning in GCC 12).
    const std::set<std::string>& seen() const { return seen_; }
    int reads() const { return reads_; }

  private:
    void poll() {
        const std::string path = settingsPath();
        while (!stopping_) {
            const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, 0, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                Bytes bytes(32768);
                DWORD got = 0;
                if (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
                    bytes.resize(got);
                    seen_.insert(std::string(bytes.begin(), bytes.end()));
                    ++reads_;
                }
                CloseHandle(file);
            }
        }
    }
    std::atomic<bool> stopping_{false};
    std::set<std::string> seen_;
    std::atomic<int> reads_{0};
    std::thread thread_;
};

class SaveRun : public ::testing::Test {
  protected:
    void SetUp() override {
        deleteProgramKeys();
        freshSettings();
        removeBesideSettings();
    }
    void TearDown() override { removeBesideSettings(); }
};

TEST_F(SaveRun, AReaderPollingThroughoutOkSeesOnlyTheOldFileOrTheNewOne) {
    const Bytes old = readFileBytes(settingsPath());
    Program program;
    std::optional<Reader> reader;
    ASSERT_TRUE(program.okAfter([&reader](HWND sheet) {
        reader.emplace();
        changeEveryPage(sheet);
        Sleep(100);
    }));
    EXPECT_EQ(program.waitForExit(), 0);
    Sleep(100);
    reader->stop();

    const Bytes saved = readFileBytes(settingsPath());
    expectEveryPageSaved(saved);
    EXPECT_GT(reader->reads(), 20);
    const std::string before(old.begin(), old.end()), after(saved.begin(), saved.end());
    EXPECT_EQ(reader->seen().count(before), 1u);
    EXPECT_EQ(reader->seen().count(after), 1u);
    for (const std::string& image : reader->seen())
        EXPECT_TRUE(image == before || image == after)
            << "a mixture of " << image.size() << " bytes";
    EXPECT_TRUE(besideSettings().empty());
}

// The replace is refused while the reader holds the file: after about a
// second the new image is written into the file itself, where the reader's
// own handle sees it.
TEST_F(SaveRun, AReaderHoldingTheFileWithoutDeleteSharingStillGetsTheSave) {
    const HANDLE holder =
        CreateFileA(settingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Program program;
    ASSERT_TRUE(program.okAfter(changeEveryPage));
    EXPECT_EQ(program.waitForExit(), 0);
    Bytes seen(32768);
    DWORD got = 0;
    SetFilePointer(holder, 0, nullptr, FILE_BEGIN);
    ReadFile(holder, seen.data(), static_cast<DWORD>(seen.size()), &got, nullptr);
    seen.resize(got);
    CloseHandle(holder);
    expectEveryPageSaved(seen);
    EXPECT_EQ(readFileBytes(settingsPath()), seen);
    EXPECT_TRUE(besideSettings().empty()) << besideSettings()[0];
}

// The file's identity: a new file put in place has another.
ULONGLONG fileIndex(const std::string& path) {
    const HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info = {};
    GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return (ULONGLONG(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
}

// A reader that shares everything still refuses the classic rename (Wine, as
// Windows without POSIX rename, FAT and network shares do): the save waits
// for it and replaces the file once it lets go, never writing into it.
TEST_F(SaveRun, AReaderSharingDeleteThatLetsGoGetsAReplacedFile) {
    const ULONGLONG before = fileIndex(settingsPath());
    const HANDLE holder = CreateFileA(settingsPath().c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Program program;
    ASSERT_TRUE(program.okAfter(changeEveryPage));
    Sleep(300);
    CloseHandle(holder);
    EXPECT_EQ(program.waitForExit(), 0);
    expectEveryPageSaved(readFileBytes(settingsPath()));
    EXPECT_NE(fileIndex(settingsPath()), before) << "written in place";
    EXPECT_TRUE(besideSettings().empty());
}

// An administrator's sheet: its lock lets this user wait for it, no more.
// (An elevated token's default access list does not even let it wait; Wine
// grants SYNCHRONIZE whatever the access list says, so that case, no wait
// and zembcfg's access-denied answer, is for a real Windows to show.)
TEST_F(SaveRun, ASheetWhoseLockCannotBeFullyOpenedIsStillTheOneSheet) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:(A;;0x100000;;;WD)", SDDL_REVISION_1, &descriptor, nullptr)); // SYNCHRONIZE
    SECURITY_ATTRIBUTES security = {sizeof security, descriptor, FALSE};
    const HANDLE lock = CreateMutexW(&security, TRUE, sheetLockName().c_str());
    LocalFree(descriptor);
    ASSERT_NE(lock, nullptr);
    const Bytes file = readFileBytes(settingsPath());
    Program second;
    HWND box = second.waitForMessage(IDS_SHEET_ELSEWHERE);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(second.waitForWindow(true, 300), nullptr) << "no sheet of its own";
    const Ran told = zembcfgExe(L"import --dry-run " + document("[record]\ndebugMode = 1\n"));
    EXPECT_NE(told.out.find("The settings program is open"), std::string::npos) << told.out;
    postClick(box, IDOK);
    EXPECT_EQ(second.waitForExit(500), -1) << "waits for the other sheet";
    ReleaseMutex(lock);
    CloseHandle(lock);
    EXPECT_EQ(second.waitForExit(), 0);
    DWORD retVal = 0;
    EXPECT_FALSE(readProgramDword("RetVal", &retVal));
    EXPECT_EQ(readFileBytes(settingsPath()), file);
}

// zembcfg imports while the sheet is open. はい keeps the import's file
// beside the settings file and saves the sheet's values; いいえ saves
// nothing and leaves the sheet open; an import of the same values asks
// nothing.
TEST_F(SaveRun, AnImportWhileTheSheetIsOpenIsNeverSavedOverUnasked) {
    const struct Case {
        const char* name;
        const char* document;
        int answer; // 0: no question
    } cases[] = {
        {"はい", "[record]\nleafMarginTop = 40\n", IDYES},
        {"いいえ", "[record]\nleafMarginTop = 40\n", IDNO},
        {"the same bytes", "[record]\nleafMarginTop = 15\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshSettings();
        removeBesideSettings();
        const Bytes original = readFileBytes(settingsPath());
        Program program;
        HWND sheet = program.waitForWindow(true);
        ASSERT_NE(sheet, nullptr);
        type(sheet, IDC_HEADER_STRING, L"SHEET");
        const Ran imported = zembcfgExe(L"import " + document(c.document));
        EXPECT_EQ(imported.status, 0u) << imported.err;
        EXPECT_NE(imported.out.find("The settings program is open"), std::string::npos);
        const Bytes theirs = readFileBytes(settingsPath());
        postClick(sheet, IDOK);
        if (c.answer != 0) {
            HWND question = program.waitForMessage(IDS_FILE_CHANGED);
            ASSERT_NE(question, nullptr);
            EXPECT_NE(windowText(GetDlgItem(question, IDYES)).find(L"はい"), std::wstring::npos);
            EXPECT_NE(windowText(GetDlgItem(question, IDNO)).find(L"いいえ"), std::wstring::npos);
            postClick(question, c.answer);
        }
        if (c.answer == IDNO) {
            EXPECT_EQ(program.waitForExit(1000), -1) << "the sheet stays open";
            EXPECT_TRUE(IsWindowVisible(sheet));
            EXPECT_EQ(readFileBytes(settingsPath()), theirs);
            postClick(sheet, IDCANCEL);
            EXPECT_EQ(program.waitForExit(), 0);
            EXPECT_EQ(readFileBytes(settingsPath()), theirs);
            continue;
        }
        EXPECT_EQ(program.waitForExit(), 0);
        const Bytes saved = readFileBytes(settingsPath());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&saved[2 + 372])), "SHEET");
        EXPECT_EQ(le32(saved, 2 + 4), 15) << "the sheet's value";
        EXPECT_EQ(readFileBytes(settingsPath() + ".bak"), original) << "kept by the import";
        EXPECT_EQ(readFileBytes(settingsPath() + ".1.bak"), c.answer ? theirs : Bytes{});
    }
}

TEST_F(SaveRun, ASecondStartBringsTheFirstSheetForwardAndWaitsForIt) {
    Program first;
    HWND sheet = first.waitForWindow(true);
    ASSERT_NE(sheet, nullptr);
    ShowWindow(sheet, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(sheet));

    Program second;
    ASSERT_TRUE(second.started());
    for (int i = 0; i < 100 && IsIconic(sheet); ++i)
        Sleep(50);
    EXPECT_FALSE(IsIconic(sheet)) << "restored";
    EXPECT_EQ(GetForegroundWindow(), sheet);
    EXPECT_EQ(second.waitForWindow(true, 500), nullptr) << "no sheet of its own";
    EXPECT_EQ(second.waitForWindow(false, 10), nullptr) << "no message either";
    EXPECT_TRUE(second.running());
    const Ran told = zembcfgExe(L"import --dry-run " + document("[record]\ndebugMode = 1\n"));
    EXPECT_NE(told.out.find("The settings program is open"), std::string::npos) << told.out;

    leafTopOneInch(sheet);
    postClick(sheet, IDOK);
    EXPECT_EQ(first.waitForExit(), 0);
    EXPECT_EQ(second.waitForExit(5000), 0);
    DWORD retVal = 0;
    ASSERT_TRUE(readProgramDword("RetVal", &retVal));
    EXPECT_EQ(retVal, 1u) << "the first sheet's";
    EXPECT_EQ(le32(readFileBytes(settingsPath()), 2 + 4), 25);
    EXPECT_EQ(zembcfgExe(L"import --dry-run " + document("[record]\ndebugMode = 1\n"))
                  .out.find("The settings program is open"),
              std::string::npos);
}

// The documents folder the shell reports to the programs started meanwhile.
class DocumentsFolder {
  public:
    explicit DocumentsFolder(const std::wstring& folder) {
        RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_ALL_ACCESS, &key_);
        DWORD size = sizeof before_;
        RegQueryValueExW(key_, L"Personal", nullptr, nullptr, reinterpret_cast<BYTE*>(before_),
                         &size);
        set(folder.c_str());
    }
    ~DocumentsFolder() {
        set(before_);
        RegCloseKey(key_);
    }

  private:
    void set(const wchar_t* folder) {
        RegSetValueExW(key_, L"Personal", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder),
                       static_cast<DWORD>((wcslen(folder) + 1) * sizeof(wchar_t)));
    }
    HKEY key_ = nullptr;
    wchar_t before_[MAX_PATH] = {};
};

// A documents folder whose name the system code page (932) lacks, or in
// Japanese: the program finds it, creates its file there and saves there. One
// that cannot be used is named as such at OK.
TEST_F(SaveRun, DocumentsFoldersNamedInAnyScriptWork) {
    wchar_t profile[MAX_PATH] = {};
    GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
    const struct {
        std::wstring folder;
        bool usable;
    } cases[] = {
        {std::wstring(profile) + L"\\Dokument\u00EB", true},
        {std::wstring(profile) + L"\\\u66F8\u985E\u30D5\u30A9\u30EB\u30C0", true},
        {L"Q:\\no such drive", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.usable ? "usable" : "unusable");
        CreateDirectoryW(c.folder.c_str(), nullptr);
        const DocumentsFolder documents(c.folder);
        Program program;
        HWND sheet = program.waitForWindow(true);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(program.waitForWindow(false, 300), nullptr) << "no message";
        type(sheet, IDC_ENV_LEAF_TOP, L"1");
        postClick(sheet, IDOK);
        if (!c.usable) {
            HWND box = program.waitForMessage(IDS_PATH_UNUSABLE, c.folder);
            ASSERT_NE(box, nullptr);
            postClick(box, IDOK);
            postClick(sheet, IDCANCEL);
            EXPECT_EQ(program.waitForExit(), 0);
            continue;
        }
        EXPECT_EQ(program.waitForWindow(false, 1000), nullptr) << "no message";
        EXPECT_EQ(program.waitForExit(), 0);
        const Bytes saved = readFileBytes(c.folder + L"\\Adobe\\Illustrator\\KELDORIX.INI");
        ASSERT_EQ(saved.size(), 17922u);
        EXPECT_EQ(le16(saved, 0), 302);
        EXPECT_EQ(le32(saved, 2 + 4), 25);
    }
}

// Run by tests/e2e/as_user.sh as an ordinary user: Wine run as root writes
// into read-only files and opens any folder, which no Windows user can.
std::wstring wideOf(const std::string& utf8) {
    std::u16string text;
    utf8ToUtf16(utf8, &text);
    return std::wstring(text.begin(), text.end());
}

class AsUser : public SaveRun {
  protected:
    void TearDown() override {
        SetFileAttributesW(wideOf(settingsPath()).c_str(), FILE_ATTRIBUTE_NORMAL);
        SaveRun::TearDown();
    }
};

TEST_F(AsUser, AReadOnlySettingsFileShowsItsSettingsAndOkSavesNothing) {
    const std::wstring path = wideOf(settingsPath());
    Bytes bytes = readFileBytes(settingsPath());
    std::memcpy(&bytes[2 + 372], "RO", 3); // the header text
    writeFileBytes(settingsPath(), bytes);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const HANDLE refused =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    CloseHandle(refused);
    ASSERT_EQ(refused, INVALID_HANDLE_VALUE) << "run as a user who cannot write read-only files";
    Program program;
    HWND sheet = program.waitForWindow(true);
    ASSERT_NE(sheet, nullptr);
    wchar_t header[16] = {};
    SendMessageW(control(sheet, IDC_HEADER_STRING), WM_GETTEXT, 16,
                 reinterpret_cast<LPARAM>(header));
    EXPECT_STREQ(header, L"RO") << "the file's settings";
    type(sheet, IDC_HEADER_STRING, L"NEW");
    postClick(sheet, IDOK);
    HWND box = program.waitForMessage(IDS_READ_ONLY, path);
    ASSERT_NE(box, nullptr);
    postClick(box, IDOK);
    EXPECT_EQ(program.waitForExit(1000), -1) << "the sheet stays open";
    postClick(sheet, IDCANCEL);
    EXPECT_EQ(program.waitForExit(), 0);
    EXPECT_EQ(readFileBytes(settingsPath()), bytes);
    EXPECT_TRUE(besideSettings().empty());
}

// A documents folder this user may not open (the script makes it): start-up
// names it and asks, instead of a sheet on defaults that OK would later
// save over the real file.
TEST_F(AsUser, ADocumentsFolderThatCannotBeOpenedIsNamed) {
    char locked[MAX_PATH] = {};
    GetEnvironmentVariableA("ZEMB_LOCKED_FOLDER", locked, MAX_PATH);
    ASSERT_NE(locked[0], '\0') << "run by tests/e2e/as_user.sh";
    std::wstring folder = L"Z:" + wide(locked);
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    const DocumentsFolder documents(folder);
    Program program;
    HWND box = program.waitForMessage(IDS_LOAD_FAILED, folder);
    ASSERT_NE(box, nullptr);
    postClick(box, IDCANCEL);
    EXPECT_EQ(program.waitForExit(), 0);
}

// The new file takes the old one's place with its attributes and access list.
TEST_F(SaveRun, TheSavedFileKeepsItsAttributesAndAccessList) {
    const std::wstring path = []() {
        std::u16string wide;
        utf8ToUtf16(settingsPath(), &wide);
        return std::wstring(wide.begin(), wide.end());
    }();
    const auto accessList = [&path] {
        DWORD needed = 0;
        GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
        std::vector<BYTE> descriptor(needed);
        wchar_t* text = nullptr;
        if (needed == 0 ||
            !GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), needed,
                              &needed) ||
            !ConvertSecurityDescriptorToStringSecurityDescriptorW(
                descriptor.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr))
            return std::wstring(L"(none)");
        const std::wstring sddl = text;
        LocalFree(text);
        return sddl;
    };
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:P(A;;FA;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
    EXPECT_TRUE(SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor));
    LocalFree(descriptor);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const std::wstring before = accessList();
    Program program;
    ASSERT_TRUE(program.okAfter(leafTopOneInch));
    EXPECT_EQ(program.waitForExit(), 0);
    EXPECT_EQ(le32(readFileBytes(settingsPath()), 2 + 4), 25);
    EXPECT_EQ(accessList(), before);
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN,
              DWORD(FILE_ATTRIBUTE_HIDDEN));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(besideSettings().empty());
}

// Every value the registry refuses is named, and the exit status says so.
TEST_F(SaveRun, AnImportIntoARegistryKeyThatRefusesWritesNamesTheValues) {
    const DWORD stale = 777;
    setProgramValue("Scale", REG_DWORD, &stale, 4);
    ASSERT_TRUE(setProgramKeyAccess(L"D:(D;;0x6;;;WD)(A;;KA;;;WD)")); // no values, no subkeys
    const Ran run = zembcfgExe(L"import " + document("[pageSetup]\nScale = 5000\n"));
    EXPECT_TRUE(setProgramKeyAccess(L"D:(A;;KA;;;WD)"));
    EXPECT_EQ(run.status, 2u);
    EXPECT_NE(run.out.find("imported"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("not written: Scale, rPage.left, rPage.top"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("rPaper.bottom"), std::string::npos) << run.err;
    DWORD scale = 0;
    EXPECT_TRUE(readProgramDword("Scale", &scale));
    EXPECT_EQ(scale, stale);
}

} // namespace
