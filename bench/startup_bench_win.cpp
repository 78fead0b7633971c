// Start-up benchmark: ZEMBSerConfig.exe against the floor program, runs
// alternating, timed from process creation until the sheet is visible and
// idle, and from OK until the process has exited. The floor also runs a
// second time with the window as users see it, for comparison.
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
    return 0;
}
