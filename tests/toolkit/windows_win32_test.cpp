#include "tests/support/event_trace_win32.h"
#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

#include <windows.h>

#include <string>

namespace {

constexpr uint32_t PROGRAM_FLAGS = 0x80C00001;
constexpr int32_t CLIENT_WIDTH = 250;
constexpr int32_t CLIENT_HEIGHT = 449;

std::string ClassNameOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool ClassRegistered(const char* name) {
    WNDCLASSA windowClass;
    return GetClassInfoA(GetModuleHandleA(nullptr), name, &windowClass) != 0;
}

class WindowTest : public testing::Test {
  protected:
    void SetUp() override { StartToolkitRuntime(); }
    void TearDown() override { WindowLibraryEnd(); }

    // Opens a window and lets what its showing raised pass.
    HWND Open(ObjectNumber number, uint32_t flags = PROGRAM_FLAGS) {
        auto window = reinterpret_cast<HWND>(
            WindowOpen(number, 382, 155, CLIENT_WIDTH, CLIENT_HEIGHT, "Window test", flags));
        if (window) {
            UpdateWindow(window);
            TraceUntilIdle();
        }
        return window;
    }
};

TEST_F(WindowTest, TheProgramsWindowIsCentredWithACaptionAndNoCloseBox) {
    HWND window = Open(0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowHandleOf(0), reinterpret_cast<intptr_t>(window));
    EXPECT_EQ(ClassNameOf(window), "WindowClass_0");
    EXPECT_EQ(GetPropA(window, "TK_WindowID"), reinterpret_cast<HANDLE>(1));

    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, CLIENT_WIDTH);
    EXPECT_EQ(client.bottom, CLIENT_HEIGHT);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);

    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_CHILD), 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), CS_DBLCLKS);
    EXPECT_EQ(GetClassLongA(window, GCL_HBRBACKGROUND), COLOR_BTNFACE + 1);

    HDC dc = GetDC(window);
    EXPECT_EQ(GetPixel(dc, CLIENT_WIDTH / 2, CLIENT_HEIGHT / 2), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(window, dc);
}

TEST_F(WindowTest, ReopeningANumberClosesTheOldWindowAndReusesItsClass) {
    HWND first = Open(3);
    ASSERT_NE(first, nullptr);
    HWND second = Open(3);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ClassNameOf(second), "WindowClass_3");
    EXPECT_EQ(WindowHandleOf(3), reinterpret_cast<intptr_t>(second));

    WindowClose(3);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_FALSE(ClassRegistered("WindowClass_3"));
    EXPECT_EQ(WindowHandleOf(3), 0);
    WindowClose(3); // no longer open: ignored
    EXPECT_NE(Open(3), nullptr);
}

TEST_F(WindowTest, AFailedOpenClosesTheOldWindowAndLeavesTheNumberFree) {
    HWND old = Open(5);
    ASSERT_NE(old, nullptr);
    // A top-level window cannot be a child: the platform refuses to create it.
    EXPECT_EQ(WindowOpen(5, 0, 0, 100, 100, "refused", WS_CHILD), 0);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(WindowHandleOf(5), 0);
    EXPECT_FALSE(ClassRegistered("WindowClass_5"));
    EXPECT_NE(Open(5), nullptr);
}

TEST_F(WindowTest, TheFlagsDecideShowingAndPlacement) {
    // Created hidden: what creation sent came before the window had its
    // number and raised nothing.
    auto hidden = reinterpret_cast<HWND>(
        WindowOpen(4, 0, 0, 120, 80, "", WINDOW_HIDDEN | WINDOW_CENTER_SCREEN));
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(GetWindowLongA(hidden, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(SameTrace({}, TraceUntilIdle()));

    auto maximised = reinterpret_cast<HWND>(
        WindowOpen(6, 0, 0, 120, 80, "", WS_OVERLAPPEDWINDOW | WINDOW_MAXIMIZE));
    ASSERT_NE(maximised, nullptr);
    EXPECT_TRUE(IsZoomed(maximised));
    WindowClose(6);

    HWND parent = Open(0, WS_POPUP | WS_CAPTION);
    ASSERT_NE(parent, nullptr);
    SetWindowPos(parent, nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_EQ(GetActiveWindow(), parent);
    auto centred =
        reinterpret_cast<HWND>(WindowOpen(7, 0, 0, 60, 40, "", WS_POPUP | WINDOW_CENTER_PARENT));
    ASSERT_NE(centred, nullptr);
    RECT outer;
    RECT inner;
    GetWindowRect(parent, &outer);
    GetWindowRect(centred, &inner);
    EXPECT_EQ(inner.left, outer.left + (outer.right - outer.left - 60) / 2);
    EXPECT_EQ(inner.top, outer.top + (outer.bottom - outer.top - 40) / 2);
}

TEST_F(WindowTest, ActivationAndRepaintingAreQueuedEvents) {
    HWND first = Open(0);
    HWND second = Open(1);
    ASSERT_TRUE(first && second);
    ASSERT_EQ(GetActiveWindow(), second);
    // Only the window being activated reports; the other is deactivated.
    SetActiveWindow(first);
    EXPECT_TRUE(SameTrace({{EVENT_ACTIVATE_WINDOW, 0, EventSourceGadget(), -1}},
                          TraceUntilIdle({EVENT_ACTIVATE_WINDOW})));

    // The paint message, read only once nothing else is queued, is passed
    // through as its number (also 15); then the background erase it caused
    // comes out as the repaint event.
    InvalidateRect(second, nullptr, TRUE);
    EXPECT_TRUE(SameTrace(
        {{WM_PAINT, 1, EventSourceGadget(), -1}, {EVENT_REPAINT, 1, EventSourceGadget(), -1}},
        TraceUntil([](const EventTrace& trace) { return trace.size() == 2; }, {EVENT_REPAINT})));
}

TEST_F(WindowTest, AnIssuedIdentifierNamesTheWindowEverywhere) {
    intptr_t id = WindowOpen(NUMBER_ANY, 0, 0, 100, 100, nullptr, WS_OVERLAPPED);
    ASSERT_NE(id, 0);
    auto number = static_cast<ObjectNumber>(id);
    auto window = reinterpret_cast<HWND>(WindowHandleOf(number));
    ASSERT_NE(window, nullptr);
    EXPECT_NE(reinterpret_cast<intptr_t>(window), id);
    EXPECT_EQ(ClassNameOf(window), "WindowClass_" + std::to_string(number));
    TraceUntilIdle();

    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(SameTrace({{EVENT_CLOSE_WINDOW, number, EventSourceGadget(), -1}},
                          TraceUntilIdle({EVENT_CLOSE_WINDOW})));
}

TEST_F(WindowTest, CloseRequestsRaiseEventsAndLeaveTheWindowOpen) {
    HWND window = Open(0);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, MSG_GADGET_EVENT, 42, 7);
    EXPECT_TRUE(SameTrace({{EVENT_GADGET, 0, 42, 7}}, TraceUntilIdle()));

    // Close requests reach the window as sent messages, while the program
    // is busy between waits.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(SameTrace({{EVENT_CLOSE_WINDOW, 0, 42, -1}}, TraceUntilIdle()));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(WindowHandleOf(0), reinterpret_cast<intptr_t>(window));

    SendMessageA(window, WM_CLOSE, 0, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(SameTrace({{EVENT_CLOSE_WINDOW, 0, 42, -1}}, TraceUntilIdle()));

    SendMessageA(window, WM_CLOSE, 0, 0);
    SetWindowPos(window, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(
        SameTrace({{EVENT_CLOSE_WINDOW, 0, 42, -1},
                   {EVENT_MOVE_WINDOW, 0, 42, -1},
                   {EVENT_CLOSE_WINDOW, 0, 42, -1}},
                  TraceUntilIdle({EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW, EVENT_SIZE_WINDOW})));

    // A user's close request: the system command that Alt+F4 posts.
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(SameTrace({{EVENT_CLOSE_WINDOW, 0, 42, -1}}, TraceUntilIdle()));
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(WindowTest, MinimisingRaisesNoSizeEventAndRestoringRaisesOne) {
    HWND window = Open(0, WS_OVERLAPPEDWINDOW);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(SameTrace({}, TraceUntilIdle({EVENT_SIZE_WINDOW})));
    ShowWindow(window, SW_RESTORE);
    EXPECT_TRUE(SameTrace({{EVENT_SIZE_WINDOW, 0, EventSourceGadget(), -1}},
                          TraceUntilIdle({EVENT_SIZE_WINDOW})));
    SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(SameTrace({{EVENT_SIZE_WINDOW, 0, EventSourceGadget(), -1}},
                          TraceUntilIdle({EVENT_SIZE_WINDOW})));
}

TEST_F(WindowTest, AMouseMoveIsPassedThroughAsItsMessageNumber) {
    HWND window = Open(0);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, MSG_GADGET_EVENT, 9, 0);
    TraceUntilIdle();

    RECT outer;
    GetWindowRect(window, &outer);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = ((outer.left + outer.right) / 2) * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = ((outer.top + outer.bottom) / 2) * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ASSERT_EQ(SendInput(1, &move, sizeof move), 1u);
    EventTrace trace =
        TraceUntil([](const EventTrace& events) { return !events.empty(); }, {WM_MOUSEMOVE});
    EXPECT_TRUE(SameTrace({{WM_MOUSEMOVE, 0, 9, -1}}, trace));
}

TEST_F(WindowTest, ControlNotificationsAndPostedGadgetEventsBecomeGadgetEvents) {
    HWND window = Open(0);
    ASSERT_NE(window, nullptr);
    // A plain control, not a gadget: nothing claims its notifications.
    HWND button =
        CreateWindowExA(0, "Button", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24,
                        window, reinterpret_cast<HMENU>(77), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(button, nullptr);
    TraceUntilIdle();

    PostMessageA(button, BM_CLICK, 0, 0);
    PostMessageA(window, MSG_GADGET_EVENT, 12, 14000);
    PostMessageA(window, MSG_GADGET_EVENT, 12, 14001);
    EXPECT_TRUE(SameTrace({{EVENT_GADGET, 0, 77, BN_CLICKED},
                           {EVENT_GADGET, 0, 12, 14000},
                           {EVENT_GADGET, 0, 12, 14001}},
                          TraceUntilIdle({EVENT_GADGET})));

    // A click outside any wait waits in the pending slot and comes out with
    // the next message, without its subtype.
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(SameTrace({{EVENT_GADGET, 0, 77, -1}}, TraceUntilIdle({EVENT_GADGET})));
}

TEST_F(WindowTest, ColourQueriesGoToTheGadgetsKindAndPlainControlsKeepTheDefault) {
    HWND window = Open(0);
    ASSERT_NE(window, nullptr);
    GadgetListBegin(reinterpret_cast<intptr_t>(window));
    auto label = reinterpret_cast<HWND>(LabelCreate(1, 10, 10, 60, 20, ""));
    HWND plain = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 10, 40, 60, 20, window,
                                 reinterpret_cast<HMENU>(1), GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(label && plain);
    const COLORREF red = RGB(255, 0, 0);
    GadgetSetColour(1, 2, static_cast<int32_t>(red));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    UpdateWindow(window);

    // The plain control shares the gadget's ID but carries no "TK_ID".
    HDC dc = GetDC(window);
    EXPECT_EQ(GetPixel(dc, 40, 20), red);
    EXPECT_EQ(GetPixel(dc, 40, 50), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(window, dc);
}

// Counts the WM_SYSCOLORCHANGE messages a child window receives.
int colourChanges = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOLORCHANGE) {
        ++colourChanges;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(WindowTest, ASystemColourChangeReachesEveryDescendant) {
    HWND window = Open(0);
    ASSERT_NE(window, nullptr);
    WNDCLASSA counting = {};
    counting.lpfnWndProc = CountingProc;
    counting.hInstance = GetModuleHandleA(nullptr);
    counting.lpszClassName = "ColourCounter";
    RegisterClassA(&counting);
    HWND child = CreateWindowExA(0, "ColourCounter", "", WS_CHILD, 0, 0, 10, 10, window, nullptr,
                                 counting.hInstance, nullptr);
    CreateWindowExA(0, "ColourCounter", "", WS_CHILD, 0, 0, 5, 5, child, nullptr,
                    counting.hInstance, nullptr);
    colourChanges = 0;
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(colourChanges, 2);
}

} // namespace
