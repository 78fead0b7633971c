#include "sheet_driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <sddl.h>

#include <memory>

#include "app/app.h"
#include "resources/resource_ids.h"
#include "settings/cp932_text.h"
#include "storage/registry_win.h"
#include "storage/settings_file.h"
#include "winui/instance_win.h"

namespace {

struct Script {
    std::vector<SheetStep> steps;
    size_t next = 0;
    DWORD deadline = 0;
    bool timedOut = false;
    bool busy = false;
};
Script* g_script;

BOOL CALLBACK findSheet(HWND window, LPARAM out) {
    if (GetDlgItem(window, IDC_SHEET_TABS) && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(out) = window;
        return FALSE;
    }
    return TRUE;
}

HWND currentSheet() {
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findSheet, reinterpret_cast<LPARAM>(&sheet));
    return sheet;
}

void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    Script* script = g_script;
    if (script == nullptr)
        return;
    HWND sheet = currentSheet();
    // Also from inside a step that opened a nested modal loop it never ends.
    if (GetTickCount() > script->deadline) {
        // Close whatever nested modal window is up (message box, folder
        // browser) so that its loop ends and the sheet's can end too.
        script->timedOut = true;
        if (HWND box = findMessageBox()) {
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            PostMessageW(box, WM_COMMAND, IDNO, 0); // a question has no Cancel
        }
        for (int id : {IDC_PRESET_NAME, IDC_PRESET_LIST})
            if (HWND dialog = findDialogWith(id))
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        if (sheet)
            EndDialog(sheet, -100);
        return;
    }
    // A step that opens a nested modal loop (a message box) must not be re-entered.
    if (script->busy || sheet == nullptr || script->next >= script->steps.size())
        return;
    script->busy = true;
    if (script->steps[script->next](sheet))
        ++script->next;
    script->busy = false;
}

} // namespace

INT_PTR runSheetWith(std::vector<SheetStep> steps, DWORD timeLimitMs) {
    g_instance = GetModuleHandleW(nullptr);
    Script script;
    script.steps = std::move(steps);
    script.deadline = GetTickCount() + timeLimitMs;
    g_script = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, tick);
    const INT_PTR result = runPropertySheet();
    KillTimer(nullptr, timer);
    g_script = nullptr;
    EXPECT_FALSE(script.timedOut) << "the sheet did not end in time; step " << script.next;
    EXPECT_EQ(script.next, script.steps.size()) << "not every step ran";
    return result;
}

int screenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

void clickButton(HWND parent, int id) {
    HWND button = GetDlgItem(parent, id);
    ASSERT_NE(button, nullptr) << "no control " << id;
    SendMessageW(button, BM_CLICK, 0, 0);
}

void postClick(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

INT_PTR onPage(int index, const std::function<void(HWND page)>& act, int button) {
    return runSheetWith({[&](HWND sheet) {
        clickTab(sheet, index);
        EXPECT_TRUE(IsWindowVisible(sheetPage(index))) << "tab " << index;
        act(sheetPage(index));
        clickButton(sheet, button);
        return true;
    }});
}

void clickTab(HWND sheet, int index) {
    HWND tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
    RECT item, client;
    GetClientRect(tabs, &client);
    // Tabs scrolled out of a single row are brought back first, as the
    // row's arrow buttons do, one tab at a time.
    for (int step = 0; step < 5; ++step) {
        if (SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) &&
            item.left >= 0 && item.right <= client.right)
            break;
        SendMessageW(tabs, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, index), 0);
    }
    ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tabs, WM_LBUTTONUP, 0, at);
}

void closeWithCloseBox(HWND sheet) {
    SendMessageW(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void typeText(HWND page, int id, const wchar_t* text) {
    HWND edit = GetDlgItem(page, id);
    ASSERT_NE(edit, nullptr) << "no control " << id;
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    for (const wchar_t* c = text; *c; ++c)
        SendMessageW(edit, WM_CHAR, *c, 1);
}

void chooseListItem(HWND page, int id, int position) {
    HWND list = GetDlgItem(page, id);
    ASSERT_NE(list, nullptr) << "no control " << id;
    SendMessageW(list, CB_SETCURSEL, position, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
}

std::wstring controlText(HWND page, int id) {
    return windowText(GetDlgItem(page, id));
}

std::wstring listItemText(HWND page, int id, int position) {
    HWND list = GetDlgItem(page, id);
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, position, 0);
    if (length == CB_ERR)
        return L"<none>";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

int listSelection(HWND page, int id) {
    return static_cast<int>(SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0));
}

bool checked(HWND page, int id) {
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

DialogTemplate dialogTemplate(int id) {
    DialogTemplate dialog;
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    const BYTE* const base =
        found ? static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found))) : nullptr;
    EXPECT_NE(base, nullptr) << "no template " << id;
    if (base == nullptr || base[2] != 0xFF || base[3] != 0xFF)
        return dialog;
    const BYTE* p = base + 4;
    auto word = [&p] { return p += 2, static_cast<WORD>(p[-2] | p[-1] << 8); };
    auto dword = [&word] {
        const DWORD low = word(); // in two statements: the order of | is open
        return low | static_cast<DWORD>(word()) << 16;
    };
    auto text = [&word] { // a string, or 0xFFFF and an ordinal (then empty)
        std::wstring s;
        WORD c = word();
        if (c == 0xFFFF) {
            word();
            return s;
        }
        for (; c != 0; c = word())
            s += static_cast<wchar_t>(c);
        return s;
    };
    dword(); // help id
    dialog.exStyle = dword();
    dialog.style = dword();
    const int count = word();
    p += 4; // x, y
    dialog.width = static_cast<short>(word());
    dialog.height = static_cast<short>(word());
    text(), text(); // menu, class
    dialog.caption = text();
    if (dialog.style & DS_SETFONT) {
        dialog.points = word();
        p += 4; // weight, italic, character set
        dialog.face = text();
    }
    static const wchar_t* const atoms[] = {L"BUTTON",  L"EDIT",      L"STATIC",
                                           L"LISTBOX", L"SCROLLBAR", L"COMBOBOX"};
    for (int i = 0; i < count; ++i) {
        p = base + ((p - base + 3) & ~3);
        TemplateControl c = {};
        c.helpId = dword();
        c.exStyle = dword();
        c.style = dword();
        p += 8; // x, y, width, height
        c.id = static_cast<int>(dword());
        if (p[0] == 0xFF && p[1] == 0xFF) {
            word();
            const WORD atom = word();
            c.cls =
                atom >= 0x80 && atom <= 0x85 ? atoms[atom - 0x80] : L"#" + std::to_wstring(atom);
        } else {
            c.cls = text();
            CharUpperBuffW(c.cls.data(), static_cast<DWORD>(c.cls.size()));
        }
        c.text = text();
        p += word(); // creation data
        dialog.controls.push_back(c);
    }
    return dialog;
}

int pageTemplate(int index) {
    const int templates[] = {IDD_PAPER_PAGE, IDD_PLOTTER_ENV_PAGE, IDD_PLOTTER_EXTRA_PAGE,
                             IDD_TOOL_PAGE, IDD_CATALOGUE_PAGE};
    return templates[index];
}

std::wstring programString(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(nullptr, id, reinterpret_cast<LPWSTR>(&text), 0);
    EXPECT_GT(length, 0) << "no string " << id;
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : L"";
}

bool showsMessage(const std::wstring& shown, UINT id) {
    const std::wstring message = programString(id);
    size_t at = 0;
    for (size_t from = 0;;) {
        const size_t mark = message.find(L"%s", from);
        const std::wstring part =
            message.substr(from, mark == std::wstring::npos ? mark : mark - from);
        at = shown.find(part, at);
        if (at == std::wstring::npos || mark == std::wstring::npos)
            return at != std::wstring::npos;
        at += part.size();
        from = mark + 2;
    }
}

// The program's own dialogs are not message boxes.
static bool ownDialog(HWND window) {
    for (int id : {IDC_SHEET_TABS, IDC_PRESET_LIST, IDC_PRESET_NAME})
        if (GetDlgItem(window, id))
            return true;
    return false;
}

static BOOL CALLBACK findBox(HWND window, LPARAM out) {
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    if (lstrcmpW(cls, L"#32770") == 0 && !ownDialog(window) && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(out) = window;
        return FALSE;
    }
    return TRUE;
}

HWND findDialogWith(int controlId) {
    struct Search {
        int id;
        HWND found;
    } search = {controlId, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* search = reinterpret_cast<Search*>(param);
            if (!IsWindowVisible(window) || !GetDlgItem(window, search->id))
                return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void pressKeys(const std::vector<WORD>& held, WORD key) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    for (WORD vk : held)
        add(vk, false);
    add(key, false);
    add(key, true);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        add(*it, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND findMessageBox() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

std::wstring windowText(HWND window) {
    wchar_t text[2048] = {};
    GetWindowTextW(window, text, 2048);
    return text;
}

std::wstring messageBoxText(HWND box) {
    // The static control that holds the message (id 0xFFFF in Wine and Windows).
    std::wstring all;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        all += windowText(child) + L"\n";
    return all;
}

SheetStep answerMessageBox(std::wstring* shown) {
    auto answered = std::make_shared<bool>(false);
    return [shown, answered](HWND) {
        HWND box = findMessageBox();
        if (*answered)
            return box == nullptr;
        if (box != nullptr) {
            *shown = messageBoxText(box);
            clickButton(box, IDOK);
            *answered = true;
        }
        return false;
    };
}

namespace {

struct ProcessDialogSearch {
    DWORD processId;
    bool wantSheet;
    HWND found;
};

BOOL CALLBACK matchProcessDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ProcessDialogSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    if (pid != search->processId || lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    if ((GetDlgItem(window, IDC_SHEET_TABS) != nullptr) == search->wantSheet) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND waitForProcessDialog(const PROCESS_INFORMATION& process, bool wantSheet, DWORD timeoutMs) {
    for (const DWORD end = GetTickCount() + timeoutMs; GetTickCount() < end;) {
        ProcessDialogSearch search = {process.dwProcessId, wantSheet, nullptr};
        EnumWindows(matchProcessDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

HWND waitForProcessSheet(const PROCESS_INFORMATION& process, DWORD timeoutMs) {
    return waitForProcessDialog(process, true, timeoutMs);
}

std::string settingsPath() {
    std::string path;
    settingsFilePath(&path);
    return path;
}

std::vector<unsigned char> readFileBytes(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

std::vector<unsigned char> readFileBytes(const std::string& utf8Path) {
    std::u16string path;
    utf8ToUtf16(utf8Path, &path);
    return readFileBytes(std::wstring(path.begin(), path.end()));
}

void writeFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(file);
}

std::string settingsFolder() {
    const std::string path = settingsPath();
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::vector<std::string> besideSettings() {
    const std::string folder = settingsFolder();
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != ".." && name != "KELDORIX.INI")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void removeBesideSettings() {
    for (const std::string& name : besideSettings())
        DeleteFileA((settingsFolder() + name).c_str());
}

void freshSettings() {
    DeleteFileA(settingsPath().c_str());
    ASSERT_EQ(loadSettings(), LoadStatus::Created);
}

void changeSettingsFile(const std::function<void(Bytes&)>& change) {
    Bytes bytes = readFileBytes(settingsPath());
    change(bytes);
    writeFileBytes(settingsPath(), bytes);
    ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
}

void deleteProgramKeys() {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Calderwick\\ZEMBSerConfig");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Calderwick");
}

bool programKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Calderwick\\ZEMBSerConfig", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool readProgramDword(const char* name, DWORD* value) {
    DWORD type = 0, size = sizeof *value;
    return RegGetValueA(HKEY_CURRENT_USER, "Software\\Calderwick\\ZEMBSerConfig", name, RRF_RT_ANY,
                        &type, value, &size) == ERROR_SUCCESS &&
           type == REG_DWORD && size == 4;
}

void setProgramValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Calderwick\\ZEMBSerConfig", 0, nullptr,
                              0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

std::wstring besideTests(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir = path;
    dir.resize(dir.find_last_of(L"\\/") + 1);
    return dir + name;
}

std::string fileText(const std::wstring& path) {
    std::string text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

static HANDLE inheritableFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0,
                       nullptr);
}

Ran zembcfgExe(const std::wstring& arguments, const std::wstring& program) {
    Ran ran;
    const std::wstring outPath = besideTests(L"zembcfg-out.txt");
    const std::wstring errPath = besideTests(L"zembcfg-err.txt");
    HANDLE out = inheritableFile(outPath), err = inheritableFile(errPath);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + program + L"\" " + arguments;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &ran.status);
        else
            TerminateProcess(process.hProcess, 9999);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    ran.out = fileText(outPath);
    ran.err = fileText(errPath);
    return ran;
}

Program::Program(const std::wstring& path) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + path + L"\"";
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process_) != FALSE;
}

Program::~Program() {
    if (!started_)
        return;
    if (running())
        TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool Program::running() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Program::waitForWindow(bool wantSheet, DWORD timeoutMs) {
    return waitForProcessDialog(process_, wantSheet, timeoutMs);
}

HWND Program::waitForMessage(UINT id, const std::wstring& named) {
    const HWND box = waitForWindow(false);
    if (box == nullptr)
        return nullptr;
    const std::wstring text = messageBoxText(box);
    EXPECT_TRUE(showsMessage(text, id)) << "message " << id << ": " << text;
    EXPECT_NE(text.find(named), std::wstring::npos) << "message " << id << " names " << named;
    return box;
}

bool Program::okAfter(const std::function<void(HWND sheet)>& act) {
    const HWND sheet = waitForWindow(true);
    if (sheet == nullptr)
        return false;
    act(sheet);
    postClick(sheet, IDOK);
    return true;
}

long Program::waitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

bool setProgramKeyAccess(const wchar_t* sddl) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Calderwick\\ZEMBSerConfig", 0, WRITE_DAC,
                      &key) != ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool applied = ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1,
                                                                        &descriptor, nullptr) &&
                   RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(key);
    return applied;
}
