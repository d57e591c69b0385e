#include "tests/support/event_trace_win32.h"

#include "toolkit/files.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
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

TEST_F(WindowTest, TheProgramsWindowIsCentredWithACaptionAndNoCloseBox) {
    HWND window = Open(0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ClassNameOf(window), "WindowClass_0");
    RECT client, outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 449);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), WS_CAPTION);
    EXPECT_TRUE(IsWindowVisible(window));
    HDC dc = GetDC(window);
    EXPECT_EQ(GetPixel(dc, 125, 224), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(window, dc);
}

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
    EXPECT_TRUE(SameTrace({{EVENT_GADGET, 0, 42, 7}}, Settle()));

    // Close requests reach the window as sent messages, while the program
    // is busy between waits.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(SameTrace(Raised(0, {EVENT_CLOSE_WINDOW}), Settle()));
    EXPECT_TRUE(IsWindowVisible(window));

    SendMessageA(window, WM_CLOSE, 0, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(SameTrace(Raised(0, {EVENT_CLOSE_WINDOW}), Settle()));

    SendMessageA(window, WM_CLOSE, 0, 0);
    SetWindowPos(window, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(SameTrace(Raised(0, {EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW, EVENT_CLOSE_WINDOW}),
                          Settle({EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW, EVENT_SIZE_WINDOW})));
    EXPECT_EQ(WindowHandleOf(0), reinterpret_cast<intptr_t>(window));

    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(SameTrace({}, Settle({EVENT_SIZE_WINDOW}))) << "minimised";
    ShowWindow(window, SW_RESTORE);
    EXPECT_TRUE(SameTrace(Raised(0, {EVENT_SIZE_WINDOW}), Settle({EVENT_SIZE_WINDOW})));

    // Other messages come out as their numbers.
    PointerAt(window, 100, 100);
    EXPECT_TRUE(
        SameTrace({{WM_MOUSEMOVE, 0, 42, -1}},
                  TraceUntil([](const EventTrace& t) { return !t.empty(); }, {WM_MOUSEMOVE})));
}

// Real key presses: posted key messages would not carry the Shift state that
// tells Shift+Tab from Tab.
void PressTab(std::vector<WORD> modifiers) {
    modifiers.push_back(VK_TAB);
    std::vector<INPUT> inputs(2 * modifiers.size());
    for (size_t i = 0; i < modifiers.size(); ++i) {
        inputs[i].type = inputs[inputs.size() - 1 - i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = inputs[inputs.size() - 1 - i].ki.wVk = modifiers[i];
        inputs[inputs.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)),
              inputs.size());
    // Every key has come through EventWait once its key-up has.
    TraceUntil([&](const EventTrace& keyUps) { return keyUps.size() >= modifiers.size(); },
               {WM_KEYUP, WM_SYSKEYUP});
}

TEST_F(WindowTest, TabAndShiftTabVisitEligibleControlsAndWrapAround) {
    HWND window = Open(0);
    ASSERT_NE(window, nullptr);
    int id = 0;
    auto control = [&](const char* className, DWORD style, HWND parent) {
        ++id;
        return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 10, id * 20, 100,
                               18, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    };
    control("Button", BS_GROUPBOX, window);
    HWND first = control("Button", WS_TABSTOP, window);
    control("Static", SS_LEFT, window);
    control("Button", WS_TABSTOP | WS_DISABLED, window);
    HWND edit = control("Edit", WS_TABSTOP | WS_BORDER, window);
    // Descendants are visited right after their parent.
    HWND nested = control("Button", WS_TABSTOP, control("Static", 0, window));
    ShowWindow(control("Button", WS_TABSTOP, window), SW_HIDE);
    HWND last = control("Button", WS_TABSTOP, window);
    SetForegroundWindow(window);
    SetFocus(nullptr);
    Settle();
    ASSERT_EQ(GetActiveWindow(), window);

    struct Step {
        const char* keys;
        std::vector<WORD> modifiers;
        HWND focused;
    };
    const Step steps[] = {
        {"Tab from no focus", {}, first},
        {"Tab past a frame, a label and a disabled button", {}, edit},
        {"Tab into a nested control", {}, nested},
        {"Tab past a hidden button", {}, last},
        {"Tab from the last", {}, first},
        {"Shift+Tab from the first", {VK_SHIFT}, last},
        {"Shift+Tab", {VK_SHIFT}, nested},
        {"Ctrl+Tab", {VK_CONTROL}, nested},
        {"Ctrl+Shift+Tab", {VK_CONTROL, VK_SHIFT}, nested},
        {"Shift+Tab", {VK_SHIFT}, edit},
    };
    for (const Step& step : steps) {
        PressTab(step.modifiers);
        EXPECT_EQ(GetFocus(), step.focused) << step.keys;
    }
}

// In a process of its own, where the runtime starts fresh and can end
// without disturbing the other tests.
TEST(RuntimeTest, TheEndClosesEveryWindowAndFlushesEveryFile) {
    char directory[MAX_PATH] = {};
    GetTempPathA(sizeof directory, directory);
    const std::string path = std::string(directory) + "brevolt_runtime_end.txt";
    DeleteFileA(path.c_str());
    EXPECT_EXIT(
        {
            bool started = RuntimeStart() && RuntimeStart(); // a second start changes nothing
            auto window = reinterpret_cast<HWND>(WindowOpen(0, 0, 0, 100, 100, "", 0));
            bool written = FileCreate(0, path.c_str()) && FileWriteLine(0, "kept");
            RuntimeEnd();
            std::exit(started && written && window && !IsWindow(window) ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(text.str(), "kept\r\n");
    DeleteFileA(path.c_str());
}

} // namespace
