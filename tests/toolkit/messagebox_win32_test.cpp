#include "toolkit/messagebox.h"

#include "tests/support/modal_watch_win32.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// Plain top-level windows of the calling thread, destroyed with the test.
class TestWindows {
  public:
    HWND Open(bool visible = true) {
        static const ATOM windowClass = [] {
            WNDCLASSA c = {};
            c.lpfnWndProc = DefWindowProcA;
            c.hInstance = GetModuleHandleA(nullptr);
            c.lpszClassName = "MessageBoxTestWindow";
            return RegisterClassA(&c);
        }();
        HWND window = CreateWindowExA(0, MAKEINTATOM(windowClass), "test", WS_OVERLAPPEDWINDOW,
                                      40 + 30 * static_cast<int>(windows_.size()), 40, 200, 120,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (visible) {
            ShowWindow(window, SW_SHOWNORMAL);
        }
        windows_.push_back(window);
        return window;
    }
    ~TestWindows() {
        for (HWND window : windows_) {
            DestroyWindow(window);
        }
    }

  private:
    std::vector<HWND> windows_;
};

std::vector<bool> EnabledStates(const std::vector<HWND>& windows) {
    std::vector<bool> states;
    for (HWND window : windows) {
        states.push_back(IsWindowEnabled(window) != FALSE);
    }
    return states;
}

TEST(MessageBoxShowTest, DisablesTheThreadsOtherWindowsWhileUp) {
    TestWindows windows;
    HWND front = windows.Open();
    HWND other = windows.Open();
    HWND another = windows.Open();
    HWND disabledBefore = windows.Open();
    HWND hidden = windows.Open(false);
    EnableWindow(disabledBefore, FALSE);
    SetForegroundWindow(front);
    ASSERT_EQ(GetForegroundWindow(), front);
    const std::vector<HWND> all = {front, other, another, disabledBefore, hidden};

    std::vector<bool> during;
    ModalWatch watch([&](HWND) { during = EnabledStates(all); });
    EXPECT_EQ(MessageBoxShow("About", "text"), IDOK);
    const ModalBoxSeen& seen = watch.Seen();
    ASSERT_TRUE(seen.appeared);
    EXPECT_EQ(seen.owner, front);
    // The owner is disabled by the box itself; the hidden window is left alone.
    EXPECT_EQ(during, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(EnabledStates(all), (std::vector<bool>{true, true, true, false, true}));
}

TEST(MessageBoxShowTest, HasNoOwnerWhenNoWindowOfTheProcessIsInFront) {
    TestWindows windows;
    HWND behind = windows.Open(false);
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground) {
        GetWindowThreadProcessId(foreground, &process);
    }
    ASSERT_NE(process, GetCurrentProcessId()) << "the previous test's windows are gone";
    ModalWatch watch;
    MessageBoxShow("t", "x", 0);
    ASSERT_TRUE(watch.Seen().appeared);
    EXPECT_EQ(watch.Seen().owner, nullptr);
    EXPECT_TRUE(IsWindowEnabled(behind));
}

TEST(MessageBoxShowTest, ShowsTitleAndTextByteForByteAndReturnsThePressedButton) {
    struct Case {
        const char* title;
        const wchar_t* wideTitle;
        const char* text;
        const wchar_t* wideText;
        uint32_t flags;
        int button;
    } const cases[] = {
        {"About Brevolt", L"About Brevolt", "Brevolt 1.1 build 4", L"Brevolt 1.1 build 4",
         MB_ICONINFORMATION, IDOK},
        {"Gr\xFC\xDF", L"Gr\u00FC\u00DF", "M\xFCller\r\nline two", L"M\u00FCller\r\nline two", 0,
         IDOK},
        {"Error", L"Error", "Can't create \"autoexec.cfg\"!", L"Can't create \"autoexec.cfg\"!",
         MB_YESNO, IDNO},
    };
    for (const Case& c : cases) {
        ModalWatch watch({}, c.button);
        EXPECT_EQ(MessageBoxShow(c.title, c.text, c.flags), c.button) << c.title;
        const ModalBoxSeen& seen = watch.Seen();
        ASSERT_TRUE(seen.appeared) << c.title;
        EXPECT_EQ(seen.title, c.title);
        EXPECT_EQ(seen.text, c.text);
        EXPECT_EQ(seen.wideTitle, c.wideTitle);
        EXPECT_EQ(seen.wideText, c.wideText);
    }
}

// Each thread enables again only what its own box disabled, although all
// boxes share one list.
TEST(MessageBoxShowTest, ABoxOnAnotherThreadLeavesThisThreadsWindowsDisabled) {
    TestWindows windows;
    HWND front = windows.Open();
    HWND other = windows.Open();
    SetForegroundWindow(front);

    bool otherAfterSecondBox = true;
    std::vector<bool> secondThreadAfter;
    ModalWatch watch([&](HWND) {
        std::thread second([&] {
            TestWindows own;
            const std::vector<HWND> mine = {own.Open(), own.Open()};
            ModalWatch inner;
            MessageBoxShow("second", "box");
            otherAfterSecondBox = IsWindowEnabled(other);
            secondThreadAfter = EnabledStates(mine);
        });
        second.join();
    });
    MessageBoxShow("first", "box");
    ASSERT_TRUE(watch.Seen().appeared);
    EXPECT_FALSE(otherAfterSecondBox);
    EXPECT_EQ(secondThreadAfter, (std::vector<bool>{true, true}));
    EXPECT_TRUE(IsWindowEnabled(other));
}

} // namespace
