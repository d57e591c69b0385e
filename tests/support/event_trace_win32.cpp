#include "tests/support/event_trace_win32.h"

#include "toolkit/gadgets.h"

#include <algorithm>

const EventCodes TOOLKIT_EVENTS = {EVENT_GADGET,      EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW,
                                   EVENT_SIZE_WINDOW, EVENT_REPAINT,      EVENT_ACTIVATE_WINDOW};

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

class RuntimeEnvironment : public testing::Environment {
    void TearDown() override { RuntimeEnd(); }
};

} // namespace

EventTrace Settle(const EventCodes& kept, HWND window) {
    EventTrace trace;
    // A thread timer keeps EventWait returning, also for a message the queue
    // reports but then drops.
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
    markerSeen = false;
    PostMessageA(MarkerWindow(), SETTLE_MARKER, 0, 0);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
        if (markerSeen) {
            if (window) { // Wine may report a paint as waiting that no wait ever yields
                RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            }
            if (!HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE))) {
                KillTimer(nullptr, timer);
                return trace;
            }
        }
        const int32_t event = EventWait();
        if (std::find(kept.begin(), kept.end(), event) != kept.end()) {
            trace.push_back({event, EventSourceWindow(), EventSourceGadget(), EventSubtype()});
        }
    }
    KillTimer(nullptr, timer);
    ADD_FAILURE() << "messages kept coming; events so far: " << testing::PrintToString(trace);
    return trace;
}

void StartToolkitRuntime() {
    static bool started = false;
    if (!started) {
        ASSERT_TRUE(RuntimeStart());
        testing::AddGlobalTestEnvironment(new RuntimeEnvironment);
        started = true;
    }
}

void GadgetWindowTest::SetUp() {
    StartToolkitRuntime();
    window = HandleOf(WindowOpen(WINDOW, 0, 0, 640, 400, "Gadgets", 0x80C00001));
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(GadgetListBegin(reinterpret_cast<intptr_t>(window)),
              reinterpret_cast<intptr_t>(window));
    Settle({}, window);
}
