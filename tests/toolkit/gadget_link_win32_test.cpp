#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

#include "tests/support/gadget_harness_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF BLACK = 0x000000;
constexpr COLORREF BLUE = 0xff0000;
constexpr COLORREF RED = 0x0000ff;
constexpr COLORREF GREEN = 0x00ff00;
constexpr ObjectNumber LINK = 6;

class LinkTest : public GadgetWindowTest {
  protected:
    void SetUp() override {
        GadgetWindowTest::SetUp();
        link = HandleOf(LinkCreate(LINK, 20, 20, 200, 20, "Visit the page", BLUE));
        ASSERT_NE(link, nullptr);
        // Somewhere else in the window, away from the link.
        PointerMoveTo(window, 400, 300);
        PumpUntilSettled(window);
    }

    // How many pixels of the link are in the text colour and in the hover colour.
    std::pair<int, int> TextAndHoverPixels() {
        const ClientPixels pixels = ReadClientPixels(link);
        return {pixels.Count(BLACK), pixels.Count(BLUE)};
    }

    HWND link = nullptr;
};

TEST_F(LinkTest, ReportsEachReleaseOverIt) {
    PointerMoveTo(link, 10, 10);
    PumpUntilSettled(window);
    PointerClick(link, 10, 10);
    EXPECT_TRUE(SameTrace({Reported(LINK, 0)}, GadgetEvents()));

    // The double-click message is swallowed; both releases report.
    PointerClick(link, 10, 10);
    PointerClick(link, 10, 10);
    EXPECT_TRUE(SameTrace({Reported(LINK, 0), Reported(LINK, 0)}, GadgetEvents()));

    // Leaving the link ends the hover, so a release elsewhere reports nothing.
    PointerMoveTo(link, 10, 10);
    PumpUntilSettled(window);
    PointerMoveTo(window, 400, 300);
    PointerClick(window, 400, 300);
    EXPECT_TRUE(SameTrace({}, GadgetEvents()));
}

TEST_F(LinkTest, IsDrawnInTheHoverColourWhileThePointerIsOverIt) {
    auto [text, hover] = TextAndHoverPixels();
    EXPECT_GT(text, 0);
    EXPECT_EQ(hover, 0);

    PointerMoveTo(link, 10, 10);
    PumpUntilSettled(window);
    std::tie(text, hover) = TextAndHoverPixels();
    EXPECT_EQ(text, 0);
    EXPECT_GT(hover, 0);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));

    // The right and bottom edges still count as over the link.
    RECT client;
    GetClientRect(link, &client);
    PointerMoveTo(link, client.right - 1, client.bottom - 1);
    PumpUntilSettled(window);
    EXPECT_EQ(TextAndHoverPixels().first, 0);

    PointerMoveTo(link, client.right + 5, 10);
    PumpUntilSettled(window);
    std::tie(text, hover) = TextAndHoverPixels();
    EXPECT_GT(text, 0);
    EXPECT_EQ(hover, 0);
}

TEST_F(LinkTest, LeavesTheHoverWhenItsWindowIsDisabled) {
    PointerMoveTo(link, 10, 10);
    PumpUntilSettled(window);
    ASSERT_GT(TextAndHoverPixels().second, 0);

    // What a modal message box does to the window under it.
    EnableWindow(window, FALSE);
    PointerMoveTo(link, 30, 10);
    PumpUntilSettled(window);
    const auto [text, hover] = TextAndHoverPixels();
    EnableWindow(window, TRUE);
    EXPECT_GT(text, 0);
    EXPECT_EQ(hover, 0);
}

TEST_F(LinkTest, DisabledLinkIsDrawnInTheDisabledStyle) {
    EnableWindow(link, FALSE);
    PumpUntilSettled(window);
    const ClientPixels pixels = ReadClientPixels(link);
    EXPECT_EQ(pixels.Count(BLACK), 0);
    EXPECT_GT(pixels.Count(GetSysColor(COLOR_3DSHADOW)), 0);
}

TEST_F(LinkTest, DrawsInTheColoursItIsGiven) {
    GadgetSetColour(LINK, 1, RED);
    GadgetSetColour(LINK, 2, GREEN);
    EXPECT_EQ(GadgetGetColour(LINK, 1), static_cast<int32_t>(RED));
    EXPECT_EQ(GadgetGetColour(LINK, 2), static_cast<int32_t>(GREEN));
    PumpUntilSettled(window);
    const ClientPixels pixels = ReadClientPixels(link);
    EXPECT_GT(pixels.Count(RED), 0);
    EXPECT_GT(pixels.Count(GREEN), pixels.width * pixels.height / 2);
    EXPECT_EQ(pixels.Count(BLACK), 0);
}

// The narrowest font in which the text fits in the given width.
HFONT NarrowFont(const std::string& text, int width) {
    HDC dc = GetDC(nullptr);
    for (int average = 4; average > 0; --average) {
        HFONT font = CreateFontA(8, average, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                 DEFAULT_PITCH, "Tahoma");
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE extent = {};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, previous);
        if (extent.cx < width) {
            ReleaseDC(nullptr, dc);
            return font;
        }
        DeleteObject(font);
    }
    ReleaseDC(nullptr, dc);
    return nullptr;
}

// In a font narrow enough, text past the first 511 characters would still be
// inside the link; it must not be drawn.
TEST_F(LinkTest, DrawsAtMost511Characters) {
    const std::string dots(510, '.');
    const std::string kept = dots + "W";
    HFONT narrow = NarrowFont(kept + "WW", 600);
    ASSERT_NE(narrow, nullptr) << "no font is narrow enough for the test";

    // Drawn alike unless the text differs within its first 511 characters.
    const std::string texts[] = {kept, kept + std::string(89, 'W'), dots};
    std::vector<ClientPixels> drawn;
    for (const std::string& text : texts) {
        HWND control = HandleOf(LinkCreate(10, 10, 60, 620, 20, text.c_str(), BLUE));
        ASSERT_NE(control, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(narrow), TRUE);
        PumpUntilSettled(window);
        drawn.push_back(ReadClientPixels(control));
        EXPECT_EQ(GadgetGetText(10), text);
    }
    EXPECT_TRUE(drawn[0].pixels == drawn[1].pixels) << "text past 511 characters was drawn";
    EXPECT_FALSE(drawn[0].pixels == drawn[2].pixels) << "the 511th character was not drawn";
    DeleteObject(narrow);
}

} // namespace
