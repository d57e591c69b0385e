// Windows over USER32: a window class per window, the window procedure that
// turns messages into the core's events, accelerators for Tab, and the wait.
#include "toolkit/core/backend.h"
#include "toolkit/number_text.h"
#include "toolkit/win32/backend_win32.h"
#include "toolkit/windows.h"

#include <new>

static_assert(PLACEMENT_DEFAULT == static_cast<int32_t>(CW_USEDEFAULT),
              "the core's default position is the one Windows chooses by");

namespace {

constexpr ObjectNumber NO_WINDOW = -1;

HICON classIcon;
HCURSOR classCursor;

HWND HwndOf(intptr_t window) {
    return reinterpret_cast<HWND>(window);
}

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

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (lParam) {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (!Handled(GadgetOfferMessage(control, window, WM_COMMAND, wParam, lParam))) {
            WindowEventGadget(GetWindowLongA(control, GWL_ID), HIWORD(wParam));
        }
        return 0;
    }
    if (!HIWORD(wParam)) {
        return NOT_HANDLED; // a menu command; these windows have no menu
    }
    // The container is the active window, as the accelerator was its.
    if (LOWORD(wParam) == CMD_FOCUS_NEXT || LOWORD(wParam) == CMD_FOCUS_PREVIOUS) {
        WindowFocusMove(reinterpret_cast<intptr_t>(GetActiveWindow()),
                        LOWORD(wParam) == CMD_FOCUS_NEXT);
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
        WindowEventQueue(event, number);
    }
    return 0;
}

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ObjectNumber number = WindowNumberOf(window);
    WindowEventSource(number);
    LRESULT answer = NOT_HANDLED;
    switch (message) {
    case WM_COMMAND:
        answer = OnCommand(window, wParam, lParam);
        break;
    case MSG_GADGET_EVENT:
        WindowEventGadget(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
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
            WindowEventQueue(EVENT_ACTIVATE_WINDOW, number);
        }
        // Kept from the default handling, which would move the focus.
        return 1;
    case WM_ERASEBKGND:
        WindowEventQueue(EVENT_REPAINT, number);
        break;
    case WM_SYSCOLORCHANGE:
        if (WindowHandleOf(number) == reinterpret_cast<intptr_t>(window)) {
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
    const auto keys = reinterpret_cast<HACCEL>(id ? WindowFocusKeysOf(WindowNumberFromId(id)) : 0);
    return keys && TranslateAcceleratorA(active, keys, &message);
}

} // namespace

void PlatformWindowLibraryStart() {
    classIcon = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(1));
    classCursor = LoadCursorA(nullptr, IDC_ARROW);
}

intptr_t PlatformWindowCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width,
                              int32_t height, const char* title, uint32_t flags,
                              const WindowStyle& style) {
    const std::string className = ClassNameOf(number);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ToolkitWindowProc;
    windowClass.hInstance = ProgramInstance();
    windowClass.hIcon = classIcon;
    windowClass.hCursor = classCursor;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className.c_str();
    RegisterClassA(&windowClass); // a failure makes the creation fail

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

    HWND window = CreateWindowExA(0, className.c_str(), title, style.style, placement.x,
                                  placement.y, placement.width, placement.height, nullptr, nullptr,
                                  ProgramInstance(), nullptr);
    if (!window) {
        UnregisterClassA(className.c_str(), ProgramInstance());
        return 0;
    }
    SetPropA(window, WINDOW_ID_PROPERTY, WindowIdFor(number));
    return reinterpret_cast<intptr_t>(window);
}

void PlatformWindowShow(intptr_t window, bool maximize) {
    ShowWindow(HwndOf(window), maximize ? SW_MAXIMIZE : SW_SHOWNORMAL);
}

void PlatformWindowDestroy(intptr_t window, ObjectNumber number) {
    if (HWND owner = GetWindow(HwndOf(window), GW_OWNER)) {
        SetActiveWindow(owner);
    }
    RemovePropA(HwndOf(window), WINDOW_ID_PROPERTY);
    DestroyWindow(HwndOf(window));
    UnregisterClassA(ClassNameOf(number).c_str(), ProgramInstance());
}

// Tab and Shift+Tab, with no other modifier, as focus commands.
intptr_t PlatformFocusKeysCreate() {
    ACCEL keys[] = {{FVIRTKEY | FNOINVERT, VK_TAB, CMD_FOCUS_NEXT},
                    {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, CMD_FOCUS_PREVIOUS}};
    return reinterpret_cast<intptr_t>(CreateAcceleratorTableA(keys, 2));
}

void PlatformFocusKeysDestroy(intptr_t keys) {
    DestroyAcceleratorTable(reinterpret_cast<HACCEL>(keys));
}

uint32_t PlatformWaitOnce() {
    MSG message = {};
    GetMessageA(&message, nullptr, 0, 0);
    if (!TranslateFocusKeys(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return message.message;
}

// Creation order: the platform enumerates children in the order they were made.
std::vector<FocusEntry> PlatformFocusOrder(intptr_t window) {
    std::vector<FocusEntry> controls;
    EnumChildWindows(HwndOf(window), CollectFocusEntry, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

intptr_t PlatformFocusedControl(intptr_t window) {
    HWND focus = GetFocus();
    return focus && IsChild(HwndOf(window), focus) ? reinterpret_cast<intptr_t>(focus) : 0;
}

void PlatformFocusControl(intptr_t control) {
    SetFocus(HwndOf(control));
}
