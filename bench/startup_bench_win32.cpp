// Start-up time of GUI programs: from process creation until the program's
// window is visible and the program waits for input (WaitForInputIdle).
//   startup_bench RUNS PROGRAM REFERENCE "REFERENCE NAME" "TARGET"
// Runs both programs alternately, RUNS times each, and prints one table row.
#include "median.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD START_TIMEOUT_MS = 20000;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Milliseconds until the window is shown and idle, or a negative value.
double TimeStart(const std::string& program) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\"";
    LARGE_INTEGER begin;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    double elapsed = -1;
    WindowSearch search = {process.dwProcessId, nullptr};
    const DWORD deadline = GetTickCount() + START_TIMEOUT_MS;
    if (WaitForInputIdle(process.hProcess, START_TIMEOUT_MS) == 0) {
        while (EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search)),
               !search.found && GetTickCount() < deadline) {
            Sleep(0);
        }
        if (search.found) {
            LARGE_INTEGER end;
            QueryPerformanceCounter(&end);
            elapsed = Milliseconds(begin, end);
        }
    }
    if (search.found) {
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM REFERENCE NAME TARGET\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<double> program, reference;
    // Alternating, and each pair in turn order, so neither profits from a
    // warm cache the other paid for.
    for (int run = 0; run < runs; ++run) {
        const bool programFirst = run % 2 == 0;
        const double first = TimeStart(programFirst ? argv[2] : argv[3]);
        const double second = TimeStart(programFirst ? argv[3] : argv[2]);
        if (first < 0 || second < 0) {
            std::fprintf(stderr, "a program did not show an idle window\n");
            return 1;
        }
        program.push_back(programFirst ? first : second);
        reference.push_back(programFirst ? second : first);
    }
    const double p = Median(program), r = Median(reference);
    std::printf("start-up to idle window (Wine, median of %d)|%.1f ms|%.1f ms %s|%.2f|%s\n", runs,
                p, r, argv[4], p / r, argv[5]);
    return 0;
}
