#include "tests/support/event_trace_win32.h"

#include "toolkit/gadgets.h"
#include "toolkit/toolkit_win32.h"

#include <algorithm>

const EventCodes TOOLKIT_EVENTS = {EVENT_GADGET,      EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW,
                                   EVENT_SIZE_WINDOW, EVENT_REPAINT,      EVENT_ACTIVATE_WINDOW};

namespace {

// Posted behind what a test did; its dispatch marks that all of it was read.
// A window of its own sees it even when the wait that reads it reports a
// pending gadget event instead of the message number.
constexpr UINT SETTLE_MARKER = WM_APP + 0x77;
constexpr DWORD LIMIT_MS = 5000;
constexpr UINT WAKE_UP_MS = 20;

bool markerSeen = false;

LRESULT CALLBACK MarkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    markerSeen = markerSeen || message == SETTLE_MARKER;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MarkerWindow() {
    static HWND window = [] {
        WNDCLASSA marker = {0,       MarkerProc, 0,       0,       GetModuleHandleA(nullptr),
                            nullptr, nullptr,    nullptr, nullptr, "SettleMarker"};
        RegisterClassA(&marker);
        return CreateWindowExA(0, marker.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               marker.hInstance, nullptr);
    }();
    return window;
}

bool MessagesWaiting() {
    return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0;
}

// Runs `step` until it says stop or time is up. A thread timer keeps EventWait
// returning, also for a message the queue reports but then drops (input for a
// disabled window).
bool InTime(const std::function<bool()>& step) {
    const UINT_PTR timer = SetTimer(nullptr, 0, WAKE_UP_MS, nullptr);
    const DWORD start = GetTickCount();
    bool done = false;
    while (!done && GetTickCount() - start < LIMIT_MS) {
        done = step();
    }
    KillTimer(nullptr, timer);
    return done;
}

void WaitInto(EventTrace& trace, const EventCodes& kept) {
    const int32_t event = EventWait();
    if (std::find(kept.begin(), kept.end(), event) != kept.end()) {
        trace.push_back({event, EventSourceWindow(), EventSourceGadget(), EventSubtype()});
    }
}

class RuntimeEnvironment : public testing::Environment {
    void TearDown() override { RuntimeEnd(); }
};

} // namespace

bool operator==(const TracedEvent& a, const TracedEvent& b) {
    return a.event == b.event && a.window == b.window && a.gadget == b.gadget &&
           a.subtype == b.subtype;
}

void PrintTo(const TracedEvent& e, std::ostream* out) {
    *out << "(" << e.event << ", " << e.window << ", " << e.gadget << ", " << e.subtype << ")";
}

EventTrace Settle(const EventCodes& kept, HWND window) {
    EventTrace trace;
    bool markerPosted = false;
    const bool settled = InTime([&] {
        if (!markerPosted) {
            markerSeen = false;
            markerPosted = PostMessageA(MarkerWindow(), SETTLE_MARKER, 0, 0);
        }
        // Input comes only once nothing is posted, so never before the
        // marker: take what came since and look again.
        if (!markerSeen || MessagesWaiting()) {
            markerPosted = !markerSeen;
            WaitInto(trace, kept);
            return false;
        }
        // Wine may report a paint as waiting that no wait ever yields.
        if (window) {
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        return !MessagesWaiting();
    });
    EXPECT_TRUE(settled) << "messages kept coming; events so far: "
                         << testing::PrintToString(trace);
    return trace;
}

EventTrace TraceUntil(const std::function<bool(const EventTrace&)>& done, const EventCodes& kept) {
    EventTrace trace;
    const bool finished = InTime([&] {
        WaitInto(trace, kept);
        return done(trace);
    });
    EXPECT_TRUE(finished) << "timed out; events so far: " << testing::PrintToString(trace);
    return trace;
}

testing::AssertionResult SameTrace(const EventTrace& expected, const EventTrace& actual) {
    if (expected == actual) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "event traces differ\nexpected: " << testing::PrintToString(expected)
           << "\n  actual: " << testing::PrintToString(actual);
}

void StartToolkitRuntime() {
    if (!ProgramHeap()) {
        ASSERT_TRUE(RuntimeStart());
        testing::AddGlobalTestEnvironment(new RuntimeEnvironment);
    }
}

void PointerAt(HWND window, int x, int y, bool click) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    INPUT input[3] = {};
    for (INPUT& part : input) {
        part.type = INPUT_MOUSE;
        // Absolute positions run from 0 to 65535 across the screen's pixels.
        part.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        part.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        part.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(click ? 3 : 1, input, sizeof(INPUT));
}

std::vector<COLORREF> ClientPixels(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(window);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    ReleaseDC(window, dc);
    return pixels;
}

void GadgetWindowTest::SetUp() {
    StartToolkitRuntime();
    window = HandleOf(WindowOpen(WINDOW, 0, 0, 640, 400, "Gadgets", 0x80C00001));
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(GadgetListBegin(reinterpret_cast<intptr_t>(window)),
              reinterpret_cast<intptr_t>(window));
    Settle({}, window);
}
