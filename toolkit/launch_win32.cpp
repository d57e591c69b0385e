#include "toolkit/launch.h"

#include <cstring>
#include <string>
#include <windows.h>

#include <shellapi.h>

namespace {

// Starts the name as a program; the handles are closed at once since
// nothing waits for it.
bool StartProgram(const char* name) {
    std::string commandLine = name[0] == '"' ? std::string(name) : '"' + std::string(name) + '"';
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Hands a document or web address to the shell's "Open" verb, in the
// document's own folder when the name gives one.
bool OpenWithShell(const char* name) {
    const char* lastBackslash = name[0] ? std::strrchr(name + 1, '\\') : nullptr;
    const std::string directory = lastBackslash ? std::string(name, lastBackslash + 1) : "";
    SHELLEXECUTEINFOA shell = {};
    shell.cbSize = sizeof shell;
    shell.fMask = SEE_MASK_NOCLOSEPROCESS;
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

} // namespace

int32_t DocumentOpen(const char* name) {
    if (!name) {
        name = "";
    }
    return StartProgram(name) || OpenWithShell(name) ? 1 : 0;
}
