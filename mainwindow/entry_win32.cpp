// The process entry: the only place in the program that names Win32.
#include "mainwindow/commands.h"
#include "mainwindow/main_window.h"
#include "toolkit/windows.h"

#include <windows.h>

namespace {

// Without its window the program could only wait for events that never come.
constexpr int EXIT_NO_WINDOW = 1;

// Closes every window, flushes and closes every file, frees the heap.
int ShutDown(int exitCode) {
    RuntimeEnd();
    return exitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!RuntimeStart()) {
        return EXIT_NO_WINDOW;
    }
    ProgramState state;
    if (!BuildMainWindow()) {
        return ShutDown(EXIT_NO_WINDOW);
    }
    RunMainLoop(state);
    return ShutDown(0);
}
