// The お気に入り dialog: presets applied to, and registered from, what the
// sheet shows. It works on the in-memory settings only; the file and the
// registry are written by OK as always, and ｷｬﾝｾﾙ discards an applied preset.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "app/app.h"
#include "presets/presets.h"
#include "resources/resource_ids.h"
#include "settings/cp932_text.h"
#include "settings/default_image.h"
#include "settings/file_layout.h"
#include "settings/page_setup.h"
#include "storage/file_io.h"
#include "storage/settings_commit.h"
#include "storage/settings_file.h"
#include "winui/dialog_face_win.h"
#include "winui/instance_win.h"
#include "winui/modal_dialog_win.h"

namespace {

// The folders and what they held when last read; read when the dialog
// opens and after each change, never at start-up.
PresetFolders g_folders;
PresetList g_list;
HWND g_sheetOwner;

std::wstring wideOf(const std::string& utf8) {
    std::u16string text;
    if (!utf8ToUtf16(utf8, &text))
        return L"?";
    return std::wstring(text.begin(), text.end());
}

std::string utf8Of(const std::wstring& text) {
    return utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

std::wstring loadText(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(g_instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

// The string resource with each %s replaced by the next argument (UTF-8),
// in order: names and reasons are the operator's own text, never a format.
std::wstring filled(UINT id, std::initializer_list<std::string_view> arguments) {
    std::wstring text = loadText(id);
    size_t at = 0;
    for (std::string_view argument : arguments) {
        at = text.find(L"%s", at);
        if (at == std::wstring::npos)
            break;
        const std::wstring wide = wideOf(std::string(argument));
        text.replace(at, 2, wide);
        at += wide.size();
    }
    return text;
}

int say(HWND owner, UINT id, std::initializer_list<std::string_view> arguments, UINT style) {
    return MessageBoxW(owner, filled(id, arguments).c_str(), loadText(IDS_PRESET_CAPTION).c_str(),
                       style);
}

std::wstring windowTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(wcslen(text.c_str()));
    return text;
}

// ---- the name prompt ----------------------------------------------------------

// The name asked for: the one proposed, then the one given.
std::wstring g_askedName;

INT_PTR CALLBACK namePromptProc(HWND prompt, UINT message, WPARAM wParam, LPARAM lParam) try {
    switch (message) {
    case WM_INITDIALOG: {
        HWND edit = GetDlgItem(prompt, IDC_PRESET_NAME);
        SendMessageW(edit, EM_LIMITTEXT, kPresetNameMax, 0);
        SetWindowTextW(edit, g_askedName.c_str());
        fitModalDialog(prompt, g_instance, IDD_PRESET_NAME);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return FALSE; // the focus was set here
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            HWND edit = GetDlgItem(prompt, IDC_PRESET_NAME);
            const std::wstring name = windowTextOf(edit);
            const NameProblem problem = checkPresetName(utf8Of(name));
            if (problem != NameProblem::None) {
                say(prompt, IDS_PRESET_NAME_REFUSED, {nameProblemJapanese(problem)},
                    MB_OK | MB_ICONWARNING);
                SetFocus(edit);
                SendMessageW(edit, EM_SETSEL, 0, -1);
                return TRUE;
            }
            g_askedName = name;
            EndDialog(prompt, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(prompt, IDCANCEL);
        }
        return TRUE;
    case WM_DPICHANGED:
        fitModalDialogToDpi(prompt, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    }
    return FALSE;
} catch (...) {
    EndDialog(prompt, IDCANCEL);
    return TRUE;
}

// A name the rules allow (proposing *name), or false when the operator
// cancelled.
bool askName(HWND owner, std::wstring* name) {
    g_askedName = *name;
    if (dialogBoxInInstalledFace(g_instance, IDD_PRESET_NAME, owner, namePromptProc) != IDOK)
        return false;
    *name = g_askedName;
    return true;
}

// ---- the dialog ---------------------------------------------------------------

const Preset* selectedPreset(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_PRESET_LIST);
    const LRESULT item = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (item == LB_ERR)
        return nullptr;
    const LRESULT index = SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(item), 0);
    return index >= 0 && static_cast<size_t>(index) < g_list.presets.size()
               ? &g_list.presets[static_cast<size_t>(index)]
               : nullptr;
}

// A button about to be disabled hands the focus to the list first: a
// disabled control with the focus leaves the keyboard nowhere.
void enable(HWND dialog, int id, bool enabled) {
    HWND button = GetDlgItem(dialog, id);
    if (!enabled && GetFocus() == button)
        SetFocus(GetDlgItem(dialog, IDC_PRESET_LIST));
    EnableWindow(button, enabled);
}

void showSelection(HWND dialog) {
    const Preset* preset = selectedPreset(dialog);
    std::wstring about;
    if (preset && !preset->readable)
        about = filled(IDS_PRESET_ABOUT_UNREADABLE, {preset->reason, preset->path});
    else if (preset && preset->kind == PresetKind::Defaults)
        about = loadText(IDS_PRESET_ABOUT_STANDARD);
    else if (preset)
        about = filled(preset->kind == PresetKind::Shared ? IDS_PRESET_ABOUT_SHARED
                                                          : IDS_PRESET_ABOUT_OWN,
                       {preset->path});
    SetDlgItemTextW(dialog, IDC_PRESET_ABOUT, about.c_str());
    const bool readable = preset && preset->readable;
    enable(dialog, IDC_PRESET_APPLY, readable);
    enable(dialog, IDC_PRESET_EXPORT, readable && preset->kind != PresetKind::Defaults);
    enable(dialog, IDC_PRESET_DELETE, preset && preset->kind == PresetKind::Own);
}

// Reads the folders again and lists what they hold, the preset of that name
// and kind selected (else the first).
void fillList(HWND dialog, std::string_view selectName = {},
              PresetKind selectKind = PresetKind::Own) {
    g_list = listPresets(g_folders);
    HWND list = GetDlgItem(dialog, IDC_PRESET_LIST);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    const std::wstring shared = loadText(IDS_PRESET_SHARED_MARK);
    const std::wstring unreadable = loadText(IDS_PRESET_UNREADABLE_MARK);
    LRESULT selected = 0;
    for (size_t i = 0; i < g_list.presets.size(); ++i) {
        const Preset& preset = g_list.presets[i];
        std::wstring text = wideOf(preset.name);
        if (preset.kind == PresetKind::Shared)
            text += shared;
        if (!preset.readable)
            text += unreadable;
        const LRESULT item =
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (item < 0)
            continue;
        SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(i));
        if (!selectName.empty() && preset.kind == selectKind &&
            samePresetName(preset.name, selectName))
            selected = item;
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    showSelection(dialog);
    for (const std::string& problem : g_list.folderProblems)
        say(dialog, IDS_PRESET_FOLDER_FAILED, {problem}, MB_OK | MB_ICONWARNING);
}

void tell(HWND dialog, const PresetResult& result, std::string_view name) {
    MessageBoxW(dialog, wideOf(presetMessageJapanese(result, name)).c_str(),
                loadText(IDS_PRESET_CAPTION).c_str(), MB_OK | MB_ICONWARNING);
}

// The settings as OK would store them now: the image of the file and the
// page-setup values with the rectangles OK derives. False when no settings
// file was read at start-up (the presets then apply over the defaults).
bool currentSettings(PresetSettings* settings) {
    settings->pageSetup = g_pageSetup;
    computePageRects(&settings->pageSetup, g_plotterRecord);
    return settingsImageToSave(&settings->image);
}

bool yes(HWND dialog, UINT question, std::string_view name) {
    return say(dialog, question, {name}, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void applySelected(HWND dialog) {
    const Preset* preset = selectedPreset(dialog);
    if (!preset || !preset->readable)
        return;
    // What the pages show now is the start, as OK would store it; a page
    // that refuses has told the operator why, and the sheet is theirs again.
    if (!storeEveryPage(g_sheetOwner)) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    PresetSettings current;
    const bool haveFile = currentSettings(&current);
    const PresetApplied applied = applyPreset(*preset, haveFile ? &current : nullptr);
    const std::vector<unsigned char>& image = applied.settings.image;
    if (!applied.problems.empty() || image.size() < kCatalogueOffset + kCatalogueSize) {
        say(dialog, IDS_PRESET_APPLY_FAILED,
            {preset->name, applied.problems.empty() ? std::string() : applied.problems.front()},
            MB_OK | MB_ICONERROR);
        return;
    }
    // Only what OK saves: the record, the catalogue and the page setup.
    std::memcpy(&g_plotterRecord, image.data() + kRecordOffset, kRecordSize);
    std::memcpy(&g_paperCatalogue, image.data() + kCatalogueOffset, kCatalogueSize);
    g_pageSetup = applied.settings.pageSetup;
    showSettingsOnEveryPage();
    EndDialog(dialog, IDOK);
}

void registerCurrent(HWND dialog) {
    if (!storeEveryPage(g_sheetOwner)) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    PresetSettings current;
    if (!currentSettings(&current))
        current.image = defaultSettingsImage();
    StoredPageSetup pageSetup = {current.pageSetup, {}, true};
    std::fill(std::begin(pageSetup.stored), std::end(pageSetup.stored), true);
    const Preset* selected = selectedPreset(dialog);
    std::wstring name =
        selected && selected->kind == PresetKind::Own ? wideOf(selected->name) : std::wstring();
    for (;;) {
        if (!askName(dialog, &name))
            return;
        const std::string utf8 = utf8Of(name);
        PresetResult result = savePreset(g_folders, utf8, current.image, &pageSetup, false);
        if (result.status == PresetStatus::Exists) {
            if (!yes(dialog, IDS_PRESET_REPLACE, utf8))
                continue;
            result = savePreset(g_folders, utf8, current.image, &pageSetup, true);
        }
        if (result.status == PresetStatus::Done) {
            fillList(dialog, utf8);
            return;
        }
        tell(dialog, result, utf8);
        // Another name may do; a folder that cannot be written will not.
        if (result.status != PresetStatus::Shared && result.status != PresetStatus::BadName)
            return;
    }
}

void deleteSelected(HWND dialog) {
    const Preset* preset = selectedPreset(dialog);
    if (!preset || preset->kind != PresetKind::Own || !yes(dialog, IDS_PRESET_DELETE, preset->name))
        return;
    const std::string name = preset->name;
    const PresetResult result = deletePreset(g_folders, name);
    if (result.status != PresetStatus::Done)
        tell(dialog, result, name);
    fillList(dialog);
}

// The file dialogs' filter: the string resource with '|' for each NUL.
std::wstring fileFilter() {
    std::wstring filter = loadText(IDS_PRESET_FILTER);
    for (wchar_t& c : filter)
        if (c == L'|')
            c = L'\0';
    return filter;
}

// comdlg32 only when a file dialog is asked for: imported, it would be mapped
// at every start, with its own imports, for a dialog most runs never open.
bool runFileDialog(OPENFILENAMEW* chosen, bool save) {
    static const HMODULE module =
        LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    using FileDialog = BOOL(WINAPI*)(OPENFILENAMEW*);
    void* const found = module ? reinterpret_cast<void*>(GetProcAddress(
                                     module, save ? "GetSaveFileNameW" : "GetOpenFileNameW"))
                               : nullptr;
    return found && reinterpret_cast<FileDialog>(found)(chosen);
}

// The system's Save As or Open dialog for a preset file, starting from
// `file`; the path chosen, or "" when none was.
std::wstring chooseFile(HWND dialog, bool save, std::wstring file) {
    file.resize(std::max<size_t>(file.size(), MAX_PATH) + 1);
    const std::wstring filter = fileFilter();
    OPENFILENAMEW chosen = {};
    chosen.lStructSize = sizeof chosen;
    chosen.hwndOwner = dialog;
    chosen.lpstrFilter = filter.c_str();
    chosen.lpstrFile = file.data();
    chosen.nMaxFile = static_cast<DWORD>(file.size());
    chosen.lpstrDefExt = L"toml";
    chosen.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!runFileDialog(&chosen, save))
        return {};
    file.resize(wcslen(file.c_str()));
    return file;
}

// A document written to `path` as the settings file is saved: whole or not
// at all. Why not, in words, or "" when it was written.
std::string writeDocument(const std::string& path, const std::string& text) {
    CommitRequest request;
    request.path = path;
    request.build = [&text](const FileBytes*, FileBytes* image) {
        image->assign(text.begin(), text.end());
        return true;
    };
    switch (commitFile(request).outcome) {
    case CommitOutcome::Saved:
        return {};
    case CommitOutcome::ReadOnly:
        return utf8Of(loadText(IDS_PRESET_READ_ONLY));
    default:
        return utf8Of(loadText(IDS_PRESET_NOT_WRITTEN));
    }
}

// The folder and those above it, where missing; whether it is usable, the
// write into it tells.
void makeFolders(const std::string& folder) {
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        createDirectory(folder.substr(0, at).c_str());
    createDirectory(folder.c_str());
}

void exportSelected(HWND dialog) {
    const Preset* preset = selectedPreset(dialog);
    if (!preset || !preset->readable || preset->kind == PresetKind::Defaults)
        return;
    const std::string text = preset->text;
    const std::wstring file = chooseFile(dialog, true, wideOf(preset->name) + L".toml");
    if (file.empty())
        return;
    const std::string why = writeDocument(utf8Of(file), text);
    if (!why.empty())
        say(dialog, IDS_PRESET_EXPORT_FAILED, {utf8Of(file), why}, MB_OK | MB_ICONERROR);
}

// A file read in is checked whole, as it would be applied now, and kept
// as it is (a partial one stays partial) under a name the operator gives.
void importFile(HWND dialog) {
    const std::wstring file = chooseFile(dialog, false, {});
    if (file.empty())
        return;
    std::wstring name = file.substr(file.find_last_of(L"\\/") + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.resize(dot);
    Preset candidate;
    candidate.name = utf8Of(name);
    candidate.path = utf8Of(file);
    FileBytes bytes;
    std::string refused;
    if (readWholeFile(candidate.path, &bytes) != ReadOutcome::Read)
        refused = utf8Of(loadText(IDS_PRESET_NOT_READ));
    else if (bytes.size() > kPresetMaxBytes)
        refused = utf8Of(loadText(IDS_PRESET_TOO_LARGE));
    if (refused.empty()) {
        candidate.text.assign(bytes.begin(), bytes.end());
        candidate.readable = true;
        PresetSettings current;
        const bool haveFile = currentSettings(&current);
        const PresetApplied checked = applyPreset(candidate, haveFile ? &current : nullptr);
        if (!checked.problems.empty())
            refused = checked.problems.front();
    }
    if (!refused.empty()) {
        say(dialog, IDS_PRESET_IMPORT_REFUSED, {candidate.path, refused}, MB_OK | MB_ICONWARNING);
        return;
    }
    for (;;) {
        if (!askName(dialog, &name))
            return;
        const std::string utf8 = utf8Of(name);
        const Preset* same = findPreset(g_list, utf8);
        if (same && same->kind != PresetKind::Own) {
            tell(dialog, {PresetStatus::Shared, same->path, NameProblem::None}, utf8);
            continue;
        }
        if (same && !yes(dialog, IDS_PRESET_REPLACE, utf8))
            continue;
        const std::string folder = g_folders.own;
        const std::string path = folder + "\\" + (same ? same->name : utf8) + ".toml";
        if (folder.empty()) {
            tell(dialog, {PresetStatus::NoFolder, folder, NameProblem::None}, utf8);
            return;
        }
        makeFolders(folder);
        const std::string why = writeDocument(path, candidate.text);
        if (!why.empty()) {
            say(dialog, IDS_PRESET_SAVE_FAILED, {path, why}, MB_OK | MB_ICONERROR);
            return;
        }
        fillList(dialog, utf8);
        return;
    }
}

void command(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_PRESET_LIST:
        if (code == LBN_SELCHANGE)
            showSelection(dialog);
        else if (code == LBN_DBLCLK)
            applySelected(dialog);
        break;
    case IDC_PRESET_APPLY:
        applySelected(dialog);
        break;
    case IDC_PRESET_REGISTER:
        registerCurrent(dialog);
        break;
    case IDC_PRESET_DELETE:
        deleteSelected(dialog);
        break;
    case IDC_PRESET_EXPORT:
        exportSelected(dialog);
        break;
    case IDC_PRESET_IMPORT:
        importFile(dialog);
        break;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        break;
    }
}

// No exception may leave a window procedure: short of memory, the dialog
// closes with nothing changed that it had not finished.
INT_PTR CALLBACK presetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) try {
    switch (message) {
    case WM_INITDIALOG:
        fitModalDialog(dialog, g_instance, IDD_PRESETS);
        if (!systemPresetFolders(&g_folders))
            g_folders = {};
        fillList(dialog);
        SetFocus(GetDlgItem(dialog, IDC_PRESET_LIST));
        return FALSE; // the focus was set here
    case WM_COMMAND:
        command(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DPICHANGED:
        fitModalDialogToDpi(dialog, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    }
    return FALSE;
} catch (...) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
}

} // namespace

void runPresetDialog(HWND sheet) {
    g_sheetOwner = sheet;
    dialogBoxInInstalledFace(g_instance, IDD_PRESETS, sheet, presetDialogProc);
    g_list = {};
    g_sheetOwner = nullptr;
}
