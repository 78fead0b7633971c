// The paper catalogue page, driven through the real sheet; results are read
// from the settings file's bytes (the catalogue block starts at 1538).
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>

#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "settings/settings_file.h"
#include "sheet_driver.h"

namespace {

const size_t kBlock = 1538, kUnitAt = kBlock + 6934;

struct Entry {
    std::string name;
    int width, length, roll;
    bool operator==(const Entry&) const = default;
};
void PrintTo(const Entry& e, std::ostream* os) {
    *os << '"' << e.name << "\" " << e.width << " x " << e.length << " roll " << e.roll;
}

Entry entryInFile(const std::vector<unsigned char>& b, int i) {
    const size_t at = kBlock + 2 + 70 * static_cast<size_t>(i);
    std::string name(reinterpret_cast<const char*>(&b[at]), 64);
    name.resize(name.find('\0') == std::string::npos ? 64 : name.find('\0'));
    return {name, le16(b, at + 64), le16(b, at + 66), le16(b, at + 68)};
}

// Sets the stored length unit in the file and loads it, as if an earlier run
// had stored it; `count` >= 0 also replaces the catalogue with entries named
// P0, P1, ... of (i + 1) x (100 + i) mm.
void storeCatalogue(int count, int unit = 0) {
    auto b = readFileBytes(settingsPath());
    for (int i = 0; i < count; ++i) {
        const std::string name = "P" + std::to_string(i) + std::string(64, '\0');
        const size_t at = kBlock + 2 + 70 * static_cast<size_t>(i);
        std::copy(name.begin(), name.begin() + 64, b.begin() + static_cast<ptrdiff_t>(at));
        b[at + 64] = static_cast<unsigned char>(i + 1);
        b[at + 66] = static_cast<unsigned char>(100 + i);
    }
    if (count >= 0)
        b[kBlock] = static_cast<unsigned char>(count);
    b[kUnitAt] = static_cast<unsigned char>(unit);
    writeFileBytes(settingsPath(), b);
    ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
}

HWND list() {
    return GetDlgItem(g_cataloguePage, IDC_CATALOGUE_LIST);
}
int lineCount() {
    return static_cast<int>(SendMessageW(list(), LB_GETCOUNT, 0, 0));
}
int selectedLine() {
    return static_cast<int>(SendMessageW(list(), LB_GETCURSEL, 0, 0));
}
std::wstring lineText(int i) {
    wchar_t text[128] = {};
    if (SendMessageW(list(), LB_GETTEXTLEN, i, 0) < 128)
        SendMessageW(list(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    return text;
}

// A mouse click on the line; -1 takes the selection away.
void clickLine(int i) {
    if (i < 0) {
        SendMessageW(list(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        return;
    }
    SendMessageW(list(), LB_SETTOPINDEX, i, 0);
    RECT r;
    SendMessageW(list(), LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(list(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list(), WM_LBUTTONUP, 0, at);
}

std::wstring fields() {
    const HWND p = g_cataloguePage;
    return controlText(p, IDC_CATALOGUE_NAME) + L"|" + controlText(p, IDC_CATALOGUE_WIDTH) + L"|" +
           controlText(p, IDC_CATALOGUE_LENGTH) + (checked(p, IDC_CATALOGUE_ROLL) ? L"|R" : L"|");
}

void typeFields(const wchar_t* name, const wchar_t* width, const wchar_t* length) {
    typeText(g_cataloguePage, IDC_CATALOGUE_NAME, name);
    typeText(g_cataloguePage, IDC_CATALOGUE_WIDTH, width);
    typeText(g_cataloguePage, IDC_CATALOGUE_LENGTH, length);
}

void click(int id) {
    clickButton(g_cataloguePage, id);
}

// Opens the catalogue tab, acts, and closes the sheet with OK or Cancel.
INT_PTR onCataloguePage(const std::function<void()>& act, int closeWith = IDOK) {
    return runSheetWith({[&](HWND sheet) {
        clickTab(sheet, kCataloguePageIndex);
        act();
        clickButton(sheet, closeWith);
        return true;
    }});
}

class CataloguePage : public ::testing::Test {
  protected:
    void SetUp() override { freshSettings(); }
};

std::string ansi(const std::wstring& text) {
    char out[512] = {};
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// Reads a dialog template as the dialog manager gets it (DLGTEMPLATEEX).
struct TemplateReader {
    const BYTE *base, *p;
    WORD word() { return p += 2, static_cast<WORD>(p[-2] | p[-1] << 8); }
    DWORD dword() { return word() | static_cast<DWORD>(word()) << 16; }
    RECT rect() {
        RECT r;
        r.left = static_cast<short>(word()), r.top = static_cast<short>(word());
        r.right = static_cast<short>(word()), r.bottom = static_cast<short>(word());
        return r;
    }
    std::wstring text() { // a string, or an ordinal (standard classes)
        const wchar_t* classes[] = {L"Button", L"Edit", L"Static", L"ListBox", L"", L"ComboBox"};
        std::wstring s;
        for (WORD c = word(); c != 0; c = word()) {
            if (c == 0xFFFF)
                return classes[(word() - 0x80) % 6];
            s += static_cast<wchar_t>(c);
        }
        return s;
    }
    void align() { p = base + ((p - base + 3) & ~3); }
};

TEST_F(CataloguePage, TemplateInKeyboardOrder) {
    struct Control {
        int id;
        std::wstring cls, text;
        DWORD style;
        RECT at; // left, top, width, height
    } controls[] = {
        {-1, L"Static", L"", SS_BLACKFRAME, {5, 132, 240, 72}},
        {-1, L"Static", L"用紙名：", SS_RIGHT, {9, 141, 36, 8}},
        {-1, L"Static", L"単位：", SS_RIGHT, {9, 158, 36, 8}},
        {-1, L"Static", L"用紙幅：", SS_RIGHT, {153, 158, 36, 8}},
        {-1, L"Static", L"用紙長：", SS_RIGHT, {153, 175, 36, 8}},
        {401,
         L"ListBox",
         L"",
         LBS_NOTIFY | LBS_DISABLENOSCROLL | WS_BORDER | WS_VSCROLL | WS_TABSTOP,
         {5, 12, 240, 116}},
        {402, L"Edit", L"", WS_BORDER | WS_TABSTOP, {48, 139, 192, 13}},
        {403, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, {48, 156, 70, 45}},
        {404, L"Edit", L"", WS_BORDER | WS_TABSTOP, {192, 156, 48, 13}},
        {405, L"Edit", L"", WS_BORDER | WS_TABSTOP, {192, 173, 48, 13}},
        {406, L"Button", L"ロール紙(&R)", BS_AUTOCHECKBOX | WS_TABSTOP, {188, 192, 50, 8}},
        {407, L"Button", L"新規(&N)", WS_TABSTOP, {10, 185, 35, 15}},
        {408, L"Button", L"削除(&D)", WS_TABSTOP, {50, 185, 35, 15}},
        {409, L"Button", L"修正(&E)", WS_TABSTOP, {90, 185, 35, 15}},
    };
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDD_CATALOGUE_PAGE),
                                reinterpret_cast<LPCWSTR>(RT_DIALOG));
    ASSERT_NE(found, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    TemplateReader t{data, data};
    EXPECT_EQ(t.dword(), 0xFFFF0001u); // version 1, extended
    t.dword();
    EXPECT_EQ(t.dword(), static_cast<DWORD>(WS_EX_CONTROLPARENT));
    EXPECT_EQ(t.dword(), static_cast<DWORD>(DS_SETFONT | DS_CONTROL | WS_CHILD)) << "hidden";
    ASSERT_EQ(t.word(), 14);
    const RECT page = t.rect();
    EXPECT_EQ(page.right, 251);
    EXPECT_EQ(page.bottom, 241);
    t.text(), t.text(), t.text();
    EXPECT_EQ(t.word(), 10);
    t.dword();
    EXPECT_EQ(t.text(), L"ＭＳ Ｐゴシック");
    for (const Control& c : controls) {
        SCOPED_TRACE(c.id);
        t.align();
        t.dword(), t.dword();
        EXPECT_EQ(t.dword(), c.style | WS_CHILD | WS_VISIBLE);
        const RECT at = t.rect();
        EXPECT_EQ(std::vector<LONG>({at.left, at.top, at.right, at.bottom}),
                  std::vector<LONG>({c.at.left, c.at.top, c.at.right, c.at.bottom}));
        EXPECT_EQ(static_cast<int>(t.dword()), c.id);
        EXPECT_EQ(lstrcmpiW(t.text().c_str(), c.cls.c_str()), 0) << "a " << ansi(c.cls);
        EXPECT_EQ(t.text(), c.text);
        t.p += t.word();
    }
}

TEST_F(CataloguePage, DefaultListAndTheBlankLine) {
    const wchar_t* names[12] = {L"A0",         L"A1",        L"A1(横)",    L"A2",
                                L"A2(横)",     L"A3",        L"A3(横)",    L"Roll(1020)",
                                L"Roll(1000)", L"Roll(950)", L"Roll(920)", L""};
    const auto before = readFileBytes(settingsPath());
    onCataloguePage([&] {
        ASSERT_EQ(lineCount(), 12);
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(lineText(i), names[i]);
        EXPECT_EQ(selectedLine(), 0);
        EXPECT_EQ(fields(), L"A0|33.110|46.850|");
        EXPECT_EQ(listSelection(g_cataloguePage, IDC_CATALOGUE_UNIT), 0);
        const wchar_t* units[3] = {L"inch", L"mm", L"pixel"};
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(listItemText(g_cataloguePage, IDC_CATALOGUE_UNIT, i), units[i]);
        clickLine(7);
        EXPECT_EQ(fields(), L"Roll(1020)|40.157|118.110|R");
        clickLine(11);
        EXPECT_EQ(fields(), L"|||");
        click(IDC_CATALOGUE_DELETE);
        click(IDC_CATALOGUE_MODIFY);
        EXPECT_EQ(lineCount(), 12);
        EXPECT_EQ(selectedLine(), 11);
    });
    EXPECT_EQ(readFileBytes(settingsPath()), before) << "OK stored the catalogue as it was";
}

TEST_F(CataloguePage, NewInsertsBeforeTheSelectedLineOrAppends) {
    struct Case {
        int select, at;
    } cases[] = {{11, 11}, {-1, 11}, {3, 3}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.select);
        freshSettings();
        const Entry moved = entryInFile(readFileBytes(settingsPath()), c.at == 11 ? 10 : c.at);
        onCataloguePage([&] {
            clickLine(c.select);
            typeFields(L"B4", L"10.118", L"14.331");
            SendDlgItemMessageW(g_cataloguePage, IDC_CATALOGUE_ROLL, BM_CLICK, 0, 0);
            click(IDC_CATALOGUE_NEW);
            EXPECT_EQ(lineCount(), 13);
            EXPECT_EQ(lineText(c.at), L"B4");
            EXPECT_EQ(selectedLine(), c.at);
            EXPECT_EQ(lineText(12), L"");
        });
        const auto b = readFileBytes(settingsPath());
        EXPECT_EQ(le16(b, kBlock), 12);
        EXPECT_EQ(entryInFile(b, c.at), (Entry{"B4", 257, 364, 1}));
        EXPECT_EQ(entryInFile(b, c.at == 11 ? 10 : c.at + 1), moved);
    }
}

TEST_F(CataloguePage, NewWithEmptyNameAndLengthGetsTheGeneratedName) {
    onCataloguePage([] {
        chooseListItem(g_cataloguePage, IDC_CATALOGUE_UNIT, 1);
        clickLine(11);
        typeFields(L"", L"500", L"");
        click(IDC_CATALOGUE_NEW);
        EXPECT_EQ(lineText(11), L"CUST(500*3000)");
        EXPECT_EQ(fields(), L"|500||") << "the fields keep what was typed";
    });
    EXPECT_EQ(entryInFile(readFileBytes(settingsPath()), 11),
              (Entry{"CUST(500*3000)", 500, 3000, 0}));
}

TEST_F(CataloguePage, NewWithAFullCatalogueChangesNothing) {
    storeCatalogue(99);
    const auto before = readFileBytes(settingsPath());
    onCataloguePage([] {
        for (int line : {99, 5}) {
            clickLine(line);
            typeFields(L"X", L"1", L"1");
            click(IDC_CATALOGUE_NEW);
            EXPECT_EQ(lineCount(), 100);
            EXPECT_EQ(selectedLine(), line);
            EXPECT_EQ(lineText(5), L"P5");
        }
    });
    EXPECT_EQ(readFileBytes(settingsPath()), before);
}

TEST_F(CataloguePage, DeleteSelectsTheFollowingLine) {
    struct Case {
        int entries, line;
        std::wstring shown;
        int linesAfter;
    } cases[] = {
        {11, 10, L"|||", 11},              // the last entry: the blank line follows
        {1, 0, L"|||", 1},                 // only the blank line is left
        {11, 0, L"A1|23.386|33.110|", 11}, // A1 moves up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries);
        freshSettings();
        if (c.entries != 11)
            storeCatalogue(c.entries);
        const auto before = readFileBytes(settingsPath());
        onCataloguePage([&] {
            clickLine(c.line);
            click(IDC_CATALOGUE_DELETE);
            EXPECT_EQ(lineCount(), c.linesAfter);
            EXPECT_EQ(selectedLine(), c.line);
            EXPECT_EQ(fields(), c.shown);
        });
        const auto b = readFileBytes(settingsPath());
        EXPECT_EQ(le16(b, kBlock), c.entries - 1);
        if (c.line + 1 < c.entries) {
            EXPECT_EQ(entryInFile(b, c.line), entryInFile(before, c.line + 1));
        }
    }
}

TEST_F(CataloguePage, ModifyKeepsPositionAndCount) {
    onCataloguePage([] {
        clickLine(2);
        typeFields(L"A1横長", L"1", L"2.5");
        click(IDC_CATALOGUE_MODIFY);
        EXPECT_EQ(lineCount(), 12);
        EXPECT_EQ(lineText(2), L"A1横長");
        EXPECT_EQ(selectedLine(), 2);
        clickLine(-1);
        click(IDC_CATALOGUE_MODIFY); // nothing selected: nothing to replace
        EXPECT_EQ(lineText(2), L"A1横長");
    });
    const auto b = readFileBytes(settingsPath());
    EXPECT_EQ(le16(b, kBlock), 11);
    EXPECT_EQ(entryInFile(b, 2), (Entry{"A1\x89\xA1\x92\xB7", 25, 64, 0}));
    EXPECT_EQ(entryInFile(b, 3), (Entry{"A2", 420, 594, 0}));
}

TEST_F(CataloguePage, UnitChangeConvertsTheFieldsAndNamesNamelessEntries) {
    struct Case {
        int line;
        const wchar_t *name, *width, *length;
        int from, to;
        std::wstring shown;
    } cases[] = {
        {0, L"", nullptr, nullptr, 0, 1, L"CUST(841*1190)|841|1190|"},
        {11, L"", L"", L"", 0, 1, L"CUST(3000*3000)|3000|3000|"},
        {11, L"", L"", L"", 0, 2, L"CUST(3000*3000)|8503.94|8503.94|"},
        {0, L"W", L"10.4", nullptr, 1, 0, L"W|0.394|46.850|"},
        {7, nullptr, L"1", nullptr, 0, 2, L"Roll(1020)|70.87|8503.94|R"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        freshSettings();
        storeCatalogue(-1, c.from);
        onCataloguePage(
            [&] {
                clickLine(c.line);
                if (c.name)
                    typeText(g_cataloguePage, IDC_CATALOGUE_NAME, c.name);
                if (c.width)
                    typeText(g_cataloguePage, IDC_CATALOGUE_WIDTH, c.width);
                if (c.length)
                    typeText(g_cataloguePage, IDC_CATALOGUE_LENGTH, c.length);
                chooseListItem(g_cataloguePage, IDC_CATALOGUE_UNIT, c.to);
                EXPECT_EQ(fields(), c.shown);
                EXPECT_EQ(lineCount(), 12) << "the catalogue is not touched";
            },
            IDCANCEL);
    }
}

TEST_F(CataloguePage, CancelKeepsTheLoadedCatalogueAndOkWritesTheChanges) {
    for (int closeWith : {IDCANCEL, IDOK}) {
        freshSettings();
        const auto before = readFileBytes(settingsPath());
        onCataloguePage(
            [] {
                typeFields(L"New", L"1", L"1");
                click(IDC_CATALOGUE_NEW);
                clickLine(5);
                click(IDC_CATALOGUE_DELETE);
                typeFields(L"Mod", L"2", L"2");
                click(IDC_CATALOGUE_MODIFY);
                chooseListItem(g_cataloguePage, IDC_CATALOGUE_UNIT, 2);
            },
            closeWith);
        const auto after = readFileBytes(settingsPath());
        if (closeWith == IDCANCEL) {
            EXPECT_EQ(after, before);
            continue;
        }
        EXPECT_EQ(le16(after, kBlock), 11);
        EXPECT_EQ(entryInFile(after, 0), (Entry{"New", 25, 25, 0}));
        EXPECT_EQ(entryInFile(after, 5), (Entry{"Mod", 51, 51, 0})); // typed in inch
        EXPECT_EQ(entryInFile(after, 6), (Entry{"A3(\x89\xA1)", 420, 297, 0}));
        EXPECT_EQ(le16(after, kUnitAt), 2);
    }
}

// Typing stops where the box is full or the slot is; text put in whole (a
// paste, another program) is cut back to the slot by whole characters.
TEST_F(CataloguePage, LongNamesStoreAtMost63BytesOfWholeCharacters) {
    struct Case {
        bool typed;
        std::wstring text;
        std::string kept; // when put in whole
    } cases[] = {
        {true, std::wstring(70, L'i'), ""},
        {true, std::wstring(35, L'あ'), ""},
        {true, L"b" + std::wstring(35, L'漢'), ""},
        {false, std::wstring(70, L'i'), std::string(63, 'i')},
        {false, std::wstring(35, L'あ'), ansi(std::wstring(31, L'あ'))},
        {false, std::wstring(40, L'i') + std::wstring(15, L'漢'),
         ansi(std::wstring(40, L'i') + std::wstring(11, L'漢'))},
        {false, std::wstring(62, L'ｱ') + L'漢', std::string(62, '\xB1')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ansi(c.text));
        freshSettings();
        std::string held;
        onCataloguePage([&] {
            clickLine(11);
            if (c.typed)
                typeText(g_cataloguePage, IDC_CATALOGUE_NAME, c.text.c_str());
            else
                SetDlgItemTextW(g_cataloguePage, IDC_CATALOGUE_NAME, c.text.c_str());
            const std::wstring shown = controlText(g_cataloguePage, IDC_CATALOGUE_NAME);
            held = ansi(shown);
            EXPECT_LE(held.size(), 63u);
            EXPECT_EQ(c.text.compare(0, shown.size(), shown), 0) << "a prefix of what was typed";
            if (!c.typed)
                EXPECT_EQ(held, c.kept);
            click(IDC_CATALOGUE_NEW);
        });
        EXPECT_EQ(entryInFile(readFileBytes(settingsPath()), 11).name, held);
    }
}

TEST_F(CataloguePage, SaveReportsAFailedWrite) {
    onCataloguePage(
        [] {
            chooseListItem(g_cataloguePage, IDC_CATALOGUE_UNIT, 1);
            HANDLE holder = CreateFileA(settingsPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
            EXPECT_FALSE(saveCataloguePage(g_cataloguePage));
            CloseHandle(holder);
            EXPECT_TRUE(saveCataloguePage(g_cataloguePage));
            EXPECT_EQ(le16(readFileBytes(settingsPath()), kUnitAt), 1);
        },
        IDCANCEL);
}

TEST_F(CataloguePage, DamagedStoredUnitLeavesLengthsAsTheyWere) {
    storeCatalogue(3, 7);
    const auto before = readFileBytes(settingsPath());
    onCataloguePage([] {
        EXPECT_EQ(listSelection(g_cataloguePage, IDC_CATALOGUE_UNIT), -1);
        clickLine(1);
        click(IDC_CATALOGUE_MODIFY);
    });
    EXPECT_EQ(readFileBytes(settingsPath()), before);
}

} // namespace
