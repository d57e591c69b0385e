#include "tests/support/event_trace_win32.h"
#include "toolkit/gadgets.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr COLORREF BLACK = 0x000000;
constexpr COLORREF BLUE = 0xff0000;
constexpr COLORREF GREEN = 0x00ff00;
constexpr COLORREF RED = 0x0000ff;
constexpr ObjectNumber LINK = 6;

using GadgetTest = GadgetWindowTest;

TEST_F(GadgetTest, ButtonAndCheckBoxClicksReportTheirNumbers) {
    HWND button = HandleOf(ButtonCreate(4, 10, 10, 80, 24, "Go"));
    HWND check = HandleOf(CheckBoxCreate(5, 10, 40, 120, 20, "Tick"));
    ASSERT_TRUE(button && check);
    GadgetEvents();
    PostMessageA(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(SameTrace({Reported(4, 0)}, GadgetEvents()));
    // Each click toggles the check mark and reports once.
    for (int32_t expected : {1, 0, 1}) {
        PostMessageA(check, BM_CLICK, 0, 0);
        EXPECT_TRUE(SameTrace({Reported(5, 0)}, GadgetEvents()));
        EXPECT_EQ(GadgetGetState(5), expected);
    }
}

TEST_F(GadgetTest, OutputBoxReportsFocusGainAndLoss) {
    HWND box = HandleOf(OutputBoxCreate(2, 10, 10, 150, 22, "text", 0x800));
    HWND button = HandleOf(ButtonCreate(3, 10, 50, 80, 24, "Go"));
    ASSERT_TRUE(box && button);
    GadgetEvents();
    // The edit control's own notification comes from the click's dispatch;
    // the posted focus report follows on the next wait.
    PointerAt(box, 5, 5, true);
    EXPECT_TRUE(
        SameTrace({Reported(2, EN_SETFOCUS), Reported(2, SUBTYPE_FOCUS_GAINED)}, GadgetEvents()));
    PointerAt(button, 5, 5, true);
    EXPECT_TRUE(SameTrace(
        {Reported(2, EN_KILLFOCUS), Reported(2, SUBTYPE_FOCUS_LOST), Reported(3, BN_CLICKED)},
        GadgetEvents()));
}

std::pair<int32_t, std::string> Selection(ObjectNumber combo) {
    return {GadgetGetState(combo), GadgetGetText(combo)};
}

TEST_F(GadgetTest, ComboBoxKeepsOrderAndSelectsByIndexOrText) {
    using Shown = std::pair<int32_t, std::string>;
    ASSERT_TRUE(ComboCreate(7, 10, 10, 150, 200));
    for (const char* entry : {"< none >", "M3", "XM1014"}) {
        GadgetAddItem(7, -1, entry);
    }
    EXPECT_EQ(Selection(7), Shown(-1, ""));
    GadgetAddItem(7, -2, "lost");
    GadgetAddItem(7, 1, "Galil");
    const char* const order[] = {"< none >", "Galil", "M3", "XM1014"};
    for (int32_t index = 0; index < 4; ++index) {
        GadgetSetState(7, index);
        EXPECT_EQ(Selection(7), Shown(index, order[index]));
    }
    GadgetSetState(7, 0);
    GadgetSetText(7, "xm1014");
    EXPECT_EQ(Selection(7), Shown(3, "XM1014"));
    for (const char* unmatched : {"AWP", "lost"}) {
        GadgetSetText(7, unmatched);
        EXPECT_EQ(Selection(7), Shown(3, "XM1014")) << unmatched;
    }
    EXPECT_TRUE(SameTrace({}, GadgetEvents())) << "changes made by the program";
}

// The brush the window answers a control-colour question about `control` with.
HBRUSH ColourAnswer(HWND window, HWND control, UINT message = WM_CTLCOLORSTATIC) {
    HDC dc = GetDC(window);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    ReleaseDC(window, dc);
    return brush;
}

bool BrushLives(HBRUSH brush) {
    return GetObjectType(brush) == OBJ_BRUSH;
}

TEST_F(GadgetTest, GadgetsShareOneBrushPerColourUntilTheLastLetsGo) {
    HWND first = HandleOf(LabelCreate(1, 10, 10, 100, 20, "One"));
    HWND second = HandleOf(LabelCreate(2, 10, 40, 100, 20, "Two"));
    HWND box = HandleOf(OutputBoxCreate(3, 10, 70, 100, 20, "Three", 0x800));
    HWND other = HandleOf(LinkCreate(4, 10, 100, 100, 20, "Four", 0));
    ASSERT_TRUE(first && second && box && other);
    for (ObjectNumber number : {1, 2, 3}) {
        GadgetSetColour(number, 2, static_cast<int32_t>(GREEN));
    }
    GadgetSetColour(4, 2, static_cast<int32_t>(RED));
    const HBRUSH green = ColourAnswer(window, first);
    const HBRUSH red = ColourAnswer(window, other);
    EXPECT_EQ(ColourAnswer(window, second), green);
    EXPECT_EQ(ColourAnswer(window, box, WM_CTLCOLOREDIT), green);
    EXPECT_NE(green, red);
    LOGBRUSH description = {};
    GetObjectA(green, sizeof description, &description);
    EXPECT_EQ(description.lbColor, GREEN);

    // Let go one by one: by colour change, by a new gadget under the number
    // (which destroys the old control), by destruction.
    GadgetSetColour(1, 2, COLOUR_DEFAULT);
    EXPECT_TRUE(BrushLives(green));
    HWND replacement = HandleOf(CheckBoxCreate(2, 10, 40, 100, 20, "New"));
    ASSERT_NE(replacement, nullptr);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(BrushLives(green));
    DestroyWindow(box);
    EXPECT_FALSE(BrushLives(green)) << "a clean-up did not run";

    // A control that cannot be made (its parent is gone) leaves the live gadget alone.
    HWND gone = CreateWindowExA(0, "Static", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    GadgetListBegin(reinterpret_cast<intptr_t>(gone));
    EXPECT_EQ(ButtonCreate(2, 10, 70, 100, 20, "Lost"), 0);
    EXPECT_EQ(LinkCreate(2, 10, 70, 100, 20, "Lost", 0), 0);
    GadgetListBegin(reinterpret_cast<intptr_t>(window));
    EXPECT_TRUE(IsWindow(replacement));
    EXPECT_EQ(GadgetGetText(2), "New");

    EXPECT_TRUE(BrushLives(red));
    WindowClose(WINDOW);
    EXPECT_FALSE(BrushLives(red));
}

TEST_F(GadgetTest, ClosingTheWindowReleasesEveryGadgetNumber) {
    ASSERT_TRUE(FrameCreate(0, 5, 5, 300, 300, "Frame"));
    ASSERT_TRUE(CheckBoxCreate(1, 10, 20, 100, 20, "Tick"));
    ASSERT_TRUE(ComboCreate(2, 10, 50, 100, 100));
    ASSERT_TRUE(LinkCreate(60, 10, 140, 100, 20, "Link", 0));
    const auto issued = static_cast<ObjectNumber>(ButtonCreate(NUMBER_ANY, 10, 170, 80, 20, "Go"));
    ASSERT_NE(issued, 0);
    EXPECT_EQ(GadgetGetText(issued), "Go");
    GadgetAddItem(2, -1, "Entry");

    WindowClose(WINDOW);
    // Numbers that name no gadget are harmless.
    for (ObjectNumber number : {0, 1, 2, 60, issued, -1}) {
        EXPECT_EQ(GadgetGetText(number), "") << "gadget " << number;
        EXPECT_EQ(GadgetGetState(number), 0) << "gadget " << number;
        EXPECT_EQ(GadgetAddItem(number, -1, "x"), 0) << "gadget " << number;
    }
}

class LinkTest : public GadgetWindowTest {
  protected:
    void SetUp() override {
        GadgetWindowTest::SetUp();
        link = HandleOf(LinkCreate(LINK, 20, 20, 200, 20, "Visit the page", BLUE));
        ASSERT_NE(link, nullptr);
        MoveTo(window, 400, 300); // away from the link
    }
    void MoveTo(HWND over, int x, int y) {
        PointerAt(over, x, y);
        GadgetEvents();
    }
    // Which of its text colour (black) and hover colour the link is drawn in.
    std::string Look() {
        const std::vector<COLORREF> pixels = ClientPixels(link);
        const bool text = std::count(pixels.begin(), pixels.end(), BLACK) > 0;
        const bool hover = std::count(pixels.begin(), pixels.end(), BLUE) > 0;
        return text == hover ? "mixed" : text ? "text" : "hover";
    }

    HWND link = nullptr;
};

TEST_F(LinkTest, ReportsEachReleaseOverIt) {
    MoveTo(link, 10, 10);
    PointerAt(link, 10, 10, true);
    EXPECT_TRUE(SameTrace({Reported(LINK, 0)}, GadgetEvents()));
    // The double-click message is swallowed; both releases report.
    PointerAt(link, 10, 10, true);
    PointerAt(link, 10, 10, true);
    EXPECT_TRUE(SameTrace({Reported(LINK, 0), Reported(LINK, 0)}, GadgetEvents()));
    // Leaving the link ends the hover, so a release elsewhere reports nothing.
    MoveTo(window, 400, 300);
    PointerAt(window, 400, 300, true);
    EXPECT_TRUE(SameTrace({}, GadgetEvents()));
}

TEST_F(LinkTest, IsDrawnInTheHoverColourWhileThePointerIsOverIt) {
    EXPECT_EQ(Look(), "text");
    MoveTo(link, 10, 10);
    EXPECT_EQ(Look(), "hover");
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    MoveTo(link, 205, 10);
    EXPECT_EQ(Look(), "text") << "after the pointer left";

    MoveTo(link, 10, 10);
    ASSERT_EQ(Look(), "hover");
    // What a modal message box does to the window under it.
    EnableWindow(window, FALSE);
    MoveTo(link, 30, 10);
    const std::string look = Look();
    EnableWindow(window, TRUE);
    EXPECT_EQ(look, "text") << "after its window was disabled";
}

// In a font narrow enough, text past the first 511 characters would still be
// inside the link; it must not be drawn.
TEST_F(LinkTest, DrawsAtMost511Characters) {
    const std::string dots(510, '.');
    const std::string kept = dots + "W";
    // The widest font in which the text still fits.
    HFONT narrow = nullptr;
    HDC dc = GetDC(nullptr);
    for (int average = 4; average > 0 && !narrow; --average) {
        narrow = CreateFontA(8, average, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH, "Tahoma");
        HGDIOBJ previous = SelectObject(dc, narrow);
        SIZE extent = {};
        GetTextExtentPoint32A(dc, (kept + "WW").c_str(), 513, &extent);
        SelectObject(dc, previous);
        if (extent.cx >= 600) {
            DeleteObject(narrow);
            narrow = nullptr;
        }
    }
    ReleaseDC(nullptr, dc);
    ASSERT_NE(narrow, nullptr) << "no font is narrow enough for the test";

    // Drawn alike unless the text differs within its first 511 characters.
    std::vector<std::vector<COLORREF>> drawn;
    for (const std::string& text : {kept, kept + std::string(89, 'W'), dots}) {
        HWND control = HandleOf(LinkCreate(10, 10, 60, 620, 20, text.c_str(), BLUE));
        ASSERT_NE(control, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(narrow), TRUE);
        GadgetEvents();
        drawn.push_back(ClientPixels(control));
        EXPECT_EQ(GadgetGetText(10), text);
    }
    EXPECT_TRUE(drawn[0] == drawn[1]) << "text past 511 characters was drawn";
    EXPECT_FALSE(drawn[0] == drawn[2]) << "the 511th character was not drawn";
    DeleteObject(narrow);
}

} // namespace
