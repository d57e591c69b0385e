// A fresh brevolt.exe for each test, started in an empty folder of its own,
// and the checks the tests share.
#pragma once

#include "brevolt_driver.h"
#include "script_model.h"

#include <gtest/gtest.h>

namespace e2e {

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

// Sets the picks on the window.
inline void Apply(Brevolt& app, const Picks& picks) {
    for (size_t combo = 0; combo < picks.rows.size(); ++combo) {
        ASSERT_TRUE(SetComboSelection(app.Gadget(ComboModels()[combo].gadget), picks.rows[combo]));
    }
    for (size_t check = 0; check < picks.checked.size(); ++check) {
        ASSERT_TRUE(SetCheck(app.Gadget(CheckModels()[check].gadget), picks.checked[check]));
    }
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
