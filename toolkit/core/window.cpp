// The window library's platform-free half: the window registry, the event
// state that EventWait hands out, and Tab focus order.
#include "toolkit/core/backend.h"
#include "toolkit/core/event_stream.h"
#include "toolkit/windows.h"

#include <new>

namespace {

struct WindowRecord {
    intptr_t handle;
    intptr_t focusKeys; // 0 when there are none: no Tab movement
};

constexpr int32_t WINDOW_GROWTH_STEP = 16;

ObjectRegistry<WindowRecord> windows;
EventState events;

} // namespace

// Safe after WindowLibraryEnd: the registry is kept, and events left from
// an earlier run are dropped, not their nodes lost.
bool WindowLibraryInit() {
    if (!windows.slots && !RegistryCreate(windows, WINDOW_GROWTH_STEP, WindowClose)) {
        return false;
    }
    QueuedEvent dropped;
    while (EventQueueTake(events.queue, &dropped)) {
    }
    events = EventState{};
    PlatformWindowLibraryStart();
    return true;
}

void WindowLibraryEnd() {
    RegistryEnumBegin(windows);
    ObjectNumber number = 0;
    while (RegistryEnumNext(windows, &number)) {
        WindowClose(number);
    }
}

intptr_t WindowOpen(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                    const char* title, uint32_t flags) {
    ObjectNumber claimed = number;
    WindowRecord* record = RegistryClaim(windows, number, &claimed);
    if (!record) {
        return 0;
    }
    const WindowStyle style = WindowStyleFor(flags);
    const intptr_t window =
        PlatformWindowCreate(claimed, x, y, width, height, title ? title : "", flags, style);
    if (!window) {
        RegistryRelease(windows, claimed);
        return 0;
    }
    record->handle = window;
    if (style.show) {
        PlatformWindowShow(window, style.maximize);
    }
    // Showing ran the window's handlers; look the record up again.
    if ((record = RegistryLookup(windows, claimed))) {
        record->focusKeys = PlatformFocusKeysCreate();
    }
    return RegistryCreateResult(number, claimed, window);
}

void WindowClose(ObjectNumber number) {
    const WindowRecord* record = RegistryLookup(windows, number);
    if (!record) {
        return;
    }
    const WindowRecord closing = *record;
    PlatformWindowDestroy(closing.handle, number);
    if (closing.focusKeys) {
        PlatformFocusKeysDestroy(closing.focusKeys);
    }
    RegistryRelease(windows, number);
}

intptr_t WindowHandleOf(ObjectNumber number) {
    const WindowRecord* record = RegistryLookup(windows, number);
    return record ? record->handle : 0;
}

intptr_t WindowFocusKeysOf(ObjectNumber number) {
    const WindowRecord* record = RegistryLookup(windows, number);
    return record ? record->focusKeys : 0;
}

int32_t EventWait() {
    return EventStateWait(events, PlatformWaitOnce);
}

int32_t EventSourceGadget() {
    return events.gadget;
}

int32_t EventSubtype() {
    return events.subtype;
}

int32_t EventSourceWindow() {
    return events.window;
}

void WindowEventSource(ObjectNumber window) {
    events.window = window;
}

void WindowEventQueue(int32_t event, ObjectNumber window) {
    EventQueueAppend(events.queue, event, window);
}

void WindowEventGadget(int32_t gadget, int32_t subtype) {
    EventStateRaiseGadget(events, gadget, subtype);
}

void WindowPostGadgetEvent(ObjectNumber window, int32_t gadget, int32_t subtype) {
    EventStatePostGadget(events, window, gadget, subtype);
}

void WindowFocusMove(intptr_t window, bool forward) {
    if (!window) {
        return;
    }
    const intptr_t current = PlatformFocusedControl(window);
    std::vector<FocusEntry> controls;
    try {
        controls = PlatformFocusOrder(window);
    } catch (const std::bad_alloc&) {
        return; // memory is short: the focus stays
    }
    const intptr_t target =
        forward ? FocusNextTarget(controls, current) : FocusPreviousTarget(controls, current);
    if (target) {
        PlatformFocusControl(target);
    }
}
