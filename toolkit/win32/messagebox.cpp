// Message boxes over USER32's MessageBoxA, owned by the foreground window
// when it is one of the program's; the core disables the other windows.
#include "toolkit/core/backend.h"

#include <windows.h>

namespace {

struct ThreadWindows {
    WindowVisitor visit;
    void* context;
};

BOOL CALLBACK VisitIfThisThreads(HWND window, LPARAM walk) {
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        const auto& windows = *reinterpret_cast<const ThreadWindows*>(walk);
        windows.visit(reinterpret_cast<intptr_t>(window), windows.context);
    }
    return TRUE;
}

} // namespace

// The box disables its owner itself, and enables it again when it closes.
const bool PLATFORM_BOX_DISABLES_OWNER = true;

void PlatformEachThreadWindow(WindowVisitor visit, void* context) {
    ThreadWindows walk = {visit, context};
    EnumWindows(VisitIfThisThreads, reinterpret_cast<LPARAM>(&walk));
}

bool PlatformWindowUsable(intptr_t window) {
    HWND handle = reinterpret_cast<HWND>(window);
    return IsWindowVisible(handle) && IsWindowEnabled(handle);
}

void PlatformWindowEnable(intptr_t window, bool enable) {
    EnableWindow(reinterpret_cast<HWND>(window), enable);
}

uint32_t PlatformThreadId() {
    return GetCurrentThreadId();
}

// The foreground window owns the box when it is one of this process's.
intptr_t PlatformBoxOwner() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground && GetWindowThreadProcessId(foreground, &process) &&
        process == GetCurrentProcessId()) {
        return reinterpret_cast<intptr_t>(foreground);
    }
    return 0;
}

int32_t PlatformMessageBox(intptr_t owner, const char* title, const char* text, uint32_t flags) {
    return MessageBoxA(reinterpret_cast<HWND>(owner), text, title, flags);
}
