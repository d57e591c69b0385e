// The toolkit's contract, the same on every window system: this one source
// is built into the Windows GUI tests and natively against GTK. What the
// user does comes through the window system (tests/support/toolkit_driver.h).
#include "tests/support/toolkit_driver.h"
#include "toolkit/launch.h"
#include "toolkit/messagebox.h"

#include <chrono>
#include <string>
#include <utility>

namespace {

constexpr int32_t GREEN = 0x00ff00;
constexpr int32_t RED = 0x0000ff;
constexpr int32_t BLUE = 0xff0000;

using ContractTest = GadgetWindowTest;

// Waits a few seconds at most for the control to show a pixel of the colour,
// give or take the low four bits of each channel: text has soft edges.
bool ShowsColour(intptr_t control, int32_t colour) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
        Settle({});
        const std::vector<int32_t> shown = ShownPixels(control);
        if (std::any_of(shown.begin(), shown.end(),
                        [colour](int32_t pixel) { return ((pixel ^ colour) & 0xf0f0f0) == 0; })) {
            return true;
        }
    }
    return false;
}

std::pair<int32_t, std::string> Selection(ObjectNumber combo) {
    return {GadgetGetState(combo), GadgetGetText(combo)};
}

TEST_F(ContractTest, ComboBoxInsertsAndSelectsByTextOrIndexWithoutReporting) {
    ASSERT_TRUE(ComboCreate(7, 10, 10, 150, 200));
    for (const char* entry : {"< none >", "M3", "XM1014"}) {
        GadgetAddItem(7, -1, entry);
    }
    GadgetAddItem(7, 1, "Galil");
    GadgetAddItem(7, 9, "Past the end");
    EXPECT_EQ(Selection(7), std::pair(-1, std::string()));
    // Text matches whole and regardless of case; no match keeps the
    // selection; an index that names no entry clears it.
    // clang-format off
    const struct {
        const char* text; // nullptr: select by index instead
        int32_t index, selected;
        const char* shown;
    } steps[] = {{"xm1014", 0, 3, "XM1014"}, {"AWP", 0, 3, "XM1014"}, {"galil", 0, 1, "Galil"},
                 {nullptr, 0, 0, "< none >"}, {nullptr, 4, -1, ""}, {"m3", 0, 2, "M3"},
                 {"", 0, -1, ""}};
    // clang-format on
    for (const auto& step : steps) {
        if (step.text) {
            GadgetSetText(7, step.text);
        } else {
            GadgetSetState(7, step.index);
        }
        EXPECT_EQ(Selection(7), std::pair(step.selected, std::string(step.shown)))
            << (step.text ? step.text : "by index");
    }
    EXPECT_EQ(EventTrace({}), GadgetEvents()) << "changes made by the program";
}

TEST_F(ContractTest, EachKindReportsItsUsersActionsInOrder) {
    const intptr_t button = ButtonCreate(1, 10, 10, 80, 24, "Go");
    const intptr_t check = CheckBoxCreate(2, 10, 40, 120, 20, "Tick");
    const intptr_t combo = ComboCreate(3, 10, 70, 150, 200);
    const intptr_t link = LinkCreate(4, 10, 100, 100, 20, "Page", GREEN);
    ASSERT_TRUE(button && check && combo && link);
    GadgetAddItem(3, -1, "First");
    GadgetAddItem(3, -1, "Second");
    GadgetSetState(3, 0);
    GadgetSetState(2, 1);
    GadgetEvents();
    // Each action is handled before the next, as a user's are.
    EventTrace reported;
    for (intptr_t control : {button, check, combo, link, check}) {
        control == combo ? UserSelectNext(combo) : UserClick(control);
        const EventTrace more = Only(GadgetEvents(), {SUBTYPE_CLICKED, SUBTYPE_SELECTION_CHANGED});
        reported.insert(reported.end(), more.begin(), more.end());
    }
    EXPECT_EQ(EventTrace({Reported(1, SUBTYPE_CLICKED), Reported(2, SUBTYPE_CLICKED),
                          Reported(3, SUBTYPE_SELECTION_CHANGED), Reported(4, SUBTYPE_CLICKED),
                          Reported(2, SUBTYPE_CLICKED)}),
              reported);
    EXPECT_EQ(GadgetGetState(2), 1) << "two clicks toggle the check mark twice";
    EXPECT_EQ(Selection(3), std::pair(1, std::string("Second")));
    UserShowList(combo, true);
    UserShowList(combo, false);
    EXPECT_EQ(EventTrace({Reported(3, SUBTYPE_DROPPED_DOWN), Reported(3, SUBTYPE_CLOSED_UP)}),
              Only(GadgetEvents(), {SUBTYPE_DROPPED_DOWN, SUBTYPE_CLOSED_UP}));
}

TEST_F(ContractTest, TheOutputBoxReportsEachFocusChangeOnce) {
    const intptr_t button = ButtonCreate(1, 10, 10, 80, 24, "Go");
    const intptr_t box = OutputBoxCreate(2, 10, 40, 200, 24, "Text", OUTPUT_BOX_READ_ONLY);
    ASSERT_TRUE(button && box);
    for (intptr_t control : {box, button, box, box}) {
        UserFocus(control);
    }
    EXPECT_EQ(EventTrace({Reported(2, SUBTYPE_FOCUS_GAINED), Reported(2, SUBTYPE_FOCUS_LOST),
                          Reported(2, SUBTYPE_FOCUS_GAINED)}),
              Only(GadgetEvents(), {SUBTYPE_FOCUS_GAINED, SUBTYPE_FOCUS_LOST}));
}

TEST_F(ContractTest, TabFollowsCreationOrderPastControlsThatTakeNoFocus) {
    const intptr_t made[] = {
        FrameCreate(0, 5, 5, 300, 300, "Frame"),
        ButtonCreate(1, 10, 250, 80, 24, "Last place, first made"),
        LabelCreate(2, 10, 20, 80, 20, "Label"),
        CheckBoxCreate(3, 10, 50, 80, 20, "Disabled"),
        ComboCreate(4, 10, 80, 120, 200),
        OutputBoxCreate(5, 10, 110, 120, 24, "Box", OUTPUT_BOX_READ_ONLY),
        LinkCreate(6, 10, 140, 80, 20, "Link", GREEN),
        ButtonCreate(7, 10, 10, 80, 24, "First place"),
    };
    SetEnabled(made[3], false);
    // Nothing has the focus at first; Ctrl+Tab moves nothing.
    const struct {
        bool shift, ctrl;
        int focused;
    } steps[] = {{true, false, 7},  {false, false, 1}, {false, false, 4}, {false, true, 4},
                 {false, false, 5}, {false, false, 7}, {true, false, 5}};
    for (const auto& step : steps) {
        UserTab(window, step.shift, step.ctrl);
        EXPECT_EQ(FocusedGadget(window), made[step.focused])
            << "shift " << step.shift << ", ctrl " << step.ctrl << ", gadget " << step.focused;
    }
}

TEST_F(ContractTest, ACloseRequestLeavesTheWindowOpen) {
    for (int request = 0; request < 2; ++request) {
        const int32_t gadget = EventSourceGadget();
        UserClose(window);
        EXPECT_EQ(EventTrace({{EVENT_CLOSE_WINDOW, WINDOW, gadget, -1}}),
                  Settle({EVENT_CLOSE_WINDOW}));
        EXPECT_TRUE(IsShown(window) && WindowHandleOf(WINDOW) == window);
    }
}

struct BoxUp {
    intptr_t other;
    bool otherEnabledWhileUp;
    int32_t pressed;
};

// The owner (on Windows the window opened last) the platform may disable
// itself; the toolkit disables the thread's other visible, enabled windows,
// and enables them again.
TEST_F(ContractTest, AMessageBoxDisablesTheOtherWindowsWhileItIsUp) {
    const intptr_t disabled = WindowOpen(4, 0, 0, 100, 100, "Disabled", FLAGS);
    const intptr_t other = WindowOpen(5, 0, 0, 100, 100, "Other", FLAGS);
    ASSERT_TRUE(other && disabled);
    SetEnabled(disabled, false);
    BoxUp box = {other, true, 0};
    AnsweringBoxes(
        [](void* up) {
            static_cast<BoxUp*>(up)->pressed =
                MessageBoxShow("Title", "Text", MESSAGE_BOX_INFORMATION);
        },
        [](void* up) {
            auto& seen = *static_cast<BoxUp*>(up);
            seen.otherEnabledWhileUp = IsEnabled(seen.other);
        },
        &box);
    EXPECT_EQ(box.pressed, MESSAGE_BOX_OK);
    EXPECT_FALSE(box.otherEnabledWhileUp);
    EXPECT_TRUE(IsEnabled(other) && IsEnabled(window));
    EXPECT_FALSE(IsEnabled(disabled)) << "disabled before, it stays so";
    WindowClose(4);
    WindowClose(5);
}

TEST_F(ContractTest, ColoursOfLabelsOutputBoxesAndLinksShowOnTheScreen) {
    const intptr_t made[] = {LabelCreate(1, 10, 10, 80, 20, "Label", LABEL_SUNKEN),
                             OutputBoxCreate(2, 10, 40, 80, 20, "Box", 0),
                             LinkCreate(3, 10, 70, 80, 20, "Link", BLUE),
                             ButtonCreate(4, 10, 100, 80, 20, "No colours")};
    ASSERT_TRUE(made[0] && made[1] && made[2] && made[3]);
    EXPECT_EQ(GadgetGetColour(3, COLOUR_TEXT), 0) << "a link is black at first";
    for (ObjectNumber number : {1, 2, 3, 4}) {
        const bool coloured = number != 4;
        GadgetSetColour(number, COLOUR_BACKGROUND, GREEN);
        GadgetSetColour(number, COLOUR_TEXT, RED);
        EXPECT_EQ(GadgetGetColour(number, COLOUR_BACKGROUND), coloured ? GREEN : COLOUR_DEFAULT);
        EXPECT_EQ(GadgetGetColour(number, COLOUR_TEXT), coloured ? RED : COLOUR_DEFAULT);
        EXPECT_EQ(GadgetGetColour(number, 3), COLOUR_DEFAULT);
        EXPECT_TRUE(!coloured || ShowsColour(made[number - 1], GREEN)) << number << ": background";
        EXPECT_TRUE(!coloured || ShowsColour(made[number - 1], RED)) << number << ": text";
        GadgetSetColour(number, COLOUR_BACKGROUND, COLOUR_DEFAULT);
        EXPECT_EQ(GadgetGetColour(number, COLOUR_BACKGROUND), COLOUR_DEFAULT);
    }
}

// Numbers that name no gadget, and kinds without state or items: nothing
// happens, the state is 0, and the text is the control's own.
TEST_F(ContractTest, NumbersThatNameNothingAndOperationsAKindLacks) {
    ASSERT_TRUE(FrameCreate(1, 5, 5, 300, 300, "Old") && LabelCreate(2, 10, 20, 80, 20, "Old") &&
                OutputBoxCreate(3, 10, 50, 80, 20, "Old", 0) &&
                LinkCreate(4, 10, 80, 80, 20, "Old", 0));
    for (ObjectNumber number : {1, 2, 3, 4, 5, 5000, -7}) {
        const bool named = number >= 1 && number <= 4;
        EXPECT_EQ(GadgetAddItem(number, -1, "Item"), 0);
        GadgetSetState(number, 1);
        EXPECT_EQ(std::pair(GadgetGetState(number), GadgetGetText(number)),
                  std::pair(0, std::string(named ? "Old" : "")))
            << number;
        GadgetSetText(number, "New");
        EXPECT_EQ(GadgetGetText(number), named ? "New" : "") << number;
    }
}

// A runtime that is running stays as it is; a closed window frees its
// number and its gadgets' numbers.
TEST_F(ContractTest, ASecondStartChangesNothingAndClosingFreesTheNumbers) {
    ASSERT_TRUE(ButtonCreate(1, 10, 10, 80, 24, "Go"));
    EXPECT_TRUE(RuntimeStart());
    EXPECT_EQ(WindowHandleOf(WINDOW), window);
    EXPECT_EQ(GadgetGetText(1), "Go");
    EXPECT_TRUE(ButtonCreate(2, 10, 40, 80, 24, "Still here")) << "the window takes gadgets still";
    WindowClose(WINDOW);
    EXPECT_EQ(WindowHandleOf(WINDOW), 0);
    EXPECT_EQ(GadgetGetText(1), "");
    // A name the system cannot open gives 0, and no box says so.
    struct Opening {
        int32_t result = 1;
        bool boxShown = false;
    } opening;
    AnsweringBoxes(
        [](void* context) {
            static_cast<Opening*>(context)->result = DocumentOpen("no-such-document.brevolt");
        },
        [](void* context) { static_cast<Opening*>(context)->boxShown = true; }, &opening);
    EXPECT_EQ(opening.result, 0);
    EXPECT_FALSE(opening.boxShown);
}

} // namespace
