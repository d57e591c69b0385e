// The main window as the user first sees it.
#include "brevolt_fixture.h"
#include "script/catalogue.h"

#include <algorithm>
#include <cstring>

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
    const char* text;
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
    {'E', 5, 315, 240, 40, INITIAL_OUTPUT},        {'L', 90, 416, 70, 15, "Oskerand"},
    {'S', 50, 432, 150, 15, "Freeware: share it freely"},
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

// The caption drawn in the gadgets' font fits across the room its kind
// leaves for text (a narrow label wraps, the others cut): a check box draws
// its box and a gap first, a frame and a button keep a margin on each side.
// Every gadget gets DEFAULT_GUI_FONT; Wine answers WM_GETFONT from another
// process with 0, so it cannot be asked.
void ExpectCaptionFits(HWND gadget, char kind, const std::string& caption) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    RECT client;
    GetClientRect(gadget, &client);
    const int used = kind == 'C'                  ? GetSystemMetrics(SM_CXMENUCHECK) + 4
                     : kind == 'G' || kind == 'B' ? 2 * 6
                                                  : 0;
    EXPECT_LE(extent.cx, client.right - used) << "caption clipped: " << caption;
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
        EXPECT_EQ(text, expected.text);
        if (strchr("SL", expected.kind)) {
            EXPECT_EQ(GetWindowLongW(gadget, GWL_EXSTYLE) & WS_EX_CLIENTEDGE,
                      number == 30 ? WS_EX_CLIENTEDGE : 0)
                << "of the labels, the notice is sunken";
        }
        if (expected.kind == 'C') {
            EXPECT_EQ(Ask(gadget, BM_GETCHECK), BST_UNCHECKED);
        }
        if (strchr("GBCSL", expected.kind)) {
            ExpectCaptionFits(gadget, expected.kind, text);
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

    // Each combo box lists its table's display texts, in order.
    const std::pair<int, const CatalogueTable*> combos[] = {
        {22, &PrimaryWeaponTable},   {23, &PrimaryWeaponTable}, {24, &SecondaryWeaponTable},
        {25, &SecondaryWeaponTable}, {26, &ArmourTable},        {27, &KeyTable}};
    for (const auto& [gadget, table] : combos) {
        std::vector<std::string> rows;
        for (const CatalogueRow& row : *table) {
            rows.push_back(row.displayText);
        }
        EXPECT_EQ(ComboItems(app_.Gadget(gadget)), rows) << "combo " << gadget;
    }
}

} // namespace
} // namespace e2e
