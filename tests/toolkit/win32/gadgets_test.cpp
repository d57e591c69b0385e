// The colours as Win32 paints them: the brushes behind the colour queries.
#include "tests/support/memory_shortage.h"
#include "tests/support/toolkit_driver.h"

#include <windows.h>

namespace {

constexpr COLORREF GREEN = 0x00ff00;

using GadgetTest = GadgetWindowTest;

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
        labels[number] =
            reinterpret_cast<HWND>(LabelCreate(number, 10, 10 + 30 * number, 100, 20, "Label"));
        ASSERT_NE(labels[number], nullptr);
        GadgetSetColour(number, COLOUR_BACKGROUND, static_cast<int32_t>(GREEN));
    }
    HWND parent = reinterpret_cast<HWND>(window);
    const HBRUSH green = ColourAnswer(parent, labels[0]);
    EXPECT_EQ(ColourAnswer(parent, labels[2]), green);

    GadgetSetColour(0, COLOUR_BACKGROUND, COLOUR_DEFAULT);
    {
        MemoryShortage shortage; // no room to keep a new brush: the default answers
        GadgetSetColour(0, COLOUR_BACKGROUND, 0x0000ff);
    }
    EXPECT_TRUE(BrushLives(ColourAnswer(parent, labels[0])));
    ASSERT_TRUE(CheckBoxCreate(1, 10, 40, 100, 20, "New"));
    EXPECT_FALSE(IsWindow(labels[1]));
    EXPECT_TRUE(BrushLives(green));
    DestroyWindow(labels[2]);
    EXPECT_FALSE(BrushLives(green)) << "a clean-up did not run";
    GadgetSetColour(0, COLOUR_BACKGROUND, static_cast<int32_t>(GREEN));
    EXPECT_TRUE(BrushLives(ColourAnswer(parent, labels[0]))) << "a freed brush handed out again";
}

} // namespace
