// The window library: numbered top-level windows, the window procedure that
// turns their messages into events, EventWait, and Tab focus movement.
#include "toolkit/event_stream.h"
#include "toolkit/focus_order.h"
#include "toolkit/number_text.h"
#include "toolkit/toolkit_win32.h"
#include "toolkit/window_placement.h"
#include "toolkit/windows.h"

#include <windows.h>

#include <new>
#include <string>
#include <vector>

namespace {

struct WindowRecord {
    HWND handle;
    int32_t acceleratorCount;
    ACCEL* accelerators;
    HACCEL acceleratorTable; // 0 when the entries could not be had: no Tab movement
};

constexpr int32_t ACCELERATOR_COUNT = 2;
constexpr int32_t NO_WINDOW = -1;

ObjectRegistry<WindowRecord> windows;
EventState events;
HICON classIcon;
HCURSOR classCursor;

// "WindowClass_%ld" of the number; NumberToText spares the printf machinery.
std::string ClassNameOf(ObjectNumber number) {
    return "WindowClass_" + NumberToText(number);
}

HINSTANCE ProgramInstance() {
    return GetModuleHandleA(nullptr);
}

// The property holds number + 1, so a missing property (0) names no window.
HANDLE WindowIdFor(ObjectNumber number) {
    return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(static_cast<uint32_t>(number)) + 1);
}

ObjectNumber WindowNumberFromId(HANDLE id) {
    return static_cast<ObjectNumber>(reinterpret_cast<uintptr_t>(id) - 1);
}

// The number of the first window up the parent chain that carries one.
ObjectNumber WindowNumberOf(HWND window) {
    for (HWND step = window; step; step = GetParent(step)) {
        if (HANDLE id = GetPropA(step, WINDOW_ID_PROPERTY)) {
            return WindowNumberFromId(id);
        }
    }
    return NO_WINDOW;
}

bool Handled(LRESULT answer) {
    return static_cast<uintptr_t>(answer) != NOT_HANDLED;
}

// Tab and Shift+Tab for one window. Without memory for the entries the window
// still opens and works, only without keyboard focus movement.
HACCEL CreateFocusAccelerators(WindowRecord& record) {
    record.acceleratorCount = ACCELERATOR_COUNT;
    record.accelerators =
        static_cast<ACCEL*>(HeapAlloc(ProgramHeap(), 0, ACCELERATOR_COUNT * sizeof(ACCEL)));
    if (!record.accelerators) {
        return nullptr;
    }
    record.accelerators[0] = {FVIRTKEY | FNOINVERT, VK_TAB, CMD_FOCUS_NEXT};
    record.accelerators[1] = {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, CMD_FOCUS_PREVIOUS};
    return CreateAcceleratorTableA(record.accelerators, ACCELERATOR_COUNT);
}

BOOL CALLBACK CollectFocusEntry(HWND control, LPARAM list) {
    bool eligible = IsWindowEnabled(control) && IsWindowVisible(control) &&
                    (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP);
    try {
        reinterpret_cast<std::vector<FocusEntry>*>(list)->push_back(
            {reinterpret_cast<intptr_t>(control), eligible});
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

// Moves the focus among the descendants of the active window.
void MoveFocus(intptr_t (*target)(const std::vector<FocusEntry>&, intptr_t)) {
    HWND container = GetActiveWindow();
    if (!container) {
        return;
    }
    HWND focus = GetFocus();
    intptr_t current = focus && IsChild(container, focus) ? reinterpret_cast<intptr_t>(focus) : 0;
    std::vector<FocusEntry> controls;
    EnumChildWindows(container, CollectFocusEntry, reinterpret_cast<LPARAM>(&controls));
    if (intptr_t control = target(controls, current)) {
        SetFocus(reinterpret_cast<HWND>(control));
    }
}

void FocusNext() {
    MoveFocus(FocusNextTarget);
}

void FocusPrevious() {
    MoveFocus(FocusPreviousTarget);
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (lParam) {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (!Handled(GadgetOfferMessage(control, window, WM_COMMAND, wParam, lParam))) {
            EventStateRaiseGadget(events, GetWindowLongA(control, GWL_ID), HIWORD(wParam));
        }
        return 0;
    }
    if (!HIWORD(wParam)) {
        return NOT_HANDLED; // a menu command; these windows have no menu
    }
    if (LOWORD(wParam) == CMD_FOCUS_NEXT) {
        FocusNext();
    } else if (LOWORD(wParam) == CMD_FOCUS_PREVIOUS) {
        FocusPrevious();
    }
    return 0;
}

// Common controls follow system colour changes only when told.
BOOL CALLBACK ForwardSysColorChange(HWND descendant, LPARAM) {
    SendMessageA(descendant, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

// Queues a window event; messages of a window without a number raise none.
LRESULT QueueWindowEvent(int32_t event, ObjectNumber number) {
    if (number != NO_WINDOW) {
        EventQueueAppend(events.queue, event, number);
    }
    return 0;
}

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ObjectNumber number = WindowNumberOf(window);
    events.window = number;
    LRESULT answer = NOT_HANDLED;
    switch (message) {
    case WM_COMMAND:
        answer = OnCommand(window, wParam, lParam);
        break;
    case MSG_GADGET_EVENT:
        EventStateRaiseGadget(events, static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
        answer = 0;
        break;
    case WM_NOTIFY:
        if (lParam) {
            HWND source = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
            answer = GadgetOfferMessage(source, window, message, wParam, lParam);
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        answer =
            GadgetOfferMessage(reinterpret_cast<HWND>(lParam), window, message, wParam, lParam);
        break;
    case WM_CLOSE:
        // The window stays until the program calls WindowClose.
        answer = QueueWindowEvent(EVENT_CLOSE_WINDOW, number);
        break;
    case WM_MOVE:
        answer = QueueWindowEvent(EVENT_MOVE_WINDOW, number);
        break;
    case WM_SIZE:
        if (number != NO_WINDOW && wParam != SIZE_MINIMIZED) {
            answer = QueueWindowEvent(EVENT_SIZE_WINDOW, number);
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam)) {
            EventQueueAppend(events.queue, EVENT_ACTIVATE_WINDOW, number);
        }
        // Kept from the default handling, which would move the focus.
        return 1;
    case WM_ERASEBKGND:
        EventQueueAppend(events.queue, EVENT_REPAINT, number);
        break;
    case WM_SYSCOLORCHANGE:
        if (RegistryLookup(windows, number)) {
            EnumChildWindows(window, ForwardSysColorChange, 0);
        }
        break;
    default:
        break;
    }
    return Handled(answer) ? answer : DefWindowProcA(window, message, wParam, lParam);
}

// Tab and Shift+Tab of the active toolkit window become focus commands.
bool TranslateFocusKeys(MSG& message) {
    HWND active = GetActiveWindow();
    HANDLE id = active ? GetPropA(active, WINDOW_ID_PROPERTY) : nullptr;
    if (!id) {
        return false;
    }
    const WindowRecord* record = RegistryLookup(windows, WindowNumberFromId(id));
    return record && record->acceleratorTable &&
           TranslateAcceleratorA(active, record->acceleratorTable, &message);
}

} // namespace

// Safe after WindowLibraryEnd: the registry is kept, and events left from
// an earlier run are dropped, not their nodes lost.
bool WindowLibraryInit() {
    if (!windows.slots && !RegistryCreate(windows, 16, WindowClose)) {
        return false;
    }
    QueuedEvent dropped;
    while (EventQueueTake(events.queue, &dropped)) {
    }
    events = EventState{};
    classIcon = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(1));
    classCursor = LoadCursorA(nullptr, IDC_ARROW);
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
    const std::string className = ClassNameOf(claimed);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ToolkitWindowProc;
    windowClass.hInstance = ProgramInstance();
    windowClass.hIcon = classIcon;
    windowClass.hCursor = classCursor;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className.c_str();
    RegisterClassA(&windowClass); // a failure makes the creation fail

    WindowStyle style = WindowStyleFor(flags);
    RECT outer = {0, 0, width, height};
    AdjustWindowRect(&outer, style.style, FALSE);
    HWND active = GetActiveWindow();
    RECT activeRect;
    ScreenRect parent;
    bool hasParent = active && GetWindowRect(active, &activeRect);
    if (hasParent) {
        parent = {activeRect.left, activeRect.top, activeRect.right, activeRect.bottom};
    }
    WindowPlacement placement =
        WindowPlacementFor(flags, x, y, int64_t{outer.right} - outer.left,
                           int64_t{outer.bottom} - outer.top, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN), hasParent ? &parent : nullptr);

    HWND window = CreateWindowExA(0, className.c_str(), title ? title : "", style.style,
                                  placement.x, placement.y, placement.width, placement.height,
                                  nullptr, nullptr, ProgramInstance(), nullptr);
    if (!window) {
        UnregisterClassA(className.c_str(), ProgramInstance());
        RegistryRelease(windows, claimed);
        return 0;
    }
    record->handle = window;
    SetPropA(window, WINDOW_ID_PROPERTY, WindowIdFor(claimed));
    if (style.show) {
        ShowWindow(window, style.maximize ? SW_MAXIMIZE : SW_SHOWNORMAL);
    }
    // Showing ran the window procedure; look the record up again.
    if ((record = RegistryLookup(windows, claimed))) {
        record->acceleratorTable = CreateFocusAccelerators(*record);
    }
    return number == NUMBER_ANY ? claimed : reinterpret_cast<intptr_t>(window);
}

void WindowClose(ObjectNumber number) {
    const WindowRecord* record = RegistryLookup(windows, number);
    if (!record) {
        return;
    }
    WindowRecord closing = *record;
    if (HWND owner = GetWindow(closing.handle, GW_OWNER)) {
        SetActiveWindow(owner);
    }
    RemovePropA(closing.handle, WINDOW_ID_PROPERTY);
    DestroyWindow(closing.handle);
    UnregisterClassA(ClassNameOf(number).c_str(), ProgramInstance());
    if (closing.accelerators) {
        HeapFree(ProgramHeap(), 0, closing.accelerators);
    }
    if (closing.acceleratorTable) {
        DestroyAcceleratorTable(closing.acceleratorTable);
    }
    RegistryRelease(windows, number);
}

intptr_t WindowHandleOf(ObjectNumber number) {
    const WindowRecord* record = RegistryLookup(windows, number);
    return record ? reinterpret_cast<intptr_t>(record->handle) : 0;
}

int32_t EventWait() {
    if (int32_t queued = EventStateBeginWait(events)) {
        return queued;
    }
    MSG message = {};
    GetMessageA(&message, nullptr, 0, 0);
    if (!TranslateFocusKeys(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return EventStateEndWait(events, message.message);
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
