// A fresh brevolt.exe for each test, started in an empty folder of its own,
// and the checks the tests share.
#pragma once

#include "brevolt_driver.h"

#include <gtest/gtest.h>

namespace e2e {

constexpr const char* INITIAL_OUTPUT = "Buy Script Output";
constexpr const char* NOTHING_SELECTED_LINE = "\"ERROR:\" Nothing is selected!";

// The files as the game must read them, kept once in tests/e2e/expected for
// every test that drives a build of the program.
inline std::string AutoexecFile() {
    return ReadFileBytes(PathFromEnvironment(L"BREVOLT_EXPECTED") + L"\\autoexec.cfg");
}
inline std::string BuyscriptFile(const std::vector<std::string>& lines) {
    std::string file = ReadFileBytes(PathFromEnvironment(L"BREVOLT_EXPECTED") + L"\\buyscript.cfg");
    for (const std::string& line : lines) {
        file += line + "\r\n";
    }
    return file;
}

// Each "Error" box in this order, dismissed in turn; then none is left.
inline void ExpectErrorBoxes(Brevolt& app, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        MessageBoxSeen seen;
        ASSERT_TRUE(app.WaitForMessageBox(&seen)) << "no box for: " << text;
        EXPECT_EQ(seen.title, "Error");
        EXPECT_EQ(seen.text, text);
        ASSERT_TRUE(app.DismissMessageBox(seen.box)) << "box stuck: " << seen.text;
    }
    ASSERT_TRUE(app.Sync());
    EXPECT_FALSE(app.HasMessageBox());
}

inline void ExpectExitCodeZero(Brevolt& app) {
    DWORD exitCode = 99;
    ASSERT_TRUE(app.WaitForExit(&exitCode)) << "still running";
    EXPECT_EQ(exitCode, 0u);
}

class BrevoltTest : public ::testing::Test {
  protected:
    void SetUp() override {
        work_ = scratch_.File(L"work");
        ASSERT_TRUE(CreateDirectoryW(work_.c_str(), nullptr));
        ASSERT_TRUE(app_.Start(work_, scratch_.File(L"brevolt.log")))
            << "could not start " << ToAnsi(BrevoltExePath());
    }

    std::wstring WorkFile(const wchar_t* name) const { return work_ + L"\\" + name; }
    std::string Output() const { return TextOf(app_.Gadget(OUTPUT)); }

    ScratchFolder scratch_;
    std::wstring work_;
    Brevolt app_; // declared last: ended before its folder goes
};

} // namespace e2e
