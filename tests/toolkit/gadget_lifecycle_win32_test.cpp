#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

#include "tests/support/gadget_harness_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int32_t GREEN = 0x00ff00;
constexpr int32_t RED = 0x0000ff;
constexpr int32_t BLUE = 0xff0000;
constexpr COLORREF UNTOUCHED = 0x123456;

using GadgetLifeTest = GadgetWindowTest;

// The brush the window answers a control-colour question about the control with.
HBRUSH ColourAnswer(HWND window, HWND control, UINT message, HDC dc) {
    return reinterpret_cast<HBRUSH>(SendMessageA(window, message, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(control)));
}

bool BrushLives(HBRUSH brush) {
    return GetObjectType(brush) == OBJ_BRUSH;
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH description = {};
    GetObjectA(brush, sizeof description, &description);
    return description.lbColor;
}

enum class Answer { platform, system, own };

struct ColourCase {
    const char* what;
    intptr_t (*create)();
    UINT message;
    bool enabled;
    int32_t text;
    int32_t background;
    Answer answer;
    int systemColour = 0; // for Answer::system
};

intptr_t MakeLabel() {
    return LabelCreate(1, 10, 10, 100, 20, "Label");
}
intptr_t MakeOutputBox() {
    return OutputBoxCreate(1, 10, 10, 100, 20, "Box", 0x800);
}
intptr_t MakeLink() {
    return LinkCreate(1, 10, 10, 100, 20, "Link", BLUE);
}
intptr_t MakeButton() {
    return ButtonCreate(1, 10, 10, 100, 20, "Button");
}

TEST_F(GadgetLifeTest, ColourQueriesFollowTheGadgetsColours) {
    constexpr int32_t D = COLOUR_DEFAULT;
    const ColourCase cases[] = {
        {"label without colours", MakeLabel, WM_CTLCOLORSTATIC, true, D, D, Answer::platform},
        {"label text colour", MakeLabel, WM_CTLCOLORSTATIC, true, RED, D, Answer::system,
         COLOR_BTNFACE},
        {"label background", MakeLabel, WM_CTLCOLORSTATIC, true, D, GREEN, Answer::own},
        {"label both", MakeLabel, WM_CTLCOLORSTATIC, true, RED, GREEN, Answer::own},
        {"label asked as an edit", MakeLabel, WM_CTLCOLOREDIT, true, RED, GREEN, Answer::platform},
        {"output box text colour", MakeOutputBox, WM_CTLCOLOREDIT, true, RED, D, Answer::system,
         COLOR_BTNHIGHLIGHT},
        {"read-only output box", MakeOutputBox, WM_CTLCOLORSTATIC, true, D, GREEN, Answer::own},
        {"disabled output box", MakeOutputBox, WM_CTLCOLORSTATIC, false, RED, GREEN,
         Answer::platform},
        {"disabled output box asked as an edit", MakeOutputBox, WM_CTLCOLOREDIT, false, D, GREEN,
         Answer::own},
        {"link background", MakeLink, WM_CTLCOLORSTATIC, true, RED, GREEN, Answer::own},
        {"link text colour only", MakeLink, WM_CTLCOLORSTATIC, true, RED, D, Answer::platform},
        {"button has no colours", MakeButton, WM_CTLCOLORBTN, true, RED, GREEN, Answer::platform},
    };
    for (const ColourCase& c : cases) {
        HWND control = HandleOf(c.create());
        ASSERT_NE(control, nullptr) << c.what;
        EnableWindow(control, c.enabled);
        GadgetSetColour(1, 1, c.text);
        GadgetSetColour(1, 2, c.background);
        HDC dc = GetDC(control);
        SetTextColor(dc, UNTOUCHED);
        SetBkColor(dc, UNTOUCHED);
        const HBRUSH answer = ColourAnswer(window, control, c.message, dc);
        const COLORREF text = GetTextColor(dc);
        const COLORREF background = GetBkColor(dc);
        switch (c.answer) {
        case Answer::platform:
            EXPECT_EQ(answer, reinterpret_cast<HBRUSH>(
                                  DefWindowProcA(window, c.message, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(control))))
                << c.what;
            break;
        case Answer::system:
            EXPECT_EQ(answer, GetSysColorBrush(c.systemColour)) << c.what;
            EXPECT_EQ(background, GetSysColor(c.systemColour)) << c.what;
            EXPECT_EQ(text, static_cast<COLORREF>(c.text)) << c.what;
            break;
        case Answer::own: {
            EXPECT_EQ(BrushColour(answer), static_cast<COLORREF>(c.background)) << c.what;
            // The link's own painting sets its colours; the others' come from here.
            const bool link = c.create == MakeLink;
            const COLORREF expectedText =
                link || c.text == COLOUR_DEFAULT ? UNTOUCHED : static_cast<COLORREF>(c.text);
            EXPECT_EQ(text, expectedText) << c.what;
            EXPECT_EQ(background, link ? UNTOUCHED : static_cast<COLORREF>(c.background)) << c.what;
            break;
        }
        }
        ReleaseDC(control, dc);
        DestroyWindow(control);
    }
}

TEST_F(GadgetLifeTest, GadgetsShareOneBrushPerColourUntilTheLastLetsGo) {
    HWND first = HandleOf(LabelCreate(1, 10, 10, 100, 20, "One"));
    HWND second = HandleOf(LabelCreate(2, 10, 40, 100, 20, "Two"));
    HWND box = HandleOf(OutputBoxCreate(3, 10, 70, 100, 20, "Three", 0x800));
    HWND other = HandleOf(LinkCreate(4, 10, 100, 100, 20, "Four", BLUE));
    ASSERT_TRUE(first && second && box && other);
    for (ObjectNumber number : {1, 2, 3}) {
        GadgetSetColour(number, 2, GREEN);
    }
    GadgetSetColour(4, 2, RED);
    EXPECT_EQ(GadgetGetColour(3, 2), GREEN);

    HDC dc = GetDC(window);
    const HBRUSH green = ColourAnswer(window, first, WM_CTLCOLORSTATIC, dc);
    const HBRUSH red = ColourAnswer(window, other, WM_CTLCOLORSTATIC, dc);
    EXPECT_EQ(ColourAnswer(window, second, WM_CTLCOLORSTATIC, dc), green);
    EXPECT_EQ(ColourAnswer(window, box, WM_CTLCOLOREDIT, dc), green);
    ReleaseDC(window, dc);
    EXPECT_NE(green, red);
    EXPECT_EQ(BrushColour(green), static_cast<COLORREF>(GREEN));

    // Let go one by one: by colour change, by reuse of the number, by destruction.
    GadgetSetColour(1, 2, COLOUR_DEFAULT);
    EXPECT_TRUE(BrushLives(green));
    ASSERT_TRUE(ButtonCreate(2, 10, 40, 100, 20, "Two again"));
    EXPECT_TRUE(BrushLives(green));
    DestroyWindow(box);
    EXPECT_FALSE(BrushLives(green));
    EXPECT_TRUE(BrushLives(red));
    WindowClose(WINDOW);
    EXPECT_FALSE(BrushLives(red));
}

TEST_F(GadgetLifeTest, ANewGadgetUnderALiveNumberReplacesIt) {
    HWND old = HandleOf(LabelCreate(5, 10, 10, 100, 20, "Old"));
    ASSERT_NE(old, nullptr);
    GadgetSetColour(5, 2, GREEN);
    HDC dc = GetDC(window);
    const HBRUSH brush = ColourAnswer(window, old, WM_CTLCOLORSTATIC, dc);
    ReleaseDC(window, dc);
    ASSERT_TRUE(BrushLives(brush));

    HWND replacement = HandleOf(CheckBoxCreate(5, 10, 40, 100, 20, "New"));
    ASSERT_NE(replacement, nullptr);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_FALSE(BrushLives(brush)) << "the old gadget's clean-up did not run";
    EXPECT_EQ(GadgetGetText(5), "New");
    GadgetSetState(5, 1);
    EXPECT_EQ(GadgetGetState(5), 1);

    // A control that cannot be made leaves the live gadget alone.
    HWND nowhere =
        CreateWindowExA(0, "Static", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(nowhere);
    GadgetListBegin(reinterpret_cast<intptr_t>(nowhere));
    EXPECT_EQ(ButtonCreate(5, 10, 70, 100, 20, "Lost"), 0);
    EXPECT_EQ(LinkCreate(5, 10, 70, 100, 20, "Lost", BLUE), 0);
    EXPECT_EQ(ComboCreate(NUMBER_ANY, 10, 70, 100, 20), 0);
    GadgetListBegin(reinterpret_cast<intptr_t>(window));
    EXPECT_TRUE(IsWindow(replacement));
    EXPECT_EQ(GadgetGetText(5), "New");
    EXPECT_EQ(GadgetGetState(5), 1);

    // A number the registry cannot take makes no control.
    EXPECT_EQ(ButtonCreate(-5, 10, 70, 100, 20, "Invalid"), 0);
    EXPECT_EQ(FindWindowExA(window, nullptr, "Button", "Invalid"), nullptr);
}

TEST_F(GadgetLifeTest, ClosingTheWindowReleasesEveryGadgetNumber) {
    ASSERT_TRUE(FrameCreate(0, 5, 5, 300, 300, "Frame"));
    ASSERT_TRUE(CheckBoxCreate(1, 10, 20, 100, 20, "Tick"));
    ASSERT_TRUE(ComboCreate(2, 10, 50, 100, 100));
    ASSERT_TRUE(OutputBoxCreate(3, 10, 80, 100, 20, "Box", 0));
    ASSERT_TRUE(LabelCreate(4, 10, 110, 100, 20, "Label"));
    ASSERT_TRUE(LinkCreate(60, 10, 140, 100, 20, "Link", BLUE));
    const auto issued = static_cast<ObjectNumber>(ButtonCreate(NUMBER_ANY, 10, 170, 80, 20, "Go"));
    ASSERT_NE(issued, 0);
    GadgetSetState(1, 1);
    GadgetAddItem(2, -1, "Entry");
    GadgetSetState(2, 0);

    WindowClose(WINDOW);
    for (ObjectNumber number : {0, 1, 2, 3, 4, 60, issued}) {
        EXPECT_EQ(GadgetGetText(number), "") << "gadget " << number;
        EXPECT_EQ(GadgetGetState(number), 0) << "gadget " << number;
    }
}

TEST(GadgetListTest, NoWindowYieldsNone) {
    StartToolkitRuntime();
    EXPECT_EQ(GadgetListBegin(0), 0);
}

} // namespace
