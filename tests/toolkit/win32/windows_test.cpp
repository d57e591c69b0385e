// How the window procedure turns Win32 messages into events.
#include "tests/support/toolkit_driver.h"

#include <windows.h>

namespace {

using WindowTest = GadgetWindowTest;

// `events` as reported once gadget 42 was the last to report.
EventTrace Raised(std::initializer_list<int32_t> events) {
    EventTrace trace;
    for (int32_t event : events) {
        trace.push_back({event, GadgetWindowTest::WINDOW, 42, -1});
    }
    return trace;
}

TEST_F(WindowTest, WindowMessagesBecomeEvents) {
    HWND handle = reinterpret_cast<HWND>(window);
    PostMessageA(handle, MSG_GADGET_EVENT, 42, 7);
    EXPECT_EQ(EventTrace({{EVENT_GADGET, WINDOW, 42, 7}}), Settle());

    // Close requests reach the window as sent messages, while the program
    // is busy between waits.
    SendMessageA(handle, WM_CLOSE, 0, 0);
    SetWindowPos(handle, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Raised({EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW}),
              Settle({EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW, EVENT_SIZE_WINDOW}));

    ShowWindow(handle, SW_MINIMIZE);
    EXPECT_EQ(EventTrace({}), Settle({EVENT_SIZE_WINDOW})) << "minimised";
    ShowWindow(handle, SW_RESTORE);
    EXPECT_EQ(Raised({EVENT_SIZE_WINDOW}), Settle({EVENT_SIZE_WINDOW}));

    // Other messages come out as their numbers.
    PostMessageA(handle, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    EXPECT_EQ(EventTrace({{WM_MOUSEMOVE, WINDOW, 42, -1}}), Settle({WM_MOUSEMOVE}));
}

} // namespace
