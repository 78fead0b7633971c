// zembcfg on Windows: the settings program's own documents folder, its
// session lock, and the console in UTF-16.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "settings/cp932_text.h"
#include "storage/settings_file.h"
#include "storage/sheet_lock_win.h"
#include "zembcfg/console.h"
#include "zembcfg/zembcfg.h"

static std::string utf8(const wchar_t* text) {
    const std::u16string_view view(reinterpret_cast<const char16_t*>(text), wcslen(text));
    return utf16ToUtf8(view);
}

// The settings program's file, found as the program finds it but without
// creating any folder.
bool defaultSettingsPath(std::string* path) {
    return settingsFilePath(path, false);
}

bool settingsProgramOpen() {
    return sheetIsOpen();
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
