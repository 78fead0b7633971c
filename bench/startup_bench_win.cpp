// Start-up benchmark: ZEMBSerConfig.exe against the floor program, runs
// alternating, timed from process creation until the sheet is visible and
// idle, and from OK until the process has exited. The floor also runs a
// second time with the window as users see it, for comparison. 100 presets
// lie in the operator's folder throughout, and the presets dialog is timed
// from the click until it shows them all.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
    double startMs = 0;
    double exitMs = 0;
    double peakMb = 0;
};

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK findSheet(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && IsWindowVisible(window) && GetDlgItem(window, 1082)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

bool runOnce(const std::wstring& exe, const wchar_t* arguments, Sample* sample) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    const double created = nowMs();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    Search search = {process.dwProcessId, nullptr};
    const double deadline = created + 30000;
    while (!search.found && nowMs() < deadline) {
        EnumWindows(findSheet, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    bool ok = search.found != nullptr;
    if (ok) {
        WaitForInputIdle(process.hProcess, 10000);
        sample->startMs = nowMs() - created;
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters))
            sample->peakMb = static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
        const double pressed = nowMs();
        PostMessageW(GetDlgItem(search.found, IDOK), BM_CLICK, 0, 0);
        ok = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
        sample->exitMs = nowMs() - pressed;
    }
    if (!ok)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok;
}

// The presets dialog of a running program: a visible dialog of the process
// with the presets list (control 601).
BOOL CALLBACK findPresets(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && IsWindowVisible(window) && GetDlgItem(window, 601)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// From the click on お気に入り(&F)... (control 1083) until its dialog is
// shown with every preset listed; -1 when it was not.
double presetsOpenMs(const std::wstring& exe, int listed) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + exe + L"\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    double took = -1;
    Search sheet = {process.dwProcessId, nullptr};
    for (const double deadline = nowMs() + 30000; !sheet.found && nowMs() < deadline; Sleep(1))
        EnumWindows(findSheet, reinterpret_cast<LPARAM>(&sheet));
    if (sheet.found) {
        WaitForInputIdle(process.hProcess, 10000);
        Sleep(200);
        Search dialog = {process.dwProcessId, nullptr};
        const double clicked = nowMs();
        PostMessageW(GetDlgItem(sheet.found, 1083), BM_CLICK, 0, 0);
        for (const double deadline = clicked + 30000; !dialog.found && nowMs() < deadline;)
            EnumWindows(findPresets, reinterpret_cast<LPARAM>(&dialog));
        if (dialog.found &&
            SendMessageW(GetDlgItem(dialog.found, 601), LB_GETCOUNT, 0, 0) >= listed)
            took = nowMs() - clicked;
        if (dialog.found)
            PostMessageW(dialog.found, WM_COMMAND, IDCANCEL, 0);
        Sleep(100);
        PostMessageW(GetDlgItem(sheet.found, IDCANCEL), BM_CLICK, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return took;
}

// The operator's presets folder with `count` presets, each a copy of the
// settings as zembcfg exports them; false when they could not be made.
bool makePresets(const std::wstring& dir, int count) {
    wchar_t appData[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH))
        return false;
    std::wstring folder = appData;
    for (const wchar_t* part : {L"\\Calderwick", L"\\ZEMBSerConfig", L"\\Presets"}) {
        folder += part;
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    const std::wstring first = folder + L"\\bench 000.toml";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring command = L"\"" + dir + L"zembcfg.exe\" export -o \"" + first + L"\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int i = 1; i < count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\bench %03d.toml", i);
        if (!CopyFileW(first.c_str(), (folder + name).c_str(), FALSE))
            return false;
    }
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dir = self;
    dir.resize(dir.find_last_of(L"\\/") + 1);
    const std::wstring program = dir + L"ZEMBSerConfig.exe";
    const std::wstring floor = dir + L"startup_floor.exe";

    struct Subject {
        const std::wstring* exe;
        const wchar_t* arguments;
    } const subjects[3] = {{&program, L""}, {&floor, L""}, {&floor, L"shown"}};
    Sample warm;
    for (const Subject& subject : subjects)
        if (!runOnce(*subject.exe, subject.arguments, &warm)) {
            std::fprintf(stderr, "could not run the programs\n");
            return 1;
        }
    // Exported from the settings file the warm-up made, and there for every
    // timed start: start-up must not read them.
    const int presets = 100;
    const bool withPresets = makePresets(dir, presets);
    std::vector<double> start[3], exit[3], peak[3];
    for (int i = 0; i < runs; ++i) {
        for (int which = 0; which < 3; ++which) {
            // Rotate which goes first so drift hits all alike.
            const int k = (which + i) % 3;
            Sample s;
            if (!runOnce(*subjects[k].exe, subjects[k].arguments, &s)) {
                std::fprintf(stderr, "run %d failed\n", i);
                return 1;
            }
            start[k].push_back(s.startMs);
            exit[k].push_back(s.exitMs);
            peak[k].push_back(s.peakMb);
        }
    }
    const double ps = median(start[0]), fs = median(start[1]);
    const double pe = median(exit[0]), fe = median(exit[1]);
    const double pm = *std::max_element(peak[0].begin(), peak[0].end());
    const double fm = *std::max_element(peak[1].begin(), peak[1].end());
    const double ss = median(start[2]), se = median(exit[2]);
    const double sm = *std::max_element(peak[2].begin(), peak[2].end());
    std::printf("runs: %d each, after one warm-up\n", runs);
    std::printf("start to visible and idle: program %.1f ms, floor %.1f ms, ratio %.3f\n", ps, fs,
                ps / fs);
    std::printf("OK to exit:                program %.1f ms, floor %.1f ms, ratio %.3f\n", pe, fe,
                pe / fe);
    std::printf("peak working set:          program %.2f MB, floor %.2f MB, ratio %.3f\n", pm, fm,
                pm / fm);
    std::printf("against the floor showing the window as users see it (tab labels, first page,\n"
                "measured swatch lists):\n");
    std::printf("start to visible and idle: floor %.1f ms, ratio %.3f\n", ss, ps / ss);
    std::printf("OK to exit:                floor %.1f ms, ratio %.3f\n", se, pe / se);
    std::printf("peak working set:          floor %.2f MB, ratio %.3f\n", sm, pm / sm);
    if (!withPresets) {
        std::printf("presets dialog: not measured (the presets could not be made)\n");
        return 0;
    }
    std::vector<double> opened;
    for (int i = 0; i < runs; ++i) {
        const double ms = presetsOpenMs(program, presets + 1); // and 標準設定
        if (ms < 0) {
            std::fprintf(stderr, "presets run %d failed\n", i);
            return 1;
        }
        opened.push_back(ms);
    }
    std::printf("presets dialog with %d presets, click to shown: median %.1f ms, worst %.1f ms\n",
                presets, median(opened), *std::max_element(opened.begin(), opened.end()));
    return 0;
}
