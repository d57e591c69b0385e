#include "tests/support/event_trace_win32.h"

#include "toolkit/toolkit_win32.h"
#include "toolkit/windows.h"

#include <windows.h>

#include <algorithm>
#include <sstream>

namespace {

// Posted behind the messages of a trace; its dispatch marks the trace's end.
// A window of its own sees it even when the wait that reads it reports a
// pending gadget event instead of the message number.
constexpr UINT TRACE_SENTINEL = WM_APP + 0x2F0;
constexpr DWORD TRACE_TIMEOUT_MS = 5000;
constexpr UINT TRACE_TICK_MS = 50;

class RuntimeEnvironment : public testing::Environment {
  public:
    void TearDown() override { RuntimeEnd(); }
};

bool sentinelSeen = false;

LRESULT CALLBACK SentinelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TRACE_SENTINEL) {
        sentinelSeen = true;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND SentinelWindow() {
    static HWND window = [] {
        WNDCLASSA sentinel = {};
        sentinel.lpfnWndProc = SentinelProc;
        sentinel.hInstance = GetModuleHandleA(nullptr);
        sentinel.lpszClassName = "EventTraceSentinel";
        RegisterClassA(&sentinel);
        return CreateWindowExA(0, sentinel.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               sentinel.hInstance, nullptr);
    }();
    return window;
}

bool Kept(const std::vector<int32_t>& kept, int32_t event) {
    return std::find(kept.begin(), kept.end(), event) != kept.end();
}

// Runs EventWait until `done` says stop; a thread timer keeps the waits
// returning so the deadline is checked even when nothing happens.
bool Pump(const std::function<bool(int32_t event)>& done) {
    UINT_PTR timer = SetTimer(nullptr, 0, TRACE_TICK_MS, nullptr);
    DWORD start = GetTickCount();
    bool finished = false;
    while (!finished && GetTickCount() - start < TRACE_TIMEOUT_MS) {
        finished = done(EventWait());
    }
    KillTimer(nullptr, timer);
    return finished;
}

} // namespace

bool operator==(const TracedEvent& a, const TracedEvent& b) {
    return a.event == b.event && a.window == b.window && a.gadget == b.gadget &&
           a.subtype == b.subtype;
}

const std::vector<int32_t>& ToolkitEvents() {
    static const std::vector<int32_t> events = {EVENT_GADGET,      EVENT_CLOSE_WINDOW,
                                                EVENT_MOVE_WINDOW, EVENT_SIZE_WINDOW,
                                                EVENT_REPAINT,     EVENT_ACTIVATE_WINDOW};
    return events;
}

EventTrace TraceUntil(const std::function<bool(const EventTrace&)>& done,
                      const std::vector<int32_t>& kept) {
    EventTrace trace;
    bool finished = Pump([&](int32_t event) {
        if (Kept(kept, event)) {
            trace.push_back({event, EventSourceWindow(), EventSourceGadget(), EventSubtype()});
        }
        return done(trace);
    });
    EXPECT_TRUE(finished) << "timed out; events so far:\n" << DescribeTrace(trace);
    return trace;
}

EventTrace TraceUntilIdle(const std::vector<int32_t>& kept) {
    sentinelSeen = false;
    PostMessageA(SentinelWindow(), TRACE_SENTINEL, 0, 0);
    EventTrace trace;
    bool finished = Pump([&](int32_t event) {
        if (Kept(kept, event)) {
            trace.push_back({event, EventSourceWindow(), EventSourceGadget(), EventSubtype()});
        }
        return sentinelSeen;
    });
    EXPECT_TRUE(finished) << "the sentinel never came; events so far:\n" << DescribeTrace(trace);
    return trace;
}

bool WaitUntil(const std::function<bool()>& done) {
    return done() || Pump([&](int32_t) { return done(); });
}

std::string DescribeTrace(const EventTrace& trace) {
    std::ostringstream text;
    for (const TracedEvent& event : trace) {
        text << "  (" << event.event << ", " << event.window << ", " << event.gadget << ", "
             << event.subtype << ")\n";
    }
    return trace.empty() ? "  (none)\n" : text.str();
}

testing::AssertionResult SameTrace(const EventTrace& expected, const EventTrace& actual) {
    if (expected == actual) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "event traces differ\nexpected:\n"
                                       << DescribeTrace(expected) << "actual:\n"
                                       << DescribeTrace(actual);
}

void StartToolkitRuntime() {
    // The libraries start once per process, whichever helper starts them.
    if (ProgramHeap()) {
        return;
    }
    ASSERT_TRUE(RuntimeStart());
    testing::AddGlobalTestEnvironment(new RuntimeEnvironment);
}
