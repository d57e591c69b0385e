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

// Indexed by gadget number, which is also the creation order.
constexpr char expectedKinds[] = "GGGGGBBBBBSSCSSCCCCCCCXXXXXXELS";
// clang-format off
const char* const expectedTexts[] = {
    "Primary Weapon", "Secondary Weapon", "Items", "Armor", "Key Press", "Quit", "Generate",
    "About", "Add", "Save Config", "Choice 1:", "Choice 2:", "Primary Ammo", "Choice 1:",
    "Choice 2:", "Secondary Ammo", "Flashbang 1", "Flashbang 2", "HE Grenade", "Smoke Grenade",
    "Nightvision", "Defusal Kit", "< none >", "< none >", "< none >", "< none >", "< none >",
    "< none >", INITIAL_OUTPUT, "Oskerand", "Freeware: share it freely"};
// clang-format on

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
        ASSERT_LT(number, std::size(expectedTexts));
        const char letter = expectedKinds[number];
        const char* const expectedText = expectedTexts[number];
        const Kind& kind = *std::find_if(std::begin(kinds), std::end(kinds),
                                         [&](const Kind& k) { return k.letter == letter; });
        EXPECT_EQ(GetWindowLongW(gadget, GWL_ID), static_cast<LONG>(number));
        EXPECT_EQ(ClassOf(gadget), kind.className);
        EXPECT_EQ(GetWindowLongW(gadget, GWL_STYLE) & kind.styleMask, kind.style);
        EXPECT_TRUE(IsWindowVisible(gadget) && IsWindowEnabled(gadget));
        const std::string text = TextOf(gadget);
        EXPECT_EQ(text, expectedText);
        if (strchr("SL", letter)) {
            EXPECT_EQ(GetWindowLongW(gadget, GWL_EXSTYLE) & WS_EX_CLIENTEDGE,
                      number == 30 ? WS_EX_CLIENTEDGE : 0)
                << "of the labels, the notice is sunken";
        }
        if (letter == 'C') {
            EXPECT_EQ(Ask(gadget, BM_GETCHECK), BST_UNCHECKED);
        }
        if (strchr("GBCSL", letter)) {
            ExpectCaptionFits(gadget, letter, text);
        }
    }
    EXPECT_EQ(number, std::size(expectedTexts));

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
