#include "tests/support/event_trace_win32.h"
#include "toolkit/windows.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// Real key presses: posted key messages would not carry the Shift state that
// tells Shift+Tab from Tab.
void PressKey(WORD key, std::vector<WORD> modifiers = {}) {
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD code, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD modifier : modifiers) {
        add(modifier, 0);
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier) {
        add(*modifier, KEYEVENTF_KEYUP);
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)),
              inputs.size());
    // Every key released has come through EventWait once its last key-up has.
    size_t releases = modifiers.size() + 1;
    TraceUntil([releases](const EventTrace& keyUps) { return keyUps.size() >= releases; },
               {WM_KEYUP, WM_SYSKEYUP});
}

class FocusTest : public testing::Test {
  protected:
    void SetUp() override {
        StartToolkitRuntime();
        window = reinterpret_cast<HWND>(WindowOpen(0, 0, 0, 300, 300, "Focus", 0x80C00001));
        ASSERT_NE(window, nullptr);
        frame = Control("Button", BS_GROUPBOX, window);
        first = Control("Button", WS_TABSTOP, window);
        Control("Static", SS_LEFT, window);
        Control("Button", WS_TABSTOP | WS_DISABLED, window);
        edit = Control("Edit", WS_TABSTOP | WS_BORDER, window);
        // Descendants are visited right after their parent.
        HWND panel = Control("Static", 0, window);
        nested = Control("Button", WS_TABSTOP, panel);
        hidden = Control("Button", WS_TABSTOP, window);
        ShowWindow(hidden, SW_HIDE);
        last = Control("Button", WS_TABSTOP, window);
        SetForegroundWindow(window);
        SetFocus(nullptr);
        TraceUntilIdle();
    }
    void TearDown() override { WindowClose(0); }

    HWND Control(const char* className, DWORD style, HWND parent) {
        int id = ++controls;
        return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 10, id * 20, 100,
                               18, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    }

    HWND window = nullptr;
    HWND frame = nullptr;
    HWND first = nullptr;
    HWND edit = nullptr;
    HWND nested = nullptr;
    HWND hidden = nullptr;
    HWND last = nullptr;
    int controls = 0;
};

TEST_F(FocusTest, TabAndShiftTabVisitEligibleControlsAndWrapAround) {
    ASSERT_EQ(GetActiveWindow(), window);
    ASSERT_EQ(GetFocus(), nullptr);
    struct Step {
        const char* keys;
        std::vector<WORD> modifiers;
        HWND focused;
    };
    const Step steps[] = {
        {"Tab from no focus", {}, first},
        {"Tab past a label and a disabled button", {}, edit},
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
        PressKey(VK_TAB, step.modifiers);
        EXPECT_EQ(GetFocus(), step.focused) << step.keys;
    }
}

TEST_F(FocusTest, ShiftTabWithTheFocusOnAControlThatIsNoTabStopGoesToTheLast) {
    SetFocus(frame);
    PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(GetFocus(), last);
    SetFocus(frame);
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), frame);
}

} // namespace
