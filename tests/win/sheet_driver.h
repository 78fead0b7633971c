// Drives the real modal sheet from inside its own modal loop, the way a
// user's actions reach it: a thread timer runs one scripted step per tick.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/native/bytes.h"

// A step returns true when done; false to be called again on the next tick
// (waiting for a window to appear, say).
using SheetStep = std::function<bool(HWND sheet)>;

// Runs the sheet with the given steps; fails the test when the steps do not
// finish or the sheet does not end within the time limit.
INT_PTR runSheetWith(std::vector<SheetStep> steps, DWORD timeLimitMs = 10000);
// Opens a tab as a click does, acts on its page, and closes the sheet with
// the button; what the sheet returned.
INT_PTR onPage(int index, const std::function<void(HWND page)>& act, int button = IDOK);

// User actions.
void clickButton(HWND parent, int id);
// A click posted as the mouse's is: the caller goes on while what it opens
// (a message box) waits, and another process's dialog takes it alike.
void postClick(HWND dialog, int id);
void clickTab(HWND sheet, int index);
void closeWithCloseBox(HWND sheet);
// Replaces an edit's text the way typing does: select all, then one WM_CHAR
// per character (UTF-16, so Japanese text arrives as the user's would).
void typeText(HWND page, int id, const wchar_t* text);
// Chooses a drop-down item as a user's click does: the selection, then
// CBN_SELCHANGE and CBN_SELENDOK to the page.
void chooseListItem(HWND page, int id, int position);
// Texts of a control, of a drop-down list item (wide, as across processes).
std::wstring controlText(HWND page, int id);
std::wstring listItemText(HWND page, int id, int position);
int listSelection(HWND page, int id);
bool checked(HWND page, int id);

// The screen's DPI, as the prefix's settings give it.
int screenDpi();

// A dialog template of the program as the dialog manager reads it
// (DLGTEMPLATEEX): the dialog and its controls, in template order.
struct TemplateControl {
    int id;
    std::wstring cls; // upper case; the predefined atoms by their names
    DWORD style, exStyle, helpId;
    std::wstring text; // empty for an ordinal (an icon's)
};
struct DialogTemplate {
    DWORD style = 0, exStyle = 0;
    short width = 0, height = 0;
    std::wstring caption, face;
    WORD points = 0;
    std::vector<TemplateControl> controls;
};
DialogTemplate dialogTemplate(int id);
// The template of the sheet's page at a tab index.
int pageTemplate(int index);
// A string of the program's string tables.
std::wstring programString(UINT id);
// Whether `shown` says the program's message `id`, whatever text it inserts.
bool showsMessage(const std::wstring& shown, UINT id);

// Windows of this thread: a visible dialog with that control (the presets
// dialog, its name prompt), a message box.
HWND findDialogWith(int controlId);
// Keys as the keyboard delivers them (SendInput): the held keys down, the key
// pressed and let go, the held keys up again.
void pressKeys(const std::vector<WORD>& held, WORD key);
HWND findMessageBox();
std::wstring windowText(HWND window);
std::wstring messageBoxText(HWND box);
// A step that waits for a message box, keeps its text in *shown, presses its
// OK and is done once the box has gone.
SheetStep answerMessageBox(std::wstring* shown);

// The visible sheet of another process (or, with wantSheet false, a message
// box of it), or null once the process has ended or the time is up.
HWND waitForProcessDialog(const PROCESS_INFORMATION& process, bool wantSheet, DWORD timeoutMs);
HWND waitForProcessSheet(const PROCESS_INFORMATION& process, DWORD timeoutMs);

// A path of plain ASCII (the tests' own folders) as wide text.
inline std::wstring wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// Programs beside the tests, run as their own processes.
std::wstring besideTests(const wchar_t* name);

// ZEMBSerConfig.exe (beside the tests, or the path given) as its own
// process, ended when the object goes.
class Program {
  public:
    explicit Program(const std::wstring& path = besideTests(L"ZEMBSerConfig.exe"));
    ~Program();
    bool started() const { return started_; }
    bool running() const;
    // The sheet (or, with wantSheet false, a message box) once it is shown.
    HWND waitForWindow(bool wantSheet, DWORD timeoutMs = 20000);
    // Exit code, or -1 when the process did not end in time.
    long waitForExit(DWORD timeoutMs = 20000);
    // The message box once shown, when it says the program's message `id`
    // naming `named` (else a failure); null when none was shown.
    HWND waitForMessage(UINT id, const std::wstring& named = L"");
    // Acts on the sheet once it is shown and presses its OK as a click does;
    // false when no sheet was shown.
    bool okAfter(const std::function<void(HWND sheet)>& act);

  private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};
struct Ran {
    DWORD status = 9999;
    std::string out; // bytes as written
    std::string err;
};
// zembcfg.exe with its output redirected to files, as a script runs it.
Ran zembcfgExe(const std::wstring& arguments,
               const std::wstring& program = besideTests(L"zembcfg.exe"));
// A file's bytes as text; empty when it cannot be read.
std::string fileText(const std::wstring& path);

// Settings-file helpers.
using Bytes = std::vector<unsigned char>;
std::string settingsPath();
// Paths in UTF-8, as the settings store gives them, or wide.
std::vector<unsigned char> readFileBytes(const std::string& utf8Path);
std::vector<unsigned char> readFileBytes(const std::wstring& path);
void writeFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
// The settings folder, with its trailing backslash; the names of the files in
// it other than the settings file; those files removed.
std::string settingsFolder();
std::vector<std::string> besideSettings();
void removeBesideSettings();
// A fresh settings file with defaults, loaded into memory.
void freshSettings();
// The settings file with some of its bytes changed, loaded as start-up loads it.
void changeSettingsFile(const std::function<void(Bytes&)>& change);

// Registry helpers on HKCU\Software\Calderwick\ZEMBSerConfig.
void deleteProgramKeys();
bool programKeyExists();
bool readProgramDword(const char* name, DWORD* value);
void setProgramValue(const char* name, DWORD type, const void* data, DWORD size);
// The program key's access list (SDDL); true when it was applied.
bool setProgramKeyAccess(const wchar_t* sddl);

// The stored length unit: in the catalogue block, which starts at 1538.
constexpr size_t kStoredUnitAt = 1538 + 6934;
