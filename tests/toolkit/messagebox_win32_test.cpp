#include "toolkit/messagebox.h"

#include "tests/support/modal_watch_win32.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// Top-level windows of the calling thread, destroyed with the test.
struct TestWindows {
    HWND Open(bool visible = true) {
        windows.push_back(CreateWindowExA(0, "STATIC", "test",
                                          WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                                          40 + 30 * static_cast<int>(windows.size()), 40, 200, 120,
                                          nullptr, nullptr, nullptr, nullptr));
        return windows.back();
    }
    std::vector<bool> Enabled() const {
        std::vector<bool> states;
        for (HWND window : windows) {
            states.push_back(IsWindowEnabled(window) != FALSE);
        }
        return states;
    }
    ~TestWindows() {
        for (HWND window : windows) {
            DestroyWindow(window);
        }
    }

    std::vector<HWND> windows;
};

TEST(MessageBoxShowTest, DisablesTheThreadsOtherWindowsWhileUpAndShowsTheBytesGiven) {
    {
        ModalWatch watch;
        EXPECT_EQ(MessageBoxShow("t", "x"), IDOK);
        EXPECT_TRUE(watch.Seen().appeared && !watch.Seen().owner) << "none of ours is in front";
    }
    TestWindows windows;
    HWND front = windows.Open();
    windows.Open();
    windows.Open();
    EnableWindow(windows.Open(), FALSE);
    windows.Open(false);
    SetForegroundWindow(front);
    ASSERT_EQ(GetForegroundWindow(), front);

    std::vector<bool> during;
    HWND no = nullptr;
    ModalWatch watch(
        [&](HWND box) {
            during = windows.Enabled();
            no = GetDlgItem(box, IDNO);
        },
        IDNO);
    EXPECT_EQ(MessageBoxShow("Gr\xFC\xDF", "M\xFCller\r\n\"autoexec.cfg\"", MB_YESNO), IDNO);
    const ModalBoxSeen& seen = watch.Seen();
    ASSERT_TRUE(seen.appeared);
    EXPECT_EQ(seen.owner, front);
    EXPECT_NE(no, nullptr) << "the flags ask for Yes and No";
    // The owner is disabled by the box itself; the hidden window is left alone.
    EXPECT_EQ(during, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(windows.Enabled(), (std::vector<bool>{true, true, true, false, true}));
    EXPECT_EQ(seen.title + '|' + seen.text, "Gr\xFC\xDF|M\xFCller\r\n\"autoexec.cfg\"");
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
        std::thread([&] {
            TestWindows own;
            own.Open();
            own.Open();
            ModalWatch inner;
            MessageBoxShow("second", "box");
            otherAfterSecondBox = IsWindowEnabled(other);
            secondThreadAfter = own.Enabled();
        }).join();
    });
    MessageBoxShow("first", "box");
    ASSERT_TRUE(watch.Seen().appeared);
    EXPECT_FALSE(otherAfterSecondBox);
    EXPECT_EQ(secondThreadAfter, (std::vector<bool>{true, true}));
    EXPECT_TRUE(IsWindowEnabled(other));
}

} // namespace
