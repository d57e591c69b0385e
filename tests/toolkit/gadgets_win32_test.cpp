// What the gadgets offer beyond the main window's use of them, which the
// end-to-end tests drive through brevolt.exe.
#include "tests/support/event_trace_win32.h"
#include "tests/support/memory_shortage.h"
#include "toolkit/gadgets.h"
#include "toolkit/messagebox.h"

#include <string>
#include <thread>
#include <utility>

namespace {

constexpr COLORREF GREEN = 0x00ff00;

using GadgetTest = GadgetWindowTest;

TEST_F(GadgetTest, ComboBoxInsertsAtAPositionAndSelectsByTextWithoutReporting) {
    ASSERT_TRUE(ComboCreate(7, 10, 10, 150, 200));
    for (const char* entry : {"< none >", "M3", "XM1014"}) {
        GadgetAddItem(7, -1, entry);
    }
    GadgetAddItem(7, 1, "Galil");
    // Matched whole and without regard to case; no match keeps the selection.
    for (const auto& [text, index] : {std::pair{"xm1014", 3}, {"AWP", 3}, {"galil", 1}}) {
        GadgetSetText(7, text);
        EXPECT_EQ(GadgetGetState(7), index) << text;
    }
    EXPECT_EQ(GadgetGetText(7), "Galil");
    EXPECT_EQ(EventTrace({}), GadgetEvents()) << "changes made by the program";
}

// The brush the window answers a control-colour question about `control`
// with; a gadget with a background colour only leaves the text colour alone.
HBRUSH ColourAnswer(HWND window, HWND control) {
    HDC dc = GetDC(window);
    const COLORREF text = GetTextColor(dc);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(control)));
    EXPECT_EQ(GetTextColor(dc), text);
    ReleaseDC(window, dc);
    return brush;
}

bool BrushLives(HBRUSH brush) {
    return GetObjectType(brush) == OBJ_BRUSH;
}

// Let go by a colour change, by a new gadget under the number (which
// destroys the old control), by destruction.
TEST_F(GadgetTest, GadgetsShareOneBrushPerColourUntilTheLastLetsGo) {
    HWND labels[3];
    for (ObjectNumber number : {0, 1, 2}) {
        labels[number] = HandleOf(LabelCreate(number, 10, 10 + 30 * number, 100, 20, "Label"));
        ASSERT_NE(labels[number], nullptr);
        GadgetSetColour(number, 2, static_cast<int32_t>(GREEN));
    }
    const HBRUSH green = ColourAnswer(window, labels[0]);
    LOGBRUSH description = {};
    GetObjectA(green, sizeof description, &description);
    EXPECT_EQ(description.lbColor, GREEN);
    EXPECT_EQ(ColourAnswer(window, labels[2]), green);

    GadgetSetColour(0, 2, COLOUR_DEFAULT);
    {
        MemoryShortage shortage; // no room to keep a new brush: the default answers
        GadgetSetColour(0, 2, 0x0000ff);
    }
    EXPECT_TRUE(BrushLives(ColourAnswer(window, labels[0])));
    ASSERT_TRUE(CheckBoxCreate(1, 10, 40, 100, 20, "New"));
    EXPECT_FALSE(IsWindow(labels[1]));
    EXPECT_TRUE(BrushLives(green));
    DestroyWindow(labels[2]);
    EXPECT_FALSE(BrushLives(green)) << "a clean-up did not run";
    GadgetSetColour(0, 2, static_cast<int32_t>(GREEN));
    EXPECT_TRUE(BrushLives(ColourAnswer(window, labels[0]))) << "a freed brush handed out again";
}

// The box's owner the platform disables and enables again itself (the About
// box end to end); the toolkit does the same for the thread's other windows.
TEST_F(GadgetTest, AMessageBoxDisablesTheThreadsOtherWindowsWhileItIsUp) {
    HWND other = HandleOf(WindowOpen(4, 0, 0, 100, 100, "Other", 0x80C00001));
    HWND disabled = HandleOf(WindowOpen(5, 0, 0, 100, 100, "Disabled", 0x80C00001));
    ASSERT_TRUE(other && disabled);
    EnableWindow(disabled, FALSE);
    SetForegroundWindow(window);
    bool otherEnabledWhileUp = true;
    std::thread answer([&, thread = GetCurrentThreadId()] {
        HWND box = nullptr;
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 20000; Sleep(20)) {
            box = box ? box : FindWindowExA(nullptr, nullptr, "#32770", nullptr);
            if (box && GetWindowThreadProcessId(box, nullptr) == thread) {
                otherEnabledWhileUp = otherEnabledWhileUp && IsWindowEnabled(other);
                PostMessageA(box, WM_COMMAND, IDOK, 0); // again until it has closed
            }
            if (box && !IsWindow(box)) {
                return;
            }
        }
    });
    EXPECT_EQ(MessageBoxShow("Title", "Text"), IDOK);
    answer.join();
    EXPECT_FALSE(otherEnabledWhileUp);
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_FALSE(IsWindowEnabled(disabled)) << "disabled before, it stays so";
    WindowClose(4);
    WindowClose(5);
}

} // namespace
