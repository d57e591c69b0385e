// The main window as the user first sees it.
#include "brevolt_fixture.h"

#include <string>
#include <vector>

namespace e2e {
namespace {

struct ExpectedGadget {
    const char* className;
    int x, y, width, height; // for combo boxes: the height with the list open
    const char* text;        // nullptr: not checked (combo boxes)
    LONG styleMask, style;   // the bits that make the kind
};

constexpr LONG BUTTON_TYPE = 0x0F;
constexpr LONG COMBO_TYPE = 0x03;

// Indexed by gadget number, which is also the creation order.
const ExpectedGadget expectedGadgets[] = {
    {"Button", 5, 5, 240, 80, "Primary Weapon", BUTTON_TYPE, BS_GROUPBOX},
    {"Button", 5, 95, 240, 80, "Secondary Weapon", BUTTON_TYPE, BS_GROUPBOX},
    {"Button", 5, 185, 240, 80, "Items", BUTTON_TYPE, BS_GROUPBOX},
    {"Button", 5, 275, 120, 40, "Armor", BUTTON_TYPE, BS_GROUPBOX},
    {"Button", 125, 275, 120, 40, "Key Press", BUTTON_TYPE, BS_GROUPBOX},
    {"Button", 5, 365, 80, 25, "Quit", BUTTON_TYPE | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP},
    {"Button", 85, 365, 80, 25, "Generate", BUTTON_TYPE | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP},
    {"Button", 165, 365, 80, 25, "About", BUTTON_TYPE | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP},
    {"Button", 45, 390, 80, 25, "Add", BUTTON_TYPE | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP},
    {"Button", 125, 390, 80, 25, "Save Config", BUTTON_TYPE | WS_TABSTOP,
     BS_PUSHBUTTON | WS_TABSTOP},
    {"Static", 10, 25, 50, 15, "Choice 1:", SS_TYPEMASK, SS_LEFT},
    {"Static", 10, 45, 50, 15, "Choice 2:", SS_TYPEMASK, SS_LEFT},
    {"Button", 10, 65, 85, 17, "Primary Ammo", BUTTON_TYPE, BS_AUTOCHECKBOX},
    {"Static", 10, 115, 50, 15, "Choice 1:", SS_TYPEMASK, SS_LEFT},
    {"Static", 10, 135, 50, 15, "Choice 2:", SS_TYPEMASK, SS_LEFT},
    {"Button", 10, 155, 100, 17, "Secondary Ammo", BUTTON_TYPE, BS_AUTOCHECKBOX},
    {"Button", 10, 200, 80, 17, "Flashbang 1", BUTTON_TYPE, BS_AUTOCHECKBOX},
    {"Button", 10, 220, 80, 17, "Flashbang 2", BUTTON_TYPE, BS_AUTOCHECKBOX},
    {"Button", 10, 240, 80, 15, "HE Grenade", BUTTON_TYPE, BS_AUTOCHECKBOX},
    {"Button", 145, 200, 95, 17, "Smoke Grenade", BUTTON_TYPE, BS_AUTOCHECKBOX},
    {"Button", 145, 220, 70, 17, "Nightvision", BUTTON_TYPE, BS_AUTOCHECKBOX},
    {"Button", 145, 240, 70, 17, "Defusal Kit", BUTTON_TYPE, BS_AUTOCHECKBOX},
    {"ComboBox", 60, 20, 100, 100, nullptr, COMBO_TYPE, CBS_DROPDOWNLIST},
    {"ComboBox", 60, 40, 100, 100, nullptr, COMBO_TYPE, CBS_DROPDOWNLIST},
    {"ComboBox", 60, 110, 100, 100, nullptr, COMBO_TYPE, CBS_DROPDOWNLIST},
    {"ComboBox", 60, 130, 100, 100, nullptr, COMBO_TYPE, CBS_DROPDOWNLIST},
    {"ComboBox", 10, 290, 100, 100, nullptr, COMBO_TYPE, CBS_DROPDOWNLIST},
    {"ComboBox", 130, 290, 100, 100, nullptr, COMBO_TYPE, CBS_DROPDOWNLIST},
    {"Edit", 5, 315, 240, 40, "Buy Script Output", ES_READONLY, ES_READONLY},
    {"Static", 90, 416, 70, 15, "Oskerand", 0, 0},
    {"Static", 50, 432, 150, 15, nullptr, SS_TYPEMASK, SS_LEFT},
};

RECT ClientRectOf(HWND control, HWND parent) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> ChildrenInOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

TEST_F(BrevoltTest, WindowIsACentredCaptionWithoutWindowMenu) {
    HWND window = app_.Window();
    EXPECT_EQ(TextOf(window), "Brevolt by \"Oskerand\" v1.1, Build 4");

    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 449);

    RECT frame;
    ASSERT_TRUE(GetWindowRect(window, &frame));
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);

    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_VISIBLE), WS_POPUP | WS_CAPTION | WS_VISIBLE);
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(BrevoltTest, GadgetsAreCreatedInOrderWithTheirLayout) {
    HWND window = app_.Window();
    const std::vector<HWND> children = ChildrenInOrder(window);
    ASSERT_EQ(children.size(), std::size(expectedGadgets));
    for (size_t number = 0; number < children.size(); ++number) {
        SCOPED_TRACE("gadget " + std::to_string(number));
        const ExpectedGadget& expected = expectedGadgets[number];
        HWND control = children[number];
        EXPECT_EQ(GetWindowLongW(control, GWL_ID), static_cast<LONG>(number));
        EXPECT_EQ(ClassOf(control), expected.className);
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));
        EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & expected.styleMask, expected.style);
        if (expected.text != nullptr) {
            EXPECT_EQ(TextOf(control), expected.text);
        }
        const RECT rect = ClientRectOf(control, window);
        EXPECT_EQ(rect.left, expected.x);
        EXPECT_EQ(rect.top, expected.y);
        EXPECT_EQ(rect.right - rect.left, expected.width);
        if (expected.styleMask == COMBO_TYPE) {
            RECT dropped{};
            DWORD_PTR answer;
            ASSERT_TRUE(SendMessageTimeoutW(control, CB_GETDROPPEDCONTROLRECT, 0,
                                            reinterpret_cast<LPARAM>(&dropped), SMTO_ABORTIFHUNG,
                                            5000, &answer));
            // Windows measures the field with its open list, Wine the list
            // alone, shortened to whole entries: either way the open combo
            // box fills the height asked for, give or take one entry.
            const int droppedHeight = dropped.bottom - dropped.top;
            const int openHeight = droppedHeight == expected.height
                                       ? droppedHeight
                                       : rect.bottom - rect.top + droppedHeight;
            const auto entryHeight =
                static_cast<int>(SendMessageTimeoutW(control, CB_GETITEMHEIGHT, 0, 0,
                                                     SMTO_ABORTIFHUNG, 5000, &answer)
                                     ? answer
                                     : 0);
            EXPECT_LE(openHeight, expected.height);
            EXPECT_GT(openHeight, expected.height - entryHeight);
        } else {
            EXPECT_EQ(rect.bottom - rect.top, expected.height);
        }
    }
}

TEST_F(BrevoltTest, NoticeIsOneSunkenLine) {
    HWND notice = app_.Gadget(30);
    const std::string text = TextOf(notice);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    EXPECT_TRUE(GetWindowLongW(notice, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongW(app_.Gadget(29), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(BrevoltTest, CombosStartOnNoneAndChecksStartClear) {
    struct ComboCheck {
        int gadget;
        size_t count;
        const char* second; // the first entry after "< none >"
        const char* last;
    };
    const ComboCheck combos[] = {
        {22, 19, "M3", "M249"},
        {23, 19, "M3", "M249"},
        {24, 7, "Glock", "Five Seven"},
        {25, 7, "Glock", "Five Seven"},
        {26, 3, "Kevlar", "Kevlar & Helmet"},
        {27, 100, "A", nullptr},
    };
    for (const ComboCheck& combo : combos) {
        SCOPED_TRACE("combo " + std::to_string(combo.gadget));
        const std::vector<std::string> items = ComboItems(app_.Gadget(combo.gadget));
        ASSERT_EQ(items.size(), combo.count);
        EXPECT_EQ(items[0], "< none >");
        EXPECT_EQ(items[1], combo.second);
        if (combo.last != nullptr) {
            EXPECT_EQ(items.back(), combo.last);
        }
        EXPECT_EQ(ComboSelection(app_.Gadget(combo.gadget)), 0);
        EXPECT_EQ(TextOf(app_.Gadget(combo.gadget)), "< none >");
    }
    EXPECT_EQ(ComboItems(app_.Gadget(22)), ComboItems(app_.Gadget(23)));
    EXPECT_EQ(ComboItems(app_.Gadget(24)), ComboItems(app_.Gadget(25)));
    for (int gadget : {12, 15, 16, 17, 18, 19, 20, 21}) {
        EXPECT_EQ(CheckState(app_.Gadget(gadget)), BST_UNCHECKED) << "check box " << gadget;
    }
    EXPECT_EQ(Output(), "Buy Script Output");
}

// Leaves a picture of the window with a generated line for a reviewer.
TEST_F(BrevoltTest, Screenshot) {
    ASSERT_TRUE(app_.Pick(27, "Q"));
    ASSERT_TRUE(app_.Pick(22, "M4A1"));
    ASSERT_TRUE(app_.Pick(26, "Kevlar & Helmet"));
    ASSERT_TRUE(SetCheck(app_.Gadget(12), true));
    ASSERT_TRUE(app_.Press(6));
    // BREVOLT_SCREENSHOT names the picture; else it goes to BREVOLT_BUILD or
    // beside brevolt.exe.
    wchar_t value[MAX_PATH];
    std::wstring target;
    if (GetEnvironmentVariableW(L"BREVOLT_SCREENSHOT", value, MAX_PATH) > 0) {
        target = WindowsPath(value);
    } else if (GetEnvironmentVariableW(L"BREVOLT_BUILD", value, MAX_PATH) > 0) {
        target = WindowsPath(value) + L"\\brevolt-e2e.png";
    } else {
        target = BrevoltExePath();
        target = target.substr(0, target.find_last_of(L"\\/")) + L"\\brevolt-e2e.png";
    }
    Sleep(300); // let the window repaint
    EXPECT_TRUE(app_.SaveScreenshot(target)) << ToAnsi(target);
}

} // namespace
} // namespace e2e
