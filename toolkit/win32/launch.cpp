// Program start over KERNEL32's CreateProcessA and documents over SHELL32's
// "Open" verb.
#include "toolkit/core/backend.h"

#include <cstring>
#include <string>
#include <windows.h>

#include <shellapi.h>

// The handles are closed at once since nothing waits for the program.
bool PlatformStartProgram(const char* commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// In the document's own folder when the name gives one.
bool PlatformOpenDocument(const char* name) {
    const char* lastBackslash = name[0] ? std::strrchr(name + 1, '\\') : nullptr;
    const std::string directory = lastBackslash ? std::string(name, lastBackslash + 1) : "";
    SHELLEXECUTEINFOA shell = {};
    shell.cbSize = sizeof shell;
    // The caller reports a failure as it sees fit; the shell shows no box.
    shell.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    shell.lpVerb = "Open";
    shell.lpFile = name;
    shell.lpParameters = "";
    shell.lpDirectory = lastBackslash ? directory.c_str() : nullptr;
    shell.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&shell)) {
        return false;
    }
    if (shell.hProcess) {
        CloseHandle(shell.hProcess);
    }
    return true;
}
