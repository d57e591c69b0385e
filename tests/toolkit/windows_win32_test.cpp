#include "tests/support/event_trace_win32.h"

namespace {

// `events` as reported for window 0 once gadget 42 was the last to report.
EventTrace Raised(std::initializer_list<int32_t> events) {
    EventTrace trace;
    for (int32_t event : events) {
        trace.push_back({event, 0, 42, -1});
    }
    return trace;
}

TEST(WindowTest, WindowMessagesBecomeEventsAndACloseRequestLeavesTheWindowOpen) {
    StartToolkitRuntime();
    HWND window = HandleOf(WindowOpen(0, 382, 155, 250, 449, "Window test", 0x80C00001));
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    Settle(); // what showing it raised
    PostMessageA(window, MSG_GADGET_EVENT, 42, 7);
    EXPECT_EQ(EventTrace({{EVENT_GADGET, 0, 42, 7}}), Settle());

    // Close requests reach the window as sent messages, while the program
    // is busy between waits.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Raised({EVENT_CLOSE_WINDOW}), Settle());
    EXPECT_TRUE(IsWindowVisible(window));

    SendMessageA(window, WM_CLOSE, 0, 0);
    SetWindowPos(window, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Raised({EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW, EVENT_CLOSE_WINDOW}),
              Settle({EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW, EVENT_SIZE_WINDOW}));
    EXPECT_EQ(WindowHandleOf(0), reinterpret_cast<intptr_t>(window));

    ShowWindow(window, SW_MINIMIZE);
    EXPECT_EQ(EventTrace({}), Settle({EVENT_SIZE_WINDOW})) << "minimised";
    ShowWindow(window, SW_RESTORE);
    EXPECT_EQ(Raised({EVENT_SIZE_WINDOW}), Settle({EVENT_SIZE_WINDOW}));

    // Other messages come out as their numbers.
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    EXPECT_EQ(EventTrace({{WM_MOUSEMOVE, 0, 42, -1}}), Settle({WM_MOUSEMOVE}));

    EXPECT_TRUE(RuntimeStart()) << "a second start changes nothing";
    EXPECT_EQ(WindowHandleOf(0), reinterpret_cast<intptr_t>(window));
    WindowClose(0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(WindowHandleOf(0), 0);
}

} // namespace
