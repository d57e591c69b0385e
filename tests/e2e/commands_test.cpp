// About, the link, and the ways to end the program.
#include "brevolt_fixture.h"

namespace e2e {
namespace {

const char* const ABOUT_TEXT = "Brevolt (c) 2007 by Oskerand\r\n"
                               "\r\n"
                               "----------------------------------------\r\n"
                               "E-mail: oskerand@oskerand.example\r\n"
                               "Home page: www.oskerand.example\r\n"
                               "Brevolt page: www.brevolt.example\r\n"
                               "----------------------------------------";

constexpr COLORREF HOVER_BLUE = 0xff0000;

// BREVOLT_OPENED names the file where the stand-in for the system's browser
// launcher records each address it is asked to open.
TEST_F(BrevoltTest, TheLinkOpensTheAuthorsPageAndShowsTheHoverColourWhileEnabled) {
    const std::wstring opened = PathFromEnvironment(L"BREVOLT_OPENED");
    ASSERT_FALSE(opened.empty()) << "BREVOLT_OPENED is not set (tests/e2e/environment.sh)";
    ASSERT_TRUE(app_.Click(LINK));
    EXPECT_TRUE(WaitUntil([&] {
        return ReadFileBytes(opened).find("www.oskerand.example") != std::string::npos;
    })) << "opened: "
        << ReadFileBytes(opened);
    ASSERT_TRUE(app_.Sync());
    EXPECT_TRUE(app_.Running());
    EXPECT_FALSE(app_.HasMessageBox());

    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    ASSERT_TRUE(app_.PointerTo(OUTPUT, 5, 5));
    EXPECT_TRUE(WaitUntil([&] { return app_.Shows(LINK, text) && !app_.Shows(LINK, HOVER_BLUE); }));
    ASSERT_TRUE(app_.PointerTo(LINK, 10, 7));
    EXPECT_TRUE(WaitUntil([&] { return app_.Shows(LINK, HOVER_BLUE) && !app_.Shows(LINK, text); }))
        << "no hover colour under the pointer";
    ASSERT_TRUE(app_.PointerTo(OUTPUT, 5, 5));
    EXPECT_TRUE(WaitUntil([&] { return !app_.Shows(LINK, HOVER_BLUE); })) << "after leaving";

    // About disables the window under the link: the hover ends with the next move.
    ASSERT_TRUE(app_.PointerTo(LINK, 10, 7));
    ASSERT_TRUE(WaitUntil([&] { return app_.Shows(LINK, HOVER_BLUE); }));
    ASSERT_TRUE(app_.PressNoWait(ABOUT));
    MessageBoxSeen about;
    ASSERT_TRUE(app_.WaitForMessageBox(&about));
    ASSERT_TRUE(app_.PointerTo(LINK, 30, 7));
    EXPECT_TRUE(WaitUntil([&] { return !app_.Shows(LINK, HOVER_BLUE); }))
        << "hover kept while the window is disabled";
    ASSERT_TRUE(app_.DismissMessageBox(about.box));
}

// The box blocks the main window until it is dismissed; a close request made
// meanwhile waits for it.
TEST_F(BrevoltTest, AboutIsModalAndAQueuedCloseEndsTheProgramAfterIt) {
    ASSERT_TRUE(app_.PressNoWait(ABOUT));
    MessageBoxSeen about;
    ASSERT_TRUE(app_.WaitForMessageBox(&about));
    EXPECT_EQ(about.title, "About Men\xFC");
    EXPECT_EQ(about.text, ABOUT_TEXT);
    EXPECT_FALSE(IsWindowEnabled(app_.Window()));
    EXPECT_EQ(GetDlgItem(about.box, IDCANCEL), nullptr);
    ASSERT_TRUE(app_.DismissMessageBox(about.box));
    ASSERT_TRUE(app_.Sync());
    EXPECT_TRUE(IsWindowEnabled(app_.Window()));
    EXPECT_EQ(Output(), INITIAL_OUTPUT);

    ASSERT_TRUE(app_.PressNoWait(ABOUT));
    ASSERT_TRUE(app_.WaitForMessageBox(&about));
    ASSERT_TRUE(PostMessageW(app_.Window(), WM_CLOSE, 0, 0));
    ASSERT_TRUE(app_.Sync());
    EXPECT_TRUE(app_.Running());
    std::string shown;
    ASSERT_TRUE(ReadText(GetDlgItem(about.box, MESSAGE_BOX_TEXT), &shown))
        << "the box does not answer";
    EXPECT_EQ(shown, ABOUT_TEXT);
    ASSERT_TRUE(app_.DismissMessageBox(about.box));
    ExpectExitCodeZero(app_);
}

} // namespace
} // namespace e2e
