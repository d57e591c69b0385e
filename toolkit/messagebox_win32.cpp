#include "toolkit/messagebox.h"

#include "toolkit/lock.h"
#include "toolkit/registry.h"

#include <windows.h>

namespace {

struct DisabledWindow {
    DWORD thread;
    HWND window;
};

// Windows disabled by the message boxes that are up, in every thread. The
// lock guards only the links: it is never held while a window is enabled or
// disabled, since that sends messages that may show another box.
NodeList disabledWindows;
ToolkitLock disabledWindowsLock;

BOOL CALLBACK DisableIfOther(HWND window, LPARAM foreground) {
    const DWORD thread = GetCurrentThreadId();
    if (GetWindowThreadProcessId(window, nullptr) != thread || !IsWindowVisible(window) ||
        !IsWindowEnabled(window) || window == reinterpret_cast<HWND>(foreground)) {
        return TRUE;
    }
    {
        const ToolkitLockHold hold(disabledWindowsLock);
        auto* entry =
            static_cast<DisabledWindow*>(NodeListPush(disabledWindows, sizeof(DisabledWindow)));
        // Without an entry the window could never be enabled again: leave it alone.
        if (!entry) {
            return TRUE;
        }
        *entry = {thread, window};
    }
    EnableWindow(window, FALSE);
    return TRUE;
}

void DisableOtherWindows() {
    EnumWindows(DisableIfOther, reinterpret_cast<LPARAM>(GetForegroundWindow()));
}

// Takes this thread's newest entry off the list; nullptr when none is left.
HWND TakeOwnNewest() {
    const DWORD thread = GetCurrentThreadId();
    const ToolkitLockHold hold(disabledWindowsLock);
    for (void* payload = NodeListNext(disabledWindows, nullptr); payload;
         payload = NodeListNext(disabledWindows, payload)) {
        const DisabledWindow entry = *static_cast<DisabledWindow*>(payload);
        if (entry.thread == thread) {
            NodeListRemove(disabledWindows, payload);
            return entry.window;
        }
    }
    return nullptr;
}

void ReenableWindows() {
    while (HWND window = TakeOwnNewest()) {
        EnableWindow(window, TRUE);
    }
}

// The foreground window owns the box when it is one of this process's.
HWND ChooseOwner() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground && GetWindowThreadProcessId(foreground, &process) &&
        process == GetCurrentProcessId()) {
        return foreground;
    }
    return nullptr;
}

} // namespace

int32_t MessageBoxShow(const char* title, const char* text, uint32_t flags) {
    DisableOtherWindows();
    const int32_t pressed = MessageBoxA(ChooseOwner(), text, title, flags);
    ReenableWindows();
    return pressed;
}
