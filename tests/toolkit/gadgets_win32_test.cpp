#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

#include "tests/support/gadget_harness_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF BLUE = 0xff0000;

using GadgetTest = GadgetWindowTest;

TEST_F(GadgetTest, ButtonAndCheckBoxClicksReportTheirNumbers) {
    HWND button = HandleOf(ButtonCreate(4, 10, 10, 80, 24, "Go"));
    HWND check = HandleOf(CheckBoxCreate(5, 10, 40, 120, 20, "Tick"));
    ASSERT_TRUE(button && check);
    PumpUntilSettled(window);

    PostMessageA(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(SameTrace({Reported(4, 0)}, GadgetEvents()));
    EXPECT_EQ(GadgetGetState(4), 0);

    // Each click toggles the check mark and reports once.
    for (int32_t expected : {1, 0, 1}) {
        PostMessageA(check, BM_CLICK, 0, 0);
        EXPECT_TRUE(SameTrace({Reported(5, 0)}, GadgetEvents()));
        EXPECT_EQ(GadgetGetState(5), expected);
    }
}

TEST_F(GadgetTest, StateBelongsToCheckMarksAndCombosOnly) {
    ASSERT_TRUE(CheckBoxCreate(1, 10, 10, 120, 20, "Tick"));
    ASSERT_TRUE(ButtonCreate(2, 10, 40, 80, 24, "Go"));
    ASSERT_TRUE(FrameCreate(3, 200, 10, 100, 100, "Frame"));
    ASSERT_TRUE(LabelCreate(4, 10, 70, 100, 20, "Label"));
    ASSERT_TRUE(OutputBoxCreate(5, 10, 100, 100, 20, "Out", 0));
    ASSERT_TRUE(LinkCreate(6, 10, 130, 100, 20, "Link", BLUE));

    EXPECT_EQ(GadgetGetState(1), 0);
    GadgetSetState(1, 7);
    EXPECT_EQ(GadgetGetState(1), 1);
    GadgetSetState(1, 0);
    EXPECT_EQ(GadgetGetState(1), 0);
    for (ObjectNumber number : {2, 3, 4, 5, 6}) {
        const std::string text = GadgetGetText(number);
        GadgetSetState(number, 1);
        EXPECT_EQ(GadgetGetState(number), 0) << "gadget " << number;
        EXPECT_EQ(GadgetGetText(number), text) << "gadget " << number;
    }
    EXPECT_TRUE(SameTrace({}, GadgetEvents())) << "a change made by the program";
}

TEST_F(GadgetTest, TextIsReadAndReplacedWhole) {
    ASSERT_TRUE(FrameCreate(1, 200, 10, 100, 100, "Frame"));
    ASSERT_TRUE(LabelCreate(2, 10, 70, 100, 20, nullptr));
    ASSERT_TRUE(OutputBoxCreate(3, 10, 100, 60, 20, "first", 0x800));
    ASSERT_TRUE(LinkCreate(4, 10, 130, 100, 20, "Link", BLUE));

    EXPECT_EQ(GadgetGetText(1), "Frame");
    EXPECT_EQ(GadgetGetText(2), "");
    EXPECT_EQ(GadgetGetText(3), "first");
    const std::string line = "bind \"q\" \"buy m4a1; buy primammo; buy vesthelm\"";
    for (ObjectNumber number : {1, 2, 3, 4}) {
        GadgetSetText(number, line.c_str());
        EXPECT_EQ(GadgetGetText(number), line) << "gadget " << number;
        GadgetSetText(number, nullptr);
        EXPECT_EQ(GadgetGetText(number), "") << "gadget " << number;
    }
}

TEST_F(GadgetTest, NumbersThatNameNoGadgetAreHarmless) {
    for (ObjectNumber number : {9, 49, 60, -1, -2}) {
        EXPECT_EQ(GadgetGetText(number), "");
        EXPECT_EQ(GadgetGetState(number), 0);
        EXPECT_EQ(GadgetAddItem(number, -1, "x"), 0);
        GadgetSetText(number, "x");
        GadgetSetState(number, 1);
        EXPECT_EQ(GadgetGetColour(number, 1), COLOUR_DEFAULT);
    }
}

TEST_F(GadgetTest, IssuedNumbersNameTheirGadgets) {
    const intptr_t first = ButtonCreate(NUMBER_ANY, 10, 10, 80, 24, "One");
    const intptr_t second = CheckBoxCreate(NUMBER_ANY, 10, 40, 80, 24, "Two");
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(GadgetGetText(static_cast<ObjectNumber>(first)), "One");
    GadgetSetState(static_cast<ObjectNumber>(second), 1);
    EXPECT_EQ(GadgetGetState(static_cast<ObjectNumber>(second)), 1);
}

// Each step: what is done to combo 7, then the expected selection and text.
struct ComboStep {
    const char* what;
    void (*act)();
    int32_t state;
    const char* text;
};

TEST_F(GadgetTest, ComboBoxKeepsOrderAndSelectsByIndexOrText) {
    ASSERT_TRUE(ComboCreate(7, 10, 10, 150, 200));
    const ComboStep steps[] = {
        {"empty", [] {}, -1, ""},
        {"filled by appending",
         [] {
             GadgetAddItem(7, -1, "< none >");
             GadgetAddItem(7, -1, "M3");
             GadgetAddItem(7, -1, "XM1014");
         },
         -1, ""},
        {"first selected", [] { GadgetSetState(7, 0); }, 0, "< none >"},
        {"appended last", [] { GadgetSetState(7, 2); }, 2, "XM1014"},
        {"below -1 or past the end adds nothing",
         [] {
             GadgetAddItem(7, -2, "lost");
             GadgetAddItem(7, 4, "lost");
             GadgetSetText(7, "lost");
         },
         2, "XM1014"},
        {"insert before index 1", [] { GadgetAddItem(7, 1, "Galil"); }, 3, "XM1014"},
        {"inserted entry", [] { GadgetSetState(7, 1); }, 1, "Galil"},
        {"old entry moved down", [] { GadgetSetState(7, 2); }, 2, "M3"},
        {"text ignores case", [] { GadgetSetText(7, "xm1014"); }, 3, "XM1014"},
        {"unmatched text keeps selection", [] { GadgetSetText(7, "AWP"); }, 3, "XM1014"},
        {"empty text clears", [] { GadgetSetText(7, ""); }, -1, ""},
        {"index past the end clears",
         [] {
             GadgetSetState(7, 1);
             GadgetSetState(7, 4);
         },
         -1, ""},
        {"-1 clears",
         [] {
             GadgetSetState(7, 0);
             GadgetSetState(7, -1);
         },
         -1, ""},
    };
    for (const ComboStep& step : steps) {
        step.act();
        EXPECT_EQ(GadgetGetState(7), step.state) << step.what;
        EXPECT_EQ(GadgetGetText(7), step.text) << step.what;
    }
    EXPECT_TRUE(SameTrace({}, GadgetEvents())) << "changes made by the program";
}

TEST_F(GadgetTest, OutputBoxReportsFocusGainAndLoss) {
    HWND box = HandleOf(OutputBoxCreate(2, 10, 10, 150, 22, "text", 0x800));
    HWND button = HandleOf(ButtonCreate(3, 10, 50, 80, 24, "Go"));
    ASSERT_TRUE(box && button);
    PumpUntilSettled(window);

    // The edit control's own notification comes from the click's dispatch;
    // the posted focus report follows on the next wait.
    PointerClick(box, 5, 5);
    EXPECT_TRUE(
        SameTrace({Reported(2, EN_SETFOCUS), Reported(2, SUBTYPE_FOCUS_GAINED)}, GadgetEvents()));

    PointerClick(button, 5, 5);
    EXPECT_TRUE(SameTrace(
        {Reported(2, EN_KILLFOCUS), Reported(2, SUBTYPE_FOCUS_LOST), Reported(3, BN_CLICKED)},
        GadgetEvents()));
}

} // namespace
