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

// BREVOLT_OPENED names the file where the stand-in for the system's browser
// launcher records each address it is asked to open.
TEST_F(BrevoltTest, LinkAndAboutLeaveTheProgramRunningAndAQueuedCloseEndsIt) {
    ASSERT_TRUE(app_.Click(LINK));
    const std::wstring opened = PathFromEnvironment(L"BREVOLT_OPENED");
    if (!opened.empty()) {
        EXPECT_TRUE(WaitUntil([&] {
            return ReadFileBytes(opened).find("www.oskerand.example") != std::string::npos;
        })) << "opened: "
            << ReadFileBytes(opened);
    }
    ASSERT_TRUE(app_.Sync());
    EXPECT_TRUE(app_.Running());
    EXPECT_FALSE(app_.HasMessageBox());

    ASSERT_TRUE(app_.PressNoWait(ABOUT));
    MessageBoxSeen about;
    ASSERT_TRUE(app_.WaitForMessageBox(&about));
    EXPECT_EQ(about.title, "About Men\xFC");
    EXPECT_FALSE(IsWindowEnabled(app_.Window()));
    EXPECT_EQ(GetDlgItem(about.box, IDCANCEL), nullptr);
    EXPECT_EQ(about.text, ABOUT_TEXT);
    ASSERT_TRUE(app_.DismissMessageBox(about.box));
    ASSERT_TRUE(app_.Sync());
    EXPECT_TRUE(IsWindowEnabled(app_.Window()));
    EXPECT_EQ(Output(), INITIAL_OUTPUT);

    // A close request while the box is up waits for it; the box still answers.
    ASSERT_TRUE(app_.PressNoWait(ABOUT));
    ASSERT_TRUE(app_.WaitForMessageBox(&about));
    ASSERT_TRUE(PostMessageW(app_.Window(), WM_CLOSE, 0, 0));
    ASSERT_TRUE(app_.Sync());
    EXPECT_TRUE(app_.Running());
    std::string text;
    ASSERT_TRUE(ReadText(GetDlgItem(about.box, MESSAGE_BOX_TEXT), &text))
        << "the box does not answer";
    EXPECT_EQ(text, about.text);
    ASSERT_TRUE(app_.DismissMessageBox(about.box));
    ExpectExitCodeZero(app_);
}

TEST_F(BrevoltTest, QuitCloseRequestAndAltF4EndWithExitCodeZero) {
    const std::pair<const char*, void (*)(Brevolt&)> ends[] = {
        {"Quit", [](Brevolt& app) { app.PressNoWait(QUIT); }},
        {"close request", [](Brevolt& app) { PostMessageW(app.Window(), WM_CLOSE, 0, 0); }},
        {"Alt+F4",
         [](Brevolt& app) {
             // As the keyboard delivers it to the focused control.
             const LPARAM altDown = 1 | (1 << 29);
             PostMessageW(app.Gadget(GENERATE), WM_SYSKEYDOWN, VK_F4, altDown);
             PostMessageW(app.Gadget(GENERATE), WM_SYSKEYUP, VK_F4, altDown | (3u << 30));
         }},
    };
    for (const auto& [name, request] : ends) {
        SCOPED_TRACE(name);
        Brevolt app;
        ASSERT_TRUE(app.Start(work_, scratch_.File(L"ended.log")));
        request(app);
        ExpectExitCodeZero(app);
        EXPECT_FALSE(IsWindow(app.Window()));
    }
    EXPECT_TRUE(app_.Running());
}

} // namespace
} // namespace e2e
