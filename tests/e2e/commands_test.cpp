// About, the link, and the ways to end the program.
#include "brevolt_fixture.h"

namespace e2e {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

bool Has(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

bool IsRule(const std::string& line) {
    return line.size() >= 3 && line.find_first_not_of('-') == std::string::npos;
}

// BREVOLT_OPENED names the file where the stand-in for the system's browser
// launcher records each address it is asked to open.
TEST_F(BrevoltTest, LinkAndAboutLeaveTheProgramRunningAndAQueuedCloseEndsIt) {
    ASSERT_TRUE(app_.Click(LINK));
    const std::wstring opened = PathFromEnvironment(L"BREVOLT_OPENED");
    if (!opened.empty()) {
        EXPECT_TRUE(WaitUntil([&] { return Has(ReadFileBytes(opened), "www.oskerand.example"); }))
            << "opened: " << ReadFileBytes(opened);
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
    const std::vector<std::string> lines = SplitLines(about.text);
    ASSERT_EQ(lines.size(), 7u) << about.text;
    EXPECT_TRUE(Has(lines[0], "2007") && Has(lines[0], "Oskerand")) << lines[0];
    EXPECT_EQ(lines[1], "");
    EXPECT_TRUE(IsRule(lines[2]) && IsRule(lines[6])) << about.text;
    EXPECT_TRUE(Has(lines[3], "@oskerand.example")) << lines[3];
    EXPECT_TRUE(Has(lines[4], "www.oskerand.example")) << lines[4];
    EXPECT_TRUE(Has(lines[5], "www.") && Has(lines[5], ".example")) << lines[5];
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
    ASSERT_TRUE(ReadText(GetDlgItem(about.box, 0xFFFF), &text)) << "the box does not answer";
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
