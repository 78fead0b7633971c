// The import's file steps on Windows, with the wide calls so that any path
// the console passes works.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "settings/cp932_text.h"
#include "settings/page_setup.h"
#include "settings/record.h"
#include "settings/registry_win.h"
#include "settings/settings_file.h"
#include "zembcfg/zembcfg.h"
#include "zembcfg/import_files.h"

static std::wstring widePath(const std::string& path) {
    std::u16string wide;
    utf8ToUtf16(path, &wide);
    return std::wstring(wide.begin(), wide.end());
}

static FileStatus fromError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return FileStatus::Missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileStatus::Held;
    case ERROR_ACCESS_DENIED:
        return FileStatus::Denied;
    default:
        return FileStatus::Failed;
    }
}

bool fileExists(const std::string& path) {
    return GetFileAttributesW(widePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileStatus writeNewFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return fromError(GetLastError());
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    CloseHandle(file);
    return ok ? FileStatus::Done : fromError(error);
}

FileStatus renameReplacing(const std::string& from, const std::string& to) {
    const std::wstring target = widePath(to);
    if (MoveFileExW(widePath(from).c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FileStatus::Done;
    const DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED)
        return fromError(error);
    // Replacing a file that another program has open is refused as "access
    // denied"; opening it for deletion tells that apart from a locked folder.
    const HANDLE file =
        CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION ? FileStatus::Held : FileStatus::Denied;
    CloseHandle(file);
    return FileStatus::Denied;
}

void removeFile(const std::string& path) {
    DeleteFileW(widePath(path).c_str());
}

static void setDword(HKEY key, int index, uint32_t word) {
    const BYTE data[4] = {static_cast<BYTE>(word), static_cast<BYTE>(word >> 8),
                          static_cast<BYTE>(word >> 16), static_cast<BYTE>(word >> 24)};
    RegSetValueExA(key, kPageSetupValueNames[index], 0, REG_DWORD, data, sizeof data);
}

bool storePageSetup(const std::vector<std::pair<int, uint32_t>>& given,
                    const std::vector<unsigned char>& image) {
    StoredPageSetup stored;
    readStoredPageSetup(&stored);
    PageSetup values = stored.values;
    for (const auto& [index, word] : given)
        setPageSetupValue(&values, index, word);
    PlotterRecord record = {};
    if (image.size() > kRecordOffset)
        std::memcpy(&record, image.data() + kRecordOffset,
                    std::min<size_t>(kRecordSize, image.size() - kRecordOffset));
    computePageRects(&values, record);
    ProgramKey key;
    if (!openProgramKey(&key))
        return true;
    for (const auto& [index, word] : given)
        setDword(key.key, index, word);
    // The rectangles follow everything else, as after the sheet's OK.
    for (int i = 0; i < kPageSetupValueCount; ++i)
        if (std::strncmp(kPageSetupValueNames[i], "rPage.", 6) == 0 ||
            std::strncmp(kPageSetupValueNames[i], "rPaper.", 7) == 0)
            setDword(key.key, i, pageSetupValue(values, i));
    closeProgramKey(&key);
    return true;
}
