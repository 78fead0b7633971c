// The folders from the shell, and a folder's files through the wide calls.
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "presets/preset_folder.h"
#include "presets/presets.h"
#include "settings/cp932_text.h"

namespace {

const char kPresetsBelow[] = "\\Calderwick\\ZEMBSerConfig\\Presets";

bool knownFolder(REFKNOWNFOLDERID id, std::string* path) {
    PWSTR wide = nullptr;
    const bool found = SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &wide));
    if (found) {
        *path = utf16ToUtf8(reinterpret_cast<const char16_t*>(wide));
        while (!path->empty() && path->back() == '\\')
            path->pop_back();
        *path += kPresetsBelow;
    }
    CoTaskMemFree(wide);
    return found;
}

} // namespace

bool systemPresetFolders(PresetFolders* folders) {
    *folders = {};
    const bool own = knownFolder(FOLDERID_RoamingAppData, &folders->own);
    const bool shared = knownFolder(FOLDERID_ProgramData, &folders->shared);
    return own || shared;
}

FolderListing listFolderFiles(const std::string& folder, std::vector<std::string>* names,
                              std::string* reason) {
    names->clear();
    std::u16string pattern;
    utf8ToUtf16(folder + "\\*", &pattern);
    WIN32_FIND_DATAW found;
    const HANDLE find =
        FindFirstFileExW(reinterpret_cast<LPCWSTR>(pattern.c_str()), FindExInfoBasic, &found,
                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return FolderListing::Missing;
        *reason = error == ERROR_ACCESS_DENIED
                      ? "access denied"
                      : "cannot be read (error " + std::to_string(error) + ")";
        return FolderListing::Failed;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names->push_back(utf16ToUtf8(reinterpret_cast<const char16_t*>(found.cFileName)));
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return FolderListing::Listed;
}
