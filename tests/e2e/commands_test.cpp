// About, the link, and the two ways to end the program.
#include "brevolt_fixture.h"

#include <string>
#include <vector>

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

bool IsRule(const std::string& line) {
    return line.size() >= 3 && line.find_first_not_of('-') == std::string::npos;
}

TEST_F(BrevoltTest, AboutShowsTheNoticeWhileTheWindowWaits) {
    ASSERT_TRUE(PostMessageW(app_.Gadget(7), BM_CLICK, 0, 0));
    MessageBoxSeen seen;
    ASSERT_TRUE(app_.WaitForMessageBox(&seen));
    EXPECT_EQ(seen.title, "About Men\xFC");
    EXPECT_FALSE(IsWindowEnabled(app_.Window()));
    EXPECT_EQ(GetDlgItem(seen.box, IDCANCEL), nullptr);

    const std::vector<std::string> lines = SplitLines(seen.text);
    ASSERT_EQ(lines.size(), 7u) << seen.text;
    EXPECT_NE(lines[0].find("2007"), std::string::npos);
    EXPECT_NE(lines[0].find("Oskerand"), std::string::npos);
    EXPECT_EQ(lines[1], "");
    EXPECT_TRUE(IsRule(lines[2])) << lines[2];
    EXPECT_NE(lines[3].find("@oskerand.example"), std::string::npos);
    EXPECT_NE(lines[4].find("www.oskerand.example"), std::string::npos);
    EXPECT_NE(lines[5].find("www."), std::string::npos);
    EXPECT_NE(lines[5].find(".example"), std::string::npos);
    EXPECT_TRUE(IsRule(lines[6])) << lines[6];

    ASSERT_TRUE(app_.DismissMessageBox(seen.box));
    ASSERT_TRUE(app_.Sync());
    EXPECT_TRUE(IsWindowEnabled(app_.Window()));
    EXPECT_EQ(Output(), "Buy Script Output");
}

// BREVOLT_OPENED names a file where a stand-in for the system's browser
// launcher writes each address it is asked to open.
TEST_F(BrevoltTest, LinkOpensTheAuthorsPageAndTheProgramGoesOn) {
    HWND link = app_.Gadget(29);
    ASSERT_TRUE(PostMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)));
    ASSERT_TRUE(PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)));
    ASSERT_TRUE(PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)));
    ASSERT_TRUE(app_.Sync());

    wchar_t value[MAX_PATH];
    if (GetEnvironmentVariableW(L"BREVOLT_OPENED", value, MAX_PATH) > 0) {
        const std::wstring opened = WindowsPath(value);
        EXPECT_TRUE(WaitUntil([&] {
            return ReadFileBytes(opened).find("www.oskerand.example") != std::string::npos;
        })) << "opened: "
            << ReadFileBytes(opened);
    }
    ASSERT_TRUE(app_.Sync());
    EXPECT_TRUE(app_.Running());
    EXPECT_FALSE(app_.HasMessageBox());
    ASSERT_TRUE(app_.Press(6));
    EXPECT_EQ(Output(), "\"ERROR:\" Nothing is selected!");
}

struct EndCase {
    const char* name;
    void (*request)(Brevolt& app);
};

const EndCase endCases[] = {
    {"Quit", [](Brevolt& app) { PostMessageW(app.Gadget(5), BM_CLICK, 0, 0); }},
    {"close request", [](Brevolt& app) { PostMessageW(app.Window(), WM_CLOSE, 0, 0); }},
    {"Alt+F4",
     [](Brevolt& app) {
         // As the keyboard delivers it to the focused control: F4 with Alt down.
         const LPARAM altDown = 1 | (1 << 29);
         PostMessageW(app.Gadget(6), WM_SYSKEYDOWN, VK_F4, altDown);
         PostMessageW(app.Gadget(6), WM_SYSKEYUP, VK_F4, altDown | (3u << 30));
     }},
};

TEST_F(BrevoltTest, QuitCloseRequestAndAltF4EndWithExitCodeZero) {
    for (const EndCase& end : endCases) {
        SCOPED_TRACE(end.name);
        Brevolt app;
        ASSERT_TRUE(app.Start(work_, scratch_.File(L"ended.log")));
        end.request(app);
        DWORD exitCode = 99;
        ASSERT_TRUE(app.WaitForExit(&exitCode)) << "still running";
        EXPECT_EQ(exitCode, 0u);
        EXPECT_FALSE(IsWindow(app.Window()));
    }
    EXPECT_TRUE(app_.Running());
}

} // namespace
} // namespace e2e
