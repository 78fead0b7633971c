// zembcfg on Windows: the settings file through CreateFileW so that a file
// held by another program is told apart from one that is missing, the
// settings program's own documents folder, the page-setup values, and the
// console in UTF-16.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "settings/cp932_text.h"
#include "settings/registry_win.h"
#include "zembcfg/console.h"
#include "zembcfg/zembcfg.h"

// Far beyond any settings file (17922 bytes), small enough to hold in memory.
static const DWORD kLargestFile = 16 * 1024 * 1024;

static std::wstring wide(const std::string& utf8) {
    std::u16string text;
    utf8ToUtf16(utf8, &text);
    return std::wstring(text.begin(), text.end());
}

static std::string utf8(const wchar_t* text) {
    const std::u16string_view view(reinterpret_cast<const char16_t*>(text), wcslen(text));
    return utf16ToUtf8(view);
}

static std::string systemMessage(DWORD error) {
    wchar_t* message = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::string text = length && message ? utf8(message) : "error " + std::to_string(error);
    if (message)
        LocalFree(message);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

ReadFailure readFileBytes(const std::string& path, std::vector<unsigned char>* bytes,
                          std::string* reason) {
    bytes->clear();
    // Sharing read and write: reading must never stand in the way of the
    // driver or the settings program.
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            *reason = "no such file";
            return ReadFailure::Missing;
        case ERROR_ACCESS_DENIED:
            *reason = "access denied";
            return ReadFailure::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            *reason = "held by another program (sharing violation)";
            return ReadFailure::InUse;
        default:
            *reason = systemMessage(error);
            return ReadFailure::Other;
        }
    }
    ReadFailure failure = ReadFailure::None;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size)) {
        *reason = systemMessage(GetLastError());
        failure = ReadFailure::Other;
    } else if (size.QuadPart > kLargestFile) {
        *reason = "too large to be a settings file";
        failure = ReadFailure::TooLarge;
    } else {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!bytes->empty() &&
            !ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &got, nullptr)) {
            const DWORD error = GetLastError();
            *reason = error == ERROR_LOCK_VIOLATION ? "held by another program (locked)"
                                                    : systemMessage(error);
            failure = error == ERROR_LOCK_VIOLATION ? ReadFailure::InUse : ReadFailure::Other;
        }
        bytes->resize(got);
    }
    CloseHandle(file);
    if (failure != ReadFailure::None)
        bytes->clear();
    return failure;
}

// The settings program's documents folder (special folder 5), then
// Adobe\Illustrator\KELDORIX.INI; unlike the program, creates nothing.
bool defaultSettingsPath(std::string* path) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &items)) || items == nullptr)
        return false;
    wchar_t folder[MAX_PATH] = {};
    const bool found = SHGetPathFromIDListW(items, folder) != FALSE && folder[0] != L'\0';
    CoTaskMemFree(items);
    if (!found)
        return false;
    std::wstring full = folder;
    if (full.back() == L'\\') // a documents folder at the root of a drive
        full.pop_back();
    full += L"\\Adobe\\Illustrator\\KELDORIX.INI";
    *path = utf8(full.c_str());
    return true;
}

bool readStoredPageSetup(StoredPageSetup* setup) {
    pageSetupDefaults(&setup->values);
    for (bool& stored : setup->stored)
        stored = false;
    setup->keyFound = false;
    HKEY company = nullptr, program = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kCompanyKeyPath, 0, KEY_READ, &company) == ERROR_SUCCESS) {
        if (RegOpenKeyExA(company, kProgramSubkey, 0, KEY_READ, &program) != ERROR_SUCCESS)
            program = nullptr;
        RegCloseKey(company);
    }
    if (program == nullptr)
        return true;
    setup->keyFound = true;
    for (int i = 0; i < kPageSetupValueCount; ++i) {
        // As the settings program reads them: any type of at most 4 bytes,
        // zero-extended.
        BYTE data[4] = {};
        DWORD size = sizeof data;
        if (RegQueryValueExA(program, kPageSetupValueNames[i], nullptr, nullptr, data, &size) !=
            ERROR_SUCCESS)
            continue;
        uint32_t word = 0;
        std::memcpy(&word, data, sizeof word);
        setPageSetupValue(&setup->values, i, word);
        setup->stored[i] = true;
    }
    RegCloseKey(program);
    return true;
}

std::vector<std::string> commandLineArguments(int, char**) {
    // The wide command line: the ANSI argv would lose what the code page lacks.
    std::vector<std::string> args;
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv == nullptr)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(utf8(argv[i]));
    LocalFree(argv);
    return args;
}

static void writeText(DWORD which, std::string_view text) {
    HANDLE stream = GetStdHandle(which);
    if (stream == nullptr || stream == INVALID_HANDLE_VALUE || text.empty())
        return;
    DWORD mode = 0;
    if (GetConsoleMode(stream, &mode)) {
        std::u16string wideText;
        utf8ToUtf16(text, &wideText);
        // In pieces: old consoles refuse very large single writes.
        const size_t piece = 8192;
        for (size_t at = 0; at < wideText.size(); at += piece) {
            const size_t n = wideText.size() - at < piece ? wideText.size() - at : piece;
            DWORD written = 0;
            WriteConsoleW(stream, wideText.data() + at, static_cast<DWORD>(n), &written, nullptr);
        }
        return;
    }
    size_t at = 0;
    while (at < text.size()) {
        DWORD written = 0;
        if (!WriteFile(stream, text.data() + at, static_cast<DWORD>(text.size() - at), &written,
                       nullptr) ||
            written == 0)
            return;
        at += written;
    }
}

void writeStandardOutput(std::string_view text) {
    writeText(STD_OUTPUT_HANDLE, text);
}

void writeStandardError(std::string_view text) {
    writeText(STD_ERROR_HANDLE, text);
}
