#include "tests/support/event_trace_win32.h"

#include <string>

namespace {

constexpr uint32_t PROGRAM_FLAGS = 0x80C00001;

std::string ClassNameOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

class WindowTest : public testing::Test {
  protected:
    void SetUp() override { StartToolkitRuntime(); }
    void TearDown() override { WindowLibraryEnd(); }

    // Opens a window and lets what its showing raised pass.
    HWND Open(ObjectNumber number, uint32_t flags = PROGRAM_FLAGS) {
        HWND window = HandleOf(WindowOpen(number, 382, 155, 250, 449, "Window test", flags));
        if (window) {
            UpdateWindow(window);
            Settle();
        }
        return window;
    }
    // `events` as reported for `window` once gadget 42 was the last to report.
    static EventTrace Raised(ObjectNumber window, std::initializer_list<int32_t> events) {
        EventTrace trace;
        for (int32_t event : events) {
            trace.push_back({event, window, 42, -1});
        }
        return trace;
    }
};

TEST_F(WindowTest, ReopeningClosesTheOldWindowAndAFailedOpenLeavesTheNumberFree) {
    HWND first = Open(3);
    HWND second = Open(3);
    ASSERT_TRUE(first && second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ClassNameOf(second), "WindowClass_3");
    EXPECT_EQ(WindowHandleOf(3), reinterpret_cast<intptr_t>(second));

    // A top-level window cannot be a child: the platform refuses to create it.
    EXPECT_EQ(WindowOpen(3, 0, 0, 100, 100, "refused", WS_CHILD), 0);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(WindowHandleOf(3), 0);
    WNDCLASSA unregistered;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "WindowClass_3", &unregistered));
    EXPECT_NE(Open(3), nullptr);
}

TEST_F(WindowTest, WindowMessagesBecomeEventsAndACloseRequestLeavesTheWindowOpen) {
    HWND window = Open(0);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, MSG_GADGET_EVENT, 42, 7);
    EXPECT_EQ(EventTrace({{EVENT_GADGET, 0, 42, 7}}), Settle());

    // Close requests reach the window as sent messages, while the program
    // is busy between waits.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Raised(0, {EVENT_CLOSE_WINDOW}), Settle());
    EXPECT_TRUE(IsWindowVisible(window));

    SendMessageA(window, WM_CLOSE, 0, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Raised(0, {EVENT_CLOSE_WINDOW}), Settle());

    SendMessageA(window, WM_CLOSE, 0, 0);
    SetWindowPos(window, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Raised(0, {EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW, EVENT_CLOSE_WINDOW}),
              Settle({EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW, EVENT_SIZE_WINDOW}));
    EXPECT_EQ(WindowHandleOf(0), reinterpret_cast<intptr_t>(window));

    ShowWindow(window, SW_MINIMIZE);
    EXPECT_EQ(EventTrace({}), Settle({EVENT_SIZE_WINDOW})) << "minimised";
    ShowWindow(window, SW_RESTORE);
    EXPECT_EQ(Raised(0, {EVENT_SIZE_WINDOW}), Settle({EVENT_SIZE_WINDOW}));

    // Other messages come out as their numbers.
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    EXPECT_EQ(EventTrace({{WM_MOUSEMOVE, 0, 42, -1}}), Settle({WM_MOUSEMOVE}));
}

} // namespace
