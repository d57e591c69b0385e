// What the gadgets offer beyond the main window's use of them, which the
// end-to-end tests drive through brevolt.exe.
#include "tests/support/event_trace_win32.h"
#include "toolkit/gadgets.h"

#include <string>
#include <utility>

namespace {

constexpr COLORREF GREEN = 0x00ff00;

using GadgetTest = GadgetWindowTest;

// A click as the control's own handling sees it; posted, so it is dispatched
// by EventWait like real input.
void ClickAt(HWND control) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// The edit control's own notification comes from the click's dispatch; the
// posted focus report follows on the next wait.
TEST_F(GadgetTest, OutputBoxReportsFocusGainAndLoss) {
    HWND box = HandleOf(OutputBoxCreate(2, 10, 10, 150, 22, "text", 0x800));
    HWND button = HandleOf(ButtonCreate(3, 10, 50, 80, 24, "Go"));
    ASSERT_TRUE(box && button);
    GadgetEvents();
    ClickAt(box);
    EXPECT_EQ(EventTrace({Reported(2, EN_SETFOCUS), Reported(2, SUBTYPE_FOCUS_GAINED)}),
              GadgetEvents());
    ClickAt(button);
    // The release was posted before the report, so the click comes first.
    EXPECT_EQ(EventTrace({Reported(2, EN_KILLFOCUS), Reported(3, BN_CLICKED),
                          Reported(2, SUBTYPE_FOCUS_LOST)}),
              GadgetEvents());
}

TEST_F(GadgetTest, ComboBoxInsertsAtAPositionAndSelectsByTextWithoutReporting) {
    ASSERT_TRUE(ComboCreate(7, 10, 10, 150, 200));
    for (const char* entry : {"< none >", "M3", "XM1014"}) {
        GadgetAddItem(7, -1, entry);
    }
    GadgetAddItem(7, -2, "lost");
    GadgetAddItem(7, 1, "Galil");
    using Shown = std::pair<int32_t, std::string>;
    const std::pair<const char*, Shown> picks[] = {
        {"xm1014", {3, "XM1014"}}, {"AWP", {3, "XM1014"}}, {"lost", {3, "XM1014"}},
        {"galil", {1, "Galil"}},   {"M3", {2, "M3"}},
    };
    for (const auto& [text, shown] : picks) {
        GadgetSetText(7, text);
        EXPECT_EQ(Shown(GadgetGetState(7), GadgetGetText(7)), shown) << text;
    }
    EXPECT_EQ(EventTrace({}), GadgetEvents()) << "changes made by the program";
}

// The brush the window answers a control-colour question about `control` with.
HBRUSH ColourAnswer(HWND window, HWND control) {
    HDC dc = GetDC(window);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(control)));
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
    ASSERT_TRUE(CheckBoxCreate(1, 10, 40, 100, 20, "New"));
    EXPECT_FALSE(IsWindow(labels[1]));
    EXPECT_TRUE(BrushLives(green));
    DestroyWindow(labels[2]);
    EXPECT_FALSE(BrushLives(green)) << "a clean-up did not run";
    GadgetSetColour(0, 2, static_cast<int32_t>(GREEN));
    EXPECT_TRUE(BrushLives(ColourAnswer(window, labels[0]))) << "a freed brush handed out again";
}

} // namespace
