// Message boxes: the platform shows the box; the core disables the thread's
// other visible, enabled top-level windows while it is up and enables them
// again afterwards.
#include "toolkit/messagebox.h"

#include "toolkit/core/backend.h"
#include "toolkit/core/lock.h"

namespace {

struct DisabledWindow {
    uint32_t thread;
    intptr_t window;
};

// Windows disabled by the message boxes that are up, in every thread. The
// lock guards only the links: it is never held while a window is enabled or
// disabled, since that sends messages that may show another box.
NodeList disabledWindows;
ToolkitLock disabledWindowsLock;

struct Disabling {
    intptr_t spared; // the owner, which the box disables itself
    uint32_t thread;
};

void DisableIfOther(intptr_t window, void* context) {
    const auto& disabling = *static_cast<const Disabling*>(context);
    if (window == disabling.spared || !PlatformWindowUsable(window)) {
        return;
    }
    {
        const ToolkitLockHold hold(disabledWindowsLock);
        auto* entry =
            static_cast<DisabledWindow*>(NodeListPush(disabledWindows, sizeof(DisabledWindow)));
        // Without an entry the window could never be enabled again: leave it alone.
        if (!entry) {
            return;
        }
        *entry = {disabling.thread, window};
    }
    PlatformWindowEnable(window, false);
}

// Takes this thread's newest entry off the list; 0 when none is left.
intptr_t TakeOwnNewest(uint32_t thread) {
    const ToolkitLockHold hold(disabledWindowsLock);
    for (void* payload = NodeListNext(disabledWindows, nullptr); payload;
         payload = NodeListNext(disabledWindows, payload)) {
        const DisabledWindow entry = *static_cast<DisabledWindow*>(payload);
        if (entry.thread == thread) {
            NodeListRemove(disabledWindows, payload);
            return entry.window;
        }
    }
    return 0;
}

} // namespace

int32_t MessageBoxShow(const char* title, const char* text, uint32_t flags) {
    const intptr_t owner = PlatformBoxOwner();
    Disabling disabling = {PLATFORM_BOX_DISABLES_OWNER ? owner : 0, PlatformThreadId()};
    PlatformEachThreadWindow(DisableIfOther, &disabling);
    const int32_t pressed = PlatformMessageBox(owner, title ? title : "", text ? text : "", flags);
    while (intptr_t window = TakeOwnNewest(disabling.thread)) {
        PlatformWindowEnable(window, true);
    }
    return pressed;
}
