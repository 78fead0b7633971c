// The paper catalogue page, driven through the real sheet; results are read
// from the settings file's bytes (the catalogue block starts at 1538).
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "pages/pages.h"
#include "resources/resource_ids.h"
#include "storage/settings_file.h"
#include "sheet_driver.h"

namespace {

// The catalogue block of a settings file: other pages write the record on
// the same OK, so only this block says what this page stored.
std::vector<unsigned char> catalogueBlock(const std::vector<unsigned char>& file) {
    if (file.size() < 1538 + 6938)
        return file;
    return std::vector<unsigned char>(file.begin() + 1538, file.begin() + 1538 + 6938);
}

const size_t kBlock = 1538;
const std::vector<std::wstring> kDefaultNames = {
    L"A0",     L"A1",         L"A1(横)",     L"A2",        L"A2(横)",   L"A3",
    L"A3(横)", L"Roll(1020)", L"Roll(1000)", L"Roll(950)", L"Roll(920)"};

std::string ansi(const std::wstring& text) {
    char out[512] = {};
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// Entry i of the file as "name WxL" (+ " roll").
std::string entry(const std::vector<unsigned char>& b, int i) {
    const size_t at = kBlock + 2 + 70 * static_cast<size_t>(i);
    const char* name = reinterpret_cast<const char*>(&b[at]);
    return std::string(name, strnlen(name, 64)) + " " + std::to_string(le16(b, at + 64)) + "x" +
           std::to_string(le16(b, at + 66)) + (le16(b, at + 68) ? " roll" : "");
}

// The file as an earlier run left it: stored unit `unit` and, for count >= 0,
// entries P0, P1, ... of (i + 1) x (100 + i) mm; loaded as start-up loads it.
void storeCatalogue(int count, int unit = 0) {
    changeSettingsFile([&](Bytes& b) {
        for (int i = 0; i < count; ++i) {
            const size_t at = kBlock + 2 + 70 * static_cast<size_t>(i);
            snprintf(reinterpret_cast<char*>(&b[at]), 64, "P%d", i);
            b[at + 64] = static_cast<unsigned char>(i + 1);
            b[at + 66] = static_cast<unsigned char>(100 + i);
        }
        if (count >= 0)
            b[kBlock] = static_cast<unsigned char>(count);
        b[kStoredUnitAt] = static_cast<unsigned char>(unit);
    });
}

HWND list() {
    return GetDlgItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_LIST);
}
int selectedLine() {
    return static_cast<int>(SendMessageW(list(), LB_GETCURSEL, 0, 0));
}
// Every line of 401 followed by "/".
std::wstring lines() {
    std::wstring all;
    for (int i = 0; i < SendMessageW(list(), LB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[128] = {};
        if (SendMessageW(list(), LB_GETTEXTLEN, i, 0) < 128)
            SendMessageW(list(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        all += std::wstring(text) + L"/";
    }
    return all;
}
std::wstring linesOf(const std::vector<std::wstring>& names) {
    std::wstring all;
    for (const auto& name : names)
        all += name + L"/";
    return all + L"/";
}

// A mouse click on the line; -1 takes the selection away.
void clickLine(int i) {
    SendMessageW(list(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    if (i < 0)
        return;
    SendMessageW(list(), LB_SETTOPINDEX, i, 0);
    RECT r;
    SendMessageW(list(), LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(list(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list(), WM_LBUTTONUP, 0, at);
}

std::wstring fields() {
    const HWND p = sheetPage(kCataloguePageIndex);
    return controlText(p, IDC_CATALOGUE_NAME) + L"|" + controlText(p, IDC_CATALOGUE_WIDTH) + L"|" +
           controlText(p, IDC_CATALOGUE_LENGTH) + (checked(p, IDC_CATALOGUE_ROLL) ? L"|R" : L"|");
}

// Types each text that is given (nullptr leaves the field as it is).
void typeFields(const wchar_t* name, const wchar_t* width, const wchar_t* length) {
    const wchar_t* texts[3] = {name, width, length};
    const int ids[3] = {IDC_CATALOGUE_NAME, IDC_CATALOGUE_WIDTH, IDC_CATALOGUE_LENGTH};
    for (int i = 0; i < 3; ++i)
        if (texts[i])
            typeText(sheetPage(kCataloguePageIndex), ids[i], texts[i]);
}

void click(int id) {
    clickButton(sheetPage(kCataloguePageIndex), id);
}

class CataloguePage : public ::testing::Test {
  protected:
    void SetUp() override { freshSettings(); }
};

TEST_F(CataloguePage, DefaultListAndTheBlankLine) {
    const auto before = readFileBytes(settingsPath());
    onPage(kCataloguePageIndex, [](HWND) {
        EXPECT_EQ(lines(), linesOf(kDefaultNames));
        EXPECT_EQ(selectedLine(), 0);
        EXPECT_EQ(fields(), L"A0|33.110|46.850|");
        EXPECT_EQ(listSelection(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT), 0);
        std::wstring units;
        for (int i = 0; i < 4; ++i)
            units += listItemText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT, i) + L" ";
        EXPECT_EQ(units, L"inch mm pixel <none> ");
        clickLine(7);
        EXPECT_EQ(fields(), L"Roll(1020)|40.157|118.110|R");
        clickLine(11);
        EXPECT_EQ(fields(), L"|||");
        click(IDC_CATALOGUE_DELETE);
        click(IDC_CATALOGUE_MODIFY);
        EXPECT_EQ(lines(), linesOf(kDefaultNames));
        EXPECT_EQ(selectedLine(), 11);
    });
    EXPECT_EQ(catalogueBlock(readFileBytes(settingsPath())), catalogueBlock(before))
        << "OK stored the catalogue as it was";
}

TEST_F(CataloguePage, NewInsertsBeforeTheSelectedLineOrAppends) {
    struct Case {
        int unit, select, at;
        const wchar_t *name, *width, *length;
        std::wstring listed;
        std::string stored;
    } cases[] = {
        {0, 11, 11, L"B4", L"10.118", L"14.331", L"B4", "B4 257x364"},
        {0, -1, 11, L"B4", L"10.118", L"14.331", L"B4", "B4 257x364"},
        {0, 3, 3, L"B4", L"10.118", L"14.331", L"B4", "B4 257x364"},
        {1, 0, 0, L"", L"500", L"", L"CUST(500*3000)", "CUST(500*3000) 500x3000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.select);
        freshSettings();
        const auto before = readFileBytes(settingsPath());
        onPage(kCataloguePageIndex, [&](HWND) {
            chooseListItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT, c.unit);
            clickLine(c.select);
            typeFields(c.name, c.width, c.length);
            click(IDC_CATALOGUE_NEW);
            auto names = kDefaultNames;
            names.insert(names.begin() + c.at, c.listed);
            EXPECT_EQ(lines(), linesOf(names));
            EXPECT_EQ(selectedLine(), c.at);
            EXPECT_EQ(controlText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NAME), c.name)
                << "kept as typed";
        });
        const auto b = readFileBytes(settingsPath());
        EXPECT_EQ(le16(b, kBlock), 12);
        EXPECT_EQ(entry(b, c.at), c.stored);
        EXPECT_EQ(entry(b, c.at == 11 ? 10 : c.at + 1), entry(before, c.at == 11 ? 10 : c.at));
    }
}

TEST_F(CataloguePage, NewWithAFullCatalogueChangesNothing) {
    storeCatalogue(99);
    const auto before = readFileBytes(settingsPath());
    onPage(kCataloguePageIndex, [](HWND) {
        const std::wstring all = lines();
        for (int line : {99, 5}) {
            clickLine(line);
            typeFields(L"X", L"1", L"1");
            click(IDC_CATALOGUE_NEW);
            EXPECT_EQ(lines(), all);
            EXPECT_EQ(selectedLine(), line);
        }
    });
    EXPECT_EQ(catalogueBlock(readFileBytes(settingsPath())), catalogueBlock(before));
}

TEST_F(CataloguePage, DeleteSelectsTheFollowingLine) {
    struct Case {
        int entries, line;
        std::wstring shown, listed;
    } cases[] = {
        {11, 10, L"|||", linesOf({kDefaultNames.begin(), kDefaultNames.end() - 1})},
        {1, 0, L"|||", L"/"}, // only the blank line is left
        {11, 0, L"A1|23.386|33.110|", linesOf({kDefaultNames.begin() + 1, kDefaultNames.end()})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries);
        freshSettings();
        storeCatalogue(c.entries == 11 ? -1 : c.entries);
        const auto before = readFileBytes(settingsPath());
        onPage(kCataloguePageIndex, [&](HWND) {
            clickLine(c.line);
            click(IDC_CATALOGUE_DELETE);
            EXPECT_EQ(lines(), c.listed);
            EXPECT_EQ(selectedLine(), c.line);
            EXPECT_EQ(fields(), c.shown);
        });
        const auto b = readFileBytes(settingsPath());
        EXPECT_EQ(le16(b, kBlock), c.entries - 1);
        EXPECT_EQ(entry(b, c.line),
                  c.line + 1 < c.entries ? entry(before, c.line + 1) : entry(b, c.line));
    }
}

TEST_F(CataloguePage, CancelKeepsTheLoadedCatalogueAndOkWritesTheChanges) {
    for (int closeWith : {IDCANCEL, IDOK}) {
        freshSettings();
        const auto before = readFileBytes(settingsPath());
        onPage(
            kCataloguePageIndex,
            [](HWND) {
                typeFields(L"New", L"1", L"1");
                click(IDC_CATALOGUE_NEW); // before A0
                clickLine(5);
                click(IDC_CATALOGUE_DELETE); // A2(横)
                typeFields(L"A3横長", L"2", L"2.5");
                click(IDC_CATALOGUE_ROLL);
                click(IDC_CATALOGUE_MODIFY); // A3
                EXPECT_EQ(selectedLine(), 5);
                auto names = kDefaultNames;
                names.insert(names.begin(), L"New");
                names.erase(names.begin() + 5);
                names[5] = L"A3横長";
                EXPECT_EQ(lines(), linesOf(names));
                chooseListItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT, 2);
            },
            closeWith);
        const auto after = readFileBytes(settingsPath());
        if (closeWith == IDCANCEL) {
            EXPECT_EQ(after, before);
            continue;
        }
        EXPECT_EQ(le16(after, kBlock), 11);
        EXPECT_EQ(entry(after, 0), "New 25x25");
        EXPECT_EQ(entry(after, 5), "A3\x89\xA1\x92\xB7 51x64 roll");
        EXPECT_EQ(entry(after, 6), "A3(\x89\xA1) 420x297");
        EXPECT_EQ(le16(after, kStoredUnitAt), 2);
    }
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
        SCOPED_TRACE(ansi(c.shown));
        freshSettings();
        storeCatalogue(-1, c.from);
        onPage(
            kCataloguePageIndex,
            [&](HWND) {
                clickLine(c.line);
                typeFields(c.name, c.width, c.length);
                chooseListItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT, c.to);
                EXPECT_EQ(fields(), c.shown);
                EXPECT_EQ(lines(), linesOf(kDefaultNames)) << "the catalogue is not touched";
            },
            IDCANCEL);
    }
}

// Typing stops where the box or the slot is full; text put in whole (a
// paste, another program) is cut back to the slot by whole characters.
TEST_F(CataloguePage, LongNamesStoreAtMost63BytesOfWholeCharacters) {
    struct Case {
        bool typed;
        std::wstring text;
        std::string kept; // when put in whole
    } cases[] = {
        {true, std::wstring(70, L'i'), ""},
        {false, std::wstring(70, L'i'), std::string(63, 'i')},
        {false, std::wstring(35, L'あ'), ansi(std::wstring(31, L'あ'))},
        {false, std::wstring(40, L'i') + std::wstring(15, L'漢'),
         ansi(std::wstring(40, L'i') + std::wstring(11, L'漢'))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ansi(c.text));
        freshSettings();
        std::string held;
        onPage(kCataloguePageIndex, [&](HWND) {
            clickLine(11);
            if (c.typed)
                typeText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NAME, c.text.c_str());
            else
                SetDlgItemTextW(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NAME, c.text.c_str());
            const std::wstring shown =
                controlText(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_NAME);
            held = ansi(shown);
            EXPECT_LE(held.size(), 63u);
            EXPECT_EQ(c.text.compare(0, shown.size(), shown), 0) << "a prefix of what was typed";
            EXPECT_EQ(held, c.typed ? held : c.kept);
            click(IDC_CATALOGUE_NEW);
        });
        EXPECT_EQ(entry(readFileBytes(settingsPath()), 11), held + " 3000x3000");
    }
}

// A size outside the signed 16 bits is pinned to it, as the paper page pins
// it, and a generated name tells the size stored.
TEST_F(CataloguePage, SizesBeyond16BitsArePinnedAndNamedAsStored) {
    onPage(kCataloguePageIndex, [](HWND) {
        chooseListItem(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT, 1);
        clickLine(11);
        typeFields(L"", L"40000", L"-40000");
        click(IDC_CATALOGUE_NEW);
    });
    const auto b = readFileBytes(settingsPath());
    const size_t at = 1538 + 2 + 70 * 11;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[at])), "CUST(32767*-32768)");
    EXPECT_EQ(le16(b, at + 64), 32767);
    EXPECT_EQ(le16(b, at + 66), -32768);
}

TEST_F(CataloguePage, DamagedStoredUnitLeavesLengthsAsTheyWere) {
    storeCatalogue(3, 7);
    const auto before = readFileBytes(settingsPath());
    onPage(kCataloguePageIndex, [](HWND) {
        EXPECT_EQ(listSelection(sheetPage(kCataloguePageIndex), IDC_CATALOGUE_UNIT), -1);
        clickLine(1);
        click(IDC_CATALOGUE_MODIFY);
    });
    EXPECT_EQ(catalogueBlock(readFileBytes(settingsPath())), catalogueBlock(before));
}

} // namespace
