// The main window as the user first sees it.
#include "brevolt_fixture.h"

#include <algorithm>

namespace e2e {
namespace {

struct Kind {
    char letter;
    const char* className;
    LONG styleMask, style; // the bits that make the kind
};

const Kind kinds[] = {
    {'G', "Button", 0x0F, BS_GROUPBOX},
    {'B', "Button", 0x0F | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP},
    {'C', "Button", 0x0F, BS_AUTOCHECKBOX},
    {'S', "Static", SS_TYPEMASK, SS_LEFT},
    {'L', "Static", 0, 0}, // the link
    {'X', "ComboBox", 0x03, CBS_DROPDOWNLIST},
    {'E', "Edit", ES_READONLY, ES_READONLY},
};

struct ExpectedGadget {
    char kind;
    int x, y, width, height; // for combo boxes: the height with the list open
    const char* text;        // nullptr: any one line
};

// Indexed by gadget number, which is also the creation order.
// clang-format off
const ExpectedGadget expectedGadgets[] = {
    {'G', 5, 5, 240, 80, "Primary Weapon"},        {'G', 5, 95, 240, 80, "Secondary Weapon"},
    {'G', 5, 185, 240, 80, "Items"},               {'G', 5, 275, 120, 40, "Armor"},
    {'G', 125, 275, 120, 40, "Key Press"},         {'B', 5, 365, 80, 25, "Quit"},
    {'B', 85, 365, 80, 25, "Generate"},            {'B', 165, 365, 80, 25, "About"},
    {'B', 45, 390, 80, 25, "Add"},                 {'B', 125, 390, 80, 25, "Save Config"},
    {'S', 10, 25, 50, 15, "Choice 1:"},            {'S', 10, 45, 50, 15, "Choice 2:"},
    {'C', 10, 65, 85, 17, "Primary Ammo"},         {'S', 10, 115, 50, 15, "Choice 1:"},
    {'S', 10, 135, 50, 15, "Choice 2:"},           {'C', 10, 155, 100, 17, "Secondary Ammo"},
    {'C', 10, 200, 80, 17, "Flashbang 1"},         {'C', 10, 220, 80, 17, "Flashbang 2"},
    {'C', 10, 240, 80, 15, "HE Grenade"},          {'C', 145, 200, 95, 17, "Smoke Grenade"},
    {'C', 145, 220, 70, 17, "Nightvision"},        {'C', 145, 240, 70, 17, "Defusal Kit"},
    {'X', 60, 20, 100, 100, "< none >"},           {'X', 60, 40, 100, 100, "< none >"},
    {'X', 60, 110, 100, 100, "< none >"},          {'X', 60, 130, 100, 100, "< none >"},
    {'X', 10, 290, 100, 100, "< none >"},          {'X', 130, 290, 100, 100, "< none >"},
    {'E', 5, 315, 240, 40, "Buy Script Output"},   {'L', 90, 416, 70, 15, "Oskerand"},
    {'S', 50, 432, 150, 15, nullptr},
};
// clang-format on

// Windows measures a combo box with its open list, Wine the list alone,
// shortened to whole entries: either way the open box fills the height
// asked for, give or take one entry.
void ExpectOpenHeight(HWND combo, int closedHeight, int expected) {
    RECT dropped{};
    ASSERT_GE(Ask(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)), 0);
    int open = dropped.bottom - dropped.top;
    if (open != expected) {
        open += closedHeight;
    }
    EXPECT_LE(open, expected);
    EXPECT_GT(open, expected - Ask(combo, CB_GETITEMHEIGHT));
}

TEST_F(BrevoltTest, WindowShowsEveryGadgetInPlace) {
    HWND window = app_.Window();
    EXPECT_EQ(TextOf(window), "Brevolt by \"Oskerand\" v1.1, Build 4");
    RECT client, frame;
    ASSERT_TRUE(GetClientRect(window, &client) && GetWindowRect(window, &frame));
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 449);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_VISIBLE), WS_POPUP | WS_CAPTION | WS_VISIBLE);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_TRUE(IsWindowEnabled(window));

    size_t number = 0;
    for (HWND gadget = GetWindow(window, GW_CHILD); gadget != nullptr;
         gadget = GetWindow(gadget, GW_HWNDNEXT), ++number) {
        SCOPED_TRACE("gadget " + std::to_string(number));
        ASSERT_LT(number, std::size(expectedGadgets));
        const ExpectedGadget& expected = expectedGadgets[number];
        const Kind& kind = *std::find_if(std::begin(kinds), std::end(kinds),
                                         [&](const Kind& k) { return k.letter == expected.kind; });
        EXPECT_EQ(GetWindowLongW(gadget, GWL_ID), static_cast<LONG>(number));
        EXPECT_EQ(ClassOf(gadget), kind.className);
        EXPECT_EQ(GetWindowLongW(gadget, GWL_STYLE) & kind.styleMask, kind.style);
        EXPECT_TRUE(IsWindowVisible(gadget) && IsWindowEnabled(gadget));
        const std::string text = TextOf(gadget);
        if (expected.text != nullptr) {
            EXPECT_EQ(text, expected.text);
        } else { // the notice: one sunken line
            EXPECT_TRUE(!text.empty() && text.find_first_of("\r\n") == std::string::npos) << text;
            EXPECT_TRUE(GetWindowLongW(gadget, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        }
        if (expected.kind == 'C') {
            EXPECT_EQ(CheckState(gadget), BST_UNCHECKED);
        }
        RECT rect;
        GetWindowRect(gadget, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, expected.x);
        EXPECT_EQ(rect.top, expected.y);
        EXPECT_EQ(rect.right - rect.left, expected.width);
        if (expected.kind == 'X') {
            ExpectOpenHeight(gadget, rect.bottom - rect.top, expected.height);
        } else {
            EXPECT_EQ(rect.bottom - rect.top, expected.height);
        }
    }
    EXPECT_EQ(number, std::size(expectedGadgets));
    EXPECT_FALSE(GetWindowLongW(app_.Gadget(LINK), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    for (const ComboModel& combo : ComboModels()) {
        std::vector<std::string> rows;
        for (const ComboRow& row : combo.rows) {
            rows.push_back(row.display);
        }
        EXPECT_EQ(ComboItems(app_.Gadget(combo.gadget)), rows) << "combo " << combo.gadget;
    }
}

// Leaves a picture of the window with a generated line for a reviewer in
// BREVOLT_BUILD.
TEST_F(BrevoltTest, Screenshot) {
    ASSERT_NO_FATAL_FAILURE(
        Apply(app_, PicksOf({"Q", "M4A1", "", "", "", "Kevlar & Helmet"}, "10000000")));
    ASSERT_TRUE(app_.Press(GENERATE));
    const std::wstring target = PathFromEnvironment(L"BREVOLT_BUILD") + L"\\brevolt-e2e.bmp";
    Sleep(300); // let the window repaint
    EXPECT_TRUE(app_.SaveScreenshot(target)) << ToAnsi(target);
}

} // namespace
} // namespace e2e
