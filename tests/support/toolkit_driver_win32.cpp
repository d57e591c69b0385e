#include "tests/support/toolkit_driver.h"

#include <windows.h>

#include <atomic>
#include <thread>

namespace {

// Posted behind what a test did; its dispatch marks that all of it was read.
// A window of its own sees it even when the wait that reads it reports a
// pending gadget event instead of the message number.
constexpr UINT SETTLE_MARKER = WM_APP + 0x77;
bool markerSeen = false;

LRESULT CALLBACK MarkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    markerSeen = markerSeen || message == SETTLE_MARKER;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MarkerWindow() {
    static HWND window = [] {
        WNDCLASSA marker = {};
        marker.lpfnWndProc = MarkerProc;
        marker.lpszClassName = "SettleMarker";
        RegisterClassA(&marker);
        return CreateWindowExA(0, marker.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               nullptr, nullptr);
    }();
    return window;
}

// Wine may report a paint as waiting that no wait ever yields.
BOOL CALLBACK PaintNow(HWND window, LPARAM) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}

HWND HwndOf(intptr_t handle) {
    return reinterpret_cast<HWND>(handle);
}

// The thread's key state, which the accelerators read, for one key press.
void HoldModifiers(bool shift, bool ctrl) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
}

} // namespace

EventTrace Settle(const EventCodes& kept) {
    EventTrace trace;
    // A thread timer keeps EventWait returning, also for a message the queue
    // reports but then drops.
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
    markerSeen = false;
    PostMessageA(MarkerWindow(), SETTLE_MARKER, 0, 0);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
        if (markerSeen) {
            EnumThreadWindows(GetCurrentThreadId(), PaintNow, 0);
            if (!HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE))) {
                KillTimer(nullptr, timer);
                return trace;
            }
        }
        const int32_t event = EventWait();
        if (Keeps(kept, event)) {
            trace.push_back({event, EventSourceWindow(), EventSourceGadget(), EventSubtype()});
        }
    }
    KillTimer(nullptr, timer);
    ADD_FAILURE() << "messages kept coming; events so far: " << testing::PrintToString(trace);
    return trace;
}

// The link reacts to the button's release, the others to a click.
void UserClick(intptr_t control) {
    char name[16] = {};
    GetClassNameA(HwndOf(control), name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0) {
        PostMessageA(HwndOf(control), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    } else {
        PostMessageA(HwndOf(control), BM_CLICK, 0, 0);
    }
}

void UserSelectNext(intptr_t combo) {
    PostMessageA(HwndOf(combo), WM_KEYDOWN, VK_DOWN, 1);
}

// Posted, so the list's notification comes within a wait, as a click's does.
void UserShowList(intptr_t combo, bool shown) {
    PostMessageA(HwndOf(combo), CB_SHOWDROPDOWN, shown, 0);
}

void UserFocus(intptr_t control) {
    SetFocus(HwndOf(control));
}

// Posted key messages carry no modifiers; the thread's key state does.
void UserTab(intptr_t window, bool shift, bool ctrl) {
    SetForegroundWindow(HwndOf(window));
    Settle({});
    HoldModifiers(shift, ctrl);
    PostMessageA(HwndOf(window), WM_KEYDOWN, VK_TAB, 1);
    Settle({});
    HoldModifiers(false, false);
}

void UserClose(intptr_t window) {
    SendMessageA(HwndOf(window), WM_CLOSE, 0, 0);
}

intptr_t FocusedGadget(intptr_t window) {
    HWND focus = GetFocus();
    while (focus && GetParent(focus) != HwndOf(window)) {
        focus = GetParent(focus);
    }
    return reinterpret_cast<intptr_t>(focus);
}

void SetEnabled(intptr_t handle, bool enabled) {
    EnableWindow(HwndOf(handle), enabled);
}

bool IsEnabled(intptr_t handle) {
    return IsWindowEnabled(HwndOf(handle));
}

bool IsShown(intptr_t window) {
    return IsWindowVisible(HwndOf(window));
}

std::vector<int32_t> ShownPixels(intptr_t control) {
    RECT area;
    GetClientRect(HwndOf(control), &area);
    HDC dc = GetDC(HwndOf(control));
    std::vector<int32_t> pixels;
    for (int y = 0; y < area.bottom; ++y) {
        for (int x = 0; x < area.right; ++x) {
            pixels.push_back(static_cast<int32_t>(GetPixel(dc, x, y)));
        }
    }
    ReleaseDC(HwndOf(control), dc);
    return pixels;
}

// Another thread finds a box of this one and answers it until it is gone.
void AnsweringBoxes(TestStep action, TestStep probe, void* context) {
    std::atomic<bool> acted{false};
    std::thread answer([&, thread = GetCurrentThreadId()] {
        HWND box = nullptr;
        bool probed = false;
        for (const DWORD start = GetTickCount(); !acted && GetTickCount() - start < 20000;
             Sleep(20)) {
            box = box ? box : FindWindowExA(nullptr, nullptr, "#32770", nullptr);
            if (box && GetWindowThreadProcessId(box, nullptr) == thread) {
                if (probe && !probed) {
                    probe(context);
                    probed = true;
                }
                PostMessageA(box, WM_COMMAND, IDOK, 0); // again until it has closed
            }
            if (box && !IsWindow(box)) {
                box = nullptr;
            }
        }
    });
    action(context);
    acted = true;
    answer.join();
}
